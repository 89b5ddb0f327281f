// Paints the resource pack's artwork (papers, borders, thumbnails, brush atlas, fibre
// texture) and writes the resource archive, plus a contact sheet of everything.
// Fixed seeds and position hashes only: two runs write the same bytes.
//
// usage: sx_resource_pack_generator <archive file> [contact sheet png]

#include "ArtworkCanvas.h"
#include "AtomicFileWriter.h"

#include "ParallelRows.h"
#include "PropertyValues.h"
#include "ResourceArchive.h"
#include "SpriteFrameDescription.h"
#include "SxJPEGImageFormat.h"
#include "SxPropertySet.h"

#include <cstdio>
#include <map>

using Artwork::Canvas;
using Artwork::Sequence;
using Artwork::fbm;
using Artwork::valueNoise;

namespace
{
    constexpr float twoPi = juce::MathConstants<float>::twoPi;

    float smoothstep (float e0, float e1, float x) noexcept
    {
        const float t = juce::jlimit (0.0f, 1.0f, (x - e0) / (e1 - e0));
        return t * t * (3.0f - 2.0f * t);
    }

    //==============================================================================
    // Papers

    struct PaperStyle
    {
        juce::String name;
        float r, g, b;       // base tint
        float age;           // 0 fresh ... 1 old: warm blotches, foxing, darker margins
        float tooth;         // relief strength
        float toothScale;    // grain size in pixels
        float fibres;        // fibre count factor
    };

    void drawFibres (Canvas& canvas, Sequence& seq, int count, float minLen, float maxLen, float strength)
    {
        for (int i = 0; i < count; ++i)
        {
            float x = seq.range (0.0f, (float) canvas.width), y = seq.range (0.0f, (float) canvas.height);
            float angle = seq.range (0.0f, twoPi);
            const float length = seq.range (minLen, maxLen);
            const float tone = (seq.next() < 0.55f ? -1.0f : 0.7f) * strength * seq.range (0.4f, 1.0f);
            const float width = seq.range (0.45f, 0.95f);
            const float bend = seq.range (-0.012f, 0.012f);
            for (float s = 0.0f; s < length; s += 0.7f)
            {
                // Fibres fade in and out along their length.
                const float fade = std::sin (juce::MathConstants<float>::pi * s / length);
                canvas.stampTone (x, y, width, tone * fade);
                angle += bend + seq.range (-0.025f, 0.025f);
                x += std::cos (angle) * 0.7f;
                y += std::sin (angle) * 0.7f;
            }
        }
    }

