#pragma once

#include "StylizedWatercolor.h"

/** The second watercolour effect: the same settings, caches, mask and preset mechanism as
    StylizedWatercolor, with its own names and factory presets. Its dabs become windows
    through which a more vivid copy of the photograph shows ("Paint Vibrancy" is its
    saturation; the colour shift is kept but unused).
*/
class AbstractWaterColor : public StylizedWatercolor
{
public:
    /** The StylizedWatercolor construction, then reset and randomise once more. */
    AbstractWaterColor();

    /** A new AbstractWaterColor (with randomised settings). */
    Layer* createInstance() override;
    /** "Abstract". */
    juce::String getShortName() const override { return "Abstract"; }
    /** "Abstract Watercolor", also the name of its preset folder. */
    juce::String getDisplayName() const override { return "Abstract Watercolor"; }
    /** The StylizedWatercolor reset (which randomises), then one more randomisation. */
    void resetToDefaults() override;
    /** The stylized page with "Paint Vibrancy" (saturation) in place of the colour shift. */
    void buildControls() override;

    /** The stylized dab pattern used as windows: a more vivid copy of the input shows
        through the dabs on white, which is multiplied twice through a softened paint mask
        onto the background; then ink and the mix with the input. The colour shift has no
        effect. Holds brushRenderLock throughout, like every brush render. */
    void render (RenderParameters& params) override;

    /** Softens a paint mask further than the stylized render does: a Gaussian of radius
        (mWetEdge * 14 + 2) * renderScale, so even without wet edges the dab windows fade
        in, then the fibre texture a second time. */
    static void softenPaintMask (SxImageAlphaByte& mask, const WatercolorSettings& settings, float renderScale);

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AbstractWaterColor)
};
