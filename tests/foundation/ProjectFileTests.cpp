// Project files: the written form, the three forms read back, and every file that must be
// refused without touching what the caller holds.

#include "ImageBlob.h"
#include "JpegCodec.h"
#include "PlatformImage.h"
#include "ProjectFile.h"
#include "PropertyValues.h"
#include "Resampling.h"
#include "ScopedFileSizeLimit.h"
#include "SettingsFileHeader.h"
#include "TestImages.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <unistd.h>

namespace
{
    using Bytes = std::vector<uint8_t>;

    /** A textured opaque photograph. */
    SxRef<SxImageRgbaBytes> photograph (int width, int height)
    {
        SxRef<SxImageRgbaBytes> image (new SxImageRgbaBytes (width, height, SxImageRgbaBytes::uninitialised));
        juce::Random random (7);
        for (int y = 0; y < height; ++y)
        {
            auto* p = image->getRowPointer (y);
            for (int x = 0; x < width; ++x, p += 4)
            {
                p[0] = 255;
                p[1] = (uint8_t) (x * 255 / width + random.nextInt (8));
                p[2] = (uint8_t) (y * 255 / height);
                p[3] = (uint8_t) ((x ^ y) & 0x3f);
            }
        }
        return image;
    }

    /** The preview-size painting of a photograph (1301 pixels on the longer side). */
    SxRef<SxImageRgbaBytes> paintingOf (const SxImageRgbaBytes& picture)
    {
        SxRef<SxImageRgbaBytes> painting (picture.clone());
        const double scale = 1301.0 / std::max (picture.width, picture.height);
        resizeRgbaImage (*painting, (int) (picture.width * scale), (int) (picture.height * scale), 1);
        return painting;
    }

    /** What a document puts into a project: a one-effect stack whose settings hold a mask
        record, then three history colours. */
    SxPropertySet documentKeys()
    {
        SxPropertySet mask;
        setIntProperty (mask, "StrokeCount", 0);
        setIntProperty (mask, "CurveCount", 0);
        SxPropertySet settings;
        setFloatProperty (settings, "layerOpacity", 1.0f);
        setFloatProperty (settings, "mStrength", 0.75f);
        mask.writeAsRecord (settings, "SelectiveMaskData");

        SxPropertySet set;
        setIntProperty (set, "LayerCount", 1);
        setIntProperty (set, "SelectedLayer", 1);
        setStringProperty (set, "ClassName1", "StylizedWatercolor");
        settings.writeAsRecord (set, "EffectDictionary1");
        setIntProperty (set, "SubLayerCount1", 0);
        setIntProperty (set, "totalColors", 3);
        for (int i = 0; i < 3; ++i)
            for (const char* channel : { "ColorRed", "ColorGreen", "ColorBlue", "ColorAlpha" })
                setIntProperty (set, channel + juce::String (i), 40 * i + 10);
        return set;
    }

    Bytes bytesOf (const void* data, size_t size)
    {
        const auto* d = static_cast<const uint8_t*> (data);
        return Bytes (d, d + size);
    }

    Bytes bytesOf (const juce::MemoryBlock& block) { return bytesOf (block.getData(), block.getSize()); }

    Bytes fileBytes (const juce::File& file)
    {
        juce::MemoryBlock block;
        file.loadFileAsData (block);
        return bytesOf (block);
    }

    uint32_t intAt (const Bytes& bytes, size_t offset)
    {
        return juce::ByteOrder::littleEndianInt (bytes.data() + offset);
    }

    void appendInt (Bytes& bytes, uint32_t value)
    {
        for (int i = 0; i < 4; ++i)
            bytes.push_back ((uint8_t) (value >> (8 * i)));
    }

    void append (Bytes& bytes, const Bytes& more) { bytes.insert (bytes.end(), more.begin(), more.end()); }

    Bytes streamFormOf (const SxPropertySet& set)
    {
        juce::MemoryOutputStream out;
        set.writeToStream (out);
        return bytesOf (out.getData(), out.getDataSize());
    }

    Bytes projectBytes (const SxPropertySet& document, const SxImageRgbaBytes& picture, double dpiX, double dpiY)
    {
        juce::MemoryOutputStream out;
        EXPECT_TRUE (ProjectFile::writeToStream (out, document, picture, dpiX, dpiY, *paintingOf (picture)).wasOk());
        return bytesOf (out.getData(), out.getDataSize());
    }

