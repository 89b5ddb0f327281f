#pragma once

#include "RectBounds.h"

class SxImageRgbaBytes;
class SxTool;

/** What a layer asks of its host (the application, or a thumbnail renderer).
    Every operation has a harmless default so that hosts implement only what they use. */
class LayerCallback
{
public:
    virtual ~LayerCallback() = default;

    /** The preview-size image the layers render from; not transferred. */
    virtual SxImageRgbaBytes* getWorkingImage() { return nullptr; }
    /** The opened image at full resolution; not transferred. */
    virtual SxImageRgbaBytes* getOriginalImage() { return nullptr; }
    /** Repaints the document view. */
    virtual void refreshCanvas() {}
    /** Records an undo snapshot of the layer stack. */
    virtual void recordUndoState() {}
    /** Makes tool the document's current tool (none when null). */
    virtual void selectTool (SxTool*) {}

    /** The document's current tool, so that a layer deleting its tools never leaves the
        host pointing at one of them. */
    virtual SxTool* getSelectedTool() { return nullptr; }
    /** Renders the rectangle of the document synchronously. */
    virtual void renderRegionNow (const RectBounds&, bool) {}
};
