#include "HostedTest.h"
#include "SxColorChipSelectionSlider.h"
#include "SxRelativeBounds.h"

namespace
{
    /** Reads the bound fields whenever it hears anything, as an effect layer does. */
    struct Owner : public juce::Slider::Listener,
                   public SxControlChangedCallback
    {
        Owner (const float& v, const juce::uint32& c) : value (v), colour (c) {}

        void sliderValueChanged (juce::Slider*) override      { log.add ("slider " + juce::String (value, 2)); }
        void controlChanged (juce::Component* c) override      { log.add ("colour " + juce::String::toHexString ((int) colour) + " " + c->getName()); }

        const float& value;
        const juce::uint32& colour;
        juce::StringArray log;
    };

    juce::Point<int> pointOf (juce::Slider& slider, double v)
    {
        return { juce::roundToInt (slider.getPositionOfValue (v)), slider.getHeight() / 2 };
    }

    class ChipSliderTest : public sxgui::HostedTest
    {
    protected:
        /** A row in the effect panel at the right of the window, as the layers show it. */
        SxColorChipSelectionSlider& addRow (juce::uint32& colourField, float& valueField)
        {
            auto* row = new SxColorChipSelectionSlider ("inkFillSlider", nullptr, "Ink Fill", &colourField);
            host.getEffectPanel().addAndMakeVisible (row);
            SxRelativeBounds::apply (*row, "0, 100, left + parent.width, top + 44");
            row->setValuePointer (&valueField);
            return *row;
        }
    };
}

//==============================================================================
TEST_F (ChipSliderTest, TheSwatchShowsSkyBlueUntilTheFirstUpdateThenTheBoundColour)
{
    float inkFill = 0.4f;
    juce::uint32 inkColour = 0x0000FFFFu;
    auto& row = addRow (inkColour, inkFill);

    auto& swatch = row.getColourPicker();
    EXPECT_EQ (swatch.getName(), "inkFillSliderColor");
    EXPECT_EQ (swatch.getBounds(), juce::Rectangle<int> (256 - 45, 16, 44, 23));
    EXPECT_EQ (row.getSlider().getBounds(), juce::Rectangle<int> (5, 10, 256 - 55, 34));
    EXPECT_EQ (row.getLabel().getText(), "Ink Fill");
    EXPECT_EQ (swatch.createComponentSnapshot (swatch.getLocalBounds()).getPixelAt (20, 11), juce::Colour (135, 206, 250));

    row.update();
    EXPECT_EQ (swatch.createComponentSnapshot (swatch.getLocalBounds()).getPixelAt (20, 11), juce::Colour (255, 0, 0));
    EXPECT_NEAR (row.getSlider().getValue(), 0.4, 1.0e-6);
}

TEST_F (ChipSliderTest, APickIsWrittenBeforeTheColourListenerAndADragOnlyTellsTheSliderListener)
{
    float inkFill = 0.4f;
    juce::uint32 inkColour = 0x000000FFu;
    Owner owner (inkFill, inkColour);
    auto& row = addRow (inkColour, inkFill);
    row.addSliderListener (&owner);
    row.listener = &owner;
    row.update();

    // A canvas pick through the swatch's call-out.
    host.getCanvas().setPixel (10, 10, 0x0000FFFFu);
    input.click (row.getColourPicker());
    input.click (host.getCanvas(), { 10, 10 });
    sxgui::drainMessages();
    EXPECT_EQ (inkColour, 0x0000FFFFu);
    EXPECT_EQ (owner.log, juce::StringArray ("colour ffff inkFillSlider"));
    EXPECT_EQ (row.getColourPicker().getCurrentColour(), juce::Colour (255, 0, 0));

    // Closing reports the same colour again: nothing new for the owner.
    input.pressKey (juce::KeyPress (juce::KeyPress::escapeKey));
    EXPECT_EQ (owner.log.size(), 1);

    auto& slider = row.getSlider();
    input.drag (slider, pointOf (slider, 0.4), pointOf (slider, 0.7));
    sxgui::drainMessages();
    EXPECT_NEAR (inkFill, 0.7f, 0.011f);
    ASSERT_EQ (owner.log.size(), 2);
    EXPECT_EQ (owner.log[1], "slider " + juce::String (inkFill, 2));
}