    Canvas paintPaper (const PaperStyle& style, uint32_t seed, int width, int height)
    {
        Canvas canvas (width, height);
        std::vector<float> relief ((size_t) width * (size_t) height);

        ParallelRows::forEachBand (0, height, width, [&] (int first, int end)
        {
            for (int y = first; y < end; ++y)
                for (int x = 0; x < width; ++x)
                {
                    const float fx = (float) x, fy = (float) y;
                    // Cold-press tooth: rounded bumps over a finer grain.
                    const float bumps = fbm (fx / style.toothScale, fy / style.toothScale, 3, seed);
                    const float grain = valueNoise (fx / 1.7f, fy / 1.7f, seed + 11);
                    relief[(size_t) y * (size_t) width + (size_t) x] = bumps + 0.25f * grain;
                }
        });

        const float cx = (float) width * 0.5f, cy = (float) height * 0.5f;
        ParallelRows::forEachBand (0, height, width, [&] (int first, int end)
        {
            for (int y = first; y < end; ++y)
                for (int x = 0; x < width; ++x)
                {
                    auto h = [&] (int xx, int yy)
                    {
                        xx = juce::jlimit (0, width - 1, xx);
                        yy = juce::jlimit (0, height - 1, yy);
                        return relief[(size_t) yy * (size_t) width + (size_t) xx];
                    };
                    // Light from the upper left over the relief.
                    const float shade = (h (x - 1, y - 1) - h (x + 1, y + 1)) * 0.5f;
                    const float fx = (float) x, fy = (float) y;
                    const float cloud = fbm (fx / 420.0f, fy / 420.0f, 4, seed + 101);
                    const float mottle = fbm (fx / 90.0f, fy / 90.0f, 3, seed + 202);
                    float lum = 1.0f + style.tooth * (0.9f * shade + 0.25f * h (x, y)) + 0.012f * mottle;

                    // Ageing: warm blotches and darker, yellower margins.
                    const float dx = (fx - cx) / cx, dy = (fy - cy) / cy;
                    const float edge = smoothstep (0.55f, 1.15f, std::sqrt (dx * dx * 0.8f + dy * dy * 0.8f) + 0.15f * cloud);
                    const float warm = style.age * (0.5f * (cloud + 0.5f) + 0.8f * edge);
                    lum *= 1.0f - style.age * 0.10f * edge;

                    auto* p = canvas.at (x, y);
                    p[0] = juce::jlimit (0.0f, 1.0f, style.r * lum * (1.0f - 0.01f * warm));
                    p[1] = juce::jlimit (0.0f, 1.0f, style.g * lum * (1.0f - 0.04f * warm));
                    p[2] = juce::jlimit (0.0f, 1.0f, style.b * lum * (1.0f - 0.11f * warm));
                    p[3] = 1.0f;
                }
        });

        Sequence seq (seed * 31u + 7u);
        drawFibres (canvas, seq, (int) ((float) width * (float) height / 900.0f * style.fibres), 12.0f, 70.0f, 0.035f);

        // Foxing: small rust spots on the old sheets.
        const int spots = (int) (style.age * 40.0f);
        for (int i = 0; i < spots; ++i)
        {
            const float sx = seq.range (0.0f, (float) width), sy = seq.range (0.0f, (float) height);
            const float radius = seq.range (2.0f, 14.0f), depth = seq.range (0.03f, 0.09f);
            const int x0 = juce::jmax (0, (int) (sx - radius * 2)), x1 = juce::jmin (width - 1, (int) (sx + radius * 2));
            const int y0 = juce::jmax (0, (int) (sy - radius * 2)), y1 = juce::jmin (height - 1, (int) (sy + radius * 2));
            for (int y = y0; y <= y1; ++y)
                for (int x = x0; x <= x1; ++x)
                {
                    const float d = std::hypot ((float) x - sx, (float) y - sy) / radius
                                    + 0.3f * valueNoise ((float) x / 3.0f, (float) y / 3.0f, seed + 303);
                    const float w = depth * std::exp (-d * d * 1.5f);
                    auto* p = canvas.at (x, y);
                    p[0] *= 1.0f - 0.4f * w;
                    p[1] *= 1.0f - 0.9f * w;
                    p[2] *= 1.0f - 1.6f * w;
                }
        }
        return canvas;
    }

    //==============================================================================
    // Borders

    struct BorderStyle
    {
        float width;       // mean width of the painted band, pixels
        float wobble;      // large-scale variation of the band's inner edge
        float rag;         // fine raggedness of that edge
        float dryBrush;    // streaks along the edges
        float splatter;    // droplets inside the frame
        float density;     // pigment density
        bool doubleLine;   // a second thin band inside the first
    };

