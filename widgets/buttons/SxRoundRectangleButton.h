#pragma once

#include "SxKeyboardFocusMark.h"
#include "SxUpdateComponent.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** A text button drawn as a filled rounded rectangle with an outline, in colours its creator
    gives as colour words (alpha, red, green, blue in memory order: 0xd4c34fff is opaque
    (79, 195, 212)). Only pressing changes the look: the pressed fill and outline, and the
    outline thickens from 1 to 1.5. The caption (SxButtonCaption) exists only with text. */
class SxRoundRectangleButton : public juce::Button,
                               public SxUpdateComponent
{
public:
    SxRoundRectangleButton (const juce::String& componentName, const juce::String& text, const juce::String& tooltip,
                            int cornerRadius, juce::uint32 outlineColour, juce::uint32 outlineColourDown,
                            juce::uint32 fillColour, juce::uint32 fillColourDown);
    ~SxRoundRectangleButton() override;

    void update() override {}

    /** The caption label, null without text. */
    juce::Label* getLabel() const noexcept  { return label; }

    void paintButton (juce::Graphics& g, bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;

    /** A ring of the accent while the button holds focus that came by Tab. */
    void focusGained (FocusChangeType cause) override  { focusMark.focusGained (*this, cause); }
    void focusLost (FocusChangeType) override           { focusMark.clear (*this); }
    void mouseDown (const juce::MouseEvent& e) override { focusMark.clear (*this); juce::Button::mouseDown (e); }
    bool showsKeyboardFocus() const                     { return focusMark.isShown (*this); }

private:
    SxKeyboardFocusMark focusMark;
    juce::Label* label = nullptr;
    juce::String text;
    int cornerRadius;
    juce::uint32 outlineColour, outlineColourDown, fillColour, fillColourDown;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxRoundRectangleButton)
};
