#pragma once

#include "SxPoint.h"

#include <juce_core/juce_core.h>

#include <vector>

/** The point-list block in which a stroke's path is saved.

    Little-endian: int32 tag 258, int32 count, then six float32 per point (x, y, weight
    and the three further floats), stored under a key as the framework's memory-block
    base-64 text. Two older forms are still read: a block whose first int32 is the count
    (any value but 258) followed by (x, y) float pairs, and a nested record with "Count"
    and the keys "Item=<i>ValueX" / "Item=<i>ValueY". Points of the older forms get
    weight 1 and further floats 0.

    Readers take no more points than the data can hold (a record's count is capped at
    its number of keys), so a damaged count costs nothing; a point cut short by the end
    of the data reads its missing values as 0.
*/

/** Stores the block of points under key. */
void writePointList (const std::vector<SxPoint>& points, juce::PropertySet& set, juce::StringRef key);

/** Replaces points with the list stored under key in any of the three forms (empty when
    the key is missing or empty). */
void readPointList (std::vector<SxPoint>& points, const juce::PropertySet& set, juce::StringRef key);
