#include "SlidingPanelTest.h"
#include "SxOutsideInputWatcher.h"
#include "SxPanelComponent.h"
#include "SxSlideInComponentCallback.h"
#include "SxSlideInComponentDocumentActive.h"

namespace
{
    /** The wizard's side: what it was told, and whether the panel was still modal then. */
    struct Wizard : public SxSlideInComponentCallback
    {
        void slideInClosedWithButton (SxSlideInComponent* p) override  { note ("button", p); }
        void slideInDismissed (SxSlideInComponent* p) override         { note ("dismissed", p); }

        void note (const char* what, SxSlideInComponent* p)
        {
            told.add (what);
            modalWhenTold = p->isCurrentlyModal (false);
            nameWhenTold = p->getName();
        }

        juce::StringArray told;
        bool modalWhenTold = false;
        juce::String nameWhenTold;
    };

    class SlideInTest : public SlidingPanelTest
    {
    protected:
        Wizard wizard;
        juce::Component wizardControls { "wizardControls" };

        template <typename PanelType = SxSlideInComponentDocumentActive>
        juce::Component::SafePointer<SxSlideInComponent> open (bool insideTabArea = false)
        {
            auto* panel = new PanelType ("maskSlideinComponent", &wizard);
            panel->open ("Selective Mask", &wizardControls, "Apply", insideTabArea);
            return panel;
        }

        /** Through the slide-in: timer 50, the slide, timer 51. */
        void slideIn (SxSlideInComponent& panel)
        {
            ASSERT_TRUE (sxgui::fireTimer (panel, SxSlideInComponent::slideInTimer));
            settle (panel.animator);
            ASSERT_TRUE (sxgui::fireTimer (panel, SxSlideInComponent::pinTimer));
        }

        /** A press and release on the toolbar, and the watcher's tick that follows. */
        void clickOutside()
        {
            input.click (host.getToolbar(), { 600, 15 });
            if (auto* watcher = SxOutsideInputWatcher::getInstanceWithoutCreating())
                sxgui::fireTimer (*watcher);
        }
    };
}

TEST_F (SlideInTest, OpensModalJustBeyondTheRightEdgeAndSlidesInAfter100Ms)
{
    auto panel = open();
    auto& effectPanel = host.getEffectPanel();

    EXPECT_EQ (panel->getParentComponent(), &effectPanel);
    EXPECT_EQ (panel->getBounds(), juce::Rectangle<int> (256, 0, 256, effectPanel.getHeight()));
    EXPECT_TRUE (panel->isCurrentlyModal (false));
    EXPECT_FALSE (host.isToolbarEnabled());
    EXPECT_FALSE (host.alertOnBlockedInput());
    EXPECT_EQ (panel->getPanel()->getTitle(), "Selective Mask");
    EXPECT_EQ (panel->getContent()->getName(), "PanelInsideComponent");
    EXPECT_EQ (panel->getContent()->getBounds(), juce::Rectangle<int> (0, 33, 256, effectPanel.getHeight() - 66));
    EXPECT_EQ (wizardControls.getParentComponent(), panel->getContent());
    EXPECT_EQ (panel->getTimerInterval (SxSlideInComponent::slideInTimer), 100);

    juce::Button* button = nullptr;
    for (auto* child : panel->getChildren())
        if (child->getName() == "closeButton")
            button = dynamic_cast<juce::Button*> (child);
    ASSERT_NE (button, nullptr);
    EXPECT_EQ (button->getBounds(), juce::Rectangle<int> (78, effectPanel.getHeight() - 30, 100, 23));

    ASSERT_TRUE (sxgui::fireTimer (*panel, SxSlideInComponent::slideInTimer));
    EXPECT_EQ (panel->getTimerInterval (SxSlideInComponent::pinTimer), 350);
    settle (panel->animator);
    EXPECT_EQ (panel->getX(), 0);
}

TEST_F (SlideInTest, PinnedAfterTheSlideItStaysFlushRightButNotBefore)
{
    juce::Component tabArea ("tabArea");
    host.getEffectPanel().addAndMakeVisible (tabArea);
    tabArea.setBounds (0, 30, 256, 500);
    host.effectTabArea = &tabArea;

    auto panel = open (true);
    EXPECT_EQ (panel->getParentComponent(), &tabArea);

    sxgui::fireTimer (*panel, SxSlideInComponent::slideInTimer);
    run (panel->animator, 50);
    tabArea.setSize (300, 520);          // while sliding in: the panel keeps to its own course
    settle (panel->animator);
    EXPECT_EQ (panel->getBounds(), juce::Rectangle<int> (0, 0, 256, 500));

    sxgui::fireTimer (*panel, SxSlideInComponent::pinTimer);
    tabArea.setSize (320, 540);
    EXPECT_EQ (panel->getBounds(), juce::Rectangle<int> (320 - 256, 0, 256, 540));

    delete panel.getComponent();
    host.effectTabArea = nullptr;
}

