#include "EaseComponentAnimator.h"
#include "EaseComponentAnimatorLinkedBottomToTopComponent.h"
#include "EaseValue.h"
#include "HostedTest.h"
#include "ManualClock.h"
#include "MessagePump.h"
#include "SxComponent.h"
#include "SxRelativeBounds.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
    using Rect = juce::Rectangle<int>;

    // Components keep their alpha in a byte.
    constexpr float alphaStep = 1.0f / 255.0f;

    struct ChangeCounter : public juce::ChangeListener
    {
        void changeListenerCallback (juce::ChangeBroadcaster*) override  { ++count; }
        int count = 0;
    };

    /** Animations on bare components, time by hand. */
    class AnimatorTest : public ::testing::Test
    {
    protected:
        sxgui::ManualClock clock;
        EaseComponentAnimator animator;
        juce::Component item { "item" };

        /** Advances the clock by ms and runs one tick. */
        bool tick (int ms = 10)
        {
            clock.advance ((juce::uint32) ms);
            return sxgui::fireTimer (animator);
        }

        /** Ticks every 10 ms until the animator stops; the number of ticks, at most limit. */
        int runToEnd (int limit = 1000)
        {
            int ticks = 0;
            while (ticks < limit && tick())
                ++ticks;
            return ticks;
        }
    };

    /** Animations of components on screen (proxies need a parent that shows). */
    class ShownAnimatorTest : public sxgui::HostedTest
    {
    protected:
        sxgui::ManualClock clock;
        EaseComponentAnimator animator;

        juce::Component* addItem (juce::Component& parent, Rect bounds)
        {
            auto* c = new juce::Component ("item");
            parent.addAndMakeVisible (c);
            c->setBounds (bounds);
            return c;
        }

        bool tick (int ms = 10)
        {
            clock.advance ((juce::uint32) ms);
            return sxgui::fireTimer (animator);
        }

        /** The proxy among parent's children, if any. */
        static juce::Component* proxyIn (juce::Component& parent)
        {
            for (auto* c : parent.getChildren())
                if (dynamic_cast<EaseComponentAnimatorAnimationTask::ProxyComponent*> (c) != nullptr)
                    return c;
            return nullptr;
        }
    };
}

TEST_F (AnimatorTest, EachTickCutsTheLeftAndTopAndRoundsTheRightAndBottomUp)
{
    // Quadratic in at half time: a quarter of the way. Negative edges are cut towards zero.
    struct Case { Rect from, to, expected; };
    const Case cases[] = {
        { { 0, 0, 10, 10 },       { 101, 50, 10, 10 }, { 25, 12, 11, 11 } },     // 25.25, 12.5, 35.25, 22.5
        { { -101, -51, 10, 10 },  { 0, 0, 10, 10 },    { -75, -38, 10, 10 } },   // -75.75, -38.25, -65.75, -28.25
        { { 0, 0, 100, 100 },     { 0, 0, 2, 2 },      { 0, 0, 76, 76 } },       // 75.5 rounds up
    };

    for (const auto& [from, to, expected] : cases)
    {
        item.setBounds (from);
        animator.animateComponent (&item, to, 100, false, 3, 1.0f, 0.5, 0.5);
        ASSERT_TRUE (tick (50));
        EXPECT_EQ (item.getBounds(), expected) << from.toString() << " -> " << to.toString();
        animator.cancelAllAnimations (false);
    }
}

TEST_F (AnimatorTest, ABoundsTaskEndsWhenTheRoundedBoundsFirstReachTheDestination)
{
    // An alert sliding down with back out: it stops where the curve first reaches the
    // target, at about 37 % of 300 ms, and never shows the overshoot.
    item.setBounds (212, -201, 600, 200);
    const Rect destination (212, -25, 600, 200);
    animator.animateComponent (&item, destination, 300, false, 10, 1.0f, 0.5, 0.5);

    int ticks = 0, highestTop = -201;
    while (animator.isAnimating (&item) && ticks < 100)
    {
        ASSERT_TRUE (tick());
        ++ticks;
        highestTop = juce::jmax (highestTop, item.getY());
    }

    EXPECT_EQ (ticks, 11);   // 110 ms
    EXPECT_EQ (item.getBounds(), destination);
    EXPECT_EQ (highestTop, -25);
    EXPECT_FALSE (animator.isTimerRunning());   // stopped by the tick that ended the last task
}

