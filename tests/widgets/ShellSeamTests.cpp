#include "HostedTest.h"
#include "ManualClock.h"
#include "SxClock.h"

namespace
{
    struct Eyedropper : public GenericAppDocumentMouseInterceptCallback
    {
        void mouseDown (const juce::MouseEvent& e) override  { seen.add ("down"); source = e.eventComponent; }
        void mouseUp (const juce::MouseEvent&) override      { seen.add ("up"); }

        juce::StringArray seen;
        juce::Component* source = nullptr;
    };

    using CanvasSeamTest = sxgui::HostedTest;
}

TEST_F (CanvasSeamTest, CanvasMouseEventsGoToTheInterceptorInsteadOfTheCanvasWhileSet)
{
    auto& canvas = host.getCanvas();
    Eyedropper eyedropper;
    auto* seam = host.getDocumentCanvas();
    ASSERT_EQ (host.getDocumentCanvasComponent(), &canvas);

    seam->mouseInterceptor = &eyedropper;
    input.click (canvas, { 50, 50 });
    EXPECT_EQ (eyedropper.seen, juce::StringArray ({ "down", "up" }));
    EXPECT_EQ (eyedropper.source, &canvas);
    EXPECT_TRUE (canvas.mouseEvents.isEmpty());

    seam->mouseInterceptor = nullptr;
    input.click (canvas, { 60, 50 });
    EXPECT_EQ (eyedropper.seen.size(), 2);
    EXPECT_TRUE (canvas.mouseEvents.contains ("down"));
    EXPECT_TRUE (canvas.mouseEvents.contains ("up"));
}

TEST (ManualClockTest, DrivesTheKitClockWhileItLives)
{
    {
        sxgui::ManualClock clock (5000);
        EXPECT_EQ (SxClock::getMillisecondCounter(), 5000u);
        clock.advance (30);
        EXPECT_EQ (SxClock::getMillisecondCounter(), 5030u);
    }

    const auto framework = juce::Time::getMillisecondCounter();
    EXPECT_LE (SxClock::getMillisecondCounter() - framework, 1000u);
}
