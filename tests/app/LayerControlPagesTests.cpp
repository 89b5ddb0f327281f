#include "LayerManager.h"
#include "Quenzella_TolvaAppComponent.h"
#include "ScopedUserFolders.h"
#include "SxMainTabComponent.h"
#include "SxMainTabController.h"
#include "SxTabSegmentButton.h"
#include "SxTabSegmentController.h"
#include "SxToolTabController.h"

#include <gtest/gtest.h>

namespace
{
    /** An effect with pages and tools, as the watercolour effects are. */
    struct PagedLayer : public Layer
    {
        Layer* createInstance() override                 { return new PagedLayer(); }
        int getControlTabCount() const override          { return pageCount; }
        bool tabComponentOption() const override         { return true; }

        int pageCount = 3;
    };

    /** The effect panel's tab row and page host, linked as the main component links them. */
    struct EffectPanel
    {
        EffectPanel()
        {
            tabRow.centred = false;
            tabRow.setBounds (0, 0, 256, 30);
            pageHost.setBounds (0, 30, 256, 600);
            tabRow.host = &pageHost;
            pageHost.tabRow = &tabRow;
        }

        /** The refill of the main component for a newly selected layer. */
        void show (Layer& layer)
        {
            pageHost.clearPages();
            layer.destroyControls();
            layer.createControlTabs();
            pageHost.showLayerPages (layer);
        }

        SxTabSegmentController tabRow;
        SxMainTabController pageHost;
    };
}

TEST (LayerControlPages, ALayerMakesItsPagesNamedByIndexOnlyTheFirstVisible)
{
    PagedLayer layer;
    layer.createControlTabs();
    const auto pages = layer.getControlTabs();
    ASSERT_EQ (pages.size(), 3u);

    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ (pages[(size_t) i]->getName(), juce::String (i));
        EXPECT_EQ (pages[(size_t) i]->getTabButton()->message, juce::String (i));
        EXPECT_EQ (pages[(size_t) i]->getBounds(), juce::Rectangle<int> (0, 0, 256, 1000));
        EXPECT_EQ (pages[(size_t) i]->isVisible(), i == 0);
        EXPECT_TRUE (pages[(size_t) i]->showsScrollBar());
        EXPECT_FALSE (pages[(size_t) i]->isFullWidth()) << "a page always leaves room for its scroll bar";
    }

    PagedLayer single;
    single.pageCount = 0;
    single.createControlTabs();
    ASSERT_EQ (single.getControlTabs().size(), 1u);
    EXPECT_EQ (single.getControlTabs()[0]->getName(), "0");
}

TEST (LayerControlPages, ThePageChosenWithATabComesBackAfterTheControlsAreBuiltAgain)
{
    EffectPanel panel;
    PagedLayer layer, other;
    EXPECT_EQ (layer.getSelectedControlTab(), 0);

    panel.show (layer);
    EXPECT_EQ (panel.pageHost.getCurrentPage(), 0);
    panel.tabRow.buttonClicked (panel.tabRow.getTab (2));
    EXPECT_EQ (layer.getSelectedControlTab(), 2);

    panel.show (other);
    EXPECT_EQ (panel.pageHost.getCurrentPage(), 0);
    panel.show (layer);
    EXPECT_EQ (panel.pageHost.getCurrentPage(), 2);
    EXPECT_EQ (panel.pageHost.getPage (2)->getAlpha(), 1.0f);

    // Fewer pages than the remembered one: the first page, and the choice stays stored.
    layer.pageCount = 2;
    panel.show (layer);
    EXPECT_EQ (panel.pageHost.getCurrentPage(), 0);
    EXPECT_EQ (layer.getSelectedControlTab(), 2);

    panel.pageHost.clearPages();
}

TEST (LayerControlPages, ADeletedLayerTakesItsPagesOutOfThePanel)
{
    EffectPanel panel;
    auto layer = std::make_unique<PagedLayer>();
    panel.show (*layer);
    juce::Component::SafePointer<SxMainTabComponent> page (layer->getControlTabs()[0]);
    ASSERT_EQ (page->getParentComponent(), &panel.pageHost);

    layer.reset();
    EXPECT_EQ (page, nullptr);
    EXPECT_EQ (panel.pageHost.getNumChildComponents(), 0);
    panel.pageHost.selectPage (1, true);
    panel.tabRow.buttonClicked (panel.tabRow.getTab (1));
    EXPECT_EQ (panel.pageHost.getCurrentPage(), 0);
}

TEST (LayerControlPages, TheToolRowShowsTheApplicationsPanToolAndTheSingleSelectedLayersTools)
{
    ScopedUserFolders folders;
    Quenzella_TolvaAppComponent component;
    component.startUp();
    component.createUI();
    auto* pan = component.getPanTool();
    ASSERT_NE (pan, nullptr);

    auto& stack = *component.getLayerManager();
    auto* layer = new PagedLayer();
    stack.addLayer (layer);
    const juce::Image picture (juce::Image::ARGB, 48, 48, true);
    auto brush = std::make_shared<SxTool> ("brushTool", picture, picture, picture);
    layer->addTool (brush, false);

    SxToolTabController row (&stack);
    row.setBounds (4, 0, 252, 30);

    stack.selectLayer (layer, true);
    ASSERT_EQ (stack.getSelectedLayerServices(), std::vector<SxLayerServices*> ({ layer }));
    row.buildTools (true, true);
    EXPECT_EQ (row.getShownTools(), std::vector<SxTool*> ({ pan, brush.get() }));
    EXPECT_EQ (row.getCurrentTool(), pan);
    EXPECT_EQ (component.getSelectedTool(), pan);
    EXPECT_EQ (row.getOptionsStrip()->getChildComponent (0), &pan->getToolUIComponent());

    stack.selectLayer (nullptr, true);
    row.buildTools (true, true);
    EXPECT_EQ (row.getShownTools(), std::vector<SxTool*> ({ pan }));
}
