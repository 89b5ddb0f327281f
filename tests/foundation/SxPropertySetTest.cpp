#include "PropertyValues.h"
#include "SxPropertySet.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace
{
    using Bytes = std::vector<uint8_t>;
    using Pairs = std::vector<std::pair<juce::String, juce::String>>;

    Bytes bytesOf (const juce::MemoryOutputStream& out)
    {
        const auto* d = static_cast<const uint8_t*> (out.getData());
        return Bytes (d, d + out.getDataSize());
    }

    Bytes written (const SxPropertySet& set)
    {
        juce::MemoryOutputStream out;
        set.writeToStream (out);
        return bytesOf (out);
    }

    Bytes bytesFrom (std::initializer_list<int> values)
    {
        Bytes b;
        for (int v : values)
            b.push_back ((uint8_t) v);
        return b;
    }

    Pairs pairsOf (SxPropertySet& set)
    {
        Pairs result;
        auto& all = set.getAllProperties();
        for (int i = 0; i < all.size(); ++i)
            result.emplace_back (all.getAllKeys()[i], all.getAllValues()[i]);
        return result;
    }

    void readBytes (SxPropertySet& set, const Bytes& bytes)
    {
        juce::MemoryInputStream in (bytes.data(), bytes.size(), false);
        set.readFromStream (in);
    }

    SxImageRgbaBytes* makeImage (int w, int h, uint8_t seed)
    {
        auto* image = new SxImageRgbaBytes (w, h);
        for (int i = 0; i < w * h * 4; ++i)
            image->pixels[i] = (uint8_t) (seed + i * 7);
        return image;
    }
}

//==============================================================================
TEST (SxPropertySetStream, WritesExactBytes)
{
    SxPropertySet empty;
    EXPECT_EQ (written (empty), bytesFrom ({ 0, 0, 0, 0 }));

    SxPropertySet set;
    set.setValue ("a", "1");
    EXPECT_EQ (written (set), bytesFrom ({ 1, 0, 0, 0, 'a', 0, '1', 0 }));

    set.getAllProperties().set ("bb", "");
    EXPECT_EQ (written (set), bytesFrom ({ 2, 0, 0, 0, 'a', 0, '1', 0, 'b', 'b', 0, 0 }));

    SxPropertySet utf8;
    utf8.setValue ("k", juce::String::fromUTF8 ("\xc3\xa4"));
    EXPECT_EQ (written (utf8), bytesFrom ({ 1, 0, 0, 0, 'k', 0, 0xc3, 0xa4, 0 }));
}

TEST (SxPropertySetStream, RoundTripKeepsOrderAndCase)
{
    SxPropertySet set;
    set.setValue ("Key", "upper");
    set.setValue ("key", "lower");
    set.setValue ("empty", "");
    set.setValue ("text", juce::String::fromUTF8 ("caf\xc3\xa9 \xe2\x82\xac"));
    EXPECT_EQ (set.getAllProperties().size(), 4);

    SxPropertySet back;
    readBytes (back, written (set));
    EXPECT_EQ (pairsOf (back), pairsOf (set));
    EXPECT_EQ (back.getValue ("Key"), "upper");
    EXPECT_EQ (back.getValue ("key"), "lower");

    SxPropertySet fromEmpty;
    readBytes (fromEmpty, bytesFrom ({ 0, 0, 0, 0 }));
    EXPECT_TRUE (pairsOf (fromEmpty).empty());
}

TEST (SxPropertySetStream, ReadingMergesIntoExistingPairs)
{
    SxPropertySet set;
    set.setValue ("a", "0");
    set.setValue ("z", "9");
    readBytes (set, bytesFrom ({ 2, 0, 0, 0, 'a', 0, '1', 0, 'n', 0, 'x', 0 }));
    EXPECT_EQ (pairsOf (set), (Pairs { { "a", "1" }, { "z", "9" }, { "n", "x" } }));
}

