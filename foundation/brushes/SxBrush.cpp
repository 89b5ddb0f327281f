#include "SxBrush.h"

#include "Resampling.h"

#include <algorithm>
#include <cmath>

SxBrush::SxBrush()
{
    buildStamp();
}

void SxBrush::buildStamp()
{
    const double side = std::trunc ((double) diameter + 0.99);
    if (! std::isfinite (side) || side > maxStampSide)
        return;

    const SxImageAlphaByte* tex = texture.get();
    if (tex != nullptr && (tex->width <= 0 || tex->height <= 0))
        tex = nullptr;

    const int w = std::max ((int) side, 1);
    const int h = tex == nullptr ? w : std::max ((int) ((int64_t) w * tex->height / tex->width), 1);
    if (h > maxStampSide)
        return;

    SxRef<SxImageAlphaByte> fresh (new SxImageAlphaByte (w, h));
    const float cx = (float) w * 0.5f, cy = (float) h * 0.5f;
    const float outer = 0.5f * diameter;
    const float inner = outer - softness * outer;

    // Texture lookup steps; a one-pixel stamp side reads the texture's first row or column.
    const float stepX = tex == nullptr ? 0.0f : (float) (tex->width - 1) / (w > 1 ? (float) (w - 1) : 0.0001f);
    const float stepY = tex == nullptr ? 0.0f : (float) (tex->height - 1) / (h > 1 ? (float) (h - 1) : 0.0001f);

    for (int i = 0; i < h; ++i)
    {
        uint8_t* row = fresh->getRowPointer (i);
        const uint8_t* texRow = tex == nullptr ? nullptr
                              : tex->getRowPointer (std::min ((int) (stepY * (float) i), tex->height - 1));
        for (int j = 0; j < w; ++j)
        {
            const float dx = (float) j - cx, dy = (float) i - cy;
            const float d = std::sqrt (dx * dx + dy * dy);
            float f = 0.0f;
            if (d < inner)
                f = strength;
            else if (d < outer)
            {
                const float t = (outer - d) / (outer - inner);
                f = (3.0f - 2.0f * t) * t * t * strength;
            }

            const float value = texRow == nullptr ? f * 255.0f
                                                  : (float) texRow[std::min ((int) (stepX * (float) j), tex->width - 1)] * f;
            row[j] = (uint8_t) std::clamp ((int) value, 0, 255);
        }
    }

    stamp = fresh;
    // A copy of the old stamp must not survive as the scaled copy of the new one.
    scaledStamp.reset();
}

SxImageAlphaByte* SxBrush::getScaledStamp (float scale)
{
    if (! stamp)
        buildStamp();
    if (! stamp)
        return nullptr;

    auto scaledSide = [scale] (int side)
    {
        const double v = std::trunc ((double) side * (double) scale);
        return std::isnan (v) ? 1 : (int) std::clamp (v, 1.0, (double) maxStampSide);
    };
    const int sw = scaledSide (stamp->width), sh = scaledSide (stamp->height);

    if (sw == stamp->width && sh == stamp->height)
        return stamp.get();
    if (scaledStamp && scaledStamp->width == sw && scaledStamp->height == sh)
        return scaledStamp.get();

    scaledStamp.reset();
    SxRef<SxImageAlphaByte> copy (new SxImageAlphaByte (sw, sh));
    RectBounds from { 0.0f, 0.0f, (float) (stamp->width - 1), (float) (stamp->height - 1) };
    RectBounds to { 0.0f, 0.0f, (float) (sw - 1), (float) (sh - 1) };
    blitScaled (*copy, *stamp, from, to, 1);
    scaledStamp = copy;
    return scaledStamp.get();
}

int SxBrush::getStampValue (int x, int y) const
{
    const SxImageAlphaByte* image = scaledStamp ? scaledStamp.get() : stamp.get();
    if (image == nullptr || x < 0 || y < 0 || x >= image->width || y >= image->height)
        return 0;
    return image->getRowPointer (y)[x];
}
