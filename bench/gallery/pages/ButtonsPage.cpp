// Gallery page "buttons": every kind of button of the kit in its four states (normal, mouse
// over, pressed, disabled), set through Button::setState as the mouse would set them.

#include "GalleryIcons.h"
#include "GalleryKit.h"
#include "GalleryPage.h"
#include "SxCheckbox.h"
#include "SxCheckboxImageButton.h"
#include "SxColorComponent.h"
#include "SxMainMenuButton.h"
#include "SxRoundRectangleButton.h"
#include "SxScaleToFillImageButton.h"
#include "SxThreeImageButton.h"
#include "SxWidgetArt.h"

namespace
{
    using namespace GalleryKit;

    enum class State { normal, over, pressed, disabled };
    constexpr State states[] = { State::normal, State::over, State::pressed, State::disabled };
    const char* stateNames[] = { "Normal", "Over", "Pressed", "Disabled" };

    void show (juce::Button& button, State state)
    {
        if (state == State::disabled)
            button.setEnabled (false);
        else
            button.setState (state == State::over ? juce::Button::buttonOver
                             : state == State::pressed ? juce::Button::buttonDown : juce::Button::buttonNormal);
    }

    /** A button face with its caption, as the alerts and the preferences build them. */
    SxImageButton* faceButton (const juce::String& name, const WidgetArt::Png& face, const WidgetArt::Png& pressed,
                               const juce::String& caption)
    {
        auto* button = new SxImageButton (name);
        const auto normal = SxWidgetArt::get (face), down = SxWidgetArt::get (pressed);
        const auto none = juce::Colours::transparentBlack;
        button->setImages (false, true, true, normal, 0.9f, none, normal, 1.0f, none, down, 1.0f, none);
        button->setSize (normal.getWidth() / 2, normal.getHeight() / 2);

        auto* label = new juce::Label (name + "Label", caption);
        label->setFont (juce::Font (12.0f));
        label->setColour (juce::Label::textColourId, juce::Colour (250, 250, 250));
        label->setJustificationType (juce::Justification::centred);
        label->setInterceptsMouseClicks (false, false);
        button->addAndMakeVisible (label);
        label->setSize (190, 23);
        label->setCentreRelative (0.5f, 0.45f);
        return button;
    }

    /** A photograph stand-in for the cover-fitted thumbnail: sky, hills and a sun. */
    juce::Image landscape()
    {
        juce::Image image (juce::Image::ARGB, 240, 120, true);
        juce::Graphics g (image);
        g.setGradientFill (juce::ColourGradient (juce::Colour (120, 170, 210), 0, 0, juce::Colour (240, 210, 170), 0, 80, false));
        g.fillAll();
        g.setColour (juce::Colour (250, 236, 200));
        g.fillEllipse (170.0f, 20.0f, 26.0f, 26.0f);
        juce::Path hills;
        hills.startNewSubPath (0, 120);
        hills.lineTo (0, 80);
        hills.quadraticTo (60, 50, 120, 84);
        hills.quadraticTo (180, 60, 240, 76);
        hills.lineTo (240, 120);
        hills.closeSubPath();
        g.setColour (juce::Colour (70, 110, 80));
        g.fillPath (hills);
        return image;
    }

    class ButtonsPage : public SxComponent
    {
    public:
        ButtonsPage() : SxComponent ("buttonsPage")
        {
            setSize (1040, 560);
            auto& bar = place (*this, band (0x414141FFu), "0, 0, left + parent.width, top + 33");
            addLabel (bar, "Buttons", "16, 0, left + 300, top + 33", 14.0f, true);
            addLabel (bar, "every kind in its normal, over, pressed and disabled state", "parent.width - 576, 0, left + 560, top + 33",
                      13.0f, false, juce::Justification::centredRight, captionGrey);

            for (int column = 0; column < 4; ++column)
                addLabel (*this, stateNames[column], at (columnX (column), 44, 200, 20), 11.0f, true,
                          juce::Justification::centredLeft, captionGrey);

            addRow ("Alert, primary", 31, [] { return faceButton ("okButton", WidgetArt::alertButtonPrimary, WidgetArt::alertButtonPressed, "OK"); });
            addRow ("Alert, secondary", 31, [] { return faceButton ("cancelButton", WidgetArt::alertButtonSecondary, WidgetArt::alertButtonPressed, "Cancel"); });
            addRow ("Rebuild presets", 31, [] { return faceButton ("rebuildButton", WidgetArt::rebuildButton, WidgetArt::rebuildButtonPressed, "Rebuild Default Presets"); });
            addRow ("Three slices", 23, []
            {
                auto* b = new SxThreeImageButton ("savePreferenceDoneButton", "Done");
                b->setSize (92, 23);
                return b;
            });
            addRow ("Round rectangle", 26, []
            {
                auto* b = new SxRoundRectangleButton ("applyToPhotoButton", "Apply to Photo", {}, 6,
                                                      0xd4c34fffu, 0xfafafaffu, 0x83701cffu, 0xa69638ffu);
                b->setSize (120, 26);
                return b;
            });
            addRow ("Toolbar", 30, []
            {
                auto* b = new SxMainMenuButton ("getPhotoButton", folderIcon(), "Open");
                b->setSize (50, 30);
                return b;
            }, 0x414141FFu);
            addCheckboxRow ("Checkbox", false);
            addCheckboxRow ("Checkbox, ticked", true);
            addRow ("Cover thumbnail", 50, []
            {
                auto* b = new SxScaleToFillImageButton ("presetThumbnail");
                const auto picture = landscape();
                const auto none = juce::Colours::transparentBlack;
                b->setImages (false, true, true, picture, 0.9f, none, picture, 1.0f, none, picture, 1.0f, juce::Colours::white.withAlpha (0.2f));
                b->setSize (65, 50);
                return b;
            });
        }

        void paint (juce::Graphics& g) override
        {
            g.fillAll (juce::Colour (53, 53, 53));
        }

    private:
        int y = 72;

        static int columnX (int column)  { return 190 + column * 205; }

        void addRow (const juce::String& title, int height, const std::function<juce::Button*()>& make, juce::uint32 bandColour = 0)
        {
            const int rowHeight = juce::jmax (height, 31) + 14;
            if (bandColour != 0)
                place (*this, band (bandColour), at (0, y, getWidth(), rowHeight));
            addLabel (*this, title, at (16, y, 170, rowHeight));

            for (int column = 0; column < 4; ++column)
            {
                auto* button = make();
                place (*this, button, at (columnX (column), y + (rowHeight - button->getHeight()) / 2, button->getWidth(), button->getHeight()));
                show (*button, states[column]);
            }
            y += rowHeight;
        }

        void addCheckboxRow (const juce::String& title, bool ticked)
        {
            const int rowHeight = 45;
            addLabel (*this, title, at (16, y, 170, rowHeight));
            for (int column = 0; column < 4; ++column)
            {
                auto* box = new SxCheckbox ("showToolTipsCheckbox", "Show Tooltips", nullptr);
                box->setChecked (ticked);
                place (*this, box, at (columnX (column), y + 7, 180, 31));
                if (states[column] == State::disabled)
                    box->setEnabled (false);
                else
                    show (box->getTick(), states[column]);
            }
            y += rowHeight;
        }
    };

    const GalleryPage::Registration page { { "buttons", "Buttons: every kind in its normal, over, pressed and disabled state",
                                             [] { return std::make_unique<ButtonsPage>(); } } };
}
