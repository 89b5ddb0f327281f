#include "ColourOperations.h"

#include "EffectRandom.h"
#include "ParallelRows.h"
#include "PixelMath.h"
#include "SxImageAlphaByte.h"
#include "SxImageRgbaBytes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <mutex>

namespace
{
    inline uint8_t clampByte (int v) noexcept { return (uint8_t) std::clamp (v, 0, 255); }

    /** Truncation toward zero limited to 0..255; NaN gives 0. Same as truncating first
        and then limiting, without the undefined cast of huge values, and branch-free. */
    inline uint8_t truncToByte (float v) noexcept { return (uint8_t) (int) std::min (255.0f, std::max (0.0f, v)); }

    /** Hue ramp of the HSL -> RGB conversion on the 255-unit circle. */
    inline double hueRamp (double p, double q, double x) noexcept
    {
        if (x < 42.5)
            return p + (q - p) * x / 42.5;
        if (x < 127.5)
            return q;
        if (x < 170.0)
            return p + (q - p) * (170.0 - x) / 42.5;
        return p;
    }

    inline double redHue (double h) noexcept   { h += 85.0; return h > 255.0 ? h - 255.0 : h; }
    inline double blueHue (double h) noexcept  { h -= 85.0; return h < 0.0 ? h + 255.0 : h; }

    /** Hue sector formula times 42.5, wrapped into 0..255; red wins ties, then green.
        Real is the precision the caller works in. */
    template <typename Real>
    inline Real hueOf (int r, int g, int b, int mx, Real d) noexcept
    {
        Real h;
        if (r == mx)
            h = (Real) (g - b) / d * (Real) 42.5;
        else if (g == mx)
            h = ((Real) (b - r) / d + 2) * (Real) 42.5;
        else
            h = ((Real) (r - g) / d + 4) * (Real) 42.5;
        if (h < 0)
            return h + 255;
        return h > 255 ? h - 255 : h;
    }

    /** Lower-half denominator max + min, upper-half 511 - (max + min). */
    inline int saturationDenominator (int sum) noexcept
    {
        return (float) sum * 0.5f < 128.0f ? sum : 511 - sum;
    }

    /** Runs perPixel over every pixel of the area source and destination share,
        reading a copy of each source pixel so that distinct images never alias. */
    template <bool reuseRepeats = false, typename PerPixel>
    void mapPixels (const SxImageRgbaBytes& source, SxImageRgbaBytes& destination, PerPixel perPixel) noexcept
    {
        const int w = std::min (source.width, destination.width);
        const int h = std::min (source.height, destination.height);
        if (w <= 0 || h <= 0)
            return;

        ParallelRows::forEachBand (0, h, w, [&] (int y0, int y1)
        {
            for (int y = y0; y < y1; ++y)
            {
                const uint8_t* s = source.getRowPointer (y);
                uint8_t* d = destination.getRowPointer (y);
                if constexpr (reuseRepeats)
                {
                    // For costly conversions over images with long runs of one colour (a dab
                    // layer is mostly white): a pixel equal to the previous one gets its result.
                    uint32_t lastIn = 0, lastOut = 0;
                    bool have = false;
                    for (int x = 0; x < w; ++x, s += 4, d += 4)
                    {
                        uint32_t in;
                        std::memcpy (&in, s, 4);
                        if (! have || in != lastIn)
                        {
                            uint8_t p[4];
                            std::memcpy (p, &in, 4);
                            perPixel (p);
                            std::memcpy (&lastOut, p, 4);
                            lastIn = in;
                            have = true;
                        }
                        std::memcpy (d, &lastOut, 4);
                    }
                }
                else
                {
                    for (int x = 0; x < w; ++x, s += 4, d += 4)
                    {
                        uint8_t p[4];
                        std::memcpy (p, s, 4);
                        perPixel (p);
                        std::memcpy (d, p, 4);
                    }
                }
            }
        });
    }

    std::mutex& systemRandomLock()
    {
        static std::mutex lock;
        return lock;
    }

    /** The generator used where no render has made its own current. */
    struct SharedEffectRandom
    {
        std::mutex lock;
        EffectRandom generator;
    };

    SharedEffectRandom& sharedEffectRandom()
    {
        static SharedEffectRandom shared;
        return shared;
    }
}

