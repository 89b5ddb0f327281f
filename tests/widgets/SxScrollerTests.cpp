#include "HostedTest.h"
#include "ManualClock.h"
#include "MessagePump.h"
#include "SxComponent.h"
#include "SxScroller.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
    using Point = juce::Point<int>;

    /** A list of 50 rows of 40 pixels, each a button that counts its clicks. */
    struct RowList : public SxComponent
    {
        static constexpr int rowHeight = 40, numRows = 50;

        explicit RowList (int width = 300) : SxComponent ("rows")
        {
            setSize (width, rowHeight * numRows);

            for (int i = 0; i < numRows; ++i)
            {
                auto* row = new juce::TextButton ("Row " + juce::String (i));
                row->onClick = [this, i] { clicks.add (i); };
                addAndMakeVisible (row);
                row->setBounds (0, i * rowHeight, width, rowHeight);
            }
        }

        juce::Button& row (int i)  { return *static_cast<juce::Button*> (getChildComponent (i)); }

        juce::Array<int> clicks;
    };

    struct AreaLog : public SxScrollerCallback
    {
        void scrolled (juce::Viewport* s, juce::Rectangle<int> area) override  { scrollers.push_back (s); areas.push_back (area); }
        std::vector<juce::Viewport*> scrollers;
        std::vector<juce::Rectangle<int>> areas;
    };

    /** A vertical list in the host window, 300 x 400 at (100, 100), as the kit's owners set
        one up: it takes clicks for itself and its children. */
    class ScrollerTest : public sxgui::HostedTest
    {
    protected:
        void SetUp() override
        {
            HostedTest::SetUp();
            scroller->horizontal = false;
            scroller->setInterceptsMouseClicks (true, true);
            scroller->setViewedComponent (rows, true);
            host.addAndMakeVisible (scroller.get());
            scroller->setBounds (100, 100, 300, 400);
        }

        int viewY() const  { return scroller->getViewPositionY(); }

        /** Press at y (scroller coordinates), then move the pointer to each of ys after
            advancing the clock by msPerStep. */
        void dragFrom (int y, std::initializer_list<int> ys, juce::uint32 msPerStep = 10)
        {
            input.press (*scroller, { 150, y });
            for (const int to : ys)
            {
                clock.advance (msPerStep);
                input.moveTo (*scroller, { 150, to });
            }
        }

        void release (int y)  { input.release (*scroller, { 150, y }); }

        /** Runs the fling to its end; the view positions after each tick. */
        std::vector<int> flingToEnd (int limit = 5000)
        {
            std::vector<int> positions;
            while ((int) positions.size() < limit && sxgui::fireTimer (*scroller, SxScroller::flingTimerId))
                positions.push_back (viewY());
            return positions;
        }

        sxgui::ManualClock clock;
        RowList* rows = new RowList();
        std::unique_ptr<SxScroller> scroller = std::make_unique<SxScroller> ("list");
    };

    /** The list with input that also moves the display's real pointer, for what a button
        decides by asking the window system where the pointer is (whether it is still over
        the button while the mouse is down). The pointer goes back where it was afterwards. */
    class ScrollerRealPointerTest : public ScrollerTest
    {
    protected:
        void TearDown() override
        {
            juce::Desktop::setMousePosition (pointerBefore);
            ScrollerTest::TearDown();
        }

        /** Press at from, steps moves, release at to (scroller coordinates). */
        void dragWithPointer (Point from, Point to, int steps)
        {
            auto at = [this] (Point p) -> Point
            {
                juce::Desktop::setMousePosition (scroller->localPointToGlobal (p));
                return p;
            };

            input.press (*scroller, at (from));
            for (int i = 1; i <= steps; ++i)
                input.moveTo (*scroller, at (from + (to - from) * i / steps));
            input.release (*scroller, at (to));
        }

        void clickWithPointer (Point p)  { dragWithPointer (p, p, 0); }

        const Point pointerBefore = juce::Desktop::getMousePosition();
    };
}

