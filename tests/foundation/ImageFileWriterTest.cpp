// Saving paintings in the four types: what other programs read back, and what a failed
// save leaves behind.

#include "ExifTestBlocks.h"
#include "ImageFileWriter.h"
#include "Jpeg2000Codec.h"
#include "JpegCodec.h"
#include "PixelMath.h"
#include "PlatformImageDecoder.h"
#include "ScopedFileSizeLimit.h"
#include "SxImageRgbaBytes.h"
#include "TestImages.h"

#include <gtest/gtest.h>
#include <tiffio.h>

#include <unistd.h>

namespace
{
    using FileType = ImageFileWriter::FileType;

    /** A painting of odd size with texture; translucent ones fade from transparent on the
        left to opaque on the right. */
    SxImageRgbaBytes makePainting (int width, int height, bool translucent)
    {
        SxImageRgbaBytes image (width, height);
        juce::Random random (11);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
            {
                const auto alpha = translucent ? (uint8_t) (x * 255 / (width - 1)) : (uint8_t) 255;
                image.setPixel (PixelMath::makeWord (alpha, (uint8_t) (60 + x * 4), (uint8_t) (200 - y * 5),
                                                     (uint8_t) (90 + random.nextInt (40))), x, y);
            }
        return image;
    }

    /** The painting as straight R, G, B, A bytes, flattened onto white when asked. */
    PlatformImage::Bytes expectedBytes (const SxImageRgbaBytes& painting, bool flatten)
    {
        SxImageRgbaBytes copy (painting);
        if (flatten)
            copy.flattenOntoColour (0xffffffffu);
        return copy.createPlatformImage().rgba;
    }

    PlatformImage readBack (const juce::File& file, FileType type)
    {
        if (type == FileType::jpeg2000)
        {
            juce::MemoryBlock data;
            file.loadFileAsData (data);
            return Jpeg2000Codec::decode (data.getData(), data.getSize()).value_or (PlatformImage());
        }
        return PlatformImageDecoder::decodeFile (file).value_or (PlatformImage());
    }

    /** Colour channels in the file as its header states them. */
    int channelsInFile (const juce::File& file, FileType type)
    {
        juce::MemoryBlock data;
        file.loadFileAsData (data);
        const auto* b = static_cast<const uint8_t*> (data.getData());
        switch (type)
        {
            case FileType::png:
                return b[25] == 6 ? 4 : b[25] == 2 ? 3 : -1;
            case FileType::jpeg2000:
                for (size_t i = 0; i + 14 < data.getSize(); ++i)
                    if (std::memcmp (b + i, "ihdr", 4) == 0)
                        return b[i + 12] << 8 | b[i + 13];
                return -1;
            case FileType::tiff:
            {
                TIFF* tif = TIFFOpen (file.getFullPathName().toRawUTF8(), "r");
                uint16_t samples = 0;
                TIFFGetField (tif, TIFFTAG_SAMPLESPERPIXEL, &samples);
                TIFFClose (tif);
                return samples;
            }
            case FileType::jpeg:
                return 3;
        }
        return -1;
    }

    /** Every file of the folder, hidden ones included. */
    juce::StringArray filesIn (const juce::File& folder)
    {
        juce::StringArray names;
        for (const auto& f : folder.findChildFiles (juce::File::findFilesAndDirectories, false, "*"))
            names.add (f.getFileName());
        names.sort (false);
        return names;
    }

    juce::MemoryBlock photographExif()
    {
        sxtest::ExifSpec spec;
        spec.orientation = 6;
        spec.pixelWidth = 4000;
        spec.pixelHeight = 3000;
        spec.thumbnailBytes = 2000;
        spec.makerNoteBytes = 200;
        spec.privateTag = true;
        return sxtest::makeExifBlock (spec);
    }

    const char* extensionOf (FileType type)
    {
        switch (type)
        {
            case FileType::jpeg:     return "jpg";
            case FileType::jpeg2000: return "jp2";
            case FileType::png:      return "png";
            case FileType::tiff:     return "tif";
        }
        return "";
    }

    struct CapturingLogger : juce::Logger
    {
        CapturingLogger() { juce::Logger::setCurrentLogger (this); }
        ~CapturingLogger() override { juce::Logger::setCurrentLogger (nullptr); }
        void logMessage (const juce::String& message) override { lines.add (message); }
        juce::StringArray lines;
    };
}

