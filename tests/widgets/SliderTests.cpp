#include "CommaDecimalLocale.h"
#include "HostedTest.h"
#include "SxLabelSlider.h"
#include "SxSliderLabelComp.h"
#include "SxSliderLookAndFeel.h"

#include <juce_gui_extra/juce_gui_extra.h>

namespace
{
    /** An owner as the effect layers are: it reads the bound field whenever it hears anything. */
    struct Owner : public juce::Slider::Listener
    {
        explicit Owner (const float& f) : field (f) {}

        void sliderValueChanged (juce::Slider*) override  { log.add ("changed " + text()); }
        void sliderDragStarted (juce::Slider*) override   { log.add ("drag started " + text()); }
        void sliderDragEnded (juce::Slider*) override     { log.add ("drag ended " + text()); }

        juce::String text() const  { return juce::String (field, 2); }

        const float& field;
        juce::StringArray log;
    };

    struct TextCase { double minimum, maximum; double value; const char* text; };
    struct ParseCase { double minimum, maximum; const char* suffix; const char* text; double value; };

    void expectTextConversions()
    {
        const TextCase toText[] = {
            { 0, 1, 0.5, "50" },   { 0, 1, 0.125, "12" },  { 0, 1, 0.375, "38" },   // halves go to the even neighbour
            { 0, 1, 0.0, "0" },    { 0, 1, 1.0, "100" },   { 10, 200, 73.6, "74" },
            { 0, 2.99, 1.5, "150" }, { 0, 3, 1.5, "2" },   { 0, 3, 2.4, "2" },
        };

        for (const auto& c : toText)
        {
            SxSliderBase slider ("s");
            slider.setRange (c.minimum, c.maximum);
            EXPECT_EQ (slider.getTextFromValue (c.value), c.text) << c.value << " on " << c.minimum << ".." << c.maximum;
        }

        const ParseCase toValue[] = {
            { 0, 1, "%", "+ 75%", 0.75 },   { 0, 1, "%", "75", 0.75 },     { 0, 1, "", "  12.5", 0.125 },
            { 0, 1, "", "abc", 0.0 },        { 0, 1, "", "", 0.0 },          { 0, 1, "", "40 apples", 0.4 },
            { 0, 1, "", "++ 20", 0.2 },      { 0, 1, "", "1,5", 0.01 },      { 0, 2.99, "", "150", 1.5 },
            { 0, 3, "", "2", 2.0 },          { 10, 200, "", "73.6", 73.6 },  { 0, 1, "%", "-5%", -0.05 },
        };

        for (const auto& c : toValue)
        {
            SxSliderBase slider ("s");
            slider.setRange (c.minimum, c.maximum);
            slider.setTextValueSuffix (c.suffix);
            EXPECT_DOUBLE_EQ (slider.getValueFromText (c.text), c.value) << "\"" << c.text << "\"";
        }

        SxSliderBase suffixed ("s");
        suffixed.setRange (0.0, 1.0);
        suffixed.setTextValueSuffix (" %");
        EXPECT_EQ (suffixed.getTextFromValue (0.5), "50 %");
    }

    class SliderTest : public sxgui::HostedTest
    {
    protected:
        /** Where value v lies along the inner slider, in its own coordinates. */
        static juce::Point<int> pointOf (juce::Slider& slider, double v)
        {
            return { juce::roundToInt (slider.getPositionOfValue (v)), slider.getHeight() / 2 };
        }
    };
}

TEST (SliderText, WholeNumbersAndPercentagesBothWays)
{
    expectTextConversions();
}

TEST (SliderText, ReadTheSameUnderACommaDecimalLocale)
{
    CommaDecimalLocale locale;
    if (! locale.isActive())
        GTEST_SKIP() << "no comma-decimal locale installed (scripts/setup.sh generates de_DE.UTF-8)";
    expectTextConversions();
}

