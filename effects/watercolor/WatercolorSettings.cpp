#include "WatercolorSettings.h"

#include "PropertyValues.h"
#include "ResourceArchive.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <type_traits>
#include <variant>
#include <vector>

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
namespace
{
    using S = WatercolorSettings;
    using Member = std::variant<float S::*, int S::*, uint32_t S::*, juce::String S::*>;

    /** How a field is written: a float or an int text, a colour as four int keys, or a name
        that is left out when empty. */
    enum class Saved { asFloat, asInt, colour, nameIfAny };

    /** What a missing key loads as: the missing value; the current value kept; for a colour,
        the missing value when its ".red" key is absent and otherwise 0 for each missing
        component (components keeps 0 even then). Names lose a final ".jpg" or ".png". */
    enum class Missing { value, keep, components };

    /** How randomising draws a field (r one draw): kept; base + span x r; an archive item;
        the border rule; the ink colour; the Color Area rule. */
    enum class Draw { kept, linear, archiveItem, border, inkColour, colorArea };

    struct Field
    {
        Member member;
        const char* key;
        const char* label;            // the control's label, empty when none shows the field
        double reset;                 // number, integer or colour word
        const char* resetName;        // names
        bool keptByReset;
        Saved saved;
        Missing missing;
        double missingValue;
        float savedOffset;            // added when saved, taken off when loaded
        Draw draw;
        int drawStep;                 // position in the draw order (0: not drawn)
        float base, span;             // linear draws
    };

    constexpr double white = (double) S::opaqueWhite;
    constexpr double inkBrown = (double) PixelMath::makeWord (255, 55, 15, 0);