    /** "VER2" and the stream form of set. */
    Bytes ver2Of (const SxPropertySet& set)
    {
        Bytes bytes;
        appendInt (bytes, SettingsFileHeader::ver2Magic);
        append (bytes, streamFormOf (set));
        return bytes;
    }

    Bytes compressedBlob (const SxImageRgbaBytes& picture)
    {
        juce::MemoryBlock block;
        EXPECT_TRUE (ImageBlob::compress (block, picture.width, picture.height, picture.pixels, 4));
        return bytesOf (block);
    }

    /** The older form: four bytes, the XML property list and a zero byte, then the picture
        block, with or without the "IMAG" marker and its count. */
    Bytes legacyOf (const SxPropertySet& set, const SxImageRgbaBytes& picture, bool withMarker)
    {
        Bytes bytes;
        appendInt (bytes, 1);
        const auto text = set.createPlistXml()->toString();
        append (bytes, bytesOf (text.toRawUTF8(), text.getNumBytesAsUTF8()));
        bytes.push_back (0);
        const auto blob = compressedBlob (picture);
        if (withMarker)
        {
            appendInt (bytes, 0x47414D49);
            appendInt (bytes, (uint32_t) blob.size());
        }
        append (bytes, blob);
        return bytes;
    }

    juce::Result readBytes (const Bytes& bytes, ProjectFile::Contents& contents)
    {
        juce::MemoryInputStream in (bytes.data(), bytes.size(), false);
        return ProjectFile::read (in, (int64_t) bytes.size(), contents);
    }

    juce::StringArray keysOf (const SxPropertySet& set)
    {
        return const_cast<SxPropertySet&> (set).getAllProperties().getAllKeys();
    }

    bool samePixels (const SxImageRgbaBytes& a, const SxImageRgbaBytes& b)
    {
        return a.width == b.width && a.height == b.height
            && std::memcmp (a.pixels, b.pixels, (size_t) a.width * (size_t) a.height * 4) == 0;
    }

    void expectSameContents (const ProjectFile::Contents& actual, const ProjectFile::Contents& expected)
    {
        EXPECT_EQ (keysOf (actual.properties), keysOf (expected.properties));
        EXPECT_EQ (const_cast<SxPropertySet&> (actual.properties).getAllProperties(),
                   const_cast<SxPropertySet&> (expected.properties).getAllProperties());
        ASSERT_TRUE (actual.picture && expected.picture);
        EXPECT_TRUE (samePixels (*actual.picture, *expected.picture));
        EXPECT_EQ (actual.resolutionX, expected.resolutionX);
        EXPECT_EQ (actual.resolutionY, expected.resolutionY);
    }

    /** Contents a refused read must leave exactly as they were. */
    ProjectFile::Contents heldContents()
    {
        ProjectFile::Contents contents;
        contents.properties.setValue ("held", "yes");
        contents.picture = photograph (3, 2);
        contents.resolutionX = 240.0;
        contents.resolutionY = 96.0;
        return contents;
    }

    void expectHeld (const ProjectFile::Contents& contents)
    {
        EXPECT_EQ (keysOf (contents.properties), juce::StringArray ("held"));
        ASSERT_TRUE (contents.picture);
        EXPECT_EQ (contents.picture->width, 3);
        EXPECT_EQ (contents.resolutionX, 240.0);
        EXPECT_EQ (contents.resolutionY, 96.0);
    }

    /** Lowers the decoders' pixel limit while it lives. */
    struct ScopedPixelLimit
    {
        explicit ScopedPixelLimit (size_t pixels) { PlatformImage::setPixelLimit (pixels); }
        ~ScopedPixelLimit() { PlatformImage::setPixelLimit (previous); }
        size_t previous = PlatformImage::getPixelLimit();
    };

    /** Every file of the folder, hidden ones included. */
    juce::StringArray everythingIn (const juce::File& folder)
    {
        juce::StringArray names;
        for (const auto& f : folder.findChildFiles (juce::File::findFilesAndDirectories, false, "*"))
            names.add (f.getFileName());
        names.sort (false);
        return names;
    }

    const juce::String entityBomb = "<?xml version=\"1.0\"?><!DOCTYPE p [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;\">]>"
                                    "<plist><dict><key>k</key><string>&b;</string></dict></plist>";
}

