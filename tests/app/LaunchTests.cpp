// The real program, started as a user starts it: under the test's X display, with its own
// home and XDG folders.

#include "ScopedUserFolders.h"

#include <juce_data_structures/juce_data_structures.h>
#include <juce_graphics/juce_graphics.h>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <thread>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace
{
    const juce::File appBinary (SX_APP_BINARY);

    /** Polls condition every 20 ms until it holds or timeoutMs passes. */
    bool waitUntil (const std::function<bool()>& condition, int timeoutMs)
    {
        const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMs;
        while (! condition())
        {
            if (juce::Time::getMillisecondCounter() > end)
                return false;
            std::this_thread::sleep_for (std::chrono::milliseconds (20));
        }
        return true;
    }

    /** A child process with its output in a log file. */
    class Launch
    {
    public:
        Launch (const juce::File& program, const juce::StringArray& arguments, const juce::File& workingFolder,
                const juce::File& logFile, const juce::StringArray& unsetVariables = {})
            : log (logFile)
        {
            // Everything the child needs is made before fork: after it only exec follows.
            std::vector<std::string> argStrings { program.getFullPathName().toStdString() };
            for (auto& a : arguments)
                argStrings.push_back (a.toStdString());
            std::vector<char*> argv;
            for (auto& a : argStrings)
                argv.push_back (a.data());
            argv.push_back (nullptr);

            std::vector<std::string> envStrings;
            for (char** e = environ; *e != nullptr; ++e)
            {
                const juce::String entry (*e);
                if (! unsetVariables.contains (entry.upToFirstOccurrenceOf ("=", false, false)))
                    envStrings.push_back (*e);
            }
            std::vector<char*> envp;
            for (auto& e : envStrings)
                envp.push_back (e.data());
            envp.push_back (nullptr);

            const auto cwd = workingFolder.getFullPathName().toStdString();
            const auto logPath = logFile.getFullPathName().toStdString();

            pid = ::fork();
            if (pid == 0)
            {
                const int fd = ::open (logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
                if (fd < 0 || ::chdir (cwd.c_str()) != 0)
                    ::_exit (126);
                ::dup2 (fd, 1);
                ::dup2 (fd, 2);
                ::execve (argv[0], argv.data(), envp.data());
                ::_exit (127);
            }
        }

        ~Launch()
        {
            if (isRunning())
            {
                ::kill (pid, SIGKILL);
                ::waitpid (pid, nullptr, 0);
            }
        }

        bool isRunning()
        {
            if (pid <= 0 || exitStatus.has_value())
                return false;
            int status = 0;
            if (::waitpid (pid, &status, WNOHANG) == pid)
            {
                exitStatus = WIFEXITED (status) ? WEXITSTATUS (status) : 128 + WTERMSIG (status);
                return false;
            }
            return true;
        }

        /** The exit code once it has ended within timeoutMs; -1 when still running. */
        int waitForExit (int timeoutMs)
        {
            waitUntil ([this] { return ! isRunning(); }, timeoutMs);
            return exitStatus.value_or (-1);
        }

        void terminate()   { ::kill (pid, SIGTERM); }

        juce::String output() const  { return log.loadFileAsString(); }

    private:
        juce::File log;
        pid_t pid = -1;
        std::optional<int> exitStatus;
    };

    struct LaunchTest : public ::testing::Test
    {
        ScopedUserFolders folders;
        const juce::String appName = "Quenzella - Tolva";

        juce::File socketFile() const  { return folders.runtime().getChildFile ("quenzella-tolva.socket"); }
        juce::File logFile (const juce::String& name) const  { return folders.getRoot().getChildFile (name + ".log"); }

        bool waitForListener() const  { return waitUntil ([this] { return socketFile().exists(); }, 60000); }
    };
}

TEST_F (LaunchTest, ASecondLaunchHandsItsFileToTheFirstAndEnds)
{
    Launch first (appBinary, {}, folders.home(), logFile ("first"));
    ASSERT_TRUE (waitForListener()) << first.output();

    const auto photos = folders.getRoot().getChildFile ("Photos");
    const auto image = photos.getChildFile ("my \"best\" photo.jpg");
    photos.createDirectory();
    image.replaceWithText ("not really a JPEG");

    // Relative to the second launch's own working folder.
    Launch second (appBinary, { image.getFileName() }, photos, logFile ("second"));
    EXPECT_EQ (second.waitForExit (30000), 0) << second.output();
    EXPECT_TRUE (first.isRunning());

    EXPECT_TRUE (waitUntil ([&] { return first.output().contains (image.getFullPathName()); }, 10000)) << first.output();

    // The session's request to end takes the quit road: settings saved, socket gone.
    first.terminate();
    EXPECT_EQ (first.waitForExit (30000), 0) << first.output();
    EXPECT_FALSE (socketFile().exists());
    EXPECT_TRUE (folders.settingsFile (appName).existsAsFile());
    juce::PropertiesFile settings (folders.settingsFile (appName), juce::PropertiesFile::Options());
    EXPECT_TRUE (settings.containsKey ("windowSavedStateFullScreen"));
    EXPECT_EQ (settings.getIntValue ("lastVersionNumber"), 0x023900);
    EXPECT_EQ (ScopedUserFolders::listAll (folders.home()), juce::StringArray());
}

TEST_F (LaunchTest, TwoLaunchesAtOnceLeaveOneInstance)
{
    Launch a (appBinary, {}, folders.home(), logFile ("a"));
    Launch b (appBinary, {}, folders.home(), logFile ("b"));

    ASSERT_TRUE (waitUntil ([&] { return ! a.isRunning() || ! b.isRunning(); }, 20000)) << a.output() << b.output();
    auto& ended = a.isRunning() ? b : a;
    auto& running = a.isRunning() ? a : b;
    EXPECT_EQ (ended.waitForExit (0), 0) << ended.output();
    EXPECT_TRUE (waitForListener());
    EXPECT_TRUE (running.isRunning()) << running.output();

    running.terminate();
    EXPECT_EQ (running.waitForExit (30000), 0) << running.output();
}

TEST_F (LaunchTest, TheInstalledTreeStartsAndFindsItsResources)
{
    const auto prefix = folders.getRoot().getChildFile ("prefix");
    Launch install (juce::File (SX_CMAKE_COMMAND), { "--install", SX_BUILD_DIR, "--prefix", prefix.getFullPathName() },
                    folders.getRoot(), logFile ("install"));
    ASSERT_EQ (install.waitForExit (120000), 0) << install.output();

    const auto installed = prefix.getChildFile ("bin/QuenzellaTolva");
    EXPECT_TRUE (installed.existsAsFile());
    EXPECT_TRUE (prefix.getChildFile ("share/quenzella-tolva/Quenzella - Tolva.bin").existsAsFile());
    EXPECT_TRUE (prefix.getChildFile ("share/applications/com.zorvant.QuenzellaTolva.desktop").existsAsFile());
    for (auto size : { 16, 32, 48, 128, 256, 512 })
    {
        const auto icon = prefix.getChildFile ("share/icons/hicolor/" + juce::String (size) + "x" + juce::String (size)
                                               + "/apps/com.zorvant.QuenzellaTolva.png");
        EXPECT_EQ (juce::ImageFileFormat::loadFrom (icon).getBounds(), juce::Rectangle<int> (size, size)) << icon.getFullPathName();
    }

    {
        Launch app (installed, {}, folders.home(), logFile ("installed"), { "SX_RESOURCE_DIR" });
        ASSERT_TRUE (waitForListener()) << app.output();
        app.terminate();
        EXPECT_EQ (app.waitForExit (30000), 0);
        EXPECT_FALSE (app.output().contains ("resource archive")) << app.output();
    }

    // The same program without its tree says what it misses.
    const auto alone = folders.getRoot().getChildFile ("alone/QuenzellaTolva");
    alone.getParentDirectory().createDirectory();
    ASSERT_TRUE (installed.copyFileTo (alone));
    alone.setExecutePermission (true);
    Launch lost (alone, {}, folders.home(), logFile ("alone"), { "SX_RESOURCE_DIR" });
    ASSERT_TRUE (waitForListener()) << lost.output();
    lost.terminate();
    EXPECT_EQ (lost.waitForExit (30000), 0);
    EXPECT_TRUE (lost.output().contains ("resource archive")) << lost.output();
}
