#include "SxThreeSlices.h"

SxThreeSlices SxThreeSlices::layOut (int width, int height, int leftWidth, int rightWidth)
{
    return { { 0, 0, leftWidth, height },
             { leftWidth, 0, juce::jmax (0, width - leftWidth - rightWidth), height },
             { width - rightWidth, 0, rightWidth, height } };
}

void SxThreeSlices::draw (juce::Graphics& g, const juce::Image& leftImage, const juce::Image& middleImage,
                          const juce::Image& rightImage) const
{
    const auto drawWhole = [&g] (const juce::Image& image, juce::Rectangle<int> area)
    {
        if (image.isValid() && ! area.isEmpty())
            g.drawImage (image, area.getX(), area.getY(), area.getWidth(), area.getHeight(),
                         0, 0, image.getWidth(), image.getHeight());
    };

    drawWhole (leftImage, left);
    drawWhole (middleImage, middle);
    drawWhole (rightImage, right);
}
