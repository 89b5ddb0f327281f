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

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AbstractWaterColor)
};
