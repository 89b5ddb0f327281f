#include "ImageListTest.h"
#include "SxCheckbox.h"
#include "SxCheckboxImageButton.h"
#include "SxScroller.h"

// The picker in use: opening and closing, picking with and without auto-close, the shared
// setting, and the list going away at any moment.

namespace
{
    using ImageListPanel = ImageListTest;

    constexpr int mainWidth = sxgui::HostWindow::windowWidth;
    const juce::Rectangle<int> docked { mainWidth - 256, 33, 306, ImageListTest::panelHeight };
    const juce::Rectangle<int> parked { mainWidth + 1, 33, 306, ImageListTest::panelHeight };
}

TEST_F (ImageListPanel, OpensBesideTheEffectPanelModalAndFollowsTheWindowOnceDocked)
{
    auto& list = makeList();
    clickOpener (list);
    auto* panel = list.getSlidePanel();

    EXPECT_EQ (panel->getParentComponent(), &host);
    EXPECT_EQ (panel->getBounds(), parked) << "starts just beyond the right edge";
    EXPECT_TRUE (list.animator.isAnimating (panel));
    EXPECT_TRUE (list.isOpen());
    EXPECT_EQ (list.getOpenerButton()->getName(), "ImageButtonOpened");
    EXPECT_TRUE (panel->isCurrentlyModal (false));
    EXPECT_FALSE (host.isToolbarEnabled());
    EXPECT_FALSE (host.alertOnBlockedInput());
    EXPECT_TRUE (panel->hasKeyboardFocus (true));
    EXPECT_EQ (list.getTimerInterval (GenericImageListPanel::dockTimer), 300);

    // Back out: past the docked place, then back to it.
    int leftmost = panel->getX();
    for (int ms = 0; ms < 300 && list.animator.isAnimating (panel); ms += 10)
    {
        run (list.animator, 10);
        leftmost = std::min (leftmost, panel->getX());
    }
    EXPECT_LT (leftmost, docked.getX());
    settle (list.animator);
    EXPECT_EQ (panel->getBounds(), docked);

    ASSERT_TRUE (sxgui::fireTimer (list, GenericImageListPanel::dockTimer));
    host.setSize (1200, 760);
    EXPECT_EQ (panel->getBounds(), juce::Rectangle<int> (1200 - 256, 33, 306, 760 - 33));
    host.setSize (mainWidth, sxgui::HostWindow::windowHeight);
}

TEST_F (ImageListPanel, AutoClosePickSlidesOutAtOnceAndReports350MsAfterTheClick)
{
    auto& list = makeList();
    openSettled (list);
    auto* panel = list.getSlidePanel();
    auto* button = list.getItemButton (4);

    input.click (*button);
    EXPECT_FALSE (list.isOpen());
    EXPECT_EQ (list.getOpenerButton()->getName(), "ImageButtonClosed");
    EXPECT_TRUE (list.animator.isAnimating (panel)) << "sliding out at once";
    EXPECT_EQ (list.getSelectedIndex(), 4);
    EXPECT_EQ (list.getSelectionFrame()->getPosition(), button->getPosition() - juce::Point<int> (3, 3));
    EXPECT_EQ (centreOf (pictureOn (list.getOpenerButton())), colourOf (4));
    EXPECT_EQ (list.getTimerInterval (GenericImageListPanel::reportTimer), 350);
    EXPECT_EQ (list.getTimerInterval (GenericImageListPanel::parkTimer), 300);
    EXPECT_EQ (list.getTimerInterval (GenericImageListPanel::leaveModalTimer), 300);

    sxgui::drainMessages();
    EXPECT_TRUE (owner.choices.empty()) << "not before the panel is out";

    finishClose (list);
    EXPECT_EQ (panel->getParentComponent(), nullptr);
    EXPECT_EQ (panel->getBounds(), parked);
    EXPECT_FALSE (panel->isCurrentlyModal (false));
    EXPECT_TRUE (host.isToolbarEnabled());

    ASSERT_TRUE (sxgui::fireTimer (list, GenericImageListPanel::reportTimer));
    EXPECT_TRUE (owner.choices.empty()) << "through the message loop, never inside a timer or a click";
    sxgui::drainMessages();
    ASSERT_EQ (owner.choices.size(), 1u);
    EXPECT_EQ (owner.choices[0].list, &list);
    EXPECT_EQ (owner.choices[0].index, 4);
    EXPECT_FALSE (owner.choices[0].openWhenTold);
}

