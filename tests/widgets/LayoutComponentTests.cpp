#include "HostedTest.h"
#include "ManualClock.h"
#include "SxLayoutComponent.h"
#include "SxLayoutController.h"
#include "SxRelativeBounds.h"
#include "SxScroller.h"

namespace
{
    using Rect = juce::Rectangle<int>;

    /** A row that counts its refreshes and writes them into a shared log. */
    struct CountingRow : public SxComponent
    {
        CountingRow (const juce::String& name, int height, juce::StringArray& l) : SxComponent (name), log (l)
        {
            setSize (100, height);
        }

        void update() override  { log.add (getName()); }

        juce::StringArray& log;
    };

    class ContainerTest : public sxgui::HostedTest
    {
    protected:
        SxLayoutComponent& addContainer (bool fullWidth, bool showScrollBar, Rect bounds = { 0, 40, 256, 300 })
        {
            return add (new SxLayoutComponent (fullWidth, showScrollBar), bounds);
        }

        CountingRow* row (const juce::String& name, int height = 30)
        {
            return new CountingRow (name, height, log);
        }

        bool tick (SxLayoutComponent& container, int ms = 10)
        {
            clock.advance ((juce::uint32) ms);
            return sxgui::fireTimer (container.getAnimator());
        }

        sxgui::ManualClock clock;
        juce::StringArray log;
    };
}

TEST_F (ContainerTest, ItShowsOneControllerInAVerticalScrollerAsTallAsTheStackPlusFive)
{
    auto& page = addContainer (false, true);
    auto* scroller = page.getScroller();
    ASSERT_NE (scroller, nullptr);

    EXPECT_EQ (page.getName(), "");
    EXPECT_EQ (scroller->getName(), "SxLayoutComponentScroller");
    EXPECT_EQ (scroller->getBounds(), page.getLocalBounds());
    EXPECT_EQ (scroller->getViewedComponent(), page.getContent());
    EXPECT_EQ (page.getContent()->getName(), "SxLayoutComponentScrollerInsideComponent");
    EXPECT_EQ (page.getController()->getParentComponent(), page.getContent());
    EXPECT_TRUE (scroller->isVerticalScrollBarShown());
    EXPECT_FALSE (scroller->isHorizontalScrollBarShown());
    EXPECT_EQ (scroller->getScrollBarThickness(), 10);
    EXPECT_FALSE (scroller->horizontal);
    EXPECT_TRUE (scroller->dragScrollEnabled);

    page.addItem (row ("a", 40));
    page.addItem (row ("b", 50));
    page.layoutItems();
    EXPECT_EQ (page.getController()->getStackHeight(), 10 + 40 + 10 + 50);

    // Room for the scroll bar on the right, the stack 5 in from the left.
    EXPECT_EQ (page.getContent()->getBounds(), Rect (0, 0, 248, 115));
    EXPECT_EQ (page.getController()->getBounds(), Rect (5, 0, 235, 115));

    auto& wide = addContainer (true, false, { 300, 40, 256, 300 });
    EXPECT_FALSE (wide.getScroller()->isVerticalScrollBarShown());
    EXPECT_FALSE (wide.getScroller()->dragScrollEnabled);
    wide.addItem (row ("c", 40));
    wide.layoutItems();
    EXPECT_EQ (wide.getContent()->getBounds(), Rect (0, 0, 256, 55));
    EXPECT_EQ (wide.getController()->getBounds(), Rect (0, 0, 256, 55));
}

