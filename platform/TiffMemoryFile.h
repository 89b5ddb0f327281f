#pragma once

#include <tiffio.h>

#include <cstdint>
#include <memory>
#include <vector>

/** libtiff on memory instead of a file: existing bytes read in place, or a buffer that
    grows as libtiff writes (and reads back) its file. libtiff's messages are silenced.
    The memory file must outlive the TIFF handle opened on it.
*/
class TiffMemoryFile
{
public:
    /** Over the caller's bytes, for reading; they are not copied. */
    TiffMemoryFile (const void* data, size_t size) noexcept;
    /** Empty, for writing. */
    TiffMemoryFile() = default;

    struct Closer
    {
        void operator() (TIFF* tif) const noexcept { TIFFClose (tif); }
    };
    using Handle = std::unique_ptr<TIFF, Closer>;

    /** libtiff on this memory in the mode ("r", "w", ...); null when libtiff refuses it.
        A file opened over the caller's bytes refuses writes. */
    Handle open (const char* mode);

    /** The bytes libtiff wrote (after the handle is closed, the complete file). */
    const std::vector<uint8_t>& getWritten() const noexcept { return written; }

private:
    const uint8_t* readOnly = nullptr;
    size_t readOnlySize = 0;
    std::vector<uint8_t> written;
    uint64_t position = 0;

    const uint8_t* bytes() const noexcept { return readOnly != nullptr ? readOnly : written.data(); }
    uint64_t size() const noexcept { return readOnly != nullptr ? readOnlySize : written.size(); }

    static tsize_t read (thandle_t, tdata_t, tsize_t);
    static tsize_t write (thandle_t, tdata_t, tsize_t);
    static toff_t seek (thandle_t, toff_t, int);
    static toff_t sizeOf (thandle_t);

    TiffMemoryFile (const TiffMemoryFile&) = delete;
    TiffMemoryFile& operator= (const TiffMemoryFile&) = delete;
};
