#pragma once

#include "ColourOperations.h"
#include "PixelMath.h"

#include <juce_core/juce_core.h>

#include <cstdint>
#include <functional>

/** What the user sets on a watercolour layer, shared by both watercolour effects.

    Every field is a row of one field table (WatercolorSettings.cpp): its saved key, its
    control's label, its reset value, what a missing key loads as and how randomising draws
    it (r uniform in [0, 1) from the system-wide generator). Construction, reset, randomise,
    save, load and the clean-up of damaged numbers all walk that table, so a field is
    described in one place. Colours are colour words (bytes A, R, G, B in memory).

    Saved keys are written in the table's order; "hueShift" is stored with +0.5 and read back
    with -0.5. The text-preset form is described at applyTextPreset. Which caches a change
    releases is the layer's business (StylizedWatercolor); this struct only holds values.
*/
struct WatercolorSettings
{
    static constexpr uint32_t opaqueWhite = PixelMath::makeWord (255, 255, 255, 255);

    /** Every field at its reset value, Area Fill included. */
    WatercolorSettings();

    int backgroundStyleMode;            // 0 plain colour, 1 paper
    uint32_t backgroundColor;           // plain background
    uint32_t backgroundPaperColor;      // paper tint colour
    float backgroundPaperTintStrength;  // 0..1 "Paper Tint"
    juce::String edgeFileName;          // paper: item of "Tolva_Backgrounds"
    juce::String borderFileName;        // item of "Tolva_Borders", empty = none
    uint32_t sepiaColor;                // ink colour
    float edgeCanvasTexture;            // canvas toning amount
    uint32_t canvasColor;               // canvas toning colour
    float overallStrength;              // 0..1 "Overall Strength"
    float sepiaStrength;                // 0..1 "Ink Color"
    float mWetEdge;                     // 0..1 "Wet Edges"
    float mEdge;                        // 0..1 "Area Fill"
    float paintFill;                    // 0..1 "Paint Fill"
    float paintSize;                    // 0..1 "Paint Size"
    float mVariation;                   // 0..1 "Paint Variation"
    float mOutline;                     // 0..1 "Ink Outline"
    float mOutlineDetail;               // 0..1 "Ink Outline Detail"
    float mOutlineThreshold;            // 0..1 "Ink Fill"
    float mStrength;                    // 0..1 "Paint Strength"
    float hueShift;                     // -50..50 "Paint Color Shift"
    float saturation;                   // 0..1 "Paint Vibrancy" (abstract only)
    int mInsideColor;                   // "Color Area": 0 Dark, 1 Mid, 2 Light, 3 Full, 4 Mask

    enum ColorArea { dark = 0, mid = 1, light = 2, full = 3, mask = 4 };

    /** The item names of a resource-archive group, in archive order. */
    using ArchiveNameSource = std::function<juce::StringArray (const juce::String& group)>;

    /** Replaces where randomize finds the paper and border names; without a source they
        come from the resource archive (item stems, archive order). */
    static void setArchiveNameSource (ArchiveNameSource source);

    /** Item index of the archive group's names; empty when there is no such item. */
    static juce::String archiveItemName (const juce::String& group, int index);

    /** Every field gets its reset value, except mEdge, which keeps its value. */
    void resetToDefaults();

    /** Draws new values in the fixed order: paper, border, the slider values, the ink
        colour, then the Color Area, which is never Mask unless maskHasOutlines. An empty
        archive group keeps the current paper and gives the border "0a-none". Each value
        is one call of draw, a float in [0, 1): the system-wide generator unless a caller
        (a test) brings its own sequence, as that generator cannot be seeded. */
    void randomize (bool maskHasOutlines, const std::function<float()>& draw = randomUnitFloat);

    /** Appends the effect's keys, in saved order, to set ("SelectiveMaskData" excluded). */
    void saveToPropertySet (juce::PropertySet& set) const;

    /** Reads the effect's keys; a missing key gives its load default (not always the reset
        value: numbers read 0, "hueShift" -0.5, "paintFill" and "paintSize" keep theirs). */
    void loadFromPropertySet (const juce::PropertySet& set);

    /** Reads a text preset, one value per line (numbers read as far as they are numeric,
        a missing line as 0 or empty; integer lines keep their low 8 bits):
        1 mInsideColor, 2 mWetEdge, 3 mEdge, 4 mVariation, 5 mStrength, 6 mOutline,
        7 mOutlineDetail, 8 mOutlineThreshold, 9 hueShift (no offset), 10 unused,
        11-14 sepiaColor R G B A, 15 sepiaStrength, 16 unused, 17-20 canvasColor R G B A,
        21 edgeFileName; then, when present, 22 saturation, 23 borderFileName,
        24 edgeCanvasTexture. Fields the form does not carry keep their values; a missing
        border line means no border. */
    void applyTextPreset (const juce::StringArray& lines);

    /** Every number that is NaN or infinite becomes 0; both readers end with it. */
    void replaceNonFiniteNumbers() noexcept;

    /** The label of the control that shows the field with this saved key; empty for a
        field without a control of its own (and for a key that is no field). */
    static juce::String labelOf (const juce::String& savedKey);

    bool operator== (const WatercolorSettings&) const = default;

    /** name without a final ".jpg" or ".png". */
    static juce::String stripImageSuffix (const juce::String& name);
};
