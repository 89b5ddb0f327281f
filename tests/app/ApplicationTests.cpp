#include "MessagePump.h"
#include "RecordingAppComponent.h"
#include "ScopedUserFolders.h"
#include "ZorvMainWindow.h"

#include <gtest/gtest.h>

namespace
{
    /** An application with its window started, as the framework starts it. */
    class StartedApplicationTest : public ::testing::Test
    {
    protected:
        ScopedUserFolders folders;
        std::unique_ptr<TestApplication> app;

        void start (const juce::StringArray& launchFiles = {})
        {
            app = std::make_unique<TestApplication>();
            app->launchFiles = launchFiles;
            app->initialise ({});
        }

        void TearDown() override
        {
            if (app != nullptr)
            {
                app->shutdown();
                app.reset();
            }
            sxgui::drainMessages();
        }

        RecordingAppComponent& component()  { return *app->component; }
        ZorvMainWindow& window()            { return *app->getMainWindow(); }
    };

    juce::File touch (const juce::File& file)
    {
        file.getParentDirectory().createDirectory();
        file.replaceWithText ("x");
        return file;
    }
}

//==============================================================================
TEST (MainWindowSizeRule, FollowsTheUsableDesktopWidth)
{
    struct Case { int usableWidth; int width, height; };
    const Case cases[] = {
        { 1366, 1024, 601 },     // 0.3 x 1366 = 409: both floors
        { 2560, 1024, 601 },
        { 4000, 1200, 780 },
        { 7000, 1920, 1365 },    // width capped; height from the uncapped 2100
        { 0, 1024, 601 },
    };

    for (const auto& c : cases)
        EXPECT_EQ (ZorvMainWindow::computeContentSize (c.usableWidth), juce::Point<int> (c.width, c.height))
            << "usable width " << c.usableWidth;
}

TEST (ArgumentPaths, AreMadeAbsoluteAgainstTheWorkingFolderAndKeptAsTyped)
{
    const juce::File cwd ("/work/photos");
    const juce::StringArray arguments { "a b.jpg", "dir\\name.jpg", "say \"hi\".png", "/abs/x.jpg", "~/y.jpg", "", "../up.jpg" };
    const juce::StringArray expected { "/work/photos/a b.jpg", "/work/photos/dir\\name.jpg", "/work/photos/say \"hi\".png",
                                       "/abs/x.jpg", "/work/photos/~/y.jpg", "/work/photos/../up.jpg" };
    EXPECT_EQ (GenericApplication::toAbsolutePaths (arguments, cwd), expected);
}

//==============================================================================
TEST_F (StartedApplicationTest, StartsTheComponentInOrderAndShowsTheWindowSizedByTheRule)
{
    start();

    ASSERT_NE (app->getMainWindow(), nullptr);
    EXPECT_EQ (app->getMainComponent(), app->component);
    EXPECT_EQ (GenericAppComponent::getInstance(), app->component);
    EXPECT_TRUE (window().isVisible());
    EXPECT_TRUE (window().isOnDesktop());
    EXPECT_EQ (window().getName(), RecordingAppComponent::appName);
    EXPECT_TRUE (window().isWindowStateRestored());

    const auto expected = ZorvMainWindow::computeContentSize (ZorvMainWindow::getUsableDesktopWidth());
    EXPECT_EQ (component().getWidth(), expected.x);
    EXPECT_EQ (component().getHeight(), expected.y);

    auto* constrainer = window().getConstrainer();
    ASSERT_NE (constrainer, nullptr);
    EXPECT_EQ (constrainer->getMinimumWidth(), 1024);
    EXPECT_EQ (constrainer->getMinimumHeight(), 660);
    EXPECT_EQ (constrainer->getMaximumWidth(), 15000);

    // The start-up wrote its keys.
    auto& settings = *component().getSettings();
    EXPECT_EQ (settings.get (SettingsKeys::lastVersionNumber), GenericAppComponent::currentVersionNumber);
    EXPECT_TRUE (settings.get (SettingsKeys::freshProject));

    // The first show waits for the message loop, and then for its own timer.
    EXPECT_FALSE (component().calls.contains ("firstShow"));
    sxgui::drainMessages();
    EXPECT_EQ (component().calls, juce::StringArray ({ "firstShow" }));
    EXPECT_TRUE (component().isTimerRunning (GenericAppComponent::firstShowTimer));
    EXPECT_TRUE (sxgui::fireTimer (component(), GenericAppComponent::firstShowTimer));
    EXPECT_TRUE (component().isTimerRunning (GenericAppComponent::idleAfterStartTimer));
    EXPECT_EQ (component().getTimerInterval (GenericAppComponent::idleAfterStartTimer), 3000);
}

TEST_F (StartedApplicationTest, LaunchFilesOpenAfterTheFirstShow)
{
    const auto image = touch (folders.home().getChildFile ("holiday photo.jpg"));
    start ({ image.getFullPathName() });

    EXPECT_TRUE (component().calls.isEmpty());
    sxgui::drainMessages();
    EXPECT_EQ (component().calls, juce::StringArray (juce::String ("firstShow"), "image " + image.getFullPathName()));
}

