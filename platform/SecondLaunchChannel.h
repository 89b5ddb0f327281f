#pragma once

#include <juce_core/juce_core.h>

#include <functional>
#include <memory>

/** Hands the files of a second launch to the instance that is already running, so that
    starting the program again (from a file manager, a terminal or a desktop entry) opens
    the files in the window the user has, and only one instance runs.

    The running instance listens on a Unix-domain socket in a folder only the user can
    enter: $XDG_RUNTIME_DIR, else /tmp/<name>-<uid> made with mode 0700 (a folder of that
    name that someone else owns, or that others may enter, is not used). A launch first
    takes the folder's lock file, so two launches at once settle on one listener:
    - when a listener answers, the launch sends it its paths and is done;
    - otherwise a socket left by an instance that died is replaced and the launch listens.

    A hand-over is the magic "SXL1" followed by each path as UTF-8 ending in a zero byte;
    the listener answers one byte once it has read it all. Hand-overs over maxMessageBytes,
    without the magic, or that stall for more than two seconds are dropped; paths that
    are not absolute or not valid UTF-8 are left out (relative paths are made absolute by
    the sender, which knows its working folder). An empty hand-over (a launch without
    files) still arrives: the instance brings its window to the front.
*/
class SecondLaunchChannel
{
public:
    /** Receives the paths of one hand-over, on the channel's own thread. */
    using Receiver = std::function<void (const juce::StringArray& absolutePaths)>;

    static constexpr size_t maxMessageBytes = 1 << 20;

    enum class Outcome
    {
        listening,      ///< no instance ran: this launch is the instance and holds the channel
        handedOver,     ///< a running instance took the paths: this launch should end
        unavailable     ///< no private folder or socket could be had: run without a channel
    };

    struct Claim
    {
        Outcome outcome = Outcome::unavailable;
        std::unique_ptr<SecondLaunchChannel> channel;   ///< set when listening
    };

    /** Claims the channel named name (e.g. "quenzella-tolva") in the runtime folder, or
        hands paths over to the instance holding it. */
    static Claim claim (const juce::String& name, const juce::StringArray& absolutePaths);

    /** The same in folder (tests use a temporary one); folder must exist and be private. */
    static Claim claimIn (const juce::File& folder, const juce::String& name, const juce::StringArray& absolutePaths);

    /** $XDG_RUNTIME_DIR when it is a private folder of this user, else /tmp/<name>-<uid>,
        created when missing; a default File when neither can be had. */
    static juce::File getRuntimeFolder (const juce::String& name);

    /** Stops receiving and removes the socket, unless a later instance has replaced it. */
    ~SecondLaunchChannel();

    /** Starts delivering hand-overs to receiver on a thread of the channel; hand-overs sent
        before this wait in the socket's queue. Call once. */
    void startReceiving (Receiver receiver);

    /** The socket's path. */
    const juce::File& getSocketFile() const noexcept  { return socketFile; }

private:
    class ReceiverThread;

    SecondLaunchChannel (juce::File socketFile, juce::File lockFile, int listeningSocket);

    juce::File socketFile, lockFile;
    int listeningSocket = -1;
    juce::uint64 boundInode = 0;    // of the socket file this channel made
    std::unique_ptr<ReceiverThread> thread;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SecondLaunchChannel)
};