//==============================================================================
TEST (ProjectFile, WrittenFormHoldsTheStreamInKeyOrderThenTheThumbnail)
{
    const sxtest::TempFolder folder;
    const auto target = folder.get().getChildFile ("Project.kvp");
    const auto picture = photograph (4000, 3000);
    const auto painting = paintingOf (*picture);
    ASSERT_EQ (painting->width, 1301);
    ASSERT_EQ (painting->height, 975);
    const auto document = documentKeys();

    ASSERT_TRUE (ProjectFile::write (target, document, *picture, 300.0, 150.0, *painting).wasOk());
    const auto bytes = fileBytes (target);

    ASSERT_GT (bytes.size(), 12u);
    EXPECT_EQ (std::string (bytes.begin(), bytes.begin() + 4), "VER3");
    const auto offset = intAt (bytes, 4), size = intAt (bytes, 8);
    EXPECT_EQ ((size_t) offset + size, bytes.size());

    // The stream between the header and the thumbnail, read back key by key.
    juce::MemoryInputStream stream (bytes.data() + 12, offset - 12, false);
    SxPropertySet written;
    written.readFromStream (stream);
    EXPECT_EQ (stream.getPosition(), (juce::int64) offset - 12);
    EXPECT_EQ (offset, 12 + streamFormOf (written).size());

    auto expectedKeys = keysOf (document);
    expectedKeys.addArray ({ "ORIG_IMAGE_data", "doc_WidthDPI", "doc_HeightDPI" });
    EXPECT_EQ (keysOf (written), expectedKeys);
    EXPECT_EQ (written.getValue ("doc_WidthDPI"), "300");
    EXPECT_EQ (written.getValue ("doc_HeightDPI"), "150");

    const auto thumbnail = JpegCodec::decode (bytes.data() + offset, size);
    ASSERT_TRUE (thumbnail.has_value());
    EXPECT_EQ (thumbnail->width, 400);
    EXPECT_EQ (thumbnail->height, 400);

    // Read back: the document's keys and the resolution keys, the picture as it was.
    ProjectFile::Contents contents;
    ASSERT_TRUE (ProjectFile::read (target, contents).wasOk());
    auto keysBack = keysOf (document);
    keysBack.addArray ({ "doc_WidthDPI", "doc_HeightDPI" });
    EXPECT_EQ (keysOf (contents.properties), keysBack);
    for (const auto& key : keysOf (document))
        EXPECT_EQ (contents.properties.getValue (key), document.getValue (key)) << key;
    ASSERT_TRUE (contents.picture);
    EXPECT_TRUE (samePixels (*contents.picture, *picture));
    EXPECT_EQ (contents.resolutionX, 300.0);
    EXPECT_EQ (contents.resolutionY, 150.0);
}

TEST (ProjectFile, Ver2AndTheOlderFormReadAsVer3Does)
{
    const auto picture = photograph (64, 48);
    auto document = documentKeys();
    const auto ver3 = projectBytes (document, *picture, 300.0, 150.0);

    ProjectFile::Contents fromVer3;
    ASSERT_TRUE (readBytes (ver3, fromVer3).wasOk());

    // VER2 with the same stream.
    Bytes ver2;
    appendInt (ver2, SettingsFileHeader::ver2Magic);
    ver2.insert (ver2.end(), ver3.begin() + 12, ver3.begin() + intAt (ver3, 4));
    ProjectFile::Contents fromVer2;
    ASSERT_TRUE (readBytes (ver2, fromVer2).wasOk());
    expectSameContents (fromVer2, fromVer3);

    // The older form, with and without the block's marker; its resolution keys are read.
    setDoubleProperty (document, "doc_WidthDPI", 300.0);
    setDoubleProperty (document, "doc_HeightDPI", 150.0);
    for (const bool marker : { true, false })
    {
        ProjectFile::Contents fromLegacy;
        ASSERT_TRUE (readBytes (legacyOf (document, *picture, marker), fromLegacy).wasOk()) << marker;
        expectSameContents (fromLegacy, fromVer3);
    }

    // An older file without them is at 72 dpi.
    const auto undocumented = documentKeys();
    ProjectFile::Contents plain;
    ASSERT_TRUE (readBytes (legacyOf (undocumented, *picture, true), plain).wasOk());
    EXPECT_EQ (plain.resolutionX, 72.0);
    EXPECT_EQ (plain.resolutionY, 72.0);
}