TEST (SxPropertySetStream, DamagedInputsGivePartialResults)
{
    struct Case { const char* name; Bytes input; Pairs expected; };
    const Case cases[] = {
        { "nothing",              {},                                  {} },
        { "short count",          bytesFrom ({ 1, 0, 0 }),             {} },
        { "negative count",       bytesFrom ({ 0xff, 0xff, 0xff, 0xff, 'a', 0, '1', 0 }), {} },
        { "count beyond pairs",   bytesFrom ({ 5, 0, 0, 0, 'a', 0, '1', 0, 'b', 0, '2', 0 }), { { "a", "1" }, { "b", "2" } } },
        { "huge count",           bytesFrom ({ 0xff, 0xff, 0xff, 0x7f, 'a', 0, '1', 0 }), { { "a", "1" } } },
        { "value cut",            bytesFrom ({ 1, 0, 0, 0, 'a', 0, '1', '2' }), { { "a", "12" } } },
        { "value missing",        bytesFrom ({ 1, 0, 0, 0, 'a', 'b', 0 }), { { "ab", "" } } },
        { "key cut",              bytesFrom ({ 1, 0, 0, 0, 'a', 'b' }), { { "ab", "" } } },
        { "empty key skipped",    bytesFrom ({ 2, 0, 0, 0, 0, 'x', 0, 'b', 0, '2', 0 }), { { "b", "2" } } },
        { "invalid UTF-8 value",  bytesFrom ({ 1, 0, 0, 0, 'k', 0, 0xff, 'A', 0xe9, 0 }),
                                  { { "k", juce::String::fromUTF8 ("\xc3\xbf" "A" "\xc3\xa9") } } },
        { "overlong UTF-8 key",   bytesFrom ({ 1, 0, 0, 0, 0xc0, 0xaf, 0, 'v', 0 }),
                                  { { juce::String::fromUTF8 ("\xc3\x80\xc2\xaf"), "v" } } },
        { "surrogate in UTF-8",   bytesFrom ({ 1, 0, 0, 0, 'k', 0, 0xed, 0xa0, 0x80, 0 }),
                                  { { "k", juce::String::fromUTF8 ("\xc3\xad\xc2\xa0\xc2\x80") } } },
    };

    for (const auto& c : cases)
    {
        SxPropertySet set;
        readBytes (set, c.input);
        EXPECT_EQ (pairsOf (set), c.expected) << c.name;
    }
}

TEST (SxPropertySetStream, LeavesTheStreamJustAfterTheSet)
{
    // Small set, and one whose value spans several read buffers.
    for (const int valueLength : { 3, 700000 })
    {
        SxPropertySet set;
        set.setValue ("first", "1");
        set.setValue ("long", juce::String::repeatedString ("v", valueLength));
        const auto setBytes = written (set);

        auto stream = setBytes;
        for (char c : std::string ("TAIL"))
            stream.push_back ((uint8_t) c);

        juce::MemoryInputStream in (stream.data(), stream.size(), false);
        SxPropertySet back;
        back.readFromStream (in);
        EXPECT_EQ (pairsOf (back), pairsOf (set));
        EXPECT_EQ (in.getPosition(), (juce::int64) setBytes.size());
        EXPECT_EQ (in.readEntireStreamAsString(), "TAIL");
    }
}

//==============================================================================
TEST (SxPropertySetXml, WritesPairsAsKeyAndStringElements)
{
    SxPropertySet set;
    set.setValue ("x", "1");
    set.setValue ("y", "2");
    set.getAllProperties().set ("e", "");

    const auto xml = set.createPlistXml();
    EXPECT_EQ (xml->toString (juce::XmlElement::TextFormat().singleLine()),
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?> <plist><dict><key>x</key><string>1</string>"
               "<key>y</key><string>2</string><key>e</key><string></string></dict></plist>");
    EXPECT_FALSE (set.containsKey ("propertyImageCount"));
}

