#pragma once

#include "RectBounds.h"

/** How the brush renderer cuts a target larger than one texture into tiles.

    Tiles are squares of side T, laid from the top-left corner; the last column and row take
    what is left. T keeps a margin of 96 pixels below the largest texture side and never
    exceeds maxTileSide, so a driver that allows huge textures still gets tiles of a sane
    size (the output does not depend on T: every tile draws every dab that reaches it).
*/
namespace BrushTiling
{
    /** Largest tile side used whatever the driver allows: one tile of 8192 x 8192 already
        needs 256 MB of texture per copy. */
    inline constexpr int maxTileSide = 8192;

    /** Margin kept below the largest texture side. */
    inline constexpr int textureMargin = 96;

    /** min (maxTextureSize - 96, 8192); below 1 when the texture size leaves no room. */
    int tileSideFor (int maxTextureSize) noexcept;

    /** ceil (width / tile) columns and ceil (height / tile) rows; both 0 when tile is below 1
        or the size is empty. */
    void tileGridSize (int width, int height, int tile, int& columns, int& rows) noexcept;

    /** The inclusive rectangle of tile (column, row), clipped to the image. */
    RectBounds tileRect (int width, int height, int tile, int column, int row) noexcept;
}
