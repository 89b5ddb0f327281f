#pragma once

#include "GenericImageList.h"
#include "SxComponent.h"

class SxLabel;

/** A caption with a small thumbnail button on its right that opens the thumbnail picker: the
    effect panels' border choice.

        SxLabelImageList::Options options;
        options.variant.callOutBounds = "0, 0, left + parent.width, top + parent.height";
        auto* border = new SxLabelImageList ("edgeImageList", "Border", "Tolva_Thumbnail_Borders", "Border", options);
        border->getImageList()->callback = this;

    The row is its parent's width and 60 pixels high: the caption right-aligned, ending 20
    pixels before the 50 x 50 picker, which sits 5 pixels in from the right edge, 10 down.

    The picker comes from the maker the application installs (GenericImageList::create): 3
    columns of 65-pixel thumbnails of the archive group, the given title and display flags,
    opening as a panel. Without a maker the row is the caption alone and the selections do
    nothing. The row owns the picker.
*/
class SxLabelImageList : public SxComponent
{
public:
    /** How the picker shows: the maker's variant, two of its display flags and the
        opener's tooltip. */
    struct Options
    {
        GenericImageList::Variant variant;
        bool showSelectionFrame = true;
        bool showNumbers = true;
        juce::String tooltip;
    };

    SxLabelImageList (const juce::String& listName, const juce::String& labelText, const juce::String& sourceFolder,
                      const juce::String& title, const Options& options);
    ~SxLabelImageList() override;

    /** Shows the item of that name as the current one (not reported to the callback). */
    virtual void selectItem (const juce::String& name);
    /** Shows item index as the current one (not reported to the callback). */
    virtual void selectIndex (int index);

    /** The row keeps no value of its own: nothing to show again. */
    void update() override {}

    /** The picker; null when no maker was installed. */
    GenericImageList* getImageList() const noexcept  { return imageList; }
    SxLabel& getLabel() const noexcept               { return *label; }

    /** Pixel sizes of the row and its picker. */
    static constexpr int rowHeight = 60, pickerSize = 50, thumbnailSize = 65, thumbnailColumns = 3;

private:
    SxLabel* label;
    GenericImageList* imageList = nullptr;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxLabelImageList)
};
