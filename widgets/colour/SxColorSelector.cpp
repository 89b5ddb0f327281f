#include "SxColorSelector.h"

#include "SxSliderLookAndFeel.h"

namespace
{
    int sectionsFor (bool showsAlpha)
    {
        return juce::ColourSelector::showColourAtTop | juce::ColourSelector::showSliders
             | juce::ColourSelector::showColourspace | (showsAlpha ? juce::ColourSelector::showAlphaChannel : 0);
    }
}

SxColorSelector::SxColorSelector (bool showsAlpha)
    : juce::ColourSelector (sectionsFor (showsAlpha), 4, 7),
      withAlpha (showsAlpha)
{
    setColour (backgroundColourId, juce::Colours::transparentBlack);
    setColour (labelTextColourId, juce::Colour (250, 250, 250));

    // The selector draws each slider's name as its caption.
    const char* names[] = { "Red", "Green", "Blue", "Alpha" };
    auto sliders = getComponentSliders();

    for (int i = 0; i < sliders.size(); ++i)
    {
        // Dark value boxes, like the panels around them.
        sliders[i]->setColour (juce::Slider::textBoxTextColourId, juce::Colour (250, 250, 250));
        sliders[i]->setColour (juce::Slider::textBoxBackgroundColourId, juce::Colour (40, 40, 40));
        sliders[i]->setColour (juce::Slider::textBoxOutlineColourId, juce::Colour (28, 28, 28));
        sliders[i]->setColour (juce::Slider::textBoxHighlightColourId, juce::Colour (79, 195, 212).withAlpha (0.5f));
        sliders[i]->setName (names[i]);
        sliders[i]->setTextBoxStyle (juce::Slider::TextBoxLeft, false, 40, 20);
        sliders[i]->setScrollWheelEnabled (false);
    }

    setLookAndFeel (&getSharedSliderLookAndFeel());
}

SxColorSelector::~SxColorSelector()
{
    setLookAndFeel (nullptr);
}

juce::Array<juce::Slider*> SxColorSelector::getComponentSliders() const
{
    juce::Array<juce::Slider*> sliders;

    for (auto* child : getChildren())
        if (auto* slider = dynamic_cast<juce::Slider*> (child))
            sliders.add (slider);

    return sliders;
}
