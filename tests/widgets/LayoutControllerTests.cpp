#include "EaseValue.h"
#include "HostedTest.h"
#include "ManualClock.h"
#include "SxLabelSlider.h"
#include "SxLayoutController.h"
#include "SxLayoutControllerCombinedComponent.h"
#include "SxRelativeBounds.h"

#include <new>

namespace
{
    using Rect = juce::Rectangle<int>;
    using Controller = SxLayoutController;

    SxComponent* makeRow (const juce::String& name, int height, int width = 100)
    {
        auto* row = new SxComponent (name);
        row->setSize (width, height);
        return row;
    }

    /** A controller 240 wide on the host window; rows and timers by hand. */
    class LayoutTest : public sxgui::HostedTest
    {
    protected:
        void SetUp() override
        {
            HostedTest::SetUp();
            add (controller, { 10, 40, 240, 600 });
        }

        SxComponent* addRow (const juce::String& name, int height)
        {
            auto* row = makeRow (name, height);
            controller->addItem (row);
            return row;
        }

        /** Runs the controller's animations to their end on the hand clock. */
        void finishMoves()
        {
            for (int i = 0; i < 200 && tick(); ++i) {}
        }

        bool tick (int ms = 10)
        {
            clock.advance ((juce::uint32) ms);
            return sxgui::fireTimer (controller->getAnimator());
        }

        /** Hides rows at once, as a panel does while it is built. */
        void hideNow (std::initializer_list<juce::Component*> rows)
        {
            controller->clearPendingChanges();
            for (auto* r : rows)
                controller->setItemVisible (r, false);
            controller->applyPendingChanges (0, false);
        }

        sxgui::ManualClock clock;
        Controller* controller = new Controller (10);
    };

    /** Four 30-pixel rows a, b, c, d with spacing 10 from y 0, laid out, c hidden at once. */
    class ShowHideTest : public LayoutTest
    {
    protected:
        void SetUp() override
        {
            LayoutTest::SetUp();
            for (auto* name : { "a", "b", "c", "d" })
                rows.push_back (addRow (name, 30));
            controller->layoutStackItems();
            hideNow ({ c() });
            controller->clearPendingChanges();
        }

        SxComponent* a() { return rows[0]; }
        SxComponent* b() { return rows[1]; }
        SxComponent* c() { return rows[2]; }
        SxComponent* d() { return rows[3]; }

        std::vector<SxComponent*> rows;
    };
}

//==============================================================================
TEST_F (LayoutTest, TheLayoutPassStacksRowsWithMarginsAndSpacingAndATransparentRowTakesNoRoom)
{
    controller->topInset = 3;
    auto* first = addRow ("first", 20);
    auto* unsized = addRow ("unsized", 0);
    auto* clear = addRow ("clear", 30);
    auto* pulled = addRow ("pulled", 25);
    auto* last = addRow ("last", 15);

    clear->setAlpha (0.0f);
    controller->setItemTopMargin (clear, 7);
    controller->setItemTopMargin (pulled, -10);
    controller->setItemBottomMargin (pulled, 6);
    controller->setItemBottomMargin (last, 9);

    // The height pass counts every row as it is: transparent, and unsized (0) until placed.
    controller->computeStackHeight (true);
    EXPECT_EQ (controller->getStackHeight(), 3 + 20 + 10 + 0 + 10 + 7 + 30 + 10 - 10 + 25 + 6 + 10 + 15);

    EXPECT_EQ (controller->layoutStackItems(), 134);
    EXPECT_EQ (controller->getStackHeight(), 134);

    const struct { juce::Component* row; Rect bounds; bool visible; const char* why; } expected[] = {
        { first,   { 0, 3, 240, 20 },   true,  "starts at the top inset, full width" },
        { unsized, { 0, 33, 240, 45 },  true,  "height 0 becomes 45" },
        { clear,   { 0, 95, 240, 30 },  false, "placed, but hidden and taking no room" },
        { pulled,  { 0, 78, 240, 25 },  true,  "takes the transparent row's place, pulled 10 up into the spacing" },
        { last,    { 0, 119, 240, 15 }, true,  "the last row adds neither its bottom margin nor spacing" },
    };

    for (auto& e : expected)
    {
        EXPECT_EQ (e.row->getBounds(), e.bounds) << e.row->getName() << ": " << e.why;
        EXPECT_EQ (e.row->isVisible(), e.visible) << e.row->getName();
        EXPECT_EQ (e.row->getParentComponent(), controller) << e.row->getName();
    }

    // Rows follow the controller's width.
    controller->setSize (200, 600);
    EXPECT_EQ (first->getWidth(), 200);
}

