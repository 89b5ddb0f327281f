#include "BlendModes.h"

#include "ImageSpan.h"
#include "ParallelRows.h"
#include "PixelMath.h"
#include "SxImageAlphaByte.h"
#include "SxImageRgbaBytes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
 #include <emmintrin.h>
#endif

using PixelMath::div255Round;

namespace
{
    inline uint8_t clampByte (int v) noexcept { return (uint8_t) std::clamp (v, 0, 255); }

    /** Truncation toward zero limited to 0..255; NaN gives 0. Same as truncating first
        and then limiting, without the undefined cast of huge values, and branch-free. */
    inline uint8_t truncToByte (float v) noexcept { return (uint8_t) (int) std::min (255.0f, std::max (0.0f, v)); }

    /** A blend value B(d, s) for every backdrop and source byte, built once per mode. */
    struct BlendTable
    {
        template <typename Formula>
        explicit BlendTable (Formula formula)
        {
            for (int d = 0; d < 256; ++d)
                for (int s = 0; s < 256; ++s)
                    values[(size_t) (d * 256 + s)] = clampByte (formula (d, s));
        }

        int operator() (int d, int s, int /*sourceAlpha*/) const noexcept { return values[(size_t) (d * 256 + s)]; }

        std::array<uint8_t, 65536> values {};
    };

    /** Per-alpha constants of the composite, computed with the per-pixel formulas once. */
    struct CompositeTables
    {
        CompositeTables()
        {
            for (int a = 0; a < 256; ++a)
            {
                fade[(size_t) a] = 1.0f - (float) a / 255.0f;
                reciprocal[(size_t) a] = a == 0 ? 0.0f : (float) (1.0 / (double) a);
            }
        }

        std::array<float, 256> fade {};         // w = 1 - Da / 255
        std::array<float, 256> reciprocal {};   // 1 / (Sa + L), kept in single precision
    };

    const CompositeTables& compositeTables()
    {
        static const CompositeTables tables;
        return tables;
    }

    /** Fades the blend towards the source colour where the backdrop is transparent, then
        composites it over the backdrop with the source alpha. o may equal d. */
    template <typename Value>
    inline void blendPixel (uint8_t* o, const uint8_t* d, const uint8_t* s, const Value& value,
                            const CompositeTables& tables) noexcept
    {
        const int sa = s[0];
        if (sa == 0)
        {
            if (o != d)
                std::memcpy (o, d, 4);
            return;
        }

        const int da = d[0];
        const float w = tables.fade[(size_t) da];
        const float keep = 1.0f - w;
        int c[3], back[3];
        for (int i = 0; i < 3; ++i)
            back[i] = d[i + 1];
        if (da == 255)
        {
            // w = 0: the fade gives the blend value exactly.
            for (int i = 0; i < 3; ++i)
                c[i] = value (back[i], s[i + 1], sa);
        }
        else
        {
            for (int i = 0; i < 3; ++i)
                c[i] = truncToByte ((float) value (back[i], s[i + 1], sa) * keep + (float) s[i + 1] * w);
        }

        if (sa == 255)
        {
            o[0] = 255;
            o[1] = (uint8_t) c[0]; o[2] = (uint8_t) c[1]; o[3] = (uint8_t) c[2];
            return;
        }

        const int lower = div255Round ((255 - sa) * da);
        const int alpha = sa + lower;
        const float k = tables.reciprocal[(size_t) alpha];
#if defined(__SSE2__)
        // Lanes red, green, blue, unused: C x Sa + d x L from one multiply-add of 16-bit pairs.
        const __m128i pairs = _mm_setr_epi16 ((short) c[0], (short) back[0], (short) c[1], (short) back[1],
                                              (short) c[2], (short) back[2], 0, 0);
        const __m128i sums = _mm_madd_epi16 (pairs, _mm_set1_epi32 (sa | lower << 16));
        const __m128 scaled = _mm_mul_ps (_mm_cvtepi32_ps (sums), _mm_set1_ps (k));
        __m128i bytes = _mm_cvttps_epi32 (_mm_min_ps (_mm_max_ps (scaled, _mm_setzero_ps()), _mm_set1_ps (255.0f)));
        bytes = _mm_packs_epi32 (bytes, bytes);
        bytes = _mm_packus_epi16 (bytes, bytes);
        const uint32_t word = (uint32_t) _mm_cvtsi128_si32 (bytes);
        o[0] = (uint8_t) alpha;
        o[1] = (uint8_t) word; o[2] = (uint8_t) (word >> 8); o[3] = (uint8_t) (word >> 16);
#else
        o[0] = (uint8_t) alpha;
        for (int i = 0; i < 3; ++i)
            o[i + 1] = truncToByte ((float) (c[i] * sa + back[i] * lower) * k);
#endif
    }

