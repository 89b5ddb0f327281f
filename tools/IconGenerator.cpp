// Draws the application icon and writes it as embedded binary data in the framework's
// convention (BinaryData.h / BinaryData.cpp with a hash lookup by resource name).
// Deterministic: a fixed seed, no clock, so two runs write the same bytes.

#include <juce_graphics/juce_graphics.h>

#include <cmath>
#include <cstdio>
#include <random>

namespace
{
    struct Rng
    {
        std::mt19937 engine;
        explicit Rng (uint32_t seed) : engine (seed) {}
        float next() { return (float) (engine() >> 8) * (1.0f / 16777216.0f); }
        float range (float lo, float hi) { return lo + (hi - lo) * next(); }
    };

    juce::Path raggedBlob (juce::Point<float> centre, float radius, Rng& rng, float roughness)
    {
        float amp[6], phase[6];
        for (int k = 0; k < 6; ++k)
        {
            amp[k] = rng.range (0.2f, 1.0f) * roughness / (float) (k + 1);
            phase[k] = rng.range (0.0f, juce::MathConstants<float>::twoPi);
        }
        juce::Path p;
        const int steps = 360;
        for (int i = 0; i < steps; ++i)
        {
            const float t = juce::MathConstants<float>::twoPi * (float) i / (float) steps;
            float r = 1.0f;
            for (int k = 0; k < 6; ++k)
                r += amp[k] * std::sin ((float) (k + 2) * t + phase[k]);
            r += rng.range (-0.01f, 0.01f);
            const auto pt = centre + juce::Point<float> (std::cos (t), std::sin (t)) * (radius * r);
            if (i == 0) p.startNewSubPath (pt); else p.lineTo (pt);
        }
        p.closeSubPath();
        return p;
    }

    void paintWash (juce::Graphics& g, juce::Point<float> centre, float radius, juce::Colour colour, Rng& rng)
    {
        // Layered translucent fills give the pooled interior; a darker stroke the dried rim.
        for (int layer = 0; layer < 7; ++layer)
        {
            const auto blob = raggedBlob (centre, radius * (1.0f - 0.06f * (float) layer), rng, 0.12f);
            g.setColour (colour.withAlpha (0.16f));
            g.fillPath (blob);
            if (layer == 0)
            {
                g.setColour (colour.darker (0.5f).withAlpha (0.55f));
                g.strokePath (blob, juce::PathStrokeType (radius * 0.035f));
            }
        }
    }