TEST_F (ScrollerTest, TheViewStaysUntilTheDragPassesEightPixelsThenJumpsTheWholeWay)
{
    struct Case { int pointerMove; int expectedView; };
    const Case cases[] = { { 8, 500 }, { -8, 500 }, { 9, 491 }, { -9, 509 }, { 30, 470 } };

    for (const auto& [pointerMove, expectedView] : cases)
    {
        scroller->setViewPosition (0, 500);
        dragFrom (200, { 200 + pointerMove }, 1);
        EXPECT_EQ (viewY(), expectedView) << pointerMove;
        EXPECT_EQ (scroller->isDragging(), expectedView != 500) << pointerMove;

        release (200 + pointerMove);
        EXPECT_EQ (scroller->isTimerRunning (SxScroller::flingTimerId), expectedView != 500) << pointerMove;   // 8 px/ms is fast
        scroller->stopTimer (SxScroller::flingTimerId);
    }
}

TEST_F (ScrollerTest, ADragThatPassedTheThresholdKeepsFollowingBackToItsStart)
{
    scroller->setViewPosition (0, 500);
    dragFrom (200, { 170, 200, 195, 203 });
    EXPECT_EQ (viewY(), 497);
    release (203);
}

TEST_F (ScrollerTest, SpeedIsTheLastStepOverItsTimeAndEqualTimeStampsCountAsOneMillisecond)
{
    struct Case { juce::uint32 ms; float velocity; };
    const Case cases[] = { { 0, 20.0f }, { 1, 20.0f }, { 10, 2.0f }, { 40, 0.5f } };

    for (const auto& [ms, velocity] : cases)
    {
        scroller->setViewPosition (0, 500);
        dragFrom (200, { 180 }, ms);
        EXPECT_FLOAT_EQ (scroller->getVelocity(), velocity) << ms;
        EXPECT_EQ (viewY(), 520);
        release (180);
        scroller->stopTimer (SxScroller::flingTimerId);
    }
}

TEST_F (ScrollerTest, OnlyAReleaseFasterThanSevenHundredthsOfAPixelPerMillisecondFlings)
{
    struct Case { int lastStep; bool flings; };
    const Case cases[] = { { 7, false }, { 8, true } };

    for (const auto& [lastStep, flings] : cases)
    {
        scroller->setViewPosition (0, 500);
        input.press (*scroller, { 150, 200 });
        clock.advance (20);
        input.moveTo (*scroller, { 150, 180 });
        clock.advance (100);
        input.moveTo (*scroller, { 150, 180 - lastStep });
        release (180 - lastStep);

        EXPECT_EQ (scroller->isTimerRunning (SxScroller::flingTimerId), flings) << lastStep;
        scroller->stopTimer (SxScroller::flingTimerId);
    }
}

TEST_F (ScrollerTest, AFlingAtOnePixelPerMillisecondLosesSevenPercentAndMovesTwentySevenPixels)
{
    scroller->setViewPosition (0, 500);
    dragFrom (200, { 180 }, 20);
    ASSERT_EQ (viewY(), 520);
    release (180);
    ASSERT_TRUE (scroller->isTimerRunning (SxScroller::flingTimerId));

    ASSERT_TRUE (sxgui::fireTimer (*scroller, SxScroller::flingTimerId));
    EXPECT_FLOAT_EQ (scroller->getVelocity(), 0.93f);
    EXPECT_EQ (viewY(), 547);   // 27.9 cut

    // Upwards the same way.
    scroller->stopTimer (SxScroller::flingTimerId);
    dragFrom (200, { 220 }, 20);
    release (220);
    const int before = viewY();
    sxgui::fireTimer (*scroller, SxScroller::flingTimerId);
    EXPECT_LT (viewY(), before - 26);
}

