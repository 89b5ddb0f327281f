#pragma once

#include "SxKeyboardFocusMark.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** The framework's linear slider bound to one float field of a model, in the kit's look.

    - A user change (a release after a drag, an arrow key, a typed value) is written into
      the bound field in valueChanged, before any listener hears of it; the framework calls
      listeners after that (for a release, asynchronously after the current event). With
      change-on-release set, nothing is written while the user drags.
    - updateFromModel shows the field's value again without notifying anybody.
    - Values are shown and typed as whole numbers; when the range spans less than 3 they are
      shown and typed as percentages (0.5 reads "50"). Text is read the same way under every
      locale.
    - The framework's value bubble, shown while dragging, points at the thumb rather than the
      middle of the slider, above or below it as space allows.
    - It takes the keyboard focus by Tab or a click; the arrow keys step it by one interval.
    - The scroll wheel does nothing.

    Unbound (the default) it writes and reads nothing. Message thread only.
*/
class SxSliderBase : public juce::Slider
{
public:
    explicit SxSliderBase (const juce::String& componentName);
    ~SxSliderBase() override;

    /** The field this slider writes and reads; not owned, null unbinds. The owner keeps it
        alive as long as the slider is bound to it. */
    void setValuePointer (float* field) noexcept  { valueField = field; }
    float* getValuePointer() const noexcept        { return valueField; }

    /** Shows the bound field's value without notification; nothing when unbound. */
    void updateFromModel();

    /** Puts the shared look back on (a slider may have been handed another) and enables or
        disables the slider. */
    virtual void setSliderEnabled (bool shouldBeEnabled);

    /** The focus came by Tab and is still here: the thumb wears a ring. */
    bool showsKeyboardFocus() const  { return focusMark.isShown (*this); }

    void valueChanged() override;
    juce::String getTextFromValue (double value) override;
    double getValueFromText (const juce::String& text) override;

    void focusGained (FocusChangeType cause) override;
    void focusLost (FocusChangeType cause) override;
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;

private:
    float* valueField = nullptr;
    SxKeyboardFocusMark focusMark;

    bool showsPercent();
    void moveBubbleToThumb();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxSliderBase)
};
