#pragma once

#include <juce_graphics/juce_graphics.h>

namespace juce { class Viewport; }

/** Told by an SxScroller whenever its visible area changes (a drag, a fling, an animated
    scroll, the wheel, a resize), for instance to show or hide arrows at the ends of a list.
    Does nothing unless overridden. */
class SxScrollerCallback
{
public:
    virtual ~SxScrollerCallback() = default;

    virtual void scrolled (juce::Viewport* scroller, juce::Rectangle<int> visibleArea) {}
};