TEST_F (ScrollerTest, EveryFlingEndsAndCreepsBelowAPixelBeforeItStops)
{
    // A gentle fling in the middle of the list.
    scroller->setViewPosition (0, 500);
    dragFrom (200, { 180 }, 20);
    release (180);
    auto positions = flingToEnd();

    ASSERT_LT (positions.size(), 5000u);
    EXPECT_FALSE (scroller->isTimerRunning (SxScroller::flingTimerId));
    EXPECT_EQ (scroller->getVelocity(), 0.0f);
    ASSERT_GT (positions.size(), 3u);
    const auto n = positions.size();
    EXPECT_EQ (positions[n - 1], positions[n - 2]);   // the last ticks no longer move
    EXPECT_EQ (positions[n - 2], positions[n - 3]);

    // A violent one runs into the end of the content and stays there.
    scroller->setViewPosition (0, 0);
    dragFrom (300, { 100 }, 1);
    release (100);
    positions = flingToEnd();
    ASSERT_LT (positions.size(), 5000u);
    EXPECT_EQ (viewY(), RowList::rowHeight * RowList::numRows - 400);
}

TEST_F (ScrollerTest, APressStopsAFling)
{
    scroller->setViewPosition (0, 500);
    dragFrom (200, { 180 }, 20);
    release (180);
    ASSERT_TRUE (scroller->isTimerRunning (SxScroller::flingTimerId));
    input.press (*scroller, { 150, 200 });
    EXPECT_FALSE (scroller->isTimerRunning (SxScroller::flingTimerId));
    release (200);
}

TEST_F (ScrollerTest, AnimatedScrollGlidesOnASineOutAndEndsExactlyOnTargetAfter400Ms)
{
    scroller->setViewPosition (0, 100);
    ASSERT_TRUE (scroller->animateScrollTo ({ 0, 777 }, true, false));

    std::vector<int> positions;
    const auto start = clock.now();
    juce::uint32 lastTick = start;
    while (positions.size() < 100 && sxgui::fireTimer (*scroller, SxScroller::scrollAnimationTimerId))
    {
        positions.push_back (viewY());
        lastTick = clock.now();
        clock.advance (30);
    }

    EXPECT_EQ (viewY(), 777);
    EXPECT_EQ (lastTick - start, 420u);   // the first tick starts the clock; 400 ms later it ends
    EXPECT_EQ (positions.front(), 100);
    EXPECT_TRUE (std::is_sorted (positions.begin(), positions.end()));
    EXPECT_GT (positions[positions.size() / 2], 100 + (777 - 100) / 2);   // sine out: most of the way early
}

TEST_F (ScrollerTest, AnimatedScrollThatWouldNotMoveStartsNothing)
{
    const int limit = RowList::rowHeight * RowList::numRows - 400;
    scroller->setViewPosition (0, 300);
    EXPECT_FALSE (scroller->animateScrollTo ({ 0, 300 }, true, false));
    EXPECT_FALSE (scroller->isTimerRunning (SxScroller::scrollAnimationTimerId));

    scroller->setViewPosition (0, limit);
    EXPECT_FALSE (scroller->animateScrollTo ({ 0, limit + 500 }, true, false));
    EXPECT_FALSE (scroller->animateScrollTo ({ 0, 50 }, true, true));
    EXPECT_FALSE (scroller->isTimerRunning (SxScroller::scrollAnimationTimerId));

    // Past the limit from elsewhere: glides to the limit.
    scroller->setViewPosition (0, 200);
    ASSERT_TRUE (scroller->animateScrollTo ({ 0, limit + 500 }, true, false));
    for (int i = 0; i < 100 && sxgui::fireTimer (*scroller, SxScroller::scrollAnimationTimerId); ++i)
        clock.advance (30);
    EXPECT_EQ (viewY(), limit);
}

TEST_F (ScrollerTest, AKeptAxisStaysWhereItIs)
{
    auto* wide = new RowList (1000);
    scroller->setViewedComponent (wide, true);

    auto glide = [this] (Point target, bool keepX, bool keepY)
    {
        std::vector<Point> positions;
        if (scroller->animateScrollTo (target, keepX, keepY))
            for (int i = 0; i < 100 && sxgui::fireTimer (*scroller, SxScroller::scrollAnimationTimerId); ++i)
            {
                positions.push_back (scroller->getViewPosition());
                clock.advance (30);
            }
        return positions;
    };

    glide ({ 200, 300 }, false, false);
    ASSERT_EQ (scroller->getViewPosition(), Point (200, 300));

    for (auto p : glide ({ 0, 900 }, true, false))
        EXPECT_EQ (p.x, 200);
    EXPECT_EQ (scroller->getViewPosition(), Point (200, 900));

    for (auto p : glide ({ 600, 0 }, false, true))
        EXPECT_EQ (p.y, 900);
    EXPECT_EQ (scroller->getViewPosition(), Point (600, 900));
}

