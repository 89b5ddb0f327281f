// Gallery page "segments": segment rows of two to five segments in the large (27 pixels) and
// small (22 pixels) heights, rows inside a disabled panel, and scrolling strips: one scrolled
// part-way with both arrows, one whose segments fit and sit centred.

#include "GalleryKit.h"
#include "GalleryPage.h"
#include "SegmentController.h"
#include "SxScrollingSegmentController.h"

namespace
{
    using namespace GalleryKit;

    class SegmentsPage : public SxComponent
    {
    public:
        SegmentsPage() : SxComponent ("segmentsPage")
        {
            setSize (900, 480);
            auto& bar = place (*this, band (0x414141FFu), "0, 0, left + parent.width, top + 33");
            addLabel (bar, "Segmented controls", "16, 0, left + 300, top + 33", 14.0f, true);
            addLabel (bar, juce::String (juce::CharPointer_UTF8 ("rows of 2 to 5, 27 and 22 pixels  \xc2\xb7  disabled panel  \xc2\xb7  "
                                                                 "scrolling strips")),
                      "parent.width - 576, 0, left + 560, top + 33", 13.0f, false, juce::Justification::centredRight, captionGrey);

            buildRows ("27 PIXELS HIGH", 24, 27);
            buildRows ("22 PIXELS HIGH", 312, 22);
            buildDisabled();
            buildStrips();
        }

        void paint (juce::Graphics& g) override
        {
            g.fillAll (juce::Colour (53, 53, 53));
        }

    private:
        static SegmentController& addRow (juce::Component& parent, const juce::StringArray& texts, juce::Rectangle<int> bounds,
                                          int selected)
        {
            auto* row = new SegmentController (true);
            for (auto& text : texts)
                row->addSegments (text, 1);
            parent.addAndMakeVisible (row);
            row->setBounds (bounds);
            row->build();
            row->setSelectedIndex (selected);
            return *row;
        }

        void buildRows (const juce::String& title, int x, int height)
        {
            addLabel (*this, title, at (x, 52, 256, 16), 11.0f, true, juce::Justification::centredLeft, captionGrey);
            auto& panel = place (*this, band (0x343434FFu), at (x, 74, 256, 290));

            const juce::StringArray texts[] = { { "Paper", "Color" }, { "Dark", "Mid", "Light" }, { "Dark", "Mid", "Light", "Full" },
                                                { "Dark", "Mid", "Light", "Full", "Mask" } };
            const char* captions[] = { "Background", "Color Area", "Area Fill", "Color Area" };
            const int selections[] = { 0, 1, 3, 4 };

            for (int i = 0; i < 4; ++i)
            {
                const int y = 12 + i * 70;
                addLabel (panel, captions[i], at (0, y, 190, 20), 12.0f, false, juce::Justification::centredLeft, juce::Colour (250, 250, 250));
                addRow (panel, texts[i], { 8, y + 22, 240, height }, selections[i]);
            }
        }

        void buildDisabled()
        {
            addLabel (*this, "INSIDE A DISABLED PANEL", at (600, 52, 276, 16), 11.0f, true, juce::Justification::centredLeft, captionGrey);
            auto& panel = place (*this, band (0x343434FFu), at (600, 74, 276, 140));
            addLabel (panel, "Ink Color", at (0, 12, 190, 20), 12.0f, false, juce::Justification::centredLeft, juce::Colour (250, 250, 250));
            addRow (panel, { "Black", "Sepia", "Custom" }, { 8, 34, 260, 27 }, 0);
            addLabel (panel, "Border", at (0, 76, 190, 20), 12.0f, false, juce::Justification::centredLeft, juce::Colour (250, 250, 250));
            addRow (panel, { "None", "Thin", "Deckle" }, { 8, 98, 260, 27 }, 2);   // a selected right end stays lit
            panel.setEnabled (false);
        }

        void buildStrips()
        {
            addLabel (*this, "SCROLLING STRIPS", at (600, 236, 276, 16), 11.0f, true, juce::Justification::centredLeft, captionGrey);
            auto& panel = place (*this, band (0x343434FFu), at (600, 258, 276, 196));

            addLabel (panel, "Crop", at (0, 12, 190, 20), 12.0f, false, juce::Justification::centredLeft, juce::Colour (250, 250, 250));
            auto& crop = addStrip (panel, { "Original", "Square", "4:3", "3:2", "16:9", "5:4", "7:5", "2:1", "Custom" }, 100, { 8, 34, 260, 27 });
            crop.setSelectedIndex (3);
            crop.getScroller()->setViewPosition (200, 0);

            addLabel (panel, "Orientation", at (0, 80, 190, 20), 12.0f, false, juce::Justification::centredLeft, juce::Colour (250, 250, 250));
            addStrip (panel, { "Landscape", "Portrait" }, 80, { 8, 102, 260, 27 });

            addLabel (panel, "Scale", at (0, 138, 190, 20), 12.0f, false, juce::Justification::centredLeft, juce::Colour (250, 250, 250));
            auto& scale = addStrip (panel, { "25 %", "50 %", "100 %", "200 %", "400 %", "800 %" }, 60, { 8, 160, 260, 22 });
            scale.setSelectedIndex (5);
            scale.getScroller()->setViewPosition (1000, 0);
        }

        static SxScrollingSegmentController& addStrip (juce::Component& parent, const juce::StringArray& texts, int segmentWidth,
                                                       juce::Rectangle<int> bounds)
        {
            auto* strip = new SxScrollingSegmentController (false);
            strip->segmentWidth = segmentWidth;
            parent.addAndMakeVisible (strip);
            strip->setBounds (bounds);
            for (auto& text : texts)
                strip->addSegmentLabel (text);
            strip->build();
            strip->setEnabled (true);
            return *strip;
        }
    };

    const GalleryPage::Registration page { { "segments", "Segmented controls: rows, disabled panel, scrolling strips",
                                             [] { return std::make_unique<SegmentsPage>(); } } };
}
