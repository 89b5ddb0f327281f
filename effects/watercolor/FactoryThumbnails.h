#pragma once

#include <cstddef>
#include <span>

/** The JPEG thumbnails of the watercolour factory presets, embedded in the program.

    The table is generated at build time by the preset thumbnail generator, which renders
    every factory preset with this library's code; so the generator itself links a table
    without entries, and the library is completed with the generated one.
*/
namespace FactoryThumbnails
{
    struct Entry
    {
        const char* fileName;        // "Stylized 01.jpg" ...
        const unsigned char* data;   // the JPEG file's bytes
        std::size_t size;
    };

    /** Every embedded thumbnail, Stylized 01 to 08 then Abstract 01 to 08. */
    std::span<const Entry> getEntries() noexcept;
}
