#include "SxTabSegmentButton.h"

SxTabSegmentButton::SxTabSegmentButton (const juce::String& componentName)
    : SxImageButton (componentName)
{
}

void SxTabSegmentButton::setPictures (const juce::Image& normal, const juce::Image& pressed)
{
    normalImage = normal;
    downImage = pressed;
    selectedImage = pressed;
    setSize (normal.getWidth() / 2, normal.getHeight() / 2);
    showNormalLook();
}

void SxTabSegmentButton::showImages (const juce::Image& normal, const juce::Image& over, const juce::Image& down)
{
    setImages (false, true, true, normal, 1.0f, juce::Colours::transparentBlack, over, 1.0f, juce::Colours::transparentBlack,
               down, 1.0f, juce::Colours::transparentBlack, 0.0f);
}

void SxTabSegmentButton::showNormalLook()
{
    showImages (normalImage, normalImage, downImage);
}

void SxTabSegmentButton::showSelectedLook()
{
    showImages (selectedImage, selectedImage, selectedImage);
}