    Canvas paintBorder (const BorderStyle& style, uint32_t seed, int width, int height)
    {
        Canvas canvas (width, height);
        std::vector<float> pigment ((size_t) width * (size_t) height, 0.0f);

        ParallelRows::forEachBand (0, height, width, [&] (int first, int end)
        {
            for (int y = first; y < end; ++y)
                for (int x = 0; x < width; ++x)
                {
                    const float fx = (float) x, fy = (float) y;
                    const float dl = fx, dr = (float) (width - 1) - fx, dt = fy, db = (float) (height - 1) - fy;
                    const float d = juce::jmin (juce::jmin (dl, dr), juce::jmin (dt, db));
                    const bool horizontal = juce::jmin (dt, db) < juce::jmin (dl, dr);

                    const float band = style.width * (1.0f + style.wobble * fbm (fx / 120.0f, fy / 120.0f, 3, seed))
                                       + style.rag * fbm (fx / 9.0f, fy / 9.0f, 3, seed + 5);
                    const float inside = band - d; // > 0 inside the paint
                    float p = 0.0f;
                    if (inside > -1.0f)
                    {
                        const float cover = juce::jlimit (0.0f, 1.0f, inside + 0.5f);
                        const float granulation = 0.75f + 0.25f * valueNoise (fx / 2.2f, fy / 2.2f, seed + 9)
                                                  + 0.15f * fbm (fx / 30.0f, fy / 30.0f, 3, seed + 19);
                        const float rim = 0.55f * std::exp (-juce::jmax (0.0f, inside) / 5.0f);
                        // Dry brush: streaks run along the nearest edge.
                        const float streak = horizontal ? fbm (fx / 160.0f, fy / 2.5f, 3, seed + 29)
                                                        : fbm (fx / 2.5f, fy / 160.0f, 3, seed + 29);
                        const float dry = 1.0f - style.dryBrush * smoothstep (-0.1f, 0.35f, streak);
                        p = cover * style.density * (granulation * dry + rim);
                    }
                    if (style.doubleLine)
                    {
                        const float line = band * 1.35f + 6.0f + style.rag * 0.6f * fbm (fx / 7.0f, fy / 7.0f, 2, seed + 41);
                        const float lineCover = juce::jlimit (0.0f, 1.0f, 2.5f - std::abs (d - line));
                        p = juce::jmax (p, lineCover * style.density * 0.9f);
                    }
                    pigment[(size_t) y * (size_t) width + (size_t) x] = p;
                }
        });

        Sequence seq (seed * 13u + 3u);
        const int drops = (int) (style.splatter * 160.0f);
        for (int i = 0; i < drops; ++i)
        {
            // Droplets gather near the frame and thin out towards the middle.
            const float t = std::pow (seq.next(), 2.2f);
            const float reach = style.width * 1.1f + t * (float) juce::jmin (width, height) * 0.22f;
            const int side = (int) (seq.next() * 4.0f);
            const float along = seq.next();
            float sx = 0, sy = 0;
            switch (side)
            {
                case 0:  sx = along * (float) width; sy = reach; break;
                case 1:  sx = along * (float) width; sy = (float) height - reach; break;
                case 2:  sx = reach; sy = along * (float) height; break;
                default: sx = (float) width - reach; sy = along * (float) height; break;
            }
            const float radius = seq.range (1.0f, 6.0f) * (1.0f - 0.6f * t);
            for (int y = juce::jmax (0, (int) (sy - radius - 2)); y <= juce::jmin (height - 1, (int) (sy + radius + 2)); ++y)
                for (int x = juce::jmax (0, (int) (sx - radius - 2)); x <= juce::jmin (width - 1, (int) (sx + radius + 2)); ++x)
                {
                    const float d = std::hypot ((float) x - sx, (float) y - sy);
                    const float cover = juce::jlimit (0.0f, 1.0f, radius + 0.5f - d);
                    auto& p = pigment[(size_t) y * (size_t) width + (size_t) x];
                    p = juce::jmax (p, cover * style.density * (0.8f + 0.4f * std::exp (-(radius - d) / 1.5f)));
                }
        }

        // A sepia-grey wash on white paper.
        ParallelRows::forEachBand (0, height, width, [&] (int first, int end)
        {
            for (int y = first; y < end; ++y)
                for (int x = 0; x < width; ++x)
                {
                    const float p = juce::jlimit (0.0f, 1.0f, pigment[(size_t) y * (size_t) width + (size_t) x]);
                    auto* px = canvas.at (x, y);
                    px[0] = 1.0f - p * 0.80f;
                    px[1] = 1.0f - p * 0.83f;
                    px[2] = 1.0f - p * 0.86f;
                    px[3] = 1.0f;
                }
        });
        return canvas;
    }

    //==============================================================================
    // Brush atlas

    struct Frame
    {
        juce::String name;
        int x, y, width, height;
    };

