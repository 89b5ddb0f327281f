#include "ParallelRows.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>

namespace
{
    std::atomic<int> threadLimit { 0 };

    // Below this many pixels per band a thread is not worth starting.
    constexpr int64_t minPixelsPerBand = 32768;
    constexpr int maxBands = 64;
}

namespace ParallelRows
{
    void forEachBandErased (int rowBegin, int rowEnd, int64_t pixelsPerRow,
                            void (*run) (void*, int, int), void* context)
    {
        const int rows = rowEnd - rowBegin;
        if (rows <= 0)
            return;

        const int cores = std::max (1, (int) std::thread::hardware_concurrency());
        const int limit = threadLimit.load (std::memory_order_relaxed);
        const int64_t pixels = (int64_t) rows * std::max<int64_t> (pixelsPerRow, 1);
        const int64_t bySize = std::max<int64_t> (1, pixels / minPixelsPerBand);
        const int bands = (int) std::min<int64_t> ({ (int64_t) (limit > 0 ? limit : cores), bySize, (int64_t) rows, maxBands });

        auto bandStart = [&] (int i) { return rowBegin + (int) ((int64_t) rows * i / bands); };
        if (bands <= 1)
        {
            run (context, rowBegin, rowEnd);
            return;
        }

        // An exception in any band (a failed scratch allocation, say) reaches the caller
        // after every thread has finished, instead of terminating the process.
        std::mutex failureLock;
        std::exception_ptr failure;
        auto guarded = [&] (int first, int end)
        {
            try { run (context, first, end); }
            catch (...)
            {
                const std::lock_guard<std::mutex> lock (failureLock);
                if (failure == nullptr)
                    failure = std::current_exception();
            }
        };

        // Bands whose thread could not be started run here instead.
        std::array<std::optional<std::thread>, maxBands> workers;
        int started = 1;
        try
        {
            for (; started < bands; ++started)
                workers[(size_t) started].emplace (guarded, bandStart (started), bandStart (started + 1));
        }
        catch (...) {}

        guarded (bandStart (0), bandStart (1));
        for (int i = started; i < bands; ++i)
            guarded (bandStart (i), bandStart (i + 1));

        for (int i = 1; i < started; ++i)
            workers[(size_t) i]->join();

        if (failure != nullptr)
            std::rethrow_exception (failure);
    }

    void setThreadLimit (int maxThreads) noexcept
    {
        threadLimit.store (std::max (0, maxThreads), std::memory_order_relaxed);
    }

    int getThreadLimit() noexcept
    {
        return threadLimit.load (std::memory_order_relaxed);
    }

    ScopedThreadLimit::ScopedThreadLimit (int maxThreads) noexcept
        : previous (threadLimit.exchange (std::max (0, maxThreads)))
    {
    }

    ScopedThreadLimit::~ScopedThreadLimit()
    {
        threadLimit.store (previous);
    }
}
