#include "SxLabel.h"

SxLabel::SxLabel (const juce::String& componentName, const juce::String& text)
    : juce::Label ({}, {})
{
    setName (componentName);
    setText (text, juce::dontSendNotification);
}

SxLabel::~SxLabel()
{
    // The framework label deletes its own text editor; deleting it here as well would free it twice.
    if (auto* editor = getCurrentTextEditor())
        removeChildComponent (editor);

    deleteAllChildren();
}

int SxLabel::getTextWidth() const
{
    return (int) getFont().getStringWidthFloat (getText()) + getBorderSize().getLeft();
}
