#include "AbstractWaterColor.h"
#include "WatercolorTestSupport.h"
#include "PropertyValues.h"
#include "StylizedWatercolor.h"
#include "SxPropertySet.h"

#include <gtest/gtest.h>

namespace
{
    using PixelMath::makeWord;

    /** Every field set to a value that survives the six-digit saved form. */
    WatercolorSettings distinctSettings()
    {
        WatercolorSettings s;
        s.backgroundStyleMode = 0;
        s.backgroundColor = makeWord (250, 10, 20, 30);
        s.backgroundPaperColor = makeWord (128, 40, 50, 60);
        s.backgroundPaperTintStrength = 0.375f;
        s.edgeFileName = "Aged-Paper13";
        s.borderFileName = "border-02";
        s.sepiaColor = makeWord (255, 1, 2, 3);
        s.edgeCanvasTexture = 0.3125f;
        s.canvasColor = makeWord (200, 70, 80, 90);
        s.overallStrength = 0.625f;
        s.sepiaStrength = 0.7f;
        s.mWetEdge = 0.15f;
        s.mEdge = 0.35f;
        s.paintFill = 0.45f;
        s.paintSize = 0.55f;
        s.mVariation = 0.65f;
        s.mOutline = 0.75f;
        s.mOutlineDetail = 0.85f;
        s.mOutlineThreshold = 0.95f;
        s.mStrength = 0.8f;
        s.hueShift = -12.25f;
        s.saturation = 0.05f;
        s.mInsideColor = 3;
        return s;
    }

    void expectNear (const WatercolorSettings& a, const WatercolorSettings& b)
    {
        // Floats travel as six significant digits.
        auto copy = b;
        for (float WatercolorSettings::* f : { &WatercolorSettings::backgroundPaperTintStrength, &WatercolorSettings::edgeCanvasTexture,
                         &WatercolorSettings::overallStrength, &WatercolorSettings::sepiaStrength,
                         &WatercolorSettings::mWetEdge, &WatercolorSettings::mEdge, &WatercolorSettings::paintFill,
                         &WatercolorSettings::paintSize, &WatercolorSettings::mVariation, &WatercolorSettings::mOutline,
                         &WatercolorSettings::mOutlineDetail, &WatercolorSettings::mOutlineThreshold,
                         &WatercolorSettings::mStrength, &WatercolorSettings::hueShift, &WatercolorSettings::saturation })
        {
            EXPECT_NEAR (a.*f, b.*f, 1.0e-5f);
            copy.*f = a.*f;
        }
        EXPECT_TRUE (a == copy) << "every non-float field restored exactly";
    }
}

TEST (WatercolorSettings, ResetSetsTheResetValuesButKeepsAreaFill)
{
    WatercolorSettings s = distinctSettings();
    s.resetToDefaults();

    WatercolorSettings expected;
    expected.mEdge = 0.35f;
    EXPECT_TRUE (s == expected);
    EXPECT_EQ (s.sepiaColor, makeWord (255, 55, 15, 0));
    EXPECT_EQ (s.edgeFileName, "Quenza-01");
    EXPECT_EQ (s.borderFileName, "border-01");
}

TEST (WatercolorSettings, SaveWritesTheKeysInOrderWithTheHueOffset)
{
    SxPropertySet set;
    distinctSettings().saveToPropertySet (set);

    const juce::StringArray expected {
        "overallStrength", "backgroundStyleMode",
        "backgroundColor.red", "backgroundColor.green", "backgroundColor.blue", "backgroundColor.alpha",
        "backgroundPaperColor.red", "backgroundPaperColor.green", "backgroundPaperColor.blue", "backgroundPaperColor.alpha",
        "backgroundPaperTintStrength", "edgeCanvasTexture", "edgeFileName", "borderFileName", "mInsideColor",
        "mWetEdge", "mEdge", "paintFill", "paintSize", "mVariation", "mStrength", "mOutline", "mOutlineDetail",
        "mOutlineThreshold", "hueShift",
        "sepiaColor.red", "sepiaColor.green", "sepiaColor.blue", "sepiaColor.alpha", "sepiaStrength",
        "canvasColor.red", "canvasColor.green", "canvasColor.blue", "canvasColor.alpha", "saturation" };
    EXPECT_EQ (set.getAllProperties().getAllKeys(), expected);

    EXPECT_EQ (set.getValue ("hueShift"), "-11.75");
    EXPECT_EQ (set.getValue ("mInsideColor"), "3");
    EXPECT_EQ (set.getValue ("backgroundPaperColor.alpha"), "128");
    EXPECT_EQ (set.getValue ("sepiaColor.blue"), "3");

    WatercolorSettings noNames = distinctSettings();
    noNames.edgeFileName = {};
    noNames.borderFileName = {};
    SxPropertySet unnamed;
    noNames.saveToPropertySet (unnamed);
    EXPECT_FALSE (unnamed.containsKey ("edgeFileName"));
    EXPECT_FALSE (unnamed.containsKey ("borderFileName"));
}

