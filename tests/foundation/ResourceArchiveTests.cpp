#include "AppIdentity.h"
#include "PropertyValues.h"
#include "ResourceArchive.h"
#include "SxPropertySet.h"
#include "TestImages.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <thread>

namespace
{
    /** Points the resource lookup at a temporary folder and builds archives there. */
    class ResourceArchiveFixture : public ::testing::Test
    {
    protected:
        sxtest::TempFolder folder;

        void SetUp() override
        {
            ::setenv ("SX_RESOURCE_DIR", folder.get().getFullPathName().toRawUTF8(), 1);
            loadResourceArchiveIndex();
        }

        void TearDown() override
        {
            ::unsetenv ("SX_RESOURCE_DIR");
            loadResourceArchiveIndex();
        }

        juce::File archiveFile() const { return folder.get().getChildFile (AppIdentity::getAppName() + ".bin"); }

        /** Byte i of the filler before the index. */
        static uint8_t filler (int i) { return (uint8_t) (i * 7 + 3); }

        static juce::String groupXml (const juce::StringArray& names, const juce::Array<int>& locations,
                                      const juce::Array<int>& sizes, int count = -1)
        {
            SxPropertySet set;
            setIntProperty (set, "Count", count >= 0 ? count : names.size());
            for (int i = 0; i < names.size(); ++i)
            {
                setStringProperty (set, "Name" + juce::String (i), names[i]);
                setIntProperty (set, "Location" + juce::String (i), locations[i]);
                setIntProperty (set, "Size" + juce::String (i), sizes[i]);
            }
            juce::PropertySet outer;
            set.writeAsRecord (outer, "g");
            return outer.getValue ("g");
        }

        /** 200 bytes of filler (an 8-byte header first), then the index length and the index. */
        juce::MemoryBlock makeArchive (const juce::StringPairArray& index, int64_t indexOffset = 200,
                                       int64_t indexLengthDelta = 0) const
        {
            SxPropertySet set;
            for (int i = 0; i < index.size(); ++i)
                set.setValue (index.getAllKeys()[i], index.getAllValues()[i]);
            juce::MemoryOutputStream indexBytes;
            set.writeToStream (indexBytes);

            juce::MemoryOutputStream out;
            out.writeInt64 (indexOffset);
            for (int i = 8; i < 200; ++i)
                out.writeByte ((char) filler (i));
            out.writeInt64 ((juce::int64) indexBytes.getDataSize() + indexLengthDelta);
            out << indexBytes.getMemoryBlock();
            return out.getMemoryBlock();
        }

        void writeArchive (const juce::MemoryBlock& bytes) const
        {
            ASSERT_TRUE (archiveFile().replaceWithData (bytes.getData(), bytes.getSize()));
        }

        static juce::StringPairArray fibresIndex (int version, const juce::String& name = "Fibers.png")
        {
            juce::StringPairArray index;
            index.set ("binaryFileVersion", juce::String (version));
            index.set ("G", groupXml ({ name }, { 100 }, { 20 }));
            return index;
        }
    };

    std::vector<uint8_t> readItem (const juce::String& group, const juce::String& name)
    {
        juce::HeapBlock<uint8_t> bytes;
        int32_t size = -1;
        if (! readResourceArchiveEntry (group, name, bytes, size))
            return {};
        return std::vector<uint8_t> (bytes.get(), bytes.get() + size);
    }
}

TEST_F (ResourceArchiveFixture, PlainItemIsFoundByNameAndByStem)
{
    writeArchive (makeArchive (fibresIndex (0)));

    EXPECT_EQ (getArchiveItemCount ("G"), 1);
    EXPECT_EQ (getArchiveItemNames ("G", true), juce::StringArray ("Fibers.png"));
    EXPECT_EQ (getArchiveItemNames ("G", false), juce::StringArray ("Fibers"));

    std::vector<uint8_t> expected;
    for (int i = 100; i < 120; ++i)
        expected.push_back (filler (i));
    EXPECT_EQ (readItem ("G", "Fibers"), expected);
    EXPECT_EQ (readItem ("G", "Fibers.png"), expected);

    juce::MemoryBlock block ("old", 3);
    ASSERT_TRUE (readArchiveItemBlock ("G", "Fibers", block));
    EXPECT_EQ (block, juce::MemoryBlock (expected.data(), expected.size()));
}

