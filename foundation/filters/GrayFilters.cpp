#include "GrayFilters.h"

#include "ParallelRows.h"
#include "SxImageAlphaByte.h"

#include <algorithm>
#include <memory>
#include <cmath>
#include <cstring>
#include <type_traits>
#include <vector>

#if defined(__SSE2__)
 #include <emmintrin.h>
#endif

namespace
{
    /** A rectangle of bytes at the origin of an image, addressed with the image's own stride. */
    struct Area
    {
        uint8_t* pixels;
        size_t stride;
        uint8_t* row (int y) const noexcept { return pixels + (size_t) y * stride; }
    };

    Area areaOf (const SxImageAlphaByte& image) { return { image.pixels, (size_t) image.width }; }

    void copyArea (Area from, Area to, int w, int h)
    {
        if (from.pixels == to.pixels)
            return;
        for (int y = 0; y < h; ++y)
            std::memcpy (to.row (y), from.row (y), (size_t) w);
    }

    /** Packed copy of an area, for filters that must not read what they write. */
    struct AreaCopy
    {
        AreaCopy (Area from, int w, int h)
            : bytes (std::make_unique_for_overwrite<uint8_t[]> ((size_t) w * (size_t) h)), area { bytes.get(), (size_t) w }
        {
            copyArea (from, area, w, h);
        }
        std::unique_ptr<uint8_t[]> bytes;
        Area area;
    };

    //==============================================================================
    // Box blur

    /** prefix[0] = 0, prefix[x + 1] = values[0] + ... + values[x], wrapping. */
    template <typename Sum>
    void prefixSums (const Sum* values, std::make_unsigned_t<Sum>* prefix, int n)
    {
        using Unsigned = std::make_unsigned_t<Sum>;
        Unsigned running = 0;
        prefix[0] = 0;
        int x = 0;
#if defined(__SSE2__)
        if constexpr (sizeof (Sum) == 4)
        {
            // Four at a time: two shifted adds give the in-register prefix, plus the carry.
            __m128i carry = _mm_setzero_si128();
            for (; x + 4 <= n; x += 4)
            {
                __m128i v = _mm_loadu_si128 (reinterpret_cast<const __m128i*> (values + x));
                v = _mm_add_epi32 (v, _mm_slli_si128 (v, 4));
                v = _mm_add_epi32 (v, _mm_slli_si128 (v, 8));
                v = _mm_add_epi32 (v, carry);
                _mm_storeu_si128 (reinterpret_cast<__m128i*> (prefix + x + 1), v);
                carry = _mm_shuffle_epi32 (v, 0xff);
            }
            running = (Unsigned) _mm_cvtsi128_si32 (carry);
        }
#endif
        for (; x < n; ++x)
            prefix[x + 1] = running += (Unsigned) values[x];
    }

