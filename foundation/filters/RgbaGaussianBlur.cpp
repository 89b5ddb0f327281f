#include "RgbaGaussianBlur.h"

#include "ParallelRows.h"
#include "SxImageRgbaBytes.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

namespace
{
    // From this radius on the three box passes replace the sampled kernel.
    constexpr double boxRadius = 10.0;
    // Columns filtered together in the vertical pass: 64 bytes per row of the strip.
    constexpr int stripColumns = 16;

    /** A line of n positions with `lanes` independent bytes per position, position i's
        first byte at data + i * stride. A row is one line of 4 lanes; a strip of columns
        is one line of 4 x columns lanes, filtered exactly as its columns one by one. */
    struct Line
    {
        const uint8_t* data;
        size_t stride;
    };

    struct OutLine
    {
        uint8_t* data;
        size_t stride;
    };

    /** One pass of the sampled kernel (taps -h..h) over a line of L packed lanes; taps outside the line are
        skipped and the sum renormalised by the weights used. Sums run from tap -h upwards. */
    template <int L>
    void kernelPass (const double* in, OutLine out, int n, const std::vector<double>& taps)
    {
        const int h = (int) taps.size() / 2;
        const double* w = taps.data();
        for (int i = 0; i < n; ++i)
        {
            double acc[L];
            uint8_t* o = out.data + (size_t) i * out.stride;
            if (i >= h && i + h <= n - 1)
            {
                const double* p = in + (size_t) (i - h) * L;
                for (int l = 0; l < L; ++l)
                    acc[l] = w[0] * p[l];
                for (int k = 1; k <= 2 * h; ++k)
                {
                    p += L;
                    for (int l = 0; l < L; ++l)
                        acc[l] += w[k] * p[l];
                }
                for (int l = 0; l < L; ++l)
                    o[l] = (uint8_t) std::clamp ((int) (acc[l] + 0.5), 0, 255);
                continue;
            }

            const int lo = std::max (-h, -i), hi = std::min (h, n - 1 - i);
            std::fill (acc, acc + L, 0.0);
            double weightSum = 0.0;
            for (int k = lo; k <= hi; ++k)
            {
                const double* p = in + (size_t) (i + k) * L;
                weightSum += w[k + h];
                for (int l = 0; l < L; ++l)
                    acc[l] += w[k + h] * p[l];
            }
            for (int l = 0; l < L; ++l)
                o[l] = (uint8_t) std::clamp ((int) (acc[l] / weightSum + 0.5), 0, 255);
        }
    }

    /** floor (m / e) for 0 <= m < 256 e, as floor ((m + 0.5) * (1 / e)): the true quotient
        of m + 0.5 stays at least 0.5 / e away from the next integer, which covers the
        rounding of the product (relative 2^-23 in float, so float only while e <= 4096). */
    template <typename Real>
    inline int divideRounded (int32_t m, Real inverse) noexcept
    {
        return (int) (((Real) m + (Real) 0.5) * inverse);
    }

    /** One running-sum box pass over the window i - before .. i + after, cut at the line's
        ends; each output is the rounded mean (sum + e / 2) / e of the e positions inside. */
    template <int L, typename Real>
    void boxPassWith (Line in, OutLine out, int n, int before, int after)
    {
        int32_t sums[L] = {};
        for (int p = 0; p <= std::min (after, n - 1); ++p)
            for (int l = 0; l < L; ++l)
                sums[l] += in.data[(size_t) p * in.stride + (size_t) l];

        const int full = before + after + 1;
        const Real fullInverse = (Real) 1 / (Real) full;
        for (int i = 0; i < n; ++i)
        {
            uint8_t* o = out.data + (size_t) i * out.stride;
            const int e = std::min (n - 1, i + after) - std::max (0, i - before) + 1;
            const int half = e / 2;
            const Real inverse = e == full ? fullInverse : (Real) 1 / (Real) e;
            for (int l = 0; l < L; ++l)
                o[l] = (uint8_t) divideRounded (sums[l] + half, inverse);

            if (i + after + 1 <= n - 1)
            {
                const uint8_t* add = in.data + (size_t) (i + after + 1) * in.stride;
                for (int l = 0; l < L; ++l)
                    sums[l] += add[l];
            }
            if (i - before >= 0)
            {
                const uint8_t* sub = in.data + (size_t) (i - before) * in.stride;
                for (int l = 0; l < L; ++l)
                    sums[l] -= sub[l];
            }
        }
    }

