#pragma once

#include "SxSegmentButton.h"

/** The last segment of a control: rounded at its right end. Selected, it is never dimmed. */
class SxSegmentRightButton : public SxSegmentButton
{
public:
    explicit SxSegmentRightButton (const juce::String& componentName) : SxSegmentButton (componentName) {}

    void paintButton (juce::Graphics& g, bool, bool isButtonDown) override  { paintSegment (g, Kind::right, isButtonDown); }

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxSegmentRightButton)
};