TEST (ProjectFile, ResolutionsThatAreNotPositiveNumbersReadAs72)
{
    const auto picture = photograph (8, 8);
    const struct { const char* text; double expected; } cases[] = {
        { "300.5", 300.5 }, { "0", 72.0 }, { "-3", 72.0 }, { "nan", 72.0 }, { "inf", 72.0 },
        { "1e400", 72.0 }, { "dpi", 72.0 }, { "", 72.0 },
    };
    for (const auto& c : cases)
    {
        auto set = documentKeys();
        picture->writeToPropertySet (set, ProjectFile::imageKey);
        set.setValue (ProjectFile::widthResolutionKey, c.text);
        ProjectFile::Contents contents;
        ASSERT_TRUE (readBytes (ver2Of (set), contents).wasOk()) << c.text;
        EXPECT_EQ (contents.resolutionX, c.expected) << c.text;
        EXPECT_EQ (contents.resolutionY, 72.0) << c.text;
    }
}

TEST (ProjectFile, DamagedOrHostileFilesAreRefusedAndTheHeldContentsStay)
{
    const auto picture = photograph (40, 30);
    const auto document = documentKeys();
    const auto valid = projectBytes (document, *picture, 300.0, 150.0);

    const auto withPictureEntry = [&picture] (SxPropertySet set)
    {
        picture->writeToPropertySet (set, ProjectFile::imageKey);
        return set;
    };
    const auto withBlob = [] (SxPropertySet set, const Bytes& blob)
    {
        set.setValue (ImageBlob::entryKey (ProjectFile::imageKey), juce::MemoryBlock (blob.data(), blob.size()).toBase64Encoding());
        return set;
    };

    const struct
    {
        const char* name;
        std::function<Bytes()> bytes;
        const char* reasonMentions;
    } cases[] = {
        { "nothing", [] { return Bytes {}; }, "short" },
        { "a VER3 file shorter than its thumbnail's end",
          [&] { return Bytes (valid.begin(), valid.end() - 10); }, "cut short" },
        { "a VER3 header never filled in",
          [&] { auto b = valid; std::fill (b.begin() + 4, b.begin() + 12, 0); return b; }, "damaged" },
        { "no ORIG_IMAGE", [&] { return ver2Of (document); }, "no picture" },
        { "a cut image entry",
          [&]
          {
              auto blob = compressedBlob (*picture);
              blob.resize (blob.size() / 2);
              return ver2Of (withBlob (document, blob));
          }, "picture" },
        { "an image entry that is not base-64 text",
          [&] { auto set = document; set.setValue ("ORIG_IMAGE_data", "no picture here"); return ver2Of (set); }, "picture" },
        { "an empty picture",
          [&]
          {
              juce::MemoryBlock blob;
              ImageBlob::compress (blob, 0, 5, nullptr, 4);
              return ver2Of (withBlob (document, bytesOf (blob)));
          }, "empty" },
        { "a 70000-pixel side (its 16-bit field holds 4464)",
          [&]
          {
              const int width = 70000, stored = width & 0xffff;
              Bytes content { 0, (uint8_t) stored, (uint8_t) (stored >> 8), 1, 0 };
              content.resize (content.size() + (size_t) width * 4, 0x80);
              juce::MemoryOutputStream out;
              {
                  juce::GZIPCompressorOutputStream zlib (out, 9);
                  zlib.write (content.data(), content.size());
              }
              return ver2Of (withBlob (document, bytesOf (out.getData(), out.getDataSize())));
          }, "more pixels" },
        { "legacy text that is not XML",
          []
          {
              Bytes b;
              appendInt (b, 1);
              for (char c : std::string ("this is no property list"))
                  b.push_back ((uint8_t) c);
              b.push_back (0);
              return b;
          }, "not a project" },
        { "legacy text without its end",
          [&] { auto b = legacyOf (document, *picture, true); return Bytes (b.begin(), b.begin() + 40); }, "not a project" },
        { "a legacy picture block cut short",
          [&] { auto b = legacyOf (document, *picture, true); b.resize (b.size() - 20); return b; }, "cut short" },
        { "a legacy file without its picture",
          [&]
          {
              auto b = legacyOf (document, *picture, true);
              const auto text = document.createPlistXml()->toString();
              b.resize (4 + text.getNumBytesAsUTF8() + 1);
              return b;
          }, "no picture" },
        { "hostile XML in a dictionary",
          [&] { auto set = withPictureEntry (document); set.setValue ("EffectDictionary1", entityBomb); return ver2Of (set); },
          "settings" },
        { "hostile XML in a record inside a dictionary",
          [&]
          {
              SxPropertySet settings;
              settings.setValue ("SelectiveMaskData", entityBomb);
              auto set = withPictureEntry (document);
              settings.writeAsRecord (set, "EffectDictionary1");
              return ver2Of (set);
          }, "settings" },
        { "hostile XML in the older form's dictionary",
          [&] { auto set = document; set.setValue ("EffectDictionary1", entityBomb); return legacyOf (set, *picture, true); },
          "settings" },
        { "a JPEG",
          [&]
          {
              juce::MemoryOutputStream out;
              JpegCodec::encode (picture->createPlatformImage(), {}, out);
              return bytesOf (out.getData(), out.getDataSize());
          }, "not a project" },
    };

    for (const auto& c : cases)
    {
        auto contents = heldContents();
        const auto result = readBytes (c.bytes(), contents);
        ASSERT_TRUE (result.failed()) << c.name;
        EXPECT_TRUE (result.getErrorMessage().contains (c.reasonMentions)) << c.name << ": " << result.getErrorMessage();
        expectHeld (contents);
    }
}

