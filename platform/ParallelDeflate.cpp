#include "ParallelDeflate.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <system_error>
#include <thread>

namespace
{
    constexpr size_t windowBytes = 32768;

    /** The rows that make one strip, [first, end). */
    struct Strip
    {
        int first = 0, end = 0;
        std::unique_ptr<uint8_t[]> deflated;   // deflatedBytes of it are the strip's piece
        size_t deflatedBytes = 0;
        uLong adler = 1;
        size_t length = 0;   // filtered bytes
        bool ok = false;
    };

    inline int magnitude (uint8_t v) noexcept { return v < 128 ? v : 256 - v; }

    inline uint8_t paeth (int a, int b, int c) noexcept
    {
        const int p = a + b - c;
        const int pa = std::abs (p - a), pb = std::abs (p - b), pc = std::abs (p - c);
        if (pa <= pb && pa <= pc)
            return (uint8_t) a;
        return (uint8_t) (pb <= pc ? b : c);
    }

    /** Writes the filter byte and the filtered row to out (n + 1 bytes), choosing the filter
        whose bytes have the least sum of magnitudes; ties go to the earlier filter. prior is
        the row above, or null for the first row (read as zeros). */
    class RowFilter
    {
    public:
        RowFilter (size_t rowBytes, int bytesPerPixel)
            : n (rowBytes), bpp ((size_t) bytesPerPixel), zeros (rowBytes, 0)
        {
            for (auto& c : candidates)
                c.resize (rowBytes);
        }

        void filter (const uint8_t* row, const uint8_t* prior, uint8_t* out)
        {
            if (prior == nullptr)
                prior = zeros.data();

            uint8_t* sub = candidates[0].data();
            uint8_t* up = candidates[1].data();
            uint8_t* average = candidates[2].data();
            uint8_t* pae = candidates[3].data();
            long sums[5] = {};

            for (size_t i = 0; i < n; ++i)
            {
                const int x = row[i], b = prior[i];
                const int a = i >= bpp ? row[i - bpp] : 0;
                const int c = i >= bpp ? prior[i - bpp] : 0;
                sub[i] = (uint8_t) (x - a);
                up[i] = (uint8_t) (x - b);
                average[i] = (uint8_t) (x - ((a + b) >> 1));
                pae[i] = (uint8_t) (x - paeth (a, b, c));
                sums[0] += magnitude ((uint8_t) x);
                sums[1] += magnitude (sub[i]);
                sums[2] += magnitude (up[i]);
                sums[3] += magnitude (average[i]);
                sums[4] += magnitude (pae[i]);
            }

            int best = 0;
            for (int f = 1; f < 5; ++f)
                if (sums[f] < sums[best])
                    best = f;

            out[0] = (uint8_t) best;
            std::memcpy (out + 1, best == 0 ? row : candidates[(size_t) best - 1].data(), n);
        }

    private:
        size_t n, bpp;
        std::vector<uint8_t> zeros;
        std::array<std::vector<uint8_t>, 4> candidates;
    };

    /** Filters rows [first, end) into out, (end - first) * (rowBytes + 1) bytes. */
    void filterRows (RowFilter& filter, const uint8_t* const* rows, int first, int end, size_t rowBytes, uint8_t* out)
    {
        for (int y = first; y < end; ++y, out += rowBytes + 1)
            filter.filter (rows[y], y > 0 ? rows[y - 1] : nullptr, out);
    }

    bool deflateStrip (Strip& strip, const uint8_t* input, size_t inputBytes, const uint8_t* dictionary,
                       size_t dictionaryBytes, bool last, int level)
    {
        z_stream z {};
        if (deflateInit2 (&z, level, Z_DEFLATED, -15, 8, Z_FILTERED) != Z_OK)
            return false;

        bool ok = dictionaryBytes == 0 || deflateSetDictionary (&z, dictionary, (uInt) dictionaryBytes) == Z_OK;
        // The bound holds for a finished stream; the sync flush adds a few bytes, and the loop
        // grows the buffer should a zlib ever need more.
        size_t capacity = deflateBound (&z, (uLong) inputBytes) + 64;
        strip.deflated = std::make_unique_for_overwrite<uint8_t[]> (capacity);
        z.next_in = const_cast<Bytef*> (input);
        z.avail_in = (uInt) inputBytes;
        const int flush = last ? Z_FINISH : Z_SYNC_FLUSH;

        while (ok)
        {
            const size_t written = (size_t) z.total_out;
            z.next_out = strip.deflated.get() + written;
            z.avail_out = (uInt) (capacity - written);
            const int result = deflate (&z, flush);
            if (result == Z_STREAM_END || (! last && result == Z_OK && z.avail_out > 0 && z.avail_in == 0))
                break;
            if (result != Z_OK && result != Z_BUF_ERROR)
            {
                ok = false;
                break;
            }
            auto larger = std::make_unique_for_overwrite<uint8_t[]> (capacity * 2);
            std::memcpy (larger.get(), strip.deflated.get(), (size_t) z.total_out);
            strip.deflated = std::move (larger);
            capacity *= 2;
        }

        strip.deflatedBytes = (size_t) z.total_out;
        deflateEnd (&z);
        return ok;
    }

