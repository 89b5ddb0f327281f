#include "MedianFilter.h"
#include "ParallelRows.h"
#include "SxImageAlphaByte.h"

#include <gtest/gtest.h>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace
{
    enum class Pattern { noise, structured };

    void paint (SxImageAlphaByte& image, Pattern pattern, unsigned seed)
    {
        std::mt19937 rng (seed);
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x)
            {
                uint8_t v;
                if (pattern == Pattern::noise)
                    v = (uint8_t) (rng() & 0xff);
                else
                {
                    // Flat blocks, a ramp and sparse specks: long runs next to busy spots.
                    const int block = ((x / 13) + (y / 9)) % 3 == 0 ? 40 : 200;
                    v = (uint8_t) ((rng() % 23 == 0) ? rng() & 0xff : (block + (x + 2 * y) % 17));
                }
                image.getRowPointer (y)[x] = v;
            }
    }

    /** Median of the replicated (2r + 1)^2 window, counted value by value. */
    std::vector<uint8_t> bruteMedian (const uint8_t* src, int w, int h, int r, int cn = 1)
    {
        std::vector<uint8_t> out ((size_t) w * (size_t) h * (size_t) cn);
        const int t = 2 * r * r + 2 * r;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                for (int c = 0; c < cn; ++c)
                {
                    int hist[256] = {};
                    for (int dy = -r; dy <= r; ++dy)
                    {
                        const int yy = std::clamp (y + dy, 0, h - 1);
                        for (int dx = -r; dx <= r; ++dx)
                            ++hist[src[((size_t) yy * (size_t) w + (size_t) std::clamp (x + dx, 0, w - 1)) * (size_t) cn + (size_t) c]];
                    }
                    int v = 0;
                    for (int sum = 0; (sum += hist[v]) <= t;)
                        ++v;
                    out[((size_t) y * (size_t) w + (size_t) x) * (size_t) cn + (size_t) c] = (uint8_t) v;
                }
        return out;
    }

    std::vector<uint8_t> openCvMedian (const uint8_t* src, int w, int h, int r, int cn = 1)
    {
        const cv::Mat in (h, w, CV_8UC (cn), const_cast<uint8_t*> (src));
        cv::Mat out;
        cv::medianBlur (in, out, 2 * r + 1);
        return std::vector<uint8_t> (out.data, out.data + (size_t) w * (size_t) h * (size_t) cn);
    }

    std::vector<uint8_t> bytesOf (const SxImageAlphaByte& image)
    {
        return std::vector<uint8_t> (image.pixels, image.pixels + (size_t) image.width * (size_t) image.height);
    }

    /** First differing pixel as text, for failure messages. */
    std::string firstDifference (const std::vector<uint8_t>& a, const std::vector<uint8_t>& b, int w)
    {
        for (size_t i = 0; i < std::min (a.size(), b.size()); ++i)
            if (a[i] != b[i])
                return "at (" + std::to_string (i % (size_t) w) + ", " + std::to_string (i / (size_t) w) + "): "
                       + std::to_string (a[i]) + " vs " + std::to_string (b[i]);
        return a.size() == b.size() ? "none" : "sizes differ";
    }
}

TEST (MedianFilter, EqualsBruteForceAndOpenCvOnEveryShape)
{
    struct Shape { int w, h; };
    const Shape shapes[] = { { 1, 1 }, { 1, 5 }, { 7, 1 }, { 7, 5 }, { 45, 5 }, { 900, 5 }, { 3001, 5 },
                             { 1, 2000 }, { 7, 2000 }, { 45, 2000 } };
    const int radii[] = { 1, 2, 3, 5, 10, 12, 21 };

    for (auto shape : shapes)
        for (int r : radii)
            for (auto pattern : { Pattern::noise, Pattern::structured })
            {
                SxImageAlphaByte src (shape.w, shape.h), dst (shape.w, shape.h);
                paint (src, pattern, (unsigned) (shape.w * 31 + shape.h + r));
                medianFilter (src, dst, r);

                const auto got = bytesOf (dst);
                const auto brute = bruteMedian (src.pixels, shape.w, shape.h, r);
                const auto cvOut = openCvMedian (src.pixels, shape.w, shape.h, r);
                const auto where = std::to_string (shape.w) + "x" + std::to_string (shape.h) + " r=" + std::to_string (r)
                                   + (pattern == Pattern::noise ? " noise " : " structured ");
                ASSERT_EQ (got, brute) << where << firstDifference (got, brute, shape.w);
                ASSERT_EQ (got, cvOut) << where << firstDifference (got, cvOut, shape.w);
            }
}

