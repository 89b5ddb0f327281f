#pragma once

#include "SxBrushSizeSlider.h"
#include "SxLabel.h"

/** An SxBrushSizeSlider with its caption, laid out as SxLabelSlider lays out its rows. The
    value bubble always goes to the main component. */
class SxBrushSizeLabelSlider : public SxBrushSizeSlider
{
public:
    /** popupParent is ignored. */
    SxBrushSizeLabelSlider (const juce::String& componentName, juce::Component* popupParent,
                            const juce::String& labelText, bool inlineLabel);

    /** Moves the caption beside (true) or above (false) the slider; the row keeps its height. */
    void setInlineLabel (bool inlineLabel);

    bool isInlineLabel() const noexcept   { return inlineLabel; }
    SxLabel& getLabel() const noexcept    { return *label; }

private:
    SxLabel* label;
    bool inlineLabel;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxBrushSizeLabelSlider)
};