    void compressStrip (Strip& strip, const uint8_t* const* rows, size_t rowBytes, int bytesPerPixel, int level, bool last)
    {
        RowFilter filter (rowBytes, bytesPerPixel);
        const size_t lineBytes = rowBytes + 1;

        // The rows whose filtered bytes end just before the strip: its preset dictionary.
        std::vector<uint8_t> before;
        if (strip.first > 0)
        {
            const int count = (int) std::min<size_t> ((size_t) strip.first, (windowBytes + lineBytes - 1) / lineBytes);
            before.resize ((size_t) count * lineBytes);
            filterRows (filter, rows, strip.first - count, strip.first, rowBytes, before.data());
        }
        const size_t dictionaryBytes = std::min (before.size(), windowBytes);

        const size_t inputBytes = (size_t) (strip.end - strip.first) * lineBytes;
        const auto input = std::make_unique_for_overwrite<uint8_t[]> (inputBytes);
        filterRows (filter, rows, strip.first, strip.end, rowBytes, input.get());

        strip.length = inputBytes;
        strip.adler = adler32 (1, input.get(), (uInt) inputBytes);
        strip.ok = deflateStrip (strip, input.get(), inputBytes, before.data() + before.size() - dictionaryBytes,
                                 dictionaryBytes, last, level);
    }
}

bool ParallelDeflate::isWorthwhile (size_t rowBytes, int height) noexcept
{
    return height > 1 && (size_t) height * (rowBytes + 1) >= 4 * stripBytes;
}

std::vector<uint8_t> ParallelDeflate::compressPngRows (const uint8_t* const* rows, int height, size_t rowBytes,
                                                       int bytesPerPixel, int level, int threads)
{
    if (rows == nullptr || height < 1 || rowBytes == 0 || bytesPerPixel < 1)
        return {};

    try
    {
        // Strips of whole rows; the split depends on the image alone, so the bytes do too.
        const int rowsPerStrip = (int) std::max<size_t> (1, stripBytes / (rowBytes + 1));
        std::vector<Strip> strips ((size_t) ((height + rowsPerStrip - 1) / rowsPerStrip));
        for (size_t s = 0; s < strips.size(); ++s)
        {
            strips[s].first = (int) s * rowsPerStrip;
            strips[s].end = std::min (height, strips[s].first + rowsPerStrip);
        }

        std::atomic<size_t> next { 0 };
        const auto work = [&]
        {
            for (size_t s; (s = next++) < strips.size();)
            {
                try
                {
                    compressStrip (strips[s], rows, rowBytes, bytesPerPixel, level, s + 1 == strips.size());
                }
                catch (const std::bad_alloc&)
                {
                    strips[s].ok = false;
                }
            }
        };

        const int cores = (int) std::max (1u, std::thread::hardware_concurrency());
        const int workers = (int) std::min<size_t> ((size_t) (threads > 0 ? threads : cores), strips.size());
        std::vector<std::thread> pool;
        for (int t = 1; t < workers; ++t)
        {
            try { pool.emplace_back (work); }
            catch (const std::system_error&) { break; }   // fewer threads, same bytes
        }
        work();
        for (auto& thread : pool)
            thread.join();

        size_t total = 6;
        for (const auto& strip : strips)
        {
            if (! strip.ok)
                return {};
            total += strip.deflatedBytes;
        }

        std::vector<uint8_t> stream;
        stream.reserve (total);
        stream.push_back (0x78);   // deflate, 32 KB window
        stream.push_back (0x9c);   // default level, no dictionary; header check bits
        uLong adler = adler32 (0, nullptr, 0);
        for (const auto& strip : strips)
        {
            stream.insert (stream.end(), strip.deflated.get(), strip.deflated.get() + strip.deflatedBytes);
            adler = adler32_combine (adler, strip.adler, (z_off_t) strip.length);
        }
        for (int shift = 24; shift >= 0; shift -= 8)
            stream.push_back ((uint8_t) (adler >> shift));
        return stream;
    }
    catch (const std::bad_alloc&)
    {
        return {};
    }
}
