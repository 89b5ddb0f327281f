#include "GoldenImage.h"

#include "TestImages.h"

#include <cmath>
#include <sstream>

namespace sxtest
{
    namespace
    {
        struct Lab { double l, a, b; };

        double linear (uint8_t channel)
        {
            const double c = channel / 255.0;
            return c <= 0.04045 ? c / 12.92 : std::pow ((c + 0.055) / 1.055, 2.4);
        }

        Lab toLab (juce::Colour colour)
        {
            const double r = linear (colour.getRed()), g = linear (colour.getGreen()), b = linear (colour.getBlue());
            // sRGB primaries to XYZ, relative to the D65 white.
            const double x = (0.4124564 * r + 0.3575761 * g + 0.1804375 * b) / 0.95047;
            const double y = (0.2126729 * r + 0.7151522 * g + 0.0721750 * b);
            const double z = (0.0193339 * r + 0.1191920 * g + 0.9503041 * b) / 1.08883;
            auto f = [] (double t) { return t > 216.0 / 24389.0 ? std::cbrt (t) : (24389.0 / 27.0 * t + 16.0) / 116.0; };
            return { 116.0 * f (y) - 16.0, 500.0 * (f (x) - f (y)), 200.0 * (f (y) - f (z)) };
        }

        double degrees (double radians) { return radians * 180.0 / juce::MathConstants<double>::pi; }
        double radians (double degrees) { return degrees * juce::MathConstants<double>::pi / 180.0; }

        juce::File goldenFile (const juce::String& name)
        {
            const auto data = juce::SystemStats::getEnvironmentVariable ("SX_TEST_DATA", {});
            return juce::File (data).getChildFile ("golden").getChildFile (name + ".png");
        }

        bool writePng (const juce::Image& image, const juce::File& file)
        {
            const auto temp = file.getSiblingFile (file.getFileName() + ".part");
            bool written = false;
            {
                juce::FileOutputStream stream (temp);
                if (stream.openedOk())
                {
                    stream.setPosition (0);
                    stream.truncate();
                    juce::PNGImageFormat png;
                    written = png.writeImageToStream (image, stream);
                }
            }
            return written && temp.moveFileTo (file);
        }
    }

    double deltaE2000 (juce::Colour first, juce::Colour second)
    {
        const Lab p = toLab (first), q = toLab (second);
        const double c1 = std::hypot (p.a, p.b), c2 = std::hypot (q.a, q.b);
        const double cMean7 = std::pow ((c1 + c2) / 2.0, 7.0);
        const double g = 0.5 * (1.0 - std::sqrt (cMean7 / (cMean7 + std::pow (25.0, 7.0))));
        const double a1 = (1.0 + g) * p.a, a2 = (1.0 + g) * q.a;
        const double cp1 = std::hypot (a1, p.b), cp2 = std::hypot (a2, q.b);
        auto hue = [] (double b, double a) {
            if (a == 0.0 && b == 0.0)
                return 0.0;
            const double h = degrees (std::atan2 (b, a));
            return h < 0.0 ? h + 360.0 : h;
        };
        const double h1 = hue (p.b, a1), h2 = hue (q.b, a2);

        const double dL = q.l - p.l, dC = cp2 - cp1;
        double dh = 0.0;
        if (cp1 * cp2 != 0.0)
        {
            dh = h2 - h1;
            if (dh > 180.0) dh -= 360.0;
            else if (dh < -180.0) dh += 360.0;
        }
        const double dH = 2.0 * std::sqrt (cp1 * cp2) * std::sin (radians (dh / 2.0));

        const double lMean = (p.l + q.l) / 2.0, cpMean = (cp1 + cp2) / 2.0;
        double hMean = h1 + h2;
        if (cp1 * cp2 != 0.0)
        {
            if (std::abs (h1 - h2) <= 180.0) hMean /= 2.0;
            else hMean = (h1 + h2 < 360.0) ? (h1 + h2 + 360.0) / 2.0 : (h1 + h2 - 360.0) / 2.0;
        }
        const double t = 1.0 - 0.17 * std::cos (radians (hMean - 30.0)) + 0.24 * std::cos (radians (2.0 * hMean))
                       + 0.32 * std::cos (radians (3.0 * hMean + 6.0)) - 0.20 * std::cos (radians (4.0 * hMean - 63.0));
        const double l50 = (lMean - 50.0) * (lMean - 50.0);
        const double sl = 1.0 + 0.015 * l50 / std::sqrt (20.0 + l50);
        const double sc = 1.0 + 0.045 * cpMean;
        const double sh = 1.0 + 0.015 * cpMean * t;
        const double cpMean7 = std::pow (cpMean, 7.0);
        const double rc = 2.0 * std::sqrt (cpMean7 / (cpMean7 + std::pow (25.0, 7.0)));
        const double rt = -rc * std::sin (radians (60.0 * std::exp (-std::pow ((hMean - 275.0) / 25.0, 2.0))));
        const double l = dL / sl, c = dC / sc, h = dH / sh;
        return std::sqrt (l * l + c * c + h * h + rt * c * h);
    }

