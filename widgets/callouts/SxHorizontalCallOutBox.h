#pragma once

#include "SxCallOutBox.h"

/** A call-out that only ever opens beside its target: right of it, or left of it when the
    right side has less room (the brush-size preview beside its slider). The rule applies
    from the first reposition, which the creator calls right after construction. */
class SxHorizontalCallOutBox : public SxCallOutBox
{
public:
    using SxCallOutBox::SxCallOutBox;

    void updatePosition (const juce::Rectangle<int>& areaToPointTo, const juce::Rectangle<int>& areaToFitIn) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxHorizontalCallOutBox)
};
