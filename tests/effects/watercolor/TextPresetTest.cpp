#include "AbstractWaterColor.h"
#include "AppIdentity.h"
#include "EffectPresetFolders.h"
#include "ImageCodecs.h"
#include "WatercolorTestSupport.h"
#include "StylizedWatercolor.h"
#include "WatercolorFactoryPresets.h"

#include <gtest/gtest.h>

namespace
{
    using PixelMath::makeWord;

    juce::String factoryText (const juce::String& fileName)
    {
        for (const auto& file : WatercolorFactoryPresets::getPresetFiles (fileName.upToFirstOccurrenceOf (" ", false, false)))
            if (file.fileName == fileName)
                return file.text;
        return {};
    }

    /** A layer with known values in the fields a text preset leaves alone. */
    std::unique_ptr<StylizedWatercolor> preparedLayer()
    {
        auto layer = std::make_unique<StylizedWatercolor>();
        auto& s = layer->getSettings();
        s.overallStrength = 0.6f;
        s.paintFill = 0.3f;
        s.paintSize = 0.7f;
        s.saturation = 0.4f;
        s.edgeCanvasTexture = 0.2f;
        s.borderFileName = "border-02";
        s.backgroundStyleMode = 0;
        layer->setNeedsRender (false);
        return layer;
    }

    juce::String withExtraLines (const juce::String& text, const juce::StringArray& extra)
    {
        return extra.isEmpty() ? text : text + "\n" + extra.joinIntoString ("\n");
    }

    // The authored values of every factory preset, one row per file.
    const char* const expectedRows[] = {
        "Stylized 01.pre|0|0.25|0.3435374|0.125|0.75|0.3344828|0.5|0.5|0.5|0|55|15|0|255|0.9|0.5|255|255|255|255|Aged-Paper37.jpg",
        "Stylized 02.pre|1|0.25|0.5136054|0|0.75|0.5965517|0.2517241|0.5|0.5|0|55|15|0|255|0.9|0.5|255|255|255|255|Aged-Paper13.jpg",
        "Stylized 03.pre|1|0.1598639|0.8197279|0.125|0.75|0.5551724|0.5344828|0.5|0.5|0|55|15|0|255|0.9|0.5|255|255|255|255|Aged-Paper37.jpg",
        "Stylized 04.pre|0|0.1598639|0.6428571|0.125|0.75|0.3344828|0.7482759|0.6931034|0.5|0|55|15|0|255|0.9|0.5|255|255|255|255|Aged-Paper37.jpg",
        "Stylized 05.pre|0|0.2959184|0.3231293|0.4310345|0.75|0.9206896|0.6103448|0.7482759|0.5|0|59|23|11|255|0.8862069|0.5|255|255|255|255|Aged-Paper33.jpg",
        "Stylized 06.pre|0|0.1598639|0.6428571|0.125|0.75|0.3344828|0.7482759|0.6931034|0.5|0|55|15|0|255|0.9|0.5|255|255|255|255|Aged-Paper28.jpg",
        "Stylized 07.pre|0|0.1598639|0.6428571|0.125|0.75|0.5689655|0.8862069|0.7068965|0.2448276|0|55|15|0|255|0.9|0.5|255|255|255|255|Aged-Paper32.jpg",
        "Stylized 08.pre|1|0.25|0.7380952|0.125|0.75|0.25|0.6931034|0.5|0.5|0|55|15|0|255|0.9|0.5|255|255|255|255|Aged-Paper16.jpg",
        "Abstract 01.pre|0|0.3027211|0.7176871|0.125|0.75|0.2931035|0.7896551|0.2655172|0.5|0|55|15|0|255|0.9|0.5|255|255|255|255|Aged-Paper15.jpg",
        "Abstract 02.pre|0|0.3027211|0.5680272|0.125|0.75|0.2931035|0.7896551|0.2655172|0.5|0|55|15|0|255|0.9|0.5|255|255|255|255|Aged-Paper13.jpg",
        "Abstract 03.pre|1|0.3027211|0.8129252|0.2517241|0.7482759|0.7275862|0.6310345|0.6655173|0.5|0|0|0|0|255|0.7965517|0.5|255|255|255|255|Aged-Paper31.jpg",
        "Abstract 04.pre|0|0.3911565|0.9081632|0.162069|0.8586207|0.6517242|0.3413793|0.7137931|0.5|0|62|43|12|255|0.6034483|0.5|255|255|255|255|Aged-Paper21.jpg",
        "Abstract 05.pre|0|0.3231293|0.25|0.125|0.75|0.8172414|0.4931034|0.2655172|0.5|0|55|15|0|255|0.9|0.5|255|255|255|255|Aged-Paper37.jpg",
        "Abstract 06.pre|2|0.1870748|0.9013606|0.5413793|0.7482759|0.7689655|0.3689655|0.7344828|0.5|0|23|16|6|255|0.8586207|0.5|255|255|255|255|Aged-Paper22.jpg",
        "Abstract 07.pre|2|0.4251701|0.9013606|0.4241379|0.7482759|0.7689655|0.5275862|0.7344828|0.5|0|23|16|6|255|0.8586207|0.5|255|255|255|255|Aged-Paper35.jpg",
        "Abstract 08.pre|2|0.1870748|0.9013606|0.5413793|0.7482759|0.7689655|0.3689655|0.7344828|0.5|0|23|16|6|255|0.8586207|0.5|255|255|255|255|Aged-Paper37.jpg",
    };
}

