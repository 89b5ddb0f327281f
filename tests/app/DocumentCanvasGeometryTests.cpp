#include "CanvasTestSupport.h"
#include "ManualClock.h"
#include "SxTransform.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
    /** A 1000 x 800 canvas showing a 2000 x 1000 image, with a recording tool current. */
    class CanvasGeometry : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            canvas.setSize (1000, 800);
            canvas.setImage (picture.get());
            makeCurrent (canvas, tool);
            tool.calls.clear();
        }

        SxRef<SxImageRgbaBytes> picture = filledImage (2000, 1000, pixelWord (255, 10, 20, 30));
        TestCanvas canvas;
        RecordingTool tool;
    };

    /** Runs the zoom animation to its end on the hand clock; returns the number of steps. */
    int runAnimation (TestCanvas& canvas, sxgui::ManualClock& clock, const std::function<void()>& eachStep = {})
    {
        int steps = 0;
        while (canvas.isAnimatingZoom() && steps < 1000)
        {
            sxgui::fireTimer (canvas, GenericAppDocument::zoomAnimationTimer);
            ++steps;
            if (eachStep)
                eachStep();
            clock.advance (GenericAppDocument::zoomAnimationInterval);
        }
        return steps;
    }
}

TEST_F (CanvasGeometry, ZoomStepsNeverGoTheWrongWay)
{
    struct Case { float from; bool in; float to; };
    const Case cases[] = {
        { 1.0f, false, 0.75f }, { 0.6f, false, 0.5f }, { 20.0f, false, 16.0f }, { 16.0f, false, 8.0f },
        { 2.0f, false, 1.0f }, { 0.26f, false, 0.25f },
        { 0.1f, false, 0.1f },       // no smaller step: the zoom stays
        { 0.125f, false, 0.125f },
        { 0.6f, true, 0.75f }, { 1.0f, true, 2.0f }, { 3.0f, true, 4.0f }, { 0.1f, true, 0.125f }, { 0.125f, true, 0.25f },
        { 8.0f, true, 8.0f },
        { 16.0f, true, 16.0f },      // no larger step: the zoom stays
    };

    for (const auto& c : cases)
    {
        canvas.place (c.from, { 100.0f, 50.0f });
        tool.calls.clear();
        c.in ? canvas.zoomIn() : canvas.zoomOut();
        EXPECT_EQ (canvas.getZoom(), c.to) << (c.in ? "in" : "out") << " from " << c.from;
        EXPECT_EQ (tool.calls.contains ("cursor"), c.to != c.from) << "the tool's cursor follows every change";
    }
}

TEST_F (CanvasGeometry, ZoomStepsKeepTheImagePointUnderTheViewCentre)
{
    canvas.place (1.0f, { 100.0f, 50.0f });
    canvas.zoomIn();
    // (100, 50) - (500, 400) = (-400, -350) image pixels from the centre, now twice as far.
    EXPECT_EQ (canvas.getOrigin(), juce::Point<float> (-300.0f, -300.0f));

    canvas.zoomOut();
    EXPECT_EQ (canvas.getOrigin(), juce::Point<float> (100.0f, 50.0f));
}

TEST_F (CanvasGeometry, FitCentresTheImageInNinetyFivePercentOfTheView)
{
    canvas.place (3.0f, { -700.0f, 10.0f });
    canvas.fitInWindow (false);
    EXPECT_FLOAT_EQ (canvas.getZoom(), 0.475f);   // min (950 / 2000, 760 / 1000)
    EXPECT_FLOAT_EQ (canvas.getOrigin().x, 25.0f);
    EXPECT_FLOAT_EQ (canvas.getOrigin().y, 162.5f);
    EXPECT_TRUE (tool.calls.contains ("cursor"));

    canvas.actualSize();
    EXPECT_EQ (canvas.getZoom(), 1.0f);
    EXPECT_EQ (canvas.getOrigin(), juce::Point<float> (-500.0f, -100.0f));

    TestCanvas empty;
    empty.setSize (1000, 800);
    empty.place (2.0f, { 5.0f, 6.0f });
    empty.fitInWindow (false);
    empty.fitInWindow (true);
    empty.actualSize();
    EXPECT_EQ (empty.getZoom(), 2.0f) << "nothing to fit without an image";
    EXPECT_FALSE (empty.isAnimatingZoom());
}

