// The colour history: its file in the config folder, its keys in a project, and files that
// must be refused.

#include "ColorHistoryAddon.h"
#include "PropertyValues.h"
#include "ScopedUserFolders.h"
#include "SxPropertySet.h"

#include <gtest/gtest.h>
#include <juce_data_structures/juce_data_structures.h>

#include <array>
#include <cstring>

namespace
{
    /** A history kept in the test's config folder. */
    struct ColorHistory : ::testing::Test
    {
        ScopedUserFolders folders;
        juce::File file = ColorHistoryAddon::getDefaultFile ("Quenzella-Tolva");

        /** A history kept in file. */
        struct Kept : ColorHistoryAddon
        {
            explicit Kept (const juce::File& f) { setHistoryFile (f); }
        };
    };

    SxPropertySet projectWith (std::initializer_list<std::array<int, 4>> rgba, int total)
    {
        SxPropertySet set;
        setIntProperty (set, "totalColors", total);
        int i = 0;
        for (const auto& c : rgba)
        {
            setIntProperty (set, "ColorRed" + juce::String (i), c[0]);
            setIntProperty (set, "ColorGreen" + juce::String (i), c[1]);
            setIntProperty (set, "ColorBlue" + juce::String (i), c[2]);
            setIntProperty (set, "ColorAlpha" + juce::String (i), c[3]);
            ++i;
        }
        return set;
    }

    juce::StringPairArray fileValues (const juce::File& file)
    {
        juce::StringPairArray values;
        if (auto xml = juce::parseXML (file))
            for (auto* e : xml->getChildWithTagNameIterator ("VALUE"))
                values.set (e->getStringAttribute ("name"), e->getStringAttribute ("val"));
        return values;
    }
}

TEST_F (ColorHistory, LivesInTheConfigFolder)
{
    EXPECT_EQ (file, folders.config().getChildFile ("Quenzella-Tolva/Color History.plist"));
}

TEST_F (ColorHistory, AFirstStartHas27TransparentBlackEntries)
{
    Kept history (file);
    EXPECT_TRUE (history.loadFromFile());
    EXPECT_EQ (history.getColors(), std::vector<uint32_t> (27, 0u));
    EXPECT_FALSE (file.exists());

    SxPropertySet project;
    history.exportToPropertySet (project);
    EXPECT_EQ (project.getValue ("totalColors"), "27");
    EXPECT_EQ (project.getAllProperties().size(), 1 + 27 * 4);
    EXPECT_EQ (project.getValue ("ColorAlpha26"), "0");
}

TEST_F (ColorHistory, AnEntryIsAColourWordOfAlphaRedGreenBlue)
{
    Kept history (file);
    history.importFromPropertySet (projectWith ({ { 10, 20, 30, 255 } }, 1));
    ASSERT_EQ (history.getColors().size(), 1u);

    const uint32_t word = history.getColors()[0];
    uint8_t bytes[4];
    std::memcpy (bytes, &word, 4);
    EXPECT_EQ (std::vector<uint8_t> (bytes, bytes + 4), std::vector<uint8_t> ({ 0xff, 0x0a, 0x14, 0x1e }));
    EXPECT_EQ (word, ColorHistoryAddon::colourWord (10, 20, 30, 255));

    SxPropertySet project;
    history.exportToPropertySet (project);
    EXPECT_EQ (project.getAllProperties().getAllKeys(),
               juce::StringArray ({ "totalColors", "ColorRed0", "ColorGreen0", "ColorBlue0", "ColorAlpha0" }));
    EXPECT_EQ (project.getAllProperties().getAllValues(), juce::StringArray ({ "1", "10", "20", "30", "255" }));
}

TEST_F (ColorHistory, AnOpenedProjectReplacesTheListAndRewritesTheFile)
{
    // An earlier, longer list left keys up to index 4.
    {
        Kept history (file);
        history.importFromPropertySet (projectWith ({ { 1, 1, 1, 1 }, { 2, 2, 2, 2 }, { 3, 3, 3, 3 }, { 4, 4, 4, 4 }, { 5, 5, 5, 5 } }, 5));
    }
    Kept history (file);
    history.importFromPropertySet (projectWith ({ { 10, 20, 30, 255 }, { 0, 0, 0, 255 }, { 255, 255, 255, 128 } }, 3));
    EXPECT_EQ (history.getColors().size(), 3u);
    const auto values = fileValues (file);
    EXPECT_EQ (values["red0"], "10");
    EXPECT_EQ (values["alpha2"], "128");
    EXPECT_EQ (values["red4"], "5");

    // The next start reads 27: three from the project, two older ones, then nothing.
    Kept next (file);
    ASSERT_TRUE (next.loadFromFile());
    ASSERT_EQ (next.getColors().size(), 27u);
    EXPECT_EQ (next.getColors()[0], ColorHistoryAddon::colourWord (10, 20, 30, 255));
    EXPECT_EQ (next.getColors()[3], ColorHistoryAddon::colourWord (4, 4, 4, 4));
    EXPECT_EQ (next.getColors()[4], ColorHistoryAddon::colourWord (5, 5, 5, 5));
    EXPECT_EQ (next.getColors()[5], 0u);
}

