#include "SxSliderBase.h"

#include "SxSliderLookAndFeel.h"

SxSliderBase::SxSliderBase (const juce::String& componentName)
    : juce::Slider (componentName)
{
    setSliderStyle (juce::Slider::LinearHorizontal);
    setLookAndFeel (&getSharedSliderLookAndFeel());
    setScrollWheelEnabled (false);
    setWantsKeyboardFocus (true);
    // The framework's text box was filled before this class could format it.
    updateText();
}

SxSliderBase::~SxSliderBase()
{
    setLookAndFeel (nullptr);
}

void SxSliderBase::updateFromModel()
{
    if (valueField != nullptr)
        setValue (*valueField, juce::dontSendNotification);
}

void SxSliderBase::setSliderEnabled (bool shouldBeEnabled)
{
    setLookAndFeel (&getSharedSliderLookAndFeel());
    setEnabled (shouldBeEnabled);
}

void SxSliderBase::valueChanged()
{
    if (valueField != nullptr)
        *valueField = (float) getValue();

    juce::Slider::valueChanged();
}

bool SxSliderBase::showsPercent()
{
    return getMaximum() - getMinimum() < 3.0;
}

juce::String SxSliderBase::getTextFromValue (double value)
{
    // roundToInt sends halves to the even neighbour: 12.5 reads 12, 37.5 reads 38.
    return juce::String (juce::roundToInt (showsPercent() ? value * 100.0 : value)) + getTextValueSuffix();
}

double SxSliderBase::getValueFromText (const juce::String& text)
{
    // The framework trims, cuts the suffix and any leading "+", and reads the leading run of
    // "0123456789.,-" without regard to the locale; nothing readable gives 0.
    const auto number = juce::Slider::getValueFromText (text);
    return showsPercent() ? number / 100.0 : number;
}

void SxSliderBase::focusGained (FocusChangeType cause)
{
    focusMark.focusGained (*this, cause);
}

void SxSliderBase::focusLost (FocusChangeType)
{
    focusMark.clear (*this);
}

void SxSliderBase::mouseDown (const juce::MouseEvent& e)
{
    focusMark.clear (*this);
    juce::Slider::mouseDown (e);
    moveBubbleToThumb();
}

void SxSliderBase::mouseDrag (const juce::MouseEvent& e)
{
    juce::Slider::mouseDrag (e);
    moveBubbleToThumb();
}

void SxSliderBase::moveBubbleToThumb()
{
    auto* bubble = dynamic_cast<juce::BubbleComponent*> (getCurrentPopupDisplay());
    auto* parent = bubble != nullptr ? bubble->getParentComponent() : nullptr;

    // A bubble on the desktop keeps the framework's place.
    if (parent == nullptr || ! isHorizontal())
        return;

    // The thumb's height, and wider than twice that, so the bubble goes above or below the
    // thumb and never over the track.
    const auto thumb = juce::Rectangle<int> (2 * SxSliderLookAndFeel::thumbSize + 3, SxSliderLookAndFeel::thumbSize + 1)
                           .withCentre ({ juce::roundToInt (getPositionOfValue (getValue())), getHeight() / 2 });
    bubble->setPosition (parent->getLocalArea (this, thumb), 15, 10);
}