TEST_F (CanvasGeometry, PanKeepsFortyFivePixelsOfTheImageInsideOnEachAxis)
{
    canvas.place (0.475f, { 1000.0f - 100.0f, 100.0f });
    float dx = 500.0f, dy = 10.0f;
    canvas.pan (dx, dy);
    EXPECT_EQ (canvas.getOrigin(), juce::Point<float> (955.0f, 110.0f));
    EXPECT_EQ (dx, 0.0f) << "the caller sees the axis that hit the limit";
    EXPECT_EQ (dy, 10.0f);

    dx = -5000.0f;
    dy = -5000.0f;
    canvas.pan (dx, dy);
    EXPECT_FLOAT_EQ (canvas.getOrigin().x, 45.0f - 2000.0f * 0.475f);
    EXPECT_FLOAT_EQ (canvas.getOrigin().y, 45.0f - 1000.0f * 0.475f);
    EXPECT_EQ (dx, 0.0f);
    EXPECT_EQ (dy, 0.0f);

    dx = 30.0f;
    dy = 0.0f;
    canvas.pan (dx, dy);
    EXPECT_FLOAT_EQ (canvas.getOrigin().x, 75.0f - 950.0f);
    EXPECT_EQ (dx, 30.0f);
    EXPECT_FALSE (tool.calls.contains ("cursor")) << "a pan changes no zoom";
}

TEST_F (CanvasGeometry, SetZoomKeepsTheZoomItIsGivenWithinTheMarginRule)
{
    canvas.place (1.0f, { 100.0f, 100.0f });
    canvas.setZoom (false, 1.3f);
    EXPECT_EQ (canvas.getZoom(), 1.3f) << "a pinch follows the fingers, no step";
    EXPECT_FLOAT_EQ (canvas.getOrigin().x, 500.0f - 400.0f * 1.3f);
    EXPECT_TRUE (tool.calls.contains ("cursor"));

    // A small image far right: keeping the centre would push it out of the view.
    auto small = filledImage (100, 100, pixelWord (255, 1, 2, 3));
    canvas.setImage (small.get());
    canvas.place (1.0f, { 980.0f, 10.0f });
    canvas.setZoom (false, 2.0f);
    EXPECT_EQ (canvas.getZoom(), 2.0f);
    EXPECT_EQ (canvas.getOrigin().x, 1000.0f - 45.0f);

    for (float refused : { 0.0f, -1.0f, std::nanf ("") })
    {
        canvas.setZoom (false, refused);
        EXPECT_EQ (canvas.getZoom(), 2.0f);
    }
}

TEST_F (CanvasGeometry, AResizeKeepsThePictureCentred)
{
    TestCanvas resizing;
    resizing.setSize (800, 600);
    resizing.place (1.0f, { 10.0f, 20.0f });
    resizing.setSize (1000, 600);
    EXPECT_EQ (resizing.getOrigin(), juce::Point<float> (110.0f, 20.0f));
    resizing.setSize (1000, 500);
    EXPECT_EQ (resizing.getOrigin(), juce::Point<float> (110.0f, -30.0f));
}

TEST_F (CanvasGeometry, TheZoomAnimationStepsForFourHundredMillisecondsAndEndsOnTheTarget)
{
    sxgui::ManualClock clock;
    canvas.place (2.0f, { -500.0f, -300.0f });
    canvas.fitInWindow (true);
    ASSERT_TRUE (canvas.isAnimatingZoom());
    EXPECT_EQ (canvas.getZoom(), 2.0f) << "nothing moves before the first step";

    const float fit = juce::jmin (0.95f * 1000.0f / 2000.0f, 0.95f * 800.0f / 1000.0f);
    float previous = canvas.getZoom();
    bool wholePixels = true, monotonic = true;
    const int steps = runAnimation (canvas, clock, [&]
    {
        const auto o = canvas.getOrigin();
        wholePixels = wholePixels && o.x == std::trunc (o.x) && o.y == std::trunc (o.y);
        monotonic = monotonic && canvas.getZoom() <= previous;
        previous = canvas.getZoom();
    });

    EXPECT_EQ (steps, 15) << "steps at 0, 30, ..., 390 ms and the last one at 400";
    EXPECT_EQ (canvas.getZoom(), fit) << "exactly the target";
    EXPECT_EQ (canvas.getOrigin(), juce::Point<float> (25.0f, 162.0f)) << "the target truncated";
    EXPECT_TRUE (wholePixels);
    EXPECT_TRUE (monotonic);
    EXPECT_EQ (tool.calls.size(), 15) << "the cursor follows every step";
}

