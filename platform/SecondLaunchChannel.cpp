#include "SecondLaunchChannel.h"

#include <cerrno>
#include <cstring>
#include <optional>
#include <utility>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace
{
    constexpr char magic[] = { 'S', 'X', 'L', '1' };
    constexpr int stallTimeoutMs = 2000;
    constexpr int answerTimeoutMs = 5000;
    constexpr char answerByte = 0x06;

    /** A file descriptor closed when it goes out of scope. */
    struct Fd
    {
        int fd = -1;

        Fd() = default;
        explicit Fd (int f) : fd (f) {}
        Fd (Fd&& other) noexcept : fd (std::exchange (other.fd, -1)) {}
        Fd& operator= (Fd&& other) noexcept  { reset (std::exchange (other.fd, -1)); return *this; }
        ~Fd()  { reset(); }

        void reset (int f = -1)  { if (fd >= 0) ::close (fd); fd = f; }
        int release()  { return std::exchange (fd, -1); }
        explicit operator bool() const  { return fd >= 0; }
    };

    /** Holds the folder's lock file exclusively while it lives. */
    struct FolderLock
    {
        Fd fd;

        explicit FolderLock (const juce::File& lockFile)
            : fd (::open (lockFile.getFullPathName().toRawUTF8(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600))
        {
            if (fd)
                while (::flock (fd.fd, LOCK_EX) != 0)
                    if (errno != EINTR)
                    {
                        fd.reset();
                        break;
                    }
        }

        bool isLocked() const  { return (bool) fd; }
    };

    bool isPrivateFolder (const juce::File& folder)
    {
        struct stat info {};
        return ::lstat (folder.getFullPathName().toRawUTF8(), &info) == 0
            && S_ISDIR (info.st_mode)
            && info.st_uid == ::getuid()
            && (info.st_mode & 077) == 0;
    }

    bool makeAddress (const juce::File& socketFile, sockaddr_un& address)
    {
        const auto path = socketFile.getFullPathName();
        const auto length = std::strlen (path.toRawUTF8());
        if (length >= sizeof (address.sun_path))
            return false;

        std::memset (&address, 0, sizeof (address));
        address.sun_family = AF_UNIX;
        std::memcpy (address.sun_path, path.toRawUTF8(), length);
        return true;
    }

    /** Waits until fd is ready for events; false on a timeout or an error. */
    bool waitFor (int fd, short events, int timeoutMs)
    {
        pollfd entry { fd, events, 0 };
        for (;;)
        {
            const auto result = ::poll (&entry, 1, timeoutMs);
            if (result > 0)
                return true;
            if (result == 0 || errno != EINTR)
                return false;
        }
    }

    bool sendAll (int fd, const char* data, size_t size)
    {
        while (size > 0)
        {
            if (! waitFor (fd, POLLOUT, stallTimeoutMs))
                return false;

            const auto sent = ::send (fd, data, size, MSG_NOSIGNAL);
            if (sent < 0)
            {
                if (errno == EINTR || errno == EAGAIN)
                    continue;
                return false;
            }
            data += sent;
            size -= (size_t) sent;
        }
        return true;
    }

    juce::MemoryBlock encode (const juce::StringArray& paths)
    {
        juce::MemoryOutputStream out;
        out.write (magic, sizeof (magic));
        for (const auto& path : paths)
        {
            out.write (path.toRawUTF8(), path.getNumBytesAsUTF8());
            out.writeByte (0);
        }
        return out.getMemoryBlock();
    }

    /** The paths of a well-formed hand-over (possibly none); nullopt for anything else. */
    std::optional<juce::StringArray> decode (const juce::MemoryBlock& message)
    {
        const auto* bytes = static_cast<const char*> (message.getData());
        const auto size = message.getSize();
        if (size < sizeof (magic) || std::memcmp (bytes, magic, sizeof (magic)) != 0)
            return std::nullopt;
        if (size > sizeof (magic) && bytes[size - 1] != 0)
            return std::nullopt;

        juce::StringArray paths;
        for (size_t start = sizeof (magic); start < size;)
        {
            const auto* begin = bytes + start;
            const auto length = std::strlen (begin);
            if (length > 0 && begin[0] == '/' && juce::CharPointer_UTF8::isValidString (begin, (int) length))
                paths.add (juce::String::fromUTF8 (begin, (int) length));
            start += length + 1;
        }
        return paths;
    }

    /** Connects to the listener at address; an invalid Fd when nobody listens there. */
    Fd connectTo (const sockaddr_un& address, int& error)
    {
        Fd fd (::socket (AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
        if (! fd)
        {
            error = errno;
            return {};
        }
        while (::connect (fd.fd, reinterpret_cast<const sockaddr*> (&address), sizeof (address)) != 0)
        {
            if (errno != EINTR)
            {
                error = errno;
                return {};
            }
        }
        return fd;
    }

    juce::uint64 inodeOf (const juce::File& file)
    {
        struct stat info {};
        return ::lstat (file.getFullPathName().toRawUTF8(), &info) == 0 ? (juce::uint64) info.st_ino : 0;
    }
}

//==============================================================================
class SecondLaunchChannel::ReceiverThread : public juce::Thread
{
public:
    ReceiverThread (int socket, Receiver r)
        : juce::Thread ("Second launch channel"), listeningSocket (socket), receiver (std::move (r))
    {
        int ends[2];
        if (::pipe2 (ends, O_CLOEXEC) == 0)
        {
            wakeRead.reset (ends[0]);
            wakeWrite.reset (ends[1]);
        }
    }

    ~ReceiverThread() override
    {
        signalThreadShouldExit();
        if (wakeWrite)
            [[maybe_unused]] auto ignored = ::write (wakeWrite.fd, "x", 1);
        stopThread (-1);
    }

    void run() override
    {
        while (! threadShouldExit())
        {
            pollfd entries[] = { { listeningSocket, POLLIN, 0 }, { wakeRead.fd, POLLIN, 0 } };
            if (::poll (entries, wakeRead ? 2 : 1, wakeRead ? -1 : 200) < 0 && errno != EINTR)
                return;
            if (threadShouldExit())
                return;
            if ((entries[0].revents & POLLIN) == 0)
                continue;

            Fd client (::accept4 (listeningSocket, nullptr, nullptr, SOCK_CLOEXEC));
            if (client && isFromThisUser (client.fd))
                if (auto paths = readHandOver (client.fd))
                {
                    [[maybe_unused]] auto ignored = ::send (client.fd, &answerByte, 1, MSG_NOSIGNAL);
                    client.reset();
                    receiver (*paths);
                }
        }
    }

private:
    int listeningSocket;
    Receiver receiver;
    Fd wakeRead, wakeWrite;

    static bool isFromThisUser (int fd)
    {
        ucred credentials {};
        socklen_t length = sizeof (credentials);
        return ::getsockopt (fd, SOL_SOCKET, SO_PEERCRED, &credentials, &length) == 0
            && credentials.uid == ::getuid();
    }

    /** Reads until the sender closes its side; nullopt when it stalls, sends too much or
        sends something else. */
    static std::optional<juce::StringArray> readHandOver (int fd)
    {
        juce::MemoryBlock message;
        char buffer[8192];
        for (;;)
        {
            if (! waitFor (fd, POLLIN, stallTimeoutMs))
                return std::nullopt;

            const auto received = ::recv (fd, buffer, sizeof (buffer), 0);
            if (received < 0)
            {
                if (errno == EINTR || errno == EAGAIN)
                    continue;
                return std::nullopt;
            }
            if (received == 0)
                return decode (message);
            if (message.getSize() + (size_t) received > maxMessageBytes)
                return std::nullopt;
            message.append (buffer, (size_t) received);
        }
    }
};

//==============================================================================
SecondLaunchChannel::SecondLaunchChannel (juce::File socket, juce::File lock, int fd)
    : socketFile (std::move (socket)), lockFile (std::move (lock)), listeningSocket (fd)
{
}

SecondLaunchChannel::~SecondLaunchChannel()
{
    thread.reset();

    // Under the lock, so a launch that is taking over right now keeps the socket it made.
    FolderLock lock (lockFile);
    if (boundInode != 0 && inodeOf (socketFile) == boundInode)
        ::unlink (socketFile.getFullPathName().toRawUTF8());
    ::close (listeningSocket);
}

void SecondLaunchChannel::startReceiving (Receiver receiver)
{
    jassert (thread == nullptr);
    thread = std::make_unique<ReceiverThread> (listeningSocket, std::move (receiver));
    thread->startThread();
}

juce::File SecondLaunchChannel::getRuntimeFolder (const juce::String& name)
{
    const auto runtime = juce::SystemStats::getEnvironmentVariable ("XDG_RUNTIME_DIR", {});
    if (juce::File::isAbsolutePath (runtime) && runtime.startsWithChar ('/') && isPrivateFolder (juce::File (runtime)))
        return juce::File (runtime);

    const juce::File fallback ("/tmp/" + name + "-" + juce::String ((int) ::getuid()));
    if (::mkdir (fallback.getFullPathName().toRawUTF8(), 0700) != 0 && errno != EEXIST)
        return {};
    return isPrivateFolder (fallback) ? fallback : juce::File();
}

SecondLaunchChannel::Claim SecondLaunchChannel::claim (const juce::String& name, const juce::StringArray& absolutePaths)
{
    const auto folder = getRuntimeFolder (name);
    if (folder == juce::File())
        return {};
    return claimIn (folder, name, absolutePaths);
}

SecondLaunchChannel::Claim SecondLaunchChannel::claimIn (const juce::File& folder, const juce::String& name,
                                                         const juce::StringArray& absolutePaths)
{
    const auto socketFile = folder.getChildFile (name + ".socket");
    const auto lockFile = folder.getChildFile (name + ".lock");

    sockaddr_un address;
    if (! isPrivateFolder (folder) || ! makeAddress (socketFile, address))
        return {};

    auto lock = std::make_unique<FolderLock> (lockFile);
    if (! lock->isLocked())
        return {};

    int error = 0;
    if (auto connection = connectTo (address, error))
    {
        // An instance listens: later launches may go ahead while this one talks to it.
        lock.reset();
        const auto message = encode (absolutePaths);
        if (sendAll (connection.fd, static_cast<const char*> (message.getData()), message.getSize()))
        {
            ::shutdown (connection.fd, SHUT_WR);
            // The answer only tells that the paths arrived; the launch is over either way.
            char answer = 0;
            if (waitFor (connection.fd, POLLIN, answerTimeoutMs))
                [[maybe_unused]] auto ignored = ::recv (connection.fd, &answer, 1, 0);
            return { Outcome::handedOver, nullptr };
        }
        // The listener went away while we were talking: take its place.
        lock = std::make_unique<FolderLock> (lockFile);
        if (! lock->isLocked() || (connection = connectTo (address, error)))
            return {};
    }
    else if (error != ENOENT && error != ECONNREFUSED)
    {
        return {};
    }

    // Whatever is left at the path is a socket of an instance that died; anything else
    // there is not ours to remove.
    struct stat info {};
    if (::lstat (socketFile.getFullPathName().toRawUTF8(), &info) == 0)
    {
        if (! S_ISSOCK (info.st_mode) || ::unlink (socketFile.getFullPathName().toRawUTF8()) != 0)
            return {};
    }

    Fd listener (::socket (AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (! listener
        || ::bind (listener.fd, reinterpret_cast<const sockaddr*> (&address), sizeof (address)) != 0
        || ::listen (listener.fd, 16) != 0)
        return {};

    std::unique_ptr<SecondLaunchChannel> channel (new SecondLaunchChannel (socketFile, lockFile, listener.release()));
    channel->boundInode = inodeOf (socketFile);
    return { Outcome::listening, std::move (channel) };
}
