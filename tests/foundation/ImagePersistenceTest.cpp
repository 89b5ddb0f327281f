#include "AppIdentity.h"
#include "ImageBlob.h"
#include "SxPropertySet.h"
#include "TestImages.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace
{
    using Bytes = std::vector<uint8_t>;

    Bytes zlibOf (const Bytes& content)
    {
        juce::MemoryOutputStream out;
        {
            juce::GZIPCompressorOutputStream zlib (out, 9);
            zlib.write (content.data(), content.size());
        }
        const auto* d = static_cast<const uint8_t*> (out.getData());
        return Bytes (d, d + out.getDataSize());
    }

    Bytes inflate (const juce::MemoryBlock& compressed)
    {
        juce::MemoryInputStream in (compressed, false);
        juce::GZIPDecompressorInputStream zlib (in);
        juce::MemoryBlock out;
        zlib.readIntoMemoryBlock (out);
        const auto* d = static_cast<const uint8_t*> (out.getData());
        return Bytes (d, d + out.getSize());
    }

    /** Stores raw blob content as an entry under key, the way the writers do. */
    void storeContent (SxPropertySet& set, const juce::String& key, const Bytes& content)
    {
        const auto compressed = zlibOf (content);
        set.setValue (key + "_data", juce::MemoryBlock (compressed.data(), compressed.size()).toBase64Encoding());
    }

    Bytes blobContent (int flag, int width, int height, const Bytes& pixels)
    {
        Bytes b { (uint8_t) flag, (uint8_t) width, (uint8_t) (width >> 8), (uint8_t) height, (uint8_t) (height >> 8) };
        b.insert (b.end(), pixels.begin(), pixels.end());
        return b;
    }

    Bytes pixelsOf (const SxImageRgbaBytes& image)
    {
        return Bytes (image.pixels, image.pixels + (size_t) image.width * (size_t) image.height * 4);
    }

    SxRef<SxImageRgbaBytes> patternImage (int w, int h)
    {
        SxRef<SxImageRgbaBytes> image (new SxImageRgbaBytes (w, h));
        for (size_t i = 0; i < (size_t) w * (size_t) h * 4; ++i)
            image->pixels[i] = (uint8_t) (1 + (i * 131 + i / 7) % 251); // never 0
        return image;
    }

    Bytes fileBytes (const juce::File& file)
    {
        juce::MemoryBlock block;
        file.loadFileAsData (block);
        const auto* d = static_cast<const uint8_t*> (block.getData());
        return Bytes (d, d + block.getSize());
    }

    void writeFile (const juce::File& file, const Bytes& bytes)
    {
        file.deleteFile();
        juce::FileOutputStream out (file);
        out.write (bytes.data(), bytes.size());
    }
}

//==============================================================================
TEST (ImageEntry, OnePixelEntryIsExact)
{
    SxRef<SxImageRgbaBytes> image (new SxImageRgbaBytes (1, 1));
    const Bytes pixel { 1, 2, 3, 4 };
    std::copy (pixel.begin(), pixel.end(), image->pixels);

    SxPropertySet set;
    EXPECT_TRUE (image->writeToPropertySet (set, "k"));
    EXPECT_EQ (set.getAllProperties().getAllKeys(), juce::StringArray { "k_data" });

    const auto text = set.getValue ("k_data");
    juce::MemoryBlock compressed;
    ASSERT_TRUE (compressed.fromBase64Encoding (text));
    EXPECT_TRUE (text.startsWith (juce::String ((int) compressed.getSize()) + "."));
    EXPECT_EQ (compressed[0], (char) 0x78); // zlib header at the highest level
    EXPECT_EQ (compressed[1], (char) 0xda);
    EXPECT_EQ (inflate (compressed), (Bytes { 0, 1, 0, 1, 0, 1, 2, 3, 4 }));

    const auto back = SxImageRgbaBytes::readFromPropertySet (set, "k");
    ASSERT_TRUE (back);
    EXPECT_EQ (back->width, 1);
    EXPECT_EQ (back->height, 1);
    EXPECT_TRUE (back->ownsPixels);
    EXPECT_EQ (pixelsOf (*back), pixel);

    SxPropertySet reversed;
    storeContent (reversed, "k", blobContent (1, 1, 1, pixel));
    const auto flipped = SxImageRgbaBytes::readFromPropertySet (reversed, "k");
    ASSERT_TRUE (flipped);
    EXPECT_EQ (pixelsOf (*flipped), (Bytes { 4, 3, 2, 1 }));
}

