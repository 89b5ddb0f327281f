#include "SxTabTextAnimationComponent.h"

#include "SxImageComponent.h"
#include "SxLabel.h"
#include "SxMainComponentServices.h"
#include "SxWidgetArt.h"

namespace
{
    constexpr int textRoom = 30;
    constexpr int gapAboveTarget = 4;
    constexpr int deleteAfterFadeMs = 50;
    constexpr int fadeOutMs = 300;
}

SxTabTextAnimationComponent::SxTabTextAnimationComponent()
    : SxComponent (juce::String())
{
    picture = new SxImageComponent (juce::String());
    picture->setSize (150, pictureHeight);
    picture->setImage (SxWidgetArt::get (WidgetArt::tabMessageBackground), juce::RectanglePlacement::stretchToFit);
    picture->setAlpha (0.0f);
    picture->setInterceptsMouseClicks (false, false);

    label = new SxLabel ("SxTabControllerMessageLabel", {});
    label->setFont (juce::Font (12.0f, juce::Font::plain));
    label->setColour (juce::Label::textColourId, juce::Colour (250, 250, 250));
    label->setSize (190, 40);
    label->setJustificationType (juce::Justification::centred);
    label->setInterceptsMouseClicks (false, false);
    picture->addAndMakeVisible (label.getComponent());
    label->setCentreRelative (0.5f, 0.5f);

    // Floats above everything in the main component; without one it is never seen.
    if (auto* main = SxMainComponentServices::getInstance())
        main->getMainComponent().addChildComponent (picture.getComponent());
}

SxTabTextAnimationComponent::~SxTabTextAnimationComponent()
{
    for (const int id : { holdTimerId, endTimerId })
        stopTimer (id);

    animator.cancelAllAnimations (false);
    delete picture.getComponent();
}

SxImageComponent* SxTabTextAnimationComponent::getPicture() const noexcept  { return picture.getComponent(); }
SxLabel* SxTabTextAnimationComponent::getLabel() const noexcept             { return label.getComponent(); }

void SxTabTextAnimationComponent::setText (const juce::String& text)
{
    if (label != nullptr)
        label->setText (text, juce::dontSendNotification);
}

void SxTabTextAnimationComponent::placeAbove (juce::Component* target, int yOffset)
{
    auto* main = SxMainComponentServices::getInstance();

    if (picture == nullptr || label == nullptr || target == nullptr || main == nullptr)
        return;

    auto& mainComponent = main->getMainComponent();
    const int width = label->getTextWidth() + textRoom;
    const auto area = mainComponent.getLocalArea (target->getParentComponent(), target->getBounds());

    const int x = juce::jmax (0, juce::jmin (area.getX() + area.getWidth() / 2 - width / 2, mainComponent.getWidth() - width));
    const int y = yOffset + area.getY() - picture->getHeight() - gapAboveTarget;

    picture->setSize (width, picture->getHeight());
    picture->setTopLeftPosition (x, y);
    label->setCentreRelative (0.5f, 0.5f);
}

void SxTabTextAnimationComponent::show (int fadeInMs)
{
    animator.cancelAllAnimations (false);
    stopTimer (holdTimerId);
    stopTimer (endTimerId);
    fadingOut = false;

    if (picture != nullptr)
    {
        // From the current alpha: showing again during a fade carries on from where it is.
        picture->setVisible (true);
        animator.animateComponent (picture.getComponent(), picture->getBounds(), 1.0f, fadeInMs, false, 1.0, 1.0);
    }

    startTimer (holdTimerId, fadeInMs + holdTime);
}

void SxTabTextAnimationComponent::fadeOut (int ms)
{
    fadingOut = true;
    animator.fadeOut (picture.getComponent(), ms);
    startTimer (endTimerId, ms + deleteAfterFadeMs);
}

void SxTabTextAnimationComponent::timerCallback (int timerId)
{
    stopTimer (timerId);

    if (timerId == holdTimerId)
    {
        fadeOut (fadeOutMs);
    }
    else if (timerId == endTimerId)
    {
        fadingOut = false;
        delete this;
    }
}
