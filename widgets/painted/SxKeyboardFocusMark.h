#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** Shows which control holds the keyboard focus, once the focus came from the keyboard.

    A click also gives a control the focus, and a ring after every click would be noise, so
    the mark appears only for focus that arrived by Tab and goes with the next press or when
    the focus leaves. The control forwards its focus and press events and draws the ring
    where it fits its shape:

        void focusGained (FocusChangeType cause) override  { focusMark.focusGained (*this, cause); }
        void focusLost (FocusChangeType) override           { focusMark.clear (*this); }
        ...
        if (focusMark.isShown (*this))
            SxKeyboardFocusMark::draw (g, area, 4.0f);
*/
class SxKeyboardFocusMark
{
public:
    void focusGained (juce::Component& control, juce::Component::FocusChangeType cause);

    /** Hides the mark (focus lost, or a press on the control). */
    void clear (juce::Component& control);

    bool isShown (const juce::Component& control) const;

    /** A 1.5-pixel ring of the accent just inside area. */
    static void draw (juce::Graphics& g, juce::Rectangle<float> area, float cornerSize);

private:
    bool fromKeyboard = false;
};
