#include "ParallelFor.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

TEST (ParallelFor, CoversEveryIndexOnceWhateverTheSplit)
{
    for (int count : { 0, 1, 7, 1000, 4097 })
        for (double work : { 1.0, 1.0e6 }) // below and above the threading threshold
        {
            std::vector<std::atomic<int>> hits ((size_t) count);
            ParallelFor::run (count, work, [&] (int begin, int end)
            {
                for (int i = begin; i < end; ++i)
                    ++hits[(size_t) i];
            });
            for (int i = 0; i < count; ++i)
                ASSERT_EQ (hits[(size_t) i].load(), 1) << count << " " << i;
        }
}

TEST (ParallelFor, ThreadLimitAndFailures)
{
    {
        ParallelFor::ScopedThreadLimit one (1);
        EXPECT_EQ (ParallelFor::getMaxThreads(), 1);
    }
    EXPECT_GE (ParallelFor::getMaxThreads(), 1);

    // An exception from any chunk reaches the caller after every thread has stopped.
    EXPECT_THROW (ParallelFor::run (1000, 1.0e6, [] (int begin, int end)
    {
        if (begin <= 500 && 500 < end)
            throw std::runtime_error ("row failed");
    }), std::runtime_error);
}
