// The background writer of saved paintings: what the files hold, what a failed write
// leaves, and that quitting waits for every queued write.

#include "ExifTestBlocks.h"
#include "ImageSaveWriter.h"
#include "Jpeg2000Codec.h"
#include "MessagePump.h"
#include "PixelMath.h"
#include "PlatformImageDecoder.h"
#include "ScopedFileSizeLimit.h"
#include "TestImages.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace
{
    using FileType = ImageFileWriter::FileType;

    /** A painting that fades from transparent on the left to opaque on the right. */
    SxRef<SxImageRgbaBytes> makePainting (int width, int height)
    {
        SxRef<SxImageRgbaBytes> image (new SxImageRgbaBytes (width, height));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                image->setPixel (PixelMath::makeWord ((uint8_t) (x * 255 / (width - 1)), (uint8_t) (40 + y % 160),
                                                      (uint8_t) (200 - x % 150), 90), x, y);
        return image;
    }

    PlatformImage readBack (const juce::File& file)
    {
        juce::MemoryBlock data;
        file.loadFileAsData (data);
        if (file.hasFileExtension ("jp2"))
            return Jpeg2000Codec::decode (data.getData(), data.getSize()).value_or (PlatformImage());
        return PlatformImageDecoder::decodeFile (file).value_or (PlatformImage());
    }

    juce::MemoryBlock cameraData()
    {
        sxtest::ExifSpec spec;
        spec.orientation = 6;
        spec.pixelWidth = 4000;
        spec.pixelHeight = 3000;
        spec.thumbnailBytes = 1500;
        return sxtest::makeExifBlock (spec);
    }

    juce::StringArray filesIn (const juce::File& folder)
    {
        juce::StringArray names;
        for (const auto& f : folder.findChildFiles (juce::File::findFilesAndDirectories, false, "*"))
            names.add (f.getFileName());
        names.sort (false);
        return names;
    }

    struct ImageSaveWriterTest : ::testing::Test
    {
        ImageSaveWriterTest()
        {
            writer->onFinished = [this] (const ImageSaveWriter::Outcome& outcome)
            {
                EXPECT_TRUE (juce::MessageManager::getInstance()->isThisTheMessageThread());
                outcomes.push_back (outcome);
            };
        }

        /** Waits for the writes and hands their outcomes to the message thread. */
        void finish()
        {
            writer->waitUntilIdle();
            sxgui::drainMessages();
        }

        ImageFileWriter::Options options (FileType type, int quality = 90) const
        {
            ImageFileWriter::Options o;
            o.type = type;
            o.quality = quality;
            o.resolutionX = 300.0;
            o.resolutionY = 300.0;
            o.exif = cameraData();
            return o;
        }

        sxtest::TempFolder temp;
        std::unique_ptr<ImageSaveWriter> writer = std::make_unique<ImageSaveWriter>();
        std::vector<ImageSaveWriter::Outcome> outcomes;
    };
}

TEST_F (ImageSaveWriterTest, EveryTypeReadsBackWithSizeResolutionCameraDataAndItsAlphaRule)
{
    const std::pair<FileType, const char*> types[] = {
        { FileType::jpeg, "painting.jpg" }, { FileType::jpeg2000, "painting.jp2" },
        { FileType::png, "painting.png" }, { FileType::tiff, "painting.tiff" },
    };
    for (const auto& [type, name] : types)
        writer->write (makePainting (301, 207), temp.get().getChildFile (name), options (type, 100));
    finish();

    ASSERT_EQ (outcomes.size(), 4u);
    for (const auto& [type, name] : types)
    {
        SCOPED_TRACE (name);
        const auto file = temp.get().getChildFile (name);
        const auto back = readBack (file);
        ASSERT_EQ (back.width, 301);
        ASSERT_EQ (back.height, 207);
        EXPECT_NEAR (back.resolutionX, 300.0, 0.01);
        EXPECT_NEAR (back.resolutionY, 300.0, 0.01);
        EXPECT_EQ (sxtest::exifValue (back.exifBlock, EXIF_IFD_0, EXIF_TAG_ORIENTATION), "1");
        EXPECT_EQ (sxtest::exifValue (back.exifBlock, EXIF_IFD_0, EXIF_TAG_MAKE), "Testmaker");
        EXPECT_EQ (sxtest::exifValue (back.exifBlock, EXIF_IFD_EXIF, EXIF_TAG_PIXEL_X_DIMENSION), "301");

        // The left column is transparent: white in a JPEG, kept in the others.
        const auto* leftPixel = &back.rgba[(size_t) (100 * back.width) * 4];
        if (type == FileType::jpeg)
        {
            EXPECT_GE (leftPixel[0], 250);
            EXPECT_GE (leftPixel[1], 250);
            EXPECT_GE (leftPixel[2], 250);
            EXPECT_EQ (leftPixel[3], 255);
        }
        else
        {
            EXPECT_EQ (leftPixel[3], 0);
        }
    }
    for (const auto& outcome : outcomes)
    {
        EXPECT_TRUE (outcome.succeeded()) << outcome.message;
        EXPECT_TRUE (outcome.message.isEmpty());
    }
}

