// Paints the sample photograph: a lake below mountains in late afternoon light, with a
// wooden cabin, pines, rocks and a flowering meadow. It is the picture the application
// opens by default and the source of the factory presets' thumbnails, so it needs what a
// real photograph gives the effects: soft gradients, hard edges, dark and bright areas,
// varied colour and fine texture.
//
//   sx_sample_photo_generator <output.jpg> [width height]
//
// Deterministic: everything comes from position hashes (ArtworkCanvas.h).

#include "ArtworkCanvas.h"
#include "AtomicFileWriter.h"
#include "SxJPEGImageFormat.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <thread>

namespace
{
    using Artwork::fbm;
    using Artwork::hashValue;
    using Artwork::valueNoise;

    struct Rgb
    {
        float r = 0, g = 0, b = 0;
        Rgb operator+ (const Rgb& o) const { return { r + o.r, g + o.g, b + o.b }; }
        Rgb operator* (float k) const { return { r * k, g * k, b * k }; }
        Rgb operator* (const Rgb& o) const { return { r * o.r, g * o.g, b * o.b }; }
    };

    Rgb mix (const Rgb& a, const Rgb& b, float t) { return a * (1.0f - t) + b * t; }
    float clamp01 (float v) { return std::clamp (v, 0.0f, 1.0f); }
    float smooth (float e0, float e1, float v)
    {
        const float t = clamp01 ((v - e0) / (e1 - e0));
        return t * t * (3.0f - 2.0f * t);
    }

    /** The picture in normalised coordinates: x from 0 to aspect, y from 0 (top) to 1.
        pixel is the size of one pixel in those units, for edges one pixel soft. */
    class Scene
    {
    public:
        Scene (float aspectRatio, float pixelSize) : aspect (aspectRatio), pixel (pixelSize) {}

        Rgb colourAt (float x, float y) const
        {
            if (y < lakeTop)
                return landscape (x, y);
            if (y < shoreLine (x))
                return lake (x, y);
            return foreground (x, y);
        }

    private:
        float aspect, pixel;
        static constexpr float horizon = 0.52f;
        static constexpr float lakeTop = 0.6f;
        const Rgb sunColour { 1.0f, 0.86f, 0.62f };
        const float sunX = 1.02f, sunY = 0.2f;

        float edge (float distance) const { return clamp01 (0.5f + distance / pixel); }

        //==============================================================================
        Rgb sky (float x, float y) const
        {
            const float t = clamp01 (y / horizon);
            Rgb colour = mix ({ 0.20f, 0.38f, 0.70f }, { 0.62f, 0.74f, 0.88f }, std::pow (t, 0.8f));
            colour = mix (colour, { 0.98f, 0.86f, 0.70f }, smooth (0.55f, 1.0f, t) * 0.75f);

            const float d = std::hypot (x - sunX, (y - sunY) * 1.2f);
            colour = colour + sunColour * (0.55f * std::exp (-d * 5.0f) + 0.35f * std::exp (-d * 22.0f));
            if (d < 0.028f)
                colour = mix (colour, { 1.6f, 1.55f, 1.45f }, edge (0.028f - d));

            // Clouds: bright tops, warm undersides, thinner towards the horizon.
            const float n = fbm (x * 3.2f + 11.0f, y * 7.5f, 6, 101u);
            const float density = smooth (0.05f, 0.45f, n + 0.25f - y * 0.9f);
            if (density > 0.0f)
            {
                const float lift = fbm (x * 3.2f + 11.0f, (y + 0.02f) * 7.5f, 5, 101u) - n;
                Rgb cloud = mix ({ 0.97f, 0.95f, 0.93f }, { 0.70f, 0.66f, 0.70f }, clamp01 (0.5f - lift * 8.0f));
                cloud = cloud + sunColour * (0.25f * std::exp (-d * 3.0f));
                colour = mix (colour, cloud, density * 0.9f);
            }
            return colour;
        }