TEST (SxPropertySetXml, ReadsByPositionReplacingPairs)
{
    struct Case { const char* name; const char* xml; Pairs expected; };
    const Case cases[] = {
        { "plist",            "<plist><dict><key>a</key><string>1</string><key>b</key><string>2</string></dict></plist>",
                              { { "a", "1" }, { "b", "2" } } },
        { "odd child count",  "<plist><dict><key>a</key><string>1</string><key>last</key></dict></plist>",
                              { { "a", "1" }, { "last", "" } } },
        { "any tag names",    "<r><q><foo>k</foo><bar>v</bar></q></r>", { { "k", "v" } } },
        { "nested text",      "<p><d><key>a<i>b</i></key><string>c<x>d</x>e</string></d></p>", { { "ab", "cde" } } },
        { "repeated key",     "<p><d><k>a</k><s>1</s><k>b</k><s>2</s><k>a</k><s>3</s></d></p>", { { "a", "3" }, { "b", "2" } } },
        { "no children",      "<plist/>", {} },
        { "escaped text",     "<p><d><k>a&amp;b</k><s>&lt;&gt;</s></d></p>", { { "a&b", "<>" } } },
    };

    for (const auto& c : cases)
    {
        SxPropertySet set;
        set.setValue ("old", "gone");
        const auto root = juce::parseXML (juce::String (c.xml));
        ASSERT_NE (root, nullptr) << c.name;
        set.restoreFromPlistXml (*root);
        EXPECT_EQ (pairsOf (set), c.expected) << c.name;
    }
}

TEST (SxPropertySetXml, CarriesAttachedImages)
{
    SxRef<SxImageRgbaBytes> colour (makeImage (3, 2, 10));
    SxRef<SxImageAlphaByte> alpha (new SxImageAlphaByte (2, 2));
    alpha->pixels[3] = 200;

    SxPropertySet set;
    set.setValue ("x", "1");
    set.addImage (*colour, "p");
    set.addAlphaImage (*alpha, "m");

    const auto xml = set.createPlistXml();
    EXPECT_EQ (pairsOf (set), (Pairs { { "x", "1" } })); // the set itself is untouched

    // Reading back removes the entry and path keys and keeps the counts.
    SxPropertySet written;
    written.restoreFromPlistXml (*xml);
    EXPECT_EQ (written.getAllProperties().getAllKeys().joinIntoString (","), "x,propertyImageCount,propertyAlphaImageCount");

    // The element itself lists the entries in write order.
    juce::StringArray elementKeys;
    for (auto* e = xml->getFirstChildElement()->getFirstChildElement(); e != nullptr; e = e->getNextElement()->getNextElement())
        elementKeys.add (e->getAllSubText());
    EXPECT_EQ (elementKeys.joinIntoString (","), "x,propertyImageCount,propertyImage0_data,propertyPath0,"
                                                 "propertyAlphaImageCount,propertyAlphaImage0_data,propertyAlphaPath0");

    ASSERT_EQ (written.getImages().size(), 1u);
    EXPECT_EQ (written.getImagePaths(), juce::StringArray { "p" });
    const auto& back = *written.getImages()[0];
    EXPECT_EQ (back.width, 3);
    EXPECT_EQ (back.height, 2);
    EXPECT_EQ (std::memcmp (back.pixels, colour->pixels, 24), 0);
    EXPECT_EQ (back.getReferenceCount(), 1); // the set holds the only reference
    EXPECT_EQ (written.getValue ("propertyImageCount"), "1");

    ASSERT_EQ (written.getAlphaImages().size(), 1u);
    EXPECT_EQ (written.getAlphaImagePaths(), juce::StringArray { "m" });
    EXPECT_EQ (written.getAlphaImages()[0]->pixels[3], 200);
}