TEST_F (ResourceArchiveFixture, ScrambledItemIsCombinedWithTheKey)
{
    writeArchive (makeArchive (fibresIndex (1)));
    std::vector<uint8_t> expected;
    for (int i = 100; i < 120; ++i)
        expected.push_back ((uint8_t) (filler (i) ^ ResourceArchive::resourceArchiveKey));
    EXPECT_EQ (readItem ("G", "Fibers"), expected);
}

TEST_F (ResourceArchiveFixture, VersionKeyAndUnknownGroupsHaveNoItems)
{
    writeArchive (makeArchive (fibresIndex (0)));
    EXPECT_EQ (getArchiveItemCount ("binaryFileVersion"), 0);
    EXPECT_EQ (getArchiveItemCount ("Missing"), 0);
    EXPECT_EQ (getArchiveItemCount ("g"), 0) << "group names compare case-sensitively";
    EXPECT_TRUE (getArchiveItemNames ("Missing", true).isEmpty());

    juce::HeapBlock<uint8_t> bytes;
    int32_t size = 77;
    EXPECT_FALSE (readResourceArchiveEntry ("G", "Other", bytes, size));
    EXPECT_EQ (size, 77);
    EXPECT_EQ (bytes.get(), nullptr);

    juce::MemoryBlock block ("old", 3);
    EXPECT_FALSE (readArchiveItemBlock ("Missing", "Fibers", block));
    EXPECT_EQ (block, juce::MemoryBlock ("old", 3));
    EXPECT_FALSE (loadArchiveImage ("G", "Other").isValid());
}

TEST_F (ResourceArchiveFixture, NestedNameMatchesItsStemAndItsFullName)
{
    writeArchive (makeArchive (fibresIndex (0, "a/b.c.png")));
    EXPECT_EQ (readItem ("G", "b.c").size(), 20u);
    EXPECT_EQ (readItem ("G", "a/b.c.png").size(), 20u);
    EXPECT_TRUE (readItem ("G", "b").empty());
}

TEST (ResourceArchiveNames, StemReduction)
{
    const std::pair<const char*, const char*> cases[] = {
        { "Fibers.png", "Fibers" }, { "a/b.c.png", "b.c" }, { "dir/noext", "noext" },
        { "plain", "plain" }, { "x.y/z", "z" }, { "Aged-Paper37.jpg", "Aged-Paper37" }, { "", "" },
    };
    for (const auto& [name, stem] : cases)
        EXPECT_EQ (ResourceArchive::reduceToFileStem (name), juce::String (stem)) << name;
}

TEST_F (ResourceArchiveFixture, MissingArchiveIsRetriedOnTheNextLookup)
{
    EXPECT_EQ (getArchiveItemCount ("G"), 0);
    EXPECT_TRUE (readItem ("G", "Fibers").empty());
    EXPECT_FALSE (loadArchiveImage ("G", "Fibers").isValid());

    writeArchive (makeArchive (fibresIndex (0)));
    EXPECT_EQ (getArchiveItemCount ("G"), 1) << "no explicit reload: the empty registry loads again";
}

TEST_F (ResourceArchiveFixture, HostileIndexesAreRefused)
{
    struct Case { const char* what; juce::MemoryBlock bytes; int expectedCount; bool itemReadable; };
    const auto good = fibresIndex (0);

    auto itemIndex = [&] (int location, int size, int count = -1)
    {
        juce::StringPairArray index;
        index.set ("binaryFileVersion", "0");
        index.set ("G", groupXml ({ "Fibers.png" }, { location }, { size }, count));
        return makeArchive (index);
    };

    std::vector<Case> cases;
    cases.push_back ({ "index offset past the end", makeArchive (good, 1 << 30), 0, false });
    cases.push_back ({ "negative index offset", makeArchive (good, 0xfffffff0LL), 0, false });
    cases.push_back ({ "index offset inside the header", makeArchive (good, 4), 0, false });
    cases.push_back ({ "index length past the end", makeArchive (good, 200, 1000), 0, false });
    cases.push_back ({ "index length of 4 GiB", makeArchive (good, 200, 0xffffff00LL), 0, false });
    cases.push_back ({ "item past the end", itemIndex (100, 1 << 20), 1, false });
    cases.push_back ({ "item location negative", itemIndex (-50, 20), 1, false });
    cases.push_back ({ "item size negative", itemIndex (100, -20), 1, false });
    cases.push_back ({ "item location plus size overflows", itemIndex (0x7ffffff0, 0x7ffffff0), 1, false });
    cases.push_back ({ "count far beyond the pairs", itemIndex (100, 20, 0x7fffffff), 4, true });
    juce::StringPairArray notXml;
    notXml.set ("G", "not <xml");
    cases.push_back ({ "group value not XML", makeArchive (notXml), 0, false });
    cases.push_back ({ "four bytes", juce::MemoryBlock ("\x10\0\0\0", 4), 0, false });
    cases.push_back ({ "empty file", juce::MemoryBlock(), 0, false });

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        writeArchive (c.bytes);
        loadResourceArchiveIndex();
        EXPECT_EQ (getArchiveItemCount ("G"), c.expectedCount);
        EXPECT_EQ (readItem ("G", "Fibers").size(), c.itemReadable ? 20u : 0u);
        EXPECT_FALSE (loadArchiveRgbaImage ("G", "Fibers"));
    }
}

