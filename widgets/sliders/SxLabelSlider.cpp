#include "SxLabelSlider.h"

#include "SxRelativeBounds.h"

SxLabelSlider::SxLabelSlider (const juce::String& componentName, juce::Component* popupParent,
                              const juce::String& labelText, bool labelInline)
    : SxSlider (componentName, popupParent),
      label (new SxLabel ("SxLabelSliderLabel", labelText)),
      inlineLabel (labelInline)
{
    SxRelativeBounds::apply (*this, inlineLabel ? "0, 0, left + parent.width, top + 34"
                                                : "0, 0, left + parent.width, top + 44");

    label->setFont (juce::Font (12.0f));
    label->setColour (juce::Label::textColourId, juce::Colour (250, 250, 250));
    label->setJustificationType (juce::Justification::centredLeft);
    label->setInterceptsMouseClicks (false, false);
    // The slider carries the caption as its title; read twice would be noise.
    label->setAccessible (false);
    addAndMakeVisible (label);
    label->setSize (190, 23);
    getSlider().setTitle (labelText);

    layOut();
}

void SxLabelSlider::setInlineLabel (bool shouldBeInline)
{
    inlineLabel = shouldBeInline;
    layOut();
}

void SxLabelSlider::layOut()
{
    label->setTopLeftPosition (0, inlineLabel ? 5 : 0);

    if (inlineLabel)
        SxRelativeBounds::apply (getSlider(), juce::String (label->getTextWidth()) + ", 2, left + parent.width - left, top + 34");
    else
        SxRelativeBounds::apply (getSlider(), "5, 10, left + parent.width - 5, top + 34");
}