//==============================================================================
void rgbToHsl (uint8_t* pixel) noexcept
{
    const int r = pixel[1], g = pixel[2], b = pixel[3];
    const int mx = std::max ({ r, g, b }), mn = std::min ({ r, g, b });
    const int sum = mx + mn;
    const int l = (int) ((float) sum * 0.5f);
    int h = 0, s = 0;

    if (mx != mn)
    {
        const double d = mx - mn;
        s = (int) (255.0 * d / saturationDenominator (sum));
        h = (int) hueOf (r, g, b, mx, d);
    }

    pixel[1] = (uint8_t) h;
    pixel[2] = (uint8_t) l;
    pixel[3] = (uint8_t) s;
}

void hslToRgb (uint8_t* pixel) noexcept
{
    const int h = pixel[1], l = pixel[2], s = pixel[3];
    if (s == 0)
    {
        pixel[1] = pixel[2] = pixel[3] = (uint8_t) l;
        return;
    }

    const double q = l < 128 ? (s + 255.0) * l / 65025.0
                             : (l + s - s * (double) l / 255.0) / 255.0;
    const double p = l / 127.5 - q;
    pixel[1] = clampByte ((int) (255.0 * hueRamp (p, q, redHue (h))));
    pixel[2] = clampByte ((int) (255.0 * hueRamp (p, q, h)));
    pixel[3] = clampByte ((int) (255.0 * hueRamp (p, q, blueHue (h))));
}

void rgbToLab (uint32_t colourWord, float* record) noexcept
{
    // The linearised value depends only on the byte, so it is computed once per byte.
    static const auto linearTable = []
    {
        std::array<double, 256> table {};
        for (int v = 0; v < 256; ++v)
        {
            const double c = (double) ((float) v / 255.0f);
            table[(size_t) v] = c <= 0.040448236277107599 ? c / 12.92 : std::pow ((c + 0.055) / 1.055, 2.4);
        }
        return table;
    }();
    const double r = linearTable[PixelMath::wordRed (colourWord)];
    const double g = linearTable[PixelMath::wordGreen (colourWord)];
    const double b = linearTable[PixelMath::wordBlue (colourWord)];

    // sRGB primaries to XYZ, normalised by the D65 white point.
    const auto x = (float) ((0.41239558896741424 * r + 0.3575834307637148 * g + 0.18049264738170157 * b) / 0.950456);
    const auto y = (float) (0.21258623078559555 * r + 0.7151703037034108 * g + 0.07220049864333623 * b);
    const auto z = (float) ((0.019297215491746945 * r + 0.11918386458084854 * g + 0.9504971251315798 * b) / 1.088754);

    auto f = [] (float t)
    {
        if ((double) t >= 0.0088564516790356311)
            return std::pow (t, 0.33333334f);
        return (float) (7.7870370370370372 * t + 0.13793103448275862);
    };
    const float fx = f (x), fy = f (y), fz = f (z);

    record[1] = 116.0f * fy - 16.0f;
    record[2] = 500.0f * (fx - fy);
    record[3] = 200.0f * (fy - fz);
}

void colorizeDuotone (SxImageRgbaBytes& image, uint32_t colourWord, float amount) noexcept
{
    // The duotone value depends only on the channel sum, so it is tabled once per call.
    const int colour[3] = { PixelMath::wordRed (colourWord), PixelMath::wordGreen (colourWord), PixelMath::wordBlue (colourWord) };
    std::array<std::array<uint8_t, 3>, 766> toned {};
    for (int sum = 0; sum <= 765; ++sum)
    {
        const float lum = (float) sum / 765.0f;
        for (int c = 0; c < 3; ++c)
        {
            int v;
            if (lum <= 0.5f)
            {
                v = (int) (2.0f * lum * (float) colour[c]);
            }
            else
            {
                const auto g = (float) (1.0 - ((double) lum - 0.5) * 2.0);
                const float t = (1.0f - g) * 255.0f;
                v = (int) ((float) colour[c] * g + t);
            }
            toned[(size_t) sum][(size_t) c] = clampByte (v);
        }
    }

    const float keep = 1.0f - amount;
    mapPixels (image, image, [&] (uint8_t* p)
    {
        const auto& n = toned[(size_t) (p[1] + p[2] + p[3])];
        for (int c = 0; c < 3; ++c)
            p[c + 1] = truncToByte ((float) p[c + 1] * keep + (float) n[(size_t) c] * amount);
    });
}

