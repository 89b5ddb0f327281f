#include <gtest/gtest.h>

#include "AbstractWaterColor.h"
#include "GoldenImage.h"
#include "RenderParameters.h"
#include "StylizedWatercolor.h"
#include "WatercolorFactoryPresets.h"

#include <cmath>

namespace
{
    /** Sky, a sun, two hills and a house with a dark door: every brightness band of the
        paint mask, soft gradients and hard edges for the ink. */
    SxImageRgbaBytes makeFixture (int width, int height)
    {
        SxImageRgbaBytes image (width, height);
        for (int y = 0; y < height; ++y)
        {
            uint8_t* p = image.getRowPointer (y);
            for (int x = 0; x < width; ++x, p += 4)
            {
                const float fx = (float) x / (float) width, fy = (float) y / (float) height;
                float r = 110 + 90 * fy, g = 160 + 70 * fy, b = 235;
                if (std::hypot (fx - 0.75f, fy - 0.22f) < 0.09f) { r = 252; g = 225; b = 120; }
                if (fy > 0.55f + 0.12f * std::sin (fx * 7.0f)) { r = 70 + 60 * fx; g = 130; b = 50; }
                if (fy > 0.72f + 0.06f * std::sin (fx * 13.0f + 1.0f)) { r = 40; g = 95 - 30 * fy; b = 30; }
                if (fx > 0.2f && fx < 0.38f && fy > 0.5f && fy < 0.7f) { r = 225; g = 205; b = 170; }
                if (fx > 0.27f && fx < 0.31f && fy > 0.6f && fy < 0.7f) { r = 80; g = 50; b = 30; }
                p[0] = 255;
                p[1] = (uint8_t) std::clamp (r, 0.0f, 255.0f);
                p[2] = (uint8_t) std::clamp (g, 0.0f, 255.0f);
                p[3] = (uint8_t) std::clamp (b, 0.0f, 255.0f);
            }
        }
        return image;
    }

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

    SxImageRgbaBytes input (makeFixture (320, 240));
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
