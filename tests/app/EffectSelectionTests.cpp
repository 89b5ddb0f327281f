#include "LayerManager.h"
#include "MessagePump.h"
#include "Quenzella_TolvaAppComponent.h"
#include "ScopedUserFolders.h"
#include "StaticImageLayer.h"
#include "StylizedWatercolor.h"
#include "SxLabel.h"
#include "SxMainTabComponent.h"
#include "SxMainTabController.h"

#include <gtest/gtest.h>

namespace
{
    /** The product's main component counting the renders the layer stack asks for. */
    struct CountingProduct : public Quenzella_TolvaAppComponent
    {
        void renderLayers (bool, const RectBounds*) override  { ++renders; }

        /** What opening an image leaves: the source-image layer at the bottom of the stack. */
        void setUpAnImage()
        {
            image = SxRef<SxImageRgbaBytes> (new SxImageRgbaBytes (64, 48));
            auto* base = new StaticImageLayer();
            base->setSourceImage (image.get());
            layerManager->addLayer (base);
        }

        Layer* effect (int index) const  { return effectGroups[0].effects[(size_t) index]; }

        SxRef<SxImageRgbaBytes> image;
        int renders = 0;
    };

    class EffectSelection : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            main.startUp();
            main.createUI();
        }

        void TearDown() override  { sxgui::drainMessages(); }

        Layer* effectLayer() const           { return main.getLayerManager()->getFirstEffectLayer(); }
        juce::String title() const           { return main.getEffectTitleLabel()->getText(); }
        SxMainTabComponent* shownPage() const { return main.getEffectTabs()->getPage (0); }

        ScopedUserFolders folders;
        CountingProduct main;
    };
}

TEST_F (EffectSelection, TheListHoldsOneGroupNamedAfterTheProductWithAbstractThenStylized)
{
    EXPECT_EQ (main.getEffectNames(), juce::StringArray ({ "Quenzella - Tolva" }));
    const auto icons = main.getEffectIcons();
    ASSERT_EQ (icons.size(), 1);
    EXPECT_EQ (icons[0].getBounds(), juce::Rectangle<int> (0, 0, 128, 128));

    ASSERT_EQ (main.getEffectList()[0].effects.size(), 2u);
    EXPECT_EQ (main.effect (0)->getShortName(), "Abstract");
    EXPECT_EQ (main.effect (1)->getShortName(), "Stylized");

    // One group: choosing a category changes nothing.
    main.saveLastCategory ("Quenzella - Tolva", 1, true);
    main.loadLastCategory (0, 1, true);
    EXPECT_EQ (main.getCurrentEffectGroup(), 0);
    EXPECT_EQ (main.renders, 0);
}

TEST_F (EffectSelection, BeforeAnImageIsSetUpNothingIsSelected)
{
    main.selectEffectIndex (0, true);
    EXPECT_EQ (effectLayer(), nullptr);
    EXPECT_EQ (main.getEffectTabs()->getNumPages(), 0);
    EXPECT_EQ (main.renders, 0);
}

TEST_F (EffectSelection, SelectingMakesTheEffectTheStacksEffectLayerAndShowsItsControls)
{
    main.setUpAnImage();
    main.selectEffectIndex (0, true);

    EXPECT_EQ (effectLayer(), main.effect (0));
    EXPECT_EQ (main.getLayerManager()->getNumLayers(), 2);
    EXPECT_TRUE (main.effect (0)->isSelected());
    EXPECT_TRUE (main.effect (0)->needsRender());
    EXPECT_EQ (main.effect (0)->getCallback(), static_cast<LayerCallback*> (&main));
    EXPECT_EQ (main.renders, 1);
    EXPECT_EQ (title(), "Abstract");
    ASSERT_GE (main.getEffectTabs()->getNumPages(), 1);
    EXPECT_EQ (shownPage(), main.effect (0)->getControlTabs()[0]);
    EXPECT_EQ (main.getSelectedTool(), nullptr) << "the pan tool is put down for the new effect";

    main.selectEffectIndex (1, false);
    EXPECT_EQ (effectLayer(), main.effect (1));
    EXPECT_EQ (main.getLayerManager()->getNumLayers(), 2) << "replaced, not stacked";
    EXPECT_EQ (main.renders, 1) << "no render asked for";
    EXPECT_EQ (title(), "Stylized");
    EXPECT_TRUE (main.effect (0)->getControlTabs().empty()) << "the old effect's controls are gone";
}

TEST_F (EffectSelection, SelectingTheCurrentEffectAgainChangesNothing)
{
    main.setUpAnImage();
    main.selectEffectIndex (1, true);
    auto* page = shownPage();
    main.selectTool (main.getPanTool());

    main.selectEffectIndex (1, true);
    EXPECT_EQ (shownPage(), page) << "no rebuild";
    EXPECT_EQ (main.renders, 1) << "no render";
    EXPECT_EQ (main.getSelectedTool(), main.getPanTool());

    main.selectEffectIndex (5, true);
    main.selectEffectIndex (-1, true);
    EXPECT_EQ (effectLayer(), main.effect (1)) << "an index naming no effect is ignored";
}

TEST_F (EffectSelection, SwitchingBackAndForthReusesBothLayersWithTheirSettings)
{
    main.setUpAnImage();
    main.selectEffectIndex (1, true);
    auto* stylized = dynamic_cast<StylizedWatercolor*> (main.effect (1));
    ASSERT_NE (stylized, nullptr);
    stylized->getSettings().mStrength = 0.125f;

    main.selectEffectIndex (0, true);
    dynamic_cast<StylizedWatercolor*> (main.effect (0))->getSettings().mStrength = 0.875f;

    main.selectEffectIndex (1, true);
    EXPECT_EQ (effectLayer(), stylized);
    EXPECT_EQ (stylized->getSettings().mStrength, 0.125f);
    main.selectEffectIndex (0, true);
    EXPECT_EQ (dynamic_cast<StylizedWatercolor*> (effectLayer())->getSettings().mStrength, 0.875f);
    EXPECT_EQ (main.renders, 4);
    EXPECT_EQ (main.getLayerManager()->getNumLayers(), 2);
}

TEST_F (EffectSelection, ShowingNoControlsEmptiesThePanelAndKeepsTheTitle)
{
    main.setUpAnImage();
    main.selectEffectIndex (0, false);
    main.showEffectControls (nullptr);

    EXPECT_EQ (main.getEffectTabs()->getNumPages(), 0);
    EXPECT_TRUE (main.effect (0)->getControlTabs().empty());
    EXPECT_EQ (title(), "Abstract");
}
