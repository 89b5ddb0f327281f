#include "SxLabelColorPicker.h"

#include "SxRelativeBounds.h"

SxLabelColorPicker::SxLabelColorPicker (const juce::String& componentName, const juce::String& caption, juce::uint32* bound)
    : SxComponent (componentName),
      label (new SxLabel ("SxLabelColorPickerLabel", caption)),
      picker (new SxColorPicker (componentName + "Color", juce::Colours::white, juce::Colours::white)),
      boundColour (bound)
{
    jassert (boundColour != nullptr);
    SxRelativeBounds::apply (*this, "0, 0, left + parent.width, top + 35");

    label->setFont (juce::Font (12.0f));
    label->setColour (juce::Label::textColourId, juce::Colour (250, 250, 250));
    label->setJustificationType (juce::Justification::centredRight);
    label->setInterceptsMouseClicks (false, false);
    label->setAccessible (false);
    addAndMakeVisible (label);
    SxRelativeBounds::apply (*label, "parent.width - (23  - 1) - 5 - 190, 0, left + 190, top + 23");

    picker->setTitle (caption);
    addAndMakeVisible (picker);
    SxRelativeBounds::apply (*picker, "parent.width - 23 - 1, 0, left + 23, top + 23");
    picker->callback = this;
    picker->setColour (*boundColour);
}

void SxLabelColorPicker::colourChanged (juce::Component*, juce::uint32 colourWord)
{
    SxColorPicker::storeReportedColour (colourWord, *boundColour, listener, *this);
}

void SxLabelColorPicker::update()
{
    picker->setColour (*boundColour);
    picker->repaint();
}
