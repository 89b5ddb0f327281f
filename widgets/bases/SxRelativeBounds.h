#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** Places a component by a relative-rectangle expression and remembers the expression.

    An expression is four comma-separated terms: left, top, right, bottom. Right and bottom
    are usually written as left or top plus a size; terms may use parent.width,
    parent.height, the component's own left, top, width and height, and the edges of
    siblings by component ID ("effectControlComponent.left"):

        SxRelativeBounds::apply (panel, "0, 0, left + parent.width, top + parent.height");
        SxRelativeBounds::apply (title, "(parent.width / 2) - (width / 2), 3, left + 190, top + 23");

    An expression that names anything outside the component keeps it following: when the
    parent or a named sibling moves or resizes, the bounds are worked out again. The text is
    kept in the component's properties and reads back unchanged, also after detach().
*/
namespace SxRelativeBounds
{
    /** Places component by expression and keeps the text. A malformed expression (not four
        terms, a syntax error) is refused: false, and the component keeps its bounds,
        positioner and earlier text. */
    bool apply (juce::Component& component, const juce::String& expression);

    /** The last expression applied; empty when the component never got one. */
    juce::String getExpression (const juce::Component& component);

    /** Stops following the expression (an animation takes over the bounds); the component
        keeps its current bounds and the text stays readable. */
    void detach (juce::Component& component);

    /** True while the component follows an expression. */
    bool isFollowing (const juce::Component& component);
}
