#pragma once

#include "SxSegmentButton.h"

/** A segment between two others: plain at its left, a divider at its right end. */
class SxSegmentCenterButton : public SxSegmentButton
{
public:
    explicit SxSegmentCenterButton (const juce::String& componentName) : SxSegmentButton (componentName) {}

    void paintButton (juce::Graphics& g, bool, bool isButtonDown) override  { paintSegment (g, Kind::centre, isButtonDown); }

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxSegmentCenterButton)
};