TEST (ImageEntry, GrayEntries)
{
    SxRef<SxImageAlphaByte> gray (new SxImageAlphaByte (3, 2));
    for (int i = 0; i < 6; ++i)
        gray->pixels[i] = (uint8_t) (10 * i + 5);

    SxPropertySet set;
    EXPECT_TRUE (gray->writeToPropertySet (set, "g"));
    juce::MemoryBlock compressed;
    compressed.fromBase64Encoding (set.getValue ("g_data"));
    EXPECT_EQ (inflate (compressed), blobContent (0, 3, 2, { 5, 15, 25, 35, 45, 55 }));

    const auto back = SxImageAlphaByte::readFromPropertySet (set, "g");
    ASSERT_TRUE (back);
    EXPECT_EQ (back->width, 3);
    EXPECT_EQ (back->height, 2);
    EXPECT_EQ (std::memcmp (back->pixels, gray->pixels, 6), 0);

    // The reversed flag means nothing for one-byte pixels.
    SxPropertySet flagged;
    storeContent (flagged, "g", blobContent (1, 2, 1, { 7, 8 }));
    const auto same = SxImageAlphaByte::readFromPropertySet (flagged, "g");
    ASSERT_TRUE (same);
    EXPECT_EQ (same->pixels[0], 7);
    EXPECT_EQ (same->pixels[1], 8);
}

TEST (ImageEntry, MissingAndEmptyEntries)
{
    struct Case { const char* name; Bytes content; bool none; int width; int height; };
    const Case cases[] = {
        { "stored 0 x 5",     blobContent (0, 0, 5, {}),  false, 0, 0 },
        { "stored 5 x 0",     blobContent (0, 5, 0, {}),  false, 5, 0 },
        { "flag only",        Bytes { 0 },                false, 0, 0 },
        { "nothing inflated", Bytes {},                   false, 0, 0 },
        { "height cut",       Bytes { 0, 3, 0, 1 },       false, 3, 0 },
    };
    for (const auto& c : cases)
    {
        SxPropertySet set;
        storeContent (set, "k", c.content);
        const auto colour = SxImageRgbaBytes::readFromPropertySet (set, "k");
        ASSERT_TRUE (colour) << c.name;
        EXPECT_EQ (colour->width, c.width) << c.name;
        EXPECT_EQ (colour->height, c.height) << c.name;
        EXPECT_EQ (colour->pixels, nullptr) << c.name;

        const auto gray = SxImageAlphaByte::readFromPropertySet (set, "k");
        ASSERT_TRUE (gray) << c.name;
        EXPECT_EQ (gray->width, c.width) << c.name;
        EXPECT_EQ (gray->height, c.height) << c.name;
    }

    SxPropertySet set;
    EXPECT_FALSE (SxImageRgbaBytes::readFromPropertySet (set, "k"));
    EXPECT_FALSE (SxImageAlphaByte::readFromPropertySet (set, "k"));
    set.setValue ("k_data", "");
    EXPECT_FALSE (SxImageRgbaBytes::readFromPropertySet (set, "k"));
    set.setValue ("K_data", "1.AA"); // keys are case-sensitive
    EXPECT_FALSE (SxImageRgbaBytes::readFromPropertySet (set, "k"));
}

TEST (ImageEntry, SidesAreUnsignedSixteenBit)
{
    // 40,000 does not fit a signed 16-bit field but round-trips as unsigned.
    const auto wide = patternImage (40000, 1);
    SxPropertySet set;
    ASSERT_TRUE (wide->writeToPropertySet (set, "w"));
    const auto back = SxImageRgbaBytes::readFromPropertySet (set, "w");
    ASSERT_TRUE (back);
    EXPECT_EQ (back->width, 40000);
    EXPECT_EQ (pixelsOf (*back), pixelsOf (*wide));

    // Wider than the field holds: refused, nothing written.
    SxRef<SxImageRgbaBytes> tooWide (new SxImageRgbaBytes (65536, 1));
    SxRef<SxImageAlphaByte> tooTall (new SxImageAlphaByte (1, 65536));
    SxPropertySet untouched;
    EXPECT_FALSE (tooWide->writeToPropertySet (untouched, "a"));
    EXPECT_FALSE (tooTall->writeToPropertySet (untouched, "b"));
    EXPECT_EQ (untouched.getAllProperties().size(), 0);
}