TEST_F (SliderTest, ADragWritesTheFieldOnceOnReleaseBeforeTheOwnerHears)
{
    float strength = 0.25f;
    Owner owner (strength);
    auto& row = add (new SxLabelSlider ("overallStrengthSlider", nullptr, "Overall Strength", false), { 20, 60, 240, 44 });
    row.setValuePointer (&strength);
    row.addSliderListener (&owner);
    row.update();
    auto& slider = row.getSlider();
    ASSERT_DOUBLE_EQ (slider.getValue(), 0.25);

    input.press (slider, pointOf (slider, 0.25));
    input.moveTo (slider, pointOf (slider, 0.5));
    input.moveTo (slider, pointOf (slider, 0.8));
    sxgui::drainMessages();

    // While dragging: the thumb and the bubble move, the model and the owner are left alone.
    EXPECT_NEAR (slider.getValue(), 0.8, 0.006);
    EXPECT_EQ (strength, 0.25f);
    EXPECT_EQ (owner.log, juce::StringArray ("drag started 0.25"));
    ASSERT_NE (slider.getCurrentPopupDisplay(), nullptr);
    EXPECT_EQ (slider.getCurrentPopupDisplay()->getParentComponent(), &host);   // inside the main component

    input.release (slider, pointOf (slider, 0.8));
    EXPECT_EQ (strength, (float) slider.getValue());
    EXPECT_EQ (owner.log, juce::StringArray ({ "drag started 0.25", "drag ended 0.80" }));
    EXPECT_EQ (slider.getCurrentPopupDisplay(), nullptr);

    sxgui::drainMessages();
    EXPECT_EQ (owner.log, juce::StringArray ({ "drag started 0.25", "drag ended 0.80", "changed 0.80" }));

    // A press and release that change nothing report only the drag.
    owner.log.clear();
    input.click (slider, pointOf (slider, 0.8));
    sxgui::drainMessages();
    EXPECT_EQ (owner.log, juce::StringArray ({ "drag started 0.80", "drag ended 0.80" }));
}

TEST_F (SliderTest, UpdateShowsTheFieldWithoutTellingAnybody)
{
    float tint = 0.1f;
    Owner owner (tint);
    auto& row = add (new SxSlider ("tintSlider", nullptr), { 20, 60, 200, 20 });
    row.addSliderListener (&owner);

    row.update();                                 // unbound: nothing read
    EXPECT_DOUBLE_EQ (row.getSlider().getValue(), 0.5);

    row.setValuePointer (&tint);
    tint = 0.7f;                                  // an undo, a preset
    row.update();
    sxgui::drainMessages();
    EXPECT_NEAR (row.getSlider().getValue(), 0.7, 1e-6);
    EXPECT_EQ (tint, 0.7f);
    EXPECT_TRUE (owner.log.isEmpty());
}

TEST_F (SliderTest, AnUnboundSliderStillReports)
{
    float nothing = 0.0f;
    Owner owner (nothing);
    auto& row = add (new SxSlider ("unbound", nullptr), { 20, 60, 200, 20 });
    row.addSliderListener (&owner);
    input.drag (row.getSlider(), pointOf (row.getSlider(), 0.5), pointOf (row.getSlider(), 0.2));
    sxgui::drainMessages();
    EXPECT_NEAR (row.getSlider().getValue(), 0.2, 0.006);
    EXPECT_TRUE (owner.log.contains ("changed 0.00"));
}

TEST_F (SliderTest, ArrowKeysStepByOneIntervalWritingBeforeReporting)
{
    float size = 0.5f;
    Owner owner (size);
    auto& row = add (new SxLabelSlider ("sizeSlider", nullptr, "Size", true), { 20, 60, 240, 34 });
    row.setValuePointer (&size);
    row.addSliderListener (&owner);
    auto& slider = row.getSlider();

    input.click (slider, pointOf (slider, 0.5));  // a click takes the focus, and shows no ring
    ASSERT_TRUE (slider.hasKeyboardFocus (false));
    EXPECT_FALSE (slider.showsKeyboardFocus());
    owner.log.clear();

    EXPECT_TRUE (input.pressKey (juce::KeyPress (juce::KeyPress::rightKey)));
    EXPECT_NEAR (size, 0.51f, 1e-6f);
    EXPECT_EQ (owner.log, juce::StringArray ("changed 0.51"));   // at once, the field already written

    input.pressKey (juce::KeyPress (juce::KeyPress::leftKey));
    input.pressKey (juce::KeyPress (juce::KeyPress::leftKey));
    EXPECT_NEAR (size, 0.49f, 1e-6f);
    EXPECT_EQ (owner.log.size(), 3);
}