TEST (ImageFileWriter, TypesComeFromTheExtensionInAnyCase)
{
    const std::pair<const char*, std::optional<FileType>> cases[] = {
        { "a.jpg", FileType::jpeg }, { "a.JPEG", FileType::jpeg }, { "a.jp2", FileType::jpeg2000 },
        { "a.PNG", FileType::png }, { "a.tif", FileType::tiff }, { "a.Tiff", FileType::tiff },
        { "a.bmp", std::nullopt }, { "a.j2k", std::nullopt }, { "jpg", std::nullopt },
    };
    for (const auto& [name, type] : cases)
        EXPECT_EQ (ImageFileWriter::typeForFile (juce::File ("/tmp").getChildFile (name)), type) << name;
}

TEST (ImageFileWriter, EveryTypeReadsBackWithSizeAlphaResolutionAndCameraData)
{
    sxtest::TempFolder temp;
    const auto exif = photographExif();
    for (const auto type : { FileType::jpeg, FileType::jpeg2000, FileType::png, FileType::tiff })
        for (const bool translucent : { false, true })
            for (const double dpi : { 72.0, 300.0 })
                for (const bool withExif : { true, false })
                {
                    const auto name = juce::String (extensionOf (type)) + (translucent ? " translucent " : " opaque ")
                                      + juce::String (dpi) + (withExif ? " dpi with exif" : " dpi without exif");
                    SCOPED_TRACE (name);
                    const auto painting = makePainting (33, 21, translucent);
                    ImageFileWriter::Options options;
                    options.type = type;
                    options.quality = 100;
                    options.resolutionX = dpi;
                    options.resolutionY = dpi / 2;
                    if (withExif)
                        options.exif = exif;

                    const auto file = temp.get().getChildFile (name.replaceCharacter (' ', '-') + "." + extensionOf (type));
                    const auto result = ImageFileWriter::write (painting, file, options);
                    ASSERT_TRUE (result.wasOk()) << result.getErrorMessage();
                    const auto back = readBack (file, type);
                    ASSERT_EQ (back.width, 33);
                    ASSERT_EQ (back.height, 21);

                    // JPEG lies on white; the others keep the alpha, and store none when opaque.
                    const auto expected = expectedBytes (painting, type == FileType::jpeg);
                    if (type == FileType::jpeg)
                    {
                        double error = 0;
                        for (size_t i = 0; i < expected.size(); ++i)
                            error += std::abs ((int) back.rgba[i] - (int) expected[i]);
                        EXPECT_LT (error / (double) expected.size(), 3.0);
                    }
                    else
                    {
                        EXPECT_EQ (back.rgba, expected);
                        EXPECT_EQ (channelsInFile (file, type), translucent ? 4 : 3);
                    }

                    EXPECT_NEAR (back.resolutionX, dpi, 0.01);
                    EXPECT_NEAR (back.resolutionY, dpi / 2, 0.01);

                    if (! withExif)
                    {
                        EXPECT_TRUE (back.exifBlock.isEmpty());
                        continue;
                    }
                    const auto& block = back.exifBlock;
                    EXPECT_EQ (sxtest::exifValue (block, EXIF_IFD_0, EXIF_TAG_MAKE), "Testmaker");
                    EXPECT_EQ (sxtest::exifValue (block, EXIF_IFD_0, EXIF_TAG_MODEL), "TM-1");
                    EXPECT_EQ (sxtest::exifValue (block, EXIF_IFD_EXIF, EXIF_TAG_DATE_TIME_ORIGINAL), "2021:05:06 07:08:09");
                    EXPECT_EQ (sxtest::exifValue (block, EXIF_IFD_EXIF, EXIF_TAG_PIXEL_X_DIMENSION), "33");
                    EXPECT_EQ (sxtest::exifValue (block, EXIF_IFD_EXIF, EXIF_TAG_PIXEL_Y_DIMENSION), "21");
                    EXPECT_EQ (sxtest::exifBytes (block, EXIF_IFD_EXIF, EXIF_TAG_MAKER_NOTE), sxtest::makerNoteBytes (200));
                    EXPECT_FALSE (sxtest::exifHasThumbnail (block));
                    EXPECT_EQ (sxtest::exifValue (block, EXIF_IFD_0, EXIF_TAG_ORIENTATION), "1");
                    // libtiff writes no tag it does not know.
                    EXPECT_EQ (sxtest::exifValue (block, EXIF_IFD_EXIF, sxtest::privateTestTag), type == FileType::tiff ? "" : "4242");
                }
}

