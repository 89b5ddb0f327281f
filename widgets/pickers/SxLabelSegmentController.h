#pragma once

#include "SegmentControllerCallback.h"
#include "SxComponent.h"
#include "SxControlChangedCallback.h"

class SegmentController;
class SxLabel;

/** A caption with a segment row below it (or beside it), bound to an int field of the
    model: the effect panels' choices such as "Color Area".

        auto* area = new SxLabelSegmentController ("insideColorSegmentControl", "Color Area",
                                                   &settings.colorArea, false, false);
        area->listener = this;
        area->setSize (panelWidth, 53);
        for (auto* choice : { "Dark", "Mid", "Light", "Full", "Mask" })
            area->addSegment (choice, 1);
        area->buildSegments();

    A click on a segment writes its index into the field, then tells the listener. update
    reads the field again and selects that segment without telling anybody; unbound, it
    reads 0 and leaves the row as it is.

    Stacked, the caption is 20 pixels high and the row starts 8 pixels in, below it; inline,
    the row starts 5 pixels after the caption's text. The row is 27 pixels high, or 22 when
    compact. The segments keep the places they were built with: build after sizing.

    The row's own tooltip (setTooltip) shows over the caption and around the segments; the
    segments carry their own (setSegmentTooltip).
*/
class SxLabelSegmentController : public SxComponent,
                                 public SegmentControllerCallback,
                                 public juce::SettableTooltipClient
{
public:
    SxLabelSegmentController (const juce::String& componentName, const juce::String& labelText,
                              int* valueField, bool inlineLabel, bool compact);
    ~SxLabelSegmentController() override;

    /** Told after every choice of the user; not owned, may be null. */
    SxControlChangedCallback* listener = nullptr;

    /** Binds the field (null unbinds); nothing is read until update. */
    void setValuePointer (int* field) noexcept  { valueField = field; }

    /** The tooltip every segment gets; takes effect only before buildSegments. */
    void setSegmentTooltip (const juce::String& tooltip);

    /** Appends count segments labelled text (see SegmentController::addSegments). */
    void addSegment (const juce::String& text, int count);

    /** Makes the segments at the row's current size; the first is selected. */
    void buildSegments();

    /** Selects the bound field's segment silently; unbound: the index reads 0, the row stays. */
    void update() override;

    /** Writes the chosen index into the field, then tells the listener. */
    void segmentChanged (int index, juce::Component* source) override;

    /** The index last chosen or read. */
    int getSelectedIndex() const noexcept          { return selectedIndex; }
    bool isInlineLabel() const noexcept            { return inlineLabel; }

    SegmentController& getSegments() const noexcept  { return *segments; }
    SxLabel& getLabel() const noexcept              { return *label; }

private:
    SegmentController* segments;
    bool inlineLabel;
    int* valueField;
    int selectedIndex = 0;
    SxLabel* label;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxLabelSegmentController)
};
