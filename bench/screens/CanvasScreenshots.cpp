// Screenshots of the real main window opening and painting a photograph:
//
//   CanvasScreenshots <photograph> <output folder>
//
// Starts the product as the program does, with the photograph named on the command line (the
// road of scripts/run.sh). Its first preview render is held back at its start (the brush lock
// is taken before the start), so the first shot shows the photograph under the busy overlay
// mid-render; then the render runs and the painting is captured fitted, zoomed in two steps
// and panned, and at 4x; then fitted again with the effect panel's "Adjust" page, with the paper
// picker open and with the ink colour's picker open, with a toolbar tooltip showing, and with
// the effect panel slid out of sight by its tab. Then the save button's road: the full-size
// render held at its start under the "Saving..." overlay, the save dialog over the
// painting (cancelled), and a save answered for the user into the output folder as
// saved-painting.jpg, to be looked at full size. Then the painting, switched to the Stylized
// effect, is saved as a project, the Abstract effect chosen again, and the project handed over
// with unsaved changes: the "Save Project?" question, its "Yes" with the project save panel,
// and the project reopened are captured. The shots are taken from the X server
// (ImageMagick's import of the window), so run it under Xvfb:
//
//   xvfb-run -a -s "-screen 0 1600x1000x24" build/bench/CanvasScreenshots build/resources/sample-photo.jpg build/screenshots
//
// (`cmake --build build --target canvas_screenshots` does that.)

#include "BrushRenderLock.h"
#include "FindNamed.h"
#include "GenericImageList.h"
#include "ImageSaveSheet.h"
#include "PeerInput.h"
#include "SxColorPicker.h"
#include "WatercolorControlTable.h"
#include "SaveProjectQuestion.h"
#include "SettingsKeys.h"
#include "Quenzella_Tolva.h"
#include "Quenzella_TolvaAppComponent.h"
#include "ZorvMainWindow.h"

#include <iostream>

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

        // The first render waits at its start until the overlay has been captured.
        brushRenderLock.enter();
        holdingRender = true;

        Quenzella_Tolva::initialise (commandLine);
        startTimer (1500);
    }

    void shutdown() override
    {
        stopTimer();
        letRenderGo();
        Quenzella_Tolva::shutdown();
    }

protected:
    /** The photograph, as if named on the command line. */
    juce::StringArray getLaunchFiles() override  { return { photo.getFullPathName() }; }