TEST (ImageEntry, TruncatedAndHostileEntries)
{
    const auto image = patternImage (64, 64);
    SxPropertySet set;
    image->writeToPropertySet (set, "k");
    const auto text = set.getValue ("k_data");

    // Text cut in half: the pixels that arrived, the rest zero.
    SxPropertySet cut;
    cut.setValue ("k_data", text.substring (0, text.length() / 2));
    const auto partial = SxImageRgbaBytes::readFromPropertySet (cut, "k");
    ASSERT_TRUE (partial);
    ASSERT_EQ (partial->width, 64);
    ASSERT_EQ (partial->height, 64);
    const auto original = pixelsOf (*image);
    const auto got = pixelsOf (*partial);
    size_t arrived = 0;
    while (arrived < got.size() && got[arrived] == original[arrived])
        ++arrived;
    EXPECT_GT (arrived, 0u);
    EXPECT_LT (arrived, got.size());
    for (size_t i = arrived; i < got.size(); ++i)
        ASSERT_EQ (got[i], 0) << i;

    // Sizes the data cannot back are refused instead of allocated.
    struct Case { const char* name; Bytes content; };
    const Case cases[] = {
        { "65535 x 65535, no pixels", blobContent (0, 65535, 65535, {}) },
        { "4096 x 4096, one pixel",   blobContent (0, 4096, 4096, { 1, 2, 3, 4 }) },
    };
    for (const auto& c : cases)
    {
        SxPropertySet hostile;
        storeContent (hostile, "k", c.content);
        EXPECT_FALSE (SxImageRgbaBytes::readFromPropertySet (hostile, "k")) << c.name;
        EXPECT_FALSE (SxImageAlphaByte::readFromPropertySet (hostile, "k")) << c.name;
    }

    // Announced byte counts beyond the text: capped, no huge block.
    for (const char* t : { "2000000000.AAAAAAAA", "-7.AAAAAAAA", "99999999999999999999.", "no dot at all" })
    {
        SxPropertySet hostile;
        hostile.setValue ("k_data", t);
        const auto result = SxImageRgbaBytes::readFromPropertySet (hostile, "k");
        if (result)
        {
            EXPECT_EQ (result->pixels, nullptr) << t;
        }
    }
    juce::MemoryBlock capped;
    EXPECT_TRUE (ImageBlob::decodeBase64 ("2000000000.AAAAAAAA", capped));
    EXPECT_EQ (capped.getSize(), 6u);
}

//==============================================================================
TEST (ImageOlderBlock, MarkerLengthAndBareForms)
{
    const auto image = patternImage (3, 2);
    const auto compressed = zlibOf (blobContent (0, 3, 2, pixelsOf (*image)));

    juce::MemoryOutputStream marked;
    marked.write ("IMAG", 4);
    marked.writeInt ((int) compressed.size());
    marked.write (compressed.data(), compressed.size());
    marked.write ("TAIL", 4);

    juce::MemoryInputStream in (marked.getData(), marked.getDataSize(), false);
    const auto fromMarked = SxImageRgbaBytes::readFromStream (in);
    ASSERT_TRUE (fromMarked);
    EXPECT_EQ (pixelsOf (*fromMarked), pixelsOf (*image));
    EXPECT_EQ (in.getPosition(), (juce::int64) (8 + compressed.size()));

    juce::MemoryOutputStream bare;
    bare.write ("xx", 2);
    bare.write (compressed.data(), compressed.size());
    juce::MemoryInputStream bareIn (bare.getData(), bare.getDataSize(), false);
    bareIn.setPosition (2);
    const auto fromBare = SxImageRgbaBytes::readFromStream (bareIn);
    ASSERT_TRUE (fromBare);
    EXPECT_EQ (fromBare->width, 3);
    EXPECT_EQ (pixelsOf (*fromBare), pixelsOf (*image));
}

TEST (ImageOlderBlock, DamagedBlocks)
{
    const auto zeroWidth = zlibOf (blobContent (0, 0, 2, {}));
    const auto good = zlibOf (blobContent (0, 1, 1, { 9, 8, 7, 6 }));

    const auto marked = [] (int length, const Bytes& data)
    {
        juce::MemoryOutputStream out;
        out.write ("IMAG", 4);
        out.writeInt (length);
        out.write (data.data(), data.size());
        return out.getMemoryBlock();
    };

    struct Case { const char* name; juce::MemoryBlock stream; bool none; int width; };
    const Case cases[] = {
        { "marker, width 0",           marked ((int) zeroWidth.size(), zeroWidth), true, 0 },
        { "marker, negative length",   marked (-20, good),                         true, 0 },
        { "marker, huge length",       marked (0x7fffffff, good),                  false, 1 },
        { "bare, width 0",             juce::MemoryBlock (zeroWidth.data(), zeroWidth.size()), false, 0 },
        { "empty stream",              juce::MemoryBlock(),                        false, 0 },
    };
    for (const auto& c : cases)
    {
        juce::MemoryInputStream in (c.stream, false);
        const auto image = SxImageRgbaBytes::readFromStream (in);
        EXPECT_EQ (! image, c.none) << c.name;
        if (image)
        {
            EXPECT_EQ (image->width, c.width) << c.name;
        }
    }
}

