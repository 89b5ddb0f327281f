#include "SxLabelledImageButton.h"

#include "SxRelativeBounds.h"

SxLabelledImageButton::SxLabelledImageButton (const juce::String& componentName, const juce::Image& face,
                                              const juce::Image& pressedFace, const juce::String& labelName,
                                              const juce::String& labelText)
    : SxImageButton (componentName)
{
    setImages (false, true, true,
               face, 0.9f, juce::Colours::transparentBlack,
               face, 1.0f, juce::Colours::transparentBlack,
               pressedFace, 1.0f, juce::Colours::transparentBlack);
    setSize (face.getWidth() / 2, face.getHeight() / 2);

    label = new juce::Label (labelName, labelText);
    label->setFont (juce::Font (12.0f, juce::Font::plain));
    label->setColour (juce::Label::textColourId, juce::Colour (250, 250, 250));
    label->setJustificationType (juce::Justification::centred);
    label->setInterceptsMouseClicks (false, false);
    label->setAccessible (false);
    label->setSize (190, 23);   // the expression centres by the label's own size
    addAndMakeVisible (label);
    SxRelativeBounds::apply (*label, "(parent.width / 2) - (width / 2), (parent.height * 0.45) - (height / 2), left + 190, top + 23");
    setTitle (labelText);
}