        float mountainRidge (float x) const
        {
            // Ridged noise gives sharp peaks; several scales for big shapes and crags.
            float ridge = 0.0f, amplitude = 0.12f, frequency = 2.2f;
            for (int o = 0; o < 6; ++o)
            {
                ridge += amplitude * (1.0f - std::abs (valueNoise (x * frequency, 3.7f * (float) o, 202u)));
                amplitude *= 0.48f;
                frequency *= 2.1f;
            }
            return horizon - 0.07f - ridge + 0.05f * smooth (0.2f, 1.2f, x);
        }

        /** Height of the rock face: gullies run down from the ridge, so the light changes
            across them and along them. */
        float rockHeight (float x, float y) const
        {
            float h = 0.0f, amplitude = 1.0f, fx = 14.0f, fy = 5.0f;
            for (int o = 0; o < 5; ++o)
            {
                h += amplitude * (1.0f - std::abs (valueNoise (x * fx + y * fx * 0.35f, y * fy, 203u + (uint32_t) o)));
                amplitude *= 0.5f;
                fx *= 2.0f;
                fy *= 2.2f;
            }
            return h;
        }

        float hillLine (float x) const
        {
            const float tips = std::abs (std::sin (x * 420.0f + 3.0f * valueNoise (x * 40.0f, 0.0f, 304u)));
            return horizon + 0.02f - 0.07f * (0.5f + 0.5f * valueNoise (x * 3.0f, 1.0f, 303u))
                   - 0.03f * std::max (0.0f, valueNoise (x * 11.0f, 2.0f, 305u))
                   - 0.008f * (1.0f - tips);   // pine tips on the ridge
        }

        Rgb landscape (float x, float y) const
        {
            Rgb colour = sky (x, y);

            // Far mountains: blue with haze, lit faces towards the sun, snow on the peaks.
            const float ridge = mountainRidge (x);
            const float cover = edge (y - ridge);
            if (cover > 0.0f)
            {
                const float e = 0.0015f;
                const float slope = (rockHeight (x + e, y) - rockHeight (x - e, y)) / (2.0f * e);
                const float below = y - ridge;
                const float lit = clamp01 (0.55f + slope * 0.02f - below * 1.5f);
                Rgb mountain = mix ({ 0.25f, 0.29f, 0.40f }, { 0.70f, 0.66f, 0.64f }, lit);
                const float snowLine = 0.035f + 0.03f * fbm (x * 12.0f, y * 20.0f, 4, 204u) + 0.02f * slope * 0.01f;
                const float snow = smooth (0.0f, 0.01f, snowLine - below) * smooth (horizon - 0.12f, horizon - 0.2f, y);
                mountain = mix (mountain, mix ({ 0.66f, 0.72f, 0.86f }, { 1.0f, 0.98f, 0.94f }, lit), snow);
                const float haze = 0.5f * smooth (ridge, horizon + 0.02f, y);
                mountain = mix (mountain, { 0.70f, 0.76f, 0.86f }, haze + 0.12f);
                colour = mix (colour, mountain, cover);
            }

            // Forested hills on the far shore, darker and greener.
            const float hill = hillLine (x);
            const float hillCover = edge (y - hill);
            if (hillCover > 0.0f)
            {
                const float leaves = fbm (x * 90.0f, y * 70.0f, 4, 306u);
                const float shade = clamp01 (0.45f + leaves * 0.9f + (y - hill) * -3.0f);
                Rgb forest = mix ({ 0.06f, 0.14f, 0.10f }, { 0.30f, 0.42f, 0.22f }, shade);
                forest = mix (forest, { 0.45f, 0.52f, 0.55f }, 0.2f);   // distance
                colour = mix (colour, forest, hillCover);
            }

            return colour;
        }

        //==============================================================================
        float shoreLine (float x) const
        {
            return 0.8f + 0.05f * std::sin (x * 2.3f + 0.6f) + 0.02f * valueNoise (x * 9.0f, 0.0f, 401u);
        }