TEST_F (LayoutTest, AKeptRowKeepsTermsOneThreeAndFourOfFourAndIsOnlyMovedWithFive)
{
    addRow ("above", 20);
    auto* four = makeRow ("four", 30);
    auto* five = makeRow ("five", 30);
    ASSERT_TRUE (SxRelativeBounds::apply (*four, "10, 0, left + parent.width - 20, top + 30"));
    ASSERT_TRUE (SxRelativeBounds::apply (*five, "max(4, 10), 0, left + parent.width - 20, top + 30"));
    five->setTopLeftPosition (30, 0);
    controller->addItem (four, true);
    controller->addItem (five, true);

    controller->layoutStackItems();

    EXPECT_EQ (SxRelativeBounds::getExpression (*four), "10, 30,  left + parent.width - 20,  top + 30");
    EXPECT_EQ (four->getBounds(), Rect (10, 30, 220, 30));
    EXPECT_EQ (SxRelativeBounds::getExpression (*five), "max(4, 10), 0, left + parent.width - 20, top + 30");
    EXPECT_EQ (five->getPosition(), juce::Point<int> (0, 70));

    controller->setSize (220, 600);
    EXPECT_EQ (four->getBounds(), Rect (10, 30, 200, 30));
    EXPECT_EQ (five->getPosition(), juce::Point<int> (0, 70)) << "no longer following its old expression";
}

TEST_F (LayoutTest, KeepBoundsStaysWithTheRowAndMarginsDoNotPassToAComponentAtAFreedAddress)
{
    std::unique_ptr<juce::Component> kept (makeRow ("kept", 20));
    controller->addItem (kept.get());
    EXPECT_FALSE (Controller::keepsBounds (*kept));

    controller->insertItemFirst (kept.get(), true);
    controller->removeItem (kept.get());
    controller->clearItems();
    EXPECT_TRUE (Controller::keepsBounds (*kept)) << "removal and clearing leave the flag";

    // A row deleted and another made in the same storage: nothing of the first is inherited.
    alignas (SxComponent) unsigned char storage[sizeof (SxComponent)];
    auto* gone = new (storage) SxComponent ("gone");
    controller->addItem (gone, true);
    controller->setItemTopMargin (gone, 12);
    controller->setItemBottomMargin (gone, 8);
    gone->~SxComponent();

    auto* fresh = new (storage) SxComponent ("fresh");
    EXPECT_FALSE (Controller::keepsBounds (*fresh));
    EXPECT_EQ (controller->getTopMargin (fresh), 0);
    EXPECT_EQ (controller->getBottomMargin (fresh), 0);
    EXPECT_TRUE (controller->getItems().empty()) << "the deleted row dropped out of the stack";
    fresh->~SxComponent();
}

TEST_F (LayoutTest, InsertingPutsTheRowAtTheReferencesPlaceOrAppends)
{
    const struct { int reference; const char* before; const char* after; } cases[] = {
        { 0,  "new r0 r1 r2", "r0 new r1 r2" },
        { 1,  "r0 new r1 r2", "r0 r1 new r2" },
        { 2,  "r0 r1 new r2", "r0 r1 r2 new" },
        { -1, "r0 r1 r2 new", "r0 r1 r2 new" },
    };

    auto names = [this]
    {
        juce::StringArray list;
        for (auto* item : controller->getItems())
            list.add (item->getName());
        return list.joinIntoString (" ");
    };

    for (auto& c : cases)
    {
        for (const bool before : { true, false })
        {
            controller->clearItems();
            std::vector<std::unique_ptr<juce::Component>> rows;
            for (auto* name : { "r0", "r1", "r2" })
            {
                rows.emplace_back (makeRow (name, 10));
                controller->addItem (rows.back().get());
            }
            juce::Component outside ("outside");
            auto* reference = c.reference >= 0 ? rows[(size_t) c.reference].get() : &outside;
            auto item = std::unique_ptr<juce::Component> (makeRow ("new", 10));

            if (before)
                controller->insertItemBefore (item.get(), reference, false);
            else
                controller->insertItemAfter (item.get(), reference, false);

            EXPECT_EQ (names(), before ? c.before : c.after) << (before ? "before " : "after ") << c.reference;
            controller->clearItems();
        }
    }
}