    template <typename Sum>
    void boxBlurRows (Area src, Area dst, int w, int h, int o, int rowBegin, int rowEnd)
    {
        std::vector<Sum> columnSums ((size_t) w, 0);
        std::vector<Sum> windowSums ((size_t) w);
        using Unsigned = std::make_unsigned_t<Sum>;
        std::vector<Unsigned> prefix ((size_t) w + 1);
        std::vector<float> horizontalCounts ((size_t) w);
        for (int x = 0; x < w; ++x)
            horizontalCounts[(size_t) x] = (float) (std::min (w - 1, x + o) - std::max (0, x - o) + 1);

        for (int y = std::max (0, rowBegin - o); y <= std::min (h - 1, rowBegin + o); ++y)
        {
            const uint8_t* p = src.row (y);
            for (int x = 0; x < w; ++x)
                columnSums[(size_t) x] += p[x];
        }

        Sum* cs = columnSums.data();
        Sum* ws = windowSums.data();
        for (int y = rowBegin; y < rowEnd; ++y)
        {
            if (y > rowBegin)
            {
                if (y + o < h)
                {
                    const uint8_t* p = src.row (y + o);
                    for (int x = 0; x < w; ++x)
                        cs[x] += p[x];
                }
                if (y - o - 1 >= 0)
                {
                    const uint8_t* p = src.row (y - o - 1);
                    for (int x = 0; x < w; ++x)
                        cs[x] -= p[x];
                }
            }

            // Window sums as differences of a running prefix; wrapping unsigned arithmetic
            // keeps each difference exact even where the prefix itself overflows.
            prefixSums (cs, prefix.data(), w);

            const Unsigned* pre = prefix.data();
            const int leftEnd = std::min (o, w);
            const int rightStart = std::max (leftEnd, w - o - 1);
            for (int x = 0; x < leftEnd; ++x)
                ws[x] = (Sum) (pre[std::min (x + o + 1, w)] - pre[0]);
            for (int x = leftEnd; x < rightStart; ++x)
                ws[x] = (Sum) (pre[x + o + 1] - pre[x - o]);
            for (int x = rightStart; x < w; ++x)
                ws[x] = (Sum) (pre[w] - pre[std::max (x - o, 0)]);

            const float verticalCount = (float) (std::min (h - 1, y + o) - std::max (0, y - o) + 1);
            const float* hc = horizontalCounts.data();
            uint8_t* out = dst.row (y);
            for (int x = 0; x < w; ++x)
                out[x] = (uint8_t) (int) ((float) ws[x] / (verticalCount * hc[x]));
        }
    }

    /** Box average of src into dst over w x h; src and dst must not overlap. */
    void boxBlurArea (Area src, Area dst, int w, int h, float r)
    {
        if (w <= 0 || h <= 0)
            return;
        if (! (r >= 1.0f))
        {
            copyArea (src, dst, w, h);
            return;
        }

        // A window beyond the image is the whole image, cut at its edges.
        const float half = std::min (r + 0.5f, (float) std::max (w, h));
        const int o = (int) half;
        const double largestSum = 255.0 * std::min (2.0 * o + 1, (double) w) * std::min (2.0 * o + 1, (double) h);

        ParallelRows::forEachBand (0, h, (int64_t) w * 2, [&] (int rowBegin, int rowEnd)
        {
            if (largestSum < 2147483647.0)
                boxBlurRows<int32_t> (src, dst, w, h, o, rowBegin, rowEnd);
            else
                boxBlurRows<int64_t> (src, dst, w, h, o, rowBegin, rowEnd);
        });
    }

    void boxBlurAreaInPlaceSafe (Area src, Area dst, int w, int h, float r)
    {
        if (src.pixels == dst.pixels && r >= 1.0f)
        {
            const AreaCopy copy (src, w, h);
            boxBlurArea (copy.area, dst, w, h, r);
            return;
        }
        boxBlurArea (src, dst, w, h, r);
    }

    void blurWholeRadiusArea (Area src, Area dst, int w, int h, float r)
    {
        if (r <= 0.0f)
            copyArea (src, dst, w, h);
        else if (r < 3.0f)
            boxBlurAreaInPlaceSafe (src, dst, w, h, r);
        else
        {
            boxBlurAreaInPlaceSafe (src, dst, w, h, r * 0.5f);
            boxBlurAreaInPlaceSafe (dst, dst, w, h, r * 0.5f);
        }
    }

    //==============================================================================
    // Gaussian

    /** The integer kernel, and the sums its run-length walk needs. */
    struct GaussianKernel
    {
        explicit GaussianKernel (double r)
        {
            const double x = std::fabs (r * (double) 1.35f) + 1.0;
            const double sigma = std::sqrt (x * x / 11.082527090316852);
            d = 2.0 * sigma * sigma;
            const double exactHalfWidth = std::ceil (std::sqrt (5.5412635451584258 * d));
            // A kernel that wide no longer fits memory sensibly; it would flatten any image anyway.
            halfWidth = exactHalfWidth <= (double) maxHalfWidth ? (int) exactHalfWidth : -1;
        }

        static constexpr int maxHalfWidth = 1 << 20;

