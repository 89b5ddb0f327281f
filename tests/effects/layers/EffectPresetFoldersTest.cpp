#include "AppIdentity.h"
#include "EffectPresetFolders.h"
#include "FakeLayers.h"
#include "ScopedDataHome.h"

#include <gtest/gtest.h>

namespace
{
    juce::File folderOf (const ScopedDataHome& home, const juce::String& effect)
    {
        return home.get().getChildFile (AppIdentity::getAppName()).getChildFile ("EffectPresets").getChildFile (effect);
    }
}

TEST (EffectPresetFolders, FolderSitsUnderTheDataFolder)
{
    const ScopedDataHome home;
    EXPECT_EQ (EffectPresetFolders::getEffectPresetFolder ("Stylized Watercolor"), folderOf (home, "Stylized Watercolor"));
    for (const char* unsafe : { "", ".", "..", "../x", "a/b" })
        EXPECT_EQ (EffectPresetFolders::getEffectPresetFolder (unsafe), juce::File()) << unsafe;
}

TEST (EffectPresetFolders, TwoFilesMakeAPopulatedFolder)
{
    const ScopedDataHome home;
    CountingLayer layer; // display name "Counting"
    const auto folder = folderOf (home, "Counting");

    struct Step { const char* what; std::function<void()> act; bool populated; };
    const std::vector<Step> steps {
        { "no folder", [] {}, false },
        { "empty folder", [&] { folder.createDirectory(); }, false },
        { "a sub-folder", [&] { folder.getChildFile ("sub").createDirectory(); }, false },
        { "a hidden file", [&] { folder.getChildFile (".hidden").replaceWithText ("x"); }, false },
        { "one file", [&] { folder.getChildFile ("a.pre").replaceWithText ("1"); }, false },
        { "two files", [&] { folder.getChildFile ("b.jpg").replaceWithText ("2"); }, true },
    };
    for (const auto& step : steps)
    {
        step.act();
        EXPECT_EQ (layer.hasEffectPresets(), step.populated) << step.what;
    }
}

TEST (EffectPresetFolders, InstallingReplacesOnlyItsOwnFile)
{
    const ScopedDataHome home;
    CountingLayer layer;
    const auto folder = folderOf (home, "Counting");
    folder.createDirectory();
    folder.getChildFile ("Mine.pre").replaceWithText ("user preset");
    folder.getChildFile ("Factory.pre").replaceWithText ("an older, longer factory preset text");

    const char data[] = { 'n', 'e', 'w', 0, '\n', 'x' };
    for (int round = 0; round < 2; ++round)
        EXPECT_TRUE (layer.installPresetFile ("Factory.pre", data, sizeof (data), {}));

    juce::MemoryBlock written;
    ASSERT_TRUE (folder.getChildFile ("Factory.pre").loadFileAsData (written));
    EXPECT_EQ (written, juce::MemoryBlock (data, sizeof (data)));
    EXPECT_EQ (folder.getChildFile ("Mine.pre").loadFileAsString(), "user preset");
    EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 2) << "no temporary file left";
}

TEST (EffectPresetFolders, InstallTargetsAndRefusals)
{
    const ScopedDataHome home;
    CountingLayer layer;

    EXPECT_TRUE (layer.installPresetFile ("One.pre", "1", 1, "Other Effect"));
    EXPECT_TRUE (folderOf (home, "Other Effect").getChildFile ("One.pre").existsAsFile()) << "missing folders are created";
    EXPECT_TRUE (layer.installPresetFile ("Empty.pre", nullptr, 0, {}));
    EXPECT_EQ (folderOf (home, "Counting").getChildFile ("Empty.pre").getSize(), 0);

    for (const char* name : { "", "..", "../escape.pre", "sub/x.pre" })
        EXPECT_FALSE (layer.installPresetFile (name, "1", 1, {})) << name;
    EXPECT_FALSE (layer.installPresetFile ("x.pre", "1", 1, "..")) << "folder outside the presets folder";
    EXPECT_FALSE (home.get().getChildFile (AppIdentity::getAppName()).getChildFile ("EffectPresets").getChildFile ("escape.pre").exists());

    folderOf (home, "Counting").getChildFile ("Taken").createDirectory();
    EXPECT_FALSE (layer.installPresetFile ("Taken", "1", 1, {})) << "a folder of that name stays";
}