TEST (MedianFilter, EqualsOpenCvOnLargeImages)
{
    struct Case { int w, h, r; };
    const Case cases[] = { { 900, 2000, 3 }, { 900, 2000, 10 }, { 3001, 2000, 5 }, { 3001, 2000, 21 } };
    for (auto c : cases)
    {
        SxImageAlphaByte src (c.w, c.h), dst (c.w, c.h);
        paint (src, c.r % 2 == 0 ? Pattern::noise : Pattern::structured, (unsigned) c.r);
        medianFilter (src, dst, c.r);
        const auto got = bytesOf (dst);
        const auto cvOut = openCvMedian (src.pixels, c.w, c.h, c.r);
        ASSERT_EQ (got, cvOut) << c.w << "x" << c.h << " r=" << c.r << " " << firstDifference (got, cvOut, c.w);
    }
}

TEST (MedianFilter, RadiiBeyondTheStripeBudgetStillGiveTheMedian)
{
    // 2r >= 481 histograms used to divide by zero; r = 130 takes the 32-bit counters over two stripes.
    struct Case { int w, h, r; };
    const Case cases[] = { { 7, 5, 241 }, { 7, 5, 300 }, { 3, 2, 1000 }, { 600, 3, 130 } };
    for (auto c : cases)
    {
        SxImageAlphaByte src (c.w, c.h), dst (c.w, c.h);
        paint (src, Pattern::noise, (unsigned) c.r);
        medianFilter (src, dst, c.r);
        EXPECT_EQ (bytesOf (dst), bruteMedian (src.pixels, c.w, c.h, c.r)) << c.w << "x" << c.h << " r=" << c.r;
    }
}

TEST (MedianFilter, StripeLayoutFollowsTheBudget)
{
    struct Case { int w, r; size_t budget; int stripes, stripeWidth; };
    const Case cases[] = {
        { 900, 10, MedianFilter::defaultBudget, 2, 460 },  // ceil(880 / 461) stripes of ceil(920 / 2)
        { 3000, 21, MedianFilter::defaultBudget, 7, 465 },
        { 400, 10, MedianFilter::defaultBudget, 1, 400 },
        { 30, 20, MedianFilter::defaultBudget, 1, 30 },      // narrower than a window
        { 5000, 241, MedianFilter::defaultBudget, 1, 5000 }, // no room beside the overlap
    };
    for (auto c : cases)
    {
        const auto plan = MedianFilter::planStripes (c.w, c.r, c.budget);
        EXPECT_EQ (plan.stripes, c.stripes) << c.w << " r=" << c.r;
        EXPECT_EQ (plan.stripeWidth, c.stripeWidth) << c.w << " r=" << c.r;
    }
}

TEST (MedianFilter, StripeCountDoesNotChangeTheResult)
{
    const int w = 900, h = 60, r = 10;
    SxImageAlphaByte src (w, h);
    paint (src, Pattern::structured, 7);

    std::vector<uint8_t> oneStripe ((size_t) w * h), twoStripes ((size_t) w * h), manyStripes ((size_t) w * h);
    MedianFilter::filterRows (src.pixels, oneStripe.data(), w, h, w, w, r, 1, 1u << 30);
    MedianFilter::filterRows (src.pixels, twoStripes.data(), w, h, w, w, r, 1, MedianFilter::defaultBudget);
    MedianFilter::filterRows (src.pixels, manyStripes.data(), w, h, w, w, r, 1, 1088 * 50);
    EXPECT_EQ (twoStripes, oneStripe);
    EXPECT_EQ (manyStripes, oneStripe);
    EXPECT_EQ (oneStripe, bruteMedian (src.pixels, w, h, r));
}

