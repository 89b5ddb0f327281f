#pragma once

#include <juce_graphics/juce_graphics.h>

#include <string>

namespace sxtest
{
    /** How far a rendered image lies from its golden. */
    struct GoldenComparison
    {
        bool sameSize = false;
        int maxChannelDifference = 0;   // over alpha, red, green and blue
        double maxDeltaE = 0.0;         // CIEDE2000 of the colours, alpha ignored
        double meanDeltaE = 0.0;

        /** Within ±2 per channel, or CIEDE2000 max ≤ 2.3 and mean ≤ 0.77: the GPU pass and
            the JPEG-free float maths may round differently on another machine. */
        bool withinTolerance() const noexcept
        {
            return sameSize && (maxChannelDifference <= 2 || (maxDeltaE <= 2.3 && meanDeltaE <= 0.77));
        }

        std::string describe() const;
    };

    GoldenComparison compareImages (const juce::Image& actual, const juce::Image& golden);

    /** CIEDE2000 difference of two sRGB colours. */
    double deltaE2000 (juce::Colour a, juce::Colour b);

    /** Compares actual with tests/data/golden/<name>.png. On a miss, the actual image and a
        diff image (difference ×8) are left in failureOutputFolder(). With SX_UPDATE_GOLDENS
        set, the golden is written from actual instead and the comparison passes. */
    GoldenComparison checkGolden (const juce::Image& actual, const juce::String& name);
}