TEST_F (SliderTest, TabMovesTheFocusFromSliderToSliderWithAVisibleRing)
{
    auto& first = add (new SxLabelSlider ("first", nullptr, "Paint Strength", false), { 20, 60, 240, 44 });
    auto& second = add (new SxLabelSlider ("second", nullptr, "Wet Edges", false), { 20, 110, 240, 44 });
    EXPECT_EQ (first.getSlider().getTitle(), "Paint Strength");
    EXPECT_FALSE (first.getLabel().isAccessible());

    first.getSlider().grabKeyboardFocus();
    EXPECT_TRUE (input.pressKey (juce::KeyPress (juce::KeyPress::tabKey)));
    EXPECT_TRUE (second.getSlider().hasKeyboardFocus (false));
    EXPECT_TRUE (second.getSlider().showsKeyboardFocus());

    input.press (second.getSlider(), pointOf (second.getSlider(), 0.5));   // a press hides it
    EXPECT_FALSE (second.getSlider().showsKeyboardFocus());
    input.release (second.getSlider(), pointOf (second.getSlider(), 0.5));
}

TEST_F (SliderTest, TheWheelDoesNothing)
{
    auto& row = add (new SxSlider ("s", nullptr), { 20, 60, 200, 20 });
    EXPECT_FALSE (row.getSlider().isScrollWheelEnabled());
    SxSliderBase bare ("opacity");
    EXPECT_FALSE (bare.isScrollWheelEnabled());
    EXPECT_EQ (bare.getTextBoxPosition(), juce::Slider::TextBoxLeft);   // the framework's default text box
}

TEST_F (SliderTest, CaptionsSitAboveOrBesideTheSlider)
{
    auto& panel = add (new SxComponent ("panel"), { 10, 40, 250, 300 });
    auto& stacked = *new SxLabelSlider ("stacked", nullptr, "Overall Strength", false);
    panel.addAndMakeVisible (stacked);
    EXPECT_EQ (stacked.getBounds(), juce::Rectangle<int> (0, 0, 250, 44));
    EXPECT_EQ (stacked.getLabel().getBounds(), juce::Rectangle<int> (0, 0, 190, 23));
    EXPECT_EQ (stacked.getSlider().getBounds(), juce::Rectangle<int> (5, 10, 245, 34));

    const int w = stacked.getLabel().getTextWidth();
    stacked.setInlineLabel (true);
    EXPECT_EQ (stacked.getHeight(), 44);          // the row keeps its height
    EXPECT_EQ (stacked.getLabel().getPosition(), juce::Point<int> (0, 5));
    EXPECT_EQ (stacked.getSlider().getBounds(), juce::Rectangle<int> (w, 2, 250 - w, 34));

    auto* inlined = new SxLabelSlider ("inline", nullptr, "Size", true);
    panel.addAndMakeVisible (inlined);
    EXPECT_EQ (inlined->getBounds(), juce::Rectangle<int> (0, 0, 250, 34));

    panel.setSize (300, 300);                     // rows follow their panel
    EXPECT_EQ (inlined->getWidth(), 300);
    EXPECT_EQ (inlined->getSlider().getRight(), 300);
}

TEST_F (SliderTest, ADisabledSliderDarkensItsTrackAndHalvesItsThumb)
{
    auto& row = add (new SxSlider ("s", nullptr), { 20, 60, 205, 20 });
    auto& slider = row.getSlider();
    slider.setValue (0.5, juce::dontSendNotification);
    const auto thumbX = juce::roundToInt (slider.getPositionOfValue (0.5));
    const int trackY = slider.getHeight() / 2 - 2;

    const auto probe = [&]
    {
        const auto image = slider.createComponentSnapshot (slider.getLocalBounds());
        return std::array<juce::Colour, 3> { image.getPixelAt (thumbX - 40, trackY), image.getPixelAt (thumbX + 40, trackY),
                                             image.getPixelAt (thumbX, slider.getHeight() / 2) };
    };

    const auto enabled = probe();
    EXPECT_EQ (enabled[0], juce::Colour (79, 195, 212));
    EXPECT_EQ (enabled[1], juce::Colour (168, 173, 176));
    EXPECT_EQ (enabled[2].getAlpha(), 255);

    row.setSliderEnabled (false);
    const auto disabled = probe();
    EXPECT_EQ (disabled[0], juce::Colour (28, 112, 131));
    EXPECT_EQ (disabled[1], juce::Colour (115, 120, 122));
    EXPECT_NEAR (disabled[2].getAlpha(), 128, 2);

    // A disabled row disables its slider the same way.
    row.setSliderEnabled (true);
    row.setEnabled (false);
    EXPECT_EQ (probe()[0], juce::Colour (28, 112, 131));
}

