#pragma once

#include "SxImageAlphaByte.h"
#include "SxSmartPtr.h"

#include <juce_core/juce_core.h>

/** The 8-bit stamp the brush tools press into masks and images: a disc whose edge fades
    out with a smoothstep over the outer `softness` share of the radius, or a texture shaped
    by the same falloff. Keeps one resized copy of the stamp for drawing at a zoom factor.

    The owner sets diameter, softness, strength and texture directly, then calls buildStamp.
    The stamp, the cached copy and the texture belong to the brush.
*/
class SxBrush
{
public:
    /** A brush of the default settings with its stamp built. */
    SxBrush();
    virtual ~SxBrush() = default;

    /** Replaces the stamp from diameter, softness, strength and texture and drops the cached
        copy. A non-finite diameter or one beyond maxDiameter keeps the old stamp. */
    virtual void buildStamp();

    /** The stamp scaled by `scale` (at least 1 x 1): the stamp itself at its own size,
        else the cached copy, remade (bilinear, edge-clamped) when its size differs. The
        image belongs to the brush and stays valid until the next buildStamp or a
        getScaledStamp of another size. */
    virtual SxImageAlphaByte* getScaledStamp (float scale);

    /** The byte at (x, y) of the cached copy (of the stamp while there is no copy);
        0 outside it. */
    virtual int getStampValue (int x, int y) const;

    /** Largest stamp side the brush builds or scales to. */
    static constexpr int maxStampSide = 4096;

    SxRef<SxImageAlphaByte> stamp;
    SxRef<SxImageAlphaByte> scaledStamp;
    SxRef<SxImageAlphaByte> texture;   // optional grain that replaces the flat inside
    float diameter = 40.0f;            // pixels
    float softness = 1.0f;             // share of the radius that fades out (0 = hard edge)
    float strength = 0.5f;             // peak of the falloff

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxBrush)
};