    juce::Image drawIcon()
    {
        const int size = 1024;
        juce::Image image (juce::Image::ARGB, size, size, true, juce::SoftwareImageType());
        Rng rng (0x51C0u);
        {
            juce::Graphics g (image);
            const auto tile = juce::Rectangle<float> (64.0f, 64.0f, 896.0f, 896.0f);
            juce::Path shape;
            shape.addRoundedRectangle (tile, 190.0f);

            g.setColour (juce::Colours::black.withAlpha (0.25f));
            g.fillPath (shape, juce::AffineTransform::translation (0.0f, 14.0f));
            g.setGradientFill (juce::ColourGradient (juce::Colour (0xfffbf6ea), 200.0f, 150.0f,
                                                     juce::Colour (0xffeee3cc), 820.0f, 900.0f, false));
            g.fillPath (shape);

            g.saveState();
            g.reduceClipRegion (shape);
            paintWash (g, { 400.0f, 430.0f }, 250.0f, juce::Colour (0xff2f6fb3), rng);
            paintWash (g, { 630.0f, 470.0f }, 220.0f, juce::Colour (0xffe0a030), rng);
            paintWash (g, { 520.0f, 660.0f }, 210.0f, juce::Colour (0xffd2506a), rng);

            // One ink stroke across the washes.
            juce::Path stroke;
            stroke.startNewSubPath (250.0f, 760.0f);
            stroke.cubicTo (380.0f, 600.0f, 560.0f, 820.0f, 780.0f, 300.0f);
            g.setColour (juce::Colour (0xff2a1a10).withAlpha (0.85f));
            g.strokePath (stroke, juce::PathStrokeType (22.0f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
            g.restoreState();
        }

        // Paper grain inside the tile.
        juce::Image::BitmapData data (image, juce::Image::BitmapData::readWrite);
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
            {
                auto c = data.getPixelColour (x, y);
                if (c.getAlpha() < 250)
                    continue;
                const float grain = rng.range (-0.035f, 0.035f);
                data.setPixelColour (x, y, c.withMultipliedBrightness (1.0f + grain));
            }
        return image;
    }

    bool writeText (const juce::File& file, const juce::String& text)
    {
        juce::TemporaryFile temp (file);
        if (! temp.getFile().replaceWithText (text, false, false, "\n"))
            return false;
        return temp.overwriteTargetFileWithTemporary();
    }
}

int main (int argc, char* argv[])
{
    if (argc < 2)
    {
        std::fprintf (stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const juce::File out (juce::File::getCurrentWorkingDirectory().getChildFile (argv[1]));
    out.createDirectory();

    juce::MemoryOutputStream png;
    juce::PNGImageFormat().writeImageToStream (drawIcon(), png);
    const auto block = png.getMemoryBlock();
    out.getChildFile ("icon.png").replaceWithData (block.getData(), block.getSize());

    const juce::String name = "icon_png";
    uint32_t hash = 0;
    for (auto p = name.toRawUTF8(); *p != 0; ++p)
        hash = 31 * hash + (uint32_t) (int) (signed char) *p;

    juce::String header;
    header << "// Generated by the icon generator: do not edit.\n#pragma once\n\n"
           << "namespace BinaryData\n{\n"
           << "    extern const char* icon_png;\n"
           << "    const int icon_pngSize = " << (int) block.getSize() << ";\n\n"
           << "    extern const int namedResourceListSize;\n"
           << "    extern const char* namedResourceList[];\n"
           << "    extern const char* originalFilenames[];\n\n"
           << "    /** The bytes of the resource whose name hashes like resourceNameUTF8, or null (size 0). */\n"
           << "    const char* getNamedResource (const char* resourceNameUTF8, int& dataSizeInBytes);\n"
           << "    /** The original file name of a resource, or null. */\n"
           << "    const char* getNamedResourceOriginalFilename (const char* resourceNameUTF8);\n"
           << "}\n";

    juce::MemoryOutputStream cpp;
    cpp << "// Generated by the icon generator: do not edit.\n#include \"BinaryData.h\"\n#include <cstring>\n\n"
        << "namespace BinaryData\n{\n\nstatic const unsigned char temp_icon_png[] =\n{";
    const auto* bytes = static_cast<const uint8_t*> (block.getData());
    for (size_t i = 0; i < block.getSize(); ++i)
    {
        if (i % 40 == 0)
            cpp << "\n  ";
        cpp << (int) bytes[i] << ",";
    }
    cpp << "0,0};\n\nconst char* icon_png = (const char*) temp_icon_png;\n\n"
        << "const char* getNamedResource (const char* resourceNameUTF8, int& numBytes)\n{\n"
        << "    unsigned int hash = 0;\n\n"
        << "    if (resourceNameUTF8 != nullptr)\n"
        << "        while (*resourceNameUTF8 != 0)\n"
        << "            hash = 31 * hash + (unsigned int) (int) (signed char) *resourceNameUTF8++;\n\n"
        << "    switch (hash)\n    {\n"
        << "        case 0x" << juce::String::toHexString ((int) hash) << ":  numBytes = " << (int) block.getSize() << "; return icon_png;\n"
        << "        default: break;\n    }\n\n"
        << "    numBytes = 0;\n    return nullptr;\n}\n\n"
        << "const char* namedResourceList[] =\n{\n    \"icon_png\"\n};\n\n"
        << "const char* originalFilenames[] =\n{\n    \"icon.png\"\n};\n\n"
        << "const int namedResourceListSize = 1;\n\n"
        << "const char* getNamedResourceOriginalFilename (const char* resourceNameUTF8)\n{\n"
        << "    if (resourceNameUTF8 == nullptr)\n        return nullptr;\n"
        << "    for (int i = 0; i < namedResourceListSize; ++i)\n"
        << "        if (std::strcmp (namedResourceList[i], resourceNameUTF8) == 0)\n"
        << "            return originalFilenames[i];\n"
        << "    return nullptr;\n}\n\n}\n";

    if (! writeText (out.getChildFile ("BinaryData.h"), header)
         || ! writeText (out.getChildFile ("BinaryData.cpp"), cpp.toString()))
    {
        std::fprintf (stderr, "cannot write to %s\n", out.getFullPathName().toRawUTF8());
        return 1;
    }
    return 0;
}
