#include "WatercolorSettings.h"

#include "PropertyValues.h"
#include "ResourceArchive.h"

#include <cmath>
#include <mutex>

namespace
{
    std::mutex sourceLock;
    WatercolorSettings::ArchiveNameSource archiveNameSource;

    juce::StringArray archiveItemNames (const juce::String& group)
    {
        const std::lock_guard<std::mutex> hold (sourceLock);
        // The application reads the resource archive; tests may bring their own names.
        return archiveNameSource ? archiveNameSource (group) : getArchiveItemNames (group, false);
    }

    /** Item int(r x n) of names, the index kept below n. */
    juce::String pickItem (const juce::StringArray& names, float r)
    {
        const int index = juce::jlimit (0, names.size() - 1, (int) (r * (float) names.size()));
        return names[index];
    }

    /** The truncation of a stored number; a value no int can hold (or NaN) reads as 0
        rather than being converted with undefined behaviour. */
    int truncatedInt (double value)
    {
        if (! std::isfinite (value) || value <= (double) std::numeric_limits<int>::min() - 1.0
                                    || value >= (double) std::numeric_limits<int>::max() + 1.0)
            return 0;
        return (int) value;
    }

    uint8_t lowByte (int value) { return (uint8_t) (value & 0xff); }

    //==============================================================================
    void writeColour (juce::PropertySet& set, const juce::String& key, uint32_t colour)
    {
        setIntProperty (set, key + ".red", PixelMath::wordRed (colour));
        setIntProperty (set, key + ".green", PixelMath::wordGreen (colour));
        setIntProperty (set, key + ".blue", PixelMath::wordBlue (colour));
        setIntProperty (set, key + ".alpha", PixelMath::wordAlpha (colour));
    }

    uint32_t readColour (const juce::PropertySet& set, const juce::String& key)
    {
        const auto component = [&] (const char* suffix) { return lowByte (set.getIntValue (key + suffix, 0)); };
        return PixelMath::makeWord (component (".alpha"), component (".red"), component (".green"), component (".blue"));
    }

    uint32_t readColourOrWhite (const juce::PropertySet& set, const juce::String& key)
    {
        return set.containsKey (key + ".red") ? readColour (set, key) : WatercolorSettings::opaqueWhite;
    }
}

void WatercolorSettings::setArchiveNameSource (ArchiveNameSource source)
{
    const std::lock_guard<std::mutex> hold (sourceLock);
    archiveNameSource = std::move (source);
}

juce::String WatercolorSettings::archiveItemName (const juce::String& group, int index)
{
    return archiveItemNames (group)[index];
}

juce::String WatercolorSettings::stripImageSuffix (const juce::String& name)
{
    if (name.endsWith (".jpg") || name.endsWith (".png"))
        return name.dropLastCharacters (4);
    return name;
}

//==============================================================================
void WatercolorSettings::resetToDefaults()
{
    const float keptAreaFill = mEdge;
    *this = WatercolorSettings();
    mEdge = keptAreaFill;
}

void WatercolorSettings::randomize (bool maskHasOutlines, const std::function<float()>& draw)
{
    const auto papers = archiveItemNames ("Tolva_Backgrounds");
    const float paperDraw = draw();
    if (! papers.isEmpty())
        edgeFileName = pickItem (papers, paperDraw);

    borderFileName = "0a-none";
    if (draw() > 0.875f)
    {
        const auto borders = archiveItemNames ("Tolva_Borders");
        const float borderDraw = draw();
        if (! borders.isEmpty())
            borderFileName = pickItem (borders, borderDraw);
    }

    mStrength = 0.75f + 0.25f * draw();
    paintFill = 0.25f + 0.25f * draw();
    paintSize = 0.25f + 0.5f * draw();
    mEdge = 0.25f + 0.25f * draw();
    mVariation = draw();
    mOutline = 0.125f + 0.5f * draw();
    mOutlineDetail = 0.125f + 0.5f * draw();
    mOutlineThreshold = 0.25f + 0.25f * draw();
    hueShift = 0.75f + 0.25f * draw();
    saturation = 0.75f + 0.25f * draw();
    edgeCanvasTexture = 0.125f + 0.25f * draw();

    const auto red = (uint8_t) (55.0f * draw());
    const auto green = (uint8_t) (55.0f * draw());
    const auto blue = (uint8_t) (55.0f * draw());
    sepiaColor = PixelMath::makeWord (255, red, green, blue);

    mInsideColor = (int) (5.0f * draw());
    if (! maskHasOutlines)
        mInsideColor = (int) (4.0f * draw());
}