TEST_F (SliderTest, ABarFillsFlatFromTheLeftToTheValue)
{
    auto& bar = add (new SxSliderBase ("layerOpacitySlider"), { 20, 60, 202, 18 });
    bar.setSliderStyle (juce::Slider::LinearBar);
    bar.setTextBoxStyle (juce::Slider::NoTextBox, false, 0, 0);
    bar.setRange (0.0, 1.0);
    bar.setValue (0.3, juce::dontSendNotification);
    const juce::Colour thumb (200, 120, 60);
    bar.setColour (juce::Slider::thumbColourId, thumb);

    const auto image = bar.createComponentSnapshot (bar.getLocalBounds());
    const auto expected = thumb.withMultipliedSaturation (0.9f);
    const auto near = [] (juce::Colour a, juce::Colour b)
    {
        return std::abs (a.getRed() - b.getRed()) <= 1 && std::abs (a.getGreen() - b.getGreen()) <= 1
            && std::abs (a.getBlue() - b.getBlue()) <= 1 && a.getAlpha() == b.getAlpha();
    };
    int filled = 0;

    for (int x = 1; x < image.getWidth() - 1; ++x)     // inside the framework's outline
        if (image.getPixelAt (x, 9).getAlpha() > 128)
            ++filled;

    EXPECT_EQ (filled, 60);                       // 30 % of the 200 pixels inside the 1-pixel border
    for (int y = 1; y < 17; ++y)
        for (int x : { 1, 30, 60 })
            EXPECT_TRUE (near (image.getPixelAt (x, y), expected)) << x << ", " << y;

    // Disabled, half the saturation.
    bar.setEnabled (false);
    const auto dimmed = bar.createComponentSnapshot (bar.getLocalBounds()).getPixelAt (30, 9);
    EXPECT_TRUE (near (dimmed, thumb.withMultipliedSaturation (0.45f))) << dimmed.toDisplayString (true);
}

TEST_F (SliderTest, TheValueBoxKeepsTheWheelToItself)
{
    auto& bar = add (new SxSliderBase ("layerOpacitySlider"), { 20, 60, 120, 18 });
    bar.setSliderStyle (juce::Slider::LinearBar);
    auto* box = dynamic_cast<SxSliderLabelComp*> (bar.getChildComponent (0));
    ASSERT_NE (box, nullptr);
    EXPECT_EQ (box->getFont().getHeight(), 11.0f);
    EXPECT_EQ (box->findColour (juce::Label::backgroundColourId), juce::Colours::transparentBlack);
    EXPECT_EQ (box->getText(), "0");
}

TEST (SharedSliderLookAndFeel, GoesWithTheFrameworkAtShutdownAndComesBackWhenAskedAgain)
{
    auto& first = getSharedSliderLookAndFeel();
    EXPECT_EQ (&getSharedSliderLookAndFeel(), &first);
    EXPECT_EQ (first.findColour (juce::ColourSelector::labelTextColourId), juce::Colours::white);
    const juce::WeakReference<juce::LookAndFeel> shared (&first);

    auto slider = std::make_unique<SxSliderBase> ("s");
    slider->setBounds (0, 0, 100, 20);
    EXPECT_EQ (&slider->getLookAndFeel(), shared.get());

    // What the framework's shutdown runs; the singletons it deletes come back on demand.
    juce::DeletedAtShutdown::deleteAll();
    EXPECT_EQ (shared.get(), nullptr);
    slider->createComponentSnapshot (slider->getLocalBounds());   // a slider still alive draws in the default look

    slider->setSliderEnabled (true);              // asks for the shared one again: a new one
    EXPECT_EQ (&slider->getLookAndFeel(), static_cast<juce::LookAndFeel*> (&getSharedSliderLookAndFeel()));
}
