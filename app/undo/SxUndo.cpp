#include "SxUndo.h"

void SxUndo::reset()
{
    for (auto& snapshot : snapshots)
        snapshot = SxPropertySet();
    current = top = -1;
}

void SxUndo::push (const SxPropertySet& snapshot)
{
    if (current >= capacity - 1)
    {
        for (int i = 0; i < capacity - 1; ++i)
            snapshots[(size_t) i] = snapshots[(size_t) i + 1];
        current = capacity - 1;
    }
    else
    {
        ++current;
    }
    snapshots[(size_t) current] = snapshot;
    top = current;
}

std::optional<SxPropertySet> SxUndo::undo()
{
    if (current <= 0)
        return std::nullopt;
    --current;
    return restorable (current);
}

std::optional<SxPropertySet> SxUndo::redo()
{
    const int next = std::min (current + 1, capacity - 1);
    if (next > top)
        return std::nullopt;
    current = next;
    return restorable (current);
}

std::optional<SxPropertySet> SxUndo::restorable (int index)
{
    auto& snapshot = snapshots[(size_t) index];
    if (snapshot.getAllProperties().size() == 0)
        return std::nullopt;
    return snapshot;
}
