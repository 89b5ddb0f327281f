#include "SxButtonCaption.h"

#include "SxRelativeBounds.h"

namespace SxButtonCaption
{
    juce::Label* attach (juce::Button& button, const juce::String& text)
    {
        if (text.isEmpty())
            return nullptr;

        auto* label = new juce::Label (button.getName() + "label", text);
        label->setFont (juce::Font (12.0f, juce::Font::plain));
        label->setColour (juce::Label::textColourId, juce::Colour (250, 250, 250));
        label->setJustificationType (juce::Justification::centred);
        label->setInterceptsMouseClicks (false, false);
        label->setAccessible (false);
        button.addAndMakeVisible (label);
        SxRelativeBounds::apply (*label, "0, 0, left + parent.width, top + parent.height");
        button.setTitle (text);
        return label;
    }
}