    /** The masked multiply's last step on all four bytes at once: trunc (keep x I + take x N),
        limited to 0..255. The vector form does per lane exactly the scalar operations. */
    inline void mixFourBytes (uint8_t* p, const int* n, float keep, float take) noexcept
    {
#if defined(__SSE2__)
        int32_t word;
        std::memcpy (&word, p, 4);
        const __m128i zero = _mm_setzero_si128();
        const __m128i image = _mm_unpacklo_epi16 (_mm_unpacklo_epi8 (_mm_cvtsi32_si128 (word), zero), zero);
        const __m128 mixed = _mm_add_ps (_mm_mul_ps (_mm_set1_ps (keep), _mm_cvtepi32_ps (image)),
                                         _mm_mul_ps (_mm_set1_ps (take), _mm_cvtepi32_ps (_mm_setr_epi32 (n[0], n[1], n[2], n[3]))));
        const __m128 limited = _mm_min_ps (_mm_max_ps (mixed, _mm_setzero_ps()), _mm_set1_ps (255.0f));
        __m128i bytes = _mm_cvttps_epi32 (limited);
        bytes = _mm_packs_epi32 (bytes, bytes);
        bytes = _mm_packus_epi16 (bytes, bytes);
        word = _mm_cvtsi128_si32 (bytes);
        std::memcpy (p, &word, 4);
#else
        for (int c = 0; c < 4; ++c)
            p[c] = truncToByte (keep * (float) p[c] + take * (float) n[c]);
#endif
    }

    inline void copyIfDistinct (uint8_t* o, const uint8_t* d, int pixels) noexcept
    {
        if (o != d && pixels > 0)
            std::memmove (o, d, (size_t) pixels * 4);
    }

    /** The loop area: the rectangle (or the whole backdrop) clipped to backdrop and output. */
    ImageSpan blendArea (const SxImageRgbaBytes& output, const SxImageRgbaBytes& backdrop, const RectBounds* rect) noexcept
    {
        return ImageSpan::fromRect (rect, backdrop.width, backdrop.height).clippedTo (output.width, output.height);
    }

    /** Runs perPixel (o, d, s) over the area; where the source has no pixel it reads as
        transparent, so the backdrop passes through unchanged. */
    template <typename PerPixel>
    void forEachBlendPixel (SxImageRgbaBytes& output, const SxImageRgbaBytes& backdrop, const SxImageRgbaBytes& source,
                            const RectBounds* rect, const PerPixel& perPixel)
    {
        const auto span = blendArea (output, backdrop, rect);
        if (span.isEmpty())
            return;

        ParallelRows::forEachBand (span.y0, span.y1, span.columns(), [&] (int y0, int y1)
        {
            const int inside = std::clamp (source.width - span.x0, 0, span.columns());
            for (int y = y0; y < y1; ++y)
            {
                uint8_t* o = output.getRowPointer (y) + (size_t) span.x0 * 4;
                const uint8_t* d = backdrop.getRowPointer (y) + (size_t) span.x0 * 4;
                const int covered = y < source.height ? inside : 0;
                if (covered > 0)
                {
                    const uint8_t* s = source.getRowPointer (y) + (size_t) span.x0 * 4;
                    for (int x = 0; x < covered; ++x)
                        perPixel (o + x * 4, d + x * 4, s + x * 4);
                }
                copyIfDistinct (o + covered * 4, d + covered * 4, span.columns() - covered);
            }
        });
    }

    template <typename Value>
    void blendWith (SxImageRgbaBytes& output, const SxImageRgbaBytes& backdrop, const SxImageRgbaBytes& source,
                    const RectBounds* rect, const Value& value)
    {
        const auto& tables = compositeTables();
        forEachBlendPixel (output, backdrop, source, rect, [&value, &tables] (uint8_t* o, const uint8_t* d, const uint8_t* s)
        {
            blendPixel (o, d, s, value, tables);
        });
    }