        Rgb lake (float x, float y) const
        {
            const float depth = (y - lakeTop) / (shoreLine (x) - lakeTop);
            // Ripples grow towards the viewer; the reflection is the mirrored landscape.
            const float ripple = valueNoise (x * 6.0f, y * 160.0f, 402u) * 0.004f * (1.0f + depth * 3.0f);
            const float mirrorY = 2.0f * lakeTop - y + ripple * 2.0f;
            Rgb colour = landscape (x + ripple, std::max (0.0f, mirrorY)) * 0.82f;
            colour = mix (colour, { 0.10f, 0.22f, 0.28f }, 0.25f + 0.35f * depth);

            // Sun glitter below the sun.
            const float glitter = std::exp (-std::abs (x - sunX) * 12.0f)
                                  * smooth (0.75f, 0.98f, hashValue ((int) (x * 180.0f), (int) (y * 900.0f), 403u));
            colour = colour + sunColour * (glitter * 0.8f * (1.0f - depth * 0.5f));

            // The cabin's reflection, broken by the ripples.
            Rgb cabinColour;
            if (cabin (x + ripple * 2.0f, 2.0f * lakeTop - y, cabinColour) > 0.5f)
                colour = mix (colour, cabinColour * 0.7f, 0.6f);
            return colour;
        }

        /** Coverage of the red cabin on the far shore at (x, y); its colour into colour. */
        float cabin (float x, float y, Rgb& colour) const
        {
            const float left = 1.05f, right = 1.2f, base = lakeTop - 0.001f, eaves = base - 0.07f;
            const float ridgeY = eaves - 0.05f, middle = (left + right) * 0.5f;
            if (x < left - 0.02f || x > right + 0.02f || y < ridgeY - 0.01f || y > base + 0.01f)
                return 0.0f;

            const float roofHalf = (right - left) * 0.5f + 0.015f;
            const float roofBottom = eaves + 0.005f;
            const float roofEdge = (y - ridgeY) / (roofBottom - ridgeY) * roofHalf - std::abs (x - middle);
            const float roof = std::min (edge (roofEdge), edge (roofBottom - y)) * edge (y - ridgeY);
            const float wall = std::min ({ edge (x - left), edge (right - x), edge (y - eaves), edge (base - y) });
            if (roof <= 0.0f && wall <= 0.0f)
                return 0.0f;

            const float boards = 0.85f + 0.15f * std::sin (y * 1500.0f) + 0.05f * hashValue ((int) (x * 500.0f), 0, 501u);
            const bool sunSide = x > middle;
            colour = Rgb { 0.62f, 0.12f, 0.08f } * (boards * (sunSide ? 1.15f : 0.7f));
            // White window frames with dark glass.
            for (const float wx : { left + 0.03f, right - 0.05f })
                if (x > wx && x < wx + 0.025f && y > eaves + 0.02f && y < eaves + 0.048f)
                    colour = (x < wx + 0.003f || x > wx + 0.022f || y < eaves + 0.023f || y > eaves + 0.045f
                              || std::abs (x - wx - 0.0125f) < 0.0015f)
                                 ? Rgb { 0.92f, 0.92f, 0.88f } : Rgb { 0.08f, 0.10f, 0.12f };
            // Door.
            if (std::abs (x - middle) < 0.012f && y > base - 0.045f)
                colour = { 0.25f, 0.12f, 0.06f };
            if (roof > 0.0f)
            {
                const float slate = 0.8f + 0.2f * std::sin ((y - ridgeY) * 900.0f);
                const Rgb roofColour = Rgb { 0.22f, 0.22f, 0.24f } * (slate * (x > middle ? 1.3f : 0.8f));
                colour = mix (colour, roofColour, roof);
            }
            return std::max (roof, wall);
        }

