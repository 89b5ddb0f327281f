#include "ImageSaveReplacePrompt.h"

#include "ImageSaveStyle.h"

namespace
{
    constexpr int cardWidth = 380, cardHeight = 132;
}

ImageSaveReplacePrompt::ImageSaveReplacePrompt()
{
    setName ("replaceFilePrompt");
    setWantsKeyboardFocus (true);
    keepButton.onClick = [this] { if (onKeep) onKeep(); };
    replaceButton.onClick = [this] { if (onReplace) onReplace(); };
    addAndMakeVisible (keepButton);
    addAndMakeVisible (replaceButton);
}

void ImageSaveReplacePrompt::ask (const juce::File& file)
{
    question = juce::String (juce::CharPointer_UTF8 ("\xe2\x80\x9c")) + file.getFileName()
             + juce::String (juce::CharPointer_UTF8 ("\xe2\x80\x9d")) + " already exists. Do you want to replace it?";
    detail = "A file with the same name already exists in the folder "
           + juce::String (juce::CharPointer_UTF8 ("\xe2\x80\x9c")) + file.getParentDirectory().getFileName()
           + juce::String (juce::CharPointer_UTF8 ("\xe2\x80\x9d")) + ". Replacing it overwrites its contents.";
    setVisible (true);
    toFront (false);
    repaint();
    if (isShowing())
        keepButton.grabKeyboardFocus();
}

juce::Rectangle<int> ImageSaveReplacePrompt::getCard() const
{
    return getLocalBounds().withSizeKeepingCentre (juce::jmin (cardWidth, getWidth() - 16), cardHeight);
}

void ImageSaveReplacePrompt::paint (juce::Graphics& g)
{
    using namespace ImageSaveStyle;
    g.fillAll (juce::Colours::black.withAlpha (0.4f));

    const auto card = getCard().toFloat();
    g.setColour (panel.brighter (0.06f));
    g.fillRoundedRectangle (card, 6.0f);
    g.setColour (frame);
    g.drawRoundedRectangle (card.reduced (0.5f), 6.0f, 1.0f);

    auto text = getCard().reduced (18, 14);
    g.setColour (ink);
    g.setFont (juce::Font (13.0f, juce::Font::bold));
    g.drawFittedText (question, text.removeFromTop (34), juce::Justification::topLeft, 2);
    g.setColour (quietInk);
    g.setFont (juce::Font (12.0f));
    g.drawFittedText (detail, text.removeFromTop (34), juce::Justification::topLeft, 2);
}

void ImageSaveReplacePrompt::resized()
{
    const auto card = getCard();
    const int buttonWidth = 86, buttonHeight = 24;
    replaceButton.setBounds (card.getRight() - 16 - buttonWidth, card.getBottom() - 12 - buttonHeight, buttonWidth, buttonHeight);
    keepButton.setBounds (replaceButton.getX() - 10 - buttonWidth, replaceButton.getY(), buttonWidth, buttonHeight);
}

bool ImageSaveReplacePrompt::keyPressed (const juce::KeyPress& key)
{
    if (key == juce::KeyPress::escapeKey || (key == juce::KeyPress::returnKey && ! replaceButton.hasKeyboardFocus (false)))
    {
        if (onKeep)
            onKeep();
        return true;
    }
    if (key == juce::KeyPress::returnKey)
    {
        if (onReplace)
            onReplace();
        return true;
    }
    return false;
}
