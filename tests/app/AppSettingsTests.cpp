#include "AppSettings.h"
#include "ScopedUserFolders.h"

#include <gtest/gtest.h>

namespace
{
    using namespace SettingsKeys;

    struct BoolCase { BoolKey key; bool expected; };
    struct IntCase { IntKey key; int expected; };

    const BoolCase boolDefaults[] = {
        { useImageLocation, true }, { windowSavedStateFullScreen, false }, { freshProject, true },
        { feshProject, true }, { manualRedraw, false }, { showToolTips, true },
        { effectControlComponentOpened, true }, { presetManagerOpened, true } };
    const IntCase intDefaults[] = { { lastVersionNumber, 0 }, { freshProjectUndoCount, 0 }, { currentSaveCount, 0 } };
    const StringKey stringKeys[] = { windowSavedState, imagePath, needsToLoadImagePath, lastDirectoryForSave };

    void expectDefaults (const AppSettings& settings)
    {
        for (const auto& c : boolDefaults)
            EXPECT_EQ (settings.get (c.key), c.expected) << c.key.name;
        for (const auto& c : intDefaults)
            EXPECT_EQ (settings.get (c.key), c.expected) << c.key.name;
        for (const auto& key : stringKeys)
            EXPECT_EQ (settings.get (key), juce::String()) << key.name;
        EXPECT_EQ (settings.get (backgroundColor), juce::Colour ((juce::uint8) 255, 255, 255, (juce::uint8) 0));
        EXPECT_EQ (settings.get (startupLayerSettings), nullptr);
    }
}

TEST (AppSettings, LivesInTheConfigFolderAndGivesEveryKeyItsDefaultUntilWritten)
{
    ScopedUserFolders folders;
    const auto file = AppSettings::getDefaultFile ("Quenzella - Tolva");
    EXPECT_EQ (file, folders.config().getChildFile ("Quenzella - Tolva/Quenzella - Tolva.plist"));

    AppSettings settings (file);
    expectDefaults (settings);
    EXPECT_FALSE (file.exists());   // reading writes nothing

    const auto options = AppSettings::getOptions ("Quenzella - Tolva");
    EXPECT_EQ (options.storageFormat, juce::PropertiesFile::storeAsXML);
    EXPECT_EQ (options.millisecondsBeforeSaving, 3000);
    EXPECT_FALSE (options.ignoreCaseOfKeyNames);
}

TEST (AppSettings, WritesEveryKindOfValueAndReadsItBack)
{
    ScopedUserFolders folders;
    const auto file = AppSettings::getDefaultFile ("Quenzella - Tolva");
    {
        AppSettings settings (file);
        settings.set (lastVersionNumber, 0x023900);
        settings.set (freshProject, false);
        settings.set (imagePath, "/photos/a \"b\" \\c.jpg");
        settings.set (backgroundColor, juce::Colour ((juce::uint8) 10, 20, 30, (juce::uint8) 40));
        juce::XmlElement stack ("LAYERS");
        stack.setAttribute ("LayerCount", 1);
        settings.set (startupLayerSettings, &stack);
        EXPECT_FALSE (file.exists());   // the save waits for its delay ...
        EXPECT_TRUE (settings.saveIfNeeded());
        EXPECT_TRUE (file.existsAsFile());   // ... unless asked for
    }

    AppSettings reread (file);
    EXPECT_EQ (reread.get (lastVersionNumber), 0x023900);
    EXPECT_FALSE (reread.get (freshProject));
    EXPECT_EQ (reread.get (imagePath), "/photos/a \"b\" \\c.jpg");
    EXPECT_EQ (reread.get (backgroundColor), juce::Colour ((juce::uint8) 10, 20, 30, (juce::uint8) 40));
    EXPECT_EQ (reread.getPropertiesFile().getIntValue ("backgroundColor.green"), 20);
    auto stack = reread.get (startupLayerSettings);
    ASSERT_NE (stack, nullptr);
    EXPECT_EQ (stack->getIntAttribute ("LayerCount"), 1);
    EXPECT_FALSE (reread.getPropertiesFile().containsKey ("FreshProject"));   // keys are case-sensitive

    reread.remove (startupLayerSettings.name);
    EXPECT_EQ (reread.get (startupLayerSettings), nullptr);
}

TEST (AppSettings, AnUnreadableFileGivesDefaultsAndIsReplacedWhole)
{
    ScopedUserFolders folders;
    const auto file = AppSettings::getDefaultFile ("Quenzella - Tolva");
    file.getParentDirectory().createDirectory();

    for (const auto* damage : { "<?xml version=\"1.0\"?><PROPERTIES><VALUE name=\"freshProject\" val", "\x01\x02garbage", "" })
    {
        file.replaceWithText (damage);
        {
            AppSettings settings (file);
            expectDefaults (settings);
            settings.set (lastVersionNumber, 7);
        }
        AppSettings reread (file);
        EXPECT_EQ (reread.get (lastVersionNumber), 7);
        // Out-of-range colour channels read clamped.
        reread.getPropertiesFile().setValue ("backgroundColor.red", 999);
        EXPECT_EQ (reread.get (backgroundColor).getRed(), 255);
    }
}
