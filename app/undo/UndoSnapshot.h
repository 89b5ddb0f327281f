#pragma once

#include "SxPropertySet.h"

#include <vector>

class AppSettings;
class Layer;

/** What an undo snapshot holds, and the two readings the main component makes of it.

    A snapshot is the effect layer's own saved settings with nested sets
    (LayerSaveOptions{true}: base keys, the effect's keys, the mask record under
    "SelectiveMaskData") plus "currentEffectName", the layer's short name. No stack keys:
    undo brings back one effect, which it first makes current again.
*/
class UndoSnapshot
{
public:
    static constexpr const char* effectNameKey = "currentEffectName";

    /** The snapshot of effectLayer; an empty set when there is none. */
    static SxPropertySet of (Layer* effectLayer);

    /** The position in effects (the current group's, in their order) of the first effect
        whose short name the snapshot names; 0 when none does. */
    static int effectIndex (const SxPropertySet& snapshot, const std::vector<Layer*>& effects);

    /** Counts one recorded snapshot against "freshProject": "freshProjectUndoCount" goes up
        by one, and from the second snapshot after the count was reset the document is no
        longer fresh. */
    static void countTowardsChanged (AppSettings& settings);

private:
    UndoSnapshot() = delete;
};
