// Gallery page "picker": the colour swatch's call-out open over the canvas, as the effect
// panel opens it. Left, an ink colour chip without alpha; right, the preferences'
// background colour with alpha, a half-transparent colour on its checkerboard.

#include "GalleryKit.h"
#include "GalleryPage.h"
#include "GalleryPhoto.h"
#include "SxColorChipSelectionSlider.h"
#include "SxLabelColorPicker.h"

namespace
{
    using namespace GalleryKit;

    /** Opens picker's call-out as a click does and moves it into this page: the gallery's
        stand-in main window is not on the page, and both lie at the origin, so the box keeps
        its place. */
    void openHere (juce::Component& page, SxColorPicker& picker)
    {
        picker.buttonClicked (&picker);

        if (auto* box = picker.getCallOut())
            page.addAndMakeVisible (box);
    }

    class PickerPage : public SxComponent
    {
    public:
        PickerPage() : SxComponent ("pickerPage")
        {
            setSize (1024, 560);
            titleBar (*this, "Colour picker",
                      juce::String (juce::CharPointer_UTF8 ("open over the canvas  \xc2\xb7  without alpha  \xc2\xb7  with alpha")));

            buildInkScene();
            buildBackgroundScene();

            // Last, so the call-outs lie over both scenes.
            for (auto* picker : toOpen)
                openHere (*this, *picker);
        }

        void paint (juce::Graphics& g) override
        {
            g.fillAll (juce::Colour (53, 53, 53));
        }

    private:
        float inkFill = 0.55f;
        juce::uint32 inkColour = 0x1E2E4AFFu;         // a warm brown ink (74, 46, 30)
        juce::uint32 backgroundColour = 0xC8A05080u;  // (80, 160, 200), half-transparent
        SxColorPicker* toOpen[2] = {};

        /** The canvas with a photograph and the panel at its right; returns the panel. */
        juce::Component& scene (int x, const juce::String& title)
        {
            auto& s = place (*this, new SxComponent ("scene"), at (x, 45, 500, 503));
            place (s, new PhotoStandIn(), "0, 0, left + 244, top + parent.height");
            return titledPanel (s, "244, 0, left + 256, top + parent.height", title);
        }

        void buildInkScene()
        {
            auto& panel = scene (6, "Stylized Watercolor");

            auto* row = new SxColorChipSelectionSlider ("inkFillSlider", this, "Ink Fill", &inkColour);
            place (panel, row, "8, 40, parent.width - 8, top + 44");
            row->setValuePointer (&inkFill);
            row->update();
            toOpen[0] = &row->getColourPicker();
        }

        void buildBackgroundScene()
        {
            auto& panel = scene (518, "Preferences");

            auto* row = new SxLabelColorPicker ("backgroundColor", "Background Color", &backgroundColour);
            place (panel, row, "0, 220, parent.width - 12, top + 35");
            row->getPicker().setShowsAlpha (true);
            row->update();
            toOpen[1] = &row->getPicker();
        }
    };

    const GalleryPage::Registration page { { "picker", "Colour picker: call-out over the canvas, with and without alpha",
                                             [] { return std::make_unique<PickerPage>(); } } };
}
