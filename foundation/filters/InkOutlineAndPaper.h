#pragma once

#include <juce_core/juce_core.h>

class SxImageAlphaByte;

/** The drawn look of the watercolour effects on gray images.

    makeInkOutline: median (radius from detail and scale), Sobel edges, a gain and a
    steep contrast curve from strength, then a soft blur; high values follow the
    picture's edges, flat areas give 0. Every stage is one of the multi-core gray
    filters, so the cost is a few passes over the image whatever the radius.

    applyFibersTexture: a tone table that lifts the darkest values and sends everything
    from 50 up to mid-grey, then modulation by the archive's fibre image (resized to the
    image) and a final amount.
*/
namespace InkOutlineAndPaper
{
    /** The tone table of applyFibersTexture. */
    uint8_t fibreToneValue (int v) noexcept;

    /** Modulation of a toned value v by the fibre value f. */
    uint8_t modulateByFibre (uint8_t v, uint8_t f) noexcept;

    /** trunc(v * factor) within 0 ... 255 (zero stays zero), for the ink gain and the
        texture amount; a NaN factor counts as 0. */
    void scaleAndClamp (SxImageAlphaByte& image, float factor);
}

/** Writes the ink outline of source into destination (same size); source is left holding
    the median-filtered picture. Nothing happens for empty or mismatched images. */
void makeInkOutline (SxImageAlphaByte& source, SxImageAlphaByte& destination,
                     float strength, float detail, float scale);

/** Tone table, modulation by the item "Fibers" of group (skipped when the archive lacks
    it), then trunc(v * amount) clamped when amount is not 1. Empty images are left. */
void applyFibersTexture (SxImageAlphaByte& image, const juce::String& group, float amount);
