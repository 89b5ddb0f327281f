#pragma once

#include "SxCallOutPlacement.h"
#include "SxControlChangedCallback.h"
#include "SxOutsideModalInput.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** The kit's call-out: a dark bubble with an arrow pointing at an area, holding one content
    component (the colour selector, the popover list, the brush preview).

    How it is used:

        auto* box = new SxCallOutBox (content, areaInMainWindow, mainWindow, false);
        box->listener = this;                  // told once when the box is dismissed
        main->enterModal (box, false);

    Placement. The box sits below, right of, left of or above the area, in that order of
    preference, whichever brings it closest to the area while it fits inside its parent
    (SxCallOutPlacement); a box made verticalOnly only tries below and above. The content
    is surrounded by a border of 20 pixels (more when the arrow is longer) and the arrow is
    16 pixels long. updatePosition is virtual: a subclass with its own rule applies it from
    its first reposition (SxHorizontalCallOutBox).

    Dismissal, once: Escape, a click released outside the box (on a component it blocks),
    a file dropped outside it, or the box stopping showing (hidden, or an ancestor hidden)
    end its modal state, hide it and tell listener with controlChanged (this). As with the
    framework's call-out, a press outside hides the box at once and goes on to what it hit,
    while a press on the box's own target is used up and closes it a moment later (after
    the box has been open for 200 ms, timed by SxClock). The field is cleared before the call, so the
    listener may delete the box; nobody else is told, and a later trigger only hides it
    again. While the application is quitting a dismissal only marks the box dismissed.

    Not owned by anybody but its parent: the listener or the creator deletes it, and its
    content (not owned) must outlive it.
*/
class SxCallOutBox : public juce::CallOutBox,
                     public SxControlChangedCallback,
                     public SxOutsideModalInput,
                     private juce::ComponentMovementWatcher
{
public:
    /** Adds the box to parent (to the desktop when null) pointing at areaToPointTo (in the
        parent's coordinates, or the screen's) and shows it. content must have its size. */
    SxCallOutBox (juce::Component& content, juce::Rectangle<int> areaToPointTo, juce::Component* parent, bool verticalOnly);
    ~SxCallOutBox() override;

    /** Told once when the box is dismissed; not owned. */
    SxControlChangedCallback* listener = nullptr;
    /** Set by the first dismissal. */
    bool dismissed = false;
    /** While set and the box is modal, mouse events still reach the document canvas. */
    bool passesCanvasEvents = false;

    /** Dismisses the box (see above); owners call it to close a box themselves. */
    void inputAttemptOutsideModal() override;

    /** Places the box for these areas (both in the parent's coordinates) and keeps them. */
    virtual void updatePosition (const juce::Rectangle<int>& areaToPointTo, const juce::Rectangle<int>& areaToFitIn);
    /** Runs updatePosition again with the kept areas. */
    virtual void reposition();

    /** The arrow's length; the border grows with it beyond 20 pixels. Takes effect for the
        outline at once and for the box's size at the next reposition. */
    void setArrowSize (float newSize);
    float getArrowSize() const noexcept  { return arrowSize; }
    /** max (20, arrow length cut to an integer). */
    int getBorderSize() const noexcept;

    bool isVerticalOnly() const noexcept                      { return verticalOnly; }
    juce::Rectangle<int> getTargetArea() const noexcept       { return targetArea; }
    juce::Rectangle<int> getAvailableArea() const noexcept    { return availableArea; }
    /** The arrow's tip in the parent's coordinates. */
    juce::Point<float> getTipPosition() const noexcept        { return tip; }
    /** The side the last placement chose. */
    SxCallOutPlacement::Side getSide() const noexcept         { return side; }
    /** The bubble's outline in the box's own coordinates. */
    const juce::Path& getOutline() const noexcept             { return outline; }

    void paint (juce::Graphics& g) override;
    bool hitTest (int x, int y) override;
    void resized() override;
    void moved() override;
    void childBoundsChanged (juce::Component* child) override;
    bool keyPressed (const juce::KeyPress& key) override;
    void inputAttemptWhenModal() override;
    bool canModalEventBeSentToComponent (const juce::Component* target) override;

    static constexpr int minimumBorder = 20;
    /** A press on the target this soon after opening does not close the box. */
    static constexpr juce::uint32 targetPressGraceMs = 200;
    static constexpr float cornerSize = 9.0f;

protected:
    /** Places the box on the first of sides that fits best, for the kept areas. */
    void placeOn (std::span<const SxCallOutPlacement::Side> sides);
    void keepAreas (const juce::Rectangle<int>& areaToPointTo, const juce::Rectangle<int>& areaToFitIn);

private:
    juce::Component& content;
    const bool verticalOnly;
    float arrowSize = 16.0f;
    juce::Rectangle<int> targetArea, availableArea;
    juce::Point<float> tip;
    SxCallOutPlacement::Side side = SxCallOutPlacement::Side::below;
    juce::Path outline;
    const juce::uint32 createdAt;

    void refreshPath();

    using juce::ComponentMovementWatcher::componentMovedOrResized;
    using juce::ComponentMovementWatcher::componentVisibilityChanged;
    void componentMovedOrResized (bool wasMoved, bool wasResized) override {}
    void componentPeerChanged() override {}
    void componentVisibilityChanged() override;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxCallOutBox)
};
