#include "BinaryData.h"

#include <juce_graphics/juce_graphics.h>

#include <gtest/gtest.h>

namespace
{
    int32_t nameHash (const char* name)
    {
        uint32_t hash = 0;
        for (; *name != 0; ++name)
            hash = 31u * hash + (uint32_t) (int32_t) (signed char) *name;
        return (int32_t) hash;
    }
}

TEST (NamedResources, IconIsA1024SquarePng)
{
    EXPECT_EQ (nameHash ("icon_png"), -737592989);

    int size = 0;
    const char* data = BinaryData::getNamedResource ("icon_png", size);
    ASSERT_NE (data, nullptr);
    ASSERT_GT (size, 8);
    EXPECT_EQ (std::memcmp (data, "\x89PNG\r\n\x1a\n", 8), 0);

    const auto image = juce::ImageFileFormat::loadFrom (data, (size_t) size);
    EXPECT_EQ (image.getWidth(), 1024);
    EXPECT_EQ (image.getHeight(), 1024);
}

TEST (NamedResources, UnknownAndEmptyNamesGiveNothing)
{
    for (const char* name : { "", "icon", "icon_jpg", "Icon_png" })
    {
        int size = 99;
        EXPECT_EQ (BinaryData::getNamedResource (name, size), nullptr) << name;
        EXPECT_EQ (size, 0) << name;
    }
    int size = 99;
    EXPECT_EQ (BinaryData::getNamedResource (nullptr, size), nullptr);
    EXPECT_EQ (size, 0);
}
