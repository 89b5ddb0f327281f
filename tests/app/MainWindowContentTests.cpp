#include "EffectPanelArrowButton.h"
#include "ManualClock.h"
#include "MessagePump.h"
#include "PeerInput.h"
#include "Quenzella_TolvaAppComponent.h"
#include "ScopedUserFolders.h"
#include "SxColorComponent.h"
#include "SxImageComponent.h"
#include "SxLabel.h"
#include "SxMainMenuButton.h"
#include "SxMainTabComponent.h"
#include "SxMainTabController.h"
#include "SxTabSegmentButton.h"
#include "SxTabSegmentController.h"
#include "SxRelativeBounds.h"

#include <gtest/gtest.h>

namespace
{
    const juce::String productName = "Quenzella - Tolva";

    /** The product's main component, writing down every click that reaches it before
        handling it, with an image it can pretend is open. */
    struct RecordingProduct : public Quenzella_TolvaAppComponent
    {
        void buttonClicked (juce::Button* button) override
        {
            clicks.add (button->getName());
            Quenzella_TolvaAppComponent::buttonClicked (button);
        }

        void openAnImage()   { workingImage = SxRef<SxImageRgbaBytes> (new SxImageRgbaBytes (16, 16)); enableToolbar(); }
        void closeImage()    { workingImage = {}; disableToolbar(); }
        void callEnableToolbar()   { enableToolbar(); }

        juce::StringArray clicks;
    };

    /** A component found among the main component's children by component name or ID. */
    juce::Component* child (juce::Component& parent, const juce::String& nameOrID)
    {
        for (auto* c : parent.getChildren())
            if (c->getName() == nameOrID || c->getComponentID() == nameOrID)
                return c;
        return nullptr;
    }

    juce::Button& button (juce::Component& parent, const juce::String& name)
    {
        auto* b = dynamic_cast<juce::Button*> (child (parent, name));
        if (b == nullptr)
            throw std::runtime_error (("no button " + name).toStdString());
        return *b;
    }

    struct ClickCounter : public juce::Button::Listener
    {
        void buttonClicked (juce::Button*) override  { ++clicks; }
        int clicks = 0;
    };

    /** The product's main component on the desktop as the main window shows it (started,
        built and given its tooltips), with the kit's clock stopped. */
    class MainWindowContent : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            main.startUp();
            main.createUI();
            main.setButtonTooltips();
        }

        void showOnDesktop (int width = 1024, int height = 700)
        {
            main.setBounds (0, 0, width, height);
            main.addToDesktop (juce::ComponentPeer::windowAppearsOnTaskbar);
            main.setVisible (true);
            input = std::make_unique<sxgui::PeerInput> (main);
        }

        void TearDown() override
        {
            input.reset();
            if (main.isOnDesktop())
                main.removeFromDesktop();
            sxgui::drainMessages();
        }

        juce::Component& panel()      { return *main.getEffectPanel(); }
        juce::Button& hideArrow()     { return button (main, "arrowRightButton"); }
        juce::Button& showArrow()     { return button (main, "leftArrowButton"); }
        juce::Component& canvas()     { return *main.getDocument(); }

        /** Lets the slide run to its end, then the timer that re-anchors the panel. */
        void finishSlide (int timerID)
        {
            clock.advance (GenericAppComponent::effectPanelSlideMs);
            sxgui::fireTimer (main.getEffectPanelAnimator());
            EXPECT_FALSE (main.getEffectPanelAnimator().isAnimating (&panel()));
            EXPECT_EQ (main.getTimerInterval (timerID), GenericAppComponent::effectPanelSlideMs);
            EXPECT_TRUE (sxgui::fireTimer (main, timerID));
        }

        void finishFades()
        {
            clock.advance (300);
            sxgui::fireTimer (main.getEffectPanelAnimator());
            sxgui::fireTimer (main.getPanelAnimator());
        }

        void dock()
        {
            main.clickButton (&showArrow());
            finishSlide (GenericAppComponent::effectPanelDockedTimer);
            finishFades();
        }

        bool storedOpened() const
        {
            juce::PropertiesFile written (folders.settingsFile (productName), AppSettings::getOptions (productName));
            return written.getBoolValue ("effectControlComponentOpened", true);
        }

        ScopedUserFolders folders;
        sxgui::ManualClock clock;
        RecordingProduct main;
        std::unique_ptr<sxgui::PeerInput> input;
    };
}