TEST (WatercolorSettings, LayerRoundTripRestoresEveryField)
{
    for (bool abstract : { false, true })
    {
        std::unique_ptr<StylizedWatercolor> source (abstract ? new AbstractWaterColor() : new StylizedWatercolor());
        source->getSettings() = distinctSettings();
        source->setName ("Mine");

        SxPropertySet set;
        source->saveToPropertySet (set, LayerSaveOptions {});
        std::unique_ptr<Layer> copy (source->createInstance());
        copy->loadFromPropertySet (set, LayerSaveOptions {});

        auto* loaded = dynamic_cast<StylizedWatercolor*> (copy.get());
        ASSERT_NE (loaded, nullptr);
        EXPECT_EQ (loaded->getClassName(), abstract ? "AbstractWaterColor" : "StylizedWatercolor");
        EXPECT_EQ (loaded->getName(), "Mine");
        expectNear (loaded->getSettings(), distinctSettings());
        EXPECT_TRUE (loaded->needsRender());
    }
}

TEST (WatercolorSettings, MissingKeysTakeTheirLoadDefaults)
{
    WatercolorSettings s = distinctSettings();
    s.loadFromPropertySet (SxPropertySet());

    EXPECT_FLOAT_EQ (s.overallStrength, 1.0f);
    EXPECT_EQ (s.backgroundStyleMode, 1);
    EXPECT_EQ (s.backgroundColor, WatercolorSettings::opaqueWhite);
    EXPECT_EQ (s.backgroundPaperColor, WatercolorSettings::opaqueWhite);
    EXPECT_EQ (s.sepiaColor, 0u) << "other colours read their missing components as 0";
    EXPECT_EQ (s.canvasColor, 0u);
    EXPECT_FLOAT_EQ (s.hueShift, -0.5f);
    EXPECT_FLOAT_EQ (s.paintFill, 0.45f) << "kept";
    EXPECT_FLOAT_EQ (s.paintSize, 0.55f) << "kept";
    EXPECT_FLOAT_EQ (s.mEdge, 0.0f);
    EXPECT_FLOAT_EQ (s.edgeCanvasTexture, 0.0f);
    EXPECT_FLOAT_EQ (s.sepiaStrength, 0.0f);
    EXPECT_EQ (s.mInsideColor, 0);
    EXPECT_TRUE (s.edgeFileName.isEmpty());
    EXPECT_TRUE (s.borderFileName.isEmpty());
}

