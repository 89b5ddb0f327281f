#include "CanvasTestSupport.h"
#include "PeerInput.h"

#include <gtest/gtest.h>

namespace
{
    struct Eyedropper : public GenericAppDocumentMouseInterceptCallback
    {
        void mouseUp (const juce::MouseEvent&) override     { seen.add ("up"); }
        void mouseMove (const juce::MouseEvent&) override   { seen.add ("move"); }
        void mouseDown (const juce::MouseEvent&) override   { seen.add ("down"); }
        void mouseDrag (const juce::MouseEvent&) override   { seen.add ("drag"); }
        void mouseEnter (const juce::MouseEvent&) override  { seen.add ("enter"); }
        void mouseExit (const juce::MouseEvent&) override   { seen.add ("exit"); }
        juce::StringArray seen;
    };

    /** The canvas in a window of its own, a current tool, a mouse and a pen (two fingers). */
    class CanvasRouting : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            makeCurrent (canvas, tool);
            tool.calls.clear();
        }

        void TearDown() override
        {
            canvas.mouseInterceptor = nullptr;
            sxgui::drainMessages();
        }

        void showImage()
        {
            canvas.setImage (picture.get());
            canvas.fitInWindow (false);
            tool.calls.clear();
        }

        std::vector<juce::Point<int>> livePositions() const
        {
            std::vector<juce::Point<int>> positions;
            for (auto& e : canvas.getMouseEvents())
                positions.push_back (e.getPosition());
            return positions;
        }

        SxRef<SxImageRgbaBytes> picture = filledImage (400, 300, pixelWord (255, 90, 90, 90));
        CanvasWindow window;
        TestCanvas& canvas = window.canvas;
        RecordingTool tool;
        sxgui::PeerInput mouse { window };
        sxgui::PeerInput pen { window, juce::MouseInputSource::InputSourceType::pen };
    };
}

TEST_F (CanvasRouting, WithAnInterceptorTheToolGetsNothing)
{
    showImage();
    Eyedropper eyedropper;
    canvas.mouseInterceptor = &eyedropper;

    mouse.drag (canvas, { 100, 100 }, { 140, 120 }, 2);
    EXPECT_TRUE (tool.calls.isEmpty());
    EXPECT_TRUE (eyedropper.seen.contains ("down"));
    EXPECT_TRUE (eyedropper.seen.contains ("drag"));
    EXPECT_TRUE (eyedropper.seen.contains ("up"));
    EXPECT_TRUE (canvas.getMouseEvents().empty()) << "intercepted presses are not recorded";
}

TEST_F (CanvasRouting, TheActiveToolGetsEveryEventWithTheCanvasAsItsDocument)
{
    showImage();
    tool.setDocument (nullptr);

    mouse.moveTo (canvas, { 50, 50 });
    mouse.drag (canvas, { 100, 100 }, { 140, 120 }, 2);
    EXPECT_EQ (tool.getDocument(), &canvas);
    EXPECT_TRUE (tool.calls.contains ("enter"));
    EXPECT_TRUE (tool.calls.contains ("move"));
    const auto down = tool.calls.indexOf ("down"), drag = tool.calls.indexOf ("drag"), up = tool.calls.indexOf ("up");
    EXPECT_TRUE (down >= 0 && down < drag && drag < up) << tool.calls.joinIntoString (" ");

    tool.calls.clear();
    tool.setActive (false);
    canvas.activeTool = &tool;   // set but inactive
    mouse.click (canvas, { 100, 100 });
    EXPECT_FALSE (tool.calls.contains ("down"));
}

TEST_F (CanvasRouting, WithoutAnImageNoToolEventButThePressIsStillRecorded)
{
    mouse.press (canvas, { 100, 100 });
    EXPECT_EQ (canvas.getMouseEvents().size(), 1u);
    mouse.moveTo (canvas, { 130, 100 });
    EXPECT_EQ (livePositions(), std::vector<juce::Point<int>> ({ { 130, 100 } })) << "a drag replaces the entry";
    mouse.release (canvas, { 130, 100 });
    EXPECT_TRUE (canvas.getMouseEvents().empty());

    mouse.click (canvas, { 60, 60 });
    EXPECT_TRUE (canvas.getMouseEvents().empty()) << "every press before the first image is let go again";
    EXPECT_FALSE (tool.calls.contains ("down"));
    EXPECT_FALSE (tool.calls.contains ("up"));
}

TEST_F (CanvasRouting, TwoFingersDownMakeTwoEntriesAndLiftingOneLeavesTheOther)
{
    showImage();
    mouse.press (canvas, { 100, 100 });
    pen.press (canvas, { 300, 200 });
    ASSERT_EQ (canvas.getMouseEvents().size(), 2u);

    pen.moveTo (canvas, { 320, 210 });
    EXPECT_EQ (livePositions(), std::vector<juce::Point<int>> ({ { 100, 100 }, { 320, 210 } }))
        << "the second finger's drag replaces its own entry only";

    pen.release (canvas, { 320, 210 });
    EXPECT_EQ (livePositions(), std::vector<juce::Point<int>> ({ { 100, 100 } }));
    mouse.release (canvas, { 100, 100 });
    EXPECT_TRUE (canvas.getMouseEvents().empty());
}

TEST_F (CanvasRouting, APressWhoseReleaseWentElsewhereLeavesNoSecondFinger)
{
    showImage();
    Eyedropper eyedropper;
    mouse.press (canvas, { 100, 100 });
    canvas.mouseInterceptor = &eyedropper;   // the eyedropper takes over mid-press
    mouse.release (canvas, { 100, 100 });
    canvas.mouseInterceptor = nullptr;

    mouse.press (canvas, { 150, 150 });
    EXPECT_EQ (livePositions(), std::vector<juce::Point<int>> ({ { 150, 150 } }));
    mouse.release (canvas, { 150, 150 });
}
