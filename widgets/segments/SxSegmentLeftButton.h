#pragma once

#include "SxSegmentButton.h"

/** The first segment of a control: rounded at its left end, a divider at its right. */
class SxSegmentLeftButton : public SxSegmentButton
{
public:
    explicit SxSegmentLeftButton (const juce::String& componentName) : SxSegmentButton (componentName) {}

    void paintButton (juce::Graphics& g, bool, bool isButtonDown) override  { paintSegment (g, Kind::left, isButtonDown); }

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxSegmentLeftButton)
};