TEST_F (AnimatorTest, AnAlphaTaskRunsItsWholeDurationAndShortDurationsEndAtTheFirstTick)
{
    animator.animateComponent (&item, item.getBounds(), 100, false, 0, 0.25f, 0.5, 0.5);
    for (int i = 0; i < 9; ++i)
        ASSERT_TRUE (tick());
    EXPECT_TRUE (animator.isAnimating (&item));
    EXPECT_NEAR (item.getAlpha(), easeValue (0, 90.0f, 1.0f, -0.75f, 100.0f), alphaStep);

    tick();
    EXPECT_FALSE (animator.isAnimating (&item));
    EXPECT_NEAR (item.getAlpha(), 0.25f, alphaStep);

    animator.animateComponent (&item, { 5, 5, 20, 20 }, 0, false, 0, 1.0f, 0.5, 0.5);
    tick (1);
    EXPECT_FALSE (animator.isAnimating (&item));
    EXPECT_EQ (item.getBounds(), Rect (5, 5, 20, 20));
    EXPECT_EQ (item.getAlpha(), 1.0f);
}

TEST_F (AnimatorTest, AnUnknownEasingTypeMovesLinearlyInsteadOfParkingAtTheOrigin)
{
    for (const int type : { -1, 18 })
    {
        item.setBounds (100, 100, 50, 50);
        animator.animateComponent (&item, { 200, 300, 50, 50 }, 100, false, type, 1.0f, 0.5, 0.5);
        tick (50);
        EXPECT_EQ (item.getBounds(), Rect (150, 200, 50, 50)) << "type " << type;
        runToEnd();
        EXPECT_EQ (item.getBounds(), Rect (200, 300, 50, 50));
    }
}

TEST_F (AnimatorTest, StartingDetachesTheComponentFromItsExpressionButKeepsTheText)
{
    juce::Component parent;
    parent.setSize (400, 300);
    parent.addAndMakeVisible (item);
    const juce::String expression ("parent.width - 100, 0, left + 100, top + 40");
    ASSERT_TRUE (SxRelativeBounds::apply (item, expression));

    animator.animateComponent (&item, { 300, 100, 100, 40 }, 100, false, 1, 1.0f, 0.5, 0.5);
    EXPECT_FALSE (SxRelativeBounds::isFollowing (item));
    EXPECT_EQ (SxRelativeBounds::getExpression (item), expression);

    runToEnd();
    parent.setSize (600, 300);
    EXPECT_EQ (item.getBounds(), Rect (300, 100, 100, 40));
    parent.removeChildComponent (&item);
}

TEST_F (AnimatorTest, RestartingRunsOneTaskFromWhereTheComponentIsNow)
{
    ChangeCounter changes;
    animator.addChangeListener (&changes);

    item.setBounds (0, 0, 10, 10);
    animator.animateComponent (&item, { 100, 0, 10, 10 }, 100, false, 3, 1.0f, 0.5, 0.5);
    tick (50);
    ASSERT_EQ (item.getX(), 25);

    animator.animateComponent (&item, { 25, 100, 10, 10 }, 100, false, 3, 1.0f, 0.5, 0.5);
    EXPECT_EQ (animator.getNumTasks(), 1);
    tick (50);
    EXPECT_EQ (item.getBounds(), Rect (25, 25, 10, 10));

    sxgui::drainMessages();
    EXPECT_EQ (changes.count, 1);   // one task added, none ended yet
    animator.removeChangeListener (&changes);
}

TEST_F (AnimatorTest, ChangeMessagesTellOfAddingEndingAndCancelling)
{
    ChangeCounter changes;
    animator.addChangeListener (&changes);
    juce::Component other ("other");

    animator.animateComponent (&item, { 0, 0, 10, 10 }, 20, false, 0, 1.0f, 0.5, 0.5);
    sxgui::drainMessages();
    EXPECT_EQ (changes.count, 1);

    runToEnd();
    sxgui::drainMessages();
    EXPECT_EQ (changes.count, 2);

    animator.animateComponent (&item, { 50, 0, 10, 10 }, 100, false, 0, 1.0f, 0.5, 0.5);
    animator.animateComponent (&other, { 50, 0, 10, 10 }, 100, false, 0, 1.0f, 0.5, 0.5);
    sxgui::drainMessages();
    const int afterAdding = changes.count;
    EXPECT_GT (afterAdding, 2);

    animator.cancelAllAnimations (false);
    sxgui::drainMessages();
    EXPECT_EQ (changes.count, afterAdding + 1);

    animator.cancelAllAnimations (false);   // nothing left: no message
    sxgui::drainMessages();
    EXPECT_EQ (changes.count, afterAdding + 1);
    animator.removeChangeListener (&changes);
}

