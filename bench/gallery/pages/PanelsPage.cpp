// Gallery page "panels": the framed panel as its owners use it. A 400 x 150 dialog with a
// title and the naming dialog's caption, name box and buttons, and a 256 x 300 slide-in panel with the short body,
// its options and a "Done" button, over the canvas backdrop.

#include "GalleryKit.h"
#include "GalleryPage.h"
#include "SxCheckbox.h"
#include "SxColorComponent.h"
#include "SxDialogPanelComponent.h"
#include "SxRoundRectangleButton.h"
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
            addLabel (*bar, juce::String (juce::CharPointer_UTF8 ("dialog frame, 400 \xc3\x97 150  \xc2\xb7  short-body slide-in, 256 \xc3\x97 300")),
                      "parent.width - 576, 0, left + 560, top + 33",
                      13.0f, false, juce::Justification::centredRight, captionGrey);

            buildDialog();
            buildSlideIn();
        }

        void paint (juce::Graphics& g) override
        {
            g.fillAll (juce::Colour (120, 120, 120));
        }

    private:
        // The naming dialog's controls where it puts them.
        void buildDialog()
        {
            auto& dialog = framedPanel (*this, new SxDialogPanelComponent(), at (40, 70, 400, 150), "Save Preset");
            auto& caption = addLabel (dialog, "Save Preset", "0, 0, left + 190, top + 23", 12.0f, false, juce::Justification::centred,
                                      juce::Colour (250, 250, 250));
            caption.setCentreRelative (0.5f, 0.3f);

            auto* field = new juce::TextEditor ("presetNameBox");
            field->setSize (150, 25);
            field->setFont (juce::Font (13.0f));
            field->setColour (juce::TextEditor::backgroundColourId, juce::Colour (53, 53, 53));
            field->setColour (juce::TextEditor::outlineColourId, juce::Colour (77, 77, 77));
            field->setColour (juce::TextEditor::textColourId, juce::Colour (250, 250, 250));
            field->setText ("Evening Light", false);
            place (dialog, field, "parent.width / 2 - (width / 2), 60, left+150, top+25");

            const auto roundButton = [&dialog] (const juce::String& name, const juce::String& text, juce::Rectangle<int> bounds,
                                                juce::uint32 outline, juce::uint32 outlineDown, juce::uint32 fill, juce::uint32 fillDown)
            {
                auto* b = new SxRoundRectangleButton (name, text, {}, 3, outline, outlineDown, fill, fillDown);
                dialog.addAndMakeVisible (b);
                b->setBounds (bounds);
            };
            roundButton ("cancelPresetDoneButton", "Cancel", { 124, 97, 71, 22 }, 0x4b4b4bffu, 0x4b4b4bffu, 0xd4c34fffu, 0x3b3b3bffu);
            roundButton ("savePresetDoneButton", "Ok", { 205, 97, 71, 22 }, 0xd4c34fffu, 0xd4c34fffu, 0xd4c451ffu, 0xc0b03dffu);
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
