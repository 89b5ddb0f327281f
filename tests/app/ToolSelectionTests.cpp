#include "CanvasTestSupport.h"
#include "PeerInput.h"
#include "Quenzella_TolvaAppComponent.h"
#include "RecordingAppComponent.h"
#include "ScopedUserFolders.h"
#include "StaticImageLayer.h"
#include "SxToolCallback.h"

#include <gtest/gtest.h>

namespace
{
    struct Row : public SxToolCallback
    {
        void toolActivated (juce::Component* tool, bool active) override  { heard.add (tool->getName() + (active ? " on" : " off")); }
        juce::StringArray heard;
    };

    /** An effect that takes no tool. */
    struct RefusingLayer : public Layer
    {
        Layer* createInstance() override        { return new RefusingLayer(); }
        bool acceptsTool (SxTool*) override     { return false; }
    };

    class ToolSelection : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            component.startUp();
            component.setSize (800, 600);
            first.toolCallback = &row;
            second.setName ("secondTool");
        }

        ScopedUserFolders folders;
        RecordingAppComponent component;
        RecordingTool first, second;
        Row row;
    };
}

TEST_F (ToolSelection, SelectingMakesTheToolCurrentInTheComponentAndTheCanvas)
{
    auto* canvas = component.getDocument();
    ASSERT_NE (canvas, nullptr);
    EXPECT_EQ (component.getDocumentCanvas(), canvas);
    EXPECT_EQ (canvas->getBounds(), component.getLocalBounds()) << "until the panels exist, the canvas fills the component";

    component.selectTool (&first);
    EXPECT_EQ (component.getSelectedTool(), &first);
    EXPECT_EQ (canvas->activeTool, &first);
    EXPECT_EQ (first.getDocument(), canvas);
    EXPECT_TRUE (first.isActive());

    component.selectTool (&first);
    EXPECT_EQ (first.calls, juce::StringArray ({ "activate" })) << "the current tool is not activated again";
    EXPECT_EQ (row.heard, juce::StringArray ({ "recordingTool on" })) << "nor is its row told again";

    component.selectTool (&second);
    EXPECT_EQ (first.calls, juce::StringArray ({ "activate", "deactivate" }));
    EXPECT_EQ (second.calls, juce::StringArray ({ "activate" }));
    EXPECT_EQ (canvas->activeTool, &second);
    EXPECT_FALSE (first.isActive());
}

TEST_F (ToolSelection, NoToolLeavesTheCanvasWithTheNormalArrow)
{
    auto* canvas = component.getDocument();
    component.selectTool (&first);
    canvas->setMouseCursor (juce::MouseCursor::CrosshairCursor);

    component.selectTool (nullptr);
    EXPECT_EQ (component.getSelectedTool(), nullptr);
    EXPECT_EQ (canvas->activeTool, nullptr);
    EXPECT_FALSE (first.isActive());
    EXPECT_TRUE (canvas->getMouseCursor() == juce::MouseCursor (juce::MouseCursor::NormalCursor));
}

TEST_F (ToolSelection, AnEffectThatRefusesTheToolKeepsTheCurrentOne)
{
    component.selectTool (&first);
    auto* manager = component.getLayerManager();
    manager->addLayer (new StaticImageLayer());
    manager->addLayer (new RefusingLayer());

    component.selectTool (&second);
    EXPECT_EQ (component.getSelectedTool(), &first);
    EXPECT_TRUE (second.calls.isEmpty());
    EXPECT_TRUE (first.isActive());
}

TEST (ProductTools, ThePanToolIsTheFirstToolAndCurrentAfterStartUp)
{
    ScopedUserFolders folders;
    Quenzella_TolvaAppComponent component;
    component.startUp();
    component.createUI();

    auto* pan = component.getPanTool();
    ASSERT_NE (pan, nullptr);
    EXPECT_EQ (pan->getName(), "panTool");
    EXPECT_EQ (component.getTools(), std::vector<SxTool*> ({ pan }));
    EXPECT_EQ (component.getSelectedTool(), pan);
    EXPECT_EQ (component.getDocument()->activeTool, pan);
    EXPECT_TRUE (pan->isActive());
    EXPECT_EQ (pan->getTooltip(), "Use this to move the image within the app.");
    EXPECT_EQ (pan->getParentComponent(), &component);
    EXPECT_EQ (pan->getWidth(), 50);
    EXPECT_EQ (pan->getHeight(), 30);
}

TEST (ProductTools, ClickingThePanToolsButtonTogglesIt)
{
    ScopedUserFolders folders;
    Quenzella_TolvaAppComponent component;
    component.startUp();
    component.createUI();
    component.setTopLeftPosition (0, 0);
    component.addToDesktop (juce::ComponentPeer::windowAppearsOnTaskbar);
    component.setVisible (true);
    sxgui::PeerInput input (component);
    auto* pan = component.getPanTool();

    input.click (*pan);
    EXPECT_EQ (component.getSelectedTool(), nullptr);
    EXPECT_FALSE (pan->isActive());

    input.click (*pan);
    EXPECT_EQ (component.getSelectedTool(), pan);
    EXPECT_TRUE (pan->isActive());

    component.removeFromDesktop();
    sxgui::drainMessages();
}
