#include <gtest/gtest.h>

#include "AbstractWaterColor.h"
#include "GoldenImage.h"
#include "RenderParameters.h"
#include "WatercolorTestSupport.h"
#include "StylizedWatercolor.h"
#include "WatercolorFactoryPresets.h"


namespace
{

    struct GoldenCase
    {
        const char* effect;
        int preset;   // 1-based factory preset
    };

    void PrintTo (const GoldenCase& c, std::ostream* os) { *os << c.effect << " " << c.preset; }

    std::unique_ptr<StylizedWatercolor> makeLayer (const juce::String& effect)
    {
        if (effect == "Abstract")
            return std::make_unique<AbstractWaterColor>();
        return std::make_unique<StylizedWatercolor>();
    }
}

class WatercolorGolden : public ::testing::TestWithParam<GoldenCase> {};

TEST_P (WatercolorGolden, FactoryPresetOnTheFixtureMatchesItsGolden)
{
    const auto c = GetParam();
    auto layer = makeLayer (c.effect);
    layer->getSettings() = WatercolorSettings();
    layer->applyTextPreset (WatercolorFactoryPresets::getPresetFiles (c.effect)[(size_t) c.preset - 1].text);

    SxImageRgbaBytes input (sxtest::makeScene (320, 240));
    RenderParameters params;
    params.image = &input;
    params.renderScale = 320.0f / 1024.0f;
    layer->render (params);

    const auto name = juce::String (c.effect) + "-" + juce::String (c.preset).paddedLeft ('0', 2);
    const auto result = sxtest::checkGolden (layer->getOutputImage()->toImage(), name);
    EXPECT_TRUE (result.withinTolerance()) << name << ": " << result.describe() << " (actual and diff images in test-failures/)";
}

INSTANTIATE_TEST_SUITE_P (FactoryPresets, WatercolorGolden,
                          ::testing::Values (GoldenCase { "Stylized", 1 }, GoldenCase { "Stylized", 5 },
                                            GoldenCase { "Abstract", 3 }, GoldenCase { "Abstract", 6 }),
                          [] (const auto& info) {
                              return std::string (info.param.effect) + std::to_string (info.param.preset);
                          });