    std::string GoldenComparison::describe() const
    {
        std::ostringstream text;
        if (! sameSize)
            text << "sizes differ";
        else
            text << "max channel difference " << maxChannelDifference << ", CIEDE2000 max " << maxDeltaE
                 << " mean " << meanDeltaE;
        return text.str();
    }

    GoldenComparison compareImages (const juce::Image& actual, const juce::Image& golden)
    {
        GoldenComparison result;
        result.sameSize = actual.isValid() && golden.isValid() && actual.getBounds() == golden.getBounds();
        if (! result.sameSize)
            return result;

        double sum = 0.0;
        for (int y = 0; y < actual.getHeight(); ++y)
            for (int x = 0; x < actual.getWidth(); ++x)
            {
                const auto a = actual.getPixelAt (x, y), g = golden.getPixelAt (x, y);
                for (const auto d : { a.getAlpha() - g.getAlpha(), a.getRed() - g.getRed(),
                                      a.getGreen() - g.getGreen(), a.getBlue() - g.getBlue() })
                    result.maxChannelDifference = std::max (result.maxChannelDifference, std::abs (d));
                const double e = deltaE2000 (a, g);
                result.maxDeltaE = std::max (result.maxDeltaE, e);
                sum += e;
            }
        result.meanDeltaE = sum / ((double) actual.getWidth() * actual.getHeight());
        return result;
    }

    GoldenComparison checkGolden (const juce::Image& actual, const juce::String& name)
    {
        const auto file = goldenFile (name);
        if (juce::SystemStats::getEnvironmentVariable ("SX_UPDATE_GOLDENS", {}).isNotEmpty())
        {
            file.getParentDirectory().createDirectory();
            writePng (actual, file);
            return compareImages (actual, actual);
        }

        const auto golden = juce::ImageFileFormat::loadFrom (file);
        auto result = compareImages (actual, golden);
        if (! result.withinTolerance())
        {
            const auto folder = failureOutputFolder();
            writePng (actual, folder.getChildFile (name + "-actual.png"));
            if (result.sameSize)
            {
                juce::Image diff (juce::Image::RGB, actual.getWidth(), actual.getHeight(), false);
                for (int y = 0; y < actual.getHeight(); ++y)
                    for (int x = 0; x < actual.getWidth(); ++x)
                    {
                        const auto a = actual.getPixelAt (x, y), g = golden.getPixelAt (x, y);
                        auto amplified = [] (int d) { return (uint8_t) std::min (255, std::abs (d) * 8); };
                        diff.setPixelAt (x, y, juce::Colour (amplified (a.getRed() - g.getRed()),
                                                             amplified (a.getGreen() - g.getGreen()),
                                                             amplified (a.getBlue() - g.getBlue())));
                    }
                writePng (diff, folder.getChildFile (name + "-diff.png"));
            }
        }
        return result;
    }
}
