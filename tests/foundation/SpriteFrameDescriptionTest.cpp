#include "SpriteFrameDescription.h"
#include "SxPropertySet.h"

#include <gtest/gtest.h>

#include <functional>

TEST (SpriteFrameDescription, WhatIsWrittenReadsBack)
{
    const std::vector<SpriteFrameDescription::Entry> entries {
        { "blot-1", 0, 0, 512, 480 },
        { "blot-2", 512, 0, 498.5, 511 },      // a fraction survives
        { "", 1024, 7, 3, 2 },
    };
    const auto text = SpriteFrameDescription::write (entries);
    const auto read = SpriteFrameDescription::read (text);

    ASSERT_EQ (read.size(), entries.size());
    for (size_t i = 0; i < entries.size(); ++i)
    {
        EXPECT_EQ (read[i].name, entries[i].name);
        EXPECT_EQ (read[i].x, entries[i].x);
        EXPECT_EQ (read[i].y, entries[i].y);
        EXPECT_EQ (read[i].width, entries[i].width);
        EXPECT_EQ (read[i].height, entries[i].height);
    }

    // Whole numbers are written as integers, the form the archive's atlas has always had.
    auto xml = SxPropertySet::parseXmlText (text);
    ASSERT_NE (xml, nullptr);
    SxPropertySet set;
    set.restoreFromPlistXml (*xml);
    const juce::StringArray keys { "count", "1_name", "1_x", "1_y", "1_width", "1_height" };
    for (int i = 0; i < keys.size(); ++i)
        EXPECT_EQ (set.getAllProperties().getAllKeys()[i], keys[i]);
    EXPECT_EQ (set.getValue ("count"), "3");
    EXPECT_EQ (set.getValue ("1_width"), "512");
    EXPECT_EQ (set.getValue ("2_width"), "498.5");
}

TEST (SpriteFrameDescription, OnlyNumberedFramesWithAWidthAreRead)
{
    struct Case { const char* name; std::function<void (SxPropertySet&)> edit; size_t frames; };
    const std::vector<Case> cases {
        { "as written", [] (SxPropertySet&) {}, 2 },
        { "count below the frames", [] (SxPropertySet& s) { s.setValue ("count", "1"); }, 1 },
        { "no count", [] (SxPropertySet& s) { s.removeValue ("count"); }, 0 },
        { "a frame without width", [] (SxPropertySet& s) { s.removeValue ("1_width"); }, 1 },
        { "a key that only looks numbered", [] (SxPropertySet& s) { s.setValue ("01_width", "5"); }, 2 },
    };
    for (const auto& c : cases)
    {
        SxPropertySet set;
        set.restoreFromPlistXml (*SxPropertySet::parseXmlText (SpriteFrameDescription::write ({ { "a", 0, 0, 4, 4 }, { "b", 4, 0, 4, 4 } })));
        c.edit (set);
        EXPECT_EQ (SpriteFrameDescription::read (set.createPlistXml()->toString()).size(), c.frames) << c.name;
    }
    EXPECT_TRUE (SpriteFrameDescription::read ("not a property list").empty());
}
