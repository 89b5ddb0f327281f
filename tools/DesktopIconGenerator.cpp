// Scales the application icon down to the sizes of the desktop's hicolor icon theme:
// <output>/<n>x<n>/apps/<name>.png for each size. Each pixel is the area-weighted mean of
// the source pixels it covers, in premultiplied colour, so the transparent corners neither
// darken nor fringe the edges at any ratio. Deterministic.

#include <juce_graphics/juce_graphics.h>

#include <cstdio>
#include <vector>

namespace
{
    /** Weights of the source cells that destination cell i covers along one axis. */
    struct Span { int first; std::vector<double> weights; };

    std::vector<Span> spansFor (int sourceSize, int destinationSize)
    {
        std::vector<Span> spans ((size_t) destinationSize);
        const double scale = (double) sourceSize / destinationSize;
        for (int i = 0; i < destinationSize; ++i)
        {
            const double begin = i * scale, end = (i + 1) * scale;
            auto& span = spans[(size_t) i];
            span.first = (int) begin;
            for (int s = span.first; s < sourceSize && s < end; ++s)
                span.weights.push_back ((juce::jmin (end, (double) s + 1) - juce::jmax (begin, (double) s)) / scale);
        }
        return spans;
    }

    juce::Image scaleDown (const juce::Image& source, int size)
    {
        const auto input = source.convertedToFormat (juce::Image::ARGB);
        juce::Image output (juce::Image::ARGB, size, size, true, juce::SoftwareImageType());
        const juce::Image::BitmapData in (input, juce::Image::BitmapData::readOnly);
        juce::Image::BitmapData out (output, juce::Image::BitmapData::writeOnly);
        const auto columns = spansFor (input.getWidth(), size);
        const auto rows = spansFor (input.getHeight(), size);

        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
            {
                double sum[4] = {};
                const auto& row = rows[(size_t) y];
                const auto& column = columns[(size_t) x];
                for (size_t j = 0; j < row.weights.size(); ++j)
                    for (size_t i = 0; i < column.weights.size(); ++i)
                    {
                        const auto* p = reinterpret_cast<const juce::PixelARGB*> (in.getPixelPointer (column.first + (int) i, row.first + (int) j));
                        const double w = row.weights[j] * column.weights[i];
                        sum[0] += w * p->getAlpha();
                        sum[1] += w * p->getRed();
                        sum[2] += w * p->getGreen();
                        sum[3] += w * p->getBlue();
                    }
                auto byte = [] (double v) { return (juce::uint8) juce::jlimit (0, 255, juce::roundToInt (v)); };
                const auto alpha = byte (sum[0]);
                auto* d = reinterpret_cast<juce::PixelARGB*> (out.getPixelPointer (x, y));
                d->setARGB (alpha, juce::jmin (alpha, byte (sum[1])), juce::jmin (alpha, byte (sum[2])), juce::jmin (alpha, byte (sum[3])));
            }
        return output;
    }
}

int main (int argc, char* argv[])
{
    if (argc < 4)
    {
        std::fprintf (stderr, "usage: %s <icon.png> <output folder> <icon name> [sizes...]\n", argv[0]);
        return 2;
    }

    const auto cwd = juce::File::getCurrentWorkingDirectory();
    const auto icon = juce::ImageFileFormat::loadFrom (cwd.getChildFile (argv[1]));
    if (! icon.isValid())
    {
        std::fprintf (stderr, "cannot read %s\n", argv[1]);
        return 1;
    }

    std::vector<int> sizes;
    for (int i = 4; i < argc; ++i)
        sizes.push_back (juce::String (argv[i]).getIntValue());
    if (sizes.empty())
        sizes = { 16, 24, 32, 48, 64, 128, 256, 512 };

    const auto out = cwd.getChildFile (argv[2]);
    for (const auto size : sizes)
    {
        if (size <= 0 || size > icon.getWidth())
            continue;
        const auto sizeName = juce::String (size) + "x" + juce::String (size);
        const auto file = out.getChildFile (sizeName).getChildFile ("apps").getChildFile (juce::String (argv[3]) + ".png");
        file.getParentDirectory().createDirectory();

        juce::MemoryOutputStream png;
        if (! juce::PNGImageFormat().writeImageToStream (scaleDown (icon, size), png))
            return 1;
        juce::TemporaryFile temp (file);
        if (! temp.getFile().replaceWithData (png.getData(), png.getDataSize()) || ! temp.overwriteTargetFileWithTemporary())
        {
            std::fprintf (stderr, "cannot write %s\n", file.getFullPathName().toRawUTF8());
            return 1;
        }
    }
    return 0;
}