//==============================================================================
TEST_F (MainWindowContent, EveryChildSitsWhereItsExpressionPutsItAtAnyWidth)
{
    struct Size { int w, h; };
    for (const auto size : { Size { 1024, 700 }, Size { 1600, 940 }, Size { 1024, 660 } })   // resized, then back
    {
        main.setSize (size.w, size.h);
        const int W = size.w, H = size.h, g = (W - 386) / 2;
        SCOPED_TRACE (juce::String (W) + " x " + juce::String (H));

        struct Row { const char* child; juce::Rectangle<int> bounds; };
        const Row parked[] = {
            { "topBar",                         { 0, 0, W, 33 } },
            { "topBarShadow",                   { 0, 33, W, 8 } },
            { "getPhotoButton",                 { 16, 1, 50, 30 } },
            { "savePhotoButton",                { 82, 1, 50, 30 } },
            { "cropButton",                     { g - 23, 1, 50, 30 } },
            { "undoButton",                     { g + 39, 1, 50, 30 } },
            { "zoomInButton",                   { g + 101, 1, 50, 30 } },
            { "panTool",                        { g + 163, 1, 50, 30 } },
            { "zoomOutButton",                  { g + 225, 1, 50, 30 } },
            { "redoButton",                     { g + 287, 1, 50, 30 } },
            { "originalButton",                 { g + 349, 1, 50, 30 } },
            { "infoButton",                     { W - 180, 1, 50, 30 } },
            { "productsButton",                 { W - 126, 1, 50, 30 } },
            { "randomizeButton",                { W - 68, 1, 50, 30 } },
            { "presetControlComponent",         { 0, H, W, 155 } },
            { "effectControlComponent",         { W, 33, 256, H - 33 } },
            { "arrowRightButton",               { W - 289, 33, 41, 30 } },
            { "leftArrowButton",                { W - 35, 33, 41, 30 } },
            { "subToolBarComp",                 { 0, 0, W, 30 } },
            { "subToolInsideControlComponent",  { 0, 34, W, 29 } },
        };
        for (const auto& row : parked)
        {
            auto* c = child (main, row.child);
            ASSERT_NE (c, nullptr) << row.child;
            EXPECT_EQ (c->getBounds(), row.bounds) << row.child;
        }

        // The acceptance figures spelled out at 1024.
        if (W == 1024)
        {
            EXPECT_EQ (g, 319);
            EXPECT_EQ (child (main, "cropButton")->getX(), 296);
        }
        EXPECT_EQ (W - child (main, "infoButton")->getRight(), 130);
        EXPECT_EQ (W - child (main, "productsButton")->getRight(), 76);
        EXPECT_EQ (W - child (main, "randomizeButton")->getRight(), 18);

        // Parked: the canvas reaches one pixel beyond the right and bottom edges.
        EXPECT_EQ (canvas().getBounds(), juce::Rectangle<int> (0, 30, W + 1, H - 30 + 1));
    }
}

TEST_F (MainWindowContent, DockedTheCanvasAndTheSubToolBarEndAtThePanel)
{
    showOnDesktop (1024, 700);
    dock();

    for (const auto width : { 1024, 1600 })
    {
        main.setSize (width, 700);
        EXPECT_EQ (panel().getBounds(), juce::Rectangle<int> (width - 256, 33, 256, 667));
        EXPECT_EQ (canvas().getBounds(), juce::Rectangle<int> (0, 30, width - 256 + 1, 671));
        EXPECT_EQ (child (main, "subToolBarComp")->getBounds(), juce::Rectangle<int> (0, 0, width - 256, 30));
        EXPECT_EQ (child (main, "subToolInsideControlComponent")->getWidth(), width - 256);
        EXPECT_EQ (hideArrow().getBounds(), juce::Rectangle<int> (width - 289, 33, 41, 30));
    }
}