TEST_F (AnimatorTest, CancellingMovesToTheDestinationsOnlyWhenAsked)
{
    juce::Component other ("other");

    for (const bool move : { true, false })
    {
        item.setBounds (0, 0, 10, 10);
        item.setAlpha (1.0f);
        other.setBounds (0, 0, 10, 10);
        animator.animateComponent (&item, { 100, 0, 10, 10 }, 100, false, 3, 0.5f, 0.5, 0.5);
        animator.animateComponent (&other, { 0, 100, 10, 10 }, 100, false, 3, 1.0f, 0.5, 0.5);
        tick (50);

        animator.cancelAllAnimations (move);

        EXPECT_EQ (animator.getNumTasks(), 0);
        EXPECT_FALSE (animator.isAnimating (&item));
        EXPECT_EQ (item.getBounds(), move ? Rect (100, 0, 10, 10) : Rect (25, 0, 10, 10)) << move;
        EXPECT_EQ (other.getBounds(), move ? Rect (0, 100, 10, 10) : Rect (0, 25, 10, 10)) << move;
        EXPECT_NEAR (item.getAlpha(), move ? 0.5f : 0.875f, alphaStep) << move;
    }
}

TEST_F (AnimatorTest, AComponentDeletedMidTaskEndsItsTaskAtTheNextTick)
{
    ChangeCounter changes;
    animator.addChangeListener (&changes);
    auto doomed = std::make_unique<juce::Component> ("doomed");
    animator.animateComponent (doomed.get(), { 100, 0, 10, 10 }, 300, false, 1, 1.0f, 0.5, 0.5);
    tick();
    sxgui::drainMessages();
    const int before = changes.count;

    doomed.reset();
    EXPECT_TRUE (tick());
    EXPECT_EQ (animator.getNumTasks(), 0);
    sxgui::drainMessages();
    EXPECT_EQ (changes.count, before + 1);
    animator.removeChangeListener (&changes);
}

TEST_F (AnimatorTest, AMoveHandlerThatCancelsEverythingDuringATickIsSafe)
{
    // As a panel that closes itself when it is moved would.
    struct Canceller : public juce::Component
    {
        EaseComponentAnimator* animator = nullptr;
        void moved() override  { animator->cancelAllAnimations (true); }
    } canceller;
    canceller.animator = &animator;

    item.setBounds (0, 0, 10, 10);
    animator.animateComponent (&item, { 100, 0, 10, 10 }, 100, false, 1, 1.0f, 0.5, 0.5);
    animator.animateComponent (&canceller, { 100, 0, 10, 10 }, 100, false, 1, 1.0f, 0.5, 0.5);

    tick();   // the canceller (newest) moves first and ends everything
    EXPECT_EQ (animator.getNumTasks(), 0);
    EXPECT_EQ (canceller.getBounds(), Rect (100, 0, 10, 10));
    EXPECT_EQ (item.getBounds(), Rect (100, 0, 10, 10));
    EXPECT_FALSE (animator.isTimerRunning());
}

TEST_F (AnimatorTest, AMoveHandlerThatStartsAnotherAnimationDuringATickIsSafe)
{
    struct Leader : public juce::Component
    {
        EaseComponentAnimator* animator = nullptr;
        juce::Component* follower = nullptr;
        void moved() override  { animator->animateComponent (follower, { 0, getX() * 2, 10, 10 }, 50, false, 1, 1.0f, 0.5, 0.5); }
    } leader;
    leader.animator = &animator;
    leader.follower = &item;

    animator.animateComponent (&leader, { 100, 0, 10, 10 }, 100, false, 1, 1.0f, 0.5, 0.5);
    tick();
    EXPECT_TRUE (animator.isAnimating (&item));
    runToEnd();
    EXPECT_EQ (animator.getNumTasks(), 0);
    EXPECT_EQ (item.getBounds(), Rect (0, 200, 10, 10));
}

