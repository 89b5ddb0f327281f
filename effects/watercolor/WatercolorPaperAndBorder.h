#pragma once

#include "WatercolorCaches.h"
#include "WatercolorSettings.h"

/** The paper and border images of a watercolour layer, from the resource archive.

    Both are cached in WatercolorCaches and loaded only when null; the layer releases
    them when their names change (and the ink outline with a new border, as the border
    is drawn into it).
*/
namespace WatercolorPaperAndBorder
{
    /** The border name that stands for "no border". */
    inline const char* const noBorderName = "0a-none";

    /** True when the output should get the paper: paper background chosen and a paper
        image loaded. Otherwise the render fills with the plain background colour, so a
        paper background never blits from nothing. */
    bool usesPaper (const WatercolorSettings& settings, const WatercolorCaches& caches) noexcept;
}

/** Fills caches.paperImage from "Tolva_Backgrounds" (edgeFileName) and caches.borderImage
    from "Tolva_Borders" (borderFileName) when they are null and their names are not
    empty. A name the archive lacks falls back to the group's first item; "0a-none"
    is looked up like any name but, when the archive lacks it, means no border rather
    than the first border. renderScale is not used. Each image is left null when
    nothing can be loaded. */
void loadPaperAndBorderImages (WatercolorCaches& caches, const WatercolorSettings& settings, float renderScale);
