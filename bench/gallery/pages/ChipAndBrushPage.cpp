// Gallery page "chip and brush": the effect panel's slider rows with a colour chip (ink
// colours, one still showing its initial sky blue), and the selective-mask wizard's brush
// size slider with its preview beside it at sizes 10 and 200.

#include "GalleryKit.h"
#include "GalleryPage.h"
#include "SxBrushSizeLabelSlider.h"
#include "SxColorChipSelectionSlider.h"

namespace
{
    using namespace GalleryKit;

    class ChipAndBrushPage : public SxComponent
    {
    public:
        ChipAndBrushPage() : SxComponent ("chipAndBrushPage")
        {
            setSize (1024, 440);
            titleBar (*this, "Colour chip and brush size",
                      juce::String (juce::CharPointer_UTF8 ("value and colour together  \xc2\xb7  brush preview at 10 and 200")));

            buildChips();
            brush (300, 52, 10.0);
            brush (740, 250, 200.0);
        }

        void paint (juce::Graphics& g) override
        {
            g.fillAll (juce::Colour (53, 53, 53));
        }

    private:
        float values[3] = { 0.6f, 0.35f, 0.8f };
        juce::uint32 colours[3] = { 0x1E2E4AFFu, 0x6E3B8CFFu, 0 };     // brown (74, 46, 30), plum (140, 59, 110)
        float sizes[2] = { 30.0f, 30.0f };

        void buildChips()
        {
            auto& panel = titledPanel (*this, at (16, 52, 256, 200), "Stylized Watercolor");

            const char* captions[] = { "Ink Fill", "Ink Outline", "Outline Detail" };

            for (int i = 0; i < 3; ++i)
            {
                auto* row = new SxColorChipSelectionSlider ("chip" + juce::String (i), this, captions[i], &colours[i]);
                place (panel, row, "8, " + juce::String (40 + i * 50) + ", parent.width - 8, top + 44");
                row->setValuePointer (&values[i]);

                // The last one was never updated: it shows the initial sky blue at mid value.
                if (i < 2)
                    row->update();
            }
        }

        /** A wizard panel with the brush slider moved to value: the preview shows beside it
            (right, or left near the page's right edge) and moves into this page (the gallery's
            stand-in main component is elsewhere, at the same origin). */
        void brush (int x, int y, double value)
        {
            auto& panel = titledPanel (*this, at (x, y, 256, 120), "Selective Mask");

            auto* row = new SxBrushSizeLabelSlider ("brushSizeSlider", nullptr, "Brush Size", false);
            place (panel, row, "14, 58, left + 222, top + 46");
            row->getSlider().setRange (10.0, 200.0, 0.01);
            row->setValuePointer (&sizes[x > 400 ? 1 : 0]);
            row->getSlider().setValue (100.0, juce::dontSendNotification);
            row->getSlider().setValue (value, juce::sendNotificationSync);

            if (auto* preview = row->getPreview())
                addAndMakeVisible (preview);
        }
    };

    const GalleryPage::Registration page { { "chip and brush", "Colour chip slider and brush-size slider with its preview",
                                             [] { return std::make_unique<ChipAndBrushPage>(); } } };
}
