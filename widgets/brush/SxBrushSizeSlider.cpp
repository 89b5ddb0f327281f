#include "SxBrushSizeSlider.h"

#include "SxMainComponentServices.h"

SxBrushSizeSlider::SxBrushSizeSlider (const juce::String& componentName)
    : SxSlider (componentName, nullptr)
{
    auto& slider = getSlider();
    slider.setRange (0.0, 1.0, 0.01);
    slider.setScrollWheelEnabled (false);
    slider.setTextBoxStyle (juce::Slider::NoTextBox, false, 0, 0);
    slider.setChangeNotificationOnlyOnRelease (false);
}

SxBrushSizeSlider::~SxBrushSizeSlider()
{
    stopTimer (closePreviewTimer);
    closePreview();
}

void SxBrushSizeSlider::sliderValueChanged (juce::Slider* slider)
{
    const auto brushSize = (int) slider->getValue();

    if (callOut == nullptr)
    {
        closePreview();     // a preview whose box went with the main component
        openPreview (brushSize);
    }

    previewBox->setBrushSize (brushSize);
    previewBox->repaint();
    startTimer (closePreviewTimer, 1000);
}

void SxBrushSizeSlider::timerCallback (int timerID)
{
    stopTimer (timerID);

    if (timerID == closePreviewTimer)
        closePreview();
}

void SxBrushSizeSlider::openPreview (int brushSize)
{
    previewContent = new SxColorComponent();
    previewContent->setColour (0x000000FFu);
    previewContent->setBounds (0, 0, previewSize, previewSize);

    previewBox = new SxBrushPreviewBox (brushSize);
    previewBox->setBounds (0, 0, previewSize, previewSize);
    previewContent->addAndMakeVisible (previewBox);

    auto* main = SxMainComponentServices::getInstance();
    auto* parent = main != nullptr ? &main->getMainComponent() : nullptr;
    const auto area = parent != nullptr ? parent->getLocalArea (this, getLocalBounds()) : getScreenBounds();

    callOut = new SxHorizontalCallOutBox (*previewContent, area, parent, false);
    // Only a picture: the pointer keeps working the slider under it.
    callOut->setInterceptsMouseClicks (false, false);
    callOut->setArrowSize (0.0f);
    callOut->reposition();
}

void SxBrushSizeSlider::closePreview()
{
    // The box goes before its content: it must never lay out or paint a deleted content.
    if (auto* box = callOut.getComponent())
    {
        callOut = nullptr;
        box->inputAttemptOutsideModal();
        delete box;
    }

    delete std::exchange (previewContent, nullptr);
    previewBox = nullptr;
}
