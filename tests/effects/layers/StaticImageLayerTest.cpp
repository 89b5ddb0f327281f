#include <gtest/gtest.h>

#include "FakeLayers.h"

namespace
{
    /** Mask of every byte 255 (as left by a reader), of the layer's current mask size. */
    void dirtyMask (StaticImageLayer& layer)
    {
        auto* mask = layer.getChangeMask();
        std::fill (mask->pixels, mask->pixels + mask->width * mask->height, (uint8_t) 255);
    }

    int clearedBytes (const SxImageAlphaByte& mask, int x1, int y1, int x2, int y2)
    {
        int outsideCleared = 0, insideSet = 0;
        for (int y = 0; y < mask.height; ++y)
            for (int x = 0; x < mask.width; ++x)
            {
                const bool inside = x >= x1 && x <= x2 && y >= y1 && y <= y2;
                const auto value = mask.getRowPointer (y)[x];
                outsideCleared += (! inside && value == 0) ? 1 : 0;
                insideSet += (inside && value != 0) ? 1 : 0;
            }
        return outsideCleared + insideSet; // 0 when exactly the rectangle is cleared
    }
}

TEST (StaticImageLayer, EmptyAreaClearsTheWholeMaskAndCoversTheImage)
{
    SxRef<SxImageRgbaBytes> source (new SxImageRgbaBytes (8, 6));
    StaticImageLayer layer;
    layer.setSourceImage (source.get());
    RenderParameters params;
    EXPECT_EQ (layer.getRenderedImage (params), source.get());
    dirtyMask (layer);

    RenderParameters again;
    EXPECT_EQ (layer.getRenderedImage (again), source.get());
    EXPECT_EQ (again.area, (RectBounds { 0.0f, 0.0f, 7.0f, 5.0f }));
    EXPECT_EQ (again.changeMask, layer.getChangeMask());
    EXPECT_EQ (clearedBytes (*layer.getChangeMask(), 0, 0, 7, 5), 0);
    EXPECT_FALSE (layer.needsRender());
}

TEST (StaticImageLayer, AreaClearsOnlyItsPartInsideTheImage)
{
    struct Case { RectBounds area; RectBounds clipped; };
    const Case cases[] = {
        { { 2.0f, 1.0f, 4.0f, 3.0f }, { 2.0f, 1.0f, 4.0f, 3.0f } },
        { { -5.0f, 3.0f, 3.0f, 40.0f }, { 0.0f, 3.0f, 3.0f, 5.0f } },
        { { 6.0f, -2.0f, 100.0f, 0.0f }, { 6.0f, 0.0f, 7.0f, 0.0f } },
    };
    SxRef<SxImageRgbaBytes> source (new SxImageRgbaBytes (8, 6));
    StaticImageLayer layer;
    layer.setSourceImage (source.get());
    RenderParameters first;
    layer.getRenderedImage (first);

    for (const auto& c : cases)
    {
        dirtyMask (layer);
        RenderParameters params;
        params.area = c.area;
        layer.getRenderedImage (params);
        EXPECT_EQ (params.area, c.clipped);
        EXPECT_EQ (clearedBytes (*layer.getChangeMask(), (int) c.clipped.left, (int) c.clipped.top,
                                 (int) c.clipped.right, (int) c.clipped.bottom), 0);
    }
}

TEST (StaticImageLayer, NewSourceSizeReallocatesTheMask)
{
    SxRef<SxImageRgbaBytes> source (new SxImageRgbaBytes (8, 6));
    SxRef<SxImageRgbaBytes> sameSize (new SxImageRgbaBytes (8, 6));
    SxRef<SxImageRgbaBytes> larger (new SxImageRgbaBytes (12, 9));
    StaticImageLayer layer;
    layer.setSourceImage (source.get());
    RenderParameters params;
    layer.getRenderedImage (params);
    auto* mask = layer.getChangeMask();

    layer.setSourceImage (sameSize.get());
    RenderParameters same;
    layer.getRenderedImage (same);
    EXPECT_EQ (layer.getChangeMask(), mask);

    layer.setSourceImage (larger.get());
    RenderParameters resized;
    EXPECT_EQ (layer.getRenderedImage (resized), larger.get());
    EXPECT_EQ (layer.getChangeMask()->width, 12);
    EXPECT_EQ (layer.getChangeMask()->height, 9);
    EXPECT_EQ (resized.area, (RectBounds { 0.0f, 0.0f, 11.0f, 8.0f }));
}

TEST (StaticImageLayer, WithoutSourcePublishesNothing)
{
    StaticImageLayer layer;
    RenderParameters params;
    EXPECT_EQ (layer.getRenderedImage (params), nullptr);
    EXPECT_EQ (params.changeMask, nullptr);

    std::unique_ptr<Layer> clone (layer.createInstance());
    auto* fresh = dynamic_cast<StaticImageLayer*> (clone.get());
    ASSERT_NE (fresh, nullptr);
    EXPECT_EQ (fresh->getSourceImage(), nullptr);
    EXPECT_EQ (fresh->getChangeMask(), nullptr);
    EXPECT_EQ (fresh->getLayerName(), "Layer");
}
