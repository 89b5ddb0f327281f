#pragma once

#include "SxKeyboardFocusMark.h"
#include "SxUpdateComponent.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** A text button drawn from three slices, a left cap and a right cap at half their pixel
    width and a middle stretched between them, at the button's height ("Done"). Pressed, it
    shows the pressed slices at opacity 0.9; under the mouse the normal slices at full
    opacity; otherwise the normal slices at 0.9. The caption (SxButtonCaption) exists only
    with text. */
class SxThreeImageButton : public juce::Button,
                           public SxUpdateComponent
{
public:
    SxThreeImageButton (const juce::String& componentName, const juce::String& text);
    ~SxThreeImageButton() override;

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
    juce::Image normalLeft, normalMiddle, normalRight, pressedLeft, pressedMiddle, pressedRight;
    juce::String text;
    juce::Label* label = nullptr;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxThreeImageButton)
};
