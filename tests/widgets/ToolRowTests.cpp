#include "HostedTest.h"
#include "StandInLayers.h"
#include "SxImageComponent.h"
#include "SxMainTabController.h"
#include "SxRelativeBounds.h"
#include "SxTool.h"
#include "SxToolTabController.h"
#include "ToolSelectingHost.h"

namespace
{
    using Rect = juce::Rectangle<int>;

    juce::Image solid (juce::Colour colour)
    {
        juce::Image image (juce::Image::ARGB, 48, 48, true);
        image.clear (image.getBounds(), colour);
        return image;
    }

    struct NamedTool : public SxTool
    {
        explicit NamedTool (const juce::String& name)
            : SxTool (name, solid (juce::Colours::grey), solid (juce::Colours::white), solid (juce::Colours::cyan))
        {
            getToolUIComponent().setName (name + "Options");
        }
    };

    class ToolRowTest : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            host.show();
            host.applicationTools = { &pan, &crop };
            host.panTool = &pan;
            layer.tools = { &brush, &eraser };
            stack.selected = { &layer };
            host.addAndMakeVisible (row);
            row->setBounds (700, 40, 300, 30);
        }

        void TearDown() override  { sxgui::drainMessages(); }

        /** Rebuilds the row and says what it shows: "current: NAME; shown: NAMES". */
        juce::String rebuild (bool includeLayerTools = true)
        {
            row->buildTools (includeLayerTools, true);
            juce::StringArray shown;
            for (auto* tool : row->getShownTools())
                shown.add (tool->getName());
            auto* current = row->getCurrentTool();
            return "current: " + (current != nullptr ? current->getName() : juce::String ("none")) + "; shown: " + shown.joinIntoString (" ");
        }

        juce::Component* shownOptions() const
        {
            auto* strip = row->getOptionsStrip();
            return strip != nullptr ? strip->getChildComponent (0) : nullptr;
        }

        ToolSelectingHost host;
        sxgui::PeerInput input { host };
        StandInStack stack;
        StandInLayer layer;
        SxToolTabController* row = new SxToolTabController (&stack);
        NamedTool pan { "panTool" }, crop { "cropTool" }, brush { "brushTool" }, eraser { "eraserTool" };
    };
}

TEST_F (ToolRowTest, ToolsStand39ApartThenTheSeparatorAndTheOptionsToTheRightEdge)
{
    EXPECT_EQ (rebuild(), "current: panTool; shown: panTool cropTool brushTool eraserTool");

    const int xs[] = { 0, 39, 78, 117 };
    const auto tools = row->getShownTools();
    for (size_t i = 0; i < tools.size(); ++i)
    {
        EXPECT_EQ (tools[i]->getBounds(), Rect (xs[i], 3, 24, 24)) << tools[i]->getName();
        EXPECT_EQ (tools[i]->getParentComponent(), row);
        EXPECT_EQ (tools[i]->toolCallback, row);
    }

    ASSERT_NE (row->getSeparator(), nullptr);
    EXPECT_EQ (row->getSeparator()->getBounds(), Rect (159, 3, 2, 23));
    auto* strip = row->getOptionsStrip();
    ASSERT_NE (strip, nullptr);
    EXPECT_EQ (strip->getName(), "toolInsideUIComponent");
    EXPECT_EQ (strip->getBounds(), Rect (179, 0, 300 - 179, 27));
    EXPECT_TRUE (strip->isVisible());

    EXPECT_EQ (host.current, &pan) << "the row made its tool the current one";
    EXPECT_TRUE (pan.isActive());
    EXPECT_EQ (shownOptions(), &pan.getToolUIComponent());
    EXPECT_EQ (pan.getToolUIComponent().getBounds(), strip->getLocalBounds()) << "the options fill the strip";

    EXPECT_EQ (rebuild (false), "current: panTool; shown: panTool cropTool");
    EXPECT_EQ (brush.getParentComponent(), nullptr);
    EXPECT_EQ (brush.toolCallback, nullptr) << "a tool that left the row stops reporting to it";
    EXPECT_EQ (row->getSeparator()->getX(), 81);

    row->buildTools (true, false);
    EXPECT_FALSE (row->getOptionsStrip()->isVisible());
}

