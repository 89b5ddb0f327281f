#include "SxSlider.h"

#include "SxMainComponentServices.h"
#include "SxRelativeBounds.h"

namespace
{
    juce::Component* bubbleParent (juce::Component* popupParent)
    {
        if (popupParent != nullptr)
            return popupParent;

        if (auto* main = SxMainComponentServices::getInstance())
            return &main->getMainComponent();

        return nullptr;
    }
}

SxSlider::SxSlider (const juce::String& componentName, juce::Component* popupParent)
    : SxComponent (componentName),
      slider (new SxSliderBase (componentName))
{
    addAndMakeVisible (slider);
    slider->setSize (getWidth(), getHeight());
    SxRelativeBounds::apply (*slider, "0, 0, left + parent.width - 5, top + 20");

    slider->setRange (0.0, 1.0, 0.01);
    slider->setScrollWheelEnabled (false);
    slider->setValue (0.5, juce::dontSendNotification);
    slider->setTextBoxStyle (juce::Slider::NoTextBox, false, 0, 0);
    slider->setPopupDisplayEnabled (true, false, bubbleParent (popupParent));
    slider->setChangeNotificationOnlyOnRelease (true);
    slider->addListener (this);
}

SxSlider::~SxSlider()
{
    slider->removeListener (this);
}

void SxSlider::addSliderListener (juce::Slider::Listener* listener)
{
    slider->addListener (listener);
}

void SxSlider::setSliderEnabled (bool shouldBeEnabled)
{
    slider->setSliderEnabled (shouldBeEnabled);
}

void SxSlider::update()
{
    slider->updateFromModel();
}
