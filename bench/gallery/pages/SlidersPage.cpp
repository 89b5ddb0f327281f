// Gallery page "sliders": an effect panel's slider rows with stacked and inline captions,
// enabled and disabled; a slider caught mid-drag with its value bubble; and the layer rows'
// bar-style opacity slider at 30 %.

#include "GalleryKit.h"
#include "GalleryPage.h"
#include "SxLabelSlider.h"

namespace
{
    using namespace GalleryKit;

    /** Presses the slider at its thumb and drags it to value, as the mouse would, so the
        framework shows its value bubble. The drag is left in progress. */
    void dragTo (juce::Slider& slider, double value)
    {
        auto source = juce::Desktop::getInstance().getMainMouseSource();
        const auto y = (float) slider.getHeight() * 0.5f;
        const juce::Point<float> from (slider.getPositionOfValue (slider.getValue()), y), to (slider.getPositionOfValue (value), y);
        const auto now = juce::Time::getCurrentTime();
        const juce::ModifierKeys button (juce::ModifierKeys::leftButtonModifier);

        slider.mouseDown ({ source, from, button, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, &slider, &slider, now, from, now, 1, false });
        slider.mouseDrag ({ source, to, button, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, &slider, &slider, now, from, now, 1, true });
    }

    void endDrag (juce::Slider& slider)
    {
        auto source = juce::Desktop::getInstance().getMainMouseSource();
        const juce::Point<float> at (slider.getPositionOfValue (slider.getValue()), (float) slider.getHeight() * 0.5f);
        const auto now = juce::Time::getCurrentTime();
        slider.mouseUp ({ source, at, {}, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, &slider, &slider, now, at, now, 1, true });
    }

    class SlidersPage : public SxComponent
    {
    public:
        SlidersPage() : SxComponent ("slidersPage")
        {
            setSize (600, 520);
            auto& bar = place (*this, band (0x414141FFu), "0, 0, left + parent.width, top + 33");
            addLabel (bar, "Sliders", "16, 0, left + 300, top + 33", 14.0f, true);
            addLabel (bar, juce::String (juce::CharPointer_UTF8 ("stacked and inline captions  \xc2\xb7  disabled  \xc2\xb7  "
                                                                 "value bubble  \xc2\xb7  opacity bar")),
                      "parent.width - 576, 0, left + 560, top + 33", 13.0f, false, juce::Justification::centredRight, captionGrey);

            buildEffectPanel();
            buildDrag();
            buildLayerRows();
        }

        ~SlidersPage() override
        {
            // The bubble belongs to the slider: it goes before the page deletes its children.
            if (dragged != nullptr)
                endDrag (*dragged);
        }

        void paint (juce::Graphics& g) override
        {
            g.fillAll (juce::Colour (53, 53, 53));
        }

    private:
        juce::Slider* dragged = nullptr;

        SxLabelSlider& addSlider (juce::Component& panel, const juce::String& name, const juce::String& caption, bool inlineCaption,
                                  int y, double value, bool enabled = true)
        {
            auto* row = new SxLabelSlider (name, this, caption, inlineCaption);
            panel.addAndMakeVisible (row);
            SxRelativeBounds::apply (*row, "8, " + juce::String (y) + ", parent.width - 8, top + " + (inlineCaption ? "34" : "44"));
            row->getSlider().setValue (value, juce::dontSendNotification);
            row->setSliderEnabled (enabled);
            return *row;
        }

        void buildEffectPanel()
        {
            auto& panel = place (*this, band (0x343434FFu), at (24, 52, 256, 448));
            auto& title = place (panel, band (0x4D4D4DFFu), "0, 0, parent.width, 30");
            addLabel (title, "Stylized Watercolor", "0, 4, parent.width, top + 23", 13.0f, false, juce::Justification::centred);

            addSlider (panel, "overallStrengthSlider", "Overall Strength", false, 40, 0.75);
            addSlider (panel, "colorAreaSlider", "Color Area", false, 88, 0.4);
            addSlider (panel, "paintStrengthSlider", "Paint Strength", false, 136, 0.0);
            addSlider (panel, "sizeSlider", "Size", true, 188, 0.3);
            addSlider (panel, "variationSlider", "Variation", true, 224, 1.0);

            addLabel (panel, "DISABLED", "8, 272, left + 200, top + 16", 11.0f, true, juce::Justification::centredLeft, captionGrey);
            addSlider (panel, "inkOutlineSlider", "Ink Outline", false, 292, 0.6, false);
            addSlider (panel, "outlineDetailSlider", "Outline Detail", true, 340, 0.25, false);

            // A whole row disabled through its parent draws the same way, caption dimmed too.
            auto& group = place (panel, new SxComponent ("inkGroup"), "0, 380, parent.width, top + 60");
            addSlider (group, "inkFillSlider", "Ink Fill", false, 4, 0.45);
            group.setEnabled (false);
        }

        void buildDrag()
        {
            addLabel (*this, "VALUE BUBBLE WHILE DRAGGING", at (312, 330, 256, 16), 11.0f, true, juce::Justification::centredLeft, captionGrey);
            auto& panel = place (*this, band (0x343434FFu), at (312, 352, 256, 148));
            addSlider (panel, "paperTintSlider", "Paper Tint", false, 46, 0.35);
            dragged = &addSlider (panel, "wetEdgesSlider", "Wet Edges", false, 94, 0.35).getSlider();
            dragTo (*dragged, 0.62);
        }

        void buildLayerRows()
        {
            addLabel (*this, "LAYER OPACITY BARS", at (312, 52, 256, 16), 11.0f, true, juce::Justification::centredLeft, captionGrey);
            auto& panel = place (*this, band (0x343434FFu), at (312, 74, 256, 196));

            const char* names[] = { "Stylized Watercolor", "Abstract Watercolor", "Ink Outline" };
            const double opacities[] = { 0.3, 1.0, 0.55 };

            for (int i = 0; i < 3; ++i)
            {
                const int y = 12 + i * 60;
                auto& row = place (panel, band (i == 0 ? 0x464646FFu : 0x3C3C3CFFu), at (8, y, 240, 52));
                addLabel (row, names[i], "10, 4, left + 240, top + 20", 13.0f);

                auto* bar = new SxSliderBase ("layerOpacitySlider");
                bar->setSliderStyle (juce::Slider::LinearBar);
                bar->setRange (0.0, 1.0, 0.01);
                bar->setTextValueSuffix (" %");
                bar->setColour (juce::Slider::thumbColourId, juce::Colour (79, 195, 212).withMultipliedBrightness (0.7f));
                bar->setColour (juce::Slider::backgroundColourId, juce::Colour (40, 40, 40));
                bar->setColour (juce::Slider::textBoxTextColourId, juce::Colour (250, 250, 250));
                bar->setColour (juce::Slider::textBoxOutlineColourId, juce::Colour (28, 28, 28));
                bar->setValue (opacities[i], juce::dontSendNotification);
                bar->setEnabled (i != 2);
                place (row, bar, "10, 27, parent.width - 10, top + 18");
            }
        }
    };

    const GalleryPage::Registration page { { "sliders", "Sliders: captions, disabled, value bubble, opacity bars",
                                             [] { return std::make_unique<SlidersPage>(); } } };
}
