#include "SxSliderLookAndFeel.h"

#include "SxKeyboardFocusMark.h"
#include "SxSliderBase.h"
#include "SxSliderLabelComp.h"
#include "SxWidgetArt.h"

#include <juce_gui_extra/juce_gui_extra.h>

namespace
{
    const juce::Colour trackFilled (79, 195, 212), trackRemaining (168, 173, 176);
    const juce::Colour disabledTrackFilled (28, 112, 131), disabledTrackRemaining (115, 120, 122);

    bool isBarStyle (juce::Slider::SliderStyle style)
    {
        return style == juce::Slider::LinearBar || style == juce::Slider::LinearBarVertical;
    }

    /** The shared instance goes with the framework's other singletons at shutdown. */
    class SharedSliderLookAndFeel : public SxSliderLookAndFeel,
                                    public juce::DeletedAtShutdown
    {
    public:
        ~SharedSliderLookAndFeel() override;
    };

    SharedSliderLookAndFeel* shared = nullptr;

    SharedSliderLookAndFeel::~SharedSliderLookAndFeel()
    {
        if (shared == this)
            shared = nullptr;
    }
}

SxSliderLookAndFeel& getSharedSliderLookAndFeel()
{
    JUCE_ASSERT_MESSAGE_THREAD

    if (shared == nullptr)
        shared = new SharedSliderLookAndFeel();

    return *shared;
}

SxSliderLookAndFeel::SxSliderLookAndFeel()
    : thumb (SxWidgetArt::get (WidgetArt::sliderThumb))
{
    setColour (juce::ColourSelector::labelTextColourId, juce::Colours::white);

    // The value bubble: light text on a dark body, like the panels it floats over.
    setColour (juce::BubbleComponent::backgroundColourId, juce::Colour (30, 30, 30).withAlpha (0.94f));
    setColour (juce::BubbleComponent::outlineColourId, juce::Colours::white.withAlpha (0.22f));
    setColour (juce::TooltipWindow::textColourId, juce::Colour (250, 250, 250));
}

void SxSliderLookAndFeel::drawLinearSlider (juce::Graphics& g, int x, int y, int width, int height,
                                            float sliderPos, float minSliderPos, float maxSliderPos,
                                            juce::Slider::SliderStyle style, juce::Slider& slider)
{
    g.fillAll (slider.findColour (juce::Slider::backgroundColourId));

    if (! isBarStyle (style))
    {
        drawLinearSliderBackground (g, x, y, width, height, sliderPos, minSliderPos, maxSliderPos, style, slider);
        drawLinearSliderThumb (g, x, y, width, height, sliderPos, minSliderPos, maxSliderPos, style, slider);
        return;
    }

    // A flat bar from the start of the range to the value.
    const bool enabled = slider.isEnabled();
    auto colour = slider.findColour (juce::Slider::thumbColourId)
                        .withMultipliedSaturation (enabled ? 1.0f : 0.5f)
                        .withMultipliedSaturation (0.9f);

    if ((slider.isMouseOverOrDragging() && enabled) || slider.isMouseButtonDown())
        colour = colour.contrasting (0.2f);

    g.setColour (colour);

    if (style == juce::Slider::LinearBarVertical)
        g.fillRect (juce::Rectangle<float> ((float) x, sliderPos, (float) width, (float) (y + height) - sliderPos));
    else
        g.fillRect (juce::Rectangle<float> ((float) x, (float) y, sliderPos - (float) x, (float) height));
}

void SxSliderLookAndFeel::drawLinearSliderBackground (juce::Graphics& g, int x, int y, int width, int height,
                                                      float sliderPos, float, float,
                                                      juce::Slider::SliderStyle, juce::Slider& slider)
{
    const auto r = (float) (getSliderThumbRadius (slider) - 2);
    const bool enabled = slider.isEnabled();
    const auto filled = enabled ? trackFilled : disabledTrackFilled;

    if (slider.isHorizontal())
    {
        const float iy = (float) y + (float) height * 0.5f - 2.0f;
        g.setColour (filled);
        g.fillRoundedRectangle ((float) x - r * 0.5f, iy, (float) width + r, 2.0f, 1.0f);
        g.setColour (enabled ? trackRemaining : disabledTrackRemaining);
        g.fillRoundedRectangle (sliderPos + r * 0.5f, iy, (float) width - (sliderPos - (float) x - r * 0.5f), 2.0f, 1.0f);
    }
    else
    {
        const float ix = (float) x + (float) width * 0.5f - r * 0.5f;
        g.setColour (filled);
        g.fillRoundedRectangle (ix, (float) y - r * 0.5f, r, (float) height + r, 2.0f);
    }
}

void SxSliderLookAndFeel::drawLinearSliderThumb (juce::Graphics& g, int x, int y, int width, int height,
                                                 float sliderPos, float, float,
                                                 juce::Slider::SliderStyle style, juce::Slider& slider)
{
    if (style != juce::Slider::LinearHorizontal && style != juce::Slider::LinearVertical)
        return;

    const auto centre = style == juce::Slider::LinearHorizontal
                          ? juce::Point<float> (sliderPos, (float) y + (float) height * 0.5f)
                          : juce::Point<float> ((float) x + (float) width * 0.5f, sliderPos);
    const auto half = (float) thumbSize * 0.5f;
    const juce::Rectangle<int> square ((int) (centre.x - half), (int) (centre.y - half), thumbSize, thumbSize);

    g.setOpacity (slider.isEnabled() ? 1.0f : 0.5f);
    g.drawImage (thumb, square.getX(), square.getY(), thumbSize, thumbSize, 0, 0, thumb.getWidth(), thumb.getHeight());

    if (auto* base = dynamic_cast<SxSliderBase*> (&slider); base != nullptr && base->showsKeyboardFocus())
    {
        g.setOpacity (1.0f);
        const auto ring = square.toFloat().expanded (2.25f);
        SxKeyboardFocusMark::draw (g, ring, ring.getWidth() * 0.5f);
    }
}

juce::Label* SxSliderLookAndFeel::createSliderTextBox (juce::Slider& slider)
{
    const bool bar = isBarStyle (slider.getSliderStyle());
    auto* label = new SxSliderLabelComp();
    label->setFont (juce::Font (11.0f));
    label->setJustificationType (juce::Justification::centred);
    label->setKeyboardType (juce::TextInputTarget::decimalKeyboard);

    const auto text = slider.findColour (juce::Slider::textBoxTextColourId);
    const auto background = slider.findColour (juce::Slider::textBoxBackgroundColourId);
    const auto outline = slider.findColour (juce::Slider::textBoxOutlineColourId);

    label->setColour (juce::Label::textColourId, text);
    label->setColour (juce::Label::backgroundColourId, bar ? juce::Colours::transparentBlack : background);
    label->setColour (juce::Label::outlineColourId, outline);
    label->setColour (juce::TextEditor::textColourId, text);
    label->setColour (juce::TextEditor::backgroundColourId, background.withAlpha (bar ? 0.7f : 1.0f));
    label->setColour (juce::TextEditor::outlineColourId, outline);
    label->setColour (juce::TextEditor::highlightColourId, slider.findColour (juce::Slider::textBoxHighlightColourId));
    return label;
}
