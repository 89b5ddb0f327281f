#include "ColorComponent.h"
#include "HorizontalTileComponent.h"
#include "SxDialogPanelComponent.h"
#include "SxImageComponent.h"
#include "SxRelativeBounds.h"

#include <gtest/gtest.h>

namespace
{
    /** The panel inside an owner of the given size, built as every owner builds it. */
    struct Owner
    {
        Owner (int w, int h, bool shortBody, const juce::String& title = {})
        {
            owner.setSize (w, h);
            panel = shortBody ? new SxPanelComponent (true) : new SxDialogPanelComponent();
            owner.addAndMakeVisible (panel);
            SxRelativeBounds::apply (*panel, "0, 0, left + parent.width, top + parent.height");
            if (title.isNotEmpty())
                panel->setTitle (title);
            panel->buildPanel();
        }

        juce::Component& piece (int index) const
        {
            return *panel->getChildComponent (0)->getChildComponent (index);
        }

        SxComponent owner { "owner" };
        SxPanelComponent* panel = nullptr;
    };

    enum Piece { titleBar, bodyBar, bottomBar, topInset, insetArea, insetFill };

    juce::Range<int> vertical (const juce::Component& c)  { return { c.getY(), c.getBottom() }; }
}

TEST (SxPanelComponentTest, BuildsTheFrameInZOrderWithTheTitleAboveIt)
{
    Owner o (400, 150, false, "Save Preset");
    auto& panel = *o.panel;
    ASSERT_EQ (panel.getNumChildComponents(), 2);
    EXPECT_EQ (panel.getChildComponent (0)->getName(), "mainContainer");
    EXPECT_EQ (panel.getChildComponent (1), panel.getTitleLabel());

    auto* container = panel.getChildComponent (0);
    ASSERT_EQ (container->getNumChildComponents(), 6);
    EXPECT_NE (dynamic_cast<HorizontalTileComponent*> (&o.piece (titleBar)), nullptr);
    EXPECT_TRUE (o.piece (bodyBar).isOpaque());
    EXPECT_TRUE (o.piece (bottomBar).isOpaque());
    EXPECT_EQ (o.piece (topInset).getName(), "topInsetImgComp");
    EXPECT_EQ (o.piece (insetArea).getName(), "centerInsetImgComp");
    EXPECT_EQ (dynamic_cast<ColorComponent&> (o.piece (insetFill)).colour, juce::Colour (32, 32, 32));

    EXPECT_EQ (o.piece (titleBar).getBounds(), juce::Rectangle<int> (0, 0, 400, 27));
    EXPECT_EQ (o.piece (bodyBar).getBounds(), juce::Rectangle<int> (0, 27, 400, 96));
    EXPECT_EQ (o.piece (bottomBar).getBounds(), juce::Rectangle<int> (0, 123, 400, 27));
    EXPECT_EQ (o.piece (topInset).getBounds(), juce::Rectangle<int> (3, 30, 394, 27));
    EXPECT_EQ (o.piece (insetArea).getBounds(), juce::Rectangle<int> (3, 27, 394, 96));
    EXPECT_EQ (o.piece (insetFill).getBounds(), juce::Rectangle<int> (5, 27, 390, 96));

    // The frame follows the panel.
    o.owner.setSize (600, 200);
    EXPECT_EQ (o.piece (bottomBar).getBounds(), juce::Rectangle<int> (0, 173, 600, 27));
    EXPECT_EQ (o.piece (insetFill).getBounds(), juce::Rectangle<int> (5, 27, 590, 146));

    // Building twice adds nothing.
    panel.buildPanel();
    EXPECT_EQ (panel.getNumChildComponents(), 2);
}

TEST (SxPanelComponentTest, AShortBodyEndsTheWellTenPixelsAboveTheBodyBar)
{
    Owner o (256, 300, true);
    EXPECT_EQ (vertical (o.piece (insetArea)), juce::Range<int> (27, 263));
    EXPECT_EQ (vertical (o.piece (insetFill)), juce::Range<int> (27, 263));
    EXPECT_EQ (vertical (o.piece (bodyBar)), juce::Range<int> (27, 273));
}

TEST (SxPanelComponentTest, TheTitleCanBeSetBeforeOrAfterBuilding)
{
    Owner before (400, 150, false, "Save Preset");
    EXPECT_EQ (before.panel->getTitleLabel()->getText(), "Save Preset");

    Owner after (400, 150, false);
    EXPECT_EQ (after.panel->getTitleLabel()->getText(), "");
    after.panel->setTitle ("Save Project");
    EXPECT_EQ (after.panel->getTitleLabel()->getText(), "Save Project");
    EXPECT_EQ (after.panel->getTitle(), "Save Project");

    SxPanelComponent unbuilt (false);
    unbuilt.setTitle ("Border");
    EXPECT_EQ (unbuilt.getTitleLabel(), nullptr);
}

TEST (SxPanelComponentTest, TheTitleLabelIs190WideAndCentredAtAnyWidth)
{
    for (const int width : { 100, 256, 400, 600, 1001 })
    {
        Owner o (width, 150, false, "A title far longer than the one hundred and ninety pixels of its label");
        auto& label = *o.panel->getTitleLabel();
        EXPECT_EQ (label.getName(), "SxPanelComponentTitleLabel");
        EXPECT_EQ (label.getBounds(), juce::Rectangle<int> (width / 2 - 95, 3, 190, 23)) << width;
        EXPECT_EQ (label.findColour (juce::Label::textColourId), juce::Colour (250, 250, 250));
    }
}

TEST (SxPanelComponentTest, APanelLowerThanBothBarsDrawsOnlyInsideItself)
{
    for (const int height : { 0, 20, 40, 53 })
    {
        SCOPED_TRACE (height);
        // The panel in the middle of a larger area, which stays clear around it.
        juce::Component area;
        area.setSize (300, 200);
        auto* panel = new SxDialogPanelComponent();
        area.addAndMakeVisible (panel);
        panel->setBounds (50, 60, 200, height);
        panel->setTitle ("Short");
        panel->buildPanel();

        auto& container = *panel->getChildComponent (0);
        for (const int piece : { bodyBar, insetArea, insetFill })
            EXPECT_EQ (container.getChildComponent (piece)->getHeight(), 0);
        // The bottom bar overlaps the title bar.
        EXPECT_EQ (container.getChildComponent (bottomBar)->getY(), height - 27);

        const auto image = area.createComponentSnapshot (area.getLocalBounds());
        const auto inside = panel->getBounds();
        for (int y = 0; y < 200; y += 3)
            for (int x = 0; x < 300; x += 3)
                if (! inside.contains (x, y))
                {
                    ASSERT_EQ (image.getPixelAt (x, y).getAlpha(), 0) << x << ", " << y;
                }

        if (height > 0)
        {
            EXPECT_EQ (image.getPixelAt (150, 60 + height / 2).getAlpha(), 255);
        }
        delete panel;
    }
}

TEST (SxPanelComponentTest, DeletingThePanelDeletesEveryPieceOfItsFrame)
{
    juce::Array<juce::Component::SafePointer<juce::Component>> pieces;
    {
        Owner o (400, 150, false, "Save Preset");
        auto* container = o.panel->getChildComponent (0);
        for (auto* piece : container->getChildren())
            pieces.add (piece);
        pieces.add (o.panel->getTitleLabel());
    }

    ASSERT_EQ (pieces.size(), 7);
    for (auto& piece : pieces)
        EXPECT_EQ (piece.getComponent(), nullptr);
}