TEST_F (ContainerTest, OneUpdateRefreshesEveryControlInTheOrderAddedAndSkipsDeletedOnes)
{
    auto& page = addContainer (false, true);
    auto* first = row ("first");
    auto* left = row ("left");
    auto* right = row ("right");
    auto* inserted = row ("inserted");
    auto* direct = row ("direct");
    auto* removed = row ("removed");
    juce::Label notAControl ("label");

    page.addItem (first);
    page.addItemPair (left, right, false);
    page.insertItemFirst (inserted, false);
    page.addAndMakeVisible (direct);
    page.addAndMakeVisible (notAControl);
    page.addItem (removed);
    page.removeItem (removed);
    page.layoutItems();

    page.update();
    EXPECT_EQ (log, juce::StringArray ({ "first", "left", "right", "inserted", "direct" }));

    log.clear();
    delete left;
    delete removed;
    page.update();
    EXPECT_EQ (log, juce::StringArray ({ "first", "right", "inserted", "direct" }));
    page.removeChildComponent (&notAControl);
}

TEST_F (ContainerTest, AGrowingStackGetsItsRoomAtOnceAndAShrinkingOneGivesItBackOverDurationPlus400)
{
    auto& page = addContainer (false, true);
    auto* a = row ("a");
    auto* b = row ("b");
    auto* c = row ("c");
    for (auto* r : { a, b, c })
        page.addItem (r);
    page.layoutItems();
    auto& controller = *page.getController();
    ASSERT_EQ (page.getContent()->getHeight(), 10 + 3 * 30 + 2 * 10 + 5);

    controller.clearPendingChanges();
    controller.setItemVisible (b, false);
    page.animateChanges (400, false);

    const int shrunk = 10 + 2 * 30 + 10 + 5;
    EXPECT_EQ (page.getContent()->getHeight(), 125) << "still as tall";
    EXPECT_EQ (page.getContent()->getWidth(), 248);

    for (int elapsed = 0; elapsed < 790; elapsed += 10)
        tick (page);
    EXPECT_GT (page.getContent()->getHeight(), shrunk) << "800 ms for 400";
    while (tick (page)) {}
    EXPECT_EQ (page.getContent()->getHeight(), shrunk);
    EXPECT_EQ (controller.getHeight(), shrunk);

    sxgui::fireTimer (controller, SxLayoutController::relayoutTimerId);
    controller.finishAnimations();

    controller.clearPendingChanges();
    controller.setItemVisible (b, true);
    page.animateChanges (400, false);
    EXPECT_EQ (page.getContent()->getHeight(), 125) << "grown at once";
    EXPECT_EQ (page.getAnimator().getNumTasks(), 0);

    controller.finishAnimations();
    controller.clearPendingChanges();
    controller.setItemVisible (b, false);
    page.animateChanges (0, false);
    EXPECT_EQ (page.getContent()->getHeight(), shrunk) << "0 ms: at once";
}

TEST_F (ContainerTest, RebuildingDeletesEveryRowAndForgetsTheControls)
{
    auto& page = addContainer (false, true);
    juce::Component::SafePointer<juce::Component> laidOut (row ("laidOut"));
    juce::Component::SafePointer<juce::Component> oldController (page.getController());
    page.addItem (laidOut.getComponent());
    page.layoutItems();

    page.build (-2, 3);
    EXPECT_EQ (laidOut, nullptr);
    EXPECT_EQ (oldController, nullptr);
    EXPECT_EQ (page.getController()->getSpacing(), -2);
    EXPECT_EQ (page.getController()->topInset, 3);
    EXPECT_TRUE (page.getControls().empty());
    EXPECT_EQ (page.getContent()->getHeight(), 3 + 5);
}

TEST_F (ContainerTest, ANestedContainerCountsAsTallAsItsStack)
{
    auto& outer = addContainer (true, false);
    auto* inner = new SxLayoutComponent (true, false);
    inner->setSize (200, 999);
    inner->addItem (row ("x", 20));
    inner->layoutItems();
    auto* empty = new SxLayoutComponent (true, false);
    empty->setSize (200, 33);

    outer.addItem (inner);
    outer.addItem (empty);
    outer.getController()->computeStackHeight (true);
    EXPECT_EQ (outer.getController()->getStackHeight(), 10 + (10 + 20) + 10 + 33);
}
