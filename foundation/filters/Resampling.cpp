#include "Resampling.h"

#include "ImageSpan.h"
#include "ParallelRows.h"
#include "PixelMath.h"
#include "RegionCopy.h"
#include "SxImageAlphaByte.h"
#include "SxImageRgbaBytes.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#if defined (__SSE2__)
 #include <emmintrin.h>
#endif

namespace
{
    // Far beyond any image side, small enough that sums of two stay inside int32.
    constexpr float coordinateLimit = 1.0e9f;

    using RegionCopy::isFinite;
    int truncInt (float v) noexcept { return RegionCopy::truncCoordinate (v); }

    [[maybe_unused]] uint8_t clampByte (int v) noexcept { return (uint8_t) std::clamp (v, 0, 255); }

    /** One axis of the bilinear sampler: the two neighbours and the weight of the second. */
    struct FloatTap
    {
        int i0 = 0, i1 = 0;
        float f = 0.0f;

        static FloatTap at (float v, int size) noexcept
        {
            v = v > 0.0f ? std::min (v, (float) (size - 1)) : 0.0f; // NaN lands on 0
            FloatTap t;
            t.i0 = std::clamp ((int) v, 0, size - 1);
            t.f = v - (float) t.i0;
            t.i1 = t.i0 < size - 1 ? t.i0 + 1 : t.i0;
            return t;
        }
    };

    inline void blendRgba (const uint8_t* p00, const uint8_t* p01, const uint8_t* p10, const uint8_t* p11,
                           float fx, float fy, uint8_t* out) noexcept
    {
       #if defined (__SSE2__)
        // The same single-precision steps, four bytes at a time (no fused multiply-add, so the
        // results are bit-identical). Clamping before truncation equals clamping after it.
        const __m128i zero = _mm_setzero_si128();
        auto load = [zero] (const uint8_t* p)
        {
            int32_t v;
            std::memcpy (&v, p, 4);
            const __m128i bytes = _mm_cvtsi32_si128 (v);
            return _mm_cvtepi32_ps (_mm_unpacklo_epi16 (_mm_unpacklo_epi8 (bytes, zero), zero));
        };
        const __m128 lo = _mm_setzero_ps(), hi = _mm_set1_ps (255.0f);
        auto truncByte = [lo, hi] (__m128 v) { return _mm_cvttps_epi32 (_mm_min_ps (_mm_max_ps (v, lo), hi)); };

        const __m128 f = _mm_set1_ps (fx), g = _mm_set1_ps (1.0f - fx);
        const __m128 top = _mm_cvtepi32_ps (truncByte (_mm_add_ps (_mm_mul_ps (load (p00), g), _mm_mul_ps (load (p01), f))));
        const __m128 bottom = _mm_cvtepi32_ps (truncByte (_mm_add_ps (_mm_mul_ps (load (p10), g), _mm_mul_ps (load (p11), f))));
        const __m128i result = truncByte (_mm_add_ps (_mm_mul_ps (top, _mm_set1_ps (1.0f - fy)), _mm_mul_ps (bottom, _mm_set1_ps (fy))));
        const __m128i packed = _mm_packus_epi16 (_mm_packs_epi32 (result, zero), zero);
        const int32_t word = _mm_cvtsi128_si32 (packed);
        std::memcpy (out, &word, 4);
       #else
        const float gx = 1.0f - fx, gy = 1.0f - fy;
        for (int b = 0; b < 4; ++b)
        {
            const int top = clampByte ((int) ((float) p00[b] * gx + (float) p01[b] * fx));
            const int bottom = clampByte ((int) ((float) p10[b] * gx + (float) p11[b] * fx));
            out[b] = clampByte ((int) ((float) top * gy + (float) bottom * fy));
        }
       #endif
    }

    /** Inclusive destination range of a scaled copy, clipped to the destination. */
    struct DestinationRange
    {
        int x0, x1, y0, y1;
        bool isEmpty() const noexcept { return x0 > x1 || y0 > y1; }
    };

