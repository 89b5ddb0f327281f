#include "SxHorizontalCallOutBox.h"

void SxHorizontalCallOutBox::updatePosition (const juce::Rectangle<int>& areaToPointTo, const juce::Rectangle<int>& areaToFitIn)
{
    keepAreas (areaToPointTo, areaToFitIn);
    placeOn (SxCallOutPlacement::horizontalSides);
}