void shiftHue (const SxImageRgbaBytes& source, SxImageRgbaBytes& destination, float amount) noexcept
{
    // The shifted hue keeps its low 8 bits, so the circle wraps on 256, not 255.
    const float shift = amount * 100.0f;
    std::array<uint8_t, 256> shifted {};
    for (int h = 0; h < 256; ++h)
        shifted[(size_t) h] = (uint8_t) (PixelMath::truncSaturated ((float) h + shift) & 0xff);

    mapPixels<true> (source, destination, [&shifted] (uint8_t* p)
    {
        rgbToHsl (p);
        p[1] = shifted[p[1]];
        hslToRgb (p);
    });
}

void tintThroughMask (SxImageRgbaBytes& image, const SxImageAlphaByte& mask, uint32_t colourWord) noexcept
{
    const int ca = PixelMath::wordAlpha (colourWord);
    const int colour[4] = { 0, PixelMath::wordRed (colourWord), PixelMath::wordGreen (colourWord), PixelMath::wordBlue (colourWord) };
    const int w = std::min (image.width, mask.width);
    const int h = std::min (image.height, mask.height);
    if (w <= 0 || h <= 0)
        return;

    ParallelRows::forEachBand (0, h, w, [&] (int y0, int y1)
    {
        for (int y = y0; y < y1; ++y)
        {
            uint8_t* p = image.getRowPointer (y);
            const uint8_t* m = mask.getRowPointer (y);
            for (int x = 0; x < w; ++x, p += 4)
            {
                const float weight = (float) ((m[x] * ca) >> 8) / 255.0f;
                const float keep = 1.0f - weight;
                for (int c = 0; c < 4; ++c)
                {
                    const int tinted = c == 0 ? p[0] : (p[c] * colour[c]) >> 8;
                    p[c] = truncToByte (keep * (float) p[c] + weight * (float) tinted);
                }
            }
        }
    });
}

void adjustHueSaturationLightness (const SxImageRgbaBytes& source, SxImageRgbaBytes& destination, float amount) noexcept
{
    const int k = std::clamp (PixelMath::truncSaturated ((double) (amount * 100.0f) * 255.0 / 100.0), -255, 255);
    std::array<uint8_t, 256> sat {};
    for (int j = 0; j < 256; ++j)
        sat[(size_t) j] = (uint8_t) std::min (j * (255 + k) / 255, 255);

    mapPixels (source, destination, [&sat] (uint8_t* p)
    {
        const int r = p[1], g = p[2], b = p[3];
        const int mx = std::max ({ r, g, b }), mn = std::min ({ r, g, b });
        const int sum = mx + mn;
        const float lf = (float) sum * 0.5f;
        float hf = 0.0f, sf = 0.0f;
        if (mx != mn)
        {
            const int d = mx - mn;
            sf = (float) (d * 255) / (float) saturationDenominator (sum);
            hf = hueOf (r, g, b, mx, (float) d);
        }

        const int h = (int) (hf + 0.5f);
        const int s = sat[(size_t) std::clamp ((int) (sf + 0.5f), 0, 255)];
        const int l = (int) (lf + 0.5f);
        if (s == 0)
        {
            p[1] = p[2] = p[3] = (uint8_t) l;
            return;
        }

        const double q = l > 127 ? (l + s - s * (double) l / 255.0) / 255.0
                                 : (s + 255.0) * l / 65025.0;
        const double pp = l / 127.5 - q;
        auto channel = [&] (double x) { return truncToByte (255.0f * (float) hueRamp (pp, q, x) + 0.5f); };
        p[1] = channel (redHue (h));
        p[2] = channel (h);
        p[3] = channel (blueHue (h));
    });
}

//==============================================================================
float randomUnitFloat()
{
    // The framework's system generator has no lock of its own.
    const std::lock_guard<std::mutex> hold (systemRandomLock());
    return juce::Random::getSystemRandom().nextFloat();
}

void setEffectRandomSeed (int seed)
{
    if (auto* current = EffectRandom::getCurrent())
        return current->setSeed (seed);

    auto& shared = sharedEffectRandom();
    const std::lock_guard<std::mutex> hold (shared.lock);
    shared.generator.setSeed (seed);
}

float effectRandomFloat()
{
    if (auto* current = EffectRandom::getCurrent())
        return current->nextFloat();

    auto& shared = sharedEffectRandom();
    const std::lock_guard<std::mutex> hold (shared.lock);
    return shared.generator.nextFloat();
}
