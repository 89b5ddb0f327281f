#include "HostedTest.h"
#include "SegmentChoiceLog.h"
#include "ManualClock.h"
#include "SxRelativeBounds.h"
#include "SxScrollingSegmentController.h"

namespace
{
    class ScrollingSegmentTest : public sxgui::HostedTest
    {
    protected:
        /** A strip built in the host at (20, 60) as the crop panel builds its own. */
        SxScrollingSegmentController& makeStrip (int count, int segmentWidth, int width, bool centred = false)
        {
            auto* strip = new SxScrollingSegmentController (centred);
            strip->segmentWidth = segmentWidth;
            strip->callback = &log;
            host.addAndMakeVisible (strip);
            strip->setBounds (20, 60, width, 27);
            for (int i = 0; i < count; ++i)
                strip->addSegmentLabel ("R" + juce::String (i));
            strip->build();
            strip->setEnabled (true);
            return *strip;
        }

        /** Runs the scroller's eased glide to its end. */
        void finishGlide (SxScroller& scroller)
        {
            for (int i = 0; i < 100 && scroller.isTimerRunning (SxScroller::scrollAnimationTimerId); ++i)
            {
                clock.advance (SxScroller::tickMs);
                sxgui::fireTimer (scroller, SxScroller::scrollAnimationTimerId);
            }
        }

        static bool arrowsShown (SxScrollingSegmentController& strip, bool left, bool right)
        {
            return strip.getLeftArrow()->isVisible() == left && strip.getRightArrow()->isVisible() == right;
        }

        sxgui::ManualClock clock;
        SegmentChoiceLog log;
    };
}

TEST_F (ScrollingSegmentTest, SegmentsThatFitAreCentredWithoutArrows)
{
    for (const bool centred : { false, true })
    {
        auto& strip = makeStrip (2, 100, 400, centred);
        auto& scroller = *strip.getScroller();
        EXPECT_EQ (scroller.getName(), "SxScrollingSegementControllerScroller");
        EXPECT_EQ (scroller.getComponentID(), "PresetScrollerComponent");
        EXPECT_EQ (scroller.getBounds(), juce::Rectangle<int> (100, 0, 200, 27)) << centred;
        EXPECT_EQ (strip.getContent()->getWidth(), 200);
        EXPECT_TRUE (arrowsShown (strip, false, false));
        EXPECT_EQ (strip.getSegment (1)->getBounds(), juce::Rectangle<int> (100, 0, 100, 27));
        EXPECT_EQ (strip.getSegment (1)->getTextLabel()->getWidth(), 95);
        EXPECT_EQ (strip.getSelectedIndex(), 0);
        EXPECT_TRUE (log.choices.isEmpty());

        strip.setSize (300, 27);                  // still fits: centred again
        EXPECT_EQ (scroller.getBounds(), juce::Rectangle<int> (50, 0, 200, 27));
        delete &strip;
    }
}

TEST_F (ScrollingSegmentTest, EveryClickOnASegmentIsReportedAlsoOnTheSelectedOne)
{
    auto& strip = makeStrip (3, 60, 300);
    input.click (*strip.getSegment (1));
    input.click (*strip.getSegment (1));
    EXPECT_EQ (strip.getSelectedIndex(), 1);
    EXPECT_EQ (log.choices, juce::Array<int> (1, 1));
    EXPECT_EQ (log.sources[0], &strip);

    strip.setSelectedIndex (2);
    strip.setSelectedIndex (7);                   // outside: ignored
    strip.setSelectedIndex (-1);
    EXPECT_EQ (strip.getSelectedIndex(), 2);
    EXPECT_EQ (log.choices.size(), 2);

    strip.setEnabled (false);
    input.click (*strip.getSegment (0));
    EXPECT_EQ (strip.getSelectedIndex(), 2);
    EXPECT_EQ (log.choices.size(), 2);
    EXPECT_TRUE (strip.isEnabled());
}

