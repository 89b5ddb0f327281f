#pragma once

#include "SegmentControllerCallback.h"

#include <juce_core/juce_core.h>

/** Records what a segmented control reported, in order. */
struct SegmentChoiceLog : public SegmentControllerCallback
{
    void segmentChanged (int index, juce::Component* source) override
    {
        choices.add (index);
        sources.add (source);
    }

    juce::Array<int> choices;
    juce::Array<juce::Component*> sources;
};
