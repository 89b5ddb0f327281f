#pragma once

#include "ScopedDataHome.h"
#include "SxImageRgbaBytes.h"
#include "WatercolorSettings.h"

#include <cmath>

/** Small paper and border groups standing in for the resource archive while it lives. */
class ScopedArchiveNames
{
public:
    ScopedArchiveNames()
    {
        WatercolorSettings::setArchiveNameSource ([] (const juce::String& group) {
            if (group == "Tolva_Backgrounds")
                return juce::StringArray { "Quenza-01", "Aged-Paper13", "Aged-Paper37" };
            if (group == "Tolva_Borders")
                return juce::StringArray { "0a-none", "border-01", "border-02", "border-03" };
            return juce::StringArray();
        });
    }

    ~ScopedArchiveNames() { WatercolorSettings::setArchiveNameSource (nullptr); }
};

/** Sky, a dark hill and a bright disc in saturated colours: every band of the paint mask
    and hard edges for the ink. The top-left pixel is transparent. */
inline SxImageRgbaBytes makeWatercolorScene (int width, int height)
{
    SxImageRgbaBytes image (width, height);
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
    image.getRowPointer (0)[0] = 0;
    return image;
}