TEST_F (MainWindowContent, LooksAndStackingAreTheWindows)
{
    auto colourOf = [this] (const char* id) { return SxColorComponent::colourFromWord (dynamic_cast<SxColorComponent*> (child (main, id))->getColourWord()); };
    EXPECT_EQ (colourOf ("topBar"), juce::Colour (65, 65, 65));
    EXPECT_EQ (colourOf ("effectControlComponent"), juce::Colour (52, 52, 52));
    EXPECT_EQ (colourOf ("subToolBarComp"), juce::Colour (77, 77, 77));

    // The panel's title bar with its empty, centred label and the tab row; the page host below.
    ASSERT_EQ (panel().getNumChildComponents(), 2);
    auto* titleBar = dynamic_cast<SxColorComponent*> (panel().getChildComponent (0));
    ASSERT_NE (titleBar, nullptr);
    EXPECT_EQ (SxColorComponent::colourFromWord (titleBar->getColourWord()), juce::Colour (77, 77, 77));
    EXPECT_EQ (titleBar->getBounds(), juce::Rectangle<int> (0, 0, 256, 30));
    auto* label = main.getEffectTitleLabel();
    ASSERT_EQ (label->getParentComponent(), titleBar);
    EXPECT_EQ (label->getBounds(), juce::Rectangle<int> (0, 5, 256, 23));
    EXPECT_EQ (label->getFont().getHeight(), 13.0f);
    EXPECT_EQ (label->getJustificationType(), juce::Justification (juce::Justification::centred));
    EXPECT_EQ (label->findColour (juce::Label::textColourId), juce::Colours::white);
    EXPECT_TRUE (label->getText().isEmpty());

    auto* tabRow = main.getEffectTabBar();
    auto* pages = main.getEffectTabs();
    ASSERT_TRUE (tabRow != nullptr && pages != nullptr);
    EXPECT_EQ (tabRow->getParentComponent(), titleBar);
    EXPECT_EQ (tabRow->getBounds(), juce::Rectangle<int> (40, 0, 216, 30));
    EXPECT_FALSE (tabRow->centred);
    EXPECT_EQ (pages->getParentComponent(), &panel());
    EXPECT_EQ (pages->getBounds(), juce::Rectangle<int> (0, 30, 256, panel().getHeight() - 30));
    EXPECT_EQ (tabRow->host.getComponent(), pages);
    EXPECT_EQ (pages->tabRow.getComponent(), tabRow);

    // Toolbar icons at half their pixel size; the compare button reports press and release.
    for (const auto* name : { "getPhotoButton", "infoButton", "randomizeButton" })
    {
        auto* b = dynamic_cast<SxMainMenuButton*> (child (main, name));
        ASSERT_NE (b, nullptr) << name;
        const auto image = b->getIcon().getImage();
        EXPECT_EQ (b->getIcon().getWidth() * 2, image.getWidth()) << name;
    }
    EXPECT_EQ (dynamic_cast<SxMainMenuButton*> (child (main, "getPhotoButton"))->getIcon().getImage().getBounds(), juce::Rectangle<int> (62, 52));
    EXPECT_EQ (dynamic_cast<SxMainMenuButton*> (child (main, "infoButton"))->getIcon().getImage().getBounds(), juce::Rectangle<int> (88, 68));
    EXPECT_TRUE (dynamic_cast<SxMainMenuButton*> (child (main, "originalButton"))->reportsPressAndRelease);
    EXPECT_EQ (child (main, "savePhotoButton")->getComponentID(), "savePhotoButton");

    // Bottom to top: the canvas, the sub-tool bar behind the top bar, the toolbar, the panel
    // and its tabs, the preset browser's place, the shadow strip over them all.
    auto index = [this] (const char* id) { return main.getIndexOfChildComponent (child (main, id)); };
    EXPECT_EQ (main.getIndexOfChildComponent (&canvas()), 0);
    EXPECT_LT (index ("subToolBarComp"), index ("topBar"));
    EXPECT_LT (index ("subToolInsideControlComponent"), index ("topBar"));
    EXPECT_LT (index ("topBar"), index ("getPhotoButton"));
    EXPECT_LT (index ("effectControlComponent"), index ("leftArrowButton"));
    EXPECT_LT (index ("leftArrowButton"), index ("presetControlComponent"));
    EXPECT_LT (index ("presetControlComponent"), index ("topBarShadow"));
    EXPECT_LT (index ("effectControlComponent"), index ("topBarShadow"));
}

