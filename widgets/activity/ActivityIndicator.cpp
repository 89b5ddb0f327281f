#include "ActivityIndicator.h"

#include "SxWidgetArt.h"

namespace
{
    constexpr int stepMs = 50, stepsPerTurn = 16;
}

ActivityIndicator::ActivityIndicator()
    : spinningImage (SxWidgetArt::get (WidgetArt::activitySpinner)),
      stillImage (SxWidgetArt::get (WidgetArt::activitySpinnerStill))
{
    setInterceptsMouseClicks (false, false);
}

ActivityIndicator::~ActivityIndicator()
{
    stopTimer();
}

void ActivityIndicator::start()
{
    step = 0;
    startTimer (stepMs);
}

void ActivityIndicator::stop()
{
    stopTimer();
}

void ActivityIndicator::setFrozen (bool shouldBeFrozen)
{
    if (frozen == shouldBeFrozen)
        return;

    frozen = shouldBeFrozen;
    repaint();
}

void ActivityIndicator::timerCallback()
{
    if (frozen)
        return;

    // The transform works in the parent's space: turn about the centre of the bounds there.
    const auto centre = getBounds().toFloat().getCentre();
    setTransform (juce::AffineTransform::rotation ((float) step * juce::MathConstants<float>::pi / 8.0f, centre.x, centre.y));

    step = (step + 1) % stepsPerTurn;
}

void ActivityIndicator::paint (juce::Graphics& g)
{
    g.setImageResamplingQuality (juce::Graphics::highResamplingQuality);
    g.drawImage (getShownImage(), getLocalBounds().toFloat());
}
