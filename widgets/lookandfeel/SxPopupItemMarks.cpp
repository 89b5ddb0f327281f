#include "SxPopupItemMarks.h"

void SxPopupItemMarks::drawIconOrTick (juce::LookAndFeel& lookAndFeel, juce::Graphics& g, juce::Rectangle<int>& row,
                                       const juce::Drawable* icon, bool isTicked)
{
    const auto iconArea = row.removeFromLeft (juce::jmin (row.getWidth(), (row.getHeight() * 5) / 4)).reduced (3).toFloat();

    if (icon != nullptr)
    {
        icon->drawWithin (g, iconArea, juce::RectanglePlacement::centred | juce::RectanglePlacement::onlyReduceInSize, 1.0f);
    }
    else if (isTicked)
    {
        const auto tick = lookAndFeel.getTickShape (1.0f);
        g.fillPath (tick, tick.getTransformToScaleToFit (iconArea, true));
    }
}

void SxPopupItemMarks::drawSubMenuArrow (juce::Graphics& g, juce::Rectangle<int>& row, float fontAscent)
{
    const auto arrowHeight = 0.6f * fontAscent;
    const auto x = (float) row.removeFromRight (juce::jmin (row.getWidth(), (int) arrowHeight)).getX();
    const auto middle = (float) row.getCentreY();

    juce::Path arrow;
    arrow.addTriangle (x, middle - arrowHeight * 0.5f, x, middle + arrowHeight * 0.5f, x + arrowHeight * 0.6f, middle);
    g.fillPath (arrow);
}
