#pragma once

#include "SegmentControllerCallback.h"
#include "SxEnablementOverride.h"
#include "SxKeyboardFocusMark.h"
#include "SxSegmentButton.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** What a segment row (SegmentController) and a scrolling segment strip
    (SxScrollingSegmentController) share: the labels, the segments with the one selected,
    the owner's callback, and the control's own enablement and keyboard handling.

    - A selection made in code tells nobody; a user's choice reaches callback.
    - setEnabled (false) only stops the control taking clicks and keys: it keeps the
      framework's enablement and its look (use sxSetEnabled where only a juce::Component
      is at hand). Disabling an ancestor dims the segments instead.
    - The control is one Tab stop; Left and Right pick the neighbouring segment and report
      it as a click would.
*/
class SxSegmentedControl : public juce::Component,
                           public juce::Button::Listener,
                           public SxEnablementOverride
{
public:
    SxSegmentedControl();
    ~SxSegmentedControl() override;

    /** Told about the user's choices; not owned, may be null. */
    SegmentControllerCallback* callback = nullptr;

    /** Takes clicks and keys (true) or ignores them (false); nothing else changes. */
    void setEnabled (bool shouldAcceptClicks) override;
    bool isAcceptingClicks() const noexcept  { return acceptsClicks; }

    const juce::StringArray& getLabels() const noexcept  { return labels; }
    int getNumSegments() const noexcept                   { return buttons.size(); }
    SxSegmentButton* getSegment (int index) const         { return buttons[index]; }

    /** The selected segment's index, -1 before the control is built. */
    int getSelectedIndex() const;

    bool keyPressed (const juce::KeyPress& key) override;
    void focusGained (FocusChangeType cause) override;
    void focusLost (FocusChangeType cause) override;
    void mouseDown (const juce::MouseEvent& e) override;
    void paintOverChildren (juce::Graphics& g) override;

protected:
    juce::StringArray labels;
    juce::Array<SxSegmentButton*> buttons;
    SxSegmentButton* selectedButton = nullptr;
    bool acceptsClicks = true;

    /** Makes segment index of count inside parent with bounds, its text label labelWidth
        wide, owned by parent, with this control as owner and listener. */
    SxSegmentButton& addSegment (juce::Component& parent, int index, int count,
                                 juce::Rectangle<int> bounds, int labelWidth, int fontHeight);

    /** Selects segment without telling anybody (nothing when it is selected already). */
    void select (SxSegmentButton& segment);

    /** Forgets the segments (their parent deletes them). */
    void forgetSegments();

    /** Left or Right chose the segment at index (a neighbour of the selected one). */
    virtual void segmentChosenByKey (int index) = 0;

    /** Where the keyboard focus ring goes. */
    virtual juce::Rectangle<int> getFocusArea() const  { return getLocalBounds(); }

private:
    SxKeyboardFocusMark focusMark;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxSegmentedControl)
};
