#pragma once

#include "SxPropertySet.h"

#include <array>
#include <optional>

/** The undo store: the five most recent snapshots of the document's effect settings.

    current is the snapshot that matches what the user sees, top the newest one redo may
    reach; both are -1 while the store is empty. A push puts the snapshot just above
    current and makes it the top (so redo can no longer reach what was above); on a full
    store the oldest snapshot is dropped. Undo and redo only move current within [0, top]
    and hand back the snapshot to restore; the owner loads it. Undo at the oldest snapshot,
    and redo at the newest below the last place, give nothing and move nothing. Redo at the
    last place (current 4) gives snapshot 4 again.

    Invariant after every operation: -1 <= current <= top <= 4.

    Message thread only. A snapshot holds one effect's settings (text and nested records,
    no picture), so a push copies a few kilobytes.
*/
class SxUndo
{
public:
    static constexpr int capacity = 5;

    /** Five empty snapshots; current and top -1. */
    SxUndo() = default;
    virtual ~SxUndo() = default;

    /** Empties every snapshot; current and top -1. */
    void reset();

    /** Stores a copy of snapshot above current (dropping the oldest when full) and makes it
        current and top. */
    void push (const SxPropertySet& snapshot);

    /** Steps back: a copy of the snapshot before current, or nothing (nothing moves) when
        current is the oldest or the store is empty. current moves even when the snapshot
        it reaches holds no key; such a snapshot is not handed back. */
    std::optional<SxPropertySet> undo();

    /** Steps forward: a copy of the snapshot after current (at the last place, current's
        own again), or nothing (nothing moves) when current is the top. */
    std::optional<SxPropertySet> redo();

    int getCurrent() const noexcept  { return current; }
    int getTop() const noexcept      { return top; }
    /** The snapshot at index (0 to 4), empty when never written. */
    const SxPropertySet& getSnapshot (int index) const  { return snapshots[(size_t) index]; }

private:
    std::array<SxPropertySet, capacity> snapshots;
    int current = -1;
    int top = -1;

    std::optional<SxPropertySet> restorable (int index);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxUndo)
};