    // In saved order. The draw steps give the order of randomize's draws.
    const Field fields[] = {
        // member                            key                            label                 reset      name         kept   saved            missing              value  offset  draw               step base    span
        { &S::overallStrength,              "overallStrength",             "Overall Strength",   1.0,       nullptr,     false, Saved::asFloat,  Missing::value,      1.0,   0.0f,   Draw::kept,        0,   0.0f,   0.0f  },
        { &S::backgroundStyleMode,          "backgroundStyleMode",         "",                   1.0,       nullptr,     false, Saved::asInt,    Missing::value,      1.0,   0.0f,   Draw::kept,        0,   0.0f,   0.0f  },
        { &S::backgroundColor,              "backgroundColor",             "",                   white,     nullptr,     false, Saved::colour,   Missing::value,      white, 0.0f,   Draw::kept,        0,   0.0f,   0.0f  },
        { &S::backgroundPaperColor,         "backgroundPaperColor",        "",                   white,     nullptr,     false, Saved::colour,   Missing::value,      white, 0.0f,   Draw::kept,        0,   0.0f,   0.0f  },
        { &S::backgroundPaperTintStrength,  "backgroundPaperTintStrength", "Paper Tint",         0.0,       nullptr,     false, Saved::asFloat,  Missing::value,      0.0,   0.0f,   Draw::kept,        0,   0.0f,   0.0f  },
        { &S::edgeCanvasTexture,            "edgeCanvasTexture",           "",                   0.125,     nullptr,     false, Saved::asFloat,  Missing::value,      0.0,   0.0f,   Draw::linear,      13,  0.125f, 0.25f },
        { &S::edgeFileName,                 "edgeFileName",                "",                   0.0,       "Quenza-01", false, Saved::nameIfAny, Missing::value,     0.0,   0.0f,   Draw::archiveItem, 1,   0.0f,   0.0f  },
        { &S::borderFileName,               "borderFileName",              "",                   0.0,       "border-01", false, Saved::nameIfAny, Missing::value,     0.0,   0.0f,   Draw::border,      2,   0.0f,   0.0f  },
        { &S::mInsideColor,                 "mInsideColor",                "Color Area",         0.0,       nullptr,     false, Saved::asFloat,  Missing::value,      0.0,   0.0f,   Draw::colorArea,   15,  0.0f,   0.0f  },
        { &S::mWetEdge,                     "mWetEdge",                    "Wet Edges",          0.0,       nullptr,     false, Saved::asFloat,  Missing::value,      0.0,   0.0f,   Draw::kept,        0,   0.0f,   0.0f  },
        { &S::mEdge,                        "mEdge",                       "Area Fill",          0.25,      nullptr,     true,  Saved::asFloat,  Missing::value,      0.0,   0.0f,   Draw::linear,      6,   0.25f,  0.25f },
        { &S::paintFill,                    "paintFill",                   "Paint Fill",         0.25,      nullptr,     false, Saved::asFloat,  Missing::keep,       0.0,   0.0f,   Draw::linear,      4,   0.25f,  0.25f },
        { &S::paintSize,                    "paintSize",                   "Paint Size",         0.5,       nullptr,     false, Saved::asFloat,  Missing::keep,       0.0,   0.0f,   Draw::linear,      5,   0.25f,  0.5f  },
        { &S::mVariation,                   "mVariation",                  "Paint Variation",    0.125,     nullptr,     false, Saved::asFloat,  Missing::value,      0.0,   0.0f,   Draw::linear,      7,   0.0f,   1.0f  },
        { &S::mStrength,                    "mStrength",                   "Paint Strength",     0.75,      nullptr,     false, Saved::asFloat,  Missing::value,      0.0,   0.0f,   Draw::linear,      3,   0.75f,  0.25f },
        { &S::mOutline,                     "mOutline",                    "Ink Outline",        0.45,      nullptr,     false, Saved::asFloat,  Missing::value,      0.0,   0.0f,   Draw::linear,      8,   0.125f, 0.5f  },
        { &S::mOutlineDetail,               "mOutlineDetail",              "Ink Outline Detail", 0.5,       nullptr,     false, Saved::asFloat,  Missing::value,      0.0,   0.0f,   Draw::linear,      9,   0.125f, 0.5f  },
        { &S::mOutlineThreshold,            "mOutlineThreshold",           "Ink Fill",           0.5,       nullptr,     false, Saved::asFloat,  Missing::value,      0.0,   0.0f,   Draw::linear,      10,  0.25f,  0.25f },
        { &S::hueShift,                     "hueShift",                    "Paint Color Shift",  0.5,       nullptr,     false, Saved::asFloat,  Missing::value,      0.0,   0.5f,   Draw::linear,      11,  0.75f,  0.25f },
        { &S::sepiaColor,                   "sepiaColor",                  "",                   inkBrown,  nullptr,     false, Saved::colour,   Missing::components, 0.0,   0.0f,   Draw::inkColour,   14,  0.0f,   0.0f  },
        { &S::sepiaStrength,                "sepiaStrength",               "Ink Color",          0.9,       nullptr,     false, Saved::asFloat,  Missing::value,      0.0,   0.0f,   Draw::kept,        0,   0.0f,   0.0f  },
        { &S::canvasColor,                  "canvasColor",                 "",                   white,     nullptr,     false, Saved::colour,   Missing::components, 0.0,   0.0f,   Draw::kept,        0,   0.0f,   0.0f  },
        { &S::saturation,                   "saturation",                  "Paint Vibrancy",     0.25,      nullptr,     false, Saved::asFloat,  Missing::value,      0.0,   0.0f,   Draw::linear,      12,  0.75f,  0.25f },
    };

    template <typename T>
    T& fieldOf (S& settings, const Field& field) { return settings.*std::get<T S::*> (field.member); }

    void setReset (S& settings, const Field& field)
    {
        std::visit ([&] (auto member)
        {
            using T = std::remove_reference_t<decltype (settings.*member)>;
            if constexpr (std::is_same_v<T, juce::String>)
                settings.*member = field.resetName;
            else
                settings.*member = (T) field.reset;
        }, field.member);
    }

    void save (const S& settings, const Field& field, juce::PropertySet& set)
    {
        std::visit ([&] (auto member)
        {
            const auto& value = settings.*member;
            using T = std::remove_cvref_t<decltype (value)>;
            if constexpr (std::is_same_v<T, juce::String>)
            {
                if (value.isNotEmpty())
                    setStringProperty (set, field.key, value);
            }
            else if constexpr (std::is_same_v<T, uint32_t>)
                writeColour (set, field.key, value);
            else if (field.saved == Saved::asInt)
                setIntProperty (set, field.key, (int) value);
            else
                setFloatProperty (set, field.key, (float) value + field.savedOffset);
        }, field.member);
    }