    /** Paints one blot into its cell of the atlas and returns its tight frame. */
    Frame paintBlot (Canvas& atlas, int cellX, int cellY, int cellSize, uint32_t seed, int number)
    {
        Sequence seq (seed);
        const float aspect = seq.range (0.55f, 1.8f);
        const float base = (float) cellSize * 0.40f;
        const float ax = aspect >= 1.0f ? base : base * aspect;
        const float ay = aspect >= 1.0f ? base / aspect : base;
        const float rotation = seq.range (0.0f, twoPi);
        const float lobes = seq.range (0.08f, 0.22f);
        const float density = seq.range (0.3f, 0.5f);

        // A landscape painter's limited palette at full strength (R, G, B): earths, blues
        // and greens with one rose. Any dab may land anywhere, so vivid outliers would read
        // as confetti; these mix into believable washes wherever they overlap.
        static constexpr float pigments[][3] = {
            { 0.27f, 0.35f, 0.68f }, { 0.66f, 0.36f, 0.20f }, { 0.42f, 0.56f, 0.25f }, { 0.82f, 0.65f, 0.30f },
            { 0.32f, 0.37f, 0.45f }, { 0.38f, 0.60f, 0.76f }, { 0.45f, 0.33f, 0.23f }, { 0.78f, 0.55f, 0.28f },
            { 0.24f, 0.28f, 0.42f }, { 0.50f, 0.52f, 0.26f }, { 0.40f, 0.32f, 0.25f }, { 0.76f, 0.40f, 0.30f },
            { 0.25f, 0.45f, 0.32f }, { 0.92f, 0.80f, 0.52f }, { 0.30f, 0.55f, 0.55f }, { 0.75f, 0.35f, 0.42f } };
        const float* pigment = pigments[(size_t) (number - 1) % std::size (pigments)];

        std::array<float, 720> outline {};
        float amp[6], phase[6];
        for (int k = 0; k < 6; ++k)
        {
            amp[k] = lobes * seq.range (0.2f, 1.0f) / (float) (k + 1);
            phase[k] = seq.range (0.0f, twoPi);
        }
        for (size_t i = 0; i < outline.size(); ++i)
        {
            const float t = twoPi * (float) i / (float) outline.size();
            float r = 1.0f;
            for (int k = 0; k < 6; ++k)
                r += amp[k] * std::sin ((float) (k + 2) * t + phase[k]);
            outline[i] = r;
        }

        const float cx = (float) cellX + (float) cellSize * 0.5f, cy = (float) cellY + (float) cellSize * 0.5f;
        const float cr = std::cos (rotation), sr = std::sin (rotation);
        int minX = cellX + cellSize, minY = cellY + cellSize, maxX = cellX, maxY = cellY;

        // The shape as a field (1 on the edge), then the distance to the edge in pixels
        // from the field's slope: the rim and the anti-aliasing need true pixel widths.
        std::vector<float> field ((size_t) cellSize * (size_t) cellSize, 10.0f);
        for (int y = cellY + 2; y < cellY + cellSize - 2; ++y)
            for (int x = cellX + 2; x < cellX + cellSize - 2; ++x)
            {
                const float fx = (float) x, fy = (float) y;
                // Rotated, stretched coordinates, warped a little for a wet, irregular edge.
                const float wx = 10.0f * fbm (fx / 40.0f, fy / 40.0f, 3, seed + 1);
                const float wy = 10.0f * fbm (fx / 40.0f, fy / 40.0f, 3, seed + 2);
                const float dx = fx + wx - cx, dy = fy + wy - cy;
                const float u = (dx * cr + dy * sr) / ax, v = (-dx * sr + dy * cr) / ay;
                float angle = std::atan2 (v, u);
                if (angle < 0.0f)
                    angle += twoPi;
                const float limit = outline[(size_t) (angle / twoPi * (float) outline.size()) % outline.size()];
                field[(size_t) (y - cellY) * (size_t) cellSize + (size_t) (x - cellX)] = std::sqrt (u * u + v * v) / limit;
            }

        for (int y = cellY + 4; y < cellY + cellSize - 4; ++y)
            for (int x = cellX + 4; x < cellX + cellSize - 4; ++x)
            {
                const float fx = (float) x, fy = (float) y;
                auto f = [&] (int xx, int yy) { return field[(size_t) (yy - cellY) * (size_t) cellSize + (size_t) (xx - cellX)]; };
                const float here = f (x, y);
                if (here > 1.2f)
                    continue;
                const float gx = (f (x + 1, y) - f (x - 1, y)) * 0.5f, gy = (f (x, y + 1) - f (x, y - 1)) * 0.5f;
                const float distance = (1.0f - here) / juce::jmax (1.0e-4f, std::sqrt (gx * gx + gy * gy));
                if (distance < -1.0f)
                    continue;

                const float cover = juce::jlimit (0.0f, 1.0f, distance + 0.5f);
                const float soft = 0.75f + 0.25f * fbm (fx / 70.0f, fy / 70.0f, 3, seed + 3);
                const float granulation = 0.12f * valueNoise (fx / 1.8f, fy / 1.8f, seed + 4)
                                          + 0.10f * fbm (fx / 12.0f, fy / 12.0f, 2, seed + 5);
                // Pigment drifts to the drying edge: a darker rim a few pixels wide.
                const float rim = 0.95f * std::exp (-juce::jmax (0.0f, distance) / 4.0f)
                                  + 0.25f * std::exp (-juce::jmax (0.0f, distance) / 18.0f);
                // Back-runs: paler blooms inside some blots.
                const float bloom = 0.25f * smoothstep (0.35f, 0.6f, fbm (fx / 55.0f, fy / 55.0f, 3, seed + 6));
                const float p = juce::jlimit (0.0f, 1.0f, density * (soft + granulation - bloom) + rim * density);

                auto* px = atlas.at (x, y);
                // Each blot is one pigment: the paint carries its colour, the photograph only
                // decides where it goes. Premultiplied by the coverage, as the framework stores ARGB.
                const float load = juce::jmin (1.0f, p * 1.2f);
                for (int c = 0; c < 3; ++c)
                    px[c] = (1.0f - load * (1.0f - pigment[c])) * cover;
                px[3] = cover;
                minX = juce::jmin (minX, x); maxX = juce::jmax (maxX, x);
                minY = juce::jmin (minY, y); maxY = juce::jmax (maxY, y);
            }

        return { "brush_" + juce::String (number).paddedLeft ('0', 2), minX - 1, minY - 1, maxX - minX + 3, maxY - minY + 3 };
    }

