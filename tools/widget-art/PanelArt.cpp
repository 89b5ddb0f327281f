// The framed panels behind dialogs, alerts and slide-ins, the busy card and the tab message.
//
// Each three-slice bar is painted whole, 52 + 118 + 52 pixels wide, and cut into its caps and
// middle, so the pieces meet without a seam however far the middle is stretched.

#include "ArtFamily.h"
#include "ArtKit.h"

using namespace ArtKit;

namespace
{
    constexpr int capWidth = 52, middleWidth = 118, barHeight = 54;
    constexpr int stripWidth = capWidth + middleWidth + capWidth;

    const juce::Colour frameLine = grey (22);

    enum class Bar { title, body, bottom };

    juce::Image paintBar (Bar bar)
    {
        return paint (stripWidth, barHeight, [bar] (juce::Graphics& g)
        {
            const auto all = juce::Rectangle<float> (0.0f, 0.0f, (float) stripWidth, (float) barHeight);

            switch (bar)
            {
                case Bar::title:
                {
                    // Rounded top corners; the 2-pixel line at the bottom parts it from the body.
                    const Corners top { true, true, false, false };
                    g.setColour (frameLine);
                    g.fillPath (roundedRect (all, 10.0f, top));
                    const auto inner = all.withTrimmedLeft (2.0f).withTrimmedRight (2.0f).withTrimmedTop (2.0f).withTrimmedBottom (2.0f);
                    const auto innerPath = roundedRect (inner, 8.0f, top);
                    g.setGradientFill (juce::ColourGradient (grey (77), 0.0f, inner.getY(), grey (64), 0.0f, inner.getBottom(), false));
                    g.fillPath (innerPath);
                    juce::Graphics::ScopedSaveState state (g);
                    g.reduceClipRegion (innerPath);
                    g.setColour (juce::Colours::white.withAlpha (0.12f));
                    g.fillRect (inner.withHeight (2.0f));
                    break;
                }

                case Bar::body:
                    g.setColour (frameLine);
                    g.fillRect (all);
                    g.setColour (grey (53));
                    g.fillRect (all.reduced (2.0f, 0.0f));
                    break;

                case Bar::bottom:
                {
                    g.setColour (frameLine);
                    g.fillRect (all);
                    const auto inner = all.withTrimmedLeft (2.0f).withTrimmedRight (2.0f).withTrimmedBottom (2.0f);
                    g.setGradientFill (juce::ColourGradient (grey (61), 0.0f, inner.getY(), grey (53), 0.0f, inner.getBottom(), false));
                    g.fillRect (inner);
                    // A dark seam with a light edge under it where the bar meets the body.
                    g.setColour (grey (40));
                    g.fillRect (inner.withHeight (2.0f));
                    g.setColour (juce::Colours::white.withAlpha (0.07f));
                    g.fillRect (inner.withY (2.0f).withHeight (2.0f));
                    break;
                }
            }
        });
    }

    ArtImage barSlice (const char* name, Bar bar, int x, int width)
    {
        return { name, width, barHeight, [bar, x] (int w, int h) { return crop (paintBar (bar), { x, 0, w, h }); } };
    }

    // The inset well: only its outer 2 display pixels show beside the (32, 32, 32) fill laid
    // over it, so its sides carry a dark bevel and its middle is the fill's own grey.
    juce::Image paintInsetArea (int w, int h)
    {
        return paint (w, h, [w, h] (juce::Graphics& g)
        {
            g.fillAll (grey (32));
            const auto side = [&g, h] (float x, juce::Colour c) { g.setColour (c); g.fillRect (x, 0.0f, 2.0f, (float) h); };
            side (0.0f, grey (18));
            side (2.0f, grey (26));
            side ((float) w - 2.0f, grey (40));
            side ((float) w - 4.0f, grey (30));
        });
    }

    // The well's top edge: a shadow falling from the title bar into the well.
    juce::Image paintTopInset (int w, int h)
    {
        return paint (w, h, [w] (juce::Graphics& g)
        {
            g.setColour (grey (18));
            g.fillRect (0.0f, 0.0f, (float) w, 2.0f);
            g.setGradientFill (juce::ColourGradient (juce::Colours::black.withAlpha (0.35f), 0.0f, 2.0f,
                                                     juce::Colours::transparentBlack, 0.0f, 14.0f, false));
            g.fillRect (0.0f, 2.0f, (float) w, 12.0f);
        });
    }

    // The card behind the busy overlay and the fade message, shown at exactly half size.
    juce::Image paintActivityCard (int w, int h)
    {
        return paint (w, h, [w, h] (juce::Graphics& g)
        {
            const auto card = juce::Rectangle<float> (12.0f, 10.0f, (float) w - 24.0f, (float) h - 24.0f);
            const auto path = roundedRect (card, 20.0f);
            shadow (g, path, juce::Colours::black.withAlpha (0.55f), 12, { 0, 4 });
            g.setColour (juce::Colours::white.withAlpha (0.14f));
            g.fillPath (path);
            const auto inner = roundedRect (card.reduced (2.0f), 18.0f);
            g.setGradientFill (juce::ColourGradient (grey (46, 0.96f), 0.0f, card.getY(), grey (34, 0.96f), 0.0f, card.getBottom(), false));
            g.fillPath (inner);
        });
    }

    // The floating tab message: about 150 x 20 on screen, so the picture is squeezed five
    // times vertically; its corners and border are drawn with that in mind.
    juce::Image paintTabMessage (int w, int h)
    {
        return paint (w, h, [w, h] (juce::Graphics& g)
        {
            const auto outer = juce::Rectangle<float> (0.0f, 0.0f, (float) w, (float) h);
            const juce::Point<float> corner (10.0f, 46.0f);
            juce::Path body;
            body.addRoundedRectangle (outer.getX(), outer.getY(), outer.getWidth(), outer.getHeight(), corner.x, corner.y, true, true, true, true);
            g.setColour (grey (32, 0.94f));
            g.fillPath (body);
            g.setColour (juce::Colours::white.withAlpha (0.16f));
            g.fillPath (ring (outer, corner, outer.reduced (2.0f, 10.0f), { 8.0f, 36.0f }));
        });
    }

    const ArtFamily::Registration family { { "panels", {
        barSlice ("panelTitleLeft",     Bar::title,  0,                        capWidth),
        barSlice ("panelTitleMiddle",   Bar::title,  capWidth,                 middleWidth),
        barSlice ("panelTitleRight",    Bar::title,  capWidth + middleWidth,   capWidth),
        barSlice ("panelBodyLeft",      Bar::body,   0,                        capWidth),
        barSlice ("panelBodyMiddle",    Bar::body,   capWidth,                 middleWidth),
        barSlice ("panelBodyRight",     Bar::body,   capWidth + middleWidth,   capWidth),
        barSlice ("panelBottomLeft",    Bar::bottom, 0,                        capWidth),
        barSlice ("panelBottomMiddle",  Bar::bottom, capWidth,                 middleWidth),
        barSlice ("panelBottomRight",   Bar::bottom, capWidth + middleWidth,   capWidth),
        { "panelTopInset",    446, 54, paintTopInset },
        { "panelInsetArea",   446, 54, paintInsetArea },
        { "activityCard",     472, 338, paintActivityCard },
        { "tabMessageBackground", 190, 104, paintTabMessage },
    } } };
}
