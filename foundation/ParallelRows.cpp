#include "ParallelRows.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace
{
    std::atomic<int> threadLimit { 0 };

    // Below this many pixels a band costs less than starting a thread.
    constexpr long long minPixelsPerBand = 1 << 16;
}

void ParallelRows::setThreadLimit (int threads) noexcept
{
    threadLimit.store (std::max (0, threads));
}

void ParallelRows::run (int rows, int pixelsPerRow, const std::function<void (int, int)>& body)
{
    if (rows <= 0)
        return;

    const int limit = threadLimit.load();
    const int cores = (int) std::max (1u, std::thread::hardware_concurrency());
    const long long pixels = (long long) rows * std::max (1, pixelsPerRow);
    const int bands = (int) std::min<long long> ({ (long long) (limit > 0 ? limit : cores), (long long) rows,
                                                   std::max<long long> (1, pixels / minPixelsPerBand) });
    if (bands <= 1)
    {
        body (0, rows);
        return;
    }

    std::vector<std::thread> workers;
    workers.reserve ((size_t) bands - 1);
    const auto bandStart = [&] (int band) { return (int) ((long long) rows * band / bands); };
    for (int band = 1; band < bands; ++band)
        workers.emplace_back ([&, band] { body (bandStart (band), bandStart (band + 1)); });
    body (0, bandStart (1));
    for (auto& w : workers)
        w.join();
}