TEST_F (MainWindowContent, AfterCreateUIOnlyTheOpenInfoProductsAndPanControlsAreEnabled)
{
    struct Row { const char* name; bool enabled; };
    const Row rows[] = {
        { "getPhotoButton", true }, { "savePhotoButton", false }, { "cropButton", false }, { "undoButton", false },
        { "zoomInButton", false }, { "panTool", true }, { "zoomOutButton", false }, { "redoButton", false },
        { "originalButton", false }, { "infoButton", true }, { "productsButton", true }, { "randomizeButton", false },
        { "presetControlComponent", false }, { "leftArrowButton", true },
    };
    for (const auto& row : rows)
        EXPECT_EQ (child (main, row.name)->isEnabled(), row.enabled) << row.name;

    EXPECT_FALSE (main.areControlsEnabled());
    EXPECT_EQ (main.getSelectedTool(), main.getPanTool());
    EXPECT_EQ (showArrow().getAlpha(), 1.0f);
    EXPECT_EQ (hideArrow().getAlpha(), 0.0f);
    EXPECT_TRUE (main.isEffectPanelParked());
    EXPECT_EQ (main.getTimerInterval (GenericAppComponent::canvasFocusTimer), 600);

    // A disabled button's icon is dimmed.
    auto* save = dynamic_cast<SxMainMenuButton*> (child (main, "savePhotoButton"));
    EXPECT_NEAR (save->getIcon().getAlpha(), SxMainMenuButton::disabledIconAlpha, 0.01f);
    EXPECT_EQ (dynamic_cast<SxMainMenuButton*> (child (main, "getPhotoButton"))->getIcon().getAlpha(), 1.0f);
}

TEST_F (MainWindowContent, TheCanvasTakesTheKeyboardFocusOnceTheWindowShows)
{
    showOnDesktop();
    main.grabKeyboardFocus();
    ASSERT_FALSE (canvas().hasKeyboardFocus (false));
    ASSERT_TRUE (sxgui::fireTimer (main, GenericAppComponent::canvasFocusTimer));
    EXPECT_TRUE (canvas().hasKeyboardFocus (false));
}

TEST_F (MainWindowContent, TooltipsAfterSetButtonTooltips)
{
    struct Row { const char* name; const char* tooltip; };
    const Row rows[] = {
        { "getPhotoButton",   "Load a photo or project" },
        { "savePhotoButton",  "Save your image or project" },
        { "cropButton",       "Cut out an area of your image hiding the rest" },
        { "undoButton",       "Undo the last edit" },
        { "zoomInButton",     "Zoom in to examine small details : keyboard (+)" },
        { "panTool",          "Move your image within the app (spacebar)" },
        { "zoomOutButton",    "Zoom Out to view a larger proportion of your image : keyboard (-)" },
        { "redoButton",       "Redo the last edit that was undone" },
        { "originalButton",   "Hold down to view the original image for a quick comparison" },
        { "infoButton",       "Opens up the Product Tips dialog" },
        { "productsButton",   "Takes you to our website" },
        { "randomizeButton",  "Randomizes the Styles. This feature creates thousands of variations by switching 'Styles' and adjusting their settings." },
        { "arrowRightButton", "Click to hide the Adjust Tab." },
        { "leftArrowButton",  "Click to hide/show layers and settings" },
    };
    for (const auto& row : rows)
    {
        auto* client = dynamic_cast<juce::SettableTooltipClient*> (child (main, row.name));
        ASSERT_NE (client, nullptr) << row.name;
        EXPECT_EQ (client->getTooltip(), row.tooltip) << row.name;
    }
}

