#pragma once

// A painted stand-in for a photograph on the document canvas: sky, sun, hills and a lake,
// for pages that show pop-ups over the canvas.

#include <juce_gui_basics/juce_gui_basics.h>

namespace GalleryKit
{
    class PhotoStandIn : public juce::Component
    {
    public:
        void paint (juce::Graphics& g) override
        {
            const auto w = (float) getWidth(), h = (float) getHeight();
            const auto horizon = h * 0.55f;

            g.setGradientFill ({ juce::Colour (74, 124, 190), 0.0f, 0.0f, juce::Colour (243, 196, 150), 0.0f, horizon, false });
            g.fillRect (0.0f, 0.0f, w, horizon);

            g.setColour (juce::Colour (255, 226, 150));
            g.fillEllipse (w * 0.68f, horizon * 0.42f, h * 0.16f, h * 0.16f);

            juce::Path far, near;
            far.startNewSubPath (0.0f, horizon);
            far.quadraticTo (w * 0.25f, horizon * 0.62f, w * 0.5f, horizon * 0.9f);
            far.quadraticTo (w * 0.75f, horizon * 0.7f, w, horizon * 0.95f);
            far.lineTo (w, horizon + 1.0f);
            far.lineTo (0.0f, horizon + 1.0f);
            far.closeSubPath();
            g.setColour (juce::Colour (96, 112, 120));
            g.fillPath (far);

            g.setGradientFill ({ juce::Colour (60, 98, 140), 0.0f, horizon, juce::Colour (24, 46, 70), 0.0f, h, false });
            g.fillRect (0.0f, horizon, w, h - horizon);

            near.startNewSubPath (0.0f, h * 0.72f);
            near.quadraticTo (w * 0.3f, h * 0.62f, w * 0.55f, h);
            near.lineTo (0.0f, h);
            near.closeSubPath();
            g.setColour (juce::Colour (46, 76, 44));
            g.fillPath (near);
        }
    };
}
