#include "PlatformResources.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST (PlatformResources, OverrideFolderIsTheOnlyOneSearched)
{
    const auto folder = juce::File::createTempFile ("sx-resources");
    ASSERT_TRUE (folder.createDirectory());
    ASSERT_TRUE (folder.getChildFile ("Some App.bin").replaceWithText ("x"));
    ::setenv ("SX_RESOURCE_DIR", folder.getFullPathName().toRawUTF8(), 1);

    EXPECT_EQ (PlatformResources::getResourceFolders(), juce::Array<juce::File> (folder));
    EXPECT_EQ (PlatformResources::findResource ("Some App", "bin"), folder.getChildFile ("Some App.bin"));
    EXPECT_EQ (PlatformResources::findResource ("Some App.bin", {}), folder.getChildFile ("Some App.bin"));

    const std::pair<const char*, const char*> missing[] = { { "Some App", "png" }, { "Other", "bin" }, { "", "bin" },
                                                            { "../Some App", "bin" }, { "sub/Some App", "bin" } };
    for (const auto& [name, type] : missing)
        EXPECT_EQ (PlatformResources::findResource (name, type), juce::File()) << name << "." << type;

    ::setenv ("SX_RESOURCE_DIR", "relative/path", 1);
    EXPECT_TRUE (PlatformResources::getResourceFolders().isEmpty());

    ::unsetenv ("SX_RESOURCE_DIR");
    folder.deleteRecursively();
}

TEST (PlatformResources, WithoutOverrideTheExecutableFolderComesFirst)
{
    ::unsetenv ("SX_RESOURCE_DIR");
    const auto folders = PlatformResources::getResourceFolders();
    ASSERT_GE (folders.size(), 3);
    const auto exeDir = juce::File::getSpecialLocation (juce::File::currentExecutableFile).getParentDirectory();
    EXPECT_EQ (folders[0], exeDir);
    EXPECT_TRUE (folders.contains (exeDir.getParentDirectory().getChildFile ("resources")));
}
