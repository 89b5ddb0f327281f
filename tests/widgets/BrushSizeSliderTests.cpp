#include "HostedTest.h"
#include "SxBrushSizeLabelSlider.h"
#include "SxRelativeBounds.h"

namespace
{
    juce::Point<int> pointOf (juce::Slider& slider, double v)
    {
        return { juce::roundToInt (slider.getPositionOfValue (v)), slider.getHeight() / 2 };
    }

    /** Reads the bound size whenever it hears anything, as the wizard does. */
    struct Owner : public juce::Slider::Listener
    {
        explicit Owner (const float& s) : size (s) {}
        void sliderValueChanged (juce::Slider*) override  { log.add ("slider " + juce::String (size, 2)); }

        const float& size;
        juce::StringArray log;
    };

    /** The selective-mask wizard's slider where the wizard puts it, in the effect panel at
        the right of the window. */
    class BrushSliderTest : public sxgui::HostedTest
    {
    protected:
        void SetUp() override
        {
            HostedTest::SetUp();
            row = new SxBrushSizeLabelSlider ("brushSizeSlider", nullptr, "Brush Size", false);
            host.getEffectPanel().addAndMakeVisible (row);
            SxRelativeBounds::apply (*row, "14, 58, left + 222, top + 46");
            row->getSlider().setRange (10.0, 200.0, 0.01);
            row->setValuePointer (&brushSize);
            row->addSliderListener (&owner);
            row->update();
        }

        float brushSize = 30.0f;
        Owner owner { brushSize };
        SxBrushSizeLabelSlider* row = nullptr;
    };
}

//==============================================================================
TEST (BrushPreviewBox, TheDiscIsNinetyPercentLessTwoAndNeverNegative)
{
    const std::pair<int, float> cases[] = { { 10, 7.0f }, { 200, 178.0f }, { 100, 88.0f }, { 3, 0.7f },
                                            { 2, 0.0f }, { 1, 0.0f }, { 0, 0.0f }, { -5, 0.0f } };

    for (const auto& [size, diameter] : cases)
        EXPECT_NEAR (SxBrushPreviewBox::discDiameter (size), diameter, 1.0e-4f) << size;
}

TEST (BrushPreviewBox, PaintsAWhiteDiscCentredOnWhatLiesBelow)
{
    for (const int size : { 10, 200 })
    {
        SxColorComponent square;
        square.setColour (0x000000FFu);
        square.setSize (150, 150);
        SxBrushPreviewBox box (size);
        square.addAndMakeVisible (box);
        box.setBounds (0, 0, 150, 150);
        bool clicks = true, childClicks = true;
        box.getInterceptsMouseClicks (clicks, childClicks);
        EXPECT_FALSE (clicks || childClicks);

        const auto image = square.createComponentSnapshot (square.getLocalBounds());
        EXPECT_EQ (image.getPixelAt (75, 75), juce::Colours::white) << size;
        // 7 pixels wide at 10: black 5 pixels from the centre; at 200 the disc fills the box.
        EXPECT_EQ (image.getPixelAt (80, 75), size == 10 ? juce::Colours::black : juce::Colours::white) << size;
        EXPECT_EQ (image.getPixelAt (0, 0), juce::Colours::black) << size;
        EXPECT_EQ (image.getPixelAt (0, 75), size == 10 ? juce::Colours::black : juce::Colours::white) << size;   // cut by the box
        square.removeChildComponent (&box);
    }
}

TEST_F (BrushSliderTest, DraggingWritesAndReportsEveryChangeAndShowsTheBrushBeside)
{
    auto& slider = row->getSlider();
    input.press (slider, pointOf (slider, 30.0));
    input.moveTo (slider, pointOf (slider, 100.0));

    EXPECT_NEAR (brushSize, 100.0f, 1.0f);                               // written while dragging
    EXPECT_TRUE (owner.log.contains ("slider " + juce::String (brushSize, 2)));
    auto* preview = row->getPreview();
    ASSERT_NE (preview, nullptr);
    EXPECT_EQ (preview->getParentComponent(), &host);
    EXPECT_FALSE (preview->isCurrentlyModal (false));
    EXPECT_EQ (preview->getSide(), SxCallOutPlacement::Side::left);      // the panel is at the right edge
    EXPECT_EQ (preview->getBorderSize(), 20);
    EXPECT_EQ (preview->getBounds().getRight(), 768 + 14 + 20);
    EXPECT_EQ (row->getPreviewBox()->getBrushSize(), (int) slider.getValue());

    input.moveTo (slider, pointOf (slider, 200.0));
    EXPECT_EQ (row->getPreview(), preview);                               // the same preview follows
    EXPECT_EQ (row->getPreviewBox()->getBrushSize(), 200);
    input.release (slider, pointOf (slider, 200.0));
    EXPECT_EQ (brushSize, 200.0f);
}

TEST_F (BrushSliderTest, ThePreviewGoesASecondAfterTheLastChangeEvenWithTheButtonHeld)
{
    auto& slider = row->getSlider();
    input.press (slider, pointOf (slider, 30.0));
    input.moveTo (slider, pointOf (slider, 60.0));
    juce::WeakReference<juce::Component> box (row->getPreview());
    ASSERT_NE (box.get(), nullptr);
    ASSERT_TRUE (row->isTimerRunning (SxBrushSizeSlider::closePreviewTimer));

    EXPECT_TRUE (sxgui::fireTimer (*row, SxBrushSizeSlider::closePreviewTimer));

    EXPECT_EQ (box.get(), nullptr);                                       // released, not only hidden
    EXPECT_EQ (row->getPreview(), nullptr);
    EXPECT_EQ (row->getPreviewBox(), nullptr);
    EXPECT_FALSE (row->isTimerRunning (SxBrushSizeSlider::closePreviewTimer));
    EXPECT_TRUE (host.isToolbarEnabled());

    // The next change brings it back; destroying the slider takes it away.
    input.moveTo (slider, pointOf (slider, 90.0));
    box = row->getPreview();
    ASSERT_NE (box.get(), nullptr);
    input.release (slider, pointOf (slider, 90.0));

    delete row;
    EXPECT_EQ (box.get(), nullptr);
}

TEST_F (BrushSliderTest, APreviewDeletedWithTheMainComponentsChildrenIsNotDeletedAgain)
{
    row->getSlider().setValue (50.0, juce::sendNotificationSync);
    juce::WeakReference<juce::Component> box (row->getPreview());
    ASSERT_NE (box.get(), nullptr);

    delete box.get();
    EXPECT_EQ (row->getPreview(), nullptr);

    row->getSlider().setValue (70.0, juce::sendNotificationSync);
    EXPECT_NE (row->getPreview(), nullptr);
    EXPECT_EQ (row->getPreviewBox()->getBrushSize(), 70);
    delete row;
}