//==============================================================================
class ImageSwapFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (const char* old = std::getenv ("XDG_DATA_HOME"))
            previous = old;
        dataHome = temp.get().getChildFile ("data home"); // not created: swapOut must make it
        setenv ("XDG_DATA_HOME", dataHome.getFullPathName().toRawUTF8(), 1);
    }

    void TearDown() override
    {
        if (previous.empty())
            unsetenv ("XDG_DATA_HOME");
        else
            setenv ("XDG_DATA_HOME", previous.c_str(), 1);
    }

    juce::File swapFile() const { return dataHome.getChildFile ("Quenzella - Tolva").getChildFile ("origBeforeEdit.tmp"); }

    sxtest::TempFolder temp;
    juce::File dataHome;
    std::string previous;
};

TEST_F (ImageSwapFile, RoundTripAndHeaderForm)
{
    EXPECT_EQ (AppIdentity::getAppName(), "Quenzella - Tolva");
    EXPECT_EQ (SxImageRgbaBytes::getSwapFile ("origBeforeEdit.tmp"), swapFile());

    const auto image = patternImage (2, 1);
    ASSERT_TRUE (image->swapOut ("origBeforeEdit.tmp"));
    Bytes expected { 2, 0, 1, 0 };
    const auto pixels = pixelsOf (*image);
    expected.insert (expected.end(), pixels.begin(), pixels.end());
    EXPECT_EQ (fileBytes (swapFile()), expected);

    SxRef<SxImageRgbaBytes> back (new SxImageRgbaBytes());
    ASSERT_TRUE (back->swapIn ("origBeforeEdit.tmp", false));
    EXPECT_EQ (back->width, 2);
    EXPECT_EQ (back->height, 1);
    EXPECT_TRUE (back->ownsPixels);
    EXPECT_EQ (pixelsOf (*back), pixels);
    EXPECT_TRUE (swapFile().existsAsFile());

    SxRef<SxImageRgbaBytes> again (new SxImageRgbaBytes (5, 5));
    ASSERT_TRUE (again->swapIn ("origBeforeEdit.tmp", true));
    EXPECT_EQ (again->width, 2);
    EXPECT_FALSE (swapFile().exists());

    SxImageRgbaBytes::deleteSwapFile ("origBeforeEdit.tmp"); // a missing file is no error
}

TEST_F (ImageSwapFile, ReplacesTheOldFileWithoutLeftovers)
{
    ASSERT_TRUE (patternImage (4, 4)->swapOut ("s.tmp"));
    ASSERT_TRUE (patternImage (40000, 1)->swapOut ("s.tmp"));
    const auto folder = swapFile().getParentDirectory();
    EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 1);

    SxRef<SxImageRgbaBytes> back (new SxImageRgbaBytes());
    ASSERT_TRUE (back->swapIn ("s.tmp", false));
    EXPECT_EQ (back->width, 40000);
    EXPECT_EQ (pixelsOf (*back), pixelsOf (*patternImage (40000, 1)));

    SxRef<SxImageRgbaBytes> tooWide (new SxImageRgbaBytes (65536, 1));
    EXPECT_FALSE (tooWide->swapOut ("s.tmp"));
    EXPECT_EQ (back->width, 40000);
    EXPECT_EQ (folder.getChildFile ("s.tmp").getSize(), 4 + 40000 * 4);
}

TEST_F (ImageSwapFile, IncompleteFilesKeepTheImage)
{
    const auto folder = swapFile().getParentDirectory();
    folder.createDirectory();

    struct Case { const char* name; Bytes file; };
    const Case cases[] = {
        { "pixels cut",      { 2, 0, 1, 0, 1, 2, 3, 4, 5 } },
        { "header cut",      { 2, 0, 1 } },
        { "zero width",      { 0, 0, 1, 0, 1, 2, 3, 4 } },
        { "zero height",     { 1, 0, 0, 0, 1, 2, 3, 4 } },
        { "huge header",     { 0xff, 0xff, 0xff, 0xff, 1, 2, 3, 4 } },
        { "empty file",      {} },
    };
    for (const auto& c : cases)
    {
        const auto file = folder.getChildFile ("cut.tmp");
        writeFile (file, c.file);

        const auto image = patternImage (3, 3);
        const auto before = pixelsOf (*image);
        EXPECT_FALSE (image->swapIn ("cut.tmp", true)) << c.name;
        EXPECT_EQ (image->width, 3) << c.name;
        EXPECT_EQ (image->height, 3) << c.name;
        EXPECT_EQ (pixelsOf (*image), before) << c.name;
        EXPECT_TRUE (file.existsAsFile()) << c.name;
    }

    const auto image = patternImage (3, 3);
    EXPECT_FALSE (image->swapIn ("no such file", false));
    EXPECT_NE (image->pixels, nullptr);
}