TEST (WatercolorSettings, LoadedValuesAreCleanedUp)
{
    struct Case { const char* key; const char* stored; std::function<bool (const WatercolorSettings&)> check; };
    const std::vector<Case> cases {
        { "edgeFileName", "Aged-Paper37.jpg", [] (auto& s) { return s.edgeFileName == "Aged-Paper37"; } },
        { "edgeFileName", "Aged-Paper37.png", [] (auto& s) { return s.edgeFileName == "Aged-Paper37"; } },
        { "edgeFileName", "Aged-Paper37.JPG", [] (auto& s) { return s.edgeFileName == "Aged-Paper37.JPG"; } },
        { "borderFileName", "border-01.png", [] (auto& s) { return s.borderFileName == "border-01"; } },
        { "borderFileName", "border.jpeg", [] (auto& s) { return s.borderFileName == "border.jpeg"; } },
        { "mInsideColor", "2.9", [] (auto& s) { return s.mInsideColor == 2; } },
        { "mInsideColor", "1e30", [] (auto& s) { return s.mInsideColor == 0; } },
        { "backgroundStyleMode", "0.5", [] (auto& s) { return s.backgroundStyleMode == 0; } },
        { "sepiaColor.red", "300", [] (auto& s) { return PixelMath::wordRed (s.sepiaColor) == 44; } },
        { "backgroundColor.red", "257", [] (auto& s) { return s.backgroundColor == makeWord (0, 1, 0, 0); } },
        // Numbers that are not finite would reach seeds, sizes and byte conversions.
        { "mVariation", "nan", [] (auto& s) { return s.mVariation == 0.0f; } },
        { "paintSize", "inf", [] (auto& s) { return s.paintSize == 0.0f; } },
        { "hueShift", "-inf", [] (auto& s) { return s.hueShift == 0.0f; } },
        { "overallStrength", "1e999", [] (auto& s) { return s.overallStrength == 0.0f; } },
    };
    for (const auto& c : cases)
    {
        SxPropertySet set;
        set.setValue (c.key, c.stored);
        WatercolorSettings s;
        s.loadFromPropertySet (set);
        EXPECT_TRUE (c.check (s)) << c.key << " = " << c.stored;
    }
}

TEST (WatercolorSettings, RandomizeDrawsInOrderFromTheSystemGenerator)
{
    const ScopedArchiveNames names;
    const juce::StringArray papers { "Quenza-01", "Aged-Paper13", "Aged-Paper37" };
    const juce::StringArray borders { "0a-none", "border-01", "border-02", "border-03" };
    int bordersDrawn = 0;

    for (int seed = 1; seed <= 200; ++seed)
    {
        juce::Random generator (seed);
        WatercolorSettings s = distinctSettings();
        s.randomize (false, [&] { return generator.nextFloat(); });

        juce::Random replay (seed);
        EXPECT_EQ (s.edgeFileName, papers[(int) (replay.nextFloat() * 3.0f)]);
        if (replay.nextFloat() > 0.875f)
        {
            ++bordersDrawn;
            EXPECT_EQ (s.borderFileName, borders[(int) (replay.nextFloat() * 4.0f)]);
        }
        else
        {
            EXPECT_EQ (s.borderFileName, "0a-none") << "seed " << seed;
        }
        EXPECT_FLOAT_EQ (s.mStrength, 0.75f + 0.25f * replay.nextFloat());
        EXPECT_FLOAT_EQ (s.paintFill, 0.25f + 0.25f * replay.nextFloat());

        // Kept by the randomisation.
        EXPECT_FLOAT_EQ (s.overallStrength, 0.625f);
        EXPECT_EQ (s.backgroundColor, makeWord (250, 10, 20, 30));
        EXPECT_EQ (PixelMath::wordAlpha (s.sepiaColor), 255);
        EXPECT_LE (PixelMath::wordRed (s.sepiaColor), 54);
    }
    EXPECT_GT (bordersDrawn, 0);
}

TEST (WatercolorSettings, RandomizeChoosesMaskOnlyWithTracedOutlines)
{
    const ScopedArchiveNames names;
    int maskWithOutlines = 0;
    for (int seed = 1; seed <= 500; ++seed)
    {
        juce::Random generator (seed);
        WatercolorSettings s;
        s.randomize (false, [&] { return generator.nextFloat(); });
        EXPECT_GE (s.mInsideColor, 0);
        EXPECT_LT (s.mInsideColor, WatercolorSettings::mask) << "seed " << seed;

        generator.setSeed (seed);
        s.randomize (true, [&] { return generator.nextFloat(); });
        maskWithOutlines += s.mInsideColor == WatercolorSettings::mask ? 1 : 0;
    }
    EXPECT_GT (maskWithOutlines, 0);
}

