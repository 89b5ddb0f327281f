#pragma once

#include "SxComponent.h"
#include "SxScroller.h"
#include "SxScrollerCallback.h"
#include "SxSegmentedControl.h"

#include <memory>

/** Segments of one width in a strip that scrolls sideways, with an arrow at either end.

    Set up by the owner, then built once:

        auto* strip = new SxScrollingSegmentController (false);
        strip->segmentWidth = 100;
        strip->callback = this;
        strip->setBounds (0, 40, 256, 27);
        for (auto& ratio : ratios)
            strip->addSegmentLabel (ratio);
        strip->build();                    // segment 0 selected, nobody told
        strip->setEnabled (true);

    When the segments fit (the strip is narrower than the control less 60 pixels) they are
    centred and the arrows hidden. Otherwise the strip fills the control but for 30 pixels
    at either end, where an arrow shows while there are segments beyond that edge; a click on
    an arrow glides the strip by one segment. The segments scroll by dragging (SxScroller).

    Every click on a segment is reported, also on the selected one; arrows report nothing.
    Left and Right on the focused strip also bring the new segment into view.
*/
class SxScrollingSegmentController : public SxSegmentedControl,
                                     public SxScrollerCallback
{
public:
    /** centred: place the strip in the middle of the control when it is built. */
    explicit SxScrollingSegmentController (bool centred);
    ~SxScrollingSegmentController() override;

    /** The width of every segment; set before build. */
    int segmentWidth = 50;

    void addSegmentLabel (const juce::String& label);

    /** Makes the scroller, the background, the arrows and the segments, selects segment 0
        without notifying, and lays the strip out. Building again replaces all of it. */
    void build();

    /** Selects a segment without notifying; an index outside the segments is ignored. */
    void setSelectedIndex (int index);

    /** Null before build. */
    SxScroller* getScroller() const noexcept       { return scroller; }
    juce::Component* getContent() const noexcept   { return content; }
    juce::ImageButton* getLeftArrow() const noexcept   { return leftArrow; }
    juce::ImageButton* getRightArrow() const noexcept  { return rightArrow; }

    void buttonClicked (juce::Button* button) override;
    void scrolled (juce::Viewport* scroller, juce::Rectangle<int> visibleArea) override;
    void resized() override;

protected:
    void segmentChosenByKey (int index) override;
    juce::Rectangle<int> getFocusArea() const override;

private:
    const bool centred;
    std::unique_ptr<SxComponent> container;
    SxScroller* scroller = nullptr;
    juce::Component* content = nullptr;
    juce::ImageButton* leftArrow = nullptr;
    juce::ImageButton* rightArrow = nullptr;

    bool segmentsFit() const;
    void updateArrows();
    void scrollByOneSegment (bool forwards);
    void scrollIntoView (int index);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxScrollingSegmentController)
};