    DestinationRange clippedRange (const RectBounds& d, int width, int height) noexcept
    {
        return { std::max (truncInt (d.left), 0), std::min (truncInt (d.right), width - 1),
                 std::max (truncInt (d.top), 0), std::min (truncInt (d.bottom), height - 1) };
    }

    /** Source positions first <= p < end covered by one destination pixel of a box average. */
    struct BoxSpan
    {
        int first = 0, end = 0;
        int count() const noexcept { return std::max (end - first, 0); }
    };

    /** The positions trunc(a) <= p < limit, limit = b when b > a else a + 1, at most size. */
    BoxSpan boxSpan (float a, float b, int size) noexcept
    {
        float limit = b > a ? b : a + 1.0f;
        limit = std::min (limit, (float) size);
        BoxSpan s;
        s.first = truncInt (a);
        s.end = std::max (s.first, (int) std::ceil (std::max (limit, -coordinateLimit)));
        return s;
    }

    /** sum / count truncated, for sum <= 255 count, given 1 / count: (sum + 0.5) / count lies
        at least 0.5 / count from an integer, far more than the double rounding of the product
        for any count below 2^40, so this is the exact integer quotient. */
    inline int truncatedMean (uint64_t sum, double inverseCount) noexcept
    {
        return (int) (((double) sum + 0.5) * inverseCount);
    }

    /** Byte-wise sums of the rows r0 .. r1 - 1 of an image (sums holds one row's bytes). */
    template <typename Image>
    void sumRows (const Image& image, int r0, int r1, std::vector<uint32_t>& sums) noexcept
    {
        std::fill (sums.begin(), sums.end(), 0u);
        for (int r = r0; r < r1; ++r)
        {
            const uint8_t* p = image.getRowPointer (r);
            for (size_t i = 0; i < sums.size(); ++i)
                sums[i] += p[i];
        }
    }

    //==============================================================================
    void blitRgbaBilinear (SxImageRgbaBytes& dst, const SxImageRgbaBytes& src, const RectBounds& s,
                           const RectBounds& d, DestinationRange range, float ratioX, float ratioY)
    {
        std::vector<FloatTap> columns ((size_t) (range.x1 - range.x0 + 1));
        for (int x = range.x0; x <= range.x1; ++x)
            columns[(size_t) (x - range.x0)] = FloatTap::at (((float) x - d.left) * ratioX + s.left, src.width);

        const int rows = range.y1 - range.y0 + 1;
        ParallelRows::forEachBand (0, rows, (int64_t) (16.0 * (double) columns.size()), [&] (int begin, int end)
        {
            for (int y = range.y0 + begin; y < range.y0 + end; ++y)
            {
                const auto ty = FloatTap::at (((float) y - d.top) * ratioY + s.top, src.height);
                const uint8_t* row0 = src.getRowPointer (ty.i0);
                const uint8_t* row1 = src.getRowPointer (ty.i1);
                uint8_t* out = dst.getRowPointer (y) + (size_t) range.x0 * 4;
                for (const auto& tx : columns)
                {
                    blendRgba (row0 + tx.i0 * 4, row0 + tx.i1 * 4, row1 + tx.i0 * 4, row1 + tx.i1 * 4, tx.f, ty.f, out);
                    out += 4;
                }
            }
        });
    }

