#pragma once

// Small helpers the gallery pages share: labels and children placed by expression.

#include "SxColorComponent.h"
#include "SxLabel.h"
#include "SxRelativeBounds.h"

namespace GalleryKit
{
    inline const juce::Colour captionGrey (190, 190, 190);

    inline SxLabel& addLabel (juce::Component& parent, const juce::String& text, const juce::String& bounds,
                              float height = 13.0f, bool bold = false,
                              juce::Justification justification = juce::Justification::centredLeft,
                              juce::Colour colour = juce::Colours::white)
    {
        auto* label = new SxLabel ("label", text);
        label->setFont (juce::Font (height, bold ? juce::Font::bold : juce::Font::plain));
        label->setColour (juce::Label::textColourId, colour);
        label->setJustificationType (justification);
        parent.addAndMakeVisible (label);
        SxRelativeBounds::apply (*label, bounds);
        return *label;
    }

    template <typename ComponentType>
    ComponentType& place (juce::Component& parent, ComponentType* child, const juce::String& bounds)
    {
        parent.addAndMakeVisible (child);
        SxRelativeBounds::apply (*child, bounds);
        return *child;
    }

    /** A plain band of colour (a title bar, a panel), as a 32-bit word 0xRRGGBBAA. */
    inline SxColorComponent* band (juce::uint32 word)
    {
        auto* b = new SxColorComponent();
        b->setColour (word);
        return b;
    }

    /** Text for an expression placing a w x h child at (x, y). */
    inline juce::String at (int x, int y, int w, int h)
    {
        return juce::String (x) + ", " + juce::String (y) + ", left + " + juce::String (w) + ", top + " + juce::String (h);
    }
}