TEST_F (ImageListPanel, UntickedPickReportsAtOnceAndThePanelStays)
{
    auto& list = makeList();
    openSettled (list);
    input.click (list.getAutoCloseCheckbox()->getTick());
    EXPECT_FALSE (list.getAutoCloseCheckbox()->isChecked());
    EXPECT_FALSE (autoCloseOnDisk()) << "saved at once";

    input.click (*list.getItemButton (7));
    EXPECT_TRUE (owner.choices.empty()) << "never from inside the click";
    EXPECT_FALSE (list.isTimerRunning (GenericImageListPanel::reportTimer));
    sxgui::drainMessages();
    ASSERT_EQ (owner.choices.size(), 1u);
    EXPECT_EQ (owner.choices[0].index, 7);
    EXPECT_TRUE (owner.choices[0].openWhenTold);

    EXPECT_TRUE (list.isOpen());
    EXPECT_FALSE (list.animator.isAnimating (list.getSlidePanel()));
    EXPECT_TRUE (list.getSlidePanel()->isCurrentlyModal (false));

    input.click (*list.getItemButton (8));
    sxgui::drainMessages();
    ASSERT_EQ (owner.choices.size(), 2u);
    EXPECT_EQ (owner.choices[1].index, 8);
}

TEST_F (ImageListPanel, UntickingInOneListUnticksEveryOtherOnItsNextOpen)
{
    auto& paper = makeList();
    auto& border = makeList (group, 250);
    border.setName ("edgeImageList");
    EXPECT_TRUE (border.getAutoCloseCheckbox()->isChecked());

    openSettled (paper);
    input.click (paper.getAutoCloseCheckbox()->getTick());
    paper.closePanel();
    finishClose (paper);
    EXPECT_FALSE (autoCloseOnDisk());

    openSettled (border);
    EXPECT_FALSE (border.getAutoCloseCheckbox()->isChecked());
    input.click (border.getAutoCloseCheckbox()->getTick());
    EXPECT_TRUE (autoCloseOnDisk());
}

TEST_F (ImageListPanel, EscapeAndAClickOutsideCloseWithoutAChoice)
{
    auto& list = makeList();

    for (const bool withEscape : { true, false })
    {
        SCOPED_TRACE (withEscape ? "Escape" : "click outside");
        openSettled (list);

        if (withEscape)
            EXPECT_TRUE (input.pressKey (juce::KeyPress (juce::KeyPress::escapeKey)));
        else
            clickOutside();

        EXPECT_FALSE (list.isOpen());
        finishClose (list);
        EXPECT_EQ (list.getSlidePanel()->getParentComponent(), nullptr);
        EXPECT_TRUE (host.isToolbarEnabled());
    }

    sxgui::drainMessages();
    EXPECT_TRUE (owner.choices.empty());
}

TEST_F (ImageListPanel, EscapeStillClosesAfterAThumbnailTookTheClick)
{
    settings->setValue (GenericImageListPanel::autoCloseKey, false);
    auto& list = makeList();
    openSettled (list);
    input.click (*list.getItemButton (1));
    sxgui::drainMessages();

    EXPECT_TRUE (input.pressKey (juce::KeyPress (juce::KeyPress::escapeKey)));
    EXPECT_FALSE (list.isOpen());
}

TEST_F (ImageListPanel, ASecondOpenerClickDuringTheSlideIsIgnored)
{
    auto& list = makeList();
    clickOpener (list);
    run (list.animator, 150);
    auto* opener = list.getOpenerButton();
    ASSERT_TRUE (list.getSlidePanel()->getBounds().contains (host.getLocalPoint (opener, opener->getLocalBounds().getCentre())))
        << "by now the panel lies over the opener";

    // The second click goes through the sliding panel (no thumbnail is picked) to the opener,
    // which the modal panel blocks: an outside click.
    clickOpener (list);
    if (auto* watcher = SxOutsideInputWatcher::getInstanceWithoutCreating())
        sxgui::fireTimer (*watcher);
    EXPECT_EQ (list.getSelectedIndex(), 0);
    list.toggle();                       // the opener's own action while open
    EXPECT_TRUE (input.pressKey (juce::KeyPress (juce::KeyPress::escapeKey)));

    EXPECT_TRUE (list.isOpen());
    settle (list.animator);
    EXPECT_EQ (list.getSlidePanel()->getBounds(), docked);
    EXPECT_TRUE (list.getSlidePanel()->isCurrentlyModal (false));
    EXPECT_TRUE (sxgui::fireTimer (list, GenericImageListPanel::dockTimer));
    sxgui::drainMessages();
    EXPECT_TRUE (owner.choices.empty());

    // And the same while closing: the panel goes out once.
    list.toggle();
    run (list.animator, 100);
    list.toggle();
    EXPECT_FALSE (list.isOpen());
    finishClose (list);
    EXPECT_EQ (list.getSlidePanel()->getBounds(), parked);
}