TEST (ProjectFile, APictureBeyondThePixelLimitIsRefused)
{
    const auto bytes = projectBytes (documentKeys(), *photograph (40, 40), 72.0, 72.0);
    const ScopedPixelLimit limit (1000);
    auto contents = heldContents();
    const auto result = readBytes (bytes, contents);
    ASSERT_TRUE (result.failed());
    EXPECT_TRUE (result.getErrorMessage().contains ("too large (40 x 40 pixels)")) << result.getErrorMessage();
    expectHeld (contents);
}

TEST (ProjectFile, FilesThatCannotBeProjectsAreRefusedBeforeReading)
{
    const sxtest::TempFolder folder;

    // Larger than the largest project the writer makes: a sparse file costs no disk.
    const auto huge = folder.get().getChildFile ("huge.kvp");
    ASSERT_TRUE (huge.replaceWithText ("VER2"));
    std::filesystem::resize_file (huge.getFullPathName().toStdString(), (uintmax_t) ProjectFile::getMaxFileSize() + 1);
    auto contents = heldContents();
    auto result = ProjectFile::read (huge, contents);
    EXPECT_TRUE (result.getErrorMessage().contains ("larger than any project")) << result.getErrorMessage();
    expectHeld (contents);

    // The largest a 256-megapixel picture could make is still below the limit.
    EXPECT_GT (ProjectFile::getMaxFileSize(), (int64_t) PlatformImage::getPixelLimit() * 4 * 4 / 3);

    const auto jpegNamedAsProject = folder.get().getChildFile ("photo.kvp");
    {
        juce::FileOutputStream out (jpegNamedAsProject);
        ASSERT_TRUE (JpegCodec::encode (photograph (32, 32)->createPlatformImage(), {}, out));
    }
    result = ProjectFile::read (jpegNamedAsProject, contents);
    EXPECT_TRUE (result.getErrorMessage().contains ("not a project")) << result.getErrorMessage();

    result = ProjectFile::read (folder.get(), contents);
    EXPECT_TRUE (result.getErrorMessage().contains ("folder")) << result.getErrorMessage();
    result = ProjectFile::read (folder.get().getChildFile ("missing.kvp"), contents);
    EXPECT_TRUE (result.getErrorMessage().contains ("does not exist")) << result.getErrorMessage();
    expectHeld (contents);
}

TEST (ProjectFile, KeysOfAnEarlierProjectGoToTheirPlaceAtTheEnd)
{
    // A set read back from a project carries the resolution keys among its own.
    auto document = documentKeys();
    setDoubleProperty (document, "doc_WidthDPI", 1.0);
    setDoubleProperty (document, "doc_HeightDPI", 1.0);
    document.setValue ("after", "1");

    const auto bytes = projectBytes (document, *photograph (8, 8), 200.0, 100.0);
    juce::MemoryInputStream stream (bytes.data() + 12, intAt (bytes, 4) - 12, false);
    SxPropertySet written;
    written.readFromStream (stream);
    const auto keys = keysOf (written);
    ASSERT_GE (keys.size(), 4);
    EXPECT_EQ (keys[keys.size() - 4], "after");
    EXPECT_EQ (keys[keys.size() - 3], "ORIG_IMAGE_data");
    EXPECT_EQ (written.getValue ("doc_WidthDPI"), "200");
    EXPECT_EQ (written.getValue ("doc_HeightDPI"), "100");
}

namespace
{
    /** An old project in its own folder, to be replaced by a save that fails. */
    struct FailedProjectSave : ::testing::Test
    {
        void SetUp() override
        {
            folder = temp.get().getChildFile ("projects");
            ASSERT_TRUE (folder.createDirectory().wasOk());
            target = folder.getChildFile ("Project.kvp");
            ASSERT_TRUE (ProjectFile::write (target, documentKeys(), *photograph (32, 24), 72.0, 72.0, *photograph (32, 24)).wasOk());
            before = fileBytes (target);
        }

