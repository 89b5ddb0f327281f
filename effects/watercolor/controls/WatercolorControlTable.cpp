#include "WatercolorControlTable.h"

namespace WatercolorControlTable
{
    namespace
    {
        using S = WatercolorSettings;

        SliderRow slider (const char* name, const char* key, float S::* field, const char* help)
        {
            return { name, key, field, help };
        }

        SliderRow slider (const char* name, const char* key, float S::* field, const char* help,
                          double minimum, double maximum, double interval)
        {
            return { name, key, field, help, true, minimum, maximum, interval };
        }
    }

    const std::vector<SliderRow>& allSliders()
    {
        static const std::vector<SliderRow> sliders {
            slider ("overallStrengthSlider",  "overallStrength",   &S::overallStrength,
                    "Controls how strong the effect is. A 0 value will be the original image and a value of 100 will be the effect. Anything in between will be partial."),
            slider ("edgeSizeSlider",         "mEdge",             &S::mEdge,
                    "Change how much of the image is covered in watercolor."),
            slider ("strengthSlider",         "mStrength",         &S::mStrength,
                    "Change the opacity of the watercolor effect."),
            slider ("paintFillSlider",        "paintFill",         &S::paintFill,
                    "Change how much of the image is covered in watercolor."),
            slider ("paintSizeSlider",        "paintSize",         &S::paintSize,
                    "How large are the watercolor droplets."),
            slider ("variationSlider",        "mVariation",        &S::mVariation,
                    "Change how the paint looks in the selected area."),
            slider ("hueShiftSlider",         "hueShift",          &S::hueShift,
                    "Change the color of the watercolor.", -50.0, 50.0, 0.0),
            slider ("paintVibrancy",          "saturation",        &S::saturation,
                    "Vibrancy of the watercolor."),
            slider ("wetEdgeSizeSlider",      "mWetEdge",          &S::mWetEdge,
                    "Change the size of the area around the watercolor effect creating a 'wet' look."),
            slider ("outlineSlider",          "mOutline",          &S::mOutline,
                    "Move slider right to increase outlined areas."),
            slider ("outlineDetailSlider",    "mOutlineDetail",    &S::mOutlineDetail,
                    "Use this to increase detail in outlined areas."),
            slider ("outlineThresholdSlider", "mOutlineThreshold", &S::mOutlineThreshold,
                    "Increases ink amount in darker areas of the image."),
            slider ("sepiaStrengthSlider",    "sepiaStrength",     &S::sepiaStrength,
                    "Change the ink color for Ink Outline, Ink Outline Detail and Ink Fill. Move slider right to increase ink strength."),
        };
        return sliders;
    }

    const SliderRow* sliderNamed (const juce::String& componentName)
    {
        for (const auto& row : allSliders())
            if (componentName == row.componentName)
                return &row;
        return nullptr;
    }

    std::vector<Row> rowsOf (Effect effect)
    {
        const char* shiftOrVibrancy = effect == Effect::abstract ? "paintVibrancy" : "hueShiftSlider";

        return {
            { RowKind::slider,     "overallStrengthSlider" },
            { RowKind::colorArea,  nullptr, nullptr, -10 },
            { RowKind::maskHolder },
            { RowKind::slider,     "edgeSizeSlider" },
            { RowKind::slider,     "strengthSlider" },
            { RowKind::sliderPair, "paintFillSlider", "paintSizeSlider" },
            { RowKind::sliderPair, "variationSlider", shiftOrVibrancy },
            { RowKind::slider,     "wetEdgeSizeSlider" },
            { RowKind::sliderPair, "outlineSlider", "outlineDetailSlider" },
            { RowKind::slider,     "outlineThresholdSlider" },
            { RowKind::inkColour,  "sepiaStrengthSlider" },
            { RowKind::background, nullptr, nullptr, -20 },
            { RowKind::border },
        };
    }

    GenericImageList::Variant thumbnailPicker()
    {
        GenericImageList::Variant variant;
        variant.callOutBounds = "0, 0, left + parent.width, top + parent.height";
        return variant;
    }

    const juce::StringArray& colorAreaChoices()
    {
        static const juce::StringArray choices { "Dark", "Mid", "Light", "Full", "Mask" };
        return choices;
    }

    RowVisibility rowsShownFor (int colorArea) noexcept
    {
        if (colorArea < S::full)
            return { false, true, true };
        if (colorArea == S::full)
            return { false, false, false };
        return { true, true, false };
    }
}