    void load (S& settings, const Field& field, const juce::PropertySet& set)
    {
        std::visit ([&] (auto member)
        {
            auto& value = settings.*member;
            using T = std::remove_reference_t<decltype (value)>;
            if constexpr (std::is_same_v<T, juce::String>)
                value = S::stripImageSuffix (set.getValue (field.key, {}));
            else if constexpr (std::is_same_v<T, uint32_t>)
                value = field.missing == Missing::value && ! set.containsKey (juce::String (field.key) + ".red")
                          ? (uint32_t) field.missingValue : readColour (set, field.key);
            else if constexpr (std::is_same_v<T, int>)
                value = truncatedInt (set.getDoubleValue (field.key, field.missingValue));
            else
                value = getFloatProperty (set, field.key, field.missing == Missing::keep ? value + field.savedOffset
                                                                                         : (float) field.missingValue)
                        - field.savedOffset;
        }, field.member);
    }

    void drawField (S& settings, const Field& field, bool maskHasOutlines, const std::function<float()>& draw)
    {
        switch (field.draw)
        {
            case Draw::kept:
                break;

            case Draw::linear:
                fieldOf<float> (settings, field) = field.base + field.span * draw();
                break;

            case Draw::archiveItem:
            {
                // An empty group keeps the current name; the draw is taken all the same.
                const auto names = archiveItemNames ("Tolva_Backgrounds");
                const float r = draw();
                if (! names.isEmpty())
                    fieldOf<juce::String> (settings, field) = pickItem (names, r);
                break;
            }

            case Draw::border:
            {
                // One border in eight; otherwise, or from an empty group, none.
                auto& name = fieldOf<juce::String> (settings, field);
                name = "0a-none";
                if (draw() > 0.875f)
                {
                    const auto names = archiveItemNames ("Tolva_Borders");
                    const float r = draw();
                    if (! names.isEmpty())
                        name = pickItem (names, r);
                }
                break;
            }

            case Draw::inkColour:
            {
                const auto red = (uint8_t) (55.0f * draw());
                const auto green = (uint8_t) (55.0f * draw());
                const auto blue = (uint8_t) (55.0f * draw());
                fieldOf<uint32_t> (settings, field) = PixelMath::makeWord (255, red, green, blue);
                break;
            }

            case Draw::colorArea:
            {
                // Mask is drawn only when there is a traced mask to paint through.
                auto& area = fieldOf<int> (settings, field);
                area = (int) (5.0f * draw());
                if (! maskHasOutlines)
                    area = (int) (4.0f * draw());
                break;
            }
        }
    }
}

WatercolorSettings::WatercolorSettings()
{
    for (const auto& field : fields)
        setReset (*this, field);
}

juce::String WatercolorSettings::labelOf (const juce::String& savedKey)
{
    for (const auto& field : fields)
        if (savedKey == field.key)
            return field.label;
    return {};
}

void WatercolorSettings::resetToDefaults()
{
    for (const auto& field : fields)
        if (! field.keptByReset)
            setReset (*this, field);
}

void WatercolorSettings::randomize (bool maskHasOutlines, const std::function<float()>& draw)
{
    std::vector<const Field*> inDrawOrder;
    for (const auto& field : fields)
        if (field.drawStep > 0)
            inDrawOrder.push_back (&field);
    std::sort (inDrawOrder.begin(), inDrawOrder.end(), [] (auto* a, auto* b) { return a->drawStep < b->drawStep; });

    for (const auto* field : inDrawOrder)
        drawField (*this, *field, maskHasOutlines, draw);
}

//==============================================================================
void WatercolorSettings::saveToPropertySet (juce::PropertySet& set) const
{
    for (const auto& field : fields)
        save (*this, field, set);
}

void WatercolorSettings::loadFromPropertySet (const juce::PropertySet& set)
{
    for (const auto& field : fields)
        load (*this, field, set);
    replaceNonFiniteNumbers();
}

void WatercolorSettings::replaceNonFiniteNumbers() noexcept
{
    // A file may hold "nan" or "inf" where a number belongs; the renders would carry it
    // into sizes, seeds and byte conversions, so it reads as 0, the value of a missing key.
    for (const auto& field : fields)
        if (auto* member = std::get_if<float S::*> (&field.member))
            if (! std::isfinite (this->**member))
                this->**member = 0.0f;
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
