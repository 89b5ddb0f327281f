#pragma once

#include "GenericImageList.h"
#include "WatercolorSettings.h"

#include <vector>

/** What the watercolour "Adjust" page shows, as tables: the sliders (component name, bound
    field, help text, range), the rows top to bottom, and which rows each Color Area shows.
    WatercolorControlPage builds the page from them; the labels come from the settings'
    own field table (WatercolorSettings::labelOf), so a field's label lives in one place.

    Component names are what the layer tells controls apart by (StylizedWatercolor::
    controlChanged): never rename one without the other.
*/
namespace WatercolorControlTable
{
    /** The two effects differ in one slider: row 7's second slider is the colour shift
        (stylized) or the vibrancy (abstract). */
    enum class Effect { stylized, abstract };

    struct SliderRow
    {
        const char* componentName;
        const char* savedKey;                   // names the field and, through it, the label
        float WatercolorSettings::* field;
        const char* helpText;
        /** The slider's range; the kit's 0 to 1 in steps of 0.01 (shown 0 to 100) unless set. */
        bool ownRange = false;
        double minimum = 0.0, maximum = 1.0, interval = 0.01;

        /** The control's visible label. */
        juce::String label() const  { return WatercolorSettings::labelOf (savedKey); }
    };

    /** Every slider either effect shows, the ink colour's slider included. */
    const std::vector<SliderRow>& allSliders();
    /** The slider of that component name; null when none. */
    const SliderRow* sliderNamed (const juce::String& componentName);

    enum class RowKind
    {
        slider,        // one slider across the row
        sliderPair,    // two sliders side by side
        colorArea,     // the Color Area segments
        maskHolder,    // the holder of the "Selective Mask" button
        inkColour,     // slider and colour chip
        background,    // PaperChoiceUI
        border         // the border thumbnails
    };

    struct Row
    {
        RowKind kind;
        const char* first = nullptr;    // slider component names
        const char* second = nullptr;
        int topMargin = 0;              // the row's spacing adjustment
    };

    /** The page's rows top to bottom. */
    std::vector<Row> rowsOf (Effect effect);

    //==============================================================================
    // The controls that are not sliders.

    inline constexpr const char* colorAreaName = "insideColorSegmentControl";
    inline constexpr const char* colorAreaHelp = "Choose where the watercolor appears on the image.";
    inline constexpr const char* maskHolderName = "maskHolder";
    inline constexpr const char* maskButtonName = "selectiveMaskButton";
    inline constexpr const char* inkColourHelp = "Select a new color.";
    inline constexpr const char* borderName = "edgeImageList";
    inline constexpr const char* borderHelp = "Choose a border. Borders blend with ink outlines and changes when adjustments are made to ink sliders.";
    inline constexpr const char* borderThumbnails = "Tolva_Thumbnail_Borders";

    inline constexpr const char* paperName = "backgroundPaperImageList";
    inline constexpr const char* paperThumbnails = "Thumbnail_Tolva_Backgrounds";

    /** How both thumbnail pickers (border and paper) show: the one variant every owner uses. */
    GenericImageList::Variant thumbnailPicker();

    /** The Color Area choices, in field order (0 Dark ... 4 Mask). */
    const juce::StringArray& colorAreaChoices();

    //==============================================================================
    /** The rows a Color Area shows; the others are hidden. */
    struct RowVisibility
    {
        bool selectiveMask;   // "maskHolder"
        bool wetEdges;        // "wetEdgeSizeSlider"
        bool areaFill;        // "edgeSizeSlider"

        bool operator== (const RowVisibility&) const = default;
    };

    /** Dark, Mid, Light (and anything below Full): wet edges and area fill; Full: none of
        the three; Mask (and above): the mask button and wet edges. */
    RowVisibility rowsShownFor (int colorArea) noexcept;
}