    template <int L>
    void boxPass (Line in, OutLine out, int n, int before, int after)
    {
        if (before + after + 1 <= 4096)
            boxPassWith<L, float> (in, out, n, before, after);
        else
            boxPassWith<L, double> (in, out, n, before, after);
    }

    /** The three box windows (before, after) for box size c. */
    struct BoxWindows
    {
        int before[3], after[3];

        static BoxWindows forSize (int c) noexcept
        {
            if (c % 2 != 0)
            {
                const int m = (c - 1) / 2;
                return { { m, m, m }, { m, m, m } };
            }
            const int m = c / 2;
            return { { m - 1, m, m }, { m, m - 1, m } };
        }
    };

    /** Filters one line of L lanes with the sampled kernel or the three box passes. `a` and
        `b` are scratch lines of n * L bytes; the result lands in `out`. */
    struct LineFilter
    {
        std::vector<double> taps;
        BoxWindows windows {};
        bool useBoxes = false;

        template <int L>
        void run (Line in, OutLine out, int n, uint8_t* a, uint8_t* b, std::vector<double>& converted) const
        {
            if (! useBoxes)
            {
                // Each byte is converted once instead of once per tap.
                converted.resize ((size_t) n * L);
                for (int i = 0; i < n; ++i)
                    for (int l = 0; l < L; ++l)
                        converted[(size_t) (i * L + l)] = in.data[(size_t) i * in.stride + (size_t) l];
                kernelPass<L> (converted.data(), out, n, taps);
                return;
            }
            boxPass<L> (in, { a, L }, n, windows.before[0], windows.after[0]);
            boxPass<L> ({ a, L }, { b, L }, n, windows.before[1], windows.after[1]);
            boxPass<L> ({ b, L }, out, n, windows.before[2], windows.after[2]);
        }
    };

    /** trunc ((s - b) * amount + s) clamped to 0..255, for every source byte s and blurred
        byte b, indexed by s << 8 | b. */
    std::vector<uint8_t> makeSharpenTable (double amount)
    {
        std::vector<uint8_t> table (256 * 256);
        for (int s = 0; s < 256; ++s)
            for (int b = 0; b < 256; ++b)
            {
                const double v = (double) (s - b) * amount + (double) s;
                table[(size_t) (s << 8 | b)] = (uint8_t) (int) std::clamp (v, 0.0, 255.0);
            }
        return table;
    }
}

//==============================================================================
void getRgbaRow (const SxImageRgbaBytes& image, uint32_t* buffer, int row)
{
    if (row >= 0 && row < image.height && image.pixels != nullptr)
        std::memcpy (buffer, image.getRowPointer (row), (size_t) image.width * 4);
}

void setRgbaRow (SxImageRgbaBytes& image, const uint32_t* buffer, int row)
{
    if (row >= 0 && row < image.height && image.pixels != nullptr)
        std::memcpy (image.getRowPointer (row), buffer, (size_t) image.width * 4);
}

void getRgbaColumn (const SxImageRgbaBytes& image, uint32_t* buffer, int column)
{
    for (int y = 0; y < image.height; ++y)
        buffer[y] = image.getPixel (column, y);
}

void setRgbaColumn (SxImageRgbaBytes& image, const uint32_t* buffer, int column)
{
    if (column < 0 || column >= image.width)
        return;
    for (int y = 0; y < image.height; ++y)
        image.setPixel (buffer[y], column, y);
}

std::vector<double> gaussianKernelTaps (double radius)
{
    const double sigma = std::abs (radius) + 1.0;
    const double cut = 2.0 * sigma;
    const int h = std::max (0, (int) std::ceil (2.0 * sigma - 0.5));
    const double twoSigmaSquared = 2.0 * sigma * sigma;

    std::vector<double> taps ((size_t) (2 * h + 1));
    double centre = 0.0;
    for (int k = 0; k <= 50; ++k)
    {
        const double v = -0.5 + 0.02 * k;
        centre += std::exp (-v * v / twoSigmaSquared);
    }
    taps[(size_t) h] = centre / 51.0;

    for (int t = 1; t <= h; ++t)
    {
        double sum = 0.0;
        for (int k = 1; k <= 50; ++k)
        {
            const double v = t - 0.5 + 0.02 * k;
            if (v <= cut)
                sum += std::exp (-v * v / twoSigmaSquared);
        }
        taps[(size_t) (h + t)] = taps[(size_t) (h - t)] = sum / 50.0;
    }

    double total = 0.0;
    for (double w : taps)
        total += w;
    for (double& w : taps)
        w /= total;
    return taps;
}

