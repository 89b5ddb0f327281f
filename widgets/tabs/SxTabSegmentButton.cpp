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

void SxTabSegmentButton::focusGained (FocusChangeType cause)
{
    focusMark.focusGained (*this, cause);
}

void SxTabSegmentButton::focusLost (FocusChangeType)
{
    focusMark.clear (*this);
}

void SxTabSegmentButton::mouseDown (const juce::MouseEvent& e)
{
    focusMark.clear (*this);
    SxImageButton::mouseDown (e);
}

void SxTabSegmentButton::paintButton (juce::Graphics& g, bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown)
{
    SxImageButton::paintButton (g, shouldDrawButtonAsHighlighted, shouldDrawButtonAsDown);

    if (focusMark.isShown (*this))
        SxKeyboardFocusMark::draw (g, getLocalBounds().toFloat().reduced (0.5f), 6.0f);
}
