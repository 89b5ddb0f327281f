#pragma once

#include "SxPoint.h"

#include <juce_core/juce_core.h>

#include <cstdint>
#include <vector>

/** One painted stroke of the selective-mask brush: its path and the brush it was drawn with.

    Saved as a nested record with "mLine" (a point-list block, see PointLists.h), the
    colour bytes "mColor.red", "mColor.green", "mColor.blue", "mColor.alpha", "mOpacity",
    "mDiameter" and "strokeStyle". A record without "mDiameter" reads 50, the size strokes
    had before the diameter was saved.
*/
class SxStroke
{
public:
    /** No points, opaque white, opacity 1, diameter 10, softness 1, style 0. */
    SxStroke() = default;

    /** Copies the points; diameter 10, softness 1 and style 0 (the producer sets them
        afterwards). colour is the colour word B<<24 | G<<16 | R<<8 | A. */
    SxStroke (const std::vector<SxPoint>& points, uint32_t colour, float opacity);

    virtual ~SxStroke() = default;
    SxStroke (const SxStroke&) = default;
    SxStroke& operator= (const SxStroke&) = default;

    /** Scales every point per axis from oldSize to newSize and the diameter by the width
        ratio. An old size with a side of 0 leaves the stroke unchanged. */
    virtual void remapToSize (const SxPoint& newSize, const SxPoint& oldSize);

    /** Writes the stroke record under key. */
    virtual void saveToProperties (juce::PropertySet& set, juce::StringRef key) const;

    /** Reads the stroke record under key; nothing changes when it is missing or not XML. */
    virtual void loadFromProperties (const juce::PropertySet& set, juce::StringRef key);

    std::vector<SxPoint> mLine;
    uint32_t mColor = 0xffffffff;   // colour word: bytes alpha, red, green, blue in memory
    float mOpacity = 1.0f;
    float mDiameter = 10.0f;        // pixels
    float mSoftness = 1.0f;
    int strokeStyle = 0;
};