        void expectOldProjectAloneInItsFolder()
        {
            EXPECT_EQ (fileBytes (target), before);
            EXPECT_EQ (everythingIn (folder), juce::StringArray ("Project.kvp"));
        }

        juce::Result save (const SxImageRgbaBytes& picture)
        {
            return ProjectFile::write (target, documentKeys(), picture, 72.0, 72.0, *photograph (16, 16));
        }

        sxtest::TempFolder temp;
        juce::File folder, target;
        Bytes before;
    };
}

TEST_F (FailedProjectSave, PicturesTheFileCannotHoldAreRefused)
{
    auto result = save (SxImageRgbaBytes (70000, 2));
    ASSERT_TRUE (result.failed());
    EXPECT_TRUE (result.getErrorMessage().contains ("65,535")) << result.getErrorMessage();
    expectOldProjectAloneInItsFolder();

    result = save (SxImageRgbaBytes());
    EXPECT_TRUE (result.getErrorMessage().contains ("no picture")) << result.getErrorMessage();
    expectOldProjectAloneInItsFolder();
}

TEST_F (FailedProjectSave, AFileSizeLimitLeavesTheOldProject)
{
    juce::Result result = juce::Result::ok();
    {
        const sxtest::ScopedFileSizeLimit limit (4096);
        result = save (*photograph (200, 150));
    }
    ASSERT_TRUE (result.failed());
    EXPECT_TRUE (result.getErrorMessage().containsIgnoreCase ("too large")) << result.getErrorMessage();
    expectOldProjectAloneInItsFolder();
}

TEST_F (FailedProjectSave, AReadOnlyFolderLeavesTheOldProject)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    ASSERT_TRUE (folder.setReadOnly (true, false));
    const auto result = save (*photograph (20, 20));
    folder.setReadOnly (false, false);
    ASSERT_TRUE (result.failed());
    EXPECT_TRUE (result.getErrorMessage().contains ("cannot be written to")) << result.getErrorMessage();
    expectOldProjectAloneInItsFolder();
}

TEST_F (FailedProjectSave, AFolderInTheProjectsPlaceIsKept)
{
    ASSERT_TRUE (target.deleteFile());
    ASSERT_TRUE (target.getChildFile ("inside.txt").create().wasOk());
    const auto result = save (*photograph (20, 20));
    ASSERT_TRUE (result.failed());
    EXPECT_TRUE (target.getChildFile ("inside.txt").existsAsFile());
    EXPECT_EQ (everythingIn (folder), juce::StringArray ("Project.kvp"));
}

TEST (ProjectFile, TheStoredFixturesOfEveryFormOpen)
{
    // The fuzzer's seeds: VER3 and VER2 as the writer makes them, the older form with and
    // without its block marker (240 dpi in its keys).
    const auto data = juce::SystemStats::getEnvironmentVariable ("SX_TEST_DATA", {});
    if (data.isEmpty())
        GTEST_SKIP() << "SX_TEST_DATA is not set";
    const auto seeds = juce::File (data).getParentDirectory().getParentDirectory().getChildFile ("fuzz/corpus/ProjectFileFuzzer");

    const struct { const char* name; double dpiX, dpiY; } cases[] = {
        { "ver3.kvp", 300.0, 150.0 }, { "ver2.kvp", 300.0, 150.0 },
        { "legacy-marked.kvp", 240.0, 240.0 }, { "legacy-bare.kvp", 240.0, 240.0 },
    };
    for (const auto& c : cases)
    {
        ProjectFile::Contents contents;
        const auto result = ProjectFile::read (seeds.getChildFile (c.name), contents);
        ASSERT_TRUE (result.wasOk()) << c.name << ": " << result.getErrorMessage();
        ASSERT_TRUE (contents.picture);
        EXPECT_EQ (contents.picture->width, 6) << c.name;
        EXPECT_EQ (contents.picture->height, 4) << c.name;
        EXPECT_EQ (contents.resolutionX, c.dpiX) << c.name;
        EXPECT_EQ (contents.resolutionY, c.dpiY) << c.name;
        EXPECT_EQ (contents.properties.getValue ("ClassName1"), "StylizedWatercolor") << c.name;
        EXPECT_EQ (contents.properties.getValue ("totalColors"), "1") << c.name;
    }
}