TEST_F (MainWindowContent, HidingAndShowingTooltipsMakesAFreshDesktopTooltipWindow)
{
    auto* first = main.getTooltipWindow();
    ASSERT_NE (first, nullptr);
    EXPECT_EQ (first->getParentComponent(), nullptr);
    EXPECT_EQ (&first->getLookAndFeel(), &main.getMainLookAndFeel());

    // The old window is gone before the new one is made: watch it go.
    juce::Component::SafePointer<juce::TooltipWindow> old (first);
    main.hideTooltips();
    EXPECT_EQ (old, nullptr);
    EXPECT_FALSE (main.areTooltipsShown());

    main.showTooltips();
    auto* fresh = main.getTooltipWindow();
    ASSERT_NE (fresh, nullptr);
    EXPECT_EQ (fresh->getParentComponent(), nullptr);
    EXPECT_EQ (&fresh->getLookAndFeel(), &main.getMainLookAndFeel());
}

//==============================================================================
TEST_F (MainWindowContent, NestedModalPanelsKeepTheToolbarDisabledUntilTheLastLeaves)
{
    showOnDesktop();
    juce::Component a, b;
    for (auto* panel : { &a, &b })
    {
        main.addAndMakeVisible (panel);
        panel->setBounds (300, 200, 100, 100);
    }

    auto toolbarEnabled = [this]
    {
        const bool save = child (main, "savePhotoButton")->isEnabled();
        EXPECT_EQ (save, main.areControlsEnabled());
        EXPECT_EQ (save, child (main, "undoButton")->isEnabled());
        EXPECT_EQ (save, child (main, "presetControlComponent")->isEnabled());
        EXPECT_TRUE (child (main, "getPhotoButton")->isEnabled());   // always
        return save;
    };

    enum Op { enterA, enterB, exitA, exitB, openImage, enableDirectly };
    struct Case { const char* what; bool imageOpen; std::vector<std::pair<Op, bool>> steps; };
    const Case cases[] = {
        { "last in, first out", true, { { enterA, false }, { enterB, false }, { exitB, false }, { exitA, true } } },
        { "first in, first out", true, { { enterA, false }, { enterB, false }, { exitA, false }, { exitB, true } } },
        { "no image: nothing to enable", false, { { enterA, false }, { enterB, false }, { exitB, false }, { exitA, false } } },
        { "an image opening under a panel", false, { { enterA, false }, { openImage, false }, { enableDirectly, false }, { exitA, true } } },
        { "exit twice", true, { { enterA, false }, { enterB, false }, { exitA, false }, { exitA, false }, { exitB, true } } },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        if (c.imageOpen)
            main.openAnImage();
        else
            main.closeImage();

        int step = 0;
        for (const auto& [op, enabledAfter] : c.steps)
        {
            switch (op)
            {
                case enterA:         main.enterModal (&a, true); break;
                case enterB:         main.enterModal (&b, false); break;
                case exitA:          main.exitModal (&a); break;
                case exitB:          main.exitModal (&b); break;
                case openImage:      main.openAnImage(); break;
                case enableDirectly: main.callEnableToolbar(); break;
            }
            EXPECT_EQ (toolbarEnabled(), enabledAfter) << "step " << step;
            ++step;
        }
        ASSERT_EQ (juce::Component::getNumCurrentlyModalComponents(), 0);
    }
    main.removeChildComponent (&a);
    main.removeChildComponent (&b);
}

