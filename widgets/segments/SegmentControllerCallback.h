#pragma once

namespace juce { class Component; }

/** Told when the user picks a segment of a segment row or a scrolling segment strip
    (a click, or Left and Right on the focused control); never for a selection made in code.

    source is the reporting control (a SegmentController or an SxScrollingSegmentController),
    for owners with more than one. Receivers are never deleted through this interface.
*/
class SegmentControllerCallback
{
public:
    virtual void segmentChanged (int index, juce::Component* source) {}

protected:
    ~SegmentControllerCallback() = default;
};
