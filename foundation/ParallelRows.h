#pragma once

#include <cstdint>
#include <functional>

/** Splits a run of image rows into contiguous bands and runs them on all cores.

    Each band is handed to the body exactly once, as the half-open row range
    [first, end). Bands never overlap, so a body that only writes its own rows gives
    the same bytes however many threads ran it. Small jobs run inline on the caller's
    thread: starting threads costs more than a few ten thousand pixels of work.
*/
namespace ParallelRows
{
    /** Runs body over [rowBegin, rowEnd) in bands; pixelsPerRow sizes the job. Returns
        when every band is done. */
    void forEachBand (int rowBegin, int rowEnd, int64_t pixelsPerRow, const std::function<void (int, int)>& body);

    /** Caps the threads a job may use; 0 (the default) means one per core. 1 makes
        every job run inline, which is how tests obtain the single-threaded result. */
    void setThreadLimit (int maxThreads) noexcept;

    /** The cap set by setThreadLimit. */
    int getThreadLimit() noexcept;
}
