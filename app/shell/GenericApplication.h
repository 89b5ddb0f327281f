#pragma once

#include <juce_gui_basics/juce_gui_basics.h>
#include <juce_opengl/juce_opengl.h>

#include <memory>

class GenericAppComponent;
class SecondLaunchChannel;
class ZorvMainWindow;

/** The application object the framework drives: it starts the main window, hands files
    from the command line and from later launches to the main component, and quits through
    the main component's confirmation.

    One instance runs per user. main() calls handOverToRunningInstance before the framework
    starts: a launch that finds a running instance gives it its files and ends there. The
    instance receives them on the message thread, brings its window to the front and opens
    them like files given at start. After catchQuitSignals, a quit asked for by the session
    (SIGTERM, SIGHUP) or by Ctrl-C takes the same road as the close button.

    Files are routed as the desktop's open-files request: two or more go as a list to the
    main component's openFilesFromOtherInstance; one alone is a project when it has the
    project extension (any case), an image when it is an existing file, and ignored
    otherwise. Names are used exactly as given: spaces, quotes and backslashes are part of
    them.
*/
class GenericApplication : public juce::JUCEApplication
{
public:
    /** Records this as the process-wide application. */
    GenericApplication();
    /** Deletes the main window, and with it the main component. */
    ~GenericApplication() override;

    /** The running application, or null. */
    static GenericApplication* getApplication() noexcept;

    //==============================================================================
    const juce::String getApplicationName() override     { return "GenericApp"; }
    const juce::String getApplicationVersion() override  { return "2.57"; }
    /** True: the framework's own single-instance check cannot hand files over on this
        desktop, so the second-launch channel does it instead. */
    bool moreThanOneInstanceAllowed() override           { return true; }

    /** Makes the main window, then hands the launch files to the main component once the
        window is up. */
    void initialise (const juce::String& commandLine) override;
    /** Stops the preset-thumbnail thread and the second-launch channel. */
    void shutdown() override;
    /** A command line in the framework's quoting (arguments with spaces in double quotes),
        routed like files from a later launch. */
    void anotherInstanceStarted (const juce::String& commandLine) override;
    /** Several files at once: the list goes to the main component unchanged. */
    virtual void anotherInstanceStartedWithFiles (const juce::StringArray& files);
    /** Stores the full-screen state, saves the settings and quits when the main component
        agrees. */
    void systemRequestedQuit() override;
    void resumed() override;
    void unhandledException (const std::exception*, const juce::String&, int) override {}

    /** The main component: the existing one, or a new generic one. Called by the main
        window's constructor. */
    virtual GenericAppComponent* createMainComponent();

    //==============================================================================
    /** Opens files the way the desktop's open-files request does (see the class note). */
    void openFiles (const juce::StringArray& absolutePaths);

    /** Files of a later launch: the window comes to the front, then the files open. */
    void filesFromAnotherLaunch (const juce::StringArray& absolutePaths);

    /** Arguments made absolute against workingFolder, as given otherwise (no quote or
        backslash handling, no "~"). Empty arguments are dropped. */
    static juce::StringArray toAbsolutePaths (const juce::StringArray& arguments, const juce::File& workingFolder);

    /** Before the framework starts: when another instance of channelName runs, hands it the
        arguments (made absolute) and returns true, and the process should end with 0.
        Otherwise this launch keeps the channel, and initialise starts listening on it. */
    static bool handOverToRunningInstance (const juce::String& channelName, int argc, const char* const* argv);

    /** Before the framework starts: from now on SIGTERM, SIGHUP and SIGINT become a quit
        request (systemRequestedQuit) once the message loop runs, instead of ending the
        process where it stands. */
    static void catchQuitSignals();

    ZorvMainWindow* getMainWindow() const noexcept               { return mainWindow.get(); }
    GenericAppComponent* getMainComponent() const noexcept       { return mainComponent; }
    /** Recorded by the main window when it made the component; cleared when it goes. */
    void setMainComponent (GenericAppComponent* component) noexcept  { mainComponent = component; }
    const juce::String& getCommandLine() const noexcept          { return commandLine; }

    /** Runs when the initialise-complete message arrives: the main component's first
        show, then the framework's OpenGL context for the window when attachesFrameworkOpenGL. */
    void initializeComplete();

protected:
    /** The files given at launch, absolute. */
    virtual juce::StringArray getLaunchFiles();

    /** Ends the message loop. */
    virtual void quitApplication()                               { quit(); }

    /** Whether the window's painting goes through the framework's OpenGL context. No: on
        the software renderers of a virtual display it costs about fifteen times the CPU of
        the framework's own renderer per frame and halves the frame rate. */
    virtual bool attachesFrameworkOpenGL() const                 { return false; }

private:
    class InitializeCompleteMessage;
    class QuitSignals;

    juce::String commandLine;
    std::unique_ptr<ZorvMainWindow> mainWindow;
    GenericAppComponent* mainComponent = nullptr;
    std::unique_ptr<SecondLaunchChannel> launchChannel;
    std::unique_ptr<QuitSignals> quitSignals;
    std::unique_ptr<juce::OpenGLContext> frameworkGLContext;

    void routeFile (const juce::File& file);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GenericApplication)
};
