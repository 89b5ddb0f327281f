#include "SecondLaunchChannel.h"
#include "TestImages.h"

#include <gtest/gtest.h>

#include <mutex>
#include <thread>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace
{
    using Outcome = SecondLaunchChannel::Outcome;
    const juce::String name = "sx-test";

    /** Collects hand-overs from the channel's thread. */
    struct Inbox
    {
        std::mutex lock;
        std::vector<juce::StringArray> received;
        juce::WaitableEvent arrived;

        SecondLaunchChannel::Receiver receiver()
        {
            return [this] (const juce::StringArray& paths)
            {
                {
                    std::lock_guard<std::mutex> guard (lock);
                    received.push_back (paths);
                }
                arrived.signal();
            };
        }

        /** Waits (at most 5 s) until count hand-overs have arrived. */
        bool waitFor (size_t count)
        {
            for (;;)
            {
                {
                    std::lock_guard<std::mutex> guard (lock);
                    if (received.size() >= count)
                        return true;
                }
                if (! arrived.wait (5000))
                    return false;
            }
        }

        std::vector<juce::StringArray> snapshot()
        {
            std::lock_guard<std::mutex> guard (lock);
            return received;
        }
    };

    struct PrivateFolder
    {
        sxtest::TempFolder temp;
        juce::File folder = temp.get().getChildFile ("run");

        PrivateFolder()
        {
            folder.createDirectory();
            ::chmod (folder.getFullPathName().toRawUTF8(), 0700);
        }
    };

    /** Connects to the channel's socket and sends raw bytes, as a stranger to the format. */
    void sendRaw (const juce::File& socketFile, const void* data, size_t size, bool waitForAnswer = true)
    {
        const int fd = ::socket (AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address {};
        address.sun_family = AF_UNIX;
        std::strcpy (address.sun_path, socketFile.getFullPathName().toRawUTF8());
        ASSERT_EQ (::connect (fd, reinterpret_cast<sockaddr*> (&address), sizeof (address)), 0);
        for (size_t sent = 0; sent < size;)
        {
            const auto n = ::send (fd, static_cast<const char*> (data) + sent, size - sent, MSG_NOSIGNAL);
            if (n <= 0)
                break;
            sent += (size_t) n;
        }
        ::shutdown (fd, SHUT_WR);
        if (waitForAnswer)
        {
            char answer;
            [[maybe_unused]] auto ignored = ::recv (fd, &answer, 1, 0);
        }
        ::close (fd);
    }
}

TEST (SecondLaunchChannel, ASecondLaunchHandsItsPathsToTheFirstExactly)
{
    PrivateFolder run;
    auto first = SecondLaunchChannel::claimIn (run.folder, name, {});
    ASSERT_EQ (first.outcome, Outcome::listening);
    ASSERT_NE (first.channel, nullptr);
    EXPECT_TRUE (first.channel->getSocketFile().exists());

    Inbox inbox;
    first.channel->startReceiving (inbox.receiver());

    const juce::StringArray paths { "/home/u/my photo.jpg", "/home/u/back\\slash.png", "/home/u/\"quoted\".tif",
                                    "/home/u/line\nbreak.jpg", juce::String::fromUTF8 ("/home/u/\xc3\xa9t\xc3\xa9.jpg") };
    const auto second = SecondLaunchChannel::claimIn (run.folder, name, paths);
    EXPECT_EQ (second.outcome, Outcome::handedOver);
    EXPECT_EQ (second.channel, nullptr);

    ASSERT_TRUE (inbox.waitFor (1));
    EXPECT_EQ (inbox.snapshot()[0], paths);

    // A launch without files still arrives, so the window can come to the front.
    EXPECT_EQ (SecondLaunchChannel::claimIn (run.folder, name, {}).outcome, Outcome::handedOver);
    ASSERT_TRUE (inbox.waitFor (2));
    EXPECT_TRUE (inbox.snapshot()[1].isEmpty());
}

TEST (SecondLaunchChannel, HandOversBeforeReceivingStartsWaitInTheQueue)
{
    PrivateFolder run;
    auto first = SecondLaunchChannel::claimIn (run.folder, name, {});
    ASSERT_EQ (first.outcome, Outcome::listening);

    const char handOver[] = "SXL1/a.jpg";
    sendRaw (first.channel->getSocketFile(), handOver, sizeof (handOver), false);

    Inbox inbox;
    first.channel->startReceiving (inbox.receiver());
    ASSERT_TRUE (inbox.waitFor (1));
    EXPECT_EQ (inbox.snapshot()[0], juce::StringArray ({ "/a.jpg" }));
}

TEST (SecondLaunchChannel, ASocketLeftByADeadInstanceIsReplaced)
{
    PrivateFolder run;
    const auto socketFile = run.folder.getChildFile (name + ".socket");

    // What a crashed instance leaves: a bound socket file that nobody listens on.
    {
        const int fd = ::socket (AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address {};
        address.sun_family = AF_UNIX;
        std::strcpy (address.sun_path, socketFile.getFullPathName().toRawUTF8());
        ASSERT_EQ (::bind (fd, reinterpret_cast<sockaddr*> (&address), sizeof (address)), 0);
        ::close (fd);
    }
    ASSERT_TRUE (socketFile.exists());

    auto claim = SecondLaunchChannel::claimIn (run.folder, name, { "/x.jpg" });
    ASSERT_EQ (claim.outcome, Outcome::listening);

    Inbox inbox;
    claim.channel->startReceiving (inbox.receiver());
    EXPECT_EQ (SecondLaunchChannel::claimIn (run.folder, name, { "/y.jpg" }).outcome, Outcome::handedOver);
    ASSERT_TRUE (inbox.waitFor (1));

    // Going away removes the socket, so the next launch starts afresh.
    claim.channel.reset();
    EXPECT_FALSE (socketFile.exists());
    EXPECT_EQ (SecondLaunchChannel::claimIn (run.folder, name, {}).outcome, Outcome::listening);
}

TEST (SecondLaunchChannel, RefusesFoldersAndPathsThatAreNotPrivatelyItsOwn)
{
    PrivateFolder run;

    // Someone else's file at the socket's path is left alone.
    const auto socketFile = run.folder.getChildFile (name + ".socket");
    socketFile.replaceWithText ("not a socket");
    EXPECT_EQ (SecondLaunchChannel::claimIn (run.folder, name, {}).outcome, Outcome::unavailable);
    EXPECT_EQ (socketFile.loadFileAsString(), "not a socket");

    // A folder that others may enter.
    const auto open = run.temp.get().getChildFile ("open");
    open.createDirectory();
    ::chmod (open.getFullPathName().toRawUTF8(), 0755);
    EXPECT_EQ (SecondLaunchChannel::claimIn (open, name, {}).outcome, Outcome::unavailable);

    // A path too long for a socket address.
    EXPECT_EQ (SecondLaunchChannel::claimIn (run.folder, juce::String::repeatedString ("n", 200), {}).outcome, Outcome::unavailable);
}

TEST (SecondLaunchChannel, DropsHandOversThatAreOversizedOrMalformed)
{
    PrivateFolder run;
    auto claim = SecondLaunchChannel::claimIn (run.folder, name, {});
    ASSERT_EQ (claim.outcome, Outcome::listening);
    Inbox inbox;
    claim.channel->startReceiving (inbox.receiver());

    // Over the limit: dropped whole.
    juce::MemoryBlock huge (SecondLaunchChannel::maxMessageBytes + 100, true);
    std::memcpy (huge.getData(), "SXL1", 4);
    std::memset (static_cast<char*> (huge.getData()) + 4, '/', huge.getSize() - 5);
    sendRaw (claim.channel->getSocketFile(), huge.getData(), huge.getSize());

    // No magic; a path without its terminator.
    sendRaw (claim.channel->getSocketFile(), "/etc/passwd", 12);
    sendRaw (claim.channel->getSocketFile(), "SXL1/a.jpg", 10);

    // Relative and invalid UTF-8 paths are left out of a hand-over that is otherwise fine.
    const char mixed[] = "SXL1relative.jpg\0/\xff\xfe.jpg\0/fine.jpg\0";
    sendRaw (claim.channel->getSocketFile(), mixed, sizeof (mixed) - 1);

    ASSERT_TRUE (inbox.waitFor (1));
    const auto received = inbox.snapshot();
    ASSERT_EQ (received.size(), 1u);
    EXPECT_EQ (received[0], juce::StringArray ({ "/fine.jpg" }));
}

TEST (SecondLaunchChannel, SimultaneousLaunchesSettleOnOneInstance)
{
    PrivateFolder run;
    constexpr int launches = 8;
    std::vector<SecondLaunchChannel::Claim> claims (launches);
    std::vector<std::thread> threads;
    juce::WaitableEvent go (true);
    Inbox inbox;

    for (int i = 0; i < launches; ++i)
        threads.emplace_back ([&, i]
        {
            go.wait();
            auto claim = SecondLaunchChannel::claimIn (run.folder, name, { "/launch" + juce::String (i) + ".jpg" });
            // The instance starts receiving as soon as it knows it is the one.
            if (claim.channel != nullptr)
                claim.channel->startReceiving (inbox.receiver());
            claims[(size_t) i] = std::move (claim);
        });

    go.signal();
    for (auto& t : threads)
        t.join();

    int listening = 0, handedOver = 0;
    for (auto& c : claims)
        (c.outcome == Outcome::listening ? listening : handedOver) += (c.outcome != Outcome::unavailable) ? 1 : 0;
    EXPECT_EQ (listening, 1);
    EXPECT_EQ (handedOver, launches - 1);
    EXPECT_TRUE (inbox.waitFor ((size_t) launches - 1));
}

TEST (SecondLaunchChannel, TheRuntimeFolderIsPrivate)
{
    const auto folder = SecondLaunchChannel::getRuntimeFolder (name);
    ASSERT_NE (folder, juce::File());
    struct stat info {};
    ASSERT_EQ (::stat (folder.getFullPathName().toRawUTF8(), &info), 0);
    EXPECT_EQ (info.st_mode & 077, 0u);
    EXPECT_EQ (info.st_uid, ::getuid());
}
