#pragma once

// The paintings the save benchmarks write: camera sizes (12 MP is 4000 x 3000, 24 MP is
// 6000 x 4000), painting-like (broad washes with a paper grain), opaque, and a typical
// camera Exif block.

#include "SxImageRgbaBytes.h"

#include <juce_core/juce_core.h>

#include <algorithm>
#include <cmath>

namespace SavedPaintingSamples
{
    inline SxRef<SxImageRgbaBytes> makePainting (int megapixels)
    {
        const int width = megapixels == 24 ? 6000 : 4000;
        const int height = megapixels == 24 ? 4000 : 3000;
        SxRef<SxImageRgbaBytes> image (new SxImageRgbaBytes (width, height));
        juce::Random random (3);
        for (int y = 0; y < height; ++y)
        {
            uint8_t* p = image->getRowPointer (y);
            const double fy = (double) y / height;
            for (int x = 0; x < width; ++x, p += 4)
            {
                const double fx = (double) x / width;
                const int grain = random.nextInt (9) - 4;
                const double wash = std::sin (fx * 9.0 + std::sin (fy * 5.0) * 2.0) * std::cos (fy * 7.0 - fx * 3.0);
                p[0] = 255;
                p[1] = (uint8_t) std::clamp (170.0 + 60.0 * wash + grain, 0.0, 255.0);
                p[2] = (uint8_t) std::clamp (150.0 + 50.0 * std::sin (fx * 4.0 + fy * 6.0) + grain, 0.0, 255.0);
                p[3] = (uint8_t) std::clamp (190.0 - 70.0 * wash * fy + grain, 0.0, 255.0);
            }
        }
        return image;
    }

    inline juce::MemoryBlock cameraExif()
    {
        // "Exif\0\0", little-endian TIFF header, IFD0 with Make and Model.
        const uint8_t block[] = { 'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0,
                                  2, 0,
                                  0x0f, 0x01, 2, 0, 6, 0, 0, 0, 38, 0, 0, 0,
                                  0x10, 0x01, 2, 0, 4, 0, 0, 0, 'T', 'M', '1', 0,
                                  0, 0, 0, 0,
                                  'M', 'a', 'k', 'e', 'r', 0 };
        return juce::MemoryBlock (block, sizeof (block));
    }
}
