#include "SxCheckboxImageButton.h"

void SxCheckboxImageButton::paintButton (juce::Graphics& g, bool over, bool down)
{
    paintPlaced (g, over, down, SxImagePlacement::Fit::leftAligned);
}