TEST_F (AnimatorTest, TheLinkedBottomFollowsTheLinkedComponentsTopAtEveryTick)
{
    EaseComponentAnimatorLinkedBottomToTopComponent linkedAnimator;
    juce::Component parent, below ("below");
    parent.setSize (400, 600);
    parent.addAndMakeVisible (item);
    parent.addAndMakeVisible (below);
    ASSERT_TRUE (SxRelativeBounds::apply (item, "parent.width - 400, 0, parent.width - 200, 100"));
    ASSERT_EQ (item.getBounds(), Rect (0, 0, 200, 100));
    below.setBounds (0, 100, 200, 50);

    // The panel widens to 300 while the one below it slides down to 400.
    linkedAnimator.animateComponentLinked (&item, { 0, 0, 300, 400 }, 200, false, 1, 1.0f, 0.5, 0.5, &below);
    animator.animateComponent (&below, { 0, 400, 200, 50 }, 200, false, 0, 1.0f, 0.5, 0.5);
    EXPECT_TRUE (SxRelativeBounds::isFollowing (item));
    EXPECT_EQ (linkedAnimator.getLinkedComponent(), &below);

    for (int i = 0; i < 25 && linkedAnimator.isTimerRunning(); ++i)
    {
        clock.advance (10);
        sxgui::fireTimer (animator);
        sxgui::fireTimer (linkedAnimator);
        EXPECT_EQ (item.getBottom(), below.getY()) << "tick " << i;
        const float right = easeValue (1, juce::jmin (10.0f * (float) (i + 1), 200.0f), 200.0f, 100.0f, 200.0f);
        if (linkedAnimator.isAnimating (&item))
        {
            EXPECT_EQ (item.getRight(), (int) right) << "tick " << i;   // cut, not rounded up
        }
    }

    EXPECT_FALSE (linkedAnimator.isAnimating (&item));
    EXPECT_EQ (item.getBounds(), Rect (0, 0, 300, 400));
    parent.removeAllChildren();
}

TEST_F (AnimatorTest, ALinkedTaskOutlivesItsLinkedComponent)
{
    EaseComponentAnimatorLinkedBottomToTopComponent linkedAnimator;
    auto below = std::make_unique<juce::Component> ("below");
    item.setBounds (0, 0, 200, 100);
    below->setBounds (0, 100, 200, 50);

    linkedAnimator.animateComponentLinked (&item, { 0, 0, 200, 300 }, 100, false, 1, 1.0f, 0.5, 0.5, below.get());
    clock.advance (10);
    sxgui::fireTimer (linkedAnimator);
    below.reset();
    EXPECT_EQ (linkedAnimator.getLinkedComponent(), nullptr);

    for (int i = 0; i < 20 && linkedAnimator.isTimerRunning(); ++i)
    {
        clock.advance (10);
        sxgui::fireTimer (linkedAnimator);
    }

    EXPECT_EQ (item.getBounds(), Rect (0, 0, 200, 300));
}

TEST_F (AnimatorTest, ARunningTaskKeepsItsKindAndItsLink)
{
    EaseComponentAnimatorLinkedBottomToTopComponent linkedAnimator;
    juce::Component first ("first"), second ("second");
    item.setBounds (0, 0, 100, 100);
    first.setBounds (0, 120, 100, 10);
    second.setBounds (0, 300, 100, 10);

    linkedAnimator.animateComponentLinked (&item, { 0, 0, 100, 120 }, 100, false, 1, 1.0f, 0.5, 0.5, &first);
    linkedAnimator.animateComponentLinked (&item, { 0, 0, 100, 300 }, 100, false, 1, 1.0f, 0.5, 0.5, &second);
    EXPECT_EQ (linkedAnimator.getLinkedComponent(), &second);
    EXPECT_EQ (linkedAnimator.getNumTasks(), 1);

    for (int i = 0; i < 20 && linkedAnimator.isTimerRunning(); ++i)
    {
        clock.advance (10);
        sxgui::fireTimer (linkedAnimator);
    }

    EXPECT_EQ (item.getBottom(), first.getY());   // still linked to the first
}

TEST_F (ShownAnimatorTest, FadeOutHidesAtOnceAndLetsAProxyFade)
{
    auto* shown = addItem (host, { 300, 200, 120, 80 });
    animator.fadeOut (shown, 200);

    EXPECT_FALSE (shown->isVisible());
    auto* proxy = proxyIn (host);
    ASSERT_NE (proxy, nullptr);
    EXPECT_TRUE (proxy->isVisible());
    EXPECT_EQ (proxy->getBounds(), shown->getBounds());
    bool self = true, children = true;
    proxy->getInterceptsMouseClicks (self, children);
    EXPECT_FALSE (self || children);
    EXPECT_EQ (host.getIndexOfChildComponent (proxy) + 1, host.getIndexOfChildComponent (shown));   // just behind

    tick (100);
    EXPECT_NEAR (proxy->getAlpha(), 1.0f - std::sin (juce::MathConstants<float>::pi / 4.0f), alphaStep);

    tick (100);
    EXPECT_EQ (proxyIn (host), nullptr);
    EXPECT_FALSE (shown->isVisible());
    EXPECT_EQ (shown->getAlpha(), 0.0f);
}