private:
    juce::File photo, folder, project;
    bool holdingRender = false;
    bool saveAnswered = false;
    int step = 0;

    GenericAppComponent& main()   { return *getMainComponent(); }
    GenericAppDocument& canvas()  { return *main().getDocument(); }

    juce::Button* findButton (const juce::String& name)
    {
        for (auto* child : main().getChildren())
            if (child->getName() == name)
                return dynamic_cast<juce::Button*> (child);
        return nullptr;
    }

    void letRenderGo()
    {
        if (std::exchange (holdingRender, false))
            brushRenderLock.exit();
    }

    /** Still rendering, or the canvas not yet fitted after the open. */
    bool busy()
    {
        return main().isRendering() || main().isTimerRunning (GenericAppComponent::fitAfterOpenTimer);
    }

    void timerCallback() override
    {
        stopTimer();
        switch (step)
        {
            case 0:
                if (! main().isRendering() || main().getActivityOverlay() == nullptr)
                {
                    std::cerr << "the photograph did not open into a render\n";
                    return fail();
                }
                parkPointer();
                capture ("window-rendering.png");
                letRenderGo();
                break;

            case 1:
                if (busy())
                    return startTimer (200);   // this step again
                if (canvas().getImage() == nullptr || canvas().getImage() == main().getWorkingImage())
                {
                    std::cerr << "no painting on the canvas\n";
                    return fail();
                }
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
                break;

            case 4:
                capture ("window-panel-docked.png");
                if (auto* papers = findInPanel<GenericImageList> (WatercolorControlTable::paperName))
                    papers->toggle();
                else
                    std::cerr << "no paper picker on the effect panel\n";
                break;

            case 5:
                capture ("window-paper-picker.png");
                if (auto* papers = findInPanel<GenericImageList> (WatercolorControlTable::paperName))
                    papers->dismiss();
                break;

            case 6:
                // Once the picker has slid away: while it closes, it is modal and takes the click.
                // Through the window peer: the real hit-test and modal paths.
                if (auto* colour = findInPanel<SxColorPicker> ({}))
                    sxgui::PeerInput (*getMainWindow()).click (*colour);
                else
                    std::cerr << "no colour picker on the effect panel\n";
                break;

            case 7:
                capture ("window-colour-picker.png");
                sxgui::PeerInput (*getMainWindow()).pressKey (juce::KeyPress (juce::KeyPress::escapeKey));
                showTooltipOf ("zoomInButton");
                break;

            case 8:
                capture ("window-tooltip.png");
                parkPointer();
                if (auto* hide = findButton ("arrowRightButton"))
                    main().clickButton (hide);
                break;

            case 9:
                canvas().fitInWindow (false);
                break;

            case 10:
                capture ("window-panel-parked.png");
                // The full-size render waits at its start until the overlay has been captured.
                brushRenderLock.enter();
                holdingRender = true;
                save();
                break;

            case 11:
                capture ("window-saving.png");
                letRenderGo();
                break;

            case 12:
                if (ImageSaveSheet::findIn (main()) == nullptr)
                    return startTimer (200);
                capture ("window-save-dialog.png");
                ImageSaveSheet::findIn (main())->cancel();
                ImageSavePanel::setRunner ([this] (ImageSavePanel& panel)
                {
                    panel.setNameFieldStringValue ("saved-painting.jpg");
                    saveAnswered = true;
                    return std::optional<ImageSavePanel::Result> (panel.resultIn (folder));
                });
                save();
                break;

            case 13:
                if (! saveAnswered || main().isRendering() || ! main().getImageWriter().isIdle())
                    return startTimer (200);
                ImageSavePanel::setRunner ({});
                std::cout << "wrote " << folder.getChildFile ("saved-painting.jpg").getFullPathName() << "\n";
                break;

            case 14:
                if (auto* show = findButton ("leftArrowButton"))
                    main().clickButton (show);
                main().selectEffectIndex (1, true);
                break;

            case 15:
                if (busy())
                    return startTimer (200);
                project = folder.getChildFile ("Painting.kvp");
                if (const auto written = main().writeProjectFile (project); written.failed())
                {
                    std::cerr << "the project was not written: " << written.getErrorMessage() << "\n";
                    return fail();
                }
                main().selectEffectIndex (0, true);
                break;

            case 16:
                if (busy())
                    return startTimer (200);
                main().getSettings()->set (SettingsKeys::freshProject, false);
                main().askSaveProject (project);
                break;

            case 17:
                capture ("window-save-project-question.png");
                if (! pressQuestionButton ("Yes"))
                {
                    std::cerr << "no question was asked\n";
                    return fail();
                }
                break;

            case 18:
                capture ("window-save-project-panel.png");
                if (auto* sheet = ImageSaveSheet::findIn (main()))
                    sheet->cancel();
                main().openProject (project);
                break;

            case 19:
                if (busy())
                    return startTimer (200);
                capture ("window-project-reopened.png");
                project.deleteFile();
                break;

            default:
                systemRequestedQuit();
                return;
        }
        ++step;
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

    /** Puts the pointer on the canvas, which has no tooltip, and drops any tip shown: the
        shots cut from the screen would show the tip of whatever the pointer rests on. */
    void parkPointer()
    {
        juce::Desktop::setMousePosition (canvas().getScreenBounds().getBottomLeft().translated (8, -8));
        if (auto* tips = main().getTooltipWindow())
            tips->hideTip();
    }

    /** The first showing component of type T inside the effect panel with that name (any name
        when empty); the panel shows the current effect's "Adjust" page. */
    template <typename T>
    T* findInPanel (const juce::String& name)
    {
        auto* panel = main().findChildWithID ("effectControlComponent");
        return panel == nullptr ? nullptr : sxgui::findFirst<T> (*panel, [&name] (const juce::Component& c)
        {
            return c.isShowing() && (name.isEmpty() || c.getName() == name);
        });
    }

    /** The save button's action, from the message loop: it waits in the activity window's
        modal loop, where this timer goes on firing. */
    void save()
    {
        juce::MessageManager::callAsync ([this] { main().saveOrApplyImage(); });
    }

    void pan (float dx, float dy)
    {
        canvas().pan (dx, dy);
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

        // Cut from the root window: a shot of the main window alone leaves the area under
        // another window (the tooltip's) undefined, black under Xvfb.
        const auto file = folder.getChildFile (name);
        const auto area = peer->getBounds();
        const auto crop = juce::String (area.getWidth()) + "x" + juce::String (area.getHeight())
                          + "+" + juce::String (area.getX()) + "+" + juce::String (area.getY());
        juce::ChildProcess import;
        if (! import.start (juce::StringArray { "import", "-window", "root", "-crop", crop, "+repage", file.getFullPathName() })
             || ! import.waitForProcessToFinish (20000) || import.getExitCode() != 0)
            std::cerr << "could not capture " << name << "\n";
        else
            std::cout << "wrote " << file.getFullPathName() << "\n";
    }

    /** Clicks a button of the "Save Project?" window. */
    bool pressQuestionButton (const juce::String& text)
    {
        auto* question = SaveProjectQuestion::findShowing();
        if (question == nullptr)
            return false;
        question->triggerButtonClick (text);
        return true;
    }

    void fail()
    {
        letRenderGo();
        setApplicationReturnValue (1);
        systemRequestedQuit();
    }
};

START_JUCE_APPLICATION (ScreenshotApplication)
