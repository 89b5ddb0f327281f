#pragma once

#include "SxImageRgbaBytes.h"

#include <cmath>

/** The generated picture the watercolour goldens, tests and benchmarks paint, and that the
    harness paints for "scene:WxH", so a failing golden can be rendered again by hand:
        WatercolorHarness scene:320x240 Stylized 1 1 out.png
    Sky, a dark hill and a bright disc in saturated colours: every band of the paint mask
    and hard edges for the ink. The top-left pixel is transparent. */
namespace sxtest
{
    inline SxImageRgbaBytes makeScene (int width, int height)
    {
        SxImageRgbaBytes image (width, height, SxImageRgbaBytes::uninitialised);
        for (int y = 0; y < height; ++y)
        {
            uint8_t* p = image.getRowPointer (y);
            for (int x = 0; x < width; ++x, p += 4)
            {
                const float fx = (float) x / (float) width, fy = (float) y / (float) height;
                const bool hill = fy > 0.6f + 0.15f * std::sin (fx * 6.0f);
                const bool sun = std::hypot (fx - 0.7f, fy - 0.3f) < 0.12f;
                p[0] = 255;
                p[1] = (uint8_t) (hill ? 40 + 30 * fx : sun ? 250 : 70 + 60 * fy);
                p[2] = (uint8_t) (hill ? 90 : sun ? 200 : 120 + 60 * fy);
                p[3] = (uint8_t) (hill ? 30 : sun ? 60 : 200);
            }
        }
        if (width > 0 && height > 0)
            image.getRowPointer (0)[0] = 0;
        return image;
    }
}