//==============================================================================
void WatercolorSettings::saveToPropertySet (juce::PropertySet& set) const
{
    setFloatProperty (set, "overallStrength", overallStrength);
    setIntProperty (set, "backgroundStyleMode", backgroundStyleMode);
    writeColour (set, "backgroundColor", backgroundColor);
    writeColour (set, "backgroundPaperColor", backgroundPaperColor);
    setFloatProperty (set, "backgroundPaperTintStrength", backgroundPaperTintStrength);
    setFloatProperty (set, "edgeCanvasTexture", edgeCanvasTexture);
    if (edgeFileName.isNotEmpty())
        setStringProperty (set, "edgeFileName", edgeFileName);
    if (borderFileName.isNotEmpty())
        setStringProperty (set, "borderFileName", borderFileName);
    setFloatProperty (set, "mInsideColor", (float) mInsideColor);

    setFloatProperty (set, "mWetEdge", mWetEdge);
    setFloatProperty (set, "mEdge", mEdge);
    setFloatProperty (set, "paintFill", paintFill);
    setFloatProperty (set, "paintSize", paintSize);
    setFloatProperty (set, "mVariation", mVariation);
    setFloatProperty (set, "mStrength", mStrength);
    setFloatProperty (set, "mOutline", mOutline);
    setFloatProperty (set, "mOutlineDetail", mOutlineDetail);
    setFloatProperty (set, "mOutlineThreshold", mOutlineThreshold);
    setFloatProperty (set, "hueShift", hueShift + 0.5f);

    writeColour (set, "sepiaColor", sepiaColor);
    setFloatProperty (set, "sepiaStrength", sepiaStrength);
    writeColour (set, "canvasColor", canvasColor);
    setFloatProperty (set, "saturation", saturation);
}

void WatercolorSettings::loadFromPropertySet (const juce::PropertySet& set)
{
    const auto number = [&set] (const char* key, float missing) { return getFloatProperty (set, key, missing); };

    overallStrength = number ("overallStrength", 1.0f);
    backgroundStyleMode = truncatedInt (set.getDoubleValue ("backgroundStyleMode", 1.0));
    backgroundColor = readColourOrWhite (set, "backgroundColor");
    backgroundPaperColor = readColourOrWhite (set, "backgroundPaperColor");
    backgroundPaperTintStrength = number ("backgroundPaperTintStrength", 0.0f);
    edgeCanvasTexture = number ("edgeCanvasTexture", 0.0f);

    edgeFileName = stripImageSuffix (set.getValue ("edgeFileName", {}));
    borderFileName = stripImageSuffix (set.getValue ("borderFileName", {}));

    mInsideColor = truncatedInt (set.getDoubleValue ("mInsideColor", 0.0));
    mWetEdge = number ("mWetEdge", 0.0f);
    mEdge = number ("mEdge", 0.0f);
    paintFill = number ("paintFill", paintFill);
    paintSize = number ("paintSize", paintSize);
    mVariation = number ("mVariation", 0.0f);
    mStrength = number ("mStrength", 0.0f);
    mOutline = number ("mOutline", 0.0f);
    mOutlineDetail = number ("mOutlineDetail", 0.0f);
    mOutlineThreshold = number ("mOutlineThreshold", 0.0f);
    hueShift = number ("hueShift", 0.0f) - 0.5f;
    sepiaColor = readColour (set, "sepiaColor");
    sepiaStrength = number ("sepiaStrength", 0.0f);
    canvasColor = readColour (set, "canvasColor");
    saturation = number ("saturation", 0.0f);
    replaceNonFiniteNumbers();
}

void WatercolorSettings::replaceNonFiniteNumbers() noexcept
{
    // A file may hold "nan" or "inf" where a number belongs; the renders would carry it
    // into sizes, seeds and byte conversions, so it reads as 0, the value of a missing key.
    for (float* value : { &backgroundPaperTintStrength, &edgeCanvasTexture, &overallStrength, &sepiaStrength,
                          &mWetEdge, &mEdge, &paintFill, &paintSize, &mVariation, &mOutline, &mOutlineDetail,
                          &mOutlineThreshold, &mStrength, &hueShift, &saturation })
        if (! std::isfinite (*value))
            *value = 0.0f;
}

//==============================================================================
void WatercolorSettings::applyTextPreset (const juce::StringArray& lines)
{
    // Lines are numbered from 1 as in the file; a missing line reads as empty.
    const auto text = [&lines] (int line) { return lines[line - 1]; };
    const auto number = [&] (int line) { return text (line).getFloatValue(); };
    const auto byte = [&] (int line) { return lowByte (text (line).getIntValue()); };
    const auto colour = [&] (int first) { return PixelMath::makeWord (byte (first + 3), byte (first), byte (first + 1), byte (first + 2)); };

    borderFileName = {};
    mInsideColor = truncatedInt (text (1).getDoubleValue());
    mWetEdge = number (2);
    mEdge = number (3);
    mVariation = number (4);
    mStrength = number (5);
    mOutline = number (6);
    mOutlineDetail = number (7);
    mOutlineThreshold = number (8);
    hueShift = number (9);
    // Line 10 is an unused integer.
    sepiaColor = colour (11);
    sepiaStrength = number (15);
    // Line 16 is an unused number.
    canvasColor = colour (17);
    edgeFileName = stripImageSuffix (text (21));

    const int count = lines.size();
    int next = 22;
    if (count >= 22)
        saturation = number (next++);
    if (count >= next)
        borderFileName = stripImageSuffix (text (next++));
    if (count >= next)
        edgeCanvasTexture = number (next);
    replaceNonFiniteNumbers();
}