    void blitRgbaBox (SxImageRgbaBytes& dst, const SxImageRgbaBytes& src, const RectBounds& s,
                      const RectBounds& d, DestinationRange range, float ratioX, float ratioY)
    {
        std::vector<BoxSpan> columns ((size_t) (range.x1 - range.x0 + 1));
        for (int x = range.x0; x <= range.x1; ++x)
            columns[(size_t) (x - range.x0)] = boxSpan (((float) x - d.left) * ratioX + s.left,
                                                        ((float) (x + 1) - d.left) * ratioX + s.left, src.width);

        const int rows = range.y1 - range.y0 + 1;
        const double workPerRow = 4.0 * (double) src.width * std::max (1.0f, ratioY) + 16.0 * (double) columns.size();
        ParallelRows::forEachBand (0, rows, (int64_t) (workPerRow), [&] (int begin, int end)
        {
            // Per source column, the four byte sums over the rows of the current box.
            std::vector<uint32_t> columnSums ((size_t) src.width * 4);

            for (int y = range.y0 + begin; y < range.y0 + end; ++y)
            {
                const auto box = boxSpan (((float) y - d.top) * ratioY + s.top,
                                          ((float) (y + 1) - d.top) * ratioY + s.top, src.height);
                const int r0 = std::max (box.first, 0), r1 = std::min (box.end, src.height);
                sumRows (src, r0, r1, columnSums);

                uint8_t* out = dst.getRowPointer (y) + (size_t) range.x0 * 4;
                for (const auto& col : columns)
                {
                    // Positions outside the source count as samples of value 0.
                    const int64_t count = (int64_t) col.count() * box.count();
                    uint64_t sum[4] = {};
                    for (int c = std::max (col.first, 0); c < std::min (col.end, src.width); ++c)
                        for (int b = 0; b < 4; ++b)
                            sum[b] += columnSums[(size_t) c * 4 + (size_t) b];
                    const double inverse = 1.0 / (double) std::max<int64_t> (count, 1);
                    for (int b = 0; b < 4; ++b)
                        out[b] = (uint8_t) truncatedMean (sum[b], inverse);
                    out += 4;
                }
            }
        });
    }

    //==============================================================================
    /** One axis of the gray sampler: neighbours and an 8-bit weight of the second. */
    struct ByteTap
    {
        int i0 = 0, i1 = 0, w = 0;

        static ByteTap at (float v, int size) noexcept
        {
            // Clamped so that a sample on or past the last column reads the last column.
            v = v > 0.0f ? std::min (v, (float) (size - 1)) : 0.0f;
            ByteTap t;
            t.i0 = std::clamp ((int) v, 0, size - 1);
            t.w = (int) ((v - (float) t.i0) * 256.0f);
            t.i1 = t.i0 < size - 1 ? t.i0 + 1 : t.i0;
            return t;
        }
    };

    void blitGrayBilinear (SxImageAlphaByte& dst, const SxImageAlphaByte& src, const RectBounds& s,
                           const RectBounds& d, DestinationRange range)
    {
        const int u = std::max (truncInt (d.bottom - d.top), 1);
        const int v = std::max (truncInt (d.right - d.left), 1);
        const float invU = 1.0f / (float) u, invV = 1.0f / (float) v;

        std::vector<ByteTap> columns ((size_t) (range.x1 - range.x0 + 1));
        for (int x = range.x0; x <= range.x1; ++x)
            columns[(size_t) (x - range.x0)] = ByteTap::at ((s.right - s.left) * ((float) x - d.left) * invV + s.left, src.width);

        ParallelRows::forEachBand (0, range.y1 - range.y0 + 1, (int64_t) (4.0 * (double) columns.size()), [&] (int begin, int end)
        {
            for (int y = range.y0 + begin; y < range.y0 + end; ++y)
            {
                const auto ty = ByteTap::at ((s.bottom - s.top) * ((float) y - d.top) * invU + s.top, src.height);
                const uint8_t* row0 = src.getRowPointer (ty.i0);
                const uint8_t* row1 = src.getRowPointer (ty.i1);
                uint8_t* out = dst.getRowPointer (y) + range.x0;
                for (const auto& tx : columns)
                {
                    const int top = (row0[tx.i0] * (256 - tx.w) + row0[tx.i1] * tx.w + 127) >> 8;
                    const int bottom = (row1[tx.i0] * (256 - tx.w) + row1[tx.i1] * tx.w + 127) >> 8;
                    *out++ = (uint8_t) ((top * (256 - ty.w) + bottom * ty.w + 127) >> 8);
                }
            }
        });
    }

