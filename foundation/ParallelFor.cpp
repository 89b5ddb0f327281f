#include "ParallelFor.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace
{
    std::atomic<int> threadLimit { 0 }; // 0 = all cores

    // Below this much work (roughly pixel-bytes touched) a thread costs more than it saves.
    constexpr double minWorkForThreads = 256.0 * 1024.0;
}

namespace ParallelFor
{
    int getMaxThreads() noexcept
    {
        const int cores = std::max (1, (int) std::thread::hardware_concurrency());
        const int limit = threadLimit.load (std::memory_order_relaxed);
        return limit > 0 ? std::min (limit, cores) : cores;
    }

    void run (int count, double workPerIndex, const std::function<void (int, int)>& body)
    {
        if (count <= 0)
            return;

        const double work = workPerIndex * (double) count;
        int threads = std::min (getMaxThreads(), count);
        if (work < minWorkForThreads)
            threads = 1;
        if (threads <= 1)
        {
            body (0, count);
            return;
        }

        // A few chunks per thread even out rows of uneven cost.
        const int chunks = std::min (count, threads * 4);
        std::atomic<int> next { 0 };
        std::mutex failureLock;
        std::exception_ptr failure;
        auto worker = [&]
        {
            try
            {
                for (int c = next++; c < chunks; c = next++)
                {
                    const int begin = (int) ((long long) count * c / chunks);
                    const int end = (int) ((long long) count * (c + 1) / chunks);
                    body (begin, end);
                }
            }
            catch (...)
            {
                next = chunks;
                const std::lock_guard<std::mutex> lock (failureLock);
                if (failure == nullptr)
                    failure = std::current_exception();
            }
        };

        std::vector<std::thread> pool;
        pool.reserve ((size_t) threads - 1);
        for (int t = 1; t < threads; ++t)
            pool.emplace_back (worker);
        worker();
        for (auto& t : pool)
            t.join();
        if (failure != nullptr)
            std::rethrow_exception (failure);
    }

    ScopedThreadLimit::ScopedThreadLimit (int maxThreads) noexcept
        : previous (threadLimit.exchange (std::max (1, maxThreads)))
    {
    }

    ScopedThreadLimit::~ScopedThreadLimit()
    {
        threadLimit.store (previous);
    }
}