TEST_F (LayoutTest, PairsAndTriplesSitSideBySideInOneRow)
{
    auto* left = makeRow ("left", 40);
    auto* right = makeRow ("right", 55);
    controller->addItemPair (left, right, false);
    auto* a = makeRow ("a", 20);
    auto* b = makeRow ("b", 20);
    auto* c = makeRow ("c", 48);
    controller->addItemTriple (a, b, c, false);

    auto items = controller->getItems();
    ASSERT_EQ (items.size(), 2u);
    auto* pair = dynamic_cast<SxLayoutControllerCombinedComponent*> (items[0]);
    auto* triple = dynamic_cast<SxLayoutControllerCombinedComponent*> (items[1]);
    ASSERT_NE (pair, nullptr);
    ASSERT_NE (triple, nullptr);
    EXPECT_EQ (pair->getName(), "");
    EXPECT_EQ (pair->getBounds().getWidth(), Controller::combinedRowWidth);
    EXPECT_EQ (pair->getHeight(), 55) << "as tall as the taller";
    EXPECT_EQ (triple->getHeight(), 48);
    EXPECT_EQ (left->getParentComponent(), pair);

    EXPECT_EQ (SxRelativeBounds::getExpression (*left), "0, 0, left + (parent.width/2) - 5, top + 40");
    EXPECT_EQ (SxRelativeBounds::getExpression (*right), "(parent.width/2) + 5, 0, left + parent.width - left, top + 55");
    EXPECT_EQ (SxRelativeBounds::getExpression (*b), "5 + (parent.width / 3), 10, left + parent.width - 5 - (parent.width / 3 * 2), top +\t34");

    controller->layoutStackItems();
    EXPECT_EQ (pair->getBounds(), Rect (0, 0, 240, 55));
    EXPECT_EQ (left->getBounds(), Rect (0, 0, 115, 40));
    EXPECT_EQ (right->getBounds(), Rect (125, 0, 115, 55));
    EXPECT_EQ (triple->getY(), 65);
    EXPECT_EQ (a->getBounds(), Rect (0, 10, 85, 34));
    EXPECT_EQ (b->getBounds(), Rect (85, 10, 75, 34));
    EXPECT_EQ (c->getBounds(), Rect (160, 10, 80, 34));
}

TEST_F (LayoutTest, FindingRowsByName)
{
    addRow ("inkColorRow", 20);
    auto* slider = new SxLabelSlider ("inkStrengthSlider", nullptr, "Ink Strength", false);
    controller->addItem (slider);
    auto* fill = addRow ("inkFillRow", 20);

    EXPECT_EQ (controller->findItem ("Fill"), fill);
    EXPECT_EQ (controller->findItem ("")->getName(), "inkColorRow") << "an empty text matches any name";
    EXPECT_EQ (controller->findItem ("paper"), nullptr);
    EXPECT_EQ (controller->findSlider ("ink"), slider) << "the first named row that is a slider";
    EXPECT_EQ (controller->findSlider ("Fill"), nullptr);
}

TEST_F (LayoutTest, RowsGoWithTheControllerAndARemovedRowIsHandedBackByTheNextPass)
{
    juce::Component::SafePointer<juce::Component> laidOut (addRow ("laidOut", 20));
    std::unique_ptr<juce::Component> removed (addRow ("removed", 20));
    controller->layoutStackItems();
    controller->removeItem (removed.get());
    EXPECT_EQ (removed->getParentComponent(), controller) << "a child until the next pass";
    controller->layoutStackItems();
    EXPECT_EQ (removed->getParentComponent(), nullptr);

    juce::Component::SafePointer<juce::Component> neverLaidOut (addRow ("neverLaidOut", 20));

    delete controller;
    controller = nullptr;
    EXPECT_EQ (laidOut, nullptr);
    EXPECT_EQ (neverLaidOut, nullptr);
    EXPECT_NE (removed, nullptr);
}

