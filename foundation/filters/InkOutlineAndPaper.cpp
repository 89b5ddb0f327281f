#include "InkOutlineAndPaper.h"

#include "GrayFilters.h"
#include "MedianFilter.h"
#include "ParallelRows.h"
#include "Resampling.h"
#include "ResourceArchive.h"
#include "SxImageAlphaByte.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace
{
    const std::array<uint8_t, 256>& toneTable()
    {
        static const auto table = []
        {
            std::array<uint8_t, 256> t {};
            for (int v = 0; v < 256; ++v)
            {
                double value = 128.0;
                if (v < 20)
                    value = v / 20.0 * 193.0;
                else if (v <= 49)
                    value = ((v - 20) / -30.0 + 1.0) * 65.0 + 128.0;
                t[(size_t) v] = (uint8_t) (int) value;
            }
            return t;
        }();
        return table;
    }
}

uint8_t InkOutlineAndPaper::fibreToneValue (int v) noexcept
{
    return toneTable()[(size_t) std::clamp (v, 0, 255)];
}

uint8_t InkOutlineAndPaper::modulateByFibre (uint8_t v, uint8_t f) noexcept
{
    if (v > 128)
        return (uint8_t) std::min (255, 128 + (int) ((float) f * ((float) (v - 128) * 0.0078125f)));
    if (v < 128)
        return (uint8_t) (((int) f * v) >> 8);
    return 128;
}

void InkOutlineAndPaper::scaleAndClamp (SxImageAlphaByte& image, float factor)
{
    // Any factor above 256 saturates every non-zero byte, and zero stays zero under every
    // finite factor: bounding it keeps the loop free of special cases (and of NaN).
    factor = std::isnan (factor) ? 0.0f : std::clamp (factor, -1.0f, 256.0f);
    const int width = image.width;
    ParallelRows::forEachBand (0, image.height, width, [&] (int first, int end)
    {
        for (int y = first; y < end; ++y)
        {
            auto* row = image.getRowPointer (y);
            for (int x = 0; x < width; ++x)
                row[x] = (uint8_t) (int) std::min (std::max ((float) row[x] * factor, 0.0f), 255.0f);
        }
    });
}

void makeInkOutline (SxImageAlphaByte& source, SxImageAlphaByte& destination,
                     float strength, float detail, float scale)
{
    if (source.width <= 0 || source.height <= 0
         || destination.width != source.width || destination.height != source.height)
        return;

    const float radius = (detail * 9.0f + 3.0f) * scale;
    const int r = std::isfinite (radius) ? (int) std::clamp (radius, 0.0f, 100000.0f) : 0;
    medianFilter (source, destination, r);

    std::memcpy (source.pixels, destination.pixels, (size_t) source.width * (size_t) source.height);

    SxImageAlphaByte temp (destination.width, destination.height, SxImageAlphaByte::uninitialised);

    sobelMagnitudeGray (source, destination);
    InkOutlineAndPaper::scaleAndClamp (destination, 5.0f * strength);
    contrastCurve (destination, destination, 0.0f, std::min (strength * 0.1f + 0.85f, 1.0f));

    std::memcpy (temp.pixels, destination.pixels, (size_t) temp.width * (size_t) temp.height);
    blurGray (temp, destination, 1.75f * scale);
}

void applyFibersTexture (SxImageAlphaByte& image, const juce::String& group, float amount)
{
    if (image.width <= 0 || image.height <= 0)
        return;

    const auto& table = toneTable();
    auto fibres = loadArchiveGrayImage (group, "Fibers");
    // Without the fibre item the modulation is skipped; the tone table still applies.
    if (fibres && ! resizeAlphaImage (*fibres, image.width, image.height, 1))
        fibres.reset();
    if (fibres && (fibres->width != image.width || fibres->height != image.height))
        fibres.reset();

    const int width = image.width;
    const SxImageAlphaByte* fibreImage = fibres.get();
    ParallelRows::forEachBand (0, image.height, width, [&] (int first, int end)
    {
        for (int y = first; y < end; ++y)
        {
            auto* row = image.getRowPointer (y);
            const uint8_t* fibreRow = fibreImage != nullptr ? fibreImage->getRowPointer (y) : nullptr;
            for (int x = 0; x < width; ++x)
            {
                const uint8_t toned = table[row[x]];
                row[x] = fibreRow != nullptr ? InkOutlineAndPaper::modulateByFibre (toned, fibreRow[x]) : toned;
            }
        }
    });
    fibres.reset();

    if (amount != 1.0f)
        InkOutlineAndPaper::scaleAndClamp (image, amount);
}
