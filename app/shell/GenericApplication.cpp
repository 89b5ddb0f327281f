#include "GenericApplication.h"

#include "GPUImageOpenGLESContext.h"
#include "GenericAppComponent.h"
#include "SecondLaunchChannel.h"
#include "ZorvMainWindow.h"

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace
{
    GenericApplication* application = nullptr;

    /** The channel a launch claimed in main(), until initialise takes it. */
    std::unique_ptr<SecondLaunchChannel>& claimedChannel()
    {
        static std::unique_ptr<SecondLaunchChannel> channel;
        return channel;
    }

    int quitSignalPipe[2] = { -1, -1 };

    void quitSignalHandler (int)
    {
        const auto saved = errno;
        [[maybe_unused]] auto ignored = ::write (quitSignalPipe[1], "q", 1);
        errno = saved;
    }
}

//==============================================================================
class GenericApplication::InitializeCompleteMessage : public juce::CallbackMessage
{
public:
    void messageCallback() override
    {
        if (auto* app = GenericApplication::getApplication())
            app->initializeComplete();
    }
};

/** Turns the session's request to end (SIGTERM, SIGHUP) and Ctrl-C into a quit request on
    the message thread, instead of an exit that skips saving the settings. The handlers are
    installed by catchQuitSignals before the framework starts; a signal that comes before
    the message loop runs waits in the pipe. */
class GenericApplication::QuitSignals
{
public:
    explicit QuitSignals (GenericApplication& app)
    {
        if (quitSignalPipe[0] < 0)
            return;

        // The framework's start took Ctrl-C for a quit of its own, which skips ours.
        setHandlers();
        juce::LinuxEventLoop::registerFdCallback (quitSignalPipe[0], [&app] (int fd)
        {
            char drained[16];
            while (::read (fd, drained, sizeof (drained)) > 0) {}
            app.systemRequestedQuit();
        });
        registered = true;
    }

    ~QuitSignals()
    {
        if (registered)
            juce::LinuxEventLoop::unregisterFdCallback (quitSignalPipe[0]);
    }

    static void install()
    {
        if (quitSignalPipe[0] < 0 && ::pipe2 (quitSignalPipe, O_CLOEXEC | O_NONBLOCK) == 0)
            setHandlers();
    }

private:
    bool registered = false;

