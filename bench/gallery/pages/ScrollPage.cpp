// Gallery page "scroll": kinetic scrollers caught mid-scroll, as the preset browser and the
// effect panel's paper strip show them: rows cut at the edges of the view and the bare
// rounded thumb of the scroll bar part-way along its bar.

#include "GalleryPage.h"
#include "SxColorComponent.h"
#include "SxLabel.h"
#include "SxRelativeBounds.h"
#include "SxRoundedComponent.h"
#include "SxScroller.h"
#include "TestFonts.h"
#include "WhiteTurquoiseBorderComponent.h"
#include "WhiteTurquoiseThickBorderComponent.h"

namespace
{
    const juce::Colour captionGrey (190, 190, 190);
    const juce::Colour thumbGrey (150, 150, 150);

    juce::Font pinnedFont (float height, bool bold = false)
    {
        return juce::Font (sxgui::pinnedTypefaceName, height, bold ? juce::Font::bold : juce::Font::plain);
    }

    SxLabel& addLabel (juce::Component& parent, const juce::String& text, const juce::String& bounds, float height,
                       bool bold = false, juce::Colour colour = juce::Colours::white,
                       juce::Justification justification = juce::Justification::centredLeft)
    {
        auto* label = new SxLabel ("label", text);
        label->setFont (pinnedFont (height, bold));
        label->setColour (juce::Label::textColourId, colour);
        label->setJustificationType (justification);
        parent.addAndMakeVisible (label);
        SxRelativeBounds::apply (*label, bounds);
        return *label;
    }

    /** A small painting: a paper wash with a few soft blots of colour. */
    struct Painting : public juce::Component
    {
        explicit Painting (int s) : seed (s) {}

        void paint (juce::Graphics& g) override
        {
            juce::Random random (seed);
            const auto r = getLocalBounds().toFloat();
            g.setGradientFill (juce::ColourGradient (juce::Colour (246, 240, 226), r.getTopLeft(),
                                                     juce::Colour (226, 216, 198), r.getBottomRight(), false));
            g.fillRect (r);

            const juce::Colour inks[] = { { 62, 110, 160 }, { 200, 120, 60 }, { 90, 140, 90 }, { 170, 70, 90 }, { 210, 180, 80 } };
            for (int i = 0; i < 7; ++i)
            {
                const auto c = inks[(size_t) random.nextInt (5)];
                const float w = r.getWidth() * (0.25f + 0.4f * random.nextFloat());
                const float h = r.getHeight() * (0.25f + 0.4f * random.nextFloat());
                const juce::Rectangle<float> blot (random.nextFloat() * (r.getWidth() - w * 0.5f) - w * 0.25f,
                                                   random.nextFloat() * (r.getHeight() - h * 0.5f) - h * 0.25f, w, h);
                g.setGradientFill (juce::ColourGradient (c.withAlpha (0.55f), blot.getCentre(),
                                                         c.withAlpha (0.0f), blot.getTopLeft(), true));
                g.fillEllipse (blot);
            }
        }

        int seed;
    };

    /** A row of the preset list: thumbnail, name and effect, a hairline below. */
    struct PresetRow : public juce::Component
    {
        PresetRow (const juce::String& n, const juce::String& e, int seed, bool isSelected, int thumbWidth)
            : name (n), effect (e), selected (isSelected), thumbnailWidth (thumbWidth), painting (seed)
        {
            addAndMakeVisible (painting);
        }

        void resized() override  { painting.setBounds (10, 6, thumbnailWidth, getHeight() - 12); }

        void paint (juce::Graphics& g) override
        {
            if (selected)
                g.fillAll (juce::Colour (70, 70, 70));

            g.setColour (juce::Colour (40, 40, 40));
            g.fillRect (0, getHeight() - 1, getWidth(), 1);

            g.setColour (juce::Colours::white);
            g.setFont (pinnedFont (13.0f, selected));
            const int textX = 22 + thumbnailWidth, middle = getHeight() / 2;
            g.drawText (name, textX, middle - 18, getWidth() - textX - 6, 18, juce::Justification::centredLeft);
            g.setColour (captionGrey);
            g.setFont (pinnedFont (11.0f));
            g.drawText (effect, textX, middle + 1, getWidth() - textX - 6, 16, juce::Justification::centredLeft);

            if (selected)
            {
                g.setColour (juce::Colour (78, 191, 208));
                g.fillRect (0, 0, 3, getHeight());
            }
        }

