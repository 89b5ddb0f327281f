#pragma once

#include <cstdint>
#include <type_traits>

/** Splits a run of image rows into contiguous bands and runs them on all cores.

    Each band is handed to the body exactly once, as the half-open row range
    [first, end). Bands never overlap, so a body that only writes its own rows gives
    the same bytes however many threads ran it. The bands go to worker threads started
    once per process, and the caller takes its share. Small jobs run inline on the
    caller's thread: handing a band over costs more than a few ten thousand pixels of
    work. Where no thread can be started, the bands run on the caller's thread instead.
    Bodies may call forEachBand again, from any thread.
*/
namespace ParallelRows
{
    /** Runs body (first, end) over [rowBegin, rowEnd) in bands; pixelsPerRow sizes the
        job. Returns when every band is done; an exception thrown by a band is
        rethrown here once all bands have finished. Nothing is allocated for the body. */
    template <typename Body>
    void forEachBand (int rowBegin, int rowEnd, int64_t pixelsPerRow, Body&& body);

    /** The type-erased form of forEachBand. */
    void forEachBandErased (int rowBegin, int rowEnd, int64_t pixelsPerRow,
                            void (*run) (void* context, int first, int end), void* context);

    /** Caps the threads a job may use; 0 (the default) means one per core. 1 makes
        every job run inline, which is how tests obtain the single-threaded result. */
    void setThreadLimit (int maxThreads) noexcept;

    /** The cap set by setThreadLimit. */
    int getThreadLimit() noexcept;

    /** Sets the thread cap while it lives and restores the previous one; tests use it
        with 1 to obtain the single-threaded reference. */
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

    template <typename Body>
    void forEachBand (int rowBegin, int rowEnd, int64_t pixelsPerRow, Body&& body)
    {
        using B = std::remove_reference_t<Body>;
        forEachBandErased (rowBegin, rowEnd, pixelsPerRow,
                           [] (void* context, int first, int end) { (*static_cast<B*> (context)) (first, end); },
                           const_cast<void*> (static_cast<const void*> (&body)));
    }
}
