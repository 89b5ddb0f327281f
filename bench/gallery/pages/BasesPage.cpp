// Gallery page "bases": the painted component bases as the application uses them. A dialog,
// a slide-in panel and an about box on the canvas backdrop; the effect panel on the right
// with framed paper thumbnails, captions that place their sliders by their text width, and
// framed colour chips.

#include "ColorComponent.h"
#include "GalleryPage.h"
#include "SxBorderComponent.h"
#include "SxColorComponent.h"
#include "SxLabel.h"
#include "SxRelativeBounds.h"
#include "SxRoundedComponent.h"
#include "WhiteTurquoiseBorderComponent.h"
#include "WhiteTurquoiseThickBorderComponent.h"

namespace
{
    const juce::Colour captionGrey (190, 190, 190);

    SxLabel& addLabel (juce::Component& parent, const juce::String& text, const juce::String& bounds,
                       float height = 13.0f, bool bold = false, juce::Justification justification = juce::Justification::centredLeft,
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

    SxColorComponent* colourPanel (juce::uint32 word, const juce::String& id = {})
    {
        auto* panel = new SxColorComponent();
        panel->setColour (word);
        panel->setComponentID (id);
        return panel;
    }

    /** A paper thumbnail: a soft wash between two tones with a little grain. */
    struct PaperSwatch : public juce::Component
    {
        PaperSwatch (juce::Colour a, juce::Colour b, int seed) : top (a), bottom (b), grainSeed (seed) {}

        void paint (juce::Graphics& g) override
        {
            const auto r = getLocalBounds().toFloat();
            g.setGradientFill (juce::ColourGradient (top, r.getTopLeft(), bottom, r.getBottomRight(), false));
            g.fillRect (r);

            juce::Random random (grainSeed);
            for (int i = 0; i < getWidth() * getHeight() / 6; ++i)
            {
                g.setColour (juce::Colours::black.withAlpha (random.nextFloat() * 0.06f));
                g.fillRect ((float) random.nextInt (getWidth()), (float) random.nextInt (getHeight()), 1.0f, 1.0f);
            }
        }

        juce::Colour top, bottom;
        int grainSeed;
    };

    /** A slim slider track, to show where a caption's text width puts its slider. */
    struct Track : public juce::Component
    {
        explicit Track (float v) : value (v) {}

        void paint (juce::Graphics& g) override
        {
            const auto r = getLocalBounds().toFloat().withSizeKeepingCentre ((float) getWidth() - 8.0f, 4.0f);
            g.setColour (juce::Colour (30, 30, 30));
            g.fillRoundedRectangle (r, 2.0f);
            g.setColour (juce::Colour (78, 191, 208));
            g.fillRoundedRectangle (r.withWidth (r.getWidth() * value), 2.0f);

            const auto knob = juce::Point<float> (r.getX() + r.getWidth() * value, r.getCentreY());
            g.setColour (juce::Colour (235, 235, 235));
            g.fillEllipse (juce::Rectangle<float> (12.0f, 12.0f).withCentre (knob));
        }

        float value;
    };

    class BasesPage : public SxComponent
    {
    public:
        BasesPage() : SxComponent ("basesPage")
        {
            setSize (1000, 600);
            buildToolbar();
            buildEffectPanel();
            buildCanvasPanels();
        }

        void paint (juce::Graphics& g) override
        {
            g.fillAll (juce::Colour (120, 120, 120));
        }

    private:
        void buildToolbar()
        {
            auto& bar = place (*this, colourPanel (0x414141FFu, "topBar"), "0, 0, left + parent.width, top + 33");
            addLabel (bar, "Component bases", "16, 0, left + 300, top + 33", 14.0f, true);
            addLabel (bar, juce::String (juce::CharPointer_UTF8 ("rounded panels  \xc2\xb7  labels  \xc2\xb7  colour fills  \xc2\xb7  borders")),
                      "parent.width - 576, 0, left + 540, top + 33", 13.0f, false, juce::Justification::centredRight, captionGrey);
        }

        void buildEffectPanel()
        {
            auto& panel = place (*this, colourPanel (0x343434FFu, "effectControlComponent"),
                                 "parent.width - 256, 33, left + 256, parent.height");
            auto& titleBar = place (panel, colourPanel (0x4D4D4DFFu), "0, 0, parent.width, 30");
            addLabel (titleBar, "Stylized Watercolor", "0, 5, parent.width, top + 23", 13.0f, false, juce::Justification::centred);

            // Paper thumbnails in a 3 x 2 grid; the chosen one framed thick, the hovered one thin.
            addLabel (panel, "PAPER", "16, 44, left + 200, top + 16", 11.0f, true, juce::Justification::centredLeft, captionGrey);
            const std::pair<juce::Colour, juce::Colour> papers[] = {
                { juce::Colour (246, 241, 228), juce::Colour (226, 216, 196) },
                { juce::Colour (238, 236, 230), juce::Colour (212, 210, 204) },
                { juce::Colour (244, 232, 210), juce::Colour (218, 196, 160) },
                { juce::Colour (232, 236, 238), juce::Colour (196, 206, 212) },
                { juce::Colour (250, 248, 244), juce::Colour (236, 232, 226) },
                { juce::Colour (226, 218, 204), juce::Colour (190, 176, 152) },
            };

            for (int i = 0; i < 6; ++i)
            {
                const int x = 16 + (i % 3) * 76, y = 66 + (i / 3) * 62;
                const auto bounds = juce::String (x) + ", " + juce::String (y) + ", left + 70, top + 52";
                place (panel, new PaperSwatch (papers[i].first, papers[i].second, i + 1), bounds);

                if (i == 0)
                    place (panel, new WhiteTurquoiseThickBorderComponent(), bounds);
                else if (i == 4)
                    place (panel, new WhiteTurquoiseBorderComponent(), bounds);
            }

            // Captions with their sliders placed right after the text.
            addLabel (panel, "CONTROLS", "16, 200, left + 200, top + 16", 11.0f, true, juce::Justification::centredLeft, captionGrey);
            const std::pair<const char*, float> controls[] = {
                { "Size", 0.35f }, { "Variation", 0.6f }, { "Wet Edges", 0.8f }, { "Ink Outline", 0.2f },
            };

            int y = 222;
            for (auto& [caption, value] : controls)
            {
                auto& label = addLabel (panel, caption, "11, " + juce::String (y) + ", left + 120, top + 24");
                const int trackX = 11 + label.getTextWidth();
                place (panel, new Track (value), juce::String (trackX) + ", " + juce::String (y) + ", parent.width - 12, top + 24");
                y += 30;
            }

            // Ink colours as chips in a one-pixel frame.
            addLabel (panel, "INK COLOUR", "16, 354, left + 200, top + 16", 11.0f, true, juce::Justification::centredLeft, captionGrey);
            const juce::Colour inks[] = { juce::Colour (30, 30, 30), juce::Colour (32, 58, 90), juce::Colour (46, 74, 140),
                                          juce::Colour (42, 92, 60), juce::Colour (110, 40, 24) };

            for (int i = 0; i < 5; ++i)
            {
                const auto bounds = juce::String (16 + i * 46) + ", 376, left + 38, top + 26";
                auto& chip = place (panel, colourPanel (SxColorComponent::wordFromColour (inks[i])), bounds);
                chip.setBounds (chip.getBounds().reduced (2));
                place (panel, new SxBorderComponent (i == 2 ? juce::Colour (78, 191, 208) : juce::Colour (150, 150, 150)), bounds);
            }

            // The frame colour of the panels, as a strip under the chips.
            auto* frame = new ColorComponent();
            frame->colour = juce::Colour (32, 32, 32);
            place (panel, frame, "16, 418, parent.width - 16, top + 1");
            addLabel (panel, "Changes apply to the selected layer.", "16, 426, parent.width - 16, top + 24",
                      12.0f, false, juce::Justification::centredLeft, captionGrey);
        }

        void buildCanvasPanels()
        {
            // A dialog: shadow, title band and a bottom bar.
            auto& dialog = place (*this, new SxRoundedComponent ("preferenceDialog", true, false, true, true),
                                  "40, 62, left + 390, top + 270");
            addLabel (dialog, "Preferences", "30, 30, parent.width - 30, top + 25", 13.0f, true, juce::Justification::centred);
            const char* lines[] = { "Show tooltips", "Remember the image's folder", "Canvas background" };
            for (int i = 0; i < 3; ++i)
                addLabel (dialog, lines[i], "54, " + juce::String (70 + i * 26) + ", parent.width - 54, top + 22");

            auto& swatch = place (dialog, colourPanel (0x787878FFu), "parent.width - 84, 126, left + 28, top + 16");
            place (dialog, new SxBorderComponent (juce::Colours::white), juce::String (swatch.getX() - 1) + ", 125, left + 30, top + 18");
            addLabel (dialog, "Settings are saved as you change them.", "55, parent.height - 60, parent.width - 55, top + 30",
                      12.0f, false, juce::Justification::centred, captionGrey);

            // A slide-in panel: title band, top corners only, no shadow.
            auto& slideIn = place (*this, new SxRoundedComponent ("slideIn", true, true, false, false),
                                   "450, 92, left + 260, top + 200");
            addLabel (slideIn, "Selective Mask", "2, 2, parent.width - 2, top + 25", 13.0f, true, juce::Justification::centred);
            addLabel (slideIn, "Paint over the areas to keep,\nthen apply the mask.", "16, 40, parent.width - 16, top + 44",
                      12.0f, false, juce::Justification::topLeft, captionGrey);
            place (slideIn, new PaperSwatch (juce::Colour (92, 120, 150), juce::Colour (200, 170, 120), 9),
                   "16, 94, parent.width - 16, top + 90");
            place (slideIn, new WhiteTurquoiseBorderComponent(), "16, 94, parent.width - 16, top + 90");

            // An about box: plain panel with a shadow.
            auto& about = place (*this, new SxRoundedComponent ("aboutBox", false, false, true, false),
                                 "422, 330, left + 316, top + 236");
            addLabel (about, "Quenzella - Tolva", "30, 60, parent.width - 30, top + 28", 18.0f, true, juce::Justification::centred);
            addLabel (about, "Watercolour paintings from your photographs", "30, 92, parent.width - 30, top + 20",
                      12.0f, false, juce::Justification::centred, captionGrey);
            addLabel (about, "Version 1.0.0", "30, 140, parent.width - 30, top + 20", 12.0f, false, juce::Justification::centred, captionGrey);

            // A small plain panel without shadow, as a tool options strip.
            auto& strip = place (*this, new SxRoundedComponent ("toolOptions", false, false, false, false),
                                 "68, 358, left + 334, top + 44");
            addLabel (strip, "Brush", "16, 0, left + 60, parent.height", 13.0f, true);
            auto& size = addLabel (strip, "Size", "76, 0, left + 80, parent.height");
            place (strip, new Track (0.45f), juce::String (76 + size.getTextWidth()) + ", 0, parent.width - 12, parent.height");
        }
    };

    const GalleryPage::Registration page { { "bases", "Component bases: rounded panels, labels, colour fills, borders",
                                             [] { return std::make_unique<BasesPage>(); } } };
}
