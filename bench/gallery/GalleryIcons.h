#pragma once

// Stand-ins for the toolbar's icons (the toolbar family of the widget art will paint the real
// ones): 40 x 36 pictures in the text colour, shown at half size on SxMainMenuButtons.

#include <juce_graphics/juce_graphics.h>

#include <functional>

namespace GalleryKit
{
    inline juce::Image toolbarIcon (const std::function<void (juce::Graphics&)>& body)
    {
        juce::Image image (juce::Image::ARGB, 40, 36, true);
        juce::Graphics g (image);
        g.setColour (juce::Colour (250, 250, 250));
        body (g);
        return image;
    }

    /** An open folder. */
    inline juce::Image folderIcon()
    {
        return toolbarIcon ([] (juce::Graphics& g)
        {
            juce::Path back, front;
            back.addRoundedRectangle (4.0f, 6.0f, 30.0f, 24.0f, 3.0f);
            front.startNewSubPath (4.0f, 30.0f);
            front.lineTo (10.0f, 14.0f);
            front.lineTo (38.0f, 14.0f);
            front.lineTo (33.0f, 30.0f);
            front.closeSubPath();
            g.setOpacity (0.55f);
            g.fillPath (back);
            g.setOpacity (1.0f);
            g.fillPath (front);
        });
    }

    /** An arrow down onto a line. */
    inline juce::Image saveIcon()
    {
        return toolbarIcon ([] (juce::Graphics& g)
        {
            juce::Path arrow;
            arrow.addArrow ({ 20.0f, 3.0f, 20.0f, 24.0f }, 5.0f, 16.0f, 11.0f);
            g.fillPath (arrow);
            g.fillRoundedRectangle (6.0f, 28.0f, 28.0f, 4.0f, 2.0f);
        });
    }

    /** A plus. */
    inline juce::Image plusIcon()
    {
        return toolbarIcon ([] (juce::Graphics& g)
        {
            g.fillRoundedRectangle (18.0f, 6.0f, 4.0f, 24.0f, 2.0f);
            g.fillRoundedRectangle (8.0f, 16.0f, 24.0f, 4.0f, 2.0f);
        });
    }
}
