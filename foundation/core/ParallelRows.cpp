#include "ParallelRows.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>

namespace
{
    std::atomic<int> threadLimit { 0 };

    // Below this many pixels per band a band is not worth handing to another thread.
    constexpr int64_t minPixelsPerBand = 32768;
    constexpr int maxBands = 64;

    /** One call's bands. Bands are claimed under the pool's lock, so a job stays alive
        while any thread can still reach it: the caller waits for every band and takes the
        job off the queue before it returns. */
    struct Job
    {
        void (*run) (void*, int, int) = nullptr;
        void* context = nullptr;
        int rowBegin = 0, rows = 0, bands = 0;
        int nextBand = 0;        // guarded by the pool's lock
        int unfinished = 0;      // guarded by doneLock
        std::mutex doneLock;
        std::condition_variable done;
        std::mutex failureLock;
        std::exception_ptr failure;

        int bandStart (int i) const noexcept { return rowBegin + (int) ((int64_t) rows * i / bands); }

        void runBand (int band)
        {
            // An exception in any band (a failed scratch allocation, say) reaches the caller
            // after every band has finished, instead of terminating the process.
            try { run (context, bandStart (band), bandStart (band + 1)); }
            catch (...)
            {
                const std::lock_guard<std::mutex> lock (failureLock);
                if (failure == nullptr)
                    failure = std::current_exception();
            }

            const std::lock_guard<std::mutex> lock (doneLock);
            if (--unfinished == 0)
                done.notify_all();
        }
    };

    /** Worker threads started once and kept: starting threads for every call cost about
        a millisecond, as much as a whole pass over a preview image. The pool is never
        destroyed; its idle threads end with the process. */
    class Pool
    {
    public:
        static Pool& get()
        {
            static Pool* pool = new Pool();
            return *pool;
        }

        void runJob (Job& job)
        {
            {
                const std::lock_guard<std::mutex> lock (mutex);
                queue.push_back (&job);
            }
            work.notify_all();

            // The caller works on its own job too: a band that itself splits into bands
            // never waits for a thread that is busy elsewhere.
            for (;;)
            {
                int band;
                {
                    const std::lock_guard<std::mutex> lock (mutex);
                    if (job.nextBand >= job.bands)
                    {
                        const auto found = std::find (queue.begin(), queue.end(), &job);
                        if (found != queue.end())
                            queue.erase (found);
                        break;
                    }
                    band = job.nextBand++;
                }
                job.runBand (band);
            }

            std::unique_lock<std::mutex> lock (job.doneLock);
            job.done.wait (lock, [&job] { return job.unfinished == 0; });
        }

    private:
        Pool()
        {
            const int cores = std::max (1, (int) std::thread::hardware_concurrency());
            for (int i = 1; i < cores; ++i)
            {
                try { std::thread ([this] { workLoop(); }).detach(); }
                catch (...) { break; }   // fewer helpers; callers run the remaining bands
            }
        }

        void workLoop()
        {
            std::unique_lock<std::mutex> lock (mutex);
            for (;;)
            {
                while (! queue.empty() && queue.front()->nextBand >= queue.front()->bands)
                    queue.pop_front();
                if (queue.empty())
                {
                    work.wait (lock);
                    continue;
                }
                Job* job = queue.front();
                const int band = job->nextBand++;
                lock.unlock();
                job->runBand (band);
                lock.lock();
            }
        }

        std::mutex mutex;
        std::condition_variable work;
        std::deque<Job*> queue;
    };
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

        if (bands <= 1)
        {
            run (context, rowBegin, rowEnd);
            return;
        }

        Job job;
        job.run = run;
        job.context = context;
        job.rowBegin = rowBegin;
        job.rows = rows;
        job.bands = bands;
        job.unfinished = bands;
        Pool::get().runJob (job);

        if (job.failure != nullptr)
            std::rethrow_exception (job.failure);
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
