#include "TestImages.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>

#include <sys/stat.h>
#include <unistd.h>

namespace sxtest
{
    TempFolder::TempFolder()
    {
        // Test processes run in parallel: a name checked free by two of them at once would be
        // shared, so the name carries the process id and a random part, and creation must win.
        static std::atomic<int> counter { 0 };
        const auto base = juce::File::getSpecialLocation (juce::File::tempDirectory);
        for (;;)
        {
            folder = base.getChildFile ("sxtest-" + juce::String (getpid()) + "-" + juce::String (++counter) + "-"
                                        + juce::String::toHexString (juce::Random::getSystemRandom().nextInt64()));
            if (::mkdir (folder.getFullPathName().toRawUTF8(), 0700) == 0)
                return;
            if (errno != EEXIST)
            {
                folder.createDirectory();
                return;
            }
        }
    }

    TempFolder::~TempFolder()
    {
        folder.deleteRecursively();
    }

    int maxByteDifference (const uint8_t* a, const uint8_t* b, size_t length)
    {
        int worst = 0;
        for (size_t i = 0; i < length; ++i)
            worst = std::max (worst, std::abs ((int) a[i] - (int) b[i]));
        return worst;
    }

    juce::File failureOutputFolder()
    {
        auto folder = juce::File::getCurrentWorkingDirectory().getChildFile ("test-failures");
        folder.createDirectory();
        return folder;
    }
}
