#include "SxRoundedComponent.h"

#include <gtest/gtest.h>

namespace
{
    struct Panel
    {
        bool titleBand = false, topCornersOnly = false, shadow = false, bottomBar = false;
    };

    std::unique_ptr<SxRoundedComponent> makePanel (Panel p, int w, int h)
    {
        auto panel = std::make_unique<SxRoundedComponent> ("panel", p.titleBand, p.topCornersOnly, p.shadow, p.bottomBar);
        panel->setSize (w, h);
        return panel;
    }

    juce::Image snapshot (juce::Component& c)
    {
        return c.createComponentSnapshot (c.getLocalBounds());
    }

    bool isNear (juce::Colour a, juce::Colour b, int tolerance = 2)
    {
        return std::abs (a.getRed() - b.getRed()) <= tolerance && std::abs (a.getGreen() - b.getGreen()) <= tolerance
            && std::abs (a.getBlue() - b.getBlue()) <= tolerance && std::abs (a.getAlpha() - b.getAlpha()) <= tolerance;
    }

    const juce::Colour body (53, 53, 53), band (77, 77, 77), bar (61, 61, 61);
}

TEST (SxRoundedComponentTest, PaintsBodyTitleBandBottomBarAndOutline)
{
    auto panel = makePanel ({ .titleBand = true, .bottomBar = true }, 300, 200);
    const auto image = snapshot (*panel);

    // R = (2, 2, 296, 196): band over its top 25 rows, bar from y 140 to 170 between x 25 and 275.
    EXPECT_EQ (image.getPixelAt (150, 15), band);
    EXPECT_EQ (image.getPixelAt (150, 100), body);
    EXPECT_EQ (image.getPixelAt (150, 155), bar);
    EXPECT_EQ (image.getPixelAt (20, 155), body);       // left of the bar
    EXPECT_EQ (image.getPixelAt (150, 185), body);      // below it

    // The outline's inner half (the clip stays on the panel after the bar) in white at 80 %
    // over the title band.
    const auto outline = band.interpolatedWith (juce::Colours::white, 0.8f);
    EXPECT_TRUE (isNear (image.getPixelAt (150, 2), outline)) << image.getPixelAt (150, 2).toDisplayString (true);
    EXPECT_EQ (image.getPixelAt (150, 0).getAlpha(), 0);  // clipped away outside the panel
}

TEST (SxRoundedComponentTest, TopCornersOnlyLeavesTheBottomCornersSquare)
{
    for (const bool topOnly : { false, true })
    {
        auto panel = makePanel ({ .topCornersOnly = topOnly }, 120, 80);
        const auto image = snapshot (*panel);

        EXPECT_EQ (image.getPixelAt (2, 2).getAlpha(), 0) << topOnly;          // rounded top-left corner
        EXPECT_EQ (image.getPixelAt (2, 77).getAlpha() == 255, topOnly) << topOnly;
    }
}

TEST (SxRoundedComponentTest, ShadowIsBuiltOnceAtTheFirstPositiveSizeAndStretchedAfterwards)
{
    auto panel = makePanel ({ .shadow = true }, 0, 0);
    EXPECT_TRUE (panel->getShadowImage().isNull());
    EXPECT_TRUE (panel->getOutlinePath().getBounds().isEmpty());

    panel->setSize (200, 160);
    const auto first = panel->getShadowImage();
    ASSERT_TRUE (first.isValid());
    EXPECT_EQ (first.getBounds(), juce::Rectangle<int> (0, 0, 200, 160));
    EXPECT_EQ (panel->getOutlinePath().getBounds(), juce::Rectangle<float> (30, 30, 140, 100));

    // Soft and dark in the margin, fading towards the edge.
    const auto image = snapshot (*panel);
    EXPECT_GT (image.getPixelAt (20, 80).getAlpha(), image.getPixelAt (2, 80).getAlpha());
    EXPECT_EQ (image.getPixelAt (20, 80).getRed(), 0);

    panel->setSize (400, 100);
    EXPECT_TRUE (panel->getShadowImage() == first);
    EXPECT_EQ (panel->getShadowImage().getBounds(), first.getBounds());
    EXPECT_EQ (panel->getOutlinePath().getBounds(), juce::Rectangle<float> (30, 30, 340, 40));
    EXPECT_GT (snapshot (*panel).getPixelAt (360, 50).getAlpha(), 0);   // stretched to the new width
}

TEST (SxRoundedComponentTest, PanelsTooSmallForTheirInsetsDrawNothingBackwards)
{
    auto panel = makePanel ({ .titleBand = true, .shadow = true, .bottomBar = true }, 40, 40);
    EXPECT_TRUE (panel->getOutlinePath().getBounds().isEmpty());
    EXPECT_TRUE (panel->getBottomBarPath().getBounds().getWidth() == 0.0f);

    const auto image = snapshot (*panel);
    EXPECT_NE (image.getPixelAt (20, 20), bar);
}
