#pragma once

#include <juce_graphics/juce_graphics.h>

#include <span>

/** Where a call-out box goes: the framework's call-out rule with the candidate sides chosen
    by the caller. A pure function of the geometry, so it is tested without a window.

    The box is the content plus a border on every side (width W, height H). For each
    candidate side the box's centre may slide along a line parallel to the target's edge,
    the arrow's length away from it; that line is clamped into the area where the centre
    keeps the whole box inside the fit area. The candidate whose clamped line comes closest
    to the target's centre wins (measured from the arrow's tip on that side); a line that
    never enters the allowed area costs 1000 more. On a tie the earlier candidate wins.
*/
struct SxCallOutPlacement
{
    enum class Side { below, right, left, above };

    /** The framework's order: below, right, left, above. */
    static constexpr Side anySide[] = { Side::below, Side::right, Side::left, Side::above };
    /** Boxes that must not cover what lies beside their target (the popover list). */
    static constexpr Side verticalSides[] = { Side::below, Side::above };
    /** Boxes that must not cover what lies above and below their target (the brush preview). */
    static constexpr Side horizontalSides[] = { Side::right, Side::left };

    struct Geometry
    {
        juce::Rectangle<int> target;   // the area the arrow points at
        juce::Rectangle<int> fitIn;    // the area the box must stay inside
        int contentWidth = 0, contentHeight = 0;
        int border = 20;
        float arrow = 16.0f;
    };

    struct Result
    {
        Side side = Side::below;
        juce::Point<float> tip;        // the arrow's tip, in the coordinates of the areas
        juce::Rectangle<int> bounds;   // the box, in the coordinates of the areas
    };

    /** The winning candidate among sides (tried in that order; at least one). */
    static Result place (const Geometry& geometry, std::span<const Side> sides);
};
