#pragma once

// Small float canvases and deterministic noise for the resource pack's artwork.
// Everything derives from integer hashes of positions and seeds: no global random state,
// no clock, so the same seeds always paint the same pixels whatever the thread count.

#include <juce_graphics/juce_graphics.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace Artwork
{
    inline uint32_t hash (int x, int y, uint32_t seed) noexcept
    {
        uint32_t h = seed * 0x9E3779B1u ^ (uint32_t) x * 0x85EBCA77u ^ (uint32_t) y * 0xC2B2AE3Du;
        h ^= h >> 15; h *= 0x2C1B3C6Du;
        h ^= h >> 12; h *= 0x297A2D39u;
        h ^= h >> 15;
        return h;
    }

    /** A hash as a value in [-1, 1]. */
    inline float hashValue (int x, int y, uint32_t seed) noexcept
    {
        return (float) (hash (x, y, seed) >> 8) * (2.0f / 16777216.0f) - 1.0f;
    }

    /** Smoothly interpolated lattice noise in [-1, 1]. */
    inline float valueNoise (float x, float y, uint32_t seed) noexcept
    {
        const float fx = std::floor (x), fy = std::floor (y);
        const int ix = (int) fx, iy = (int) fy;
        float tx = x - fx, ty = y - fy;
        tx = tx * tx * (3.0f - 2.0f * tx);
        ty = ty * ty * (3.0f - 2.0f * ty);
        const float a = hashValue (ix, iy, seed), b = hashValue (ix + 1, iy, seed);
        const float c = hashValue (ix, iy + 1, seed), d = hashValue (ix + 1, iy + 1, seed);
        return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
    }

    /** Fractal sum of octaves, roughly in [-1, 1]. */
    inline float fbm (float x, float y, int octaves, uint32_t seed) noexcept
    {
        float sum = 0.0f, amp = 0.5f, norm = 0.0f;
        for (int o = 0; o < octaves; ++o)
        {
            sum += amp * valueNoise (x, y, seed + (uint32_t) o * 7919u);
            norm += amp;
            x = x * 2.03f + 17.1f;
            y = y * 2.03f - 9.7f;
            amp *= 0.5f;
        }
        return sum / norm;
    }

    /** A sequence of pseudo-random numbers from one seed. */
    struct Sequence
    {
        uint32_t seed;
        int index = 0;
        explicit Sequence (uint32_t s) : seed (s) {}
        float next() noexcept { return (float) (hash (index++, 0x5EED, seed) >> 8) * (1.0f / 16777216.0f); }
        float range (float lo, float hi) noexcept { return lo + (hi - lo) * next(); }
    };

    /** Linear-light-free RGBA in floats, 0 ... 1, rows top to bottom. */
    struct Canvas
    {
        int width = 0, height = 0;
        std::vector<float> data; // r, g, b, a per pixel

        Canvas (int w, int h) : width (w), height (h), data ((size_t) w * (size_t) h * 4, 0.0f) {}

        float* at (int x, int y) noexcept { return data.data() + ((size_t) y * (size_t) width + (size_t) x) * 4; }
        const float* at (int x, int y) const noexcept { return data.data() + ((size_t) y * (size_t) width + (size_t) x) * 4; }

        /** Multiplies the colour around (x, y) by (1 + amount), with a soft round stamp of
            the given radius. */
        void stampTone (float cx, float cy, float radius, float amount) noexcept
        {
            const int x0 = juce::jmax (0, (int) std::floor (cx - radius - 1)), x1 = juce::jmin (width - 1, (int) std::ceil (cx + radius + 1));
            const int y0 = juce::jmax (0, (int) std::floor (cy - radius - 1)), y1 = juce::jmin (height - 1, (int) std::ceil (cy + radius + 1));
            for (int y = y0; y <= y1; ++y)
                for (int x = x0; x <= x1; ++x)
                {
                    const float d = std::hypot ((float) x - cx, (float) y - cy);
                    const float w = juce::jlimit (0.0f, 1.0f, radius + 0.5f - d);
                    if (w <= 0.0f)
                        continue;
                    auto* p = at (x, y);
                    for (int c = 0; c < 3; ++c)
                        p[c] = juce::jlimit (0.0f, 1.0f, p[c] * (1.0f + amount * w));
                }
        }

        /** Area average by a whole factor (the canvas size need not divide). */
        Canvas downscaled (int factor, int left = 0, int top = 0, int outW = -1, int outH = -1) const
        {
            if (outW < 0) outW = width / factor;
            if (outH < 0) outH = height / factor;
            Canvas out (outW, outH);
            for (int y = 0; y < outH; ++y)
                for (int x = 0; x < outW; ++x)
                {
                    float sum[4] = {};
                    for (int j = 0; j < factor; ++j)
                        for (int i = 0; i < factor; ++i)
                        {
                            const auto* p = at (juce::jmin (width - 1, left + x * factor + i), juce::jmin (height - 1, top + y * factor + j));
                            for (int c = 0; c < 4; ++c)
                                sum[c] += p[c];
                        }
                    for (int c = 0; c < 4; ++c)
                        out.at (x, y)[c] = sum[c] / (float) (factor * factor);
                }
            return out;
        }

        /** The framework image: RGB when opaque is true, else ARGB. */
        juce::Image toImage (bool opaque) const
        {
            juce::Image image (opaque ? juce::Image::RGB : juce::Image::ARGB, width, height, false, juce::SoftwareImageType());
            juce::Image::BitmapData bits (image, juce::Image::BitmapData::writeOnly);
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                {
                    const auto* p = at (x, y);
                    auto byte = [] (float v) { return (uint8_t) juce::jlimit (0, 255, (int) std::lround (v * 255.0f)); };
                    // The canvas holds premultiplied colour; the framework's colour is straight.
                    const float alpha = opaque ? 1.0f : p[3];
                    const float scale = alpha > 0.0f ? 1.0f / alpha : 0.0f;
                    bits.setPixelColour (x, y, juce::Colour (byte (p[0] * scale), byte (p[1] * scale), byte (p[2] * scale), byte (alpha)));
                }
            return image;
        }
    };
}
