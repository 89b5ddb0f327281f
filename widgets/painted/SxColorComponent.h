#pragma once

#include "SxComponent.h"

/** A component filled with one colour, given as a colour word.

    A colour word holds the bytes alpha, red, green, blue in memory order, so as a number it
    is blue << 24 | green << 16 | red << 8 | alpha: 0x343434FF is opaque (52, 52, 52).
*/
class SxColorComponent : public SxComponent
{
public:
    SxColorComponent();

    /** Stores the colour without repainting: a caller changing a visible panel repaints it. */
    virtual void setColour (juce::uint32 colourWord);
    using juce::Component::setColour;

    juce::uint32 getColourWord() const noexcept  { return colour; }

    void paint (juce::Graphics& g) override;

    /** The framework colour of a colour word. */
    static juce::Colour colourFromWord (juce::uint32 colourWord) noexcept;
    /** The colour word of a framework colour. */
    static juce::uint32 wordFromColour (juce::Colour colour) noexcept;

protected:
    juce::uint32 colour = 0xFFFFFFFF;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxColorComponent)
};