TEST_F (ToolRowTest, TheCurrentToolStaysWhileShownAndActiveElseTheLayersActiveToolThenPanThenTheLayersFirst)
{
    EXPECT_EQ (rebuild(), "current: panTool; shown: panTool cropTool brushTool eraserTool") << "the pan tool by default";

    host.selectTool (&crop);
    layer.activeTool = &eraser;
    EXPECT_EQ (rebuild(), "current: cropTool; shown: panTool cropTool brushTool eraserTool") << "kept: active";

    host.selectTool (nullptr);
    EXPECT_EQ (rebuild(), "current: eraserTool; shown: panTool cropTool brushTool eraserTool") << "inactive: the layer's active tool";
    EXPECT_TRUE (eraser.isActive());
    EXPECT_EQ (rebuild(), "current: eraserTool; shown: panTool cropTool brushTool eraserTool") << "the layer's tool stays current for the same layer";

    host.selectTool (&crop);
    layer.activeTool = nullptr;
    host.panTool = nullptr;
    host.applicationTools = {};
    EXPECT_EQ (rebuild(), "current: brushTool; shown: brushTool eraserTool") << "crop is gone and there is no pan tool: the layer's first";

    host.applicationTools = { &pan, &crop };
    host.panTool = &pan;
    StandInLayer second;
    second.tools = { &eraser };
    stack.selected = { &layer, &second };
    EXPECT_EQ (rebuild(), "current: panTool; shown: panTool cropTool") << "two layers selected: no layer tools, and brush is not shown";

    host.applicationTools = {};
    stack.selected = {};
    EXPECT_EQ (rebuild(), "current: panTool; shown: ");
    EXPECT_EQ (row->getSeparator(), nullptr) << "nothing to show: the row stays empty";
    EXPECT_EQ (row->getOptionsStrip(), nullptr);
    EXPECT_EQ (row->getNumChildComponents(), 0);
}

TEST_F (ToolRowTest, AnActivatedToolShowsItsOptionsAndOnlyApplicationToolsBecomeCurrent)
{
    rebuild();
    input.click (crop);
    EXPECT_EQ (host.current, &crop);
    EXPECT_EQ (row->getCurrentTool(), &crop);
    EXPECT_EQ (shownOptions(), &crop.getToolUIComponent());
    EXPECT_EQ (pan.getToolUIComponent().getParentComponent(), nullptr);

    input.click (brush);
    EXPECT_EQ (shownOptions(), &brush.getToolUIComponent());
    EXPECT_EQ (row->getCurrentTool(), &crop) << "a layer tool shows its options without becoming the row's tool";

    input.click (brush);
    EXPECT_EQ (host.current, nullptr);
    EXPECT_EQ (shownOptions(), nullptr) << "deactivated: the strip empties";
    EXPECT_EQ (row->getOptionsStrip()->getNumChildComponents(), 0);
}

TEST_F (ToolRowTest, WhileDisabledABlockingComponentCoversTheRowAndTakesItsClicks)
{
    rebuild();
    row->setEnabled (false);
    auto* blocking = row->getBlockingComponent();
    ASSERT_NE (blocking, nullptr);
    EXPECT_EQ (blocking->getName(), "blockingComponent");
    EXPECT_EQ (blocking->getBounds(), row->getLocalBounds());
    EXPECT_EQ (row->getChildren().getLast(), blocking) << "in front of the tools";

    input.click (crop);
    EXPECT_EQ (host.current, &pan);

    rebuild();
    EXPECT_EQ (row->getChildren().getLast(), row->getBlockingComponent()) << "still in front after a rebuild";

    row->setEnabled (true);
    EXPECT_EQ (row->getBlockingComponent(), nullptr);
    input.click (crop);
    EXPECT_EQ (host.current, &crop);

    // Disabling the toolbar's parent blocks the row too.
    host.getEffectPanel().addAndMakeVisible (row);
    host.getEffectPanel().setEnabled (false);
    EXPECT_NE (row->getBlockingComponent(), nullptr);
    host.getEffectPanel().setEnabled (true);
    EXPECT_EQ (row->getBlockingComponent(), nullptr);
}

TEST_F (ToolRowTest, TheRowAndThePageHostLetToolsOptionsAndPagesGoWhenDeleted)
{
    rebuild();
    input.click (crop);

    StandInLayer pagesLayer;
    pagesLayer.makePages ({ "Adjust", "Ink" });
    auto* pageHost = new SxMainTabController();
    host.getEffectPanel().addAndMakeVisible (pageHost);
    pageHost->setBounds (0, 60, 256, 500);
    pageHost->showLayerPages (pagesLayer);

    delete row;
    row = nullptr;
    for (auto* tool : { &pan, &crop, &brush, &eraser })
    {
        EXPECT_EQ (tool->getParentComponent(), nullptr) << tool->getName();
        EXPECT_EQ (tool->toolCallback, nullptr) << tool->getName();
    }
    EXPECT_EQ (crop.getToolUIComponent().getParentComponent(), nullptr);

    // Activation changes after the row went reach nobody.
    host.selectTool (&pan);
    EXPECT_TRUE (pan.isActive());

    delete pageHost;
    EXPECT_EQ (pagesLayer.page (0).getParentComponent(), nullptr);
    EXPECT_EQ (pagesLayer.page (1).getParentComponent(), nullptr);
}

TEST_F (ToolRowTest, ToolsDeletedWhileShownDropOutOfTheRow)
{
    rebuild();
    auto* temporary = new NamedTool ("temporaryTool");
    layer.tools = { temporary };
    rebuild();
    host.selectTool (temporary);
    EXPECT_EQ (shownOptions(), &temporary->getToolUIComponent());

    host.current = nullptr;
    delete temporary;
    layer.tools = {};
    EXPECT_EQ (row->getShownTools().size(), 2u);
    EXPECT_EQ (shownOptions(), nullptr);
    EXPECT_EQ (rebuild(), "current: panTool; shown: panTool cropTool");
}