    void blitGrayBox (SxImageAlphaByte& dst, const SxImageAlphaByte& src, const RectBounds& s,
                      const RectBounds& d, DestinationRange range)
    {
        // A zero-height (or zero-width) destination rectangle would divide by zero: its
        // one row maps as if the rectangle were one pixel high.
        const float dh = d.bottom - d.top, dw = d.right - d.left;
        const float invH = 1.0f / (dh != 0.0f ? dh : 1.0f), invW = 1.0f / (dw != 0.0f ? dw : 1.0f);

        std::vector<BoxSpan> columns ((size_t) (range.x1 - range.x0 + 1));
        for (int x = range.x0; x <= range.x1; ++x)
            columns[(size_t) (x - range.x0)] = boxSpan (s.left + (s.right - s.left) * ((float) x - d.left) * invW,
                                                        s.left + (s.right - s.left) * ((float) (x + 1) - d.left) * invW, src.width);

        const float ratioY = std::abs ((s.bottom - s.top) * invH);
        ParallelRows::forEachBand (0, range.y1 - range.y0 + 1, (int64_t) ((double) src.width * std::max (1.0f, ratioY) + 4.0 * (double) columns.size()),
                          [&] (int begin, int end)
        {
            std::vector<uint32_t> columnSums ((size_t) src.width);

            for (int y = range.y0 + begin; y < range.y0 + end; ++y)
            {
                const auto box = boxSpan (s.top + (s.bottom - s.top) * ((float) y - d.top) * invH,
                                          s.top + (s.bottom - s.top) * ((float) (y + 1) - d.top) * invH, src.height);
                if (box.count() == 0)
                    continue;

                // Positions before the source (only with a source rectangle outside it) are skipped.
                const int r0 = std::max (box.first, 0), r1 = std::min (box.end, src.height);
                sumRows (src, r0, r1, columnSums);

                uint8_t* out = dst.getRowPointer (y) + range.x0;
                for (const auto& col : columns)
                {
                    const int c0 = std::max (col.first, 0), c1 = std::min (col.end, src.width);
                    const int64_t count = (int64_t) std::max (c1 - c0, 0) * std::max (r1 - r0, 0);
                    uint64_t sum = 0;
                    for (int c = c0; c < c1; ++c)
                        sum += columnSums[(size_t) c];
                    *out++ = (uint8_t) truncatedMean (sum, 1.0 / (double) std::max<int64_t> (count, 1));
                }
            }
        });
    }

    void truncateInPlace (RectBounds& r) noexcept
    {
        r.left = std::trunc (r.left);
        r.top = std::trunc (r.top);
        r.right = std::trunc (r.right);
        r.bottom = std::trunc (r.bottom);
    }

    /** Hands the fresh image's pixels to the image, freeing the image's old ones. */
    void adoptPixels (SxImageRgbaBytes& image, SxImageRgbaBytes& fresh) noexcept
    {
        if (image.ownsPixels && image.pixels != nullptr)
            std::free (image.pixels);
        image.pixels = fresh.pixels;
        image.width = fresh.width;
        image.height = fresh.height;
        image.ownsPixels = true;
        fresh.pixels = nullptr;
        fresh.ownsPixels = false;
    }

    uint8_t grayOf (uint32_t word) noexcept
    {
        return (uint8_t) (((int) PixelMath::wordRed (word) + PixelMath::wordGreen (word) + PixelMath::wordBlue (word)) / 3);
    }
}

//==============================================================================
uint32_t sampleRgbaBilinear (const SxImageRgbaBytes& image, float x, float y) noexcept
{
    if (image.width <= 0 || image.height <= 0 || image.pixels == nullptr)
        return 0;

    const auto tx = FloatTap::at (x, image.width);
    const auto ty = FloatTap::at (y, image.height);
    const uint8_t* row0 = image.getRowPointer (ty.i0);
    const uint8_t* row1 = image.getRowPointer (ty.i1);
    uint8_t out[4];
    blendRgba (row0 + tx.i0 * 4, row0 + tx.i1 * 4, row1 + tx.i0 * 4, row1 + tx.i1 * 4, tx.f, ty.f, out);
    return PixelMath::makeWord (out[0], out[1], out[2], out[3]);
}

