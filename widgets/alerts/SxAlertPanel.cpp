#include "SxAlertPanel.h"

#include "BinaryData.h"
#include "SxDialogPanelComponent.h"
#include "SxImageComponent.h"
#include "SxLabelledImageButton.h"
#include "SxMainComponentServices.h"
#include "SxRelativeBounds.h"
#include "SxWidgetArt.h"

namespace
{
    const char* const pinnedBounds = "(parent.width / 2) - (width / 2), -25, left + 600, top + 200";

    juce::Image applicationImage()
    {
        return juce::ImageCache::getFromMemory (BinaryData::icon_png, BinaryData::icon_pngSize);
    }
}

SxAlertPanel::SxAlertPanel (const juce::String& componentName, SxControlChangedCallback* cb)
    : SxComponent (juce::String()),
      callback (cb)
{
    setName (componentName);
}

SxAlertPanel::~SxAlertPanel()
{
    stopTimer (pinTimer);
    stopTimer (reportTimer);
    stopTimer (deleteTimer);
    stopTimer (quitTimer);
}

void SxAlertPanel::buildFrame()
{
    setSize (alertWidth, alertHeight);

    if (auto* main = SxMainComponentServices::getInstance())
        main->getMainComponent().addAndMakeVisible (this);

    SxRelativeBounds::apply (*this, "(parent.width / 2) - (width / 2), -201, left + 600, top + 200");

    auto* frame = new SxDialogPanelComponent();
    addAndMakeVisible (frame);
    SxRelativeBounds::apply (*frame, "0, 0, left + parent.width, top + parent.height");
    frame->buildPanel();
}

void SxAlertPanel::addApplicationImage (const juce::String& bounds)
{
    auto* image = new SxImageComponent (juce::String());
    image->setImage (applicationImage(), juce::RectanglePlacement::stretchToFit);
    image->setInterceptsMouseClicks (false, false);
    addAndMakeVisible (image);
    SxRelativeBounds::apply (*image, bounds);
}

SxLabelledImageButton* SxAlertPanel::addButton (const juce::String& name, const juce::Image& face, const juce::String& labelName,
                                                const juce::String& labelText, const juce::String& bounds)
{
    auto* button = new SxLabelledImageButton (name, face, SxWidgetArt::get (WidgetArt::alertButtonPressed), labelName, labelText);
    button->addListener (this);
    addAndMakeVisible (button);
    SxRelativeBounds::apply (*button, bounds);
    return button;
}

juce::Label* SxAlertPanel::addLabel (const juce::String& name, const juce::String& text, juce::Justification justification,
                                     const juce::String& bounds)
{
    auto* label = new juce::Label (name, text);
    label->setColour (juce::Label::textColourId, juce::Colour (250, 250, 250));
    label->setJustificationType (justification);
    label->setInterceptsMouseClicks (false, false);
    label->setSize (190, 23);   // expressions may centre by the label's own size
    addAndMakeVisible (label);
    SxRelativeBounds::apply (*label, bounds);
    return label;
}

void SxAlertPanel::slideIn()
{
    const auto start = getBounds();
    animator.animateComponent (this, start.withY (start.getY() + start.getHeight() - 24), slideMs, false, 10, 1.0f, 0.5, 0.5);
    startTimer (pinTimer, slideMs);

    if (auto* main = SxMainComponentServices::getInstance())
        main->enterModal (this, true);
}

void SxAlertPanel::slideOut()
{
    SxRelativeBounds::detach (*this);
    const auto from = getBounds();
    animator.animateComponent (this, from.withY (from.getY() - from.getHeight() - 47), slideMs, false, 9, 1.0f, 0.5, 0.5);
}

void SxAlertPanel::timerCallback (int timerId)
{
    stopTimer (timerId);

    if (timerId == pinTimer)
        pin();
    else if (timerId == deleteTimer)
        deleteSelf();
}

void SxAlertPanel::pin()
{
    // The slide ends here even if its last tick has not come yet: from now on the alert
    // follows the window and takes presses.
    animator.cancelAllAnimations (true);
    SxRelativeBounds::apply (*this, pinnedBounds);
}

void SxAlertPanel::leaveModalState()
{
    if (auto* main = SxMainComponentServices::getInstance())
        main->exitModal (this);
    else
        exitModalState (1);
}

void SxAlertPanel::deleteSelf()
{
    deleteAllChildren();
    delete this;
}