        //==============================================================================
        Rgb foreground (float x, float y) const
        {
            const float shore = shoreLine (x);
            const float near = clamp01 ((y - shore) / (1.0f - shore));

            // Meadow: sunlit grass with blades, darker towards the bottom edge.
            const float blades = hashValue ((int) (x * 900.0f), (int) (y * 160.0f), 601u);
            const float patches = fbm (x * 8.0f, y * 14.0f, 4, 602u);
            Rgb colour = mix ({ 0.42f, 0.55f, 0.18f }, { 0.78f, 0.76f, 0.35f }, clamp01 (0.5f + patches));
            colour = colour * (0.85f + 0.2f * blades) * (1.0f - 0.35f * near);

            // A strip of wet sand and pebbles at the water's edge.
            const float sand = 1.0f - edge (y - (shore + 0.018f));
            const float pebbles = smooth (0.3f, 0.8f, hashValue ((int) (x * 600.0f), (int) (y * 600.0f), 603u));
            colour = mix (colour, mix ({ 0.62f, 0.55f, 0.44f }, { 0.45f, 0.42f, 0.40f }, pebbles), sand);

            // Wild flowers, larger and more of them nearer the viewer.
            const float cell = 70.0f;
            const int cx = (int) std::floor (x * cell), cy = (int) std::floor (y * cell);
            const float fx = x * cell - (float) cx, fy = y * cell - (float) cy;
            if (hashValue (cx, cy, 604u) > 0.1f - near * 0.6f && sand < 0.5f)
            {
                const float px = 0.5f + 0.3f * hashValue (cx, cy, 605u), py = 0.5f + 0.3f * hashValue (cx, cy, 606u);
                const float d = std::hypot (fx - px, fy - py) / cell;
                const float radius = 0.0015f + near * 0.0025f;
                static const std::array<Rgb, 4> petals { Rgb { 0.98f, 0.85f, 0.15f }, Rgb { 0.90f, 0.20f, 0.18f },
                                                         Rgb { 0.97f, 0.96f, 0.94f }, Rgb { 0.62f, 0.38f, 0.80f } };
                const auto& petal = petals[(size_t) (Artwork::hash (cx, cy, 607u) % petals.size())];
                colour = mix (colour, petal, edge (radius - d));
            }

            return colour;
        }

        static constexpr std::array<std::array<float, 3>, 3> rocks {{
            { 0.25f, 0.93f, 0.09f }, { 0.42f, 0.97f, 0.05f }, { 1.2f, 0.95f, 0.07f } }};

    public:
        /** Pines on the left shore: dark cones with a sunlit right flank, over everything. */
        Rgb withPines (float x, float y, Rgb colour) const
        {
            static constexpr std::array<std::array<float, 3>, 5> pines {{
                { 0.07f, 0.95f, 0.55f }, { 0.19f, 0.92f, 0.42f }, { 0.29f, 0.9f, 0.30f },
                { 0.36f, 0.89f, 0.22f }, { 0.012f, 1.02f, 0.75f } }};
            for (const auto& pine : pines)
            {
                const float base = pine[1], height = pine[2], top = base - height;
                if (y < top || y > base + 0.01f)
                    continue;
                const float t = (y - top) / height;
                // Tiers of branches: the outline swings in and out along the height.
                const float tiers = 0.75f + 0.25f * std::abs (std::sin (t * 22.0f));
                const float half = height * 0.22f * t * tiers
                                   + 0.006f * valueNoise (y * 300.0f, pine[0] * 100.0f, 701u);
                const float dx = x - pine[0];
                const float trunk = std::abs (dx) < height * 0.015f && t > 0.9f && t < 0.97f ? 1.0f : 0.0f;
                const float cover = std::max (edge (half - std::abs (dx)) * (t < 0.93f ? 1.0f : 0.0f), trunk);
                if (cover <= 0.0f)
                    continue;
                const float needles = fbm (x * 160.0f, y * 220.0f, 3, 702u);
                const float lit = clamp01 (dx / std::max (half, 1.0e-4f) * 0.8f + needles * 0.8f);
                Rgb tree = mix ({ 0.03f, 0.08f, 0.05f }, { 0.20f, 0.34f, 0.12f }, lit);
                if (trunk > 0.0f && cover == trunk)
                    tree = { 0.22f, 0.14f, 0.09f };
                colour = mix (colour, tree, cover);
            }
            return colour;
        }

