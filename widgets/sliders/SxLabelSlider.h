#pragma once

#include "SxLabel.h"
#include "SxSlider.h"

/** An SxSlider with its caption above it or beside it.

    Stacked, the row is 44 pixels high: the caption on top, the slider from 5 to the right
    edge, 10 pixels down. Inline, the row is 34 pixels high and the slider starts where the
    caption's text ends. Either way the row spans its parent's width, and the caption is
    the slider's accessible title.
*/
class SxLabelSlider : public SxSlider
{
public:
    SxLabelSlider (const juce::String& componentName, juce::Component* popupParent,
                   const juce::String& labelText, bool inlineLabel);

    /** Moves the caption beside (true) or above (false) the slider; the row keeps its height. */
    void setInlineLabel (bool inlineLabel);

    bool isInlineLabel() const noexcept   { return inlineLabel; }
    SxLabel& getLabel() const noexcept    { return *label; }

    /** The caption of a slider row, for every captioned row of the kit: 12-pixel text in
        (250, 250, 250), 190 x 23 at the row's top left, taking no clicks; added to row,
        and made the inner slider's accessible title. */
    static SxLabel* addCaption (SxSlider& row, const juce::String& labelText);

    /** The row's bounds: its parent's width, 44 pixels high stacked, 34 inline. */
    static juce::String rowBoundsFor (bool inlineLabel);

    /** Places caption and slider inside the row as described above. */
    static void layOut (SxSlider& row, SxLabel& caption, bool inlineLabel);

private:
    SxLabel* label;
    bool inlineLabel;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxLabelSlider)
};