//==============================================================================
TEST_F (ShowHideTest, SwappingRowsFadesOutSlidesFadesInAndDropsTheQueue50MsApart)
{
    EXPECT_FALSE (c()->isVisible());
    EXPECT_EQ (d()->getY(), 80) << "d took c's place";

    controller->setItemVisible (b(), false);
    controller->setItemVisible (c(), true);
    controller->applyPendingChanges (300, false);

    EXPECT_FALSE (b()->isVisible()) << "a proxy fades b out";
    EXPECT_TRUE (controller->getAnimator().isAnimating (b()));
    EXPECT_EQ (c()->getAlpha(), 0.0f);
    ASSERT_TRUE (controller->isTimerRunning (Controller::swapTimerId));
    EXPECT_EQ (controller->getTimerInterval (Controller::swapTimerId), 250);

    sxgui::fireTimer (*controller, Controller::swapTimerId);
    EXPECT_TRUE (controller->getAnimator().isAnimating (c())) << "c slides into place, still transparent";
    EXPECT_TRUE (c()->isVisible());
    EXPECT_EQ (c()->getAlpha(), 0.0f);
    ASSERT_TRUE (controller->isTimerRunning (Controller::fadeInTimerId));
    EXPECT_EQ (controller->getTimerInterval (Controller::fadeInTimerId), 50);

    sxgui::fireTimer (*controller, Controller::fadeInTimerId);
    ASSERT_TRUE (controller->isTimerRunning (Controller::finishTimerId));
    EXPECT_EQ (controller->getTimerInterval (Controller::finishTimerId), 50);

    sxgui::fireTimer (*controller, Controller::finishTimerId);
    EXPECT_EQ (controller->getNumPendingChanges(), 0);
    EXPECT_FALSE (controller->isTimerRunning (Controller::finishTimerId));

    finishMoves();
    EXPECT_EQ (a()->getY(), 0);
    EXPECT_EQ (c()->getY(), 40) << "c in b's place";
    EXPECT_EQ (c()->getAlpha(), 1.0f);
    EXPECT_EQ (d()->getY(), 80);
    EXPECT_FALSE (b()->isVisible());
    EXPECT_EQ (b()->getAlpha(), 0.0f);
}

TEST_F (ShowHideTest, HidingOnlyRelaysOut55MsAfterTheFadeOutBegan)
{
    controller->setItemVisible (b(), false);
    controller->applyPendingChanges (300, false);

    ASSERT_TRUE (controller->isTimerRunning (Controller::relayoutTimerId));
    EXPECT_EQ (controller->getTimerInterval (Controller::relayoutTimerId), 55);
    EXPECT_FALSE (controller->isTimerRunning (Controller::swapTimerId));

    sxgui::fireTimer (*controller, Controller::relayoutTimerId);
    EXPECT_EQ (controller->getTimerInterval (Controller::finishTimerId), 50);
    finishMoves();
    EXPECT_EQ (d()->getY(), 40) << "d slid up into the room b gave back";
}

TEST_F (ShowHideTest, WithNothingQueuedOneRelayoutWithBackInEasingFollows50MsLaterWhenAsked)
{
    controller->applyPendingChanges (300, false);
    EXPECT_FALSE (controller->isTimerRunning (Controller::relayoutTimerId));

    d()->setTopLeftPosition (0, 180);
    controller->applyPendingChanges (300, true);
    ASSERT_TRUE (controller->isTimerRunning (Controller::relayoutTimerId));
    EXPECT_EQ (controller->getTimerInterval (Controller::relayoutTimerId), 50);

    sxgui::fireTimer (*controller, Controller::relayoutTimerId);
    tick (60);
    EXPECT_GT (d()->getY(), 180) << "back-in easing first pulls away from the target";
    EXPECT_NEAR (d()->getY(), easeValue (9, 60.0f, 180.0f, -100.0f, 300.0f), 1.0);
    finishMoves();
    EXPECT_EQ (d()->getY(), 80);
}

TEST_F (ShowHideTest, TheSwapSlidesWithBackOutEasing)
{
    controller->setItemVisible (c(), true);
    controller->applyPendingChanges (300, false);
    sxgui::fireTimer (*controller, Controller::swapTimerId);

    tick (150);
    EXPECT_GT (d()->getY(), 120) << "back-out easing overshoots the target";
    EXPECT_NEAR (d()->getY(), easeValue (10, 150.0f, 80.0f, 40.0f, 300.0f), 1.0);
}

