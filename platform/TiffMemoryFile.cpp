#include "TiffMemoryFile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <mutex>

namespace
{
    int closeNothing (thandle_t) { return 0; }
    int mapNothing (thandle_t, tdata_t*, toff_t*) { return 0; }
    void unmapNothing (thandle_t, tdata_t, toff_t) {}

    void silenceLibtiff()
    {
        static std::once_flag once;
        std::call_once (once, [] { TIFFSetErrorHandler (nullptr); TIFFSetWarningHandler (nullptr); });
    }
}

TiffMemoryFile::TiffMemoryFile (const void* data, size_t size) noexcept
    : readOnly (static_cast<const uint8_t*> (data)), readOnlySize (data != nullptr ? size : 0)
{
}

TiffMemoryFile::Handle TiffMemoryFile::open (const char* mode)
{
    silenceLibtiff();
    position = 0;
    return Handle (TIFFClientOpen ("memory", mode, this, read, write, seek, closeNothing, sizeOf, mapNothing, unmapNothing));
}

tsize_t TiffMemoryFile::read (thandle_t handle, tdata_t buffer, tsize_t count)
{
    auto* f = static_cast<TiffMemoryFile*> (handle);
    if (count <= 0 || f->position >= f->size())
        return 0;
    const auto n = (size_t) std::min<uint64_t> ((uint64_t) count, f->size() - f->position);
    std::memcpy (buffer, f->bytes() + f->position, n);
    f->position += n;
    return (tsize_t) n;
}

tsize_t TiffMemoryFile::write (thandle_t handle, tdata_t buffer, tsize_t count)
{
    auto* f = static_cast<TiffMemoryFile*> (handle);
    if (f->readOnly != nullptr || count < 0)
        return -1;
    if (f->position + (uint64_t) count > f->written.size())
        f->written.resize ((size_t) (f->position + (uint64_t) count));
    std::memcpy (f->written.data() + f->position, buffer, (size_t) count);
    f->position += (uint64_t) count;
    return count;
}

toff_t TiffMemoryFile::seek (thandle_t handle, toff_t offset, int whence)
{
    auto* f = static_cast<TiffMemoryFile*> (handle);
    const uint64_t base = whence == SEEK_CUR ? f->position : whence == SEEK_END ? f->size() : 0;
    const auto signedOffset = (int64_t) offset;
    if (signedOffset < 0 && (uint64_t) -signedOffset > base)
        return (toff_t) -1;
    f->position = base + offset;
    return f->position;
}

toff_t TiffMemoryFile::sizeOf (thandle_t handle)
{
    return static_cast<TiffMemoryFile*> (handle)->size();
}
