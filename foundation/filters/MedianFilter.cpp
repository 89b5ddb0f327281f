#include "MedianFilter.h"

#include "ParallelRows.h"
#include "SxImageAlphaByte.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <vector>

namespace
{
    // The stripe arithmetic counts histograms of 272 32-bit counters, whatever width the
    // counters really have.
    constexpr size_t histogramBytes = 272 * sizeof (uint32_t);

    template <typename Count>
    inline void add16 (Count* __restrict d, const Count* __restrict s) noexcept
    {
        for (int i = 0; i < 16; ++i)
            d[i] = (Count) (d[i] + s[i]);
    }

    template <typename Count>
    inline void sub16 (Count* __restrict d, const Count* __restrict s) noexcept
    {
        for (int i = 0; i < 16; ++i)
            d[i] = (Count) (d[i] - s[i]);
    }

    template <typename Count>
    inline void addScaled16 (Count* __restrict d, const Count* __restrict s, int n) noexcept
    {
        for (int i = 0; i < 16; ++i)
            d[i] = (Count) (d[i] + s[i] * n);
    }

    /** One vertical stripe of m columns (cn channels each), rows [rowBegin, rowEnd). */
    template <typename Count>
    class Stripe
    {
    public:
        Stripe (const uint8_t* src, uint8_t* dst, int height, size_t sstep, size_t dstep, int r, int cn)
            : source (src), destination (dst), imageHeight (height), sourceStep (sstep),
              destinationStep (dstep), radius (r), channels (cn)
        {
        }

        void run (int firstColumn, int m, bool padLeft, bool padRight, int rowBegin, int rowEnd,
                  std::vector<Count>& scratch)
        {
            x0 = firstColumn;
            columns = m;
            lanes = m * channels;
            scratch.assign ((size_t) lanes * 272, 0);
            coarse = scratch.data();
            fine = coarse + (size_t) lanes * 16;

            // Column histograms hold rows rowBegin - r - 1 ... rowBegin + r - 1, replicated;
            // each row's update then drops the oldest and adds the newest.
            for (int y = rowBegin - radius - 1; y < rowBegin + radius; ++y)
                updateRow (clampRow (y), +1);

            const int jBegin = padLeft ? 0 : radius;
            const int jEnd = padRight ? m - 1 : m - radius - 1;

            for (int i = rowBegin; i < rowEnd; ++i)
            {
                updateRow (std::max (0, i - radius - 1), -1);
                updateRow (std::min (imageHeight - 1, i + radius), +1);

                uint8_t* out = destination + (size_t) i * destinationStep + (size_t) x0 * (size_t) channels;
                for (int c = 0; c < channels; ++c)
                    filterRow (out, c, padLeft, jBegin, jEnd);
            }
        }

    private:
        int clampRow (int y) const noexcept { return std::clamp (y, 0, imageHeight - 1); }

        const Count* coarseOf (int j, int c) const noexcept { return coarse + (size_t) (j * channels + c) * 16; }
        const Count* fineOf (int j, int c, int k) const noexcept
        {
            return fine + (size_t) k * (size_t) lanes * 16 + (size_t) (j * channels + c) * 16;
        }

        void updateRow (int y, int delta) noexcept
        {
            const uint8_t* p = source + (size_t) y * sourceStep + (size_t) x0 * (size_t) channels;
            const size_t fineBin = (size_t) lanes * 16;
            for (int lane = 0; lane < lanes; ++lane)
            {
                const int v = p[lane];
                coarse[(size_t) lane * 16 + (size_t) (v >> 4)] = (Count) (coarse[(size_t) lane * 16 + (size_t) (v >> 4)] + delta);
                Count& f = fine[(size_t) (v >> 4) * fineBin + (size_t) lane * 16 + (size_t) (v & 15)];
                f = (Count) (f + delta);
            }
        }

