#include "SxRoundedComponent.h"

namespace
{
    constexpr float cornerRadius = 10.0f;
    constexpr float titleBandHeight = 25.0f;
    constexpr int shadowMargin = 30;
    constexpr int plainMargin = 2;
    constexpr int bottomBarInset = 25;
    constexpr int bottomBarGap = 30;
}

SxRoundedComponent::SxRoundedComponent (const juce::String& componentName, bool titleBand, bool topCornersOnly,
                                        bool shadow, bool bottomBar)
    : SxComponent (componentName),
      drawsTitleBand (titleBand),
      roundsTopCornersOnly (topCornersOnly),
      drawsBottomBar (bottomBar),
      castsShadow (shadow)
{
    layOut();
}

void SxRoundedComponent::resized()
{
    layOut();
}

void SxRoundedComponent::layOut()
{
    repaint();
    outlinePath.clear();
    titleBandPath.clear();
    bottomBarPath.clear();

    const int w = getWidth(), h = getHeight();
    const int margin = castsShadow ? shadowMargin : plainMargin;
    const auto r = juce::Rectangle<int> (margin, margin, juce::jmax (0, w - 2 * margin), juce::jmax (0, h - 2 * margin)).toFloat();

    outlinePath.addRoundedRectangle (r.getX(), r.getY(), r.getWidth(), r.getHeight(), cornerRadius, cornerRadius,
                                     true, true, ! roundsTopCornersOnly, ! roundsTopCornersOnly);
    titleBandPath.addRoundedRectangle (r.getX(), r.getY(), r.getWidth(), titleBandHeight, cornerRadius, cornerRadius,
                                       true, true, false, false);
    // A panel narrower than the insets has no bar (a negative width would draw one backwards).
    bottomBarPath.addRectangle ((float) bottomBarInset, (float) (h - bottomBarGap - bottomBarHeight),
                                (float) juce::jmax (0, w - 2 * bottomBarInset), (float) juce::jmax (0, bottomBarHeight));

    if (castsShadow && w > 0 && h > 0 && shadowImage.isNull())
    {
        shadowImage = juce::Image (juce::Image::ARGB, w, h, true);
        juce::Graphics sg (shadowImage);
        juce::DropShadow (juce::Colours::black, 25, {}).drawForPath (sg, outlinePath);
    }
}

void SxRoundedComponent::paint (juce::Graphics& g)
{
    if (castsShadow && shadowImage.isValid())
        g.drawImage (shadowImage, 0, 0, getWidth(), getHeight(), 0, 0, shadowImage.getWidth(), shadowImage.getHeight());

    g.setColour (juce::Colour (53, 53, 53));
    g.fillPath (outlinePath);

    if (drawsBottomBar)
    {
        g.reduceClipRegion (outlinePath);
        g.setColour (juce::Colour (61, 61, 61));
        g.fillPath (bottomBarPath);
    }

    if (drawsTitleBand)
    {
        g.setColour (juce::Colour (77, 77, 77));
        g.fillPath (titleBandPath);
    }

    g.setColour (juce::Colours::white.withAlpha ((juce::uint8) 204));
    g.strokePath (outlinePath, juce::PathStrokeType (outlineWidth, juce::PathStrokeType::mitered, juce::PathStrokeType::butt));
}