    static void setHandlers()
    {
        struct sigaction action {};
        action.sa_handler = quitSignalHandler;
        sigemptyset (&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (auto signal : { SIGTERM, SIGHUP, SIGINT })
            ::sigaction (signal, &action, nullptr);
    }
};

//==============================================================================
GenericApplication::GenericApplication()
{
    application = this;
}

GenericApplication::~GenericApplication()
{
    launchChannel.reset();
    quitSignals.reset();
    mainWindow.reset();
    mainComponent = nullptr;

    if (application == this)
        application = nullptr;
}

GenericApplication* GenericApplication::getApplication() noexcept
{
    return application;
}

//==============================================================================
void GenericApplication::initialise (const juce::String& line)
{
    commandLine = line;

    // Launches that arrive from now on wait in the channel until the message loop runs.
    if ((launchChannel = std::move (claimedChannel())) != nullptr)
        launchChannel->startReceiving ([] (const juce::StringArray& paths)
        {
            juce::MessageManager::callAsync ([paths]
            {
                if (auto* app = GenericApplication::getApplication())
                    app->filesFromAnotherLaunch (paths);
            });
        });

    juce::Desktop::getInstance().setOrientationsEnabled (juce::Desktop::upright);
    GPUImageOpenGLESContext::queryMaxTextureSize();

    mainWindow = std::make_unique<ZorvMainWindow>();

    if (mainComponent != nullptr)
        mainWindow->setName (mainComponent->getAppName());

    (new InitializeCompleteMessage())->post();

    if (const auto files = getLaunchFiles(); ! files.isEmpty())
        juce::MessageManager::callAsync ([files]
        {
            if (auto* app = GenericApplication::getApplication())
                app->openFiles (files);
        });

    quitSignals = std::make_unique<QuitSignals> (*this);
}

void GenericApplication::initializeComplete()
{
    if (mainComponent != nullptr)
        mainComponent->firstShow();

    if (mainWindow != nullptr && attachesFrameworkOpenGL())
    {
        frameworkGLContext = std::make_unique<juce::OpenGLContext>();
        mainWindow->attachFrameworkOpenGL (*frameworkGLContext);
    }
}

void GenericApplication::shutdown()
{
    launchChannel.reset();
    quitSignals.reset();

    if (mainComponent != nullptr)
    {
        mainComponent->stopPresetPreviewThread();
        // A file being written is finished, not cut short.
        mainComponent->getImageWriter().waitUntilIdle();
    }
}

juce::StringArray GenericApplication::getLaunchFiles()
{
    return toAbsolutePaths (getCommandLineParameterArray(), juce::File::getCurrentWorkingDirectory());
}

//==============================================================================
void GenericApplication::anotherInstanceStarted (const juce::String& line)
{
    juce::StringArray arguments;
    arguments.addTokens (line, " ", "\"");
    arguments.removeEmptyStrings();
    for (auto& argument : arguments)
        argument = argument.unquoted();

    openFiles (toAbsolutePaths (arguments, juce::File::getCurrentWorkingDirectory()));
}

void GenericApplication::anotherInstanceStartedWithFiles (const juce::StringArray& files)
{
    if (mainComponent != nullptr)
        mainComponent->openFilesFromOtherInstance (files);
}

void GenericApplication::openFiles (const juce::StringArray& absolutePaths)
{
    if (absolutePaths.size() >= 2)
        anotherInstanceStartedWithFiles (absolutePaths);
    else if (absolutePaths.size() == 1)
        routeFile (juce::File (absolutePaths[0]));
}

void GenericApplication::routeFile (const juce::File& file)
{
    if (mainComponent == nullptr)
        return;

    if (mainComponent->isProjectFile (file) || file.getFileExtension().equalsIgnoreCase (".kvr"))
        mainComponent->askSaveProject (file);
    else if (file.existsAsFile())
        mainComponent->openImage (file, true);
}

void GenericApplication::filesFromAnotherLaunch (const juce::StringArray& absolutePaths)
{
    if (mainWindow != nullptr)
    {
        if (mainWindow->isMinimised())
            mainWindow->setMinimised (false);
        mainWindow->toFront (true);
    }

    openFiles (absolutePaths);
}

juce::StringArray GenericApplication::toAbsolutePaths (const juce::StringArray& arguments, const juce::File& workingFolder)
{
    juce::StringArray paths;
    for (const auto& argument : arguments)
    {
        if (argument.isEmpty())
            continue;
        // Joined by hand: the framework's path parser would expand a leading "~" and drop
        // a trailing separator, and a name is what the user typed.
        paths.add (argument.startsWithChar ('/') ? argument
                                                 : workingFolder.getFullPathName().trimCharactersAtEnd ("/") + "/" + argument);
    }
    return paths;
}

void GenericApplication::catchQuitSignals()
{
    QuitSignals::install();
}

bool GenericApplication::handOverToRunningInstance (const juce::String& channelName, int argc, const char* const* argv)
{
    juce::StringArray arguments;
    for (int i = 1; i < argc; ++i)
        arguments.add (juce::CharPointer_UTF8 (argv[i]));

    auto claim = SecondLaunchChannel::claim (channelName, toAbsolutePaths (arguments, juce::File::getCurrentWorkingDirectory()));
    if (claim.outcome == SecondLaunchChannel::Outcome::handedOver)
        return true;

    claimedChannel() = std::move (claim.channel);
    return false;
}

//==============================================================================
void GenericApplication::systemRequestedQuit()
{
    if (mainComponent != nullptr)
        if (auto* settings = mainComponent->getSettings())
        {
            settings->set (SettingsKeys::windowSavedStateFullScreen, mainWindow != nullptr && mainWindow->isFullScreen());
            settings->saveIfNeeded();
        }

    if (mainComponent == nullptr || mainComponent->confirmQuit())
        quitApplication();
}

void GenericApplication::resumed()
{
    if (mainComponent != nullptr)
        mainComponent->resumeHook();
    juce::JUCEApplication::resumed();
}

GenericAppComponent* GenericApplication::createMainComponent()
{
    return mainComponent != nullptr ? mainComponent : new GenericAppComponent();
}