        void makeWeights()
        {
            weights.assign ((size_t) (2 * halfWidth + 1), 0);
            cumulative.assign ((size_t) (2 * halfWidth + 2), 0);
            for (int t = -halfWidth; t <= halfWidth; ++t)
                weights[(size_t) (t + halfWidth)] = t == 0 ? 255 : (int) (255.0 * std::exp (-(double) t * t / d));
            for (size_t i = 0; i < weights.size(); ++i)
                cumulative[i + 1] = cumulative[i] + weights[i];
            total = cumulative.back();
        }

        double d = 0.0;
        int halfWidth = 0;
        std::vector<int> weights;        // w(-R) ... w(R)
        std::vector<int64_t> cumulative; // cumulative[k] = w(-R) + ... + w(k - R - 1)
        int64_t total = 0;
    };

    /** Filters one line of n bytes in place; the scratch vectors belong to the calling thread. */
    class GaussianLine
    {
    public:
        explicit GaussianLine (const GaussianKernel& k) : kernel (k) {}

        void filter (uint8_t* line, int n)
        {
            input.assign (line, line + n);
            const uint8_t* p = input.data();
            int runs = 1;
            for (int i = 0; i + 1 < n; ++i)
                runs += p[i] != p[i + 1] ? 1 : 0;
            if (runs == 1)
                return; // a flat line keeps its value everywhere

            // Both paths give the same sums; long runs are cheaper to walk than taps to add.
            const bool directFits = 256.0 * (double) kernel.total < 2147483647.0; // sums and checks in int32
            if (directFits && (int64_t) runs * 8 > (int64_t) n)
            {
                filterDirect (line, n);
                return;
            }

            runEnd.resize ((size_t) n);
            int end = n;
            runEnd[(size_t) n - 1] = n;
            for (int i = n - 2; i >= 0; --i)
            {
                end = p[i] == p[i + 1] ? end : i + 1;
                runEnd[(size_t) i] = end;
            }
            filterRuns (line, n);
        }

    private:
        void filterDirect (uint8_t* line, int n)
        {
            const int R = kernel.halfWidth;
            padded.resize ((size_t) n + 2 * (size_t) R);
            std::fill (padded.begin(), padded.begin() + R, input.front());
            std::copy (input.begin(), input.end(), padded.begin() + R);
            std::fill (padded.begin() + R + n, padded.end(), input.back());

            sums.assign ((size_t) n, 0);
            int32_t* acc = sums.data();
            const uint8_t* p = padded.data();
            const int* w = kernel.weights.data() + R; // w[t] for -R <= t <= R
            int x = 0;
#if defined(__SSE2__)
            // Eight outputs at a time, two symmetric tap pairs per multiply-add.
            const __m128i zero = _mm_setzero_si128();
            auto pairSum = [&] (int t, int at) -> __m128i
            {
                if (t > R)
                    return zero;
                const __m128i before = _mm_loadl_epi64 (reinterpret_cast<const __m128i*> (p + R - t + at));
                const __m128i after = _mm_loadl_epi64 (reinterpret_cast<const __m128i*> (p + R + t + at));
                return _mm_add_epi16 (_mm_unpacklo_epi8 (before, zero), _mm_unpacklo_epi8 (after, zero));
            };
            for (; x + 8 <= n; x += 8)
            {
                const __m128i centre = _mm_unpacklo_epi8 (_mm_loadl_epi64 (reinterpret_cast<const __m128i*> (p + R + x)), zero);
                const __m128i first = pairSum (1, x);
                const __m128i w01 = _mm_set1_epi32 (w[1] << 16 | w[0]);
                __m128i lo = _mm_madd_epi16 (_mm_unpacklo_epi16 (centre, first), w01);
                __m128i hi = _mm_madd_epi16 (_mm_unpackhi_epi16 (centre, first), w01);
                for (int t = 2; t <= R; t += 2)
                {
                    const __m128i a = pairSum (t, x);
                    const __m128i b = pairSum (t + 1, x);
                    const __m128i wab = _mm_set1_epi32 ((t + 1 <= R ? w[t + 1] : 0) << 16 | w[t]);
                    lo = _mm_add_epi32 (lo, _mm_madd_epi16 (_mm_unpacklo_epi16 (a, b), wab));
                    hi = _mm_add_epi32 (hi, _mm_madd_epi16 (_mm_unpackhi_epi16 (a, b), wab));
                }
                _mm_storeu_si128 (reinterpret_cast<__m128i*> (acc + x), lo);
                _mm_storeu_si128 (reinterpret_cast<__m128i*> (acc + x + 4), hi);
            }
#endif
            for (; x < n; ++x)
            {
                int32_t sum = 255 * p[x + R];
                for (int t = 1; t <= R; ++t)
                    sum += w[t] * (int32_t) (p[x + R - t] + p[x + R + t]);
                acc[x] = sum;
            }

            // acc / total by a float reciprocal, nudged onto the exact truncated quotient.
            const int32_t total = (int32_t) kernel.total;
            const float inverse = 1.0f / (float) total;
            for (int x = 0; x < n; ++x)
            {
                int32_t q = (int32_t) ((float) acc[x] * inverse);
                q += (q + 1) * total <= acc[x] ? 1 : 0;
                q -= q * total > acc[x] ? 1 : 0;
                line[x] = (uint8_t) q;
            }
        }

