#include "SxLabelSlider.h"

#include "SxRelativeBounds.h"

SxLabelSlider::SxLabelSlider (const juce::String& componentName, juce::Component* popupParent,
                              const juce::String& labelText, bool labelInline)
    : SxSlider (componentName, popupParent),
      label (addCaption (*this, labelText)),
      inlineLabel (labelInline)
{
    SxRelativeBounds::apply (*this, rowBoundsFor (inlineLabel));
    layOut (*this, *label, inlineLabel);
}

void SxLabelSlider::setInlineLabel (bool shouldBeInline)
{
    inlineLabel = shouldBeInline;
    layOut (*this, *label, inlineLabel);
}

SxLabel* SxLabelSlider::addCaption (SxSlider& row, const juce::String& labelText)
{
    auto* label = new SxLabel ("SxLabelSliderLabel", labelText);
    label->setFont (juce::Font (12.0f));
    label->setColour (juce::Label::textColourId, juce::Colour (250, 250, 250));
    label->setJustificationType (juce::Justification::centredLeft);
    label->setInterceptsMouseClicks (false, false);
    // The slider carries the caption as its title; read twice would be noise.
    label->setAccessible (false);
    row.addAndMakeVisible (label);
    label->setSize (190, 23);
    row.getSlider().setTitle (labelText);
    return label;
}

juce::String SxLabelSlider::rowBoundsFor (bool inlineLabel)
{
    return inlineLabel ? "0, 0, left + parent.width, top + 34" : "0, 0, left + parent.width, top + 44";
}

void SxLabelSlider::layOut (SxSlider& row, SxLabel& caption, bool inlineLabel)
{
    caption.setTopLeftPosition (0, inlineLabel ? 5 : 0);

    if (inlineLabel)
        SxRelativeBounds::apply (row.getSlider(), juce::String (caption.getTextWidth()) + ", 2, left + parent.width - left, top + 34");
    else
        SxRelativeBounds::apply (row.getSlider(), "5, 10, left + parent.width - 5, top + 34");
}