TEST_F (ImageSaveWriterTest, TheChosenTypeDecidesTheFlatteningWhateverTheNameSays)
{
    // JPEG under a PNG name is still flattened; PNG under a JPEG name keeps its alpha.
    const auto jpegAsPng = temp.get().getChildFile ("jpeg-inside.png");
    const auto pngAsJpeg = temp.get().getChildFile ("png-inside.jpg");
    writer->write (makePainting (64, 48), jpegAsPng, options (FileType::jpeg));
    writer->write (makePainting (64, 48), pngAsJpeg, options (FileType::png));
    finish();

    juce::MemoryBlock jpegBytes, pngBytes;
    jpegAsPng.loadFileAsData (jpegBytes);
    pngAsJpeg.loadFileAsData (pngBytes);
    ASSERT_GT (jpegBytes.getSize(), 4u);
    ASSERT_GT (pngBytes.getSize(), 4u);
    EXPECT_EQ ((uint8_t) jpegBytes[0], 0xff);
    EXPECT_EQ ((uint8_t) jpegBytes[1], 0xd8);
    EXPECT_EQ ((uint8_t) pngBytes[1], 'P');

    const auto flat = readBack (jpegAsPng);
    ASSERT_EQ (flat.width, 64);
    EXPECT_GE (flat.rgba[0], 250);
    EXPECT_EQ (flat.rgba[3], 255);
    const auto kept = readBack (pngAsJpeg);
    ASSERT_EQ (kept.width, 64);
    EXPECT_EQ (kept.rgba[3], 0);
}

TEST_F (ImageSaveWriterTest, ItWritesItsOwnCopyOfAnImageTheCallerStillHolds)
{
    auto painting = makePainting (80, 60);
    const auto expected = SxRef<SxImageRgbaBytes> (painting->clone());
    const auto file = temp.get().getChildFile ("copy.png");

    writer->write (painting, file, options (FileType::png));
    painting->fill (0);   // the caller goes on with its image at once
    finish();

    const auto back = readBack (file);
    ASSERT_EQ (back.width, 80);
    EXPECT_EQ (back.rgba, expected->createPlatformImage().rgba);
}

TEST_F (ImageSaveWriterTest, OutcomesArriveInOrderAndAFailureNamesTheFileAndTheReason)
{
    const auto good = temp.get().getChildFile ("good.png");
    const auto nowhere = temp.get().getChildFile ("no such folder").getChildFile ("lost.png");
    writer->write (makePainting (20, 20), good, options (FileType::png));
    writer->write (makePainting (20, 20), nowhere, options (FileType::png));
    writer->write (SxRef<SxImageRgbaBytes>(), temp.get().getChildFile ("empty.png"), options (FileType::png));
    finish();

    ASSERT_EQ (outcomes.size(), 3u);
    EXPECT_EQ (outcomes[0].file, good);
    EXPECT_TRUE (outcomes[0].succeeded());
    EXPECT_EQ (outcomes[1].file, nowhere);
    EXPECT_FALSE (outcomes[1].succeeded());
    EXPECT_TRUE (outcomes[1].message.contains ("lost.png")) << outcomes[1].message;
    EXPECT_TRUE (outcomes[1].message.contains ("cannot be written to")) << outcomes[1].message;
    EXPECT_FALSE (outcomes[2].succeeded());
    EXPECT_TRUE (outcomes[2].message.contains ("no picture")) << outcomes[2].message;
    EXPECT_FALSE (temp.get().getChildFile ("empty.png").exists());
}