TEST_F (ImageListPanel, ReopenedRightAfterTheSlideOutItStaysModal)
{
    auto& list = makeList();
    openSettled (list);
    list.closePanel();
    settle (list.animator);              // out, but the close's two timers not yet fired

    list.toggle();                       // the owner's call: a click would still be blocked
    EXPECT_TRUE (list.isOpen());
    EXPECT_FALSE (list.isTimerRunning (GenericImageListPanel::parkTimer));
    EXPECT_FALSE (list.isTimerRunning (GenericImageListPanel::leaveModalTimer));
    settle (list.animator);
    EXPECT_EQ (list.getSlidePanel()->getBounds(), docked);
    EXPECT_TRUE (list.getSlidePanel()->isCurrentlyModal (false));
    EXPECT_FALSE (host.isToolbarEnabled());
}

TEST_F (ImageListPanel, APickDuringTheOpeningSlideClosesThePanel)
{
    // The sliding panel takes no clicks, but a pick may still arrive by other means.
    auto& list = makeList();
    clickOpener (list);
    run (list.animator, 250);
    list.buttonClicked (list.getItemButton (2));

    EXPECT_FALSE (list.isOpen());
    finishClose (list);
    EXPECT_EQ (list.getSlidePanel()->getBounds(), parked);
    EXPECT_TRUE (host.isToolbarEnabled());
    ASSERT_TRUE (sxgui::fireTimer (list, GenericImageListPanel::reportTimer));
    sxgui::drainMessages();
    ASSERT_EQ (owner.choices.size(), 1u);
    EXPECT_EQ (owner.choices[0].index, 2);
}

TEST_F (ImageListPanel, ReopeningShowsTheGridWhereItWasScrolledAtThePick)
{
    auto& list = makeList();
    openSettled (list);
    auto* scroller = list.getScroller();
    scroller->setViewPosition (0, 120);
    input.click (*list.getItemButton (6));    // row 3 (top 165), visible at 45
    finishClose (list);
    EXPECT_EQ (list.getSavedViewPosition(), juce::Point<int> (0, 120));

    scroller->setViewPosition (0, 0);
    openSettled (list);
    EXPECT_EQ (scroller->getViewPosition(), juce::Point<int> (0, 120));
}

TEST_F (ImageListPanel, DeletedAtAnyMomentItLeavesNoPanelModalStateOrReportBehind)
{
    enum class Moment { opening, open, closing, reportPending, pickedWhileOpen };

    for (const auto moment : { Moment::opening, Moment::open, Moment::closing, Moment::reportPending, Moment::pickedWhileOpen })
    {
        SCOPED_TRACE ((int) moment);
        owner.choices.clear();
        settings->setValue (GenericImageListPanel::autoCloseKey, moment != Moment::pickedWhileOpen);
        auto* list = &makeList();
        clickOpener (*list);

        if (moment != Moment::opening)
        {
            settle (list->animator);
            sxgui::fireTimer (*list, GenericImageListPanel::dockTimer);
        }
        if (moment == Moment::closing)
            list->closePanel();
        if (moment == Moment::reportPending || moment == Moment::pickedWhileOpen)
            input.click (*list->getItemButton (3));
        if (moment == Moment::reportPending)
            finishClose (*list);

        const juce::Component::SafePointer<juce::Component> panel (list->getSlidePanel());
        delete list;

        EXPECT_EQ (panel.getComponent(), nullptr);
        EXPECT_EQ (juce::Component::getNumCurrentlyModalComponents(), 0);
        EXPECT_TRUE (host.isToolbarEnabled());
        settle (host.getPanelAnimator());
        sxgui::drainMessages();
        EXPECT_TRUE (owner.choices.empty());
    }
}

TEST_F (ImageListPanel, APanelDeletedWithTheWindowsChildrenFirstIsNotTouchedAgain)
{
    auto& list = makeList();
    openSettled (list);
    delete list.getSlidePanel();         // as a main component deleting what it holds

    EXPECT_EQ (list.getSlidePanel(), nullptr);
    EXPECT_EQ (list.getItemButton (0), nullptr);
    list.toggle();
    list.setSelectedIndex (2);
    list.selectItemNamed ("paper-05");
    list.closePanel();
    for (const auto id : { GenericImageListPanel::dockTimer, GenericImageListPanel::parkTimer, GenericImageListPanel::leaveModalTimer })
        list.timerCallback (id);
    EXPECT_EQ (list.getSelectedIndex(), 5);
}

TEST_F (ImageListPanel, AnOwnerMayDeleteTheListWhenItHearsOfTheChoice)
{
    settings->setValue (GenericImageListPanel::autoCloseKey, false);
    auto* list = &makeList();
    owner.onChoice = [] (GenericImageList* chosen) { delete chosen; };
    openSettled (*list);
    const juce::Component::SafePointer<juce::Component> panel (list->getSlidePanel());

    input.click (*list->getItemButton (5));
    sxgui::drainMessages();
    ASSERT_EQ (owner.choices.size(), 1u);
    EXPECT_EQ (panel.getComponent(), nullptr);
    EXPECT_TRUE (host.isToolbarEnabled());
}
