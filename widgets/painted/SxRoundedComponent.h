#pragma once

#include "SxComponent.h"

/** A dark rounded panel with an optional title band, bottom bar and soft shadow.

    The panel is the inner rectangle R: the bounds less 30 pixels on every side when it casts
    a shadow (the shadow needs that room), else less 2. R is filled (53, 53, 53) with corners
    of radius 10 (only the top two with roundsTopCornersOnly) and outlined in white at 80 %
    with outlineWidth. The title band is R's top 25 pixels in (77, 77, 77); the bottom bar,
    (61, 61, 61), spans x 25 to width - 25 and ends 30 pixels above the bottom edge. While a
    bottom bar is drawn, everything after it is clipped to the panel, so only the inner half
    of the outline shows.

    The shadow (black, radius 25, no offset) is drawn into an image once, at the first layout
    with a positive size, and stretched over the component after later resizes.
*/
class SxRoundedComponent : public SxComponent
{
public:
    SxRoundedComponent (const juce::String& componentName, bool drawsTitleBand, bool roundsTopCornersOnly,
                        bool castsShadow, bool drawsBottomBar);

    bool drawsTitleBand;
    bool roundsTopCornersOnly;
    bool drawsBottomBar;
    bool castsShadow;
    float outlineWidth = 3.0f;
    int bottomBarHeight = 30;

    /** Lays out the three paths for the current size, and the shadow when it is due; repaints. */
    virtual void layOut();

    const juce::Path& getOutlinePath() const noexcept      { return outlinePath; }
    const juce::Path& getTitleBandPath() const noexcept    { return titleBandPath; }
    const juce::Path& getBottomBarPath() const noexcept    { return bottomBarPath; }
    const juce::Image& getShadowImage() const noexcept     { return shadowImage; }

    void resized() override;
    void paint (juce::Graphics& g) override;

protected:
    juce::Path outlinePath, titleBandPath, bottomBarPath;
    juce::Image shadowImage;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxRoundedComponent)
};
