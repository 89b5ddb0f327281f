#pragma once

#include "SxTransform.h"

#include <juce_core/juce_core.h>

/** A transform that the placement tool can select, saved relative to an image size.

    The nested record holds "origImageSize.x/y", "transform.center.x/y",
    "transform.scale.x/y" (the size), "transform.orientation" and "isSelected".
    With mode 1 centre and size are stored in thousandths of the image size.
*/
class SxPlacement : public SxTransform
{
public:
    SxPlacement() = default;

    /** Keeps the placement attached to a reference transform that moved from
        oldReference to newReference: size scaled by the reference's size change (an
        axis whose old size is 0 keeps its size), centre carried through the two unit
        squares, the reference's rotation added. */
    virtual void moveWithTransform (const SxTransform& newReference, const SxTransform& oldReference);

    /** Writes the nested record under key for an image of imageSize (x = width, y = height).
        Mode 1 writes thousandths of the image size; an axis of size 0 is written in pixels. */
    virtual void saveToProperties (juce::PropertySet& set, juce::StringRef key, const SxPoint& imageSize, int mode) const;

    /** Reads the nested record under key (every value 0 when it is missing) and fits it
        to an image of imageSize: with a saved image size, uniformly by the smaller ratio
        and centred (modes other than 1); otherwise as thousandths in modes 1 to 4. */
    virtual void loadFromProperties (const juce::PropertySet& set, juce::StringRef key, const SxPoint& imageSize, int mode);

    bool selected = false;
};