TEST (WatercolorSettings, RandomizeWithoutArchiveKeepsThePaperAndDrawsNoBorder)
{
    WatercolorSettings::setArchiveNameSource ([] (const juce::String&) { return juce::StringArray(); });
    const juce::ScopeGuard restore { [] { WatercolorSettings::setArchiveNameSource (nullptr); } };
    WatercolorSettings s;
    s.edgeFileName = "Aged-Paper13";
    for (int seed = 1; seed <= 50; ++seed)
    {
        juce::Random generator (seed);
        s.randomize (false, [&] { return generator.nextFloat(); });
        EXPECT_EQ (s.edgeFileName, "Aged-Paper13");
        EXPECT_EQ (s.borderFileName, "0a-none");
    }
}

TEST (WatercolorSettings, RandomizeDrawsFromTheGeneratedArchive)
{
    WatercolorSettings s;
    juce::Random generator (7);
    bool sawBorder = false;
    for (int i = 0; i < 200; ++i)
    {
        s.randomize (false, [&] { return generator.nextFloat(); });
        EXPECT_TRUE (s.edgeFileName == "Quenza-01" || s.edgeFileName.startsWith ("Aged-Paper")) << s.edgeFileName;
        sawBorder = sawBorder || s.borderFileName.startsWith ("border-");
    }
    EXPECT_TRUE (sawBorder);
}

TEST (WatercolorSettings, NewAndResetLayersAreRandomisedAroundFixedValues)
{
    const ScopedArchiveNames names;
    std::vector<std::unique_ptr<StylizedWatercolor>> layers;
    layers.emplace_back (new StylizedWatercolor());
    layers.emplace_back (new AbstractWaterColor());
    for (auto& layer : layers)
    {
        layer->getSettings() = distinctSettings();
        layer->resetToDefaults();
        const auto& s = layer->getSettings();
        EXPECT_FLOAT_EQ (s.overallStrength, 1.0f);
        EXPECT_FLOAT_EQ (s.sepiaStrength, 0.9f);
        EXPECT_FLOAT_EQ (s.mWetEdge, 0.0f);
        EXPECT_EQ (s.backgroundStyleMode, 1);
        EXPECT_EQ (s.backgroundColor, WatercolorSettings::opaqueWhite);
        EXPECT_EQ (s.canvasColor, WatercolorSettings::opaqueWhite);
        EXPECT_GE (s.mStrength, 0.75f);
        EXPECT_LT (s.mInsideColor, WatercolorSettings::mask);
        EXPECT_TRUE (layer->getName().isEmpty());
    }
}