        void filterRow (uint8_t* out, int c, bool padLeft, int jBegin, int jEnd) noexcept
        {
            const int r = radius;
            const int m = columns;
            const int t = 2 * r * r + 2 * r;

            alignas (16) Count hCoarse[16] = {};
            alignas (16) Count hFine[16][16];
            int luc[16];
            std::fill (luc, luc + 16, INT_MIN / 2);

            if (padLeft)
            {
                addScaled16 (hCoarse, coarseOf (0, c), r);
                for (int j = 0; j < r; ++j)
                    add16 (hCoarse, coarseOf (std::min (j, m - 1), c));
            }
            else
            {
                for (int j = 0; j < 2 * r; ++j)
                    add16 (hCoarse, coarseOf (j, c));
            }

            for (int j = jBegin; j <= jEnd; ++j)
            {
                add16 (hCoarse, coarseOf (std::min (j + r, m - 1), c));

                int sum = 0;
                int k = 0;
                for (; k < 15; ++k)
                {
                    if (sum + (int) hCoarse[k] > t)
                        break;
                    sum += hCoarse[k];
                }

                Count* seg = hFine[k];
                if (luc[k] <= j - r)
                {
                    // Too far behind to slide: sum the window afresh, replicating both ends.
                    std::fill (seg, seg + 16, (Count) 0);
                    const int left = std::max (0, j - r);
                    const int right = std::min (j + r, m - 1);
                    if (j - r < 0)
                        addScaled16 (seg, fineOf (0, c, k), r - j);
                    for (int col = left; col <= right; ++col)
                        add16 (seg, fineOf (col, c, k));
                    if (j + r >= m)
                        addScaled16 (seg, fineOf (m - 1, c, k), j + r + 1 - m);
                    luc[k] = j + r + 1;
                }
                else
                {
                    for (; luc[k] < j + r + 1; ++luc[k])
                    {
                        sub16 (seg, fineOf (std::max (luc[k] - 2 * r - 1, 0), c, k));
                        add16 (seg, fineOf (std::min (luc[k], m - 1), c, k));
                    }
                }

                sub16 (hCoarse, coarseOf (std::max (j - r, 0), c));

                int b = 0;
                for (; b < 15; ++b)
                {
                    sum += seg[b];
                    if (sum > t)
                        break;
                }
                out[j * channels + c] = (uint8_t) (16 * k + b);
            }
        }

        const uint8_t* source;
        uint8_t* destination;
        int imageHeight;
        size_t sourceStep;
        size_t destinationStep;
        int radius;
        int channels;

        int x0 = 0;
        int columns = 0;
        int lanes = 0;
        Count* coarse = nullptr;
        Count* fine = nullptr;
    };

    template <typename Count>
    void filterWithCounters (const uint8_t* src, uint8_t* dst, int width, int height, size_t sstep,
                             size_t dstep, int r, int cn, size_t budget)
    {
        const auto plan = MedianFilter::planStripes (width, r, budget / (size_t) cn);
        const int step = plan.stripes > 1 ? plan.stripeWidth - 2 * r : width;

        // Each band starts its own column histograms, so bands give the same bytes as one run.
        ParallelRows::forEachBand (0, height, (int64_t) width * cn * 4, [&] (int rowBegin, int rowEnd)
        {
            Stripe<Count> stripe (src, dst, height, sstep, dstep, r, cn);
            std::vector<Count> scratch;
            for (int start = 0;; start += step)
            {
                int m = plan.stripeWidth;
                bool last = plan.stripes <= 1;
                const int next = start + m - 2 * r;
                if (last || start + m >= width || width - next < 2 * r + 1)
                {
                    m = width - start;
                    last = true;
                }
                stripe.run (start, m, start == 0, last, rowBegin, rowEnd, scratch);
                if (last)
                    break;
            }
        });
    }
}

namespace MedianFilter
{
    StripePlan planStripes (int width, int r, size_t budget)
    {
        const long long n = (long long) (budget / histogramBytes);
        if (2LL * r >= n || width <= 2 * r)
            return { 1, width };

        const int stripes = (int) std::ceil ((double) (width - 2 * r) / (double) (n - 2 * r));
        const int s = (int) std::ceil ((double) (width + stripes * 2 * r - 2 * r) / (double) stripes);
        return { stripes, stripes <= 1 ? width : s };
    }

    void filterRows (const uint8_t* source, uint8_t* destination, int width, int height,
                     size_t sourceStep, size_t destinationStep, int r, int cn, size_t budget)
    {
        if (width <= 0 || height <= 0 || cn <= 0)
            return;

        if (r <= 0)
        {
            for (int y = 0; y < height; ++y)
                std::memmove (destination + (size_t) y * destinationStep, source + (size_t) y * sourceStep,
                              (size_t) width * (size_t) cn);
            return;
        }

        // 16-bit counters hold a window of up to 255 x 255 values and halve the histogram traffic.
        if (r <= 127)
            filterWithCounters<uint16_t> (source, destination, width, height, sourceStep, destinationStep, r, cn, budget);
        else
            filterWithCounters<uint32_t> (source, destination, width, height, sourceStep, destinationStep, r, cn, budget);
    }
}

void medianFilter (const SxImageAlphaByte& source, SxImageAlphaByte& destination, int r)
{
    const int width = std::min (source.width, destination.width);
    const int height = std::min (source.height, destination.height);
    if (width <= 0 || height <= 0)
        return;

    if (&source == &destination)
    {
        if (r <= 0)
            return;
        const SxImageAlphaByte copy (source);
        MedianFilter::filterRows (copy.pixels, destination.pixels, width, height, (size_t) copy.width,
                                  (size_t) destination.width, r, 1, MedianFilter::defaultBudget);
        return;
    }

    MedianFilter::filterRows (source.pixels, destination.pixels, width, height, (size_t) source.width,
                              (size_t) destination.width, r, 1, MedianFilter::defaultBudget);
}
