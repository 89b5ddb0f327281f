#pragma once

#include "SxComponent.h"
#include "SxSliderBase.h"

/** A row of an effect panel holding one slider over the range 0 to 1 (step 0.01), bound to
    a float field of the model.

    Built as the panels build it:

        auto* row = new SxLabelSlider ("overallStrengthSlider", nullptr, "Overall Strength", false);
        row->setValuePointer (&settings.strength);
        row->addSliderListener (this);            // the owner's sliderValueChanged

    While the user drags, the value bubble shows the value and nothing is written or
    reported. On release the field is written first; the owner's sliderValueChanged follows
    after the current event, so it always finds the model written. An arrow key on the
    focused slider writes and reports at once, in the same order. update() shows the field
    again without notifying anybody.

    The inner slider carries the row's component name, fills the row less 5 pixels on the
    right and is 20 pixels high; it has no text box.
*/
class SxSlider : public SxComponent,
                 public juce::Slider::Listener
{
public:
    /** The value bubble appears inside popupParent; null puts it inside the main component
        (or on the desktop when there is none). */
    SxSlider (const juce::String& componentName, juce::Component* popupParent);
    ~SxSlider() override;

    /** Binds the inner slider to field (not owned; null unbinds). Nothing is read yet. */
    void setValuePointer (float* field) noexcept  { slider->setValuePointer (field); }

    /** How the owner hears of changes (not owned). */
    virtual void addSliderListener (juce::Slider::Listener* listener);

    virtual void setSliderEnabled (bool shouldBeEnabled);

    /** The row's own listening: nothing; the owner's listener does the reacting. */
    void sliderValueChanged (juce::Slider*) override {}

    /** Shows the bound field's value without notification; nothing when unbound. */
    void update() override;

    /** The inner slider (tooltips and accessibility titles go on it). */
    SxSliderBase& getSlider() const noexcept  { return *slider; }

private:
    SxSliderBase* slider;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxSlider)
};
