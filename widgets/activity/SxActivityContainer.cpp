#include "SxActivityContainer.h"

#include "SxImageComponent.h"
#include "SxRelativeBounds.h"
#include "SxWidgetArt.h"

SxActivityContainer::SxActivityContainer()
    : SxComponent (juce::String())
{
    setWantsKeyboardFocus (false);
    setSize (cardWidth, cardHeight);

    background = new SxImageComponent (juce::String());
    background->setImage (SxWidgetArt::get (WidgetArt::activityCard), juce::RectanglePlacement::stretchToFit);
    background->setInterceptsMouseClicks (false, false);
    addAndMakeVisible (background);
    SxRelativeBounds::apply (*background, "0, 0, left + parent.width, top + parent.height");

    titleLabel = new juce::Label ("SxActivityContainerTitleLabel");
    titleLabel->setColour (juce::Label::textColourId, juce::Colour (250, 250, 250));
    titleLabel->setFont (juce::Font (15.0f));
    titleLabel->setJustificationType (juce::Justification::centred);
    titleLabel->setInterceptsMouseClicks (false, false);
    titleLabel->setSize (300, 23);
    addAndMakeVisible (titleLabel);
    titleLabel->setCentreRelative (0.5f, 0.8f);

    spinner = new ActivityIndicator();
    addAndMakeVisible (spinner);
    spinner->setBounds (65, 15, 100, 100);
}

void SxActivityContainer::startSpinner()
{
    spinner->start();
}

void SxActivityContainer::stopSpinner()
{
    spinner->stop();
}

void SxActivityContainer::setSpinnerFrozen (bool frozen)
{
    spinner->setFrozen (frozen);
}

void SxActivityContainer::setMessage (const juce::String& text)
{
    titleLabel->setText (text, juce::sendNotification);
}