TEST_F (ScrollerTest, AnAnimatedScrollStopsAFlingAndAPressStopsTheAnimatedScroll)
{
    scroller->setViewPosition (0, 500);
    dragFrom (200, { 180 }, 20);
    release (180);
    ASSERT_TRUE (scroller->isTimerRunning (SxScroller::flingTimerId));

    ASSERT_TRUE (scroller->animateScrollTo ({ 0, 0 }, true, false));
    EXPECT_FALSE (scroller->isTimerRunning (SxScroller::flingTimerId));

    input.press (*scroller, { 150, 200 });
    EXPECT_FALSE (scroller->isTimerRunning (SxScroller::scrollAnimationTimerId));
    release (200);
}

TEST_F (ScrollerRealPointerTest, ADragThatStartsOnARowButtonDoesNotClickIt)
{
    // A small wobble under the threshold is still a click.
    dragWithPointer ({ 150, 100 }, { 150, 106 }, 3);
    ASSERT_EQ (rows->clicks, juce::Array<int> (2));

    // Slowly, in steps smaller than a row, and in one step just past the threshold straight
    // before the release; either way the pointer stays over the row it pressed, which
    // follows it.
    struct Case { int steps, distance; };
    for (const auto& [steps, distance] : { Case { 25, 100 }, Case { 1, 10 } })
    {
        scroller->setViewPosition (0, 400);
        clock.advance (1000);
        dragWithPointer ({ 150, 300 }, { 150, 300 - distance }, steps);
        EXPECT_EQ (viewY(), 400 + distance) << steps;
        EXPECT_EQ (rows->clicks.size(), 1) << steps;
        scroller->stopTimer (SxScroller::flingTimerId);
    }

    // Clicks reach the rows again once the drag is over.
    scroller->setViewPosition (0, 0);
    clock.advance (1000);
    clickWithPointer ({ 150, 60 });
    EXPECT_EQ (rows->clicks, juce::Array<int> (2, 1));
    bool self = false, children = false;
    scroller->getInterceptsMouseClicks (self, children);
    EXPECT_TRUE (self && children);
}

TEST_F (ScrollerRealPointerTest, ARowDeletedMidDragDoesNotLeaveTheListDeafToClicks)
{
    scroller->setViewPosition (0, 0);
    juce::Component::SafePointer<juce::Button> pressed (&rows->row (2));
    dragFrom (100, { 80, 60 });
    ASSERT_TRUE (scroller->isDragging());
    delete pressed.getComponent();
    release (60);
    input.moveTo (*scroller, { 150, 62 });

    auto* under = rows->getComponentAt (150, viewY() + 20);
    ASSERT_NE (under, nullptr);
    clock.advance (1000);
    clickWithPointer ({ 150, 20 });
    EXPECT_EQ (rows->clicks, juce::Array<int> (under->getName().getTrailingIntValue()));
}

TEST_F (ScrollerTest, WithDragScrollingOffItIsAPlainViewport)
{
    scroller->dragScrollEnabled = false;
    scroller->setViewPosition (0, 400);
    input.drag (*scroller, { 150, 300 }, { 150, 100 });
    EXPECT_EQ (viewY(), 400);
    EXPECT_FALSE (scroller->isTimerRunning (SxScroller::flingTimerId));
    EXPECT_EQ (rows->clicks.size(), 0);   // the pointer left the row it pressed

    input.click (*scroller, { 150, 20 });
    EXPECT_EQ (rows->clicks, juce::Array<int> (10));
}