TEST_F (ScrollingSegmentTest, ArrowsShowWhereSegmentsLieBeyondTheEdgeAndGlideOneSegment)
{
    auto& strip = makeStrip (10, 50, 300);      // 500 pixels of segments in a 240-pixel view
    auto& scroller = *strip.getScroller();
    EXPECT_EQ (scroller.getBounds(), juce::Rectangle<int> (30, 0, 240, 27));
    EXPECT_TRUE (arrowsShown (strip, false, true));
    EXPECT_EQ (strip.getRightArrow()->getName(), "rightArrowButton");

    input.click (*strip.getRightArrow());
    finishGlide (scroller);
    EXPECT_EQ (scroller.getViewPositionX(), 50);
    EXPECT_TRUE (arrowsShown (strip, true, true));   // refreshed as the strip scrolled

    scroller.setViewPosition (30, 0);            // a drag left it between two segments
    input.click (*strip.getLeftArrow());
    finishGlide (scroller);
    EXPECT_EQ (scroller.getViewPositionX(), 0);
    EXPECT_TRUE (arrowsShown (strip, false, true));

    scroller.setViewPosition (500, 0);           // to the end
    EXPECT_EQ (scroller.getViewPositionX(), 260);
    EXPECT_TRUE (arrowsShown (strip, true, false));
    input.click (*strip.getRightArrow()->getParentComponent(), { 285, 13 });   // where the hidden arrow was
    EXPECT_FALSE (scroller.isTimerRunning (SxScroller::scrollAnimationTimerId));

    // Arrows scroll; they never choose a segment.
    EXPECT_TRUE (log.choices.isEmpty());
    EXPECT_EQ (strip.getSelectedIndex(), 0);
}

TEST_F (ScrollingSegmentTest, GrowingUntilTheSegmentsFitHidesTheArrows)
{
    auto& strip = makeStrip (5, 50, 200);
    EXPECT_TRUE (arrowsShown (strip, false, true));
    strip.setSize (400, 27);
    EXPECT_TRUE (arrowsShown (strip, false, false));
    EXPECT_EQ (strip.getScroller()->getBounds(), juce::Rectangle<int> (75, 0, 250, 27));
    strip.setSize (250, 27);
    EXPECT_EQ (strip.getScroller()->getBounds(), juce::Rectangle<int> (30, 0, 190, 27));
    EXPECT_TRUE (arrowsShown (strip, false, true));
}

TEST_F (ScrollingSegmentTest, ArrowKeysChooseTheNeighbourAndBringItIntoView)
{
    auto& strip = makeStrip (10, 50, 300);
    auto& scroller = *strip.getScroller();
    input.click (*strip.getSegment (0));         // the strip, not the segment or the view, takes the focus
    ASSERT_TRUE (strip.hasKeyboardFocus (false));
    log.choices.clear();

    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE (input.pressKey (juce::KeyPress (juce::KeyPress::rightKey)));

    EXPECT_EQ (log.choices, juce::Array<int> (1, 2, 3, 4, 5));
    finishGlide (scroller);
    EXPECT_EQ (scroller.getViewArea().getRight(), 300);   // segment 5 ends at 300: just in view

    for (int i = 0; i < 5; ++i)
        input.pressKey (juce::KeyPress (juce::KeyPress::leftKey));
    finishGlide (scroller);
    EXPECT_EQ (scroller.getViewPositionX(), 0);
    EXPECT_EQ (strip.getSelectedIndex(), 0);
    EXPECT_FALSE (strip.getLeftArrow()->getWantsKeyboardFocus());
}

TEST_F (ScrollingSegmentTest, AStripWithoutLabelsIsEmptyAndQuiet)
{
    auto& strip = makeStrip (0, 50, 300);
    EXPECT_EQ (strip.getNumSegments(), 0);
    EXPECT_EQ (strip.getSelectedIndex(), -1);
    EXPECT_EQ (strip.getScroller()->getWidth(), 0);
    strip.setSelectedIndex (0);
    strip.grabKeyboardFocus();
    input.pressKey (juce::KeyPress (juce::KeyPress::rightKey));
    EXPECT_TRUE (log.choices.isEmpty());
}

TEST_F (ScrollingSegmentTest, DeletingAStripMidGlideIsSafe)
{
    auto& strip = makeStrip (10, 50, 300);
    input.click (*strip.getRightArrow());
    EXPECT_TRUE (strip.getScroller()->isTimerRunning (SxScroller::scrollAnimationTimerId));
    delete &strip;
    sxgui::drainMessages();
}