        void filterRuns (uint8_t* line, int n)
        {
            const int R = kernel.halfWidth;
            const int64_t* cum = kernel.cumulative.data(); // C(t) = cum[t + R]
            const int64_t total = kernel.total;
            const uint8_t* p = input.data();

            for (int y = 0; y < n; ++y)
            {
                const int lo = std::max (0, y - R);
                const int hi = std::min (n - 1, y + R);

                // The whole window inside one run (replicated ends included): the value itself.
                if (runEnd[(size_t) lo] > hi)
                {
                    line[y] = p[lo];
                    continue;
                }

                int64_t sum = 0;
                if (y - R < 0)
                    sum += (int64_t) p[0] * (cum[R - y] - cum[0]);
                for (int q = lo; q <= hi;)
                {
                    const int e = std::min (runEnd[(size_t) q], hi + 1);
                    sum += (int64_t) p[q] * (cum[e - y + R] - cum[q - y + R]);
                    q = e;
                }
                if (y + R > n - 1)
                    sum += (int64_t) p[n - 1] * (cum[2 * R + 1] - cum[n - y + R]);
                line[y] = (uint8_t) (sum / total);
            }
        }

        const GaussianKernel& kernel;
        std::vector<uint8_t> input;
        std::vector<int> runEnd;
        std::vector<uint8_t> padded;
        std::vector<int32_t> sums;
    };

    void filterLines (uint8_t* pixels, int lineLength, int lines, const GaussianKernel& kernel)
    {
        ParallelRows::forEachBand (0, lines, (int64_t) lineLength * 4, [&] (int first, int end)
        {
            GaussianLine line (kernel);
            for (int i = first; i < end; ++i)
                line.filter (pixels + (size_t) i * (size_t) lineLength, lineLength);
        });
    }

#if defined(__SSE2__)
    /** 16 x 16 bytes transposed in registers: four rounds of interleaving. */
    void transposeTile (const uint8_t* from, size_t fromStride, uint8_t* to, size_t toStride)
    {
        __m128i a[16], b[16];
        for (int i = 0; i < 16; ++i)
            a[i] = _mm_loadu_si128 (reinterpret_cast<const __m128i*> (from + (size_t) i * fromStride));
        for (int i = 0; i < 8; ++i)
        {
            b[2 * i] = _mm_unpacklo_epi8 (a[2 * i], a[2 * i + 1]);
            b[2 * i + 1] = _mm_unpackhi_epi8 (a[2 * i], a[2 * i + 1]);
        }
        for (int g = 0; g < 4; ++g)
        {
            a[4 * g] = _mm_unpacklo_epi16 (b[4 * g], b[4 * g + 2]);
            a[4 * g + 1] = _mm_unpackhi_epi16 (b[4 * g], b[4 * g + 2]);
            a[4 * g + 2] = _mm_unpacklo_epi16 (b[4 * g + 1], b[4 * g + 3]);
            a[4 * g + 3] = _mm_unpackhi_epi16 (b[4 * g + 1], b[4 * g + 3]);
        }
        for (int half = 0; half < 2; ++half)
            for (int q = 0; q < 4; ++q)
            {
                b[8 * half + 2 * q] = _mm_unpacklo_epi32 (a[8 * half + q], a[8 * half + 4 + q]);
                b[8 * half + 2 * q + 1] = _mm_unpackhi_epi32 (a[8 * half + q], a[8 * half + 4 + q]);
            }
        for (int k = 0; k < 8; ++k)
        {
            _mm_storeu_si128 (reinterpret_cast<__m128i*> (to + (size_t) (2 * k) * toStride), _mm_unpacklo_epi64 (b[k], b[8 + k]));
            _mm_storeu_si128 (reinterpret_cast<__m128i*> (to + (size_t) (2 * k + 1) * toStride), _mm_unpackhi_epi64 (b[k], b[8 + k]));
        }
    }
#endif

