#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

/** The image data of a PNG file (the one zlib stream that its IDAT chunks carry) compressed
    on all cores.

    Each row is filtered with the usual adaptive choice (of None, Sub, Up, Average and Paeth
    the filter whose output bytes, read as signed, sum to the least magnitude). The rows are
    cut into strips of about a megabyte; each strip is deflated on its own, primed with the
    32 KB of filtered data before it as a preset dictionary and ended with a sync flush, so
    the raw deflate pieces join into one stream that compresses as well as a single pass. One
    Adler-32, combined from the strips' own, closes it. The result is a standard zlib stream
    that every PNG reader inflates; its bytes depend only on the image, never on the number
    of threads.

    Cost: about what zlib takes for the whole image at the same level, divided over the
    threads; memory is one strip of filtered rows and the compressed strip per thread.
*/
namespace ParallelDeflate
{
    /** Raw (unfiltered) bytes per strip; a strip holds at least one row. */
    inline constexpr size_t stripBytes = (size_t) 1 << 20;

    /** True when an image of this many rows of rowBytes each spans enough strips for
        parallel compression to pay; smaller ones are better left to a single-pass writer. */
    bool isWorthwhile (size_t rowBytes, int height) noexcept;

    /** The zlib stream of the filtered rows (each preceded by its filter byte), deflated at
        the given zlib level by up to `threads` threads (0: one per core). rows[y] points to
        rowBytes bytes of row y; bytesPerPixel is the filters' pixel distance (3 for RGB, 4
        for RGBA, 8 bits per channel). Empty when zlib fails or memory runs out. */
    std::vector<uint8_t> compressPngRows (const uint8_t* const* rows, int height, size_t rowBytes,
                                          int bytesPerPixel, int level = 6, int threads = 0);
}