TEST_F (ColorHistory, ProjectCountsAndChannelsAreHeldToWhatMakesSense)
{
    const struct { const char* name; SxPropertySet project; std::vector<uint32_t> expected; } cases[] = {
        { "no colour keys: 27 of 0", SxPropertySet(), std::vector<uint32_t> (27, 0u) },
        { "a count of 0", projectWith ({ { 1, 2, 3, 4 } }, 0), {} },
        { "a negative count", projectWith ({ { 1, 2, 3, 4 } }, -5), {} },
        { "channels beyond a byte do not spill", projectWith ({ { 300, -4, 255, 256 } }, 1),
          { ColorHistoryAddon::colourWord (255, 0, 255, 255) } },
        { "more than 27 entries", projectWith ({ { 1, 1, 1, 1 }, { 1, 1, 1, 1 }, { 1, 1, 1, 1 }, { 1, 1, 1, 1 }, { 1, 1, 1, 1 },
                                                { 1, 1, 1, 1 }, { 1, 1, 1, 1 }, { 1, 1, 1, 1 }, { 1, 1, 1, 1 }, { 1, 1, 1, 1 },
                                                { 1, 1, 1, 1 }, { 1, 1, 1, 1 }, { 1, 1, 1, 1 }, { 1, 1, 1, 1 }, { 1, 1, 1, 1 },
                                                { 1, 1, 1, 1 }, { 1, 1, 1, 1 }, { 1, 1, 1, 1 }, { 1, 1, 1, 1 }, { 1, 1, 1, 1 },
                                                { 1, 1, 1, 1 }, { 1, 1, 1, 1 }, { 1, 1, 1, 1 }, { 1, 1, 1, 1 }, { 1, 1, 1, 1 },
                                                { 1, 1, 1, 1 }, { 1, 1, 1, 1 }, { 1, 1, 1, 1 }, { 9, 9, 9, 9 } }, 29),
          [] { std::vector<uint32_t> v (28, ColorHistoryAddon::colourWord (1, 1, 1, 1)); v.push_back (ColorHistoryAddon::colourWord (9, 9, 9, 9)); return v; }() },
        { "a hostile count: only what the keys fill", projectWith ({ { 1, 2, 3, 4 } }, 2000000000),
          [] { std::vector<uint32_t> v (27, 0u); v[0] = ColorHistoryAddon::colourWord (1, 2, 3, 4); return v; }() },
    };

    for (const auto& c : cases)
    {
        Kept history (file);
        history.importFromPropertySet (c.project);
        EXPECT_EQ (history.getColors(), c.expected) << c.name;
    }
}

TEST_F (ColorHistory, DamagedOrHostileFilesAreRefusedAndTheListStaysEmpty)
{
    const struct { const char* name; std::string text; } cases[] = {
        { "not XML", "red0=10\nred1=20\n" },
        { "cut short", "<?xml version=\"1.0\"?><PROPERTIES><VALUE name=\"red0\" val=\"1" },
        { "another root", "<?xml version=\"1.0\"?><plist><VALUE name=\"red0\" val=\"10\"/></plist>" },
        { "entity definitions", "<?xml version=\"1.0\"?><!DOCTYPE P [<!ENTITY a \"aaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;\">]>"
                                "<PROPERTIES><VALUE name=\"red0\" val=\"&b;\"/></PROPERTIES>" },
        { "binary", std::string ("\x89PNG\r\n\x1a\n\0\0\0", 12) },
        { "larger than any history", "<?xml version=\"1.0\"?><PROPERTIES>" + std::string ((size_t) ColorHistoryAddon::maxFileBytes, ' ') + "</PROPERTIES>" },
    };

    for (const auto& c : cases)
    {
        ASSERT_TRUE (file.getParentDirectory().createDirectory().wasOk());
        ASSERT_TRUE (file.replaceWithData (c.text.data(), c.text.size()));
        Kept history (file);
        EXPECT_FALSE (history.loadFromFile()) << c.name;
        EXPECT_TRUE (history.getColors().empty()) << c.name;

        // The next save replaces it with a readable file.
        history.importFromPropertySet (projectWith ({ { 7, 8, 9, 10 } }, 1));
        Kept next (file);
        EXPECT_TRUE (next.loadFromFile()) << c.name;
        EXPECT_EQ (next.getColors()[0], ColorHistoryAddon::colourWord (7, 8, 9, 10)) << c.name;
    }

    // A folder in the file's place is neither read nor replaced.
    ASSERT_TRUE (file.deleteFile());
    ASSERT_TRUE (file.createDirectory().wasOk());
    Kept history (file);
    EXPECT_FALSE (history.loadFromFile());
    EXPECT_TRUE (history.getColors().empty());
    history.importFromPropertySet (projectWith ({ { 7, 8, 9, 10 } }, 1));
    EXPECT_FALSE (history.saveToFile());
    EXPECT_TRUE (file.isDirectory());
}

TEST_F (ColorHistory, TheFileIsWhatThePropertiesFileReads)
{
    Kept history (file);
    history.importFromPropertySet (projectWith ({ { 10, 20, 30, 255 } }, 1));

    juce::PropertiesFile::Options options;
    options.storageFormat = juce::PropertiesFile::storeAsXML;
    juce::PropertiesFile properties (file, options);
    EXPECT_EQ (properties.getIntValue ("red0"), 10);
    EXPECT_EQ (properties.getIntValue ("green0"), 20);
    EXPECT_EQ (properties.getIntValue ("blue0"), 30);
    EXPECT_EQ (properties.getIntValue ("alpha0"), 255);

    // Nothing but the file itself is left in its folder.
    EXPECT_EQ (ScopedUserFolders::listAll (file.getParentDirectory()), juce::StringArray ("Color History.plist"));
}
