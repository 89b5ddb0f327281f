// Gallery page "panels": the framed panel as its owners use it. A 400 x 150 dialog with a
// title, a text field and two buttons, and a 256 x 300 slide-in panel with the short body,
// its options and a "Done" button, over the canvas backdrop.

#include "GalleryKit.h"
#include "GalleryPage.h"
#include "SxCheckbox.h"
#include "SxColorComponent.h"
#include "SxDialogPanelComponent.h"
#include "SxThreeImageButton.h"

namespace
{
    using namespace GalleryKit;

    template <typename PanelType>
    PanelType& framedPanel (juce::Component& parent, PanelType* panel, const juce::String& bounds, const juce::String& title)
    {
        auto& holder = place (parent, new SxComponent ("holder"), bounds);
        place (holder, panel, "0, 0, left + parent.width, top + parent.height");
        panel->setTitle (title);
        panel->buildPanel();
        return *panel;
    }

    SxThreeImageButton& button (juce::Component& parent, const juce::String& name, const juce::String& text, const juce::String& bounds)
    {
        auto* b = new SxThreeImageButton (name, text);
        b->setSize (92, 23);    // the expressions centre by the button's own width
        return place (parent, b, bounds);
    }

    class PanelsPage : public SxComponent
    {
    public:
        PanelsPage() : SxComponent ("panelsPage")
        {
            setSize (780, 400);
            auto* bar = new SxColorComponent();
            bar->setColour (0x414141FFu);
            place (*this, bar, "0, 0, left + parent.width, top + 33");
            addLabel (*bar, "Panels", "16, 0, left + 300, top + 33", 14.0f, true);
            addLabel (*bar, "dialog frame, 400 x 150  \xc2\xb7  short-body slide-in, 256 x 300", "parent.width - 576, 0, left + 560, top + 33",
                      13.0f, false, juce::Justification::centredRight, captionGrey);

            buildDialog();
            buildSlideIn();
        }

        void paint (juce::Graphics& g) override
        {
            g.fillAll (juce::Colour (120, 120, 120));
        }

    private:
        void buildDialog()
        {
            auto& dialog = framedPanel (*this, new SxDialogPanelComponent(), at (40, 70, 400, 150), "Save Preset");
            addLabel (dialog, "Preset name:", "20, 42, left + 100, top + 24", 12.0f, false, juce::Justification::centredLeft,
                      juce::Colour (250, 250, 250));
            auto& field = place (dialog, new juce::TextEditor ("presetNameField"), "120, 42, parent.width - 20, top + 24");
            field.setText ("Evening Light", false);
            field.setFont (juce::Font (13.0f));
            field.setColour (juce::TextEditor::backgroundColourId, juce::Colour (53, 53, 53));
            field.setColour (juce::TextEditor::outlineColourId, juce::Colour (77, 77, 77));
            field.setColour (juce::TextEditor::textColourId, juce::Colour (250, 250, 250));
            addLabel (dialog, "Letters, digits, blanks, hyphens and underscores; up to 20.", "20, 72, parent.width - 20, top + 20",
                      11.0f, false, juce::Justification::centredLeft, captionGrey);
            button (dialog, "presetSaveCancelButton", "Cancel", "(parent.width / 2) - 100, parent.height - 33, left + 92, top + 23");
            button (dialog, "presetSaveOkButton", "Ok", "(parent.width / 2) + 8, parent.height - 33, left + 92, top + 23");
        }

        void buildSlideIn()
        {
            auto& panel = framedPanel (*this, new SxPanelComponent (true), at (484, 50, 256, 300), "Selective Mask");
            addLabel (panel, "Paint over what the effect should keep, then let the mask follow the edges.",
                      "16, 36, parent.width - 16, top + 48", 12.0f, false, juce::Justification::topLeft, juce::Colour (250, 250, 250));
            const char* options[] = { "Show Mask Overlay", "Refine Edges", "Invert Mask" };
            for (int i = 0; i < 3; ++i)
            {
                auto* box = new SxCheckbox ("maskOption" + juce::String (i), options[i], nullptr);
                box->setChecked (i != 2);
                place (panel, box, at (16, 96 + i * 30, 200, 24));
            }
            button (panel, "maskDoneButton", "Done", "(parent.width / 2) - (width / 2), parent.height - 33, left + 92, top + 23");
        }
    };

    const GalleryPage::Registration page { { "panels", "Panels: the dialog frame with a title and the short-body slide-in",
                                             [] { return std::make_unique<PanelsPage>(); } } };
}
