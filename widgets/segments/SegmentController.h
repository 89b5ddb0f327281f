#pragma once

#include "SxComponent.h"
#include "SxSegmentedControl.h"

#include <memory>

/** A row of joined segments that divides its own width among them; one is selected.

    Built once, after the labels are added and the row has its bounds:

        auto* row = new SegmentController (true);
        row->callback = this;
        row->addSegments ("Dark", 1);
        row->addSegments ("Light", 1);
        row->setBounds (8, 20, 240, 27);
        row->build();                      // segment 0 selected, nobody told

    Each segment is width / n pixels wide (less 10 pixels overall unless fullWidth), the
    last one widened to reach the right edge. Segments keep the places they were built with
    when the row is resized later. A click on another segment selects it and reports its
    index; a click on the selected one does nothing. Rows lower than 27 pixels use the small
    pictures.

    Built without labels the row stays empty: it has no segments and reports nothing.
*/
class SegmentController : public SxSegmentedControl
{
public:
    explicit SegmentController (bool fullWidth);
    ~SegmentController() override;

    /** Appends count labels (none for 0 or less); an empty label is replaced by its one-based
        position in the row ("1", "2", ...). */
    void addSegments (const juce::String& label, int count);

    /** Makes the segments from the labels at the row's current size and selects segment 0
        without notifying. Building again replaces the segments. */
    void build();

    /** Selects a segment without notifying: indices past the end select the last segment,
        negative ones the first. Nothing before the row is built. */
    void setSelectedIndex (int index);

    /** The tooltip build gives every segment. */
    juce::String segmentTooltip;

    /** The height of the segment texts. */
    int fontHeight = 12;

    /** Segments share the whole width (true) or the width less 10 pixels. */
    bool isFullWidth() const noexcept  { return fullWidth; }

    void buttonClicked (juce::Button* button) override;

protected:
    void segmentChosenByKey (int index) override;

private:
    const bool fullWidth;
    std::unique_ptr<SxComponent> container;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SegmentController)
};