TEST_F (MainWindowContent, AModalPanelThatGoesAwayWithoutExitModalStillGivesTheToolbarBack)
{
    showOnDesktop();
    main.openAnImage();
    ASSERT_TRUE (main.areControlsEnabled());

    enum class Leaves { deleted, hidden, removed };
    for (const auto leaves : { Leaves::deleted, Leaves::hidden, Leaves::removed })
    {
        auto panel = std::make_unique<juce::Component>();
        main.addAndMakeVisible (*panel);
        panel->setBounds (300, 200, 100, 100);
        juce::Component other;
        main.addAndMakeVisible (other);

        main.enterModal (panel.get(), true);
        main.enterModal (&other, true);
        main.exitModal (&other);
        ASSERT_FALSE (main.areControlsEnabled());

        switch (leaves)
        {
            case Leaves::deleted: panel.reset(); break;
            case Leaves::hidden:  panel->setVisible (false); break;
            case Leaves::removed: main.removeChildComponent (panel.get()); break;
        }
        sxgui::drainMessages();
        EXPECT_EQ (juce::Component::getNumCurrentlyModalComponents(), 0);
        EXPECT_TRUE (main.areControlsEnabled()) << (int) leaves;
        EXPECT_TRUE (child (main, "savePhotoButton")->isEnabled());

        if (panel != nullptr)
            main.removeChildComponent (panel.get());
        main.removeChildComponent (&other);
    }
}

TEST_F (MainWindowContent, ClicksOnDisabledToolbarButtonsReachNothing)
{
    showOnDesktop();
    ClickCounter zoomClicks;
    button (main, "zoomInButton").addListener (&zoomClicks);
    const char* const names[] = { "savePhotoButton", "cropButton", "undoButton", "redoButton", "originalButton", "randomizeButton", "zoomInButton" };

    for (auto* name : names)
        input->click (button (main, name));
    EXPECT_TRUE (main.clicks.isEmpty()) << main.clicks.joinIntoString (", ");
    EXPECT_EQ (zoomClicks.clicks, 0);

    // Enabled, each click arrives; the compare button reports its press and release too.
    main.openAnImage();
    button (main, "cropButton").setEnabled (true);
    for (auto* name : names)
        input->click (button (main, name));
    input->moveTo (canvas());
    EXPECT_EQ (main.clicks, juce::StringArray ({ "savePhotoButton", "cropButton", "undoButton", "redoButton",
                                                 "originalButton", "originalButton", "originalButton", "originalButton",
                                                 "randomizeButton" }));
    EXPECT_EQ (zoomClicks.clicks, 1);   // the zoom buttons report to the canvas, not here

    // The open button stays usable under a modal panel... but the panel blocks the click.
    juce::Component panel;
    main.addAndMakeVisible (panel);
    main.enterModal (&panel, false);
    EXPECT_TRUE (button (main, "getPhotoButton").isEnabled());
    main.clicks.clear();
    input->click (button (main, "getPhotoButton"));
    EXPECT_TRUE (main.clicks.isEmpty());
    main.exitModal (&panel);
    main.removeChildComponent (&panel);
    button (main, "zoomInButton").removeListener (&zoomClicks);
}

