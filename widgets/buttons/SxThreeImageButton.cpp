#include "SxThreeImageButton.h"

#include "SxButtonCaption.h"
#include "SxThreeSlices.h"
#include "SxWidgetArt.h"

SxThreeImageButton::SxThreeImageButton (const juce::String& componentName, const juce::String& caption)
    : juce::Button (componentName),
      normalLeft (SxWidgetArt::get (WidgetArt::threeSliceLeft)),
      normalMiddle (SxWidgetArt::get (WidgetArt::threeSliceMiddle)),
      normalRight (SxWidgetArt::get (WidgetArt::threeSliceRight)),
      pressedLeft (SxWidgetArt::get (WidgetArt::threeSlicePressedLeft)),
      pressedMiddle (SxWidgetArt::get (WidgetArt::threeSlicePressedMiddle)),
      pressedRight (SxWidgetArt::get (WidgetArt::threeSlicePressedRight)),
      text (caption)
{
    setName (componentName);
    label = SxButtonCaption::attach (*this, text);
    repaint();
}

SxThreeImageButton::~SxThreeImageButton()
{
    deleteAllChildren();
}

void SxThreeImageButton::paintButton (juce::Graphics& g, bool over, bool down)
{
    g.setOpacity (down || ! over ? 0.9f : 1.0f);
    // The pressed slices have the normal ones' widths.
    const auto slices = SxThreeSlices::layOut (getWidth(), getHeight(), normalLeft.getWidth() / 2, normalRight.getWidth() / 2);

    if (down)
        slices.draw (g, pressedLeft, pressedMiddle, pressedRight);
    else
        slices.draw (g, normalLeft, normalMiddle, normalRight);

    if (focusMark.isShown (*this))
    {
        g.setOpacity (1.0f);
        SxKeyboardFocusMark::draw (g, getLocalBounds().toFloat().withTrimmedBottom (2.0f), 5.0f);
    }
}
