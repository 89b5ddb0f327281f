#include "HugePageMemory.h"
#include "PlatformImage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <limits>

TEST (HugePageMemory, SmallAndLargeBlocksAreUsableClearedWhenAskedAndFreedByFree)
{
    for (const size_t bytes : { (size_t) 0, (size_t) 100, HugePageMemory::threshold - 1, HugePageMemory::threshold,
                                (size_t) 48'000'001 })
    {
        SCOPED_TRACE (bytes);
        auto* cleared = static_cast<uint8_t*> (HugePageMemory::allocate (bytes, true));
        ASSERT_NE (cleared, nullptr);
        bool allZero = true;
        for (size_t i = 0; i < bytes; i += 4093)
            allZero = allZero && cleared[i] == 0;
        EXPECT_TRUE (bytes == 0 || (allZero && cleared[bytes - 1] == 0));
        std::free (cleared);

        auto* raw = static_cast<uint8_t*> (HugePageMemory::allocate (bytes, false));
        ASSERT_NE (raw, nullptr);
        if (bytes > 0)
        {
            raw[0] = 1;
            raw[bytes - 1] = 2;
            EXPECT_EQ (raw[0] + raw[bytes - 1], 3);
        }
        std::free (raw);
    }

    // A size no system can give is refused rather than wrapped around.
    EXPECT_EQ (HugePageMemory::allocate (std::numeric_limits<size_t>::max() - 10, false), nullptr);
}

TEST (HugePageMemory, PlatformImageAllocateStillClearsAfterEarlierPixels)
{
    // The pixel vector no longer clears on sizing, so allocate() must clear by itself.
    PlatformImage image;
    ASSERT_TRUE (image.allocateForOverwrite (1200, 1000));
    std::fill (image.rgba.begin(), image.rgba.end(), (uint8_t) 7);
    image.rgba.clear();
    ASSERT_TRUE (image.allocate (1200, 1000));
    bool allZero = true;
    for (const auto byte : image.rgba)
        allZero = allZero && byte == 0;
    EXPECT_TRUE (allZero);
}