void copyAlphaRegion (SxImageAlphaByte& destination, const SxImageAlphaByte& source,
                      const RectBounds& sourceRect, const SxPoint& destinationPoint) noexcept
{
    RegionCopy::copyBytes (destination.pixels, destination.width, destination.height,
                     source.pixels, source.width, source.height, 1, sourceRect, destinationPoint);
}

void blitScaledRgba (SxImageRgbaBytes& destination, const SxImageRgbaBytes& source,
                     const RectBounds& s, const RectBounds& d, int mode)
{
    if (! isFinite (s) || ! isFinite (d))
        return;

    const int sw = truncInt (s.right - s.left), sh = truncInt (s.bottom - s.top);
    const int dw = truncInt (d.right - d.left), dh = truncInt (d.bottom - d.top);
    if (sw == dw && sh == dh)
    {
        RegionCopy::copyBytes (destination.pixels, destination.width, destination.height, source.pixels, source.width, source.height, 4,
                         { s.left, s.top, s.left + (float) sw, s.top + (float) sh }, SxPoint { d.left, d.top });
        return;
    }

    const auto range = clippedRange (d, destination.width, destination.height);
    if (range.isEmpty() || source.width <= 0 || source.height <= 0)
        return;

    // Counts of pixels, edges included; a destination of less than one pixel maps nowhere.
    const int destinationColumns = truncInt (d.right - d.left + 1.0f), destinationRows = truncInt (d.bottom - d.top + 1.0f);
    if (destinationColumns < 1 || destinationRows < 1)
        return;
    const float ratioX = (float) truncInt (s.right - s.left + 1.0f) / (float) destinationColumns;
    const float ratioY = (float) truncInt (s.bottom - s.top + 1.0f) / (float) destinationRows;

    if (mode == 4)
        mode = d.right - d.left > s.right - s.left ? 1 : 3;

    if (mode == 3)
        blitRgbaBox (destination, source, s, d, range, ratioX, ratioY);
    else
        blitRgbaBilinear (destination, source, s, d, range, ratioX, ratioY);
}

void blitScaled (SxImageAlphaByte& destination, const SxImageAlphaByte& source,
                 RectBounds& s, RectBounds& d, int mode)
{
    truncateInPlace (s);
    truncateInPlace (d);
    if (! isFinite (s) || ! isFinite (d))
        return;

    if (s.right - s.left == d.right - d.left && s.bottom - s.top == d.bottom - d.top)
    {
        copyAlphaRegion (destination, source, s, SxPoint { d.left, d.top });
        return;
    }

    const auto range = clippedRange (d, destination.width, destination.height);
    if (range.isEmpty() || source.width <= 0 || source.height <= 0)
        return;

    if (mode == 3)
        blitGrayBox (destination, source, s, d, range);
    else
        blitGrayBilinear (destination, source, s, d, range);
}

