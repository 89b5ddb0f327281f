#include "SxScaleToFillImageButton.h"

void SxScaleToFillImageButton::paintButton (juce::Graphics& g, bool over, bool down)
{
    paintPlaced (g, over, down, SxImagePlacement::Fit::cover);
}