TEST_F (CanvasGeometry, AnAnimatedZoomAtAPointEndsOnAnyZoomWithThePointHalfWayToTheCentre)
{
    sxgui::ManualClock clock;
    canvas.place (1.0f, { 0.0f, 0.0f });
    const SxPoint clicked { 300.0f, 200.0f };
    const auto kept = canvas.originForZoom (1.37f);
    canvas.zoomAtPoint (clicked, true, 1.37f);
    runAnimation (canvas, clock);

    EXPECT_EQ (canvas.getZoom(), 1.37f) << "not a step: the value given";
    const float k = 1.37f * 0.5f;
    EXPECT_EQ (canvas.getOrigin(), juce::Point<float> (std::trunc (kept.x + k * (500.0f - 300.0f)),
                                                       std::trunc (kept.y + k * (400.0f - 200.0f))));

    canvas.zoomAtPoint (clicked, false, 0.9f);
    EXPECT_EQ (canvas.getZoom(), 0.9f) << "without animation it is setZoom";
}

TEST_F (CanvasGeometry, ANewAnimationOrADirectZoomTakesOverFromARunningOne)
{
    sxgui::ManualClock clock;
    canvas.place (2.0f, { -500.0f, -300.0f });
    canvas.fitInWindow (true);
    for (int i = 0; i < 5; ++i)
    {
        sxgui::fireTimer (canvas, GenericAppDocument::zoomAnimationTimer);
        clock.advance (30);
    }
    const float midway = canvas.getZoom();
    ASSERT_LT (midway, 2.0f);

    canvas.zoomAtPoint ({ 500.0f, 400.0f }, true, 4.0f);
    sxgui::fireTimer (canvas, GenericAppDocument::zoomAnimationTimer);
    EXPECT_EQ (canvas.getZoom(), midway) << "restarted from where it stood";
    runAnimation (canvas, clock);
    EXPECT_EQ (canvas.getZoom(), 4.0f);

    canvas.fitInWindow (true);
    sxgui::fireTimer (canvas, GenericAppDocument::zoomAnimationTimer);
    canvas.actualSize();
    EXPECT_FALSE (canvas.isAnimatingZoom()) << "the user's own zoom is not undone by the animation";
    EXPECT_EQ (canvas.getZoom(), 1.0f);
}

TEST_F (CanvasGeometry, TheZoomButtonsReportToTheCanvasByName)
{
    canvas.place (1.0f, {});
    juce::TextButton in ("+"), out ("-"), other ("?");
    in.setName ("zoomInButton");
    out.setName ("zoomOutButton");
    other.setName ("zoomButton");

    canvas.buttonClicked (&in);
    EXPECT_EQ (canvas.getZoom(), 2.0f);
    canvas.buttonClicked (&other);
    EXPECT_EQ (canvas.getZoom(), 2.0f);
    canvas.buttonClicked (&out);
    canvas.buttonClicked (&out);
    EXPECT_EQ (canvas.getZoom(), 0.75f);
}

TEST_F (CanvasGeometry, MapsPointsAndRectanglesBetweenImageAndView)
{
    canvas.place (2.0f, { 10.0f, -4.0f });
    const SxPoint p { 3.0f, 5.0f, 0.5f, 1.0f, 2.0f, 3.0f };
    const auto v = canvas.documentToView (p);
    EXPECT_EQ (v, (SxPoint { 16.0f, 6.0f, 0.5f, 1.0f, 2.0f, 3.0f })) << "the other fields travel along";
    EXPECT_EQ (canvas.viewToDocument (v), p);
    EXPECT_EQ (canvas.documentRectToView (0.0f, 1.0f, 4.0f, 5.0f), (RectBounds { 10.0f, -2.0f, 18.0f, 6.0f }));

    SxTransform placement;
    placement.center = { 50.0f, 40.0f };
    placement.size = { 20.0f, 10.0f };
    const SxImageRgbaBytes placed (40, 20);
    const auto t = canvas.getPlacementTransform (placement, placed);
    // Unrotated, the placed picture's corners land on the placement's corners in the view.
    float x = 0.0f, y = 0.0f;
    t.transformPoint (x, y);
    EXPECT_FLOAT_EQ (x, 10.0f + 40.0f * 2.0f);
    EXPECT_FLOAT_EQ (y, -4.0f + 35.0f * 2.0f);
    x = 40.0f;
    y = 20.0f;
    t.transformPoint (x, y);
    EXPECT_FLOAT_EQ (x, 10.0f + 60.0f * 2.0f);
    EXPECT_FLOAT_EQ (y, -4.0f + 45.0f * 2.0f);
}