TEST_F (ResourceArchiveFixture, ImagesDecodeAndGrayIsTheChannelMean)
{
    juce::Image image (juce::Image::RGB, 3, 2, true);
    image.setPixelAt (0, 0, juce::Colour (30, 60, 91));
    image.setPixelAt (2, 1, juce::Colours::white);
    juce::MemoryOutputStream png;
    ASSERT_TRUE (juce::PNGImageFormat().writeImageToStream (image, png));

    // Item bytes live in the filler area: overwrite it with the PNG.
    juce::StringPairArray index;
    index.set ("binaryFileVersion", "1");
    index.set ("G", groupXml ({ "pic.png", "tiny.png", "junk.png" }, { 8, 8, 8 }, { (int) png.getDataSize(), 4, 40 }));
    // The PNG (scrambled) right after the header, then the index.
    juce::MemoryOutputStream out;
    out.writeInt64 (8 + (int64_t) png.getDataSize());
    for (size_t i = 0; i < png.getDataSize(); ++i)
        out.writeByte ((char) (static_cast<const uint8_t*> (png.getData())[i] ^ ResourceArchive::resourceArchiveKey));
    SxPropertySet set;
    for (int i = 0; i < index.size(); ++i)
        set.setValue (index.getAllKeys()[i], index.getAllValues()[i]);
    juce::MemoryOutputStream indexBytes;
    set.writeToStream (indexBytes);
    out.writeInt64 ((juce::int64) indexBytes.getDataSize());
    out << indexBytes.getMemoryBlock();
    writeArchive (out.getMemoryBlock());

    const auto decoded = loadArchiveImage ("G", "pic");
    ASSERT_TRUE (decoded.isValid());
    EXPECT_EQ (decoded.getWidth(), 3);
    EXPECT_EQ (decoded.getHeight(), 2);

    const auto gray = loadArchiveGrayImage ("G", "pic");
    ASSERT_TRUE (gray);
    EXPECT_EQ (gray->getRowPointer (0)[0], (30 + 60 + 91) / 3);
    EXPECT_EQ (gray->getRowPointer (1)[2], 255);
    EXPECT_EQ (gray->getRowPointer (1)[0], 0);

    EXPECT_FALSE (loadArchiveImage ("G", "tiny").isValid()) << "4 bytes or fewer";
    EXPECT_FALSE (loadArchiveImage ("G", "junk").isValid()) << "no format takes it";
    EXPECT_FALSE (loadArchiveGrayImage ("G", "junk"));
}

TEST_F (ResourceArchiveFixture, ConcurrentFirstLookupsAgree)
{
    writeArchive (makeArchive (fibresIndex (1)));
    ::setenv ("SX_RESOURCE_DIR", folder.get().getChildFile ("none").getFullPathName().toRawUTF8(), 1);
    loadResourceArchiveIndex(); // empty registry: every thread below races to fill it
    ::setenv ("SX_RESOURCE_DIR", folder.get().getFullPathName().toRawUTF8(), 1);

    std::atomic<int> failures { 0 };
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t)
        threads.emplace_back ([&]
        {
            for (int i = 0; i < 50; ++i)
                if (getArchiveItemCount ("G") != 1 || readItem ("G", "Fibers").size() != 20)
                    ++failures;
        });
    for (auto& t : threads)
        t.join();
    EXPECT_EQ (failures.load(), 0);
}