        juce::String name, effect;
        bool selected;
        int thumbnailWidth;
        Painting painting;
    };

    SxScroller& makeScroller (juce::Component& parent, const juce::String& name, bool horizontal, int thickness,
                              const juce::String& bounds)
    {
        auto* scroller = new SxScroller (name);
        scroller->horizontal = horizontal;
        scroller->setInterceptsMouseClicks (true, true);
        scroller->setScrollBarsShown (! horizontal, horizontal);
        scroller->setScrollBarThickness (thickness);
        scroller->getVerticalScrollBar().setColour (juce::ScrollBar::thumbColourId, thumbGrey);
        scroller->getHorizontalScrollBar().setColour (juce::ScrollBar::thumbColourId, thumbGrey);
        parent.addAndMakeVisible (scroller);
        SxRelativeBounds::apply (*scroller, bounds);
        return *scroller;
    }

    class ScrollPage : public SxComponent
    {
    public:
        ScrollPage() : SxComponent ("scrollPage")
        {
            setSize (1000, 600);
            buildToolbar();
            buildPresetBrowser();
            buildBorderStrip();
            buildEffectPanel();
        }

        void paint (juce::Graphics& g) override
        {
            g.fillAll (juce::Colour (120, 120, 120));
        }

    private:
        void buildToolbar()
        {
            auto* bar = new SxColorComponent();
            bar->setColour (0x414141FFu);
            addAndMakeVisible (bar);
            SxRelativeBounds::apply (*bar, "0, 0, left + parent.width, top + 33");
            addLabel (*bar, "Kinetic scroller", "16, 0, left + 300, top + 33", 14.0f, true);
            addLabel (*bar, juce::String (juce::CharPointer_UTF8 ("drag  \xc2\xb7  fling  \xc2\xb7  eased scroll  \xc2\xb7  thumb")),
                      "parent.width - 576, 0, left + 540, top + 33", 13.0f, false, captionGrey, juce::Justification::centredRight);
        }

        void buildPresetBrowser()
        {
            // A floating browser over the canvas: title band, then the list with its bar.
            auto* panel = new SxRoundedComponent ("presetBrowser", true, false, true, false);
            addAndMakeVisible (panel);
            SxRelativeBounds::apply (*panel, "28, 48, left + 400, top + 540");
            addLabel (*panel, "Presets", "30, 30, parent.width - 30, top + 25", 13.0f, true, juce::Colours::white,
                      juce::Justification::centred);

            auto& list = makeScroller (*panel, "presetScroller", false, 10, "34, 60, parent.width - 34, parent.height - 36");

            const char* names[] = { "Soft Wash", "Harbour Morning", "Ink and Rain", "Meadow", "Bold Strokes",
                                    "Quiet Coast", "Autumn Field", "Blue Hour", "Market Street", "Sketchbook",
                                    "Garden Light", "Old Town", "Snow Line", "Terracotta", "Lantern" };
            constexpr int rowHeight = 64, numRows = 15;
            auto* content = new SxComponent ("presetRows");
            content->setSize (332 - 10, rowHeight * numRows);

            for (int i = 0; i < numRows; ++i)
            {
                auto* row = new PresetRow (names[i], i % 3 == 2 ? "Abstract Watercolor" : "Stylized Watercolor", 11 + i, i == 6, 72);
                content->addAndMakeVisible (row);
                row->setBounds (0, i * rowHeight, content->getWidth(), rowHeight);
            }

            list.setViewedComponent (content, true);
            list.setViewPosition (0, rowHeight * 4 + 23);   // mid-scroll: a row cut at each edge
        }