TEST (SxPropertySetXml, ReadImagesJoinThoseAlreadyAttached)
{
    SxRef<SxImageRgbaBytes> stored (makeImage (1, 1, 1));
    SxPropertySet source;
    source.addImage (*stored, "p");
    source.addImage (*stored, "q");
    const auto xml = source.createPlistXml();

    SxRef<SxImageRgbaBytes> existing (makeImage (1, 1, 99));
    SxPropertySet target;
    target.addImage (*existing, "p");
    target.restoreFromPlistXml (*xml);

    EXPECT_EQ (target.getImagePaths(), (juce::StringArray { "p", "q" }));
    EXPECT_EQ (target.getImages()[0].get(), existing.get()); // the path already attached wins
    EXPECT_EQ (target.getImages()[1]->getReferenceCount(), 1);
}

TEST (SxPropertySetXml, HostileImageCountsAndEntries)
{
    const char* documents[] = {
        "<p><d><k>propertyImageCount</k><s>2000000000</s></d></p>",
        "<p><d><k>propertyImageCount</k><s>1</s><k>propertyImage0_data</k><s>2000000000.AAAA</s></d></p>",
        "<p><d><k>propertyImageCount</k><s>1</s><k>propertyImage0_data</k><s>-5.ABCDEFGH</s></d></p>",
        "<p><d><k>propertyAlphaImageCount</k><s>-3</s></d></p>",
    };
    for (const char* doc : documents)
    {
        SxPropertySet set;
        set.restoreFromPlistXml (*juce::parseXML (juce::String (doc)));
        EXPECT_FALSE (set.containsKey ("propertyImage0_data")) << doc;
        for (const auto& image : set.getImages())
            EXPECT_EQ (image->pixels, nullptr) << doc;
    }
}

TEST (SxPropertySetXml, NeitherFormCarriesChildSets)
{
    SxPropertySet child;
    child.setValue ("c", "1");
    SxPropertySet set;
    set.setValue ("a", "1");
    set.addChildSet (child, "kid");

    SxPropertySet fromXml;
    fromXml.restoreFromPlistXml (*set.createPlistXml());
    SxPropertySet fromStream;
    readBytes (fromStream, written (set));

    for (auto* back : { &fromXml, &fromStream })
    {
        EXPECT_EQ (pairsOf (*back), (Pairs { { "a", "1" } }));
        EXPECT_TRUE (back->getChildSetNames().isEmpty());
    }
}

TEST (SxPropertySetXml, ParserRefusesTextsThatWouldHangIt)
{
    // The first three send the framework's parser into an endless loop; internal DTD
    // subsets (entity definitions) are refused as a whole.
    const char* refused[] = {
        "<?xm?> <y><?i?>ct",
        "<a><?x?>t</a>",
        "<!DOCTYPE a [<!ENTITY e \"<b><?i?>c</b>\">]><a>&e;</a>",
        "<!DOCTYPE a [<!ENTITY e \"&e;\">]><a>&e;</a>",
        "no xml at all",
    };
    for (const char* text : refused)
        EXPECT_EQ (SxPropertySet::parseXmlText (text), nullptr) << text;

    const char* accepted[] = {
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?> <plist><dict><key>a</key><string>1 ? 2</string></dict></plist>",
        "<?xml version=\"1.0\"?><!-- saved --><!DOCTYPE plist SYSTEM \"x.dtd\"><plist/>",
    };
    for (const char* text : accepted)
        EXPECT_NE (SxPropertySet::parseXmlText (text), nullptr) << text;
}

//==============================================================================
TEST (SxPropertySetRecords, NestedRecordRoundTrip)
{
    SxPropertySet record;
    setFloatProperty (record, "mPt1.x", 1.5f);
    setFloatProperty (record, "mPt1.y", 123.4567f);

    SxPropertySet outer;
    record.writeAsRecord (outer, "seg");
    EXPECT_EQ (outer.getValue ("seg"),
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?> <plist><dict><key>mPt1.x</key><string>1.5</string>"
               "<key>mPt1.y</key><string>123.457</string></dict></plist>");

    const auto back = SxPropertySet::readRecord (outer, "seg");
    ASSERT_TRUE (back.has_value());
    EXPECT_FLOAT_EQ (getFloatProperty (*back, "mPt1.y", 0.0f), 123.457f);

    outer.setValue ("broken", "not <xml");
    EXPECT_FALSE (SxPropertySet::readRecord (outer, "missing").has_value());
    EXPECT_FALSE (SxPropertySet::readRecord (outer, "broken").has_value());
}

