#pragma once

#include <juce_graphics/juce_graphics.h>

/** The colours and type of the save sheet: those of the application's own dark dialogs
    (a 45-grey panel, a 65-grey title band, near-white text and the turquoise accent). */
namespace ImageSaveStyle
{
    inline const juce::Colour backdrop     = juce::Colours::black.withAlpha (0.45f);
    inline const juce::Colour panel        { 45, 45, 45 };
    inline const juce::Colour titleBand    { 65, 65, 65 };
    inline const juce::Colour frame        { 90, 90, 90 };
    inline const juce::Colour field        { 53, 53, 53 };
    inline const juce::Colour fieldOutline { 77, 77, 77 };
    inline const juce::Colour list         { 34, 34, 34 };
    inline const juce::Colour ink          { 250, 250, 250 };
    inline const juce::Colour quietInk     { 185, 185, 185 };
    inline const juce::Colour accent       { 79, 195, 212 };
    inline const juce::Colour accentDown   { 58, 160, 176 };
    inline const juce::Colour button       { 75, 75, 75 };
    inline const juce::Colour buttonDown   { 59, 59, 59 };

    inline juce::Font labelFont()  { return juce::Font (13.0f); }
    inline juce::Font smallFont()  { return juce::Font (10.5f); }
    inline juce::Font titleFont()  { return juce::Font (14.0f, juce::Font::bold); }
}
