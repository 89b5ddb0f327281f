#include "BrushTiling.h"

#include <algorithm>

namespace BrushTiling
{
    int tileSideFor (int maxTextureSize) noexcept
    {
        return std::min (maxTextureSize - textureMargin, maxTileSide);
    }

    void tileGridSize (int width, int height, int tile, int& columns, int& rows) noexcept
    {
        columns = rows = 0;

        if (tile < 1 || width < 1 || height < 1)
            return;

        columns = (width + tile - 1) / tile;
        rows = (height + tile - 1) / tile;
    }

    RectBounds tileRect (int width, int height, int tile, int column, int row) noexcept
    {
        RectBounds rect;
        rect.left = (float) (column * tile);
        rect.top = (float) (row * tile);
        rect.right = (float) std::min ((column + 1) * tile - 1, width - 1);
        rect.bottom = (float) std::min ((row + 1) * tile - 1, height - 1);
        return rect;
    }
}