TEST (ImageFileWriter, JpegMetadataBeyondOneMarkerIsLeftOutAndLogged)
{
    sxtest::TempFolder temp;
    const auto painting = makePainting (16, 16, false);

    // A thumbnail is dropped before the size is judged: this one fits once it is gone.
    sxtest::ExifSpec withThumbnail;
    withThumbnail.makerNoteBytes = 40000;
    withThumbnail.thumbnailBytes = 26000;
    ImageFileWriter::Options options;
    options.exif = sxtest::makeExifBlock (withThumbnail);
    ASSERT_GT (options.exif.getSize(), JpegCodec::maxMarkerData);
    const auto fits = temp.get().getChildFile ("fits.jpg");
    ASSERT_TRUE (ImageFileWriter::write (painting, fits, options).wasOk());
    const auto kept = readBack (fits, FileType::jpeg);
    EXPECT_EQ (sxtest::exifBytes (kept.exifBlock, EXIF_IFD_EXIF, EXIF_TAG_MAKER_NOTE).size(), 40000u);
    EXPECT_FALSE (sxtest::exifHasThumbnail (kept.exifBlock));

    // A maker note that nearly fills a marker on its own no longer fits with the written
    // size and resolution added: the JPEG goes without, and says so; a PNG keeps it all.
    sxtest::ExifSpec huge;
    huge.makerNoteBytes = 65380;
    options.exif = sxtest::makeExifBlock (huge);
    const auto tooLarge = temp.get().getChildFile ("too-large.jpg");
    {
        CapturingLogger log;
        ASSERT_TRUE (ImageFileWriter::write (painting, tooLarge, options).wasOk());
        ASSERT_EQ (log.lines.size(), 1);
        EXPECT_TRUE (log.lines[0].contains ("left out"));
    }
    const auto without = readBack (tooLarge, FileType::jpeg);
    EXPECT_EQ (without.width, 16);
    EXPECT_TRUE (without.exifBlock.isEmpty());

    options.type = FileType::png;
    const auto png = temp.get().getChildFile ("kept.png");
    ASSERT_TRUE (ImageFileWriter::write (painting, png, options).wasOk());
    const auto block = readBack (png, FileType::png).exifBlock;
    EXPECT_GT (block.getSize(), JpegCodec::maxMarkerData);
    const auto* bytes = static_cast<const uint8_t*> (block.getData());
    const auto note = sxtest::makerNoteBytes (65380);
    EXPECT_NE (std::search (bytes, bytes + block.getSize(), note.begin(), note.end()), bytes + block.getSize());
}

namespace
{
    /** An old file in its own folder, to be replaced by a save that fails. */
    struct FailedSave : ::testing::Test
    {
        void SetUp() override
        {
            folder = temp.get().getChildFile ("pictures");
            ASSERT_TRUE (folder.createDirectory().wasOk());
            target = folder.getChildFile ("painting.png");
            ASSERT_TRUE (target.replaceWithText ("the old painting"));
        }

        void expectOldFileAloneInItsFolder()
        {
            EXPECT_EQ (target.loadFileAsString(), "the old painting");
            EXPECT_EQ (filesIn (folder), juce::StringArray ("painting.png"));
        }

        sxtest::TempFolder temp;
        juce::File folder, target;
    };
}

TEST_F (FailedSave, AFileSizeLimitLeavesTheOldFileAndSaysWhy)
{
    ImageFileWriter::Options options;
    options.type = FileType::png;
    const auto painting = makePainting (400, 300, true);
    juce::Result result = juce::Result::ok();
    {
        const sxtest::ScopedFileSizeLimit limit (64 * 1024);
        result = ImageFileWriter::write (painting, target, options);
    }
    ASSERT_TRUE (result.failed());
    EXPECT_TRUE (result.getErrorMessage().contains ("painting.png")) << result.getErrorMessage();
    EXPECT_TRUE (result.getErrorMessage().containsIgnoreCase ("too large")) << result.getErrorMessage();
    expectOldFileAloneInItsFolder();
}

TEST_F (FailedSave, AnEncoderThatRefusesLeavesTheOldFile)
{
    // JPEG sides end at 65,500 pixels.
    const auto painting = makePainting (70000, 2, false);
    const auto result = ImageFileWriter::write (painting, target, {});
    ASSERT_TRUE (result.failed());
    EXPECT_TRUE (result.getErrorMessage().contains ("JPEG")) << result.getErrorMessage();
    expectOldFileAloneInItsFolder();

    EXPECT_TRUE (ImageFileWriter::write (SxImageRgbaBytes(), target, {}).failed());
    expectOldFileAloneInItsFolder();
}

TEST_F (FailedSave, AReadOnlyFolderLeavesTheOldFileAndSaysWhy)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    ASSERT_TRUE (folder.setReadOnly (true, false));
    const auto result = ImageFileWriter::write (makePainting (8, 8, false), target, {});
    folder.setReadOnly (false, false);
    ASSERT_TRUE (result.failed());
    EXPECT_TRUE (result.getErrorMessage().contains ("cannot be written to")) << result.getErrorMessage();
    expectOldFileAloneInItsFolder();
}