TEST_F (ShownAnimatorTest, FadeOutOfAComponentNotOnScreenStartsNoTask)
{
    juce::Component offScreen ("offScreen");
    offScreen.setVisible (true);
    animator.fadeOut (&offScreen, 200);
    EXPECT_FALSE (offScreen.isVisible());
    EXPECT_FALSE (animator.isAnimating (&offScreen));
    EXPECT_FALSE (animator.isTimerRunning());

    auto* shown = addItem (host, { 300, 200, 120, 80 });
    animator.fadeOut (shown, 0);
    EXPECT_FALSE (shown->isVisible());
    EXPECT_EQ (animator.getNumTasks(), 0);
}

TEST_F (ShownAnimatorTest, FadeInStartsFromZeroUnlessAlreadyFullyShown)
{
    auto* shown = addItem (host, { 300, 200, 120, 80 });
    animator.fadeIn (shown, 200);
    EXPECT_FALSE (animator.isAnimating (shown));

    shown->setAlpha (0.5f);
    animator.fadeIn (shown, 200);
    EXPECT_EQ (shown->getAlpha(), 0.0f);
    EXPECT_TRUE (shown->isVisible());

    tick (100);
    EXPECT_NEAR (shown->getAlpha(), 1.0f - std::cos (juce::MathConstants<float>::pi / 4.0f), alphaStep);
    tick (100);
    EXPECT_EQ (shown->getAlpha(), 1.0f);
    EXPECT_FALSE (animator.isAnimating (shown));
}

TEST_F (ShownAnimatorTest, FadesHeadForWhereARunningTaskIsGoing)
{
    auto* shown = addItem (host, { 0, 100, 100, 50 });
    animator.animateComponent (shown, { 400, 100, 100, 50 }, 300, false, 1, 1.0f, 0.5, 0.5);
    tick (50);
    animator.fadeOut (shown, 100);

    for (int i = 0; i < 20 && animator.isTimerRunning(); ++i)
        tick();

    EXPECT_EQ (shown->getBounds(), Rect (400, 100, 100, 50));
    EXPECT_FALSE (shown->isVisible());
}

TEST_F (ShownAnimatorTest, AProxyPlaysToTheEndAfterItsComponentIsDeleted)
{
    auto* shown = addItem (host, { 300, 200, 120, 80 });
    animator.animateComponent (shown, { 300, 400, 120, 80 }, 100, true, 1, 1.0f, 0.5, 0.5);
    tick();
    auto* proxy = proxyIn (host);
    ASSERT_NE (proxy, nullptr);
    delete shown;

    tick (40);
    EXPECT_EQ (animator.getNumTasks(), 1);
    EXPECT_GT (proxy->getY(), 200);

    tick (50);
    EXPECT_EQ (animator.getNumTasks(), 0);
    EXPECT_EQ (proxyIn (host), nullptr);
}

TEST_F (ShownAnimatorTest, AProxyDeletedWithItsParentIsNotDeletedAgain)
{
    // A panel deletes all its children, the proxy of a fading child among them.
    auto* panel = new SxComponent ("panel");
    host.addAndMakeVisible (panel);
    panel->setBounds (100, 100, 400, 300);
    auto* row = addItem (*panel, { 10, 10, 200, 30 });

    animator.fadeOut (row, 200);
    ASSERT_NE (proxyIn (*panel), nullptr);
    tick();
    delete panel;

    EXPECT_TRUE (tick());   // ends the task, the proxy already gone
    EXPECT_EQ (animator.getNumTasks(), 0);

    // And the other way round: the animator goes first.
    panel = new SxComponent ("panel");
    host.addAndMakeVisible (panel);
    panel->setBounds (100, 100, 400, 300);
    row = addItem (*panel, { 10, 10, 200, 30 });
    {
        EaseComponentAnimator shortLived;
        shortLived.fadeOut (row, 200);
        delete panel;
    }
}

TEST_F (ShownAnimatorTest, AProxyMoveShowsTheComponentAtTheEndEvenIfTheProxyWentEarly)
{
    auto* panel = new SxComponent ("panel");
    host.addAndMakeVisible (panel);
    panel->setBounds (100, 100, 400, 300);
    auto* row = addItem (*panel, { 10, 10, 200, 30 });

    animator.animateComponent (row, { 10, 200, 200, 30 }, 100, true, 1, 1.0f, 0.5, 0.5);
    ASSERT_FALSE (row->isVisible());
    delete proxyIn (*panel);    // whoever cleared the panel's children

    for (int i = 0; i < 20 && animator.isTimerRunning(); ++i)
        tick();

    EXPECT_TRUE (row->isVisible());
    EXPECT_EQ (row->getBounds(), Rect (10, 200, 200, 30));
}
