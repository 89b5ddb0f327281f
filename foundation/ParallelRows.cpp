#include "ParallelRows.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace
{
    std::atomic<int> threadLimit { 0 };

    // Below this many pixels per band a thread is not worth starting.
    constexpr int64_t minPixelsPerBand = 32768;
}

namespace ParallelRows
{
    void forEachBand (int rowBegin, int rowEnd, int64_t pixelsPerRow, const std::function<void (int, int)>& body)
    {
        const int rows = rowEnd - rowBegin;
        if (rows <= 0)
            return;

        const int cores = std::max (1, (int) std::thread::hardware_concurrency());
        const int limit = threadLimit.load (std::memory_order_relaxed);
        const int64_t pixels = (int64_t) rows * std::max<int64_t> (pixelsPerRow, 1);
        const int64_t bySize = std::max<int64_t> (1, pixels / minPixelsPerBand);
        const int bands = (int) std::min<int64_t> ({ (int64_t) (limit > 0 ? limit : cores), bySize, (int64_t) rows });

        if (bands <= 1)
        {
            body (rowBegin, rowEnd);
            return;
        }

        std::vector<std::thread> workers;
        workers.reserve ((size_t) bands - 1);
        auto bandStart = [&] (int i) { return rowBegin + (int) ((int64_t) rows * i / bands); };

        // Bands whose thread could not be started run here instead.
        int started = 1;
        try
        {
            for (; started < bands; ++started)
                workers.emplace_back (body, bandStart (started), bandStart (started + 1));
        }
        catch (...) {}

        body (bandStart (0), bandStart (1));
        for (int i = started; i < bands; ++i)
            body (bandStart (i), bandStart (i + 1));

        for (auto& t : workers)
            t.join();
    }

    void setThreadLimit (int maxThreads) noexcept
    {
        threadLimit.store (std::max (0, maxThreads), std::memory_order_relaxed);
    }

    int getThreadLimit() noexcept
    {
        return threadLimit.load (std::memory_order_relaxed);
    }
}
