// Gallery page "combo": the layer panel's blend-mode boxes. One box shows its popup of the
// twelve modes, limited to 120 pixels and scrolled to the current mode, which is hovered;
// another layer's box is disabled.

#include "GalleryKit.h"
#include "GalleryPage.h"
#include "SxComboBox.h"

namespace
{
    using namespace GalleryKit;

    const juce::StringArray blendModes { "Normal", "Multiply", "Screen", "Overlay", "Darken", "Lighten", "Color Dodge",
                                         "Color Burn", "Soft Light", "Hard Light", "Difference", "Linear Light" };

    class ComboPage : public SxComponent
    {
    public:
        ComboPage() : SxComponent ("comboPage")
        {
            setSize (600, 400);
            titleBar (*this, "Combo box",
                      juce::String (juce::CharPointer_UTF8 ("blend modes  \xc2\xb7  popup of 120 px, the current mode hovered  \xc2\xb7  disabled")));

            auto& panel = titledPanel (*this, at (24, 52, 256, 330), "Layers");

            auto* open = addLayer (panel, 40, "Abstract Watercolor", 9, true);
            addLayer (panel, 120, "Stylized Watercolor", 2, true);
            addLayer (panel, 200, "Ink Outline", 1, false);

            addLabel (*this, "THE SAME BOX, CLOSED", at (312, 52, 256, 16), 11.0f, true, juce::Justification::centredLeft, captionGrey);
            auto& plain = place (*this, band (0x3C3C3CFFu), at (312, 74, 256, 64));
            auto* box = new SxComboBox ("paintComboBox", 120);
            box->addItemList (blendModes, 1);
            place (plain, box, "80, 38, left + 100, top + 17");
            addLabel (plain, "Blend", "10, 36, left + 64, top + 20", 12.0f, false, juce::Justification::centredLeft, juce::Colour (250, 250, 250));
            box->setSelectedId (11);

            // Opened last, so its popup lies over everything.
            open->showPopup();
        }

        void paint (juce::Graphics& g) override
        {
            g.fillAll (juce::Colour (53, 53, 53));
        }

    private:
        SxComboBox* addLayer (juce::Component& panel, int y, const juce::String& name, int mode, bool enabled)
        {
            auto& row = place (panel, band (y == 40 ? 0x464646FFu : 0x3C3C3CFFu), at (8, y, 240, 72));
            addLabel (row, name, "10, 6, left + 220, top + 20", 13.0f);
            addLabel (row, "Blend", "10, 36, left + 64, top + 20", 12.0f, false, juce::Justification::centredLeft, juce::Colour (250, 250, 250));

            auto* box = new SxComboBox ("paintComboBox", 120);
            box->addItemList (blendModes, 1);
            place (row, box, "80, 38, left + 100, top + 17");
            box->setSelectedId (mode);
            box->setEnabled (enabled);
            return box;
        }
    };

    const GalleryPage::Registration page { { "combo", "Combo box: blend modes, the popup with a hovered mode, disabled",
                                             [] { return std::make_unique<ComboPage>(); } } };
}
