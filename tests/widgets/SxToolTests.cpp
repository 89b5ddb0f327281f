#include "HostedTest.h"
#include "SxTool.h"
#include "SxToolCallback.h"
#include "ToolSelectingHost.h"

namespace
{
    juce::Image solid (juce::Colour colour)
    {
        juce::Image image (juce::Image::ARGB, 102, 60, true);
        image.clear (image.getBounds(), colour);
        return image;
    }

    /** A row that writes down what the tool told it. */
    struct Row : public SxToolCallback
    {
        void toolActivated (juce::Component* tool, bool active) override
        {
            heard.add (tool->getName() + (active ? " on" : " off"));
        }
        juce::StringArray heard;
    };

    struct Updating : public SxComponent
    {
        Updating() : SxComponent ("updating") {}
        void update() override { ++updates; }
        int updates = 0;
    };

    class ToolTest : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            host.show();
            host.addAndMakeVisible (tool);
            tool.setBounds (400, 0, 50, 30);
            tool.toolCallback = &row;
        }

        void TearDown() override  { sxgui::drainMessages(); }

        const juce::Image normal = solid (juce::Colours::grey), over = solid (juce::Colours::white),
                          down = solid (juce::Colours::cyan);
        ToolSelectingHost host;
        sxgui::PeerInput input { host };
        SxTool tool { "panTool", normal, over, down };
        Row row;
    };
}

TEST_F (ToolTest, StartsInactiveWithItsPicturesAndAnOptionsComponentThatFillsItsParent)
{
    EXPECT_EQ (tool.getName(), "panTool");
    EXPECT_FALSE (tool.isActive());
    EXPECT_EQ (tool.getDocument(), nullptr);
    EXPECT_EQ (tool.getNormalImage(), normal);
    EXPECT_EQ (tool.getOverImage(), over);
    EXPECT_EQ (tool.getDownImage(), down);

    auto& options = tool.getToolUIComponent();
    EXPECT_EQ (options.getName(), "toolUIComponent");
    SxComponent strip ("toolInsideUIComponent");
    strip.setSize (300, 27);
    strip.addBorrowedChild (options);
    EXPECT_EQ (options.getBounds(), strip.getLocalBounds());
    strip.removeBorrowedChild (options);
}

TEST_F (ToolTest, ClickingTheButtonSelectsTheToolAndClickingItAgainLeavesNoneCurrent)
{
    auto& canvas = host.getCanvas();
    canvas.setMouseCursor (juce::MouseCursor::CrosshairCursor);

    input.click (tool);
    EXPECT_EQ (host.selections, juce::StringArray ({ "panTool" }));
    EXPECT_TRUE (tool.isActive());
    EXPECT_EQ (canvas.activeTool, &tool);
    EXPECT_EQ (tool.getDocument(), &canvas);

    input.click (tool);
    EXPECT_EQ (host.selections, juce::StringArray ({ "panTool", "none" }));
    EXPECT_FALSE (tool.isActive());
    EXPECT_EQ (canvas.activeTool, nullptr) << "the tool cleared the canvas's pointer to it";
    EXPECT_TRUE (canvas.getMouseCursor() == juce::MouseCursor (juce::MouseCursor::NormalCursor));
    EXPECT_EQ (tool.getDocument(), &canvas) << "the canvas stays set after deactivation";

    EXPECT_EQ (row.heard, juce::StringArray ({ "panTool on", "panTool off" }));
}

TEST_F (ToolTest, WhileActiveEveryStateShowsThePressedPictureAndAfterwardsHoverShowsOverAgain)
{
    host.selectTool (&tool);
    EXPECT_EQ (tool.getNormalImage(), down);
    EXPECT_EQ (tool.getOverImage(), down) << "pressed also under the mouse";
    EXPECT_EQ (tool.getDownImage(), down);

    host.selectTool (nullptr);
    EXPECT_EQ (tool.getNormalImage(), normal);
    EXPECT_EQ (tool.getOverImage(), over);
    EXPECT_EQ (tool.getDownImage(), down);
}

TEST_F (ToolTest, BothRowsHearEveryActivationChange)
{
    Row second;
    tool.secondToolCallback = &second;

    tool.setActive (true);
    tool.setActive (false);
    EXPECT_EQ (row.heard, juce::StringArray ({ "panTool on", "panTool off" }));
    EXPECT_EQ (second.heard, row.heard);

    tool.toolCallback = nullptr;
    tool.setActive (true);
    EXPECT_EQ (second.heard.size(), 3) << "one row missing leaves the other told";
}

TEST_F (ToolTest, DeactivationLeavesAnotherToolOfTheCanvasInPlace)
{
    auto& canvas = host.getCanvas();
    SxTool other ("other", normal, over, down);
    tool.setDocument (&canvas);
    canvas.activeTool = &other;

    tool.setActive (true);
    tool.setActive (false);
    EXPECT_EQ (canvas.activeTool, &other);
}

TEST_F (ToolTest, UpdateToolUIRefreshesOnlyTheDirectControlsOfTheOptions)
{
    auto& options = tool.getToolUIComponent();
    auto* direct = new Updating();
    auto* plain = new juce::Component ("plain");
    auto* nested = new Updating();
    options.addAndMakeVisible (direct);
    options.addAndMakeVisible (plain);
    direct->addAndMakeVisible (nested);

    tool.updateToolUI();
    EXPECT_EQ (direct->updates, 1);
    EXPECT_EQ (nested->updates, 0);
}

TEST_F (ToolTest, AToolOutlivingItsCanvasForgetsIt)
{
    auto canvas = std::make_unique<sxgui::HostCanvas>();
    {
        SxTool local ("local", normal, over, down);
        local.setDocument (canvas.get());
        canvas->activeTool = &local;
        local.setActive (true);
        local.repaintDocument();
    }
    EXPECT_EQ (canvas->activeTool, nullptr) << "a tool that goes takes itself off its canvas";

    tool.setDocument (canvas.get());
    tool.setActive (true);
    canvas.reset();
    EXPECT_EQ (tool.getDocument(), nullptr);
    tool.setActive (false);   // nothing left to tell
    tool.repaintDocument();
}