//==============================================================================
namespace
{
    /** An old file in its own folder, to be replaced by a save that fails. */
    struct FailedBackgroundSave : ImageSaveWriterTest
    {
        void SetUp() override
        {
            folder = temp.get().getChildFile ("pictures");
            ASSERT_TRUE (folder.createDirectory().wasOk());
            target = folder.getChildFile ("painting.png");
            ASSERT_TRUE (target.replaceWithText ("the old painting"));
        }

        void expectOldFileAloneAndTheFailureTold (const juce::String& reason)
        {
            EXPECT_EQ (target.loadFileAsString(), "the old painting");
            EXPECT_EQ (filesIn (folder), juce::StringArray ("painting.png"));
            ASSERT_EQ (outcomes.size(), 1u);
            EXPECT_FALSE (outcomes[0].succeeded());
            EXPECT_TRUE (outcomes[0].message.contains ("painting.png")) << outcomes[0].message;
            EXPECT_TRUE (outcomes[0].message.containsIgnoreCase (reason)) << outcomes[0].message;
        }

        void expectASaveElsewhereSucceeds()
        {
            const auto elsewhere = temp.get().getChildFile ("painting.png");
            writer->write (makePainting (400, 300), elsewhere, options (FileType::png));
            finish();
            ASSERT_EQ (outcomes.size(), 2u);
            EXPECT_TRUE (outcomes[1].succeeded()) << outcomes[1].message;
            EXPECT_EQ (readBack (elsewhere).width, 400);
        }

        juce::File folder, target;
    };
}

TEST_F (FailedBackgroundSave, AFileSizeLimitLeavesTheOldFileAndIsReported)
{
    // Half of what the file needs (the whole file fits the writer's buffer).
    juce::MemoryBlock encoded;
    ASSERT_TRUE (ImageFileWriter::encode (*makePainting (400, 300), options (FileType::png), encoded).wasOk());
    {
        const sxtest::ScopedFileSizeLimit limit ((rlim_t) encoded.getSize() / 2);
        writer->write (makePainting (400, 300), target, options (FileType::png));
        writer->waitUntilIdle();
    }
    sxgui::drainMessages();
    expectOldFileAloneAndTheFailureTold ("too large");
    expectASaveElsewhereSucceeds();
}

TEST_F (FailedBackgroundSave, AReadOnlyFolderLeavesTheOldFileAndIsReported)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    ASSERT_TRUE (folder.setReadOnly (true, false));
    writer->write (makePainting (400, 300), target, options (FileType::png));
    finish();
    folder.setReadOnly (false, false);
    expectOldFileAloneAndTheFailureTold ("cannot be written to");
    expectASaveElsewhereSucceeds();
}

//==============================================================================
TEST_F (ImageSaveWriterTest, QuittingWaitsForEveryQueuedWriteToBeComplete)
{
    // Large enough that the writes are still queued when the writer is asked to go.
    juce::Array<juce::File> files;
    for (const auto& name : { "first.png", "second.tiff", "third.jpg" })
        files.add (temp.get().getChildFile (name));
    writer->write (makePainting (2400, 1600), files[0], options (FileType::png));
    writer->write (makePainting (2400, 1600), files[1], options (FileType::tiff));
    writer->write (makePainting (2400, 1600), files[2], options (FileType::jpeg));
    EXPECT_FALSE (writer->isIdle());

    writer.reset();

    for (const auto& file : files)
    {
        SCOPED_TRACE (file.getFileName());
        const auto back = readBack (file);
        EXPECT_EQ (back.width, 2400);
        EXPECT_EQ (back.height, 1600);
    }
    EXPECT_EQ (filesIn (temp.get()), juce::StringArray ({ "first.png", "second.tiff", "third.jpg" }));

    // What the writer had posted finds no one to tell.
    sxgui::drainMessages();
    EXPECT_TRUE (outcomes.empty());
}

TEST_F (ImageSaveWriterTest, WaitUntilIdleReturnsWithTheFilesComplete)
{
    const auto file = temp.get().getChildFile ("waited.tiff");
    writer->write (makePainting (2400, 1600), file, options (FileType::tiff));
    writer->waitUntilIdle();
    EXPECT_TRUE (writer->isIdle());
    EXPECT_EQ (readBack (file).height, 1600);
    EXPECT_EQ (filesIn (temp.get()), juce::StringArray ("waited.tiff"));

    // An idle writer waits for nothing; one that never wrote has no thread to join.
    writer->waitUntilIdle();
    ImageSaveWriter unused;
    unused.waitUntilIdle();
    EXPECT_TRUE (unused.isIdle());
}
