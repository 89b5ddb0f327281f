// Screenshots of the real main window with a painting on the document canvas:
//
//   CanvasScreenshots <photograph> <output folder>
//
// Starts the product as the program does and captures the window at its first show (the
// effect panel slides in, nothing open yet). Then it paints the photograph through a layer
// stack (the working copy at most 1301 pixels, the first effect of the product's list at its
// own settings), hands the painting to the canvas as an opened image would (the toolbar
// comes alive) and captures it fitted, zoomed in two steps and panned, and at 4x; then fitted
// again with a toolbar tooltip showing, and with the effect panel slid out of sight by its
// tab; last the save sheet over the painting (as JPEG, as PNG, and asking before it replaces
// a file). The shots are taken from the X server
// (ImageMagick's import of the window), so run it under Xvfb:
//
//   xvfb-run -a -s "-screen 0 1600x1000x24" build/bench/CanvasScreenshots build/resources/sample-photo.jpg build/screenshots
//
// (`cmake --build build --target canvas_screenshots` does that.) Until the application opens
// and renders images itself, this program does the rendering.

#include "ImageFileBridges.h"
#include "ImageSaveSheet.h"
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

    /** The product's main component, which can show a painting the way an opened and
        rendered image will be shown: on the canvas, with the toolbar enabled. */
    struct ScreenshotComponent : public Quenzella_TolvaAppComponent
    {
        void showPainting (SxImageRgbaBytes* working, SxImageRgbaBytes* painting)
        {
            sourceImage = SxRef<SxImageRgbaBytes>::share (working);
            workingImage = SxRef<SxImageRgbaBytes>::share (working);
            getDocument()->setImage (painting);
            enableToolbar();
        }
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

    GenericAppComponent* createMainComponent() override  { return new ScreenshotComponent(); }

protected:
    juce::StringArray getLaunchFiles() override  { return {}; }

private:
    juce::File photo, folder;
    std::unique_ptr<LayerManager> stack;
    PreviewScale previewScale;
    SxRef<SxImageRgbaBytes> working, painting;
    int step = 0;

    GenericAppDocument& canvas()  { return *getMainComponent()->getDocument(); }
    ScreenshotComponent& main()   { return *static_cast<ScreenshotComponent*> (getMainComponent()); }

    juce::Button* findButton (const juce::String& name)
    {
        for (auto* child : main().getChildren())
            if (child->getName() == name)
                return dynamic_cast<juce::Button*> (child);
        return nullptr;
    }

    void timerCallback() override
    {
        stopTimer();
        switch (step++)
        {
            case 0:
                capture ("window-first-show.png");
                if (! paint())
                    return fail();
                main().showPainting (working.get(), painting.get());
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

            case 3:
                capture ("canvas-4x.png");
                canvas().fitInWindow (false);
                showTooltipOf ("zoomInButton");
                break;

            case 4:
                capture ("window-tooltip.png");
                if (auto* tips = main().getTooltipWindow())
                    tips->hideTip();
                if (auto* hide = findButton ("arrowRightButton"))
                    main().clickButton (hide);
                break;

            case 5:
                canvas().fitInWindow (false);
                break;

            case 6:
                capture ("window-panel-parked.png");
                showSavePanel();
                break;

            case 7:
                capture ("save-dialog.png");
                if (auto* sheet = ImageSaveSheet::findIn (main()))
                {
                    sheet->getAccessory().getFileTypes().setSelectedItemIndex (2);
                    sheet->getNameField().moveCaretToEnd();
                }
                break;

            case 8:
                capture ("save-dialog-png.png");
                if (auto* sheet = ImageSaveSheet::findIn (main()))
                {
                    sheet->getAccessory().getFileTypes().setSelectedItemIndex (0, juce::sendNotificationSync);
                    sheet->save();
                }
                break;

            default:
                capture ("save-dialog-replace.png");
                if (auto* sheet = ImageSaveSheet::findIn (main()))
                    sheet->getReplacePrompt().getKeepButton().triggerClick();
                systemRequestedQuit();
                return;
        }
        startTimer (800);
    }

    /** Shows a button's tooltip as hovering over it would, below its middle. The pointer goes
        onto the button too: the tooltip window drops a tip shown by hand while the pointer is
        over no component. */
    void showTooltipOf (const juce::String& name)
    {
        auto* tips = main().getTooltipWindow();
        auto* button = findButton (name);
        if (tips == nullptr || button == nullptr)
            return;
        const auto centre = button->getScreenBounds().getCentre();
        juce::Desktop::setMousePosition (centre);
        tips->displayTip (centre.translated (0, 10), button->getTooltip());
    }

    /** The save panel as saving shows it, in a pictures folder holding a few paintings and
        one of the photograph's own name. */
    void showSavePanel()
    {
        const auto pictures = juce::File::getSpecialLocation (juce::File::userHomeDirectory).getChildFile ("Pictures");
        for (const auto* name : { "Holidays", "Watercolours" })
            pictures.getChildFile (name).createDirectory();
        for (const auto* name : { "Harbour at dusk.jpg", "Lavender field.jpg", "Old town.png", "Orchard.tiff",
                                  "Winter lake.jpg" })
            pictures.getChildFile (name).replaceWithText ("painting");
        pictures.getChildFile (photo.withFileExtension ("jpg").getFileName()).replaceWithText ("painting");

        main().hideTooltips();
        ImageSavePanel panel;
        panel.setDirectoryURL (pictures);
        panel.setNameFieldStringValue (photo.getFileName());
        panel.beginSheetModalForWindow (main(), [] (std::optional<ImageSavePanel::Result>) {});
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

        // Whatever waits to be painted reaches the X server before the shot, the tooltip's
        // window included: the shot is the screen's area of the main window.
        auto& desktop = juce::Desktop::getInstance();
        for (int i = 0; i < desktop.getNumComponents(); ++i)
            if (auto* shown = desktop.getComponent (i)->getPeer())
                shown->performAnyPendingRepaintsNow();
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