    //==============================================================================
    // Fibre texture

    Canvas paintFibres (uint32_t seed, int size)
    {
        Canvas canvas (size, size);
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
            {
                auto* p = canvas.at (x, y);
                const float v = 0.5f + 0.035f * valueNoise ((float) x / 1.5f, (float) y / 1.5f, seed)
                                     + 0.03f * fbm ((float) x / 40.0f, (float) y / 40.0f, 3, seed + 1);
                p[0] = p[1] = p[2] = v;
                p[3] = 1.0f;
            }
        Sequence seq (seed + 99);
        drawFibres (canvas, seq, 3200, 20.0f, 140.0f, 0.32f);
        return canvas;
    }

    //==============================================================================
    // Encoding and the archive

    juce::MemoryBlock encode (const Canvas& canvas, bool jpeg, bool opaque)
    {
        juce::MemoryOutputStream out;
        if (jpeg)
            SxJPEGImageFormat (0.9f).writeImageToStream (canvas.toImage (true), out);
        else
            juce::PNGImageFormat().writeImageToStream (canvas.toImage (opaque), out);
        return out.getMemoryBlock();
    }

    struct Item
    {
        juce::String group, name;
        juce::MemoryBlock bytes;
    };

    bool writeArchive (const juce::File& file, const std::vector<Item>& items, const juce::StringArray& groupOrder)
    {
        juce::MemoryOutputStream out;
        out.writeInt64 (0); // index offset, patched below
        std::map<juce::String, SxPropertySet> groups;
        std::map<juce::String, int> counts;

        for (const auto& item : items)
        {
            const auto location = out.getPosition();
            auto scrambled = item.bytes;
            auto* b = static_cast<uint8_t*> (scrambled.getData());
            for (size_t i = 0; i < scrambled.getSize(); ++i)
                b[i] ^= ResourceArchive::resourceArchiveKey;
            out.write (scrambled.getData(), scrambled.getSize());

            auto& set = groups[item.group];
            const int i = counts[item.group]++;
            setStringProperty (set, "Name" + juce::String (i), item.name);
            setIntProperty (set, "Location" + juce::String (i), (int) location);
            setIntProperty (set, "Size" + juce::String (i), (int) item.bytes.getSize());
        }

        SxPropertySet index;
        setIntProperty (index, "binaryFileVersion", 1);
        for (const auto& name : groupOrder)
        {
            auto& set = groups[name];
            setIntProperty (set, "Count", counts[name]);
            set.writeAsRecord (index, name);
        }

        juce::MemoryOutputStream indexBytes;
        index.writeToStream (indexBytes);
        const auto indexOffset = out.getPosition();
        out.writeInt64 ((juce::int64) indexBytes.getDataSize());
        out.write (indexBytes.getData(), indexBytes.getDataSize());
        if (out.getPosition() > 0x7fffffff)
            return false;

        auto block = out.getMemoryBlock();
        juce::MemoryOutputStream header;
        header.writeInt64 ((juce::int64) indexOffset);
        block.copyFrom (header.getData(), 0, 8);

        return AtomicFileWriter::writeBytes (file, block.getData(), block.getSize());
    }