TEST (MedianFilter, InterleavedChannelsMatchOpenCv)
{
    const int w = 45, h = 20, cn = 3;
    std::vector<uint8_t> src ((size_t) w * h * cn), dst (src.size());
    std::mt19937 rng (3);
    for (auto& v : src)
        v = (uint8_t) (rng() & 0xff);
    for (int r : { 1, 5, 12 })
    {
        MedianFilter::filterRows (src.data(), dst.data(), w, h, (size_t) w * cn, (size_t) w * cn, r, cn, 1088 * 40);
        EXPECT_EQ (dst, bruteMedian (src.data(), w, h, r, cn)) << "r=" << r;
        EXPECT_EQ (dst, openCvMedian (src.data(), w, h, r, cn)) << "r=" << r;
    }
}

TEST (MedianFilter, ZeroRadiusCopiesAndConstantStaysConstant)
{
    SxImageAlphaByte src (31, 17), dst (31, 17);
    paint (src, Pattern::noise, 11);
    medianFilter (src, dst, 0);
    EXPECT_EQ (bytesOf (dst), bytesOf (src));

    SxImageAlphaByte flat (31, 17);
    std::fill (flat.pixels, flat.pixels + 31 * 17, (uint8_t) 77);
    for (int r : { 1, 4, 40 })
    {
        medianFilter (flat, dst, r);
        EXPECT_EQ (bytesOf (dst), bytesOf (flat)) << "r=" << r;
    }
}

TEST (MedianFilter, SaltPixelVanishesEvenInACorner)
{
    struct Spot { int x, y; };
    for (auto spot : { Spot { 0, 0 }, Spot { 19, 0 }, Spot { 0, 14 }, Spot { 19, 14 }, Spot { 9, 7 } })
        for (int r : { 1, 2, 6 })
        {
            SxImageAlphaByte src (20, 15), dst (20, 15);
            src.getRowPointer (spot.y)[spot.x] = 255;
            medianFilter (src, dst, r);
            EXPECT_EQ (*std::max_element (dst.pixels, dst.pixels + 300), 0) << spot.x << "," << spot.y << " r=" << r;
        }
}

TEST (MedianFilter, InPlaceEqualsOutOfPlace)
{
    SxImageAlphaByte src (123, 45), dst (123, 45);
    paint (src, Pattern::structured, 5);
    medianFilter (src, dst, 4);
    medianFilter (src, src, 4);
    EXPECT_EQ (bytesOf (src), bytesOf (dst));
}

TEST (MedianFilter, DifferentSizesUseTheCommonArea)
{
    SxImageAlphaByte src (20, 9), dst (12, 14);
    paint (src, Pattern::noise, 9);
    std::fill (dst.pixels, dst.pixels + 12 * 14, (uint8_t) 5);
    medianFilter (src, dst, 2);

    SxImageAlphaByte crop (12, 9);
    for (int y = 0; y < 9; ++y)
        std::copy (src.getRowPointer (y), src.getRowPointer (y) + 12, crop.getRowPointer (y));
    const auto expected = bruteMedian (crop.pixels, 12, 9, 2);
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 12; ++x)
            ASSERT_EQ (dst.getRowPointer (y)[x], y < 9 ? expected[(size_t) y * 12 + (size_t) x] : 5) << x << "," << y;
}

TEST (MedianFilter, AllCoresGiveTheSingleThreadedBytes)
{
    SxImageAlphaByte src (1500, 900), single (1500, 900), multi (1500, 900);
    paint (src, Pattern::structured, 13);
    ParallelRows::setThreadLimit (1);
    medianFilter (src, single, 12);
    ParallelRows::setThreadLimit (0);
    medianFilter (src, multi, 12);
    EXPECT_EQ (bytesOf (multi), bytesOf (single));
}