TEST (CanvasProbe, ReadsThePixelUnderThePointAndNothingOutsideTheImage)
{
    TestCanvas canvas;
    canvas.setSize (400, 300);
    EXPECT_EQ (canvas.getImageColorAt ({ 0.0f, 0.0f }), 0u) << "no image";

    SxRef<SxImageRgbaBytes> ramp (new SxImageRgbaBytes (4, 3));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            ramp->setPixel (pixelWord (255, (uint8_t) (x * 10), (uint8_t) (y * 10), 7), x, y);
    canvas.setImage (ramp.get());
    canvas.place (2.0f, { 10.5f, 20.0f });

    struct Case { float x, y; uint32_t word; };
    const Case cases[] = {
        { 10.5f, 20.0f, pixelWord (255, 0, 0, 7) },         // the origin: the top-left pixel
        { 9.5f, 20.0f, 0u },                                // one pixel to its left
        { 10.5f, 19.9f, 0u },
        { 13.0f, 22.0f, pixelWord (255, 10, 10, 7) },
        { 17.9f, 25.9f, pixelWord (255, 30, 20, 7) },       // the last pixel
        { 18.5f, 20.0f, 0u },                               // just past the right edge
        { 10.5f, 26.0f, 0u },
    };
    for (const auto& c : cases)
        EXPECT_EQ (canvas.getImageColorAt ({ c.x, c.y }), c.word) << c.x << ", " << c.y;
}

TEST (CanvasPlacement, TheImageRectangleFitsTheAspectInWholePixels)
{
    struct Case { int w, h; float zoom; RectBounds expected; };
    const Case cases[] = {
        { 1, 50, 3.0f, { 10.0f, 20.0f, 10.0f, 69.0f } },        // one column: no aspect fit, no zoom
        { 50, 1, 3.0f, { 10.0f, 20.0f, 59.0f, 20.0f } },
        { 2000, 1000, 0.475f, { 10.0f, 20.0f, 959.0f, 494.0f } },
        { 3, 4, 2.0f, { 10.0f, 20.0f, 15.0f, 27.0f } },
        { 10, 3, 2.0f, { 10.0f, 20.0f, 29.0f, 24.0f } },        // 19 x 4 of the 19 x 5 room: the spare row below
    };
    for (const auto& c : cases)
        EXPECT_EQ (GenericAppDocument::placeImage (c.w, c.h, c.zoom, { 10.0f, 20.0f }), c.expected) << c.w << " x " << c.h;

    // Large images at high zooms: the fitting products pass 32 bits.
    const auto large = GenericAppDocument::placeImage (15000, 15000, 16.0f, {});
    EXPECT_EQ (large, (RectBounds { 0.0f, 0.0f, 239999.0f, 239999.0f }));

    TestCanvas canvas;
    canvas.setSize (400, 300);
    EXPECT_EQ (canvas.getImageRectInView(), (RectBounds { 0.0f, 0.0f, 0.0f, 0.0f })) << "no image";
    EXPECT_EQ (canvas.getImageBounds(), (RectBounds { 0.0f, 0.0f, 0.0f, 0.0f }));
    EXPECT_EQ (canvas.getImageSize(), (SxPoint { 0.0f, 0.0f }));

    auto column = filledImage (1, 50, pixelWord (255, 1, 1, 1));
    canvas.setImage (column.get());
    canvas.place (3.0f, { 10.0f, 20.0f });
    EXPECT_EQ (canvas.getImageRectInView(), (RectBounds { 10.0f, 20.0f, 10.0f, 69.0f }));
    EXPECT_EQ (canvas.getImageBounds(), (RectBounds { 0.0f, 0.0f, 0.0f, 49.0f }));
    EXPECT_EQ (canvas.getImageSize(), (SxPoint { 1.0f, 50.0f }));
    EXPECT_EQ (canvas.getImageScale(), 50.0f / 1024.0f);
}