    void pasteInto (Canvas& sheet, const Canvas& image, int left, int top)
    {
        for (int y = 0; y < image.height && top + y < sheet.height; ++y)
            for (int x = 0; x < image.width && left + x < sheet.width; ++x)
            {
                const auto* s = image.at (x, y);
                auto* d = sheet.at (left + x, top + y);
                // Over a checker-free mid background: composite the premultiplied pixel.
                for (int c = 0; c < 3; ++c)
                    d[c] = s[c] + d[c] * (1.0f - s[3]);
                d[3] = 1.0f;
            }
    }
}

int main (int argc, char* argv[])
{
    if (argc < 2)
    {
        std::fprintf (stderr, "usage: %s <archive file> [contact sheet png]\n", argv[0]);
        return 2;
    }
    const auto cwd = juce::File::getCurrentWorkingDirectory();
    const auto archiveFile = cwd.getChildFile (argv[1]);
    archiveFile.getParentDirectory().createDirectory();

    std::vector<Item> items;
    Canvas sheet (1800, 1720);
    for (size_t i = 0; i < sheet.data.size(); i += 4)
        sheet.data[i] = sheet.data[i + 1] = sheet.data[i + 2] = 0.30f, sheet.data[i + 3] = 1.0f;

    // Papers: the default first, then every aged sheet the factory presets name.
    const std::vector<PaperStyle> papers {
        { "Quenza-01",    0.985f, 0.982f, 0.970f, 0.00f, 0.060f, 5.0f, 1.0f },
        { "Aged-Paper13", 0.965f, 0.940f, 0.880f, 0.45f, 0.070f, 6.0f, 1.2f },
        { "Aged-Paper15", 0.955f, 0.925f, 0.850f, 0.60f, 0.055f, 4.5f, 0.9f },
        { "Aged-Paper16", 0.970f, 0.955f, 0.915f, 0.30f, 0.085f, 7.0f, 1.0f },
        { "Aged-Paper21", 0.940f, 0.905f, 0.830f, 0.75f, 0.065f, 5.5f, 1.4f },
        { "Aged-Paper22", 0.960f, 0.945f, 0.905f, 0.35f, 0.095f, 8.0f, 0.8f },
        { "Aged-Paper28", 0.930f, 0.890f, 0.800f, 0.85f, 0.060f, 5.0f, 1.1f },
        { "Aged-Paper31", 0.975f, 0.960f, 0.925f, 0.25f, 0.050f, 4.0f, 1.6f },
        { "Aged-Paper32", 0.950f, 0.935f, 0.905f, 0.40f, 0.075f, 6.5f, 1.0f },
        { "Aged-Paper33", 0.945f, 0.915f, 0.860f, 0.65f, 0.080f, 6.0f, 1.2f },
        { "Aged-Paper35", 0.960f, 0.930f, 0.870f, 0.55f, 0.070f, 9.0f, 0.9f },
        { "Aged-Paper37", 0.950f, 0.920f, 0.850f, 0.70f, 0.075f, 6.0f, 1.3f },
    };
    // One sheet per thread: every item has its own slot and its own area of the contact sheet.
    std::vector<Item> paperItems (papers.size()), paperThumbs (papers.size());
    ParallelRows::forEachBand (0, (int) papers.size(), 1 << 22, [&] (int first, int end)
    {
        for (size_t i = (size_t) first; i < (size_t) end; ++i)
        {
            const auto paper = paintPaper (papers[i], 1000u + (uint32_t) i, 2048, 1536);
            paperItems[i] = { "Tolva_Backgrounds", papers[i].name + ".jpg", encode (paper, true, true) };
            const auto thumb = paper.downscaled (8, 512, 256, 128, 128);
            paperThumbs[i] = { "Thumbnail_Tolva_Backgrounds", papers[i].name + ".jpg", encode (thumb, true, true) };
            // Contact sheet: the whole paper small, and a 1:1 crop to judge the tooth.
            pasteInto (sheet, paper.downscaled (8), 10 + (int) (i % 6) * 298, 5 + (int) (i / 6) * 340);
            Canvas crop (128, 96);
            for (int y = 0; y < 96; ++y)
                for (int x = 0; x < 128; ++x)
                    std::copy_n (paper.at (700 + x, 700 + y), 4, crop.at (x, y));
            pasteInto (sheet, crop, 10 + (int) (i % 6) * 298, 202 + (int) (i / 6) * 340);
            pasteInto (sheet, thumb, 148 + (int) (i % 6) * 298, 202 + (int) (i / 6) * 340);
        }
    });
    for (auto& p : paperItems)
        items.push_back (std::move (p));
    for (auto& t : paperThumbs)
        items.push_back (std::move (t));

    // Borders: a constant sheet first (no outline), then painted frames.
    const std::vector<BorderStyle> borders {
        { 70.0f, 0.35f, 10.0f, 0.00f, 0.0f, 0.55f, false },
        { 34.0f, 0.50f, 14.0f, 0.10f, 0.0f, 0.80f, false },
        { 90.0f, 0.30f,  8.0f, 0.65f, 0.0f, 0.70f, false },
        { 55.0f, 0.40f, 12.0f, 0.10f, 1.0f, 0.75f, false },
        { 40.0f, 0.25f,  6.0f, 0.00f, 0.0f, 0.65f, true  },
        { 120.0f, 0.55f, 20.0f, 0.30f, 0.4f, 0.45f, false },
        { 26.0f, 0.60f, 18.0f, 0.50f, 0.6f, 0.90f, false },
        { 75.0f, 0.45f, 30.0f, 0.20f, 0.0f, 0.60f, true  },
    };
    std::vector<Item> borderThumbs;
    {
        Canvas none (256, 192);
        for (size_t i = 0; i < none.data.size(); ++i)
            none.data[i] = 1.0f;
        items.push_back ({ "Tolva_Borders", "0a-none.png", encode (none, false, true) });
        Canvas noneThumb (150, 112);
        for (size_t i = 0; i < noneThumb.data.size(); ++i)
            noneThumb.data[i] = 1.0f;
        // The thumbnail of "no border" shows a thin diagonal stroke.
        for (int x = 0; x < 150; ++x)
            noneThumb.stampTone ((float) x, 111.0f - (float) x * 111.0f / 149.0f, 1.0f, -0.6f);
        borderThumbs.push_back ({ "Tolva_Thumbnail_Borders", "0a-none.png", encode (noneThumb, false, true) });
        pasteInto (sheet, noneThumb, 10, 700);
    }
    std::vector<Item> borderItems (borders.size());
    borderThumbs.resize (borders.size() + 1);
    ParallelRows::forEachBand (0, (int) borders.size(), 1 << 22, [&] (int first, int end)
    {
        for (size_t i = (size_t) first; i < (size_t) end; ++i)
        {
            const auto name = "border-" + juce::String ((int) i + 1).paddedLeft ('0', 2) + ".jpg";
            const auto border = paintBorder (borders[i], 2000u + (uint32_t) i, 1200, 900);
            borderItems[i] = { "Tolva_Borders", name, encode (border, true, true) };
            const auto thumb = border.downscaled (8);
            borderThumbs[i + 1] = { "Tolva_Thumbnail_Borders", name, encode (thumb, true, true) };
            const int slot = (int) i + 1;
            pasteInto (sheet, border.downscaled (4), 10 + (slot % 5) * 310, 700 + (slot / 5) * 240);
        }
    });
    for (auto& b : borderItems)
        items.push_back (std::move (b));
    for (auto& t : borderThumbs)
        items.push_back (std::move (t));

    // The brush atlas: 4 x 4 blots and their frame description.
    {
        const int cell = 512, columns = 4;
        Canvas atlas (cell * columns, cell * columns);
        std::vector<Frame> frames ((size_t) (columns * columns));
        ParallelRows::forEachBand (0, columns * columns, (int64_t) cell * cell, [&] (int first, int end)
        {
            for (int n = first; n < end; ++n)
                frames[(size_t) n] = paintBlot (atlas, (n % columns) * cell, (n / columns) * cell, cell, 3000u + (uint32_t) n, n + 1);
        });
        items.push_back ({ "Tolva_Brush_Atlas", "Tolva_Brush_Atlas.png", encode (atlas, false, false) });

        std::vector<SpriteFrameDescription::Entry> entries;
        for (const auto& frame : frames)
            entries.push_back ({ frame.name, (double) frame.x, (double) frame.y, (double) frame.width, (double) frame.height });
        const auto text = SpriteFrameDescription::write (entries);
        juce::MemoryBlock textBytes (text.toRawUTF8(), text.getNumBytesAsUTF8());
        items.push_back ({ "Tolva_Brush_Atlas", "Tolva_Color_Brush_Atlas.plist", textBytes });
        Canvas white (512, 512);
        for (size_t i = 0; i < white.data.size(); ++i)
            white.data[i] = 1.0f;
        pasteInto (white, atlas.downscaled (4), 0, 0);
        pasteInto (sheet, white, 10, 1200);
        Canvas blot (256, 256);
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x)
            {
                const auto* p = atlas.at (520 + x, 520 + y);
                auto* d = blot.at (x, y);
                for (int c = 0; c < 3; ++c)
                    d[c] = p[c] + (1.0f - p[3]);
                d[3] = 1.0f;
            }
        pasteInto (sheet, blot, 1340, 1200);
    }

    // The paper fibre texture, spread around mid-grey.
    {
        const auto fibres = paintFibres (4000u, 1024);
        items.push_back ({ "Quenzella_Tolva_General", "Fibers.png", encode (fibres, false, true) });
        pasteInto (sheet, fibres.downscaled (2), 540, 1200);
        Canvas crop (256, 256);
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x)
                std::copy_n (fibres.at (300 + x, 300 + y), 4, crop.at (x, y));
        pasteInto (sheet, crop, 1070, 1200);
    }

    const juce::StringArray groupOrder { "Tolva_Backgrounds", "Thumbnail_Tolva_Backgrounds", "Tolva_Borders",
                                         "Tolva_Thumbnail_Borders", "Tolva_Brush_Atlas", "Quenzella_Tolva_General" };
    if (! writeArchive (archiveFile, items, groupOrder))
    {
        std::fprintf (stderr, "cannot write %s\n", archiveFile.getFullPathName().toRawUTF8());
        return 1;
    }

    if (argc > 2)
    {
        const auto sheetFile = cwd.getChildFile (argv[2]);
        const auto png = encode (sheet, false, true);
        if (! AtomicFileWriter::writeBytes (sheetFile, png.getData(), png.getSize()))
        {
            std::fprintf (stderr, "cannot write %s\n", sheetFile.getFullPathName().toRawUTF8());
            return 1;
        }
    }
    return 0;
}