TEST_F (SlideInTest, TheCanvasStaysUsableWhileAnythingElseDismisses)
{
    auto panel = open();
    slideIn (*panel);
    auto& canvas = host.getCanvas();

    input.press (canvas, { 40, 40 });
    input.release (canvas, { 40, 40 });
    if (auto* watcher = SxOutsideInputWatcher::getInstanceWithoutCreating())
    {
        EXPECT_FALSE (watcher->isArmed());
    }

    EXPECT_TRUE (canvas.mouseEvents.contains ("down"));
    EXPECT_TRUE (canvas.mouseEvents.contains ("up"));
    EXPECT_FALSE (panel->isClosing());
    EXPECT_EQ (host.alertsSounded, 0);

    clickOutside();
    ASSERT_TRUE (panel->isClosing());
    EXPECT_EQ (host.alertsSounded, 0);       // a slide-in asks for no alert
    EXPECT_EQ (panel->getTimerInterval (SxSlideInComponent::dismissedTimer), 550);
    EXPECT_TRUE (host.toolbarClicks.isEmpty());

    settle (panel->animator);
    EXPECT_EQ (panel->getX(), 257);
    EXPECT_TRUE (wizard.told.isEmpty());     // only once the slide-out is over

    EXPECT_TRUE (sxgui::fireTimer (*panel, SxSlideInComponent::dismissedTimer));
    EXPECT_EQ (wizard.told, juce::StringArray ({ "dismissed" }));
    EXPECT_TRUE (wizard.modalWhenTold);      // told first, then the modal state goes...
    EXPECT_EQ (wizard.nameWhenTold, "maskSlideinComponent");
    EXPECT_EQ (panel, nullptr);              // ...then the panel
    EXPECT_TRUE (host.isToolbarEnabled());
    EXPECT_EQ (wizardControls.getParentComponent(), nullptr);   // shown, not owned
}

TEST_F (SlideInTest, APlainSlideInTakesACanvasClickAsAClickOutside)
{
    auto panel = open<SxSlideInComponent>();
    slideIn (*panel);

    input.press (host.getCanvas(), { 40, 40 });
    input.release (host.getCanvas(), { 40, 40 });
    if (auto* watcher = SxOutsideInputWatcher::getInstanceWithoutCreating())
        sxgui::fireTimer (*watcher);

    EXPECT_FALSE (host.getCanvas().mouseEvents.contains ("down"));
    EXPECT_TRUE (panel->isClosing());
    settle (panel->animator);
    sxgui::fireTimer (*panel, SxSlideInComponent::dismissedTimer);
    EXPECT_EQ (wizard.told, juce::StringArray ({ "dismissed" }));
}

TEST_F (SlideInTest, TheButtonAndEscapeCloseTheirOwnWay)
{
    {
        auto panel = open();
        slideIn (*panel);
        for (auto* child : panel->getChildren())
            if (child->getName() == "closeButton")
                input.click (*child);
        ASSERT_TRUE (panel->isClosing());
        settle (panel->animator);
        sxgui::fireTimer (*panel, SxSlideInComponent::closedWithButtonTimer);
        EXPECT_EQ (panel, nullptr);
        EXPECT_EQ (wizard.told, juce::StringArray ({ "button" }));
    }

    wizard.told.clear();
    {
        auto panel = open();
        slideIn (*panel);
        EXPECT_TRUE (input.pressKey (juce::KeyPress (juce::KeyPress::escapeKey)));
        ASSERT_TRUE (panel->isClosing());
        settle (panel->animator);
        sxgui::fireTimer (*panel, SxSlideInComponent::dismissedTimer);
        EXPECT_EQ (panel, nullptr);
        EXPECT_EQ (wizard.told, juce::StringArray ({ "dismissed" }));
    }
}

TEST_F (SlideInTest, ASecondCloseRestartsTheSlideButReportsOnce)
{
    auto panel = open();
    slideIn (*panel);

    panel->close();
    run (panel->animator, 200);
    clickOutside();
    EXPECT_TRUE (panel->isTimerRunning (SxSlideInComponent::closedWithButtonTimer));
    EXPECT_TRUE (panel->isTimerRunning (SxSlideInComponent::dismissedTimer));

    settle (panel->animator);
    EXPECT_TRUE (sxgui::fireTimer (*panel, SxSlideInComponent::closedWithButtonTimer));   // the first armed fires first
    EXPECT_EQ (panel, nullptr);
    EXPECT_EQ (wizard.told, juce::StringArray ({ "button" }));
    EXPECT_EQ (juce::Component::getNumCurrentlyModalComponents(), 0);
}

TEST_F (SlideInTest, AClosePressedDuringTheSlideInIsNotUndoneByThePin)
{
    for (const bool beforeTheSlide : { true, false })
    {
        SCOPED_TRACE (beforeTheSlide ? "before the slide" : "during the slide");
        wizard.told.clear();
        auto panel = open();

        if (! beforeTheSlide)
        {
            sxgui::fireTimer (*panel, SxSlideInComponent::slideInTimer);
            run (panel->animator, 50);
        }

        input.pressKey (juce::KeyPress (juce::KeyPress::escapeKey));
        EXPECT_FALSE (panel->isTimerRunning (SxSlideInComponent::slideInTimer));
        EXPECT_FALSE (panel->isTimerRunning (SxSlideInComponent::pinTimer));

        settle (panel->animator);
        EXPECT_EQ (panel->getX(), 257);
        sxgui::fireTimer (*panel, SxSlideInComponent::dismissedTimer);
        EXPECT_EQ (panel, nullptr);
        EXPECT_EQ (wizard.told, juce::StringArray ({ "dismissed" }));
    }
}
