// The save panel's rules between name, type and quality controls, without a window; and
// the pictures folder it falls back to.

#include "ImageSavePanel.h"
#include "ImageTypeFileFilter.h"
#include "PlatformPaths.h"
#include "TestImages.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace
{
    using Type = ImageSavePanel::ImageType;

    ImageSavePanel configuredFor (const juce::String& name)
    {
        ImageSavePanel panel;
        panel.setNameFieldStringValue (name);
        panel.configureSavePanel();
        return panel;
    }
}

TEST (ImageSavePanelRules, ANewPanelIsJpegAt80UnderItsTitle)
{
    const ImageSavePanel panel;
    EXPECT_EQ (panel.getTitle(), "Save Image");
    EXPECT_EQ (panel.getImageType(), Type::jpeg);
    EXPECT_EQ (panel.getQuality(), 80);
    EXPECT_TRUE (panel.isQualityShown());
    EXPECT_EQ (panel.getBestLabel(), "Best");
    EXPECT_EQ (ImageSavePanel::getPopUpItems(), juce::StringArray ({ "JPEG", "JPEG2000", "PNG", "TIFF" }));
}

TEST (ImageSavePanelRules, TheOpenedNameChoosesTheTypeAndTakesItsExtension)
{
    struct Case
    {
        const char* opened;
        const char* offered;
        Type type;
        bool qualityShown;
        const char* bestLabel;
    };
    const Case cases[] = {
        { "photo.NEF",        "photo.jpg",        Type::jpeg,     true,  "Best" },
        { "picture.PNG",      "picture.png",      Type::png,      false, "Best" },
        { "picture.jpeg",     "picture.jpg",      Type::jpeg,     true,  "Best" },
        { "picture.JPG",      "picture.jpg",      Type::jpeg,     true,  "Best" },
        { "scan.tif",         "scan.tiff",        Type::tiff,     false, "Best" },
        { "scan.TIFF",        "scan.tiff",        Type::tiff,     false, "Best" },
        { "art.jp2",          "art.jp2",          Type::jpeg2000, true,  "Lossless" },
        { "my.holiday.cr2",   "my.holiday.jpg",   Type::jpeg,     true,  "Best" },
        // No extension to replace: none is added.
        { "painting",         "painting",         Type::jpeg,     true,  "Best" },
        { "Trip to St. Ives", "Trip to St. Ives", Type::jpeg,     true,  "Best" },
        { ".hidden",          ".hidden",          Type::jpeg,     true,  "Best" },
        { "ends with dot.",   "ends with dot.",   Type::jpeg,     true,  "Best" },
        { "",                 "",                 Type::jpeg,     true,  "Best" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.opened);
        const auto panel = configuredFor (c.opened);
        EXPECT_EQ (panel.getNameFieldStringValue(), c.offered);
        EXPECT_EQ (panel.getImageType(), c.type);
        EXPECT_EQ (panel.getQuality(), 80);
        EXPECT_EQ (panel.isQualityShown(), c.qualityShown);
        EXPECT_EQ (panel.getBestLabel(), c.bestLabel);
    }
}

TEST (ImageSavePanelRules, ChoosingATypeRenamesTheExtensionAndShowsItsControls)
{
    struct Step
    {
        Type chosen;
        const char* name;
        bool qualityShown;
        const char* bestLabel;
    };
    // PNG and TIFF leave the right-hand label as it was: it is hidden with them.
    const Step steps[] = {
        { Type::png,      "photo.png",  false, "Best" },
        { Type::jpeg2000, "photo.jp2",  true,  "Lossless" },
        { Type::tiff,     "photo.tiff", false, "Lossless" },
        { Type::jpeg,     "photo.jpg",  true,  "Best" },
    };
    auto panel = configuredFor ("photo.NEF");
    for (const auto& step : steps)
    {
        SCOPED_TRACE (step.name);
        panel.fileTypeChanged (step.chosen);
        EXPECT_EQ (panel.getImageType(), step.chosen);
        EXPECT_EQ (panel.getNameFieldStringValue(), step.name);
        EXPECT_EQ (panel.isQualityShown(), step.qualityShown);
        EXPECT_EQ (panel.getBestLabel(), step.bestLabel);
    }

    auto bare = configuredFor ("photo.NEF");
    bare.nameFieldEdited ("painting");
    for (const auto type : { Type::png, Type::tiff, Type::jpeg2000, Type::jpeg })
    {
        bare.fileTypeChanged (type);
        EXPECT_EQ (bare.getNameFieldStringValue(), "painting");
    }
}

TEST (ImageSavePanelRules, ATypedExtensionOfASaveTypeChoosesItAndIsKeptAsTyped)
{
    struct Case
    {
        Type before;
        const char* typed;
        Type after;
    };
    const Case cases[] = {
        { Type::jpeg, "x.png",      Type::png },
        { Type::png,  "x.JPEG",     Type::jpeg },
        { Type::png,  "x.jpg",      Type::jpeg },
        { Type::jpeg, "x.tif",      Type::tiff },
        { Type::tiff, "x.jp2",      Type::jpeg2000 },
        { Type::png,  "x.bmp",      Type::png },
        { Type::tiff, "x",          Type::tiff },
        { Type::png,  "St. Ives",   Type::png },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.typed);
        ImageSavePanel panel;
        panel.fileTypeChanged (c.before);
        panel.nameFieldEdited (c.typed);
        EXPECT_EQ (panel.getImageType(), c.after);
        EXPECT_EQ (panel.getNameFieldStringValue(), c.typed);
        EXPECT_EQ (panel.isQualityShown(), c.after == Type::jpeg || c.after == Type::jpeg2000);
    }
}

