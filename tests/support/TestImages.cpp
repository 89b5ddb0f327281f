#include "TestImages.h"

#include <cstdlib>

namespace sxtest
{
    TempFolder::TempFolder()
        : folder (juce::File::getSpecialLocation (juce::File::tempDirectory)
                      .getNonexistentChildFile ("sxtest", "", false))
    {
        folder.createDirectory();
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