    int overlayValue (int d, int s) noexcept
    {
        if (d >= 128)
            return std::max (0, 255 - (2 * (255 - d) * (255 - s)) / 255);
        return std::min ((2 * d * s) / 255, 255);
    }

    int colorDodgeValue (int d, int s) noexcept
    {
        return std::min (d * 256 / (256 - s), 255);
    }

    const BlendTable& overlayTable()
    {
        static const BlendTable table (overlayValue);
        return table;
    }
}

//==============================================================================
void blendScreen (SxImageRgbaBytes& output, const SxImageRgbaBytes& backdrop, const SxImageRgbaBytes& source) noexcept
{
    static const BlendTable table ([] (int d, int s)
    {
        return (int) (255.0f - (float) ((255 - s) * (255 - d)) / 255.0f);
    });
    blendWith (output, backdrop, source, nullptr, table);
}

void blendMultiply (SxImageRgbaBytes& output, const SxImageRgbaBytes& backdrop, const SxImageRgbaBytes& source,
                    const RectBounds* rect) noexcept
{
    static const BlendTable table ([] (int d, int s) { return div255Round (s * d); });
    blendWith (output, backdrop, source, rect, table);
}

void blendDarken (SxImageRgbaBytes& output, const SxImageRgbaBytes& backdrop, const SxImageRgbaBytes& source) noexcept
{
    blendWith (output, backdrop, source, nullptr, [] (int d, int s, int) { return std::min (d, s); });
}

void blendColorDodge (SxImageRgbaBytes& output, const SxImageRgbaBytes& backdrop, const SxImageRgbaBytes& source) noexcept
{
    static const BlendTable table (colorDodgeValue);
    blendWith (output, backdrop, source, nullptr, table);
}

void blendColorBurn (SxImageRgbaBytes& output, const SxImageRgbaBytes& backdrop, const SxImageRgbaBytes& source) noexcept
{
    static const BlendTable table ([] (int d, int s)
    {
        if (s == 0)
            return 0;
        const double burnt = 1.0 - (1.0 - (double) ((float) d / 255.0f)) / (double) ((float) s / 255.0f);
        return std::min ((int) (std::max (0.0, burnt) * 255.0), 255);
    });
    blendWith (output, backdrop, source, nullptr, table);
}

void blendOverlay (SxImageRgbaBytes& output, const SxImageRgbaBytes& backdrop, const SxImageRgbaBytes& source,
                   const RectBounds* rect) noexcept
{
    const auto& table = overlayTable();
    if (source.width == backdrop.width && source.height == backdrop.height)
        return blendWith (output, backdrop, source, rect, table);

    const auto span = blendArea (output, backdrop, rect);
    if (span.isEmpty())
        return;
    if (source.width <= 0 || source.height <= 0)
    {
        for (int y = span.y0; y < span.y1; ++y)
            copyIfDistinct (output.getRowPointer (y) + (size_t) span.x0 * 4,
                            backdrop.getRowPointer (y) + (size_t) span.x0 * 4, span.columns());
        return;
    }

    // Nearest-neighbour stretch of the source over the whole backdrop.
    const auto& tables = compositeTables();
    const float xRatio = (float) source.width / (float) backdrop.width;
    const float yRatio = (float) source.height / (float) backdrop.height;
    std::vector<int> sourceColumn ((size_t) span.columns());
    for (int x = span.x0; x < span.x1; ++x)
        sourceColumn[(size_t) (x - span.x0)] = std::min ((int) ((float) x * xRatio), source.width - 1);

    ParallelRows::forEachBand (span.y0, span.y1, span.columns(), [&] (int y0, int y1)
    {
        for (int y = y0; y < y1; ++y)
        {
            const uint8_t* s = source.getRowPointer (std::min ((int) ((float) y * yRatio), source.height - 1));
            uint8_t* o = output.getRowPointer (y) + (size_t) span.x0 * 4;
            const uint8_t* d = backdrop.getRowPointer (y) + (size_t) span.x0 * 4;
            for (int i = 0; i < span.columns(); ++i)
                blendPixel (o + i * 4, d + i * 4, s + (size_t) sourceColumn[(size_t) i] * 4, table, tables);
        }
    });
}

