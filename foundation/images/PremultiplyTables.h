#pragma once

#include <cstdint>

/** Lookup tables for crossing between straight and premultiplied alpha, indexed
    [alpha][channel]; 64 KiB each, built once on first use. They hold exactly the
    values of the formulas below, so table and formula give the same bytes. */
namespace PremultiplyTables
{
    /** [a][c] = trunc(c * (a / 255.0f)), single precision: the framework-copy rule. */
    const uint8_t* premultiply() noexcept;

    /** [a][c] = min(255, c * 255 / a) with the quotient truncated; [0][c] = 0. */
    const uint8_t* unpremultiply() noexcept;

    /** [a][c] = the rounded c * a / 255 ((x + ((x + 128) >> 8) + 128) >> 8 of x = c * a). */
    const uint8_t* premultiplyRounded() noexcept;

    /** The row of a table for one alpha. */
    inline const uint8_t* row (const uint8_t* table, int alpha) noexcept { return table + alpha * 256; }
}