TEST_F (StartedApplicationTest, RoutesHandedOverFilesByKindAndExistence)
{
    start();
    sxgui::drainMessages();
    component().calls.clear();

    const auto photos = folders.home().getChildFile ("Photos");
    const auto spaced = touch (photos.getChildFile ("my photo.jpg"));
    const auto backslashed = touch (photos.getChildFile ("back\\slash.jpg"));
    const auto quoted = touch (photos.getChildFile ("\"quoted\" name.png"));
    const auto project = photos.getChildFile ("Painting.KVP");   // need not exist: the project opener decides
    const auto legacy = photos.getChildFile ("old.kvr");
    const auto missing = photos.getChildFile ("missing.jpg");
    photos.getChildFile ("folder.jpg").createDirectory();

    struct Case { juce::StringArray paths; juce::String expected; };
    const Case cases[] = {
        { { spaced.getFullPathName() },       "image " + spaced.getFullPathName() },
        { { backslashed.getFullPathName() },  "image " + backslashed.getFullPathName() },
        { { quoted.getFullPathName() },       "image " + quoted.getFullPathName() },
        { { project.getFullPathName() },      "project " + project.getFullPathName() },
        { { legacy.getFullPathName() },       "project " + legacy.getFullPathName() },
        { { spaced.getFullPathName(), quoted.getFullPathName() },
          "files " + spaced.getFullPathName() + "|" + quoted.getFullPathName() },
        { { photos.getChildFile ("folder.jpg").getFullPathName() }, {} },
        { { missing.getFullPathName() },      {} },
        { {},                                 {} },
    };

    for (const auto& c : cases)
    {
        component().calls.clear();
        app->openFiles (c.paths);
        EXPECT_EQ (component().calls, c.expected.isEmpty() ? juce::StringArray() : juce::StringArray (c.expected))
            << c.paths.joinIntoString (" + ");
    }
}

TEST_F (StartedApplicationTest, AFrameworkCommandLineKeepsQuotesAndBackslashesInsideNames)
{
    start();
    sxgui::drainMessages();
    component().calls.clear();

    const auto spaced = touch (folders.home().getChildFile ("a b\\c.jpg"));
    app->anotherInstanceStarted ("\"" + spaced.getFullPathName() + "\"");
    EXPECT_EQ (component().calls, juce::StringArray ({ "image " + spaced.getFullPathName() }));
}

TEST_F (StartedApplicationTest, AnotherLaunchBringsTheWindowForwardAndOpensItsFiles)
{
    start();
    sxgui::drainMessages();
    component().calls.clear();

    const auto image = touch (folders.home().getChildFile ("next.png"));
    window().setMinimised (true);
    app->filesFromAnotherLaunch ({ image.getFullPathName() });
    EXPECT_FALSE (window().isMinimised());
    EXPECT_EQ (component().calls, juce::StringArray ({ "image " + image.getFullPathName() }));

    component().calls.clear();
    app->filesFromAnotherLaunch ({});
    EXPECT_TRUE (component().calls.isEmpty());
}

TEST_F (StartedApplicationTest, QuitSavesTheSettingsAndDeletesTheSwapCopy)
{
    start();
    sxgui::drainMessages();

    const auto swap = SxImageRgbaBytes::getSwapFile ("origBeforeEdit.tmp");
    touch (swap);
    ASSERT_TRUE (swap.existsAsFile());

    window().closeButtonPressed();   // the close button takes the same road as Quit
    EXPECT_EQ (app->quits, 1);
    EXPECT_FALSE (swap.existsAsFile());
    EXPECT_TRUE (component().isQuitting());

    const auto file = folders.settingsFile (RecordingAppComponent::appName);
    ASSERT_TRUE (file.existsAsFile());
    juce::PropertiesFile written (file, AppSettings::getOptions (RecordingAppComponent::appName));
    EXPECT_TRUE (written.containsKey ("windowSavedStateFullScreen"));
    EXPECT_FALSE (written.getBoolValue ("windowSavedStateFullScreen", true));
    EXPECT_EQ (written.getIntValue ("lastVersionNumber"), 0x023900);
    EXPECT_TRUE (written.getBoolValue ("freshProject", false));
}

TEST_F (StartedApplicationTest, QuitInAPluginHostAsksInsteadAndKeepsTheSwapCopy)
{
    start();
    sxgui::drainMessages();
    component().setHostKind (GenericAppComponent::photosHost);

    const auto swap = touch (SxImageRgbaBytes::getSwapFile ("origBeforeEdit.tmp"));
    app->systemRequestedQuit();
    EXPECT_EQ (app->quits, 0);
    EXPECT_TRUE (swap.existsAsFile());
    EXPECT_TRUE (component().calls.contains ("quitOrApply"));
}

TEST_F (StartedApplicationTest, TheWindowKeepsItsPlacementOnceRestored)
{
    // A previous run left the window here.
    {
        AppSettings settings (folders.settingsFile (RecordingAppComponent::appName));
        settings.set (SettingsKeys::windowSavedState, "40 50 1100 700");
    }

    start();
    EXPECT_EQ (window().getBounds(), juce::Rectangle<int> (40, 50, 1100, 700));

    window().setTopLeftPosition (60, 70);
    sxgui::drainMessages();

    AppSettings reread (folders.settingsFile (RecordingAppComponent::appName));
    EXPECT_EQ (reread.get (SettingsKeys::windowSavedState), window().getWindowStateAsString());
    EXPECT_TRUE (reread.get (SettingsKeys::windowSavedState).startsWith ("60 70 "));
}

TEST_F (StartedApplicationTest, NothingAppearsInTheHomeFolder)
{
    start();
    sxgui::drainMessages();
    app->systemRequestedQuit();
    app->shutdown();
    app.reset();

    EXPECT_EQ (ScopedUserFolders::listAll (folders.home()), juce::StringArray());
    EXPECT_TRUE (folders.settingsFile (RecordingAppComponent::appName).existsAsFile());
}