void blendHardLight (SxImageRgbaBytes& output, const SxImageRgbaBytes& backdrop, const SxImageRgbaBytes& source) noexcept
{
    static const BlendTable table ([] (int d, int s) { return overlayValue (s, d); });
    blendWith (output, backdrop, source, nullptr, table);
}

void blendSoftLight (SxImageRgbaBytes& output, const SxImageRgbaBytes& backdrop, const SxImageRgbaBytes& source,
                     const RectBounds* rect) noexcept
{
    static const BlendTable table ([] (int d, int s)
    {
        return div255Round ((255 - d) * div255Round (s * d))
             + div255Round (d * (255 - div255Round ((255 - d) * (255 - s))));
    });
    blendWith (output, backdrop, source, rect, table);
}

void blendDodgeBurnMix (SxImageRgbaBytes& output, const SxImageRgbaBytes& backdrop, const SxImageRgbaBytes& source) noexcept
{
    blendWith (output, backdrop, source, nullptr, [] (int d, int s, int sa)
    {
        const float a = (float) sa / 255.0f;
        const int dodge = std::min ((int) ((float) colorDodgeValue (d, s) * a), 255);
        const int burnt = std::max (0, (int) ((float) d - (float) ((255 - d) * (255 - s)) / 255.0f));
        const int burn = std::min ((int) ((float) burnt * a), 255);
        const float brightness = (float) s / 255.0f;
        return (int) (brightness * (float) dodge + (1.0f - brightness) * (float) burn) & 0xff;
    });
}

void blendLighten (SxImageRgbaBytes& output, const SxImageRgbaBytes& backdrop, const SxImageRgbaBytes& source,
                   float factor) noexcept
{
    std::array<int, 256> scaled {};
    for (int s = 0; s < 256; ++s)
    {
        const float v = (float) s * factor;
        scaled[(size_t) s] = std::isnan (v) ? 0 : (int) std::clamp (v, -1.0e9f, 1.0e9f);
    }

    forEachBlendPixel (output, backdrop, source, nullptr, [&scaled] (uint8_t* o, const uint8_t* k, const uint8_t* s)
    {
        // A transparent source changes nothing; the output keeps its own alpha.
        if (s[0] == 0)
            return;
        const float e = (float) s[0] / 255.0f;
        const float keep = 1.0f - e;
        for (int c = 1; c < 4; ++c)
        {
            const int n = std::max ((int) k[c], scaled[s[c]]);
            o[c] = truncToByte ((float) o[c] * keep + (float) n * e);
        }
    });
}

void multiplyThroughMask (SxImageRgbaBytes& image, const SxImageRgbaBytes& source, const SxImageAlphaByte& mask,
                          float opacity) noexcept
{
    const auto span = ImageSpan::whole (image.width, image.height)
                          .clippedTo (source.width, source.height)
                          .clippedTo (mask.width, mask.height);
    if (span.isEmpty())
        return;

    ParallelRows::forEachBand (span.y0, span.y1, span.columns(), [&] (int y0, int y1)
    {
        for (int y = y0; y < y1; ++y)
        {
            uint8_t* p = image.getRowPointer (y);
            const uint8_t* s = source.getRowPointer (y);
            const uint8_t* m = mask.getRowPointer (y);
            for (int x = 0; x < span.x1; ++x, p += 4, s += 4)
            {
                if (m[x] == 0)
                    continue;
                const int e = div255Round (s[0] * m[x]);
                int multiplied[4] = { p[0], 0, 0, 0 };
                for (int c = 1; c < 4; ++c)
                    multiplied[c] = std::min (div255Round (s[c] * p[c]), 255);

                if (opacity == 1.0f && e == 255)
                {
                    p[1] = (uint8_t) multiplied[1]; p[2] = (uint8_t) multiplied[2]; p[3] = (uint8_t) multiplied[3];
                    continue;
                }
                const float keep = 1.0f - (float) e / 255.0f * opacity;
                mixFourBytes (p, multiplied, keep, 1.0f - keep);
            }
        }
    });
}