    /** to (fromHeight columns, fromWidth rows) becomes the transpose of from. */
    void transpose (const uint8_t* from, uint8_t* to, int fromWidth, int fromHeight)
    {
        // Bands of 64 source rows fill whole cache lines of the destination in one go.
        constexpr int tile = 16;
        constexpr int band = 64;
        ParallelRows::forEachBand (0, (fromHeight + band - 1) / band, (int64_t) fromWidth * band, [&] (int first, int end)
        {
            for (int by = first * band; by < std::min (fromHeight, end * band); by += band)
                for (int tx = 0; tx < fromWidth; tx += tile)
                    for (int ty = by; ty < std::min (fromHeight, by + band); ty += tile)
                    {
#if defined(__SSE2__)
                        if (ty + tile <= fromHeight && tx + tile <= fromWidth)
                        {
                            transposeTile (from + (size_t) ty * (size_t) fromWidth + (size_t) tx, (size_t) fromWidth,
                                           to + (size_t) tx * (size_t) fromHeight + (size_t) ty, (size_t) fromHeight);
                            continue;
                        }
#endif
                        for (int x = tx; x < std::min (fromWidth, tx + tile); ++x)
                            for (int y = ty; y < std::min (fromHeight, ty + tile); ++y)
                                to[(size_t) x * (size_t) fromHeight + (size_t) y] = from[(size_t) y * (size_t) fromWidth + (size_t) x];
                    }
        });
    }

    //==============================================================================

    /** Applies a 256-entry table to every pixel of src into dst over w x h. */
    void applyTable (Area src, Area dst, int w, int h, const uint8_t* table)
    {
        ParallelRows::forEachBand (0, h, w, [&] (int first, int end)
        {
            for (int y = first; y < end; ++y)
            {
                const uint8_t* in = src.row (y);
                uint8_t* out = dst.row (y);
                for (int x = 0; x < w; ++x)
                    out[x] = table[in[x]];
            }
        });
    }

    /** Truncation limited to 0..255; NaN gives 0 rather than an undefined conversion. */
    int truncateToByte (float v) { return v >= 255.0f ? 255 : (v > 0.0f ? (int) v : 0); }

    uint8_t saturateByte (double v) { return (uint8_t) std::clamp ((int) v, 0, 255); }

    void makeContrastTable (uint8_t* table, float k)
    {
        for (int v = 0; v < 256; ++v)
        {
            double value;
            if (v < 128)
                value = 0.5 * std::pow (2.0 * (double) ((float) v / 255.0f), (double) k) * 255.0;
            else
                value = (1.0 - 0.5 * std::pow (2.0 * (1.0 - v / 255.0), (double) k)) * 255.0;
            table[v] = saturateByte (std::trunc (std::clamp (value, -1.0, 256.0)));
        }
    }
}

namespace GrayFilters
{
    int gaussianHalfWidth (double r)
    {
        return r > 0.0 ? GaussianKernel (r).halfWidth : 0;
    }
}

