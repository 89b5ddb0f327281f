#include "SxBrushPreviewBox.h"

SxBrushPreviewBox::SxBrushPreviewBox (int size)
    : SxComponent ({}),
      brushSize (size)
{
    setInterceptsMouseClicks (false, false);
}

void SxBrushPreviewBox::setBrushSize (int newBrushSize)
{
    brushSize = newBrushSize;
}

float SxBrushPreviewBox::discDiameter (int size) noexcept
{
    return juce::jmax (0.0f, (float) size * 0.9f - 2.0f);
}

void SxBrushPreviewBox::paint (juce::Graphics& g)
{
    const auto d = discDiameter (brushSize);

    if (d <= 0.0f)
        return;

    g.setColour (juce::Colours::white);
    g.fillEllipse ((float) (getWidth() / 2) - d / 2.0f, (float) (getHeight() / 2) - d / 2.0f, d, d);
}