TEST (ImageSavePanelRules, QualityStaysWithinItsRangeAndTheResultCarriesTheChoice)
{
    auto panel = configuredFor ("photo.NEF");
    panel.setQuality (140);
    EXPECT_EQ (panel.getQuality(), 100);
    panel.setQuality (-3);
    EXPECT_EQ (panel.getQuality(), 0);

    panel.setQuality (35);
    panel.fileTypeChanged (Type::jpeg2000);
    const auto result = panel.resultIn (juce::File ("/tmp/out"));
    EXPECT_EQ (result.file, juce::File ("/tmp/out/photo.jp2"));
    EXPECT_EQ (result.type, Type::jpeg2000);
    EXPECT_EQ (result.quality, 35);
}

//==============================================================================
namespace
{
    /** Sets an environment variable while it lives, bringing the old value back. */
    class ScopedEnvironment
    {
    public:
        ScopedEnvironment (const char* variableName, const juce::String& value) : name (variableName)
        {
            if (const char* old = std::getenv (name))
                previous = juce::String (old);
            if (value.isEmpty())
                ::unsetenv (name);
            else
                ::setenv (name, value.toRawUTF8(), 1);
        }

        ~ScopedEnvironment()
        {
            if (previous)
                ::setenv (name, previous->toRawUTF8(), 1);
            else
                ::unsetenv (name);
        }

    private:
        const char* name;
        std::optional<juce::String> previous;
    };
}

TEST (ImageSavePanelRules, ADocumentKeepsItsNameAsTypedAndGetsItsExtensionAppended)
{
    ImageSavePanel panel;
    panel.setDocumentExtension ("kvp");
    panel.setNameFieldStringValue ("Project.kvp");
    panel.configureSavePanel();
    EXPECT_EQ (panel.getNameFieldStringValue(), "Project.kvp");

    const juce::File folder ("/tmp/projects");
    struct Case { const char* typed; const char* saved; };
    const Case cases[] = {
        { "Project.kvp",  "Project.kvp" },
        { "Evening",      "Evening.kvp" },
        { "Evening.KVP",  "Evening.KVP" },
        { "Evening.jpg",  "Evening.jpg.kvp" },   // an image type's extension chooses nothing here
        { "St. Ives",     "St. Ives.kvp" },
    };
    for (const auto& c : cases)
    {
        panel.nameFieldEdited (c.typed);
        EXPECT_EQ (panel.getNameFieldStringValue(), c.typed);
        EXPECT_EQ (panel.getImageType(), Type::jpeg) << c.typed;
        EXPECT_EQ (panel.resultIn (folder).file, folder.getChildFile (c.saved)) << c.typed;
    }
}

TEST (ImageSavePanelRules, ADocumentsBrowserListsFilesOfItsExtensionOnly)
{
    const ImageTypeFileFilter filter (Type::jpeg, "kvp");
    for (const char* name : { "Project.kvp", "OLD.KVP" })
        EXPECT_TRUE (filter.isFileSuitable (juce::File ("/p").getChildFile (name))) << name;
    for (const char* name : { "photo.jpg", "Project.kvp.bak", "kvp" })
        EXPECT_FALSE (filter.isFileSuitable (juce::File ("/p").getChildFile (name))) << name;
}

TEST (PlatformPaths, ThePicturesFolderIsTheOneUserDirsNamesElseHome)
{
    sxtest::TempFolder temp;
    const auto home = temp.get().getChildFile ("home");
    const auto config = temp.get().getChildFile ("config");
    const auto elsewhere = temp.get().getChildFile ("elsewhere");
    for (const auto& folder : { home.getChildFile ("Bilder"), home.getChildFile ("Pictures"), config, elsewhere })
        ASSERT_TRUE (folder.createDirectory().wasOk());

    const ScopedEnvironment homeVariable ("HOME", home.getFullPathName());
    const ScopedEnvironment configVariable ("XDG_CONFIG_HOME", config.getFullPathName());
    const ScopedEnvironment picturesVariable ("XDG_PICTURES_DIR", {});

    struct Case
    {
        const char* userDirs;   // nullptr: no file
        juce::File expected;
    };
    const Case cases[] = {
        { nullptr,                                            home },
        { "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n",              home.getChildFile ("Bilder") },
        { "# comment\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n",   home },
        { "XDG_PICTURES_DIR=\"$HOME/Gone\"\n",                home },
        { "XDG_PICTURES_DIR=\"relative/Pictures\"\n",         home },
        { "XDG_PICTURES_DIR=\"$HOME/Pictures\"\nXDG_PICTURES_DIR=\"$HOME/Bilder\"\n", home.getChildFile ("Bilder") },
        { "  XDG_PICTURES_DIR=$HOME/Pictures\n",              home.getChildFile ("Pictures") },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.userDirs != nullptr ? c.userDirs : "(no file)");
        const auto file = config.getChildFile ("user-dirs.dirs");
        file.deleteFile();
        if (c.userDirs != nullptr)
        {
            ASSERT_TRUE (file.replaceWithText (c.userDirs));
        }
        EXPECT_EQ (PlatformPaths::getUserPicturesFolder(), c.expected);
    }

    // An absolute path in the file, and the environment when the file names none.
    ASSERT_TRUE (config.getChildFile ("user-dirs.dirs").replaceWithText ("XDG_PICTURES_DIR=\"" + elsewhere.getFullPathName() + "\"\n"));
    EXPECT_EQ (PlatformPaths::getUserPicturesFolder(), elsewhere);
    config.getChildFile ("user-dirs.dirs").deleteFile();
    const ScopedEnvironment fromEnvironment ("XDG_PICTURES_DIR", elsewhere.getFullPathName());
    EXPECT_EQ (PlatformPaths::getUserPicturesFolder(), elsewhere);
}