TEST (TextPreset, StylizedOneGivesTheAuthoredFields)
{
    auto layer = preparedLayer();
    layer->applyTextPreset (factoryText ("Stylized 01.pre"));
    const auto& s = layer->getSettings();

    EXPECT_EQ (s.mInsideColor, WatercolorSettings::dark);
    EXPECT_FLOAT_EQ (s.mWetEdge, 0.25f);
    EXPECT_FLOAT_EQ (s.mEdge, 0.3435374f);
    EXPECT_FLOAT_EQ (s.mVariation, 0.125f);
    EXPECT_FLOAT_EQ (s.mStrength, 0.75f);
    EXPECT_FLOAT_EQ (s.mOutline, 0.3344828f);
    EXPECT_FLOAT_EQ (s.mOutlineDetail, 0.5f);
    EXPECT_FLOAT_EQ (s.mOutlineThreshold, 0.5f);
    EXPECT_FLOAT_EQ (s.hueShift, 0.5f) << "no offset in the text form";
    EXPECT_EQ (s.sepiaColor, makeWord (255, 55, 15, 0));
    EXPECT_FLOAT_EQ (s.sepiaStrength, 0.9f);
    EXPECT_EQ (s.canvasColor, WatercolorSettings::opaqueWhite);
    EXPECT_EQ (s.edgeFileName, "Aged-Paper37");
    EXPECT_TRUE (s.borderFileName.isEmpty()) << "no border line, no border";

    EXPECT_FLOAT_EQ (s.overallStrength, 0.6f);
    EXPECT_FLOAT_EQ (s.paintFill, 0.3f);
    EXPECT_FLOAT_EQ (s.paintSize, 0.7f);
    EXPECT_FLOAT_EQ (s.saturation, 0.4f);
    EXPECT_FLOAT_EQ (s.edgeCanvasTexture, 0.2f);
    EXPECT_EQ (s.backgroundStyleMode, 0);
    EXPECT_TRUE (layer->needsRender());
}

TEST (TextPreset, OptionalTrailingLines)
{
    struct Case { juce::StringArray extra; float saturation; const char* border; float canvasTexture; };
    const std::vector<Case> cases {
        { {}, 0.4f, "", 0.2f },
        { { "0.8" }, 0.8f, "", 0.2f },
        { { "0.8", "border-01.png" }, 0.8f, "border-01", 0.2f },
        { { "0.8", "border-01.png", "0.375" }, 0.8f, "border-01", 0.375f },
        { { "0.8", "", "0.375" }, 0.8f, "", 0.375f },
    };
    for (const auto& c : cases)
    {
        auto layer = preparedLayer();
        layer->applyTextPreset (withExtraLines (factoryText ("Stylized 02.pre"), c.extra));
        const auto& s = layer->getSettings();
        SCOPED_TRACE (21 + c.extra.size());
        EXPECT_FLOAT_EQ (s.saturation, c.saturation);
        EXPECT_EQ (s.borderFileName, c.border);
        EXPECT_FLOAT_EQ (s.edgeCanvasTexture, c.canvasTexture);
        EXPECT_EQ (s.edgeFileName, "Aged-Paper13");
    }
}

