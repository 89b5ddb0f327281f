#include "ParallelRows.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

TEST (ParallelRows, EveryRowRunsExactlyOnce)
{
    struct Case { int begin, end; int64_t pixelsPerRow; int limit; };
    const Case cases[] = {
        { 0, 0, 1000, 0 }, { 5, 3, 1000, 0 }, { 0, 1, 1 << 20, 0 }, { 0, 7, 1 << 20, 0 },
        { 3, 2003, 3000, 0 }, { 0, 2000, 3000, 1 }, { 0, 2000, 3000, 3 }, { 0, 100000, 1, 0 }, { 0, 100, 0, 0 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (testing::Message() << c.begin << ".." << c.end << " limit " << c.limit);
        ParallelRows::setThreadLimit (c.limit);
        std::vector<std::atomic<int>> visits ((size_t) std::max (c.end, 1));
        std::atomic<int> bands { 0 };
        ParallelRows::forEachBand (c.begin, c.end, c.pixelsPerRow, [&] (int first, int end)
        {
            ++bands;
            for (int y = first; y < end; ++y)
                ++visits[(size_t) y];
        });
        for (int y = 0; y < (int) visits.size(); ++y)
        {
            ASSERT_EQ (visits[(size_t) y].load(), y >= c.begin && y < c.end ? 1 : 0) << y;
        }
        if (c.limit == 1)
        {
            EXPECT_LE (bands.load(), 1);
        }
    }
    ParallelRows::setThreadLimit (0);
}

TEST (ParallelRows, AFailingBandReachesTheCallerAfterAllBandsEnd)
{
    const ParallelRows::ScopedThreadLimit all (0);
    std::atomic<int> finished { 0 };
    EXPECT_THROW (ParallelRows::forEachBand (0, 4000, 4000, [&] (int first, int end)
    {
        if (first == 0)
            throw std::bad_alloc();
        finished += end - first;
    }), std::bad_alloc);
    EXPECT_GT (finished.load(), 0);

    {
        const ParallelRows::ScopedThreadLimit one (1);
        EXPECT_EQ (ParallelRows::getThreadLimit(), 1);
    }
    EXPECT_EQ (ParallelRows::getThreadLimit(), 0);
}

TEST (ParallelRows, NestedAndConcurrentJobsEachRunEveryRowOnce)
{
    // Bands that split again, started from several threads at once: the shared workers must
    // neither lose a band nor wait on each other forever.
    const ParallelRows::ScopedThreadLimit all (0);
    constexpr int outerRows = 64, innerRows = 512, callers = 4;
    std::vector<std::atomic<int>> visits ((size_t) callers * outerRows * innerRows);

    std::vector<std::thread> threads;
    for (int t = 0; t < callers; ++t)
        threads.emplace_back ([&, t]
        {
            for (int repeat = 0; repeat < 20; ++repeat)
                ParallelRows::forEachBand (0, outerRows, 1 << 16, [&] (int first, int end)
                {
                    for (int outer = first; outer < end; ++outer)
                        ParallelRows::forEachBand (0, innerRows, 1 << 12, [&] (int a, int b)
                        {
                            for (int inner = a; inner < b; ++inner)
                                ++visits[((size_t) t * outerRows + (size_t) outer) * innerRows + (size_t) inner];
                        });
                });
        });
    for (auto& thread : threads)
        thread.join();

    for (size_t i = 0; i < visits.size(); ++i)
        ASSERT_EQ (visits[i].load(), 20) << i;
}