//==============================================================================
TEST (SxPropertySetAttachments, PathsAndNamesAreUnique)
{
    SxRef<SxImageRgbaBytes> first (makeImage (1, 1, 1));
    SxRef<SxImageRgbaBytes> second (makeImage (1, 1, 2));
    SxPropertySet set;
    set.addImage (*first, "p");
    set.addImage (*second, "p");
    set.addImage (*second, "P"); // paths are case-sensitive
    EXPECT_EQ (set.getImages().size(), 2u);
    EXPECT_EQ (set.getImages()[0].get(), first.get());
    EXPECT_EQ (first->getReferenceCount(), 2);
    EXPECT_EQ (second->getReferenceCount(), 2);

    SxPropertySet a, b;
    a.setValue ("v", "a");
    b.setValue ("v", "b");
    set.addChildSet (a, "kid");
    set.addChildSet (b, "kid");
    EXPECT_EQ (set.getChildSet ("kid").getValue ("v"), "a");
    EXPECT_TRUE (set.getChildSet ("nobody").getAllProperties().size() == 0);
}

TEST (SxPropertySetAttachments, CopiesShareImagesAndOwnChildSets)
{
    SxRef<SxImageRgbaBytes> image (makeImage (2, 2, 5));
    SxPropertySet child;
    child.setValue ("c", "1");

    auto copy = std::make_unique<SxPropertySet>();
    {
        SxPropertySet set;
        set.setValue ("Key", "1");
        set.addImage (*image, "p");
        set.addChildSet (child, "kid");
        EXPECT_EQ (image->getReferenceCount(), 2);

        *copy = set;
        EXPECT_EQ (image->getReferenceCount(), 3);
        set.getAllProperties().set ("Key", "changed");
        set.addChildSet (child, "other");
    }
    EXPECT_EQ (image->getReferenceCount(), 2);
    EXPECT_EQ (copy->getValue ("Key"), "1");
    EXPECT_FALSE (copy->containsKey ("key"));
    EXPECT_EQ (copy->getChildSetNames(), juce::StringArray { "kid" });

    image->pixels[0] = 77; // the copy sees pixel changes: the image is shared
    EXPECT_EQ (copy->getImages()[0]->pixels[0], 77);

    SxPropertySet other;
    *copy = other; // assignment releases what the set held
    EXPECT_EQ (image->getReferenceCount(), 1);
    EXPECT_TRUE (copy->getImages().empty());
    EXPECT_TRUE (copy->getChildSetNames().isEmpty());
}

TEST (SxPropertySetAttachments, CopyingAndWritingWhileAnotherThreadWrites)
{
    SxPropertySet set;
    std::atomic<bool> done { false };
    std::thread writer ([&]
    {
        for (int i = 0; i < 4000; ++i)
            set.setValue ("k" + juce::String (i), juce::String (i));
        done = true;
    });

    bool consistent = true;
    while (! done)
    {
        SxPropertySet copy (set);
        auto& all = copy.getAllProperties();
        consistent &= all.getAllKeys().size() == all.getAllValues().size();
        for (int i = 0; i < all.size(); ++i)
            consistent &= all.getAllValues()[i] == all.getAllKeys()[i].substring (1);

        juce::MemoryOutputStream out;
        set.writeToStream (out);
        SxPropertySet back;
        juce::MemoryInputStream in (out.getData(), out.getDataSize(), false);
        back.readFromStream (in);
        consistent &= in.isExhausted();
    }
    writer.join();
    EXPECT_TRUE (consistent);
    EXPECT_EQ (set.getAllProperties().size(), 4000);
}
