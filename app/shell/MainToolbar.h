#pragma once

#include "WidgetArt.h"

#include <span>

/** The buttons of the main window's top bar, in the order the main component creates them.

    With W the main component's width, the centre group starts at (W - 386) / 2 and its
    buttons sit 62 pixels apart (the pan tool, made elsewhere, takes the slot between zoom in
    and zoom out); open and save are fixed at the left, info, products and randomize at the
    right. Every button is 50 x 30.
*/
namespace MainToolbar
{
    struct Button
    {
        /** The component name (handlers and the enabling rules find the button by it). */
        const char* name;
        const WidgetArt::Png& icon;
        /** The bounds expression. */
        const char* expression;
        /** The tooltip the button is constructed with, replaced at once by buildTooltip. */
        const char* constructorTooltip;
        const char* buildTooltip;
        /** The two zoom buttons report to the document canvas, the others to the main component. */
        bool reportsToCanvas = false;
    };

    std::span<const Button> buttons();

    /** Where the pan tool's button goes. */
    inline constexpr const char* panToolExpression = "(parent.width - 256 - 130)/2 - 62 + 165 + 60, 1, left + 50, top + 30";

    /** The controls that enableToolbar enables and disableToolbar disables, except the open
        button, which stays enabled. */
    std::span<const char* const> controlsFollowingTheImage();
    inline constexpr const char* openButtonName = "getPhotoButton";
}