void blitScaledRgbaToGray (SxImageAlphaByte& destination, const SxImageRgbaBytes& source,
                           const RectBounds& s, const RectBounds& d, int)
{
    if (! isFinite (s) || ! isFinite (d))
        return;

    if (truncInt (d.right - d.left) == truncInt (s.right - s.left) && truncInt (d.bottom - d.top) == truncInt (s.bottom - s.top))
    {
        // Converted where it lies; positions outside the destination are skipped.
        const auto span = ImageSpan::fromRect (&s, destination.width, destination.height);
        for (int y = span.y0; y < span.y1; ++y)
            for (int x = span.x0; x < span.x1; ++x)
                destination.getRowPointer (y)[x] = grayOf (source.getPixel (x, y));
        return;
    }

    const auto range = clippedRange (d, destination.width, destination.height);
    if (range.isEmpty() || source.width <= 0 || source.height <= 0)
        return;

    const int u = std::max (truncInt (d.bottom - d.top), 1);
    const int v = std::max (truncInt (d.right - d.left), 1);
    const float invU = 1.0f / (float) u, invV = 1.0f / (float) v;

    ParallelRows::forEachBand (0, range.y1 - range.y0 + 1, (int64_t) (16.0 * (range.x1 - range.x0 + 1)), [&] (int begin, int end)
    {
        for (int y = range.y0 + begin; y < range.y0 + end; ++y)
        {
            const float sy = (s.bottom - s.top) * ((float) y - d.top) * invU + s.top;
            uint8_t* out = destination.getRowPointer (y);
            for (int x = range.x0; x <= range.x1; ++x)
                out[x] = grayOf (sampleRgbaBilinear (source, (s.right - s.left) * ((float) x - d.left) * invV + s.left, sy));
        }
    });
}

//==============================================================================
bool resizeRgbaImage (SxImageRgbaBytes& image, int width, int height, int mode)
{
    if (width < 1 || height < 1)
        return false;

    // The blit writes every pixel, unless there is nothing to scale from.
    const bool filled = image.pixels != nullptr && image.width > 0 && image.height > 0;
    auto fresh = filled ? std::make_unique<SxImageRgbaBytes> (width, height, SxImageRgbaBytes::uninitialised)
                        : std::make_unique<SxImageRgbaBytes> (width, height);
    if (mode == 4)
        mode = image.width > width ? 3 : 1;
    blitScaledRgba (*fresh, image,
                    { 0.0f, 0.0f, (float) (image.width - 1), (float) (image.height - 1) },
                    { 0.0f, 0.0f, (float) (width - 1), (float) (height - 1) }, mode);

    adoptPixels (image, *fresh);
    return true;
}

bool resizeAlphaImage (SxImageAlphaByte& image, int width, int height, int mode)
{
    if (width < 1 || height < 1)
        return false;

    const bool filled = image.pixels != nullptr && image.width > 0 && image.height > 0;
    auto fresh = filled ? std::make_unique<SxImageAlphaByte> (width, height, SxImageAlphaByte::uninitialised)
                        : std::make_unique<SxImageAlphaByte> (width, height);
    RectBounds s { 0.0f, 0.0f, (float) image.width, (float) image.height };
    RectBounds d { 0.0f, 0.0f, (float) width, (float) height };
    blitScaled (*fresh, image, s, d, mode);

    std::swap (image.pixels, fresh->pixels);
    image.width = width;
    image.height = height;
    return true;
}

bool resizeRgbaImageToFill (SxImageRgbaBytes& image, const RectBounds& target, int mode)
{
    if (! isFinite (target))
        return false;
    const int tw = truncInt (target.right - target.left + 1.0f);
    const int th = truncInt (target.bottom - target.top + 1.0f);
    if (tw < 1 || th < 1)
        return false;

    RectBounds covering { 0.0f, 0.0f, (float) (image.width - 1), (float) (image.height - 1) };
    if (image.width > 0 && image.height > 0)
    {
        const double aspect = (double) image.width / (double) image.height;
        double w = tw, h = th;
        if ((double) th > (double) tw / aspect)
            w = (double) th * aspect;
        else
            h = (double) tw / aspect;
        const double ox = (double) target.left - (w - tw) / 2.0;
        const double oy = (double) target.top - (h - th) / 2.0;
        covering = { (float) ox, (float) oy, (float) (ox + w - 1.0), (float) (oy + h - 1.0) };
    }

    auto fresh = std::make_unique<SxImageRgbaBytes> (tw, th);
    blitScaledRgba (*fresh, image, { 0.0f, 0.0f, (float) (image.width - 1), (float) (image.height - 1) }, covering, mode);

    adoptPixels (image, *fresh);
    return true;
}
