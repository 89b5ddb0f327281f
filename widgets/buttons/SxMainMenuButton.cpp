#include "SxMainMenuButton.h"

#include "SxImageComponent.h"
#include "SxMainComponentServices.h"
#include "SxWidgetArt.h"

SxMainMenuButton::SxMainMenuButton (const juce::String& componentName, const juce::Image& icon, const juce::String& tooltip)
    : SxImageButton ({})
{
    const auto hover = SxWidgetArt::get (WidgetArt::menuButtonHover);
    const auto pressed = SxWidgetArt::get (WidgetArt::menuButtonPressed);

    setSize (hover.getWidth() / 2, hover.getHeight() / 2);
    setName (componentName);

    const auto none = juce::Colours::transparentBlack;
    setImages (false, true, true, hover, 0.0f, none, hover, 1.0f, none, pressed, 1.0f, none, 0.0f);
    setTooltip (tooltip);

    iconComponent = new SxImageComponent ({});
    addAndMakeVisible (iconComponent);
    iconComponent->setImage (icon);
    iconComponent->setSize (icon.getWidth() / 2, icon.getHeight() / 2);
    iconComponent->setCentrePosition (getWidth() / 2, getHeight() / 2);
    iconComponent->setInterceptsMouseClicks (false, false);
}

void SxMainMenuButton::mouseMove (const juce::MouseEvent& e)   { SxImageButton::mouseMove (e); }
void SxMainMenuButton::mouseEnter (const juce::MouseEvent& e)  { SxImageButton::mouseEnter (e); }
void SxMainMenuButton::mouseDrag (const juce::MouseEvent& e)   { SxImageButton::mouseDrag (e); }

void SxMainMenuButton::mouseDown (const juce::MouseEvent& e)
{
    const SafePointer<SxMainMenuButton> self (this);   // a listener may delete the button
    SxImageButton::mouseDown (e);

    if (self == nullptr)
        return;

    if (reportsPressAndRelease && isEnabled())
    {
        held = true;
        report();
    }
}

void SxMainMenuButton::mouseUp (const juce::MouseEvent& e)
{
    const SafePointer<SxMainMenuButton> self (this);   // a listener may delete the button
    SxImageButton::mouseUp (e);

    if (self == nullptr)
        return;

    if (reportsPressAndRelease && isEnabled())
        report();
}

void SxMainMenuButton::mouseExit (const juce::MouseEvent& e)
{
    const SafePointer<SxMainMenuButton> self (this);   // a listener may delete the button
    SxImageButton::mouseExit (e);

    if (self == nullptr)
        return;

    if (reportsPressAndRelease && held && isEnabled())
    {
        held = false;
        report();
    }
}

void SxMainMenuButton::enablementChanged()
{
    SxImageButton::enablementChanged();
    iconComponent->setAlpha (isEnabled() ? 1.0f : disabledIconAlpha);
}

void SxMainMenuButton::report()
{
    if (auto* main = SxMainComponentServices::getInstance())
        main->menuButtonReported (*this);
}