TEST_F (ScrollerTest, TheWheelScrollsTheListOnceAsInAPlainViewport)
{
    juce::Viewport plain;
    plain.setViewedComponent (new RowList(), true);
    host.addAndMakeVisible (plain);
    plain.setBounds (500, 100, 300, 400);

    juce::MouseWheelDetails wheel;
    wheel.deltaX = 0.0f;
    wheel.deltaY = -0.5f;
    wheel.isReversed = false;
    wheel.isSmooth = false;
    wheel.isInertial = false;

    auto roll = [&] (juce::Component& target)
    {
        const auto at = host.getLocalPoint (&target, target.getLocalBounds().getCentre()).toFloat();
        host.getPeer()->handleMouseWheel (juce::MouseInputSource::InputSourceType::mouse, at,
                                          (juce::int64) clock.now(), wheel);
    };

    roll (*scroller);
    roll (plain);
    EXPECT_GT (viewY(), 0);
    EXPECT_EQ (viewY(), plain.getViewPositionY());
    host.removeChildComponent (&plain);
}

TEST_F (ScrollerTest, DraggingTheScrollBarMovesTheViewLikeAScrollBar)
{
    scroller->setScrollBarThickness (10);
    auto& bar = scroller->getVerticalScrollBar();
    ASSERT_TRUE (bar.isVisible());
    ASSERT_EQ (bar.getWidth(), 10);

    // The thumb sits at the top of the track, below the (invisible) 12-pixel button.
    input.drag (bar, { 5, 30 }, { 5, 80 }, 5);
    sxgui::drainMessages();   // a scroll bar tells its viewport asynchronously
    EXPECT_GT (viewY(), 200);   // 50 px of track is far more than 50 px of content
    EXPECT_FALSE (scroller->isDragging());
    EXPECT_FALSE (scroller->isTimerRunning (SxScroller::flingTimerId));
}

TEST_F (ScrollerTest, TellsItsCallbackAboutEveryChangeOfTheVisibleArea)
{
    AreaLog log;
    scroller->scrollerCallback = &log;
    scroller->setViewPosition (0, 500);
    dragFrom (200, { 180 }, 20);
    release (180);
    sxgui::fireTimer (*scroller, SxScroller::flingTimerId);

    ASSERT_EQ (log.areas.size(), 3u);
    EXPECT_EQ (log.scrollers.back(), scroller.get());
    EXPECT_EQ (log.areas[0], juce::Rectangle<int> (0, 500, 300, 400));
    EXPECT_EQ (log.areas[1].getY(), 520);
    EXPECT_EQ (log.areas[2], scroller->getViewArea());
    scroller->scrollerCallback = nullptr;
}

TEST_F (ScrollerTest, ScrollsHorizontallyWhenAskedTo)
{
    auto* wide = new RowList (2000);
    scroller->setViewedComponent (wide, true);
    scroller->horizontal = true;
    scroller->setViewPosition (500, 300);

    input.press (*scroller, { 150, 200 });
    clock.advance (20);
    input.moveTo (*scroller, { 130, 150 });
    EXPECT_EQ (scroller->getViewPosition(), Point (520, 300));
    input.release (*scroller, { 130, 150 });
    sxgui::fireTimer (*scroller, SxScroller::flingTimerId);
    EXPECT_EQ (scroller->getViewPosition(), Point (547, 300));
}

using SxScrollerLifetimeTest = sxgui::HostedTest;

TEST_F (SxScrollerLifetimeTest, DeletesItsContentsChildrenButNotBorrowedOnesAndStopsListening)
{
    SxComponent content ("content");
    content.setSize (300, 800);
    juce::Component::SafePointer<juce::Component> owned (new juce::Component ("owned"));
    content.addAndMakeVisible (owned.getComponent());
    juce::Component borrowed ("borrowed");
    content.addBorrowedChild (borrowed);

    {
        SxScroller scroller ("list");
        scroller.setViewedComponent (&content, false);
        scroller.setSize (300, 400);
        EXPECT_EQ (scroller.getScrollBarThickness(), 0);
    }

    EXPECT_EQ (owned.getComponent(), nullptr);
    EXPECT_EQ (borrowed.getParentComponent(), nullptr);
    EXPECT_EQ (content.getNumChildComponents(), 0);

    // Input on the content no longer reaches the scroller (the sanitizer build would catch it).
    host.addAndMakeVisible (content);
    content.setBounds (100, 100, 300, 400);
    input.drag (content, { 150, 300 }, { 150, 100 });
    host.removeChildComponent (&content);
}
