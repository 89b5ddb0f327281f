// Screenshots of the real main window with a painting on the document canvas:
//
//   CanvasScreenshots <photograph> <output folder>
//
// Starts the product as the program does, captures the empty canvas, paints the photograph
// through a layer stack (the working copy at most 1301 pixels, the first effect of the
// product's list at its own settings), hands the painting to the canvas and captures it
// fitted, zoomed in two steps and panned, and at 4x. The shots are taken from the X server
// (ImageMagick's import of the window), so run it under Xvfb:
//
//   xvfb-run -a -s "-screen 0 1600x1000x24" build/bench/CanvasScreenshots build/resources/sample-photo.jpg build/screenshots
//
// (`cmake --build build --target canvas_screenshots` does that.) Until the application opens
// and renders images itself, this program does the rendering.

#include "ImageFileBridges.h"
#include "LayerManager.h"
#include "Quenzella_Tolva.h"
#include "Quenzella_TolvaAppComponent.h"
#include "Resampling.h"
#include "StaticImageLayer.h"
#include "ZorvMainWindow.h"

#include <iostream>

namespace
{
    /** The size the preview renders at: the photograph fitted into 1301 x 1301. */
    juce::Point<int> workingSize (int w, int h)
    {
        const double scale = juce::jmin (1.0, 1301.0 / juce::jmax (w, h));
        return { juce::jmax (1, (int) std::lround (w * scale)), juce::jmax (1, (int) std::lround (h * scale)) };
    }

    struct PreviewScale : public LayerManagerCallback
    {
        float scale = 1.0f;
        float getRenderScale() override  { return scale; }
    };
}

class ScreenshotApplication : public Quenzella_Tolva,
                              private juce::Timer
{
public:
    void initialise (const juce::String& commandLine) override
    {
        const auto args = getCommandLineParameterArray();
        if (args.size() < 2)
        {
            std::cerr << "usage: CanvasScreenshots <photograph> <output folder>\n";
            setApplicationReturnValue (2);
            quit();
            return;
        }
        photo = juce::File::getCurrentWorkingDirectory().getChildFile (args[0]);
        folder = juce::File::getCurrentWorkingDirectory().getChildFile (args[1]);
        folder.createDirectory();

        Quenzella_Tolva::initialise (commandLine);
        startTimer (1500);
    }

    void shutdown() override
    {
        stopTimer();
        Quenzella_Tolva::shutdown();
        painting.reset();
        stack.reset();
    }

protected:
    juce::StringArray getLaunchFiles() override  { return {}; }

private:
    juce::File photo, folder;
    std::unique_ptr<LayerManager> stack;
    PreviewScale previewScale;
    SxRef<SxImageRgbaBytes> working, painting;
    int step = 0;

    GenericAppDocument& canvas()  { return *getMainComponent()->getDocument(); }

    void timerCallback() override
    {
        stopTimer();
        switch (step++)
        {
            case 0:
                capture ("canvas-empty.png");
                if (! paint())
                    return fail();
                canvas().setImage (painting.get());
                canvas().fitInWindow (false);
                break;

            case 1:
                capture ("canvas-fitted.png");
                canvas().zoomIn();
                canvas().zoomIn();
                pan (-260.0f, -140.0f);
                break;

            case 2:
                capture ("canvas-zoomed-panned.png");
                canvas().setZoom (false, 4.0f);
                pan (-120.0f, 180.0f);
                break;

            default:
                capture ("canvas-4x.png");
                systemRequestedQuit();
                return;
        }
        startTimer (800);
    }

    void pan (float dx, float dy)
    {
        canvas().pan (dx, dy);
    }

    bool paint()
    {
        auto opened = ImageFileBridges::openImageFile (photo);
        if (! opened.image)
        {
            std::cerr << "cannot read " << photo.getFullPathName() << ": " << opened.refusal << "\n";
            return false;
        }
        working = opened.image;
        const auto size = workingSize (working->width, working->height);
        resizeRgbaImage (*working, size.x, size.y, 1);

        auto* component = getMainComponent();
        const auto& effects = component->getEffectList();
        if (effects.empty() || effects[0].effects.empty())
            return false;

        stack = std::make_unique<LayerManager>();
        previewScale.scale = (float) juce::jmax (working->width, working->height) / 1024.0f;
        stack->setCallback (&previewScale);
        auto* base = new StaticImageLayer();
        base->setSourceImage (working.get());
        stack->addLayer (base);
        auto* effect = effects[0].effects[0]->createInstance();
        effect->setManager (stack.get());
        stack->addLayer (effect);

        const auto start = juce::Time::getMillisecondCounterHiRes();
        painting = SxRef<SxImageRgbaBytes> (stack->renderStack (nullptr, false, true));
        std::cout << "painted " << working->width << " x " << working->height << " with "
                  << effect->getShortName() << " in " << (juce::Time::getMillisecondCounterHiRes() - start) << " ms\n";
        return (bool) painting;
    }

    void capture (const juce::String& name)
    {
        auto* window = getMainWindow();
        auto* peer = window != nullptr ? window->getPeer() : nullptr;
        if (peer == nullptr)
            return;

        // Whatever waits to be painted reaches the X server before the shot.
        peer->performAnyPendingRepaintsNow();
        juce::Thread::sleep (300);

        const auto file = folder.getChildFile (name);
        const auto windowId = juce::String::toHexString ((juce::pointer_sized_int) peer->getNativeHandle());
        juce::ChildProcess import;
        if (! import.start (juce::StringArray { "import", "-window", "0x" + windowId, file.getFullPathName() })
             || ! import.waitForProcessToFinish (20000) || import.getExitCode() != 0)
            std::cerr << "could not capture " << name << "\n";
        else
            std::cout << "wrote " << file.getFullPathName() << "\n";
    }

    void fail()
    {
        setApplicationReturnValue (1);
        systemRequestedQuit();
    }
};

START_JUCE_APPLICATION (ScreenshotApplication)