TEST_F (ShowHideTest, FiveMillisecondsOrLessCompletesTheChangeAtOnceAndKeepsTheQueue)
{
    for (const int duration : { 0, 5 })
    {
        controller->clearPendingChanges();
        controller->setItemVisible (b(), false);
        controller->setItemVisible (c(), true);
        controller->applyPendingChanges (duration, false);

        EXPECT_EQ (controller->getNumPendingChanges(), 2);
        EXPECT_FALSE (b()->isVisible());
        EXPECT_EQ (b()->getAlpha(), 0.0f);
        EXPECT_TRUE (c()->isVisible());
        EXPECT_EQ (c()->getAlpha(), 1.0f);
        EXPECT_EQ (c()->getY(), 40);
        EXPECT_EQ (d()->getY(), 80);
        for (const int id : { Controller::swapTimerId, Controller::fadeInTimerId, Controller::relayoutTimerId, Controller::finishTimerId })
            EXPECT_FALSE (controller->isTimerRunning (id)) << duration << " ms, timer " << id;

        // And back, for the next round.
        hideNow ({ c() });
        controller->clearPendingChanges();
        controller->setItemVisible (b(), true);
        controller->applyPendingChanges (0, false);
        controller->clearPendingChanges();
    }
}

TEST_F (ShowHideTest, FinishAnimationsCompletesARunningChangeAndLeavesTheQueueToItsTimer)
{
    controller->setItemVisible (b(), false);
    controller->setItemVisible (c(), true);
    controller->applyPendingChanges (300, false);
    controller->finishAnimations();

    EXPECT_EQ (controller->getAnimationDuration(), 0);
    EXPECT_EQ (controller->getAnimator().getNumTasks(), 0);
    EXPECT_EQ (c()->getY(), 40);
    EXPECT_EQ (c()->getAlpha(), 1.0f);
    EXPECT_TRUE (c()->isVisible());
    EXPECT_EQ (d()->getY(), 80);
    EXPECT_FALSE (b()->isVisible());
    EXPECT_FALSE (controller->isTimerRunning (Controller::swapTimerId));
    EXPECT_FALSE (controller->isTimerRunning (Controller::fadeInTimerId));

    // Part-way: once the slide started, and once the fade-in started.
    for (const bool fadeInStarted : { false, true })
    {
        hideNow ({ c() });
        controller->clearPendingChanges();
        controller->setItemVisible (c(), true);
        controller->applyPendingChanges (300, false);
        sxgui::fireTimer (*controller, Controller::swapTimerId);
        tick (40);

        if (fadeInStarted)
            sxgui::fireTimer (*controller, Controller::fadeInTimerId);

        controller->finishAnimations();
        EXPECT_EQ (c()->getAlpha(), 1.0f);
        EXPECT_EQ (c()->getY(), 40);
        EXPECT_EQ (d()->getY(), 80);
        EXPECT_EQ (controller->isTimerRunning (Controller::finishTimerId), fadeInStarted) << "the end of the chain is left to run";
    }
}

TEST_F (ShowHideTest, AHiddenRowStaysHiddenThroughALayoutPassAndTakesNoKeyboardFocus)
{
    auto* button = new juce::TextButton ("inside c");
    c()->addAndMakeVisible (button);
    button->setBounds (0, 0, 50, 20);
    auto* focusable = new juce::TextButton ("inside a");
    a()->addAndMakeVisible (focusable);
    focusable->setBounds (0, 0, 50, 20);

    controller->layoutStackItems();
    EXPECT_FALSE (c()->isVisible());

    focusable->grabKeyboardFocus();
    for (int i = 0; i < 4; ++i)
    {
        input.pressKey (juce::KeyPress (juce::KeyPress::tabKey));
        EXPECT_NE (juce::Component::getCurrentlyFocusedComponent(), button);
    }
}

TEST_F (ShowHideTest, ARequestThatChangesNothingIsNotQueuedAndNullIsIgnored)
{
    controller->setItemVisible (a(), true);
    controller->setItemVisible (c(), false);
    controller->setItemVisible (nullptr, false);
    EXPECT_EQ (controller->getNumPendingChanges(), 0);

    // Rows hidden on request leave the height pass even when nothing was queued.
    controller->computeStackHeight (true);
    EXPECT_EQ (controller->getStackHeight(), 30 + 10 + 30 + 10 + 30);
    controller->computeStackHeight (false);
    EXPECT_EQ (controller->getStackHeight(), 4 * 30 + 3 * 10);
}

TEST_F (ShowHideTest, ARowDeletedWhileQueuedIsSkipped)
{
    controller->setItemVisible (b(), false);
    controller->setItemVisible (c(), true);
    delete c();
    controller->applyPendingChanges (300, false);
    ASSERT_TRUE (controller->isTimerRunning (Controller::relayoutTimerId)) << "only b is left: a plain hide";
    sxgui::fireTimer (*controller, Controller::relayoutTimerId);
    finishMoves();
    EXPECT_EQ (d()->getY(), 40);
    EXPECT_EQ (controller->getItems().size(), 3u);
}