        void buildBorderStrip()
        {
            // A slide-in panel's thumbnail strip: captioned thumbnails side by side.
            auto* panel = new SxRoundedComponent ("borderPanel", true, true, false, false);
            addAndMakeVisible (panel);
            SxRelativeBounds::apply (*panel, "452, 388, left + 272, top + 160");
            addLabel (*panel, "Borders", "2, 2, parent.width - 2, top + 25", 13.0f, true, juce::Colours::white,
                      juce::Justification::centred);

            auto& strip = makeScroller (*panel, "borderScroller", true, 8, "10, 38, parent.width - 10, top + 110");
            const char* names[] = { "None", "Deckle", "Torn", "Soft Edge", "Brush", "Wash", "Stamp", "Ragged" };
            constexpr int numBorders = 8, pitch = 96;
            auto* items = new SxComponent ("borders");
            items->setSize (numBorders * pitch + 6, 102);

            for (int i = 0; i < numBorders; ++i)
            {
                auto* thumb = new Painting (301 + i);
                items->addAndMakeVisible (thumb);
                thumb->setBounds (6 + i * pitch, 6, 90, 68);
                auto& caption = addLabel (*items, names[i], juce::String (6 + i * pitch) + ", 78, left + 90, top + 18", 11.0f,
                                          false, captionGrey, juce::Justification::centred);
                caption.setBorderSize ({});

                if (i == 2)
                {
                    auto* frame = new WhiteTurquoiseBorderComponent();
                    items->addAndMakeVisible (frame);
                    frame->setBounds (thumb->getBounds());
                }
            }

            strip.setViewedComponent (items, true);
            strip.setViewPosition (pitch + 40, 0);
        }

        void buildEffectPanel()
        {
            auto* panel = new SxColorComponent();
            panel->setColour (0x343434FFu);
            addAndMakeVisible (panel);
            SxRelativeBounds::apply (*panel, "parent.width - 256, 33, left + 256, parent.height");

            auto* title = new SxColorComponent();
            title->setColour (0x4D4D4DFFu);
            panel->addAndMakeVisible (title);
            SxRelativeBounds::apply (*title, "0, 0, parent.width, 30");
            addLabel (*title, "Stylized Watercolor", "0, 5, parent.width, top + 23", 13.0f, false, juce::Colours::white,
                      juce::Justification::centred);

            // The paper strip: thumbnails side by side, scrolled part-way, a thin bar below.
            addLabel (*panel, "PAPER", "16, 44, left + 200, top + 16", 11.0f, true, captionGrey);
            auto& strip = makeScroller (*panel, "paperScroller", true, 8, "12, 66, parent.width - 12, top + 68");
            auto* papers = new SxComponent ("papers");
            constexpr int numPapers = 9, pitch = 76;
            papers->setSize (numPapers * pitch + 2, 60);

            for (int i = 0; i < numPapers; ++i)
            {
                auto* paper = new Painting (101 + i);
                papers->addAndMakeVisible (paper);
                paper->setBounds (4 + i * pitch, 4, 70, 52);

                if (i == 3)
                {
                    auto* frame = new WhiteTurquoiseThickBorderComponent();
                    papers->addAndMakeVisible (frame);
                    frame->setBounds (paper->getBounds());
                }
            }

            strip.setViewedComponent (papers, true);
            strip.setViewPosition (pitch * 2 - 30, 0);

            // The layer stack below it: a short list that still scrolls.
            addLabel (*panel, "LAYERS", "16, 150, left + 200, top + 16", 11.0f, true, captionGrey);
            auto& layers = makeScroller (*panel, "layerScroller", false, 10, "12, 172, parent.width - 12, top + 190");
            auto* rows = new SxComponent ("layerRows");
            const char* layerNames[] = { "Abstract Watercolor 3", "Stylized Watercolor 2", "Ink Outline", "Stylized Watercolor",
                                         "Paper", "Source Image" };
            constexpr int layerHeight = 44;
            rows->setSize (232 - 10, layerHeight * 6);

            for (int i = 0; i < 6; ++i)
            {
                auto* row = new PresetRow (layerNames[i], i == 5 ? "Normal  100 %" : "Multiply  80 %", 201 + i, i == 2, 44);
                rows->addAndMakeVisible (row);
                row->setBounds (0, i * layerHeight, rows->getWidth(), layerHeight);
            }

            layers.setViewedComponent (rows, true);
            layers.setViewPosition (0, 60);
        }
    };

    const GalleryPage::Registration page { { "scroll", "Kinetic scroller: lists mid-scroll with their thumbs",
                                             [] { return std::make_unique<ScrollPage>(); } } };
}
