#pragma once

#include <functional>

/** Splits an index range over the machine's cores for image loops whose iterations
    write disjoint memory (rows, column strips). The split never changes the result: each
    index is processed exactly once by the same code, only on another thread.
*/
namespace ParallelFor
{
    /** Calls body (begin, end) on consecutive chunks covering [0, count). Runs on the
        calling thread alone when count is small or workPerIndex * count is below the
        threshold where threads pay off. Returns after every chunk has finished; an exception
        thrown by body stops the remaining chunks and is rethrown here. */
    void run (int count, double workPerIndex, const std::function<void (int begin, int end)>& body);

    /** Number of threads run() may use (at least 1). */
    int getMaxThreads() noexcept;

    /** Caps the threads run() may use while it lives (1 = single-threaded); for tests
        that compare a threaded result with a single-threaded one. Not reentrant. */
    class ScopedThreadLimit
    {
    public:
        explicit ScopedThreadLimit (int maxThreads) noexcept;
        ~ScopedThreadLimit();

    private:
        int previous;
        ScopedThreadLimit (const ScopedThreadLimit&) = delete;
        ScopedThreadLimit& operator= (const ScopedThreadLimit&) = delete;
    };
}
