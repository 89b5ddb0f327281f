#pragma once

#include "SxScrollerCallback.h"
#include "SxScrollerLookAndFeel.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>
#include <optional>

/** The framework's viewport with touch-style scrolling: the content follows a drag of the
    mouse along one axis once it has passed 8 pixels, glides on after a quick release and
    slows down until it stops, and animateScrollTo glides to a position along a sine-out
    curve over 400 ms. The wheel, the keyboard and the scroll bars work as in any viewport.

    The scroller listens to its viewed component and everything inside it. Once a drag
    scrolls, the row or button under the pointer no longer takes the click, so releasing
    the mouse over it does not press it.

    Time for the glide comes from the kit clock (SxClock); the two animations run on timers
    flingTimerId and scrollAnimationTimerId, 30 ms apart.

    When destroyed it deletes the children of its viewed component (those the content only
    borrowed are detached): owners that point to rows hold safe pointers.

    Draws its scroll bars with its own SxScrollerLookAndFeel, whose default thickness is 0,
    so an owner that wants a bar sets its thickness. Message thread only.
*/
class SxScroller : public juce::Viewport,
                   public juce::MultiTimer
{
public:
    static constexpr int flingTimerId = 100, scrollAnimationTimerId = 1000;
    static constexpr int tickMs = 30, scrollAnimationMs = 400;

    explicit SxScroller (const juce::String& componentName);
    ~SxScroller() override;

    /** Told about every change of the visible area; not owned, may be null. */
    SxScrollerCallback* scrollerCallback = nullptr;

    /** Drags and flings move the view horizontally; false: vertically. */
    bool horizontal = true;

    /** False: presses, drags and releases are left alone, as in a plain viewport. */
    bool dragScrollEnabled = true;

    /** Glides the view position to target (clamped to the content) and returns true, or
        returns false and starts nothing when the view would not move. A kept axis stays
        where it is. Stops a fling. */
    bool animateScrollTo (juce::Point<int> target, bool keepX, bool keepY);

    /** The current press has moved the view. */
    bool isDragging() const noexcept     { return dragging; }

    /** Pixels per millisecond of the last drag step, then of the fling. */
    float getVelocity() const noexcept   { return velocity; }

    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;
    void visibleAreaChanged (const juce::Rectangle<int>& newVisibleArea) override;
    void viewedComponentChanged (juce::Component* newComponent) override;
    void timerCallback (int timerID) override;

private:
    struct ReleaseWatch;

    SxScrollerLookAndFeel lookAndFeel;

    bool dragging = false;
    float velocity = 0.0f;
    juce::int64 lastEventTime = 0;
    int direction = 1;
    std::optional<juce::Point<int>> lastPointer;
    juce::Point<int> pressPosition;

    float animStartX = 0.0f, animDeltaX = 0.0f, animStartY = 0.0f, animDeltaY = 0.0f;
    juce::uint32 animStartTime = 0;
    int animElapsed = 0, animDuration = scrollAnimationMs;

    juce::Component::SafePointer<juce::Component> listenedContent;
    std::unique_ptr<ReleaseWatch> releaseWatch;
    bool interceptedClicks = true, interceptedChildClicks = true;

    bool comesFromScrollBar (const juce::MouseEvent& e);
    juce::Point<int> clampToContent (juce::Point<int> position) const;
    void blockClicks (const juce::MouseEvent& e);
    void restoreClicks();
    void flingTick();
    void scrollAnimationTick();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxScroller)
};
