#include "SxAlertFadeMessage.h"

#include "SxImageComponent.h"
#include "SxMainComponentServices.h"
#include "SxRelativeBounds.h"
#include "SxWidgetArt.h"

SxAlertFadeMessage::SxAlertFadeMessage (const juce::String& componentName, const juce::String& text, int fadeMs,
                                        juce::Component* parent)
    : SxComponent (juce::String()),
      durationMs (fadeMs)
{
    setName (componentName);

    if (parent == nullptr)
        if (auto* main = SxMainComponentServices::getInstance())
            parent = &main->getMainComponent();

    if (parent != nullptr)
        parent->addAndMakeVisible (this);

    SxRelativeBounds::apply (*this, "0, 0, left + parent.width, top + parent.height");
    setAlpha (0.0f);

    auto* card = new SxImageComponent (juce::String());
    card->setImage (SxWidgetArt::get (WidgetArt::activityCard), juce::RectanglePlacement::stretchToFit);
    card->setInterceptsMouseClicks (false, false);
    card->setSize (236, 169);
    addAndMakeVisible (card);
    SxRelativeBounds::apply (*card, "(parent.width * 0.5) - (width / 2), (parent.height * 0.45) - (height / 2), left + 236, top + 169");

    label = new juce::Label ("SxAlertFadeMessageLabel", text);
    label->setFont (juce::Font (26.0f, juce::Font::plain));
    label->setColour (juce::Label::textColourId, juce::Colour (250, 250, 250));
    label->setJustificationType (juce::Justification::centred);
    label->setInterceptsMouseClicks (false, false);
    label->setSize (190, 40);
    card->addAndMakeVisible (label);
    label->setCentreRelative (0.5f, 0.5f);

    startTimer (fadeInTimer, 1);
}

SxAlertFadeMessage::~SxAlertFadeMessage()
{
    stopTimer (fadeInTimer);
    stopTimer (fadeOutTimer);
    stopTimer (deleteTimer);
}

void SxAlertFadeMessage::timerCallback (int timerId)
{
    stopTimer (timerId);

    switch (timerId)
    {
        case fadeInTimer:
            animator.fadeIn (this, durationMs);
            startTimer (fadeOutTimer, durationMs + shownMs);
            break;

        case fadeOutTimer:
            animator.fadeOut (this, durationMs);
            startTimer (deleteTimer, durationMs);
            break;

        case deleteTimer:
            deleteSelf();
            break;

        default:
            break;
    }
}

void SxAlertFadeMessage::mouseDown (const juce::MouseEvent&)
{
    stopTimer (fadeInTimer);
    stopTimer (fadeOutTimer);
    stopTimer (deleteTimer);
    deleteSelf();
}

void SxAlertFadeMessage::deleteSelf()
{
    animator.cancelAllAnimations (false);
    deleteAllChildren();
    delete this;
}
