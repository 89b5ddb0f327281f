#include "SxColorChipSelectionSlider.h"

#include "SxLabelSlider.h"
#include "SxRelativeBounds.h"

SxColorChipSelectionSlider::SxColorChipSelectionSlider (const juce::String& componentName, juce::Component* popupParent,
                                                        const juce::String& labelText, juce::uint32* field)
    : SxSlider (componentName, popupParent),
      colourPicker (new SxColorPicker (componentName + "Color", juce::Colours::white, juce::Colours::white)),
      label (SxLabelSlider::addCaption (*this, labelText)),
      colourField (field)
{
    jassert (colourField != nullptr);
    SxRelativeBounds::apply (*this, "0, 0, left + parent.width, top + 44");

    SxRelativeBounds::apply (getSlider(), "5, 10, left + parent.width - 5 - 50, top + 34");

    colourPicker->setTitle (labelText + " colour");
    addAndMakeVisible (colourPicker);
    SxRelativeBounds::apply (*colourPicker, "parent.width - 1 - 44, 16, left + 44, top + 23");
    colourPicker->callback = this;
    colourPicker->setColour (initialColourWord);
}

void SxColorChipSelectionSlider::colourChanged (juce::Component*, juce::uint32 colourWord)
{
    SxColorPicker::storeReportedColour (colourWord, *colourField, listener, *this);
}

void SxColorChipSelectionSlider::update()
{
    SxSlider::update();
    colourPicker->setColour (*colourField);
    colourPicker->repaint();
}