//==============================================================================
TEST_F (MainWindowContent, TheTabsSlideThePanelInAndOutAndRememberIt)
{
    showOnDesktop (1024, 700);

    // Show: the panel slides in from beyond the right edge, the hide tab fades in.
    input->click (showArrow());
    EXPECT_TRUE (main.getEffectPanelAnimator().isAnimating (&panel()));
    EXPECT_EQ (main.getEffectPanelAnimator().getLinkedComponent(), child (main, "presetControlComponent"));
    EXPECT_EQ (showArrow().getAlpha(), 0.0f);
    EXPECT_FALSE (showArrow().isEnabled());
    EXPECT_TRUE (hideArrow().isEnabled());
    EXPECT_TRUE (main.getSettings()->get (SettingsKeys::effectControlComponentOpened));
    EXPECT_TRUE (storedOpened());

    clock.advance (70);
    sxgui::fireTimer (main.getEffectPanelAnimator());
    EXPECT_LT (panel().getX(), 1024);
    EXPECT_GT (panel().getX(), 1024 - 256);
    EXPECT_EQ (canvas().getRight(), panel().getX() + 1) << "the canvas follows the panel as it moves";
    clock.advance (80);
    sxgui::fireTimer (main.getEffectPanelAnimator());
    ASSERT_TRUE (sxgui::fireTimer (main, GenericAppComponent::effectPanelDockedTimer));
    EXPECT_EQ (panel().getBounds(), juce::Rectangle<int> (768, 33, 256, 667));
    EXPECT_EQ (SxRelativeBounds::getExpression (panel()), "parent.width - 256, topBar.height, left + 256, presetControlComponent.top");
    EXPECT_TRUE (SxRelativeBounds::isFollowing (panel()));
    EXPECT_EQ (hideArrow().getAlpha(), 1.0f);
    EXPECT_FALSE (main.isEffectPanelParked());

    // Hide: the panel slides out again, the show tab fades back in once it is out.
    main.clicks.clear();
    input->click (hideArrow());
    EXPECT_EQ (main.clicks, juce::StringArray ("arrowRightButton"));
    EXPECT_FALSE (hideArrow().isEnabled());
    EXPECT_FALSE (main.getSettings()->get (SettingsKeys::effectControlComponentOpened));
    EXPECT_FALSE (storedOpened());
    finishSlide (GenericAppComponent::effectPanelParkedTimer);
    EXPECT_EQ (panel().getBounds(), juce::Rectangle<int> (1024, 33, 256, 667));
    EXPECT_EQ (SxRelativeBounds::getExpression (panel()), "parent.width, topBar.height, left + 256, presetControlComponent.top");
    EXPECT_TRUE (showArrow().isEnabled());
    EXPECT_TRUE (main.getPanelAnimator().isAnimating (&showArrow()));
    finishFades();
    EXPECT_EQ (showArrow().getAlpha(), 1.0f);
    EXPECT_EQ (showArrow().getBounds(), juce::Rectangle<int> (989, 33, 41, 30));
    EXPECT_FALSE (hideArrow().isVisible());
    EXPECT_EQ (canvas().getRight(), 1025);

    // And in once more: the hide tab comes back.
    input->click (showArrow());
    finishSlide (GenericAppComponent::effectPanelDockedTimer);
    finishFades();
    EXPECT_TRUE (hideArrow().isVisible());
    EXPECT_EQ (hideArrow().getAlpha(), 1.0f);
    EXPECT_EQ (panel().getX(), 768);
}

TEST_F (MainWindowContent, ADoubleClickOnATabMovesThePanelOnce)
{
    showOnDesktop (1024, 700);

    input->click (showArrow());
    input->click (showArrow());   // the clock stands still: a double click
    main.clickButton (&showArrow());   // and a command that clicks it, while it slides
    EXPECT_EQ (main.clicks.size(), 2) << "the faded tab takes no second click";
    finishSlide (GenericAppComponent::effectPanelDockedTimer);
    EXPECT_EQ (panel().getX(), 768);
    finishFades();

    input->click (hideArrow());
    input->click (hideArrow());
    main.clickButton (&hideArrow());
    finishSlide (GenericAppComponent::effectPanelParkedTimer);
    EXPECT_EQ (panel().getX(), 1024);

    // A hide asked for while the panel is already out of sight does nothing.
    main.clickButton (&hideArrow());
    EXPECT_FALSE (main.getEffectPanelAnimator().isAnimating (&panel()));
    EXPECT_EQ (panel().getX(), 1024);
}

TEST_F (MainWindowContent, ShowingWhileTheShowTabStillFadesInLeavesItHidden)
{
    showOnDesktop (1024, 700);
    dock();
    input->click (hideArrow());
    finishSlide (GenericAppComponent::effectPanelParkedTimer);

    // Part way into its 300 ms fade, the show tab is clicked.
    clock.advance (100);
    sxgui::fireTimer (main.getPanelAnimator());
    ASSERT_GT (showArrow().getAlpha(), 0.0f);
    input->click (showArrow());
    finishSlide (GenericAppComponent::effectPanelDockedTimer);
    finishFades();

    EXPECT_EQ (showArrow().getAlpha(), 0.0f);
    EXPECT_FALSE (showArrow().isEnabled());
    EXPECT_EQ (showArrow().getBounds(), juce::Rectangle<int> (989, 33, 41, 30));
    EXPECT_EQ (panel().getX(), 768);
}

