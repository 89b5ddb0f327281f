#include "GenericAppDocument.h"
#include "ManualClock.h"
#include "MessagePump.h"
#include "PeerInput.h"
#include "SxPanTool.h"

#include <gtest/gtest.h>

namespace
{
    /** A 1000 x 800 window filled by the canvas, showing a 400 x 300 image fitted (zoom
        2.375; the 85 % fit is 2.125), with the pan tool current; a mouse and a pen make two
        fingers. The hand clock stamps the events, so two clicks at one spot are a double
        click, and drives the zoom animation. */
    class PanTool : public ::testing::Test
    {
    protected:
        struct Window : public juce::Component
        {
            Window()
            {
                setSize (1000, 800);
                addAndMakeVisible (canvas);
                canvas.setBounds (getLocalBounds());
                setTopLeftPosition (0, 0);
                addToDesktop (juce::ComponentPeer::windowAppearsOnTaskbar);
                setVisible (true);
            }
            ~Window() override { removeFromDesktop(); }

            GenericAppDocument canvas;
        };

        void SetUp() override
        {
            picture->fill (0xff808080u);
            canvas.setImage (picture.get());
            canvas.fitInWindow (false);
            tool.setDocument (&canvas);
            canvas.activeTool = &tool;
            tool.setActive (true);
        }

        void TearDown() override  { sxgui::drainMessages(); }

        void finishAnimation()
        {
            for (int i = 0; i < 100 && canvas.isAnimatingZoom(); ++i)
            {
                sxgui::fireTimer (canvas, GenericAppDocument::zoomAnimationTimer);
                clock.advance (GenericAppDocument::zoomAnimationInterval);
            }
        }

        juce::Point<float> origin() const  { return canvas.getOrigin(); }

        static constexpr float fit = 2.375f, nearFit = 2.125f;

        sxgui::ManualClock clock;
        SxRef<SxImageRgbaBytes> picture { new SxImageRgbaBytes (400, 300) };
        Window window;
        GenericAppDocument& canvas = window.canvas;
        SxPanTool tool { "panTool", {}, {}, {} };
        sxgui::PeerInput mouse { window };
        sxgui::PeerInput pen { window, juce::MouseInputSource::InputSourceType::pen };
    };
}

TEST_F (PanTool, ADragPansOnlyPastEightPixelsAndThenByTheWholeDistance)
{
    ASSERT_FLOAT_EQ (canvas.getZoom(), fit);
    const auto start = origin();

    struct Case { juce::Point<int> to; juce::Point<float> moved; };
    const Case cases[] = {
        { { 508, 400 }, { 0.0f, 0.0f } },
        { { 506, 406 }, { 0.0f, 0.0f } },     // 8.49 pixels: truncated, 8
        { { 509, 400 }, { 9.0f, 0.0f } },
        { { 506, 407 }, { 6.0f, 7.0f } },     // 9.2 pixels
    };
    for (const auto& c : cases)
    {
        canvas.fitInWindow (false);
        mouse.drag (canvas, { 500, 400 }, c.to, 1);
        EXPECT_EQ (origin(), start + c.moved) << c.to.x << ", " << c.to.y;
    }

    // Past the threshold every step follows the pointer.
    canvas.fitInWindow (false);
    mouse.press (canvas, { 500, 400 });
    mouse.moveTo (canvas, { 509, 400 });
    mouse.moveTo (canvas, { 510, 400 });
    mouse.moveTo (canvas, { 510, 399 });
    mouse.release (canvas, { 510, 399 });
    EXPECT_EQ (origin(), start + juce::Point<float> (10.0f, -1.0f));
}

TEST_F (PanTool, APressInTheLeftColumnOrTopRowStartsNothing)
{
    const auto start = origin();
    mouse.drag (canvas, { 0, 300 }, { 200, 300 }, 4);
    EXPECT_EQ (origin(), start);
    mouse.drag (canvas, { 300, 0 }, { 300, 200 }, 4);
    EXPECT_EQ (origin(), start);
}

TEST_F (PanTool, PanningStopsAtTheMargin)
{
    for (int i = 0; i < 2; ++i)
        mouse.drag (canvas, { 100, 400 }, { 990, 400 }, 8);
    EXPECT_EQ (origin().x, 1000.0f - 45.0f);
}

TEST_F (PanTool, APinchZoomsByTheFingersRatioBetweenAnEighthAndThree)
{
    mouse.press (canvas, { 400, 400 });
    pen.press (canvas, { 420, 400 });

    pen.moveTo (canvas, { 600, 400 });
    EXPECT_FLOAT_EQ (canvas.getZoom(), fit) << "the second finger's drags do not step the pinch";

    mouse.moveTo (canvas, { 500, 400 });   // 20 pixels apart at the press, now 100
    EXPECT_FLOAT_EQ (canvas.getZoom(), 3.0f) << "5 x 2.375, limited";

    mouse.moveTo (canvas, { 599, 400 });   // one pixel apart
    EXPECT_FLOAT_EQ (canvas.getZoom(), 0.125f);

    mouse.moveTo (canvas, { 598, 400 });   // twice as far apart again
    EXPECT_FLOAT_EQ (canvas.getZoom(), 0.25f);

    pen.release (canvas, { 600, 400 });
    mouse.release (canvas, { 598, 400 });
}

TEST_F (PanTool, LiftingOneFingerOfAPinchBelowTheNearFitSnapsBackToTheFit)
{
    mouse.press (canvas, { 400, 400 });
    pen.press (canvas, { 500, 400 });
    mouse.moveTo (canvas, { 450, 400 });
    ASSERT_FLOAT_EQ (canvas.getZoom(), fit * 0.5f);

    pen.release (canvas, { 500, 400 });
    EXPECT_TRUE (canvas.isAnimatingZoom());
    mouse.release (canvas, { 450, 400 });
    finishAnimation();
    EXPECT_FLOAT_EQ (canvas.getZoom(), fit);

    // Above the near fit the zoom stays.
    mouse.press (canvas, { 400, 400 });
    pen.press (canvas, { 500, 400 });
    mouse.moveTo (canvas, { 390, 400 });
    pen.release (canvas, { 500, 400 });
    mouse.release (canvas, { 390, 400 });
    EXPECT_FALSE (canvas.isAnimatingZoom());
    EXPECT_FLOAT_EQ (canvas.getZoom(), fit * 1.1f);
}

TEST_F (PanTool, ADoubleClickFitsOrZoomsToTwiceTheNearFit)
{
    canvas.setZoom (false, 1.0f);
    mouse.click (canvas, { 300, 300 });
    mouse.click (canvas, { 300, 300 });
    finishAnimation();
    EXPECT_FLOAT_EQ (canvas.getZoom(), fit) << "far from the near fit: fit";

    clock.advance (1000);   // the next two clicks are a double click of their own
    canvas.setZoom (false, nearFit + 0.05f);
    mouse.click (canvas, { 300, 300 });
    mouse.click (canvas, { 300, 300 });
    finishAnimation();
    EXPECT_FLOAT_EQ (canvas.getZoom(), 2.0f * nearFit) << "close to the near fit: a closer look at the spot";
}
