#pragma once

#include "WatercolorControlTable.h"

#include <juce_gui_basics/juce_gui_basics.h>

class GenericImageListCallback;
class PaperChoiceUI;
class SxControlChangedCallback;
class SxLabelImageList;
class SxMainTabComponent;
class SxUIComponentCallback;

/** Fills a layer's first control page with the watercolour "Adjust" panel, from the rows of
    WatercolorControlTable, and shows or hides its rows by Color Area.

    Every control is bound to its field of the settings and reports to the listeners given:
    sliders to the slider listener, the "Selective Mask" button to the button listener, the
    Color Area and the ink colour to the control listener, the border thumbnails to the
    image-list callback and the background panel to the panel callback. A watercolour layer
    is all five.

    Sliders write their field at release, so one drag is one report.
*/
namespace WatercolorControlPage
{
    struct Listeners
    {
        juce::Slider::Listener& sliders;
        juce::Button::Listener& buttons;
        SxControlChangedCallback& controls;
        GenericImageListCallback& imageLists;
        SxUIComponentCallback& panels;
    };

    /** The two controls the layer keeps pointers to. */
    struct Built
    {
        PaperChoiceUI* paperChoice = nullptr;
        SxLabelImageList* borderList = nullptr;
    };

    /** Resets page's layout (spacing 5, top inset 3), names it "Adjust", gives its tab the
        watercolour icons and adds the rows of effect; then lays the rows out. Row visibility
        is the caller's (showRows). */
    Built build (SxMainTabComponent& page, WatercolorSettings& settings, const Listeners& listeners,
                 WatercolorControlTable::Effect effect);

    /** Queues the rows of visibility to show or hide through the page's layout controller
        (dropping earlier requests), then plays the change: at once when immediate (any
        running change finished first), else in 400 ms. */
    void showRows (SxMainTabComponent& page, WatercolorControlTable::RowVisibility visibility, bool immediate);

    /** The page's row of exactly that component name; null when none. */
    juce::Component* findRow (SxMainTabComponent& page, const juce::String& componentName);

    /** The duration of a row change after the page is built. */
    inline constexpr int rowAnimationMs = 400;
}
