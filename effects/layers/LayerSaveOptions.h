#pragma once

/** Options of every layer settings save and load. */
struct LayerSaveOptions
{
    /** True: each layer's settings go into a child set of the stack's set (undo snapshots).
        False: they are stored as one line of plist XML text (everything written to files). */
    bool nestedSets = false;
};