void boxBlurGray (const SxImageAlphaByte& source, SxImageAlphaByte& destination, float r)
{
    const int w = std::min (source.width, destination.width);
    const int h = std::min (source.height, destination.height);
    boxBlurAreaInPlaceSafe (areaOf (source), areaOf (destination), w, h, r);
}

void blurGrayWholeRadius (const SxImageAlphaByte& source, SxImageAlphaByte& destination, float r)
{
    const int w = std::min (source.width, destination.width);
    const int h = std::min (source.height, destination.height);
    if (w > 0 && h > 0)
        blurWholeRadiusArea (areaOf (source), areaOf (destination), w, h, r);
}

void blurGray (const SxImageAlphaByte& source, SxImageAlphaByte& destination, float r)
{
    const int w = std::min (source.width, destination.width);
    const int h = std::min (source.height, destination.height);
    if (w <= 0 || h <= 0)
        return;

    const Area src = areaOf (source);
    const Area dst = areaOf (destination);
    if (! (r > 0.0f))
    {
        copyArea (src, dst, w, h);
        return;
    }
    r = std::min (r, 1.0e6f); // far beyond any image: the window is cut at its edges anyway

    const float f = r - std::ceil (r) + 1.0f;
    if (f == 1.0f)
    {
        blurWholeRadiusArea (src, dst, w, h, r);
        return;
    }

    // B first, while the source is intact even when it is the destination.
    const auto b = std::make_unique_for_overwrite<uint8_t[]> ((size_t) w * (size_t) h);
    const Area bArea { b.get(), (size_t) w };
    blurWholeRadiusArea (src, bArea, w, h, std::ceil (r));

    if (std::trunc (r) < 1.0f)
        copyArea (src, dst, w, h);
    else
        blurWholeRadiusArea (src, dst, w, h, std::trunc (r));

    const int c = (int) (f * 256.0f);
    ParallelRows::forEachBand (0, h, w, [&] (int first, int end)
    {
        for (int y = first; y < end; ++y)
        {
            uint8_t* a = dst.row (y);
            const uint8_t* bb = bArea.row (y);
            for (int x = 0; x < w; ++x)
                a[x] = (uint8_t) (((256 - c) * a[x] + c * bb[x] + 127) >> 8);
        }
    });
}

void gaussianBlurGray (SxImageAlphaByte& image, double r)
{
    const int w = image.width;
    const int h = image.height;
    if (! (r > 0.0) || w <= 0 || h <= 0 || ! std::isfinite (r))
        return;

    GaussianKernel kernel (r);
    if (kernel.halfWidth < 0)
        return;
    kernel.makeWeights();

    // Vertical pass first: columns become rows of a transposed copy.
    const auto transposed = std::make_unique_for_overwrite<uint8_t[]> ((size_t) w * (size_t) h);
    transpose (image.pixels, transposed.get(), w, h);
    filterLines (transposed.get(), h, w, kernel);
    transpose (transposed.get(), image.pixels, h, w);
    filterLines (image.pixels, w, h, kernel);
}

void sobelMagnitudeGray (const SxImageAlphaByte& source, SxImageAlphaByte& destination)
{
    const int w = std::min (source.width, destination.width);
    const int h = std::min (source.height, destination.height);
    if (w <= 0 || h <= 0)
        return;

    const Area dst = areaOf (destination);
    std::unique_ptr<uint8_t[]> ownCopy;
    Area src = areaOf (source);
    if (src.pixels == dst.pixels)
    {
        ownCopy = std::make_unique_for_overwrite<uint8_t[]> ((size_t) w * (size_t) h);
        src = { ownCopy.get(), (size_t) w };
        copyArea (areaOf (source), src, w, h);
    }

    ParallelRows::forEachBand (0, h, w * 4, [&] (int first, int end)
    {
        for (int y = first; y < end; ++y)
        {
            uint8_t* out = dst.row (y);
            if (y == 0 || y == h - 1 || w < 3)
            {
                std::memset (out, 0, (size_t) w);
                continue;
            }
            const uint8_t* up = src.row (y - 1);
            const uint8_t* mid = src.row (y);
            const uint8_t* down = src.row (y + 1);
            out[0] = 0;
            out[w - 1] = 0;
            for (int x = 1; x < w - 1; ++x)
            {
                const int gx = (up[x - 1] + 2 * mid[x - 1] + down[x - 1]) - (up[x + 1] + 2 * mid[x + 1] + down[x + 1]);
                const int gy = (down[x - 1] + 2 * down[x] + down[x + 1]) - (up[x - 1] + 2 * up[x] + up[x + 1]);
                out[x] = (uint8_t) std::min (std::abs (gx) + std::abs (gy), 255);
            }
        }
    });
}