int gaussianBoxSize (double radius)
{
    // sqrt (2 pi) as the single-precision constant the box sizes were defined with.
    return (int) std::trunc (3.0 * radius * 2.5066282749176025 * 0.25 + 0.5);
}

bool unsharpMaskRgba (SxImageRgbaBytes& destination, const SxImageRgbaBytes& source, double radius, double amount)
{
    if (destination.width != source.width || destination.height != source.height
        || ! std::isfinite (amount) || ! std::isfinite (radius) || radius < -100.0 || radius > 1.0e6)
        return false;

    const int width = source.width, height = source.height;
    if (width <= 0 || height <= 0 || source.pixels == nullptr || destination.pixels == nullptr)
        return true;

    std::unique_ptr<SxImageRgbaBytes> clone;
    const SxImageRgbaBytes* src = &source;
    if (&destination == &source || destination.pixels == source.pixels)
    {
        clone.reset (source.clone());
        src = clone.get();
    }

    LineFilter filter;
    filter.useBoxes = radius >= boxRadius;
    if (filter.useBoxes)
        filter.windows = BoxWindows::forSize (std::max (gaussianBoxSize (radius), 1));
    else
        filter.taps = gaussianKernelTaps (radius);

    const double costPerPixel = filter.useBoxes ? 12.0 : 4.0 * (double) filter.taps.size();

    // Horizontal: each source row into the destination row.
    ParallelRows::forEachBand (0, height, (int64_t) (costPerPixel * width), [&] (int begin, int end)
    {
        std::vector<uint8_t> a ((size_t) width * 4), b ((size_t) width * 4);
        std::vector<double> converted;
        for (int y = begin; y < end; ++y)
            filter.run<4> ({ src->getRowPointer (y), 4 }, { destination.getRowPointer (y), 4 }, width, a.data(), b.data(), converted);
    });

    const auto sharpen = makeSharpenTable (amount);

    // Vertical, over strips of columns, then the unsharp step as each strip is stored. A
    // narrower last strip is gathered into a full-width one; its extra lanes are ignored.
    constexpr int lanes = stripColumns * 4;
    const int strips = (width + stripColumns - 1) / stripColumns;
    ParallelRows::forEachBand (0, strips, (int64_t) (costPerPixel * stripColumns * height), [&] (int begin, int end)
    {
        std::vector<uint8_t> blurred ((size_t) height * lanes), a (blurred.size()), b (blurred.size()), gathered;
        std::vector<double> converted;
        const size_t rowBytes = (size_t) width * 4;

        for (int strip = begin; strip < end; ++strip)
        {
            const int x0 = strip * stripColumns;
            const int used = std::min (stripColumns, width - x0) * 4;
            Line in { destination.getRowPointer (0) + (size_t) x0 * 4, rowBytes };
            if (used < lanes)
            {
                gathered.assign ((size_t) height * lanes, 0);
                for (int y = 0; y < height; ++y)
                    std::memcpy (gathered.data() + (size_t) y * lanes, destination.getRowPointer (y) + (size_t) x0 * 4, (size_t) used);
                in = { gathered.data(), (size_t) lanes };
            }
            filter.run<lanes> (in, { blurred.data(), (size_t) lanes }, height, a.data(), b.data(), converted);

            for (int y = 0; y < height; ++y)
            {
                const uint8_t* s = src->getRowPointer (y) + (size_t) x0 * 4;
                const uint8_t* bl = blurred.data() + (size_t) y * lanes;
                uint8_t* d = destination.getRowPointer (y) + (size_t) x0 * 4;
                for (int l = 0; l < used; ++l)
                    d[l] = sharpen[(size_t) (s[l] << 8 | bl[l])];
            }
        }
    });
    return true;
}
