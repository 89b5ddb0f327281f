#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** One segment of a segment row or strip: a button drawn from three vertical slices (left
    end, stretched middle, right end) of the generated segment pictures, each at half its
    pixel width, with a text label on top.

    A segment's component name is its index as decimal text; the control reads the index
    back from it. The selected segment shows the selected pictures, and so does a segment
    while it is pressed. When the owner control is disabled in the framework's sense (it or
    an ancestor), segments are drawn at 40 % opacity, except a selected right end. Hovering
    changes nothing.

    Abstract: SxSegmentLeftButton, SxSegmentCenterButton and SxSegmentRightButton say which
    pictures close the segment at either side.
*/
class SxSegmentButton : public juce::Button
{
public:
    enum class Kind { left, centre, right };

    /** The six pictures of a kind of segment: left slice, middle and right slice, each
        normal and selected. */
    struct Images
    {
        juce::Image left, leftSelected, middle, middleSelected, right, rightSelected;
    };

    /** Segments this high or higher use the large pictures, lower ones the small set. */
    static constexpr int largeImagesFromHeight = 27;

    /** Each slice covers this many pixels at either end. */
    static constexpr int sliceWidth = 6;

    explicit SxSegmentButton (const juce::String& componentName);
    ~SxSegmentButton() override;

    /** True while this is the selected segment. */
    bool isSelected() const noexcept  { return selected; }

    /** Shows the segment as selected or not (repaints; tells nobody). */
    void setSelected (bool shouldBeSelected);

    /** The control that built the segment (not owned); its enablement decides the dimming. */
    juce::Component* owner = nullptr;

    /** The pictures a segment of kind uses at height, read through the image cache. */
    static Images imagesFor (Kind kind, int height);

    /** The segment at index of a control with count segments: the first is a left segment,
        the last a right one (when there are two or more), the others centre segments. */
    static SxSegmentButton* create (int index, int count);

    /** Puts text on the segment: a label labelWidth x 23 centred on it, 12-pixel plain text
        in (250, 250, 250), that lets clicks through. The text is also the segment's title. */
    juce::Label& addTextLabel (const juce::String& text, int fontHeight, int labelWidth);

    /** The label added by addTextLabel, or null. */
    juce::Label* getTextLabel() const noexcept  { return textLabel; }

protected:
    void paintSegment (juce::Graphics& g, Kind kind, bool isButtonDown);

private:
    bool selected = false;
    juce::Label* textLabel = nullptr;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxSegmentButton)
};