TEST (WatercolorSettings, SavedBytesAndRandomDrawsAreThoseOfEarlierReleases)
{
    // Recorded from the release before the settings became one field table: the stream a
    // preset or project carries (count, then zero-terminated keys and values; zero bytes
    // shown as '|' here) for new and for edited settings, and the saved bytes of 64
    // randomisations replayed from fixed sequences, with and without traced outlines.
    const ScopedArchiveNames names;
    const auto savedText = [] (const WatercolorSettings& s)
    {
        SxPropertySet set;
        s.saveToPropertySet (set);
        juce::MemoryOutputStream out;
        set.writeToStream (out);
        std::string text;
        for (size_t i = 0; i < out.getDataSize(); ++i)
        {
            const char c = static_cast<const char*> (out.getData())[i];
            text += c == 0 ? '|' : c;
        }
        return text;
    };

    EXPECT_EQ (savedText (WatercolorSettings()),
            "#|||overallStrength|1|backgroundStyleMode|1|backgroundColor.red|255|backgroundColor.green|255|ba"
            "ckgroundColor.blue|255|backgroundColor.alpha|255|backgroundPaperColor.red|255|backgroundPaperCol"
            "or.green|255|backgroundPaperColor.blue|255|backgroundPaperColor.alpha|255|backgroundPaperTintStr"
            "ength|0|edgeCanvasTexture|0.125|edgeFileName|Quenza-01|borderFileName|border-01|mInsideColor|0|m"
            "WetEdge|0|mEdge|0.25|paintFill|0.25|paintSize|0.5|mVariation|0.125|mStrength|0.75|mOutline|0.45|"
            "mOutlineDetail|0.5|mOutlineThreshold|0.5|hueShift|1|sepiaColor.red|55|sepiaColor.green|15|sepiaC"
            "olor.blue|0|sepiaColor.alpha|255|sepiaStrength|0.9|canvasColor.red|255|canvasColor.green|255|can"
            "vasColor.blue|255|canvasColor.alpha|255|saturation|0.25|");

    WatercolorSettings edited;
    edited.hueShift = -12.25f;
    edited.mInsideColor = 3;
    edited.sepiaColor = makeWord (255, 1, 2, 3);
    edited.paintFill = 0.45f;
    edited.backgroundPaperColor = makeWord (128, 40, 50, 60);
    edited.edgeFileName = {};
    edited.overallStrength = 0.1f / 3.0f;
    EXPECT_EQ (savedText (edited),
            "\"|||overallStrength|0.0333333|backgroundStyleMode|1|backgroundColor.red|255|backgroundColor.gre"
            "en|255|backgroundColor.blue|255|backgroundColor.alpha|255|backgroundPaperColor.red|40|background"
            "PaperColor.green|50|backgroundPaperColor.blue|60|backgroundPaperColor.alpha|128|backgroundPaperT"
            "intStrength|0|edgeCanvasTexture|0.125|borderFileName|border-01|mInsideColor|3|mWetEdge|0|mEdge|0"
            ".25|paintFill|0.45|paintSize|0.5|mVariation|0.125|mStrength|0.75|mOutline|0.45|mOutlineDetail|0."
            "5|mOutlineThreshold|0.5|hueShift|-11.75|sepiaColor.red|1|sepiaColor.green|2|sepiaColor.blue|3|se"
            "piaColor.alpha|255|sepiaStrength|0.9|canvasColor.red|255|canvasColor.green|255|canvasColor.blue|"
            "255|canvasColor.alpha|255|saturation|0.25|");

    uint64_t hash = 1469598103934665603ull;
    for (int seed = 1; seed <= 64; ++seed)
    {
        juce::Random generator (seed);
        WatercolorSettings s;
        s.randomize (seed % 2 == 0, [&] { return generator.nextFloat(); });
        const auto text = savedText (s);
        for (const char c : text)
            hash = (hash ^ (uint8_t) (c == '|' ? 0 : c)) * 1099511628211ull;
        if (seed == 9)
        {
            EXPECT_EQ (text,
            "#|||overallStrength|1|backgroundStyleMode|1|backgroundColor.red|255|backgroundColor.green|255|ba"
            "ckgroundColor.blue|255|backgroundColor.alpha|255|backgroundPaperColor.red|255|backgroundPaperCol"
            "or.green|255|backgroundPaperColor.blue|255|backgroundPaperColor.alpha|255|backgroundPaperTintStr"
            "ength|0|edgeCanvasTexture|0.306273|edgeFileName|Quenza-01|borderFileName|0a-none|mInsideColor|0|"
            "mWetEdge|0|mEdge|0.386667|paintFill|0.491698|paintSize|0.365963|mVariation|0.0517773|mStrength|0"
            ".878933|mOutline|0.430236|mOutlineDetail|0.222427|mOutlineThreshold|0.272897|hueShift|1.29427|se"
            "piaColor.red|35|sepiaColor.green|52|sepiaColor.blue|50|sepiaColor.alpha|255|sepiaStrength|0.9|ca"
            "nvasColor.red|255|canvasColor.green|255|canvasColor.blue|255|canvasColor.alpha|255|saturation|0."
            "932913|");
        }
    }
    EXPECT_EQ (hash, 0x3b0a1aa55eb48bd3ull);
}

TEST (WatercolorSettings, EveryControlledFieldHasItsLabel)
{
    struct Case { const char* key; const char* label; };
    const Case cases[] = {
        { "overallStrength", "Overall Strength" }, { "mEdge", "Area Fill" }, { "mOutlineThreshold", "Ink Fill" },
        { "hueShift", "Paint Color Shift" }, { "sepiaStrength", "Ink Color" }, { "saturation", "Paint Vibrancy" },
        { "backgroundColor", "" }, { "noSuchKey", "" },
    };
    for (const auto& c : cases)
        EXPECT_EQ (WatercolorSettings::labelOf (c.key), c.label) << c.key;
}