void applyGrayTable (SxImageAlphaByte& image, const std::array<uint8_t, 256>& table)
{
    if (image.width > 0 && image.height > 0)
        applyTable (areaOf (image), areaOf (image), image.width, image.height, table.data());
}

void thresholdBand (SxImageAlphaByte& image, int low, int high, uint8_t value)
{
    const int w = image.width;
    const int h = image.height;
    if (w <= 0 || h <= 0)
        return;

    // Bounds outside the byte range select everything or nothing; clamped, they fit a byte compare.
    const int lo = std::clamp (low, 0, 256);
    const int hi = std::clamp (high, 0, 256);
    const uint8_t outside = (uint8_t) (255 - value);
    if (lo >= hi)
    {
        std::memset (image.pixels, outside, (size_t) w * (size_t) h);
        return;
    }

    const uint8_t lowByte = (uint8_t) lo;
    const uint8_t lastByte = (uint8_t) (hi - 1);
    const Area area = areaOf (image);
    ParallelRows::forEachBand (0, h, w, [&] (int first, int end)
    {
        for (int y = first; y < end; ++y)
        {
            uint8_t* p = area.row (y);
            for (int x = 0; x < w; ++x)
                p[x] = (p[x] >= lowByte && p[x] <= lastByte) ? value : outside;
        }
    });
}

void adjustLevels (SxImageAlphaByte& image, int black, int white, float g, float amount)
{
    if (image.width <= 0 || image.height <= 0)
        return;

    const float k = g > 0.5f ? (g + -0.49f) * 15.0f + 1.0f : g + 0.5f;
    const double span = (double) ((float) white / 255.0f - (float) black / 255.0f);

    uint8_t table[256];
    for (int v = 0; v < 256; ++v)
    {
        int entry;
        if (v >= white)
            entry = 255;
        else if (v <= black)
            entry = 0;
        else
        {
            const double t = std::clamp (std::trunc ((double) (v - black) / span), 0.0, 255.0);
            entry = truncateToByte (powf ((float) t / 255.0f, k) * 255.0f);
        }
        if (amount != 1.0f)
            entry = truncateToByte ((float) entry * amount + (float) v * (1.0f - amount));
        table[v] = (uint8_t) entry;
    }
    table[0] = 0;

    applyTable (areaOf (image), areaOf (image), image.width, image.height, table);
}

void contrastCurve (SxImageAlphaByte& destination, const SxImageAlphaByte& source, float b, float c)
{
    const int w = std::min (source.width, destination.width);
    const int h = std::min (source.height, destination.height);
    if (w <= 0 || h <= 0)
        return;

    if (c >= 1.0f)
        c = 0.99f;
    else if (c <= -1.0f)
        c = -0.99f;

    uint8_t curve[256];
    if (c > 0.0f)
        makeContrastTable (curve, 1.0f / (1.0f - c));
    else if (c < 0.0f)
        makeContrastTable (curve, c + 1.0f);
    else
        for (int v = 0; v < 256; ++v)
            curve[v] = (uint8_t) v;

    uint8_t table[256];
    for (int v = 0; v < 256; ++v)
    {
        int u = v;
        if (b > 0.0f)
            u = (int) ((1.0f - (float) v / 255.0f) * b * 255.0f + (float) v) & 0xff;
        else if (b < 0.0f)
            u = (int) ((float) v * (1.0f + b)) & 0xff;
        table[v] = curve[u];
    }

    applyTable (areaOf (source), areaOf (destination), w, h, table);
}
