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

    /** The page's title bar: the title on the left, what the page shows on the right. */
    inline void titleBar (juce::Component& page, const juce::String& title, const juce::String& contents)
    {
        auto& bar = place (page, band (0x414141FFu), "0, 0, left + parent.width, top + 33");
        addLabel (bar, title, "16, 0, left + 300, top + 33", 14.0f, true);
        addLabel (bar, contents, "parent.width - 576, 0, left + 560, top + 33", 13.0f, false,
                  juce::Justification::centredRight, captionGrey);
    }

    /** A panel of the window (the effect panel, a wizard) with its 30-pixel title band. */
    inline juce::Component& titledPanel (juce::Component& parent, const juce::String& bounds, const juce::String& title)
    {
        auto& panel = place (parent, band (0x343434FFu), bounds);
        auto& titleBand = place (panel, band (0x4D4D4DFFu), "0, 0, parent.width, 30");
        addLabel (titleBand, title, "0, 4, parent.width, top + 23", 13.0f, false, juce::Justification::centred);
        return panel;
    }

    /** Text for an expression placing a w x h child at (x, y). */
    inline juce::String at (int x, int y, int w, int h)
    {
        return juce::String (x) + ", " + juce::String (y) + ", left + " + juce::String (w) + ", top + " + juce::String (h);
    }
}