TEST_F (MainWindowContent, ATabClickedInTheTitleBarShowsItsPage)
{
    showOnDesktop (1024, 700);
    dock();

    std::vector<std::unique_ptr<SxMainTabComponent>> pages;
    for (auto* name : { "Adjust", "Paper", "Ink" })
    {
        pages.push_back (std::make_unique<SxMainTabComponent> (false, true));
        pages.back()->setName (name);
        main.getEffectTabs()->addPage (pages.back().get());
    }
    main.getEffectTabs()->buildTabs();
    ASSERT_EQ (main.getEffectTabBar()->getNumTabs(), 3);
    EXPECT_EQ (main.getEffectTabs()->getCurrentPage(), 0);

    // The last tab too: nothing invisible lies over the right end of the title bar.
    for (int tab : { 2, 1 })
    {
        input->click (*main.getEffectTabBar()->getTab (tab));
        EXPECT_EQ (main.getEffectTabs()->getCurrentPage(), tab);
        EXPECT_EQ (main.getEffectTabs()->getPage (tab)->getBounds(), main.getEffectTabs()->getLocalBounds());
    }
    main.getEffectTabs()->clearPages();
}

TEST_F (MainWindowContent, WhatCannotBeSeenTakesNoClicks)
{
    showOnDesktop (1024, 700);

    // Parked: the invisible hide tab, the shadow strip and the empty sub-tool area all lie
    // over the canvas.
    for (auto point : { juce::Point<int> (1024 - 270, 45), juce::Point<int> (400, 36), juce::Point<int> (200, 50) })
        EXPECT_EQ (main.getComponentAt (point), &canvas()) << point.toString();
    main.clicks.clear();
    input->click (main, { 1024 - 270, 45 });
    EXPECT_TRUE (main.clicks.isEmpty());
    EXPECT_FALSE (main.getEffectPanelAnimator().isAnimating (&panel()));

    // Docked: the faded show tab lies over the panel's title bar.
    dock();
    auto* underShowTab = main.getComponentAt (juce::Point<int> (1010, 50));
    EXPECT_NE (underShowTab, &showArrow());
    EXPECT_TRUE (panel().isParentOf (underShowTab) || underShowTab == &panel());
}

TEST_F (MainWindowContent, FirstShowOpensTheEffectPanelAsItWasLeft)
{
    for (const bool opened : { true, false })
    {
        SCOPED_TRACE (opened);
        ScopedUserFolders ownFolders;
        RecordingProduct product;
        product.startUp();
        product.getSettings()->set (SettingsKeys::effectControlComponentOpened, opened);
        product.createUI();
        product.setButtonTooltips();
        product.setSize (1024, 700);

        product.firstShow();
        ASSERT_TRUE (sxgui::fireTimer (product, GenericAppComponent::firstShowTimer));
        EXPECT_EQ (product.clicks, opened ? juce::StringArray ("leftArrowButton") : juce::StringArray());
        EXPECT_EQ (product.getEffectPanelAnimator().isAnimating (product.getEffectPanel()), opened);

        clock.advance (GenericAppComponent::effectPanelSlideMs);
        sxgui::fireTimer (product.getEffectPanelAnimator());
        sxgui::fireTimer (product, GenericAppComponent::effectPanelDockedTimer);
        EXPECT_EQ (product.getEffectPanel()->getX(), opened ? 1024 - 256 : 1024);
        EXPECT_EQ (product.getDocument()->getRight(), opened ? 1024 - 255 : 1025);
        // The preset browser does not exist yet: its place stays below the bottom edge.
        EXPECT_EQ (child (product, "presetControlComponent")->getY(), 700);
    }
}