TEST (TextPreset, LineBreaksAndShortTexts)
{
    // A final line break is not an empty 22nd line: saturation and canvas toning stay.
    for (const char* lineBreak : { "\n", "\r\n" })
    {
        auto layer = preparedLayer();
        auto text = factoryText ("Stylized 01.pre").replace ("\n", lineBreak) + lineBreak;
        layer->applyTextPreset (text);
        EXPECT_FLOAT_EQ (layer->getSettings().saturation, 0.4f);
        EXPECT_FLOAT_EQ (layer->getSettings().mEdge, 0.3435374f);
        EXPECT_EQ (layer->getSettings().edgeFileName, "Aged-Paper37");
    }

    // Missing lines read as 0 or empty.
    auto layer = preparedLayer();
    layer->applyTextPreset ("3\n0.5");
    const auto& s = layer->getSettings();
    EXPECT_EQ (s.mInsideColor, 3);
    EXPECT_FLOAT_EQ (s.mWetEdge, 0.5f);
    EXPECT_FLOAT_EQ (s.mEdge, 0.0f);
    EXPECT_EQ (s.sepiaColor, 0u);
    EXPECT_TRUE (s.edgeFileName.isEmpty());
}

TEST (TextPreset, IntegerLinesKeepTheirLowEightBits)
{
    auto lines = juce::StringArray::fromLines (factoryText ("Stylized 01.pre"));
    lines.set (0, "7.9");   // Color Area: stored unchanged, only truncated
    lines.set (10, "300");  // ink red
    lines.set (11, "-1");   // ink green
    lines.set (12, "12abc"); // ink blue: the leading number counts
    lines.set (16, "511");  // canvas red
    auto layer = preparedLayer();
    layer->applyTextPreset (lines.joinIntoString ("\n"));
    const auto& s = layer->getSettings();
    EXPECT_EQ (s.mInsideColor, 7);
    EXPECT_EQ (s.sepiaColor, makeWord (255, 44, 255, 12));
    EXPECT_EQ (PixelMath::wordRed (s.canvasColor), 255);
}

TEST (TextPreset, NumbersThatAreNotFiniteReadAsZero)
{
    auto layer = preparedLayer();
    auto lines = juce::StringArray::fromLines (factoryText ("Stylized 01.pre"));
    lines.set (1, "nan");     // wet edge
    lines.set (3, "inf");     // variation
    lines.set (14, "-1e999"); // ink strength
    layer->applyTextPreset (lines.joinIntoString ("\n"));

    const auto& s = layer->getSettings();
    EXPECT_EQ (s.mWetEdge, 0.0f);
    EXPECT_EQ (s.mVariation, 0.0f);
    EXPECT_EQ (s.sepiaStrength, 0.0f);
}

TEST (FactoryPresets, FilesMatchTheAuthoredTable)
{
    std::vector<WatercolorFactoryPresets::PresetFile> files;
    for (const char* effect : { "Stylized", "Abstract" })
    {
        const auto some = WatercolorFactoryPresets::getPresetFiles (effect);
        ASSERT_EQ (some.size(), 8u) << effect;
        for (size_t i = 0; i < some.size(); ++i)
            EXPECT_EQ (some[i].fileName, juce::String (effect) + juce::String::formatted (" %02d.pre", (int) i + 1));
        files.insert (files.end(), some.begin(), some.end());
    }
    EXPECT_TRUE (WatercolorFactoryPresets::getPresetFiles ("Layer").empty());

    ASSERT_EQ (files.size(), std::size (expectedRows));
    for (size_t i = 0; i < files.size(); ++i)
    {
        const auto row = juce::StringArray::fromTokens (expectedRows[i], "|", {});
        EXPECT_EQ (files[i].fileName, row[0]);
        EXPECT_FALSE (files[i].text.endsWithChar ('\n'));
        EXPECT_FALSE (files[i].text.containsChar ('\r'));
        const auto lines = juce::StringArray::fromLines (files[i].text);
        ASSERT_EQ (lines.size(), 21) << row[0];
        for (int line = 0; line < 21; ++line)
            EXPECT_EQ (lines[line], row[line + 1]) << row[0] << " line " << line + 1;
    }
}

