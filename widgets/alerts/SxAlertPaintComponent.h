#pragma once

#include "SxComponent.h"

/** The message of an alert: 17-pixel text in (250, 250, 250), left-aligned from the top over
    the whole component, in at most eight lines and never squeezed sideways; text that does
    not fit ends in an ellipsis. */
class SxAlertPaintComponent : public SxComponent
{
public:
    static constexpr int maximumLines = 8;

    SxAlertPaintComponent();

    /** Assigned by the owner. */
    juce::String text;

    /** The glyphs paint draws, for the component's current size. */
    juce::GlyphArrangement createLayout() const;

    void paint (juce::Graphics& g) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxAlertPaintComponent)
};
