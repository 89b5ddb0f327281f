#pragma once

#include "SxComponent.h"
#include "SxControlChangedCallback.h"

class SxCheckboxImageButton;

/** A tick box with a caption. A click anywhere on it toggles it, then tells the listener;
    setChecked changes the look only and tells nobody.

    The state is the tick's picture: the box is ticked exactly when the tick's normal
    picture is the ticked one. While pressed, the tick shows the state the click will give.
    For accessibility the box is one toggle titled with its caption.
*/
class SxCheckbox : public SxComponent,
                   public juce::Button::Listener
{
public:
    /** Sized 190 x 31 until the owner places it. */
    SxCheckbox (const juce::String& componentName, const juce::String& caption, SxControlChangedCallback* listener);
    ~SxCheckbox() override;

    bool isChecked() const;
    void setChecked (bool ticked);

    SxControlChangedCallback* listener = nullptr;

    juce::Label& getLabel() const noexcept                 { return *label; }
    SxCheckboxImageButton& getTick() const noexcept         { return *tick; }

    void buttonClicked (juce::Button* button) override;

    std::unique_ptr<juce::AccessibilityHandler> createAccessibilityHandler() override;

private:
    juce::Image untickedImage, tickedImage;
    SxCheckboxImageButton* tick = nullptr;
    juce::Label* label = nullptr;

    void toggle();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxCheckbox)
};
