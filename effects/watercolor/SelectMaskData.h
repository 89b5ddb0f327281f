#pragma once

#include "SxBezierCurve.h"
#include "SxStroke.h"

#include <juce_core/juce_core.h>

#include <vector>

/** What the user made with the selective-mask wizard for one watercolour layer: the
    brush strokes the mask is computed from, and the traced outlines of the result, which
    the render paints through when Color Area is Mask.

    Saved under a key of the layer's set as a nested record (XML text) holding
    "StrokeCount", "Stroke"<i> ..., "CurveCount", "Curve"<i> .... Reading stops at the
    first missing item, so a damaged count never makes the loader allocate or spin.
    Copyable: the wizard works on a copy and hands a new one back.
*/
class SelectMaskData
{
public:
    SelectMaskData() = default;
    SelectMaskData (const SelectMaskData&) = default;
    SelectMaskData& operator= (const SelectMaskData&) = default;
    virtual ~SelectMaskData() = default;

    /** Empties both lists. */
    virtual void clear();

    /** Maps strokes and outlines from an image of oldSize to one of newSize, per axis.
        Sizes are (width, height) in x and y; a size with a side of 0 or less (or not
        finite) changes nothing. */
    virtual void rescale (const SxPoint& newSize, const SxPoint& oldSize);

    /** Writes the record under key of set. */
    virtual void saveToPropertySet (juce::PropertySet& set, juce::StringRef key) const;

    /** Replaces both lists with the record under key; a missing or unreadable record
        leaves them empty. */
    virtual void loadFromPropertySet (const juce::PropertySet& set, juce::StringRef key);

    /** True when the mask has traced outlines to paint through. */
    bool hasOutlines() const noexcept { return ! curves.empty(); }

    std::vector<SxStroke> strokes;
    std::vector<SxBezierCurve> curves;
};