        /** Rocks in the foreground, lit from the upper right, in front of the pines. */
        Rgb withRocks (float x, float y, Rgb colour) const
        {
            for (const auto& rock : rocks)
            {
                const float dx = (x - rock[0]) / rock[2], dy = (y - rock[1]) / (rock[2] * 0.65f);
                const float bump = 0.08f * valueNoise (std::atan2 (dy, dx) * 2.5f, rock[0] * 10.0f, 608u);
                const float r = std::hypot (dx, dy);
                const float cover = edge ((1.0f + bump - r) * rock[2] * 0.65f) * (dy > -2.0f ? 1.0f : 0.0f);
                if (cover > 0.0f)
                {
                    const float light = clamp01 (0.55f + 0.45f * (dx * 0.6f - dy * 0.8f) / std::max (r, 0.2f));
                    const float grain = fbm (x * 90.0f, y * 90.0f, 3, 609u);
                    const Rgb stone = mix ({ 0.22f, 0.21f, 0.22f }, { 0.74f, 0.70f, 0.64f }, clamp01 (light + grain * 0.35f));
                    colour = mix (colour, stone, cover);
                }
                else if (dy > 0.0f && dx < 0.0f && std::hypot (dx + 0.8f, (dy - 0.7f) * 2.0f) < 1.0f)
                    colour = colour * 0.6f;   // its shadow on the grass
            }
            return colour;
        }

        Rgb withCabin (float x, float y, Rgb colour) const
        {
            Rgb cabinColour;
            const float cover = cabin (x, y, cabinColour);
            return cover > 0.0f ? mix (colour, cabinColour, cover) : colour;
        }
    };

    float toneCurve (float v)
    {
        v = clamp01 (v);
        return clamp01 (v + 0.12f * v * (1.0f - v) * (2.0f * v - 1.0f) * 2.0f);   // a little S
    }
}

int main (int argc, char* argv[])
{
    if (argc < 2)
    {
        std::fprintf (stderr, "usage: %s <output.jpg> [width height]\n", argv[0]);
        return 2;
    }
    const int width = argc > 3 ? std::atoi (argv[2]) : 1600;
    const int height = argc > 3 ? std::atoi (argv[3]) : 1200;
    if (width < 16 || height < 16 || width > 20000 || height > 20000)
    {
        std::fprintf (stderr, "bad size %d x %d\n", width, height);
        return 2;
    }

    const Scene scene ((float) width / (float) height, 1.0f / (float) height);
    juce::Image image (juce::Image::RGB, width, height, false, juce::SoftwareImageType());
    juce::Image::BitmapData bits (image, juce::Image::BitmapData::writeOnly);

    auto paintRows = [&] (int first, int step)
    {
        for (int py = first; py < height; py += step)
            for (int px = 0; px < width; ++px)
            {
                const float x = ((float) px + 0.5f) / (float) height;
                const float y = ((float) py + 0.5f) / (float) height;
                Rgb c = scene.colourAt (x, y);
                c = scene.withCabin (x, y, c);
                c = scene.withPines (x, y, c);
                c = scene.withRocks (x, y, c);

                // Lens vignette and a fine sensor grain.
                const float vx = x / ((float) width / (float) height) - 0.5f, vy = y - 0.5f;
                c = c * (1.0f - 0.35f * (vx * vx + vy * vy) * 1.6f);
                const float grain = 0.018f * hashValue (px, py, 901u);
                auto byte = [&] (float v) { return (uint8_t) std::lround (toneCurve (v + grain) * 255.0f); };
                bits.setPixelColour (px, py, juce::Colour (byte (c.r), byte (c.g), byte (c.b)));
            }
    };

    // Rows interleave over the threads; each pixel depends on its position only.
    const int threads = (int) std::max (1u, std::min (8u, std::thread::hardware_concurrency()));
    std::vector<std::thread> workers;
    for (int t = 1; t < threads; ++t)
        workers.emplace_back (paintRows, t, threads);
    paintRows (0, threads);
    for (auto& w : workers)
        w.join();

    const juce::File out (juce::File::getCurrentWorkingDirectory().getChildFile (argv[1]));
    out.getParentDirectory().createDirectory();
    if (! AtomicFileWriter::write (out, [&image] (juce::OutputStream& stream)
                                   { return SxJPEGImageFormat (0.92f).writeImageToStream (image, stream); }))
    {
        std::fprintf (stderr, "cannot write %s\n", out.getFullPathName().toRawUTF8());
        return 1;
    }
    return 0;
}
