#pragma once

#include <functional>

/** Splits the rows of an image into bands and runs them on all cores.

    Each band is handed to the body as [firstRow, endRow); bands never overlap, so a
    body that writes only its own rows gives the same bytes as one pass over all rows.
    Small images run on the calling thread alone.
*/
namespace ParallelRows
{
    /** Runs body over rows 0 .. rows - 1 in bands; returns when every band is done.
        pixelsPerRow decides whether threads are worth starting. */
    void run (int rows, int pixelsPerRow, const std::function<void (int firstRow, int endRow)>& body);

    /** Most threads a run may use (0: one per core). 1 makes every run single-threaded,
        which tests use as the reference. */
    void setThreadLimit (int threads) noexcept;
}