TEST (FactoryPresets, InstallWritesEachEffectsFilesIntoItsFolder)
{
    const ScopedDataHome home;
    StylizedWatercolor stylized;
    AbstractWaterColor abstract;
    EXPECT_FALSE (stylized.hasEffectPresets());

    for (int round = 0; round < 2; ++round)
    {
        stylized.installFactoryPresets();
        abstract.installFactoryPresets();
    }
    EXPECT_TRUE (stylized.hasEffectPresets());
    EXPECT_TRUE (abstract.hasEffectPresets());

    for (StylizedWatercolor* layer : { &stylized, static_cast<StylizedWatercolor*> (&abstract) })
    {
        const auto folder = home.get().getChildFile (AppIdentity::getAppName())
                                .getChildFile ("EffectPresets").getChildFile (layer->getDisplayName());
        EXPECT_EQ (folder, EffectPresetFolders::getEffectPresetFolder (layer->getDisplayName()));
        const auto files = folder.findChildFiles (juce::File::findFilesAndDirectories, false);
        EXPECT_EQ (files.size(), 16) << "one copy each, no temporary leftovers";
        for (const auto& preset : WatercolorFactoryPresets::getPresetFiles (layer->getShortName()))
            EXPECT_EQ (folder.getChildFile (preset.fileName).loadFileAsString(), preset.text);
        for (const auto& thumbnail : WatercolorFactoryPresets::getThumbnailFiles (layer->getShortName()))
        {
            juce::MemoryBlock written;
            EXPECT_TRUE (folder.getChildFile (thumbnail.fileName).loadFileAsData (written));
            EXPECT_EQ (written, thumbnail.contents) << thumbnail.fileName;
        }
    }

    // An applied installed file gives the same settings as the embedded text.
    auto fromFile = preparedLayer();
    fromFile->applyTextPreset (EffectPresetFolders::getEffectPresetFolder ("Abstract Watercolor")
                                   .getChildFile ("Abstract 04.pre").loadFileAsString());
    EXPECT_EQ (fromFile->getSettings().edgeFileName, "Aged-Paper21");
    EXPECT_EQ (fromFile->getSettings().sepiaColor, makeWord (255, 62, 43, 12));
}

TEST (FactoryPresets, EachPresetHasAnEmbeddedThumbnailOfItsOwn)
{
    std::vector<juce::Image> pictures;
    for (const char* effect : { "Stylized", "Abstract" })
    {
        const auto thumbnails = WatercolorFactoryPresets::getThumbnailFiles (effect);
        ASSERT_EQ (thumbnails.size(), 8u) << effect;
        for (size_t i = 0; i < thumbnails.size(); ++i)
        {
            EXPECT_EQ (thumbnails[i].fileName, juce::String (effect) + juce::String::formatted (" %02d.jpg", (int) i + 1));
            const auto picture = ImageCodecs::decodeImage (thumbnails[i].contents.getData(), thumbnails[i].contents.getSize());
            ASSERT_TRUE (picture.isValid()) << thumbnails[i].fileName;
            EXPECT_EQ (picture.getWidth(), 400);
            EXPECT_EQ (picture.getHeight(), 400);
            pictures.push_back (picture);
        }
    }
    EXPECT_TRUE (WatercolorFactoryPresets::getThumbnailFiles ("Layer").empty());

    // Every preset looks different: no two thumbnails are near copies.
    auto meanDifference = [] (const juce::Image& a, const juce::Image& b)
    {
        double sum = 0.0;
        for (int y = 0; y < 400; y += 4)
            for (int x = 0; x < 400; x += 4)
            {
                const auto p = a.getPixelAt (x, y), q = b.getPixelAt (x, y);
                sum += std::abs (p.getRed() - q.getRed()) + std::abs (p.getGreen() - q.getGreen())
                     + std::abs (p.getBlue() - q.getBlue());
            }
        return sum / (100.0 * 100.0 * 3.0);
    };
    for (size_t i = 0; i < pictures.size(); ++i)
        for (size_t j = i + 1; j < pictures.size(); ++j)
            EXPECT_GT (meanDifference (pictures[i], pictures[j]), 2.0) << i << " and " << j;
}

TEST (FactoryPresets, InstallOrderIsEachThumbnailThenItsPreset)
{
    for (const char* effect : { "Stylized", "Abstract" })
    {
        const auto files = WatercolorFactoryPresets::getInstallFiles (effect);
        ASSERT_EQ (files.size(), 16u) << effect;
        for (size_t i = 0; i < files.size(); ++i)
            EXPECT_EQ (files[i].fileName, juce::String (effect)
                                              + juce::String::formatted (" %02d", (int) i / 2 + 1)
                                              + (i % 2 == 0 ? ".jpg" : ".pre"));
        const auto presets = WatercolorFactoryPresets::getPresetFiles (effect);
        EXPECT_EQ (files[1].contents.toString(), presets[0].text);
    }
}
