#pragma once

#include "EaseComponentAnimator.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <map>
#include <vector>

class SxSlider;

/** A vertical stack of rows: each item gets the controller's full width (or keeps its own
    horizontal placement when it asked to), its own height, optional extra margins above and
    below, and a fixed spacing to the next item. The base of every control panel's page.

    Passes:
    - computeStackHeight: the stack's height from the items' heights and margins;
    - layoutStackItems: places every item at once; an item at alpha 0 takes no room and is
      left invisible, so it takes no click and no keyboard focus;
    - relayoutAnimated: moves the items that take part to their new places.

    Showing and hiding rows (the others slide into place):

        controller.clearPendingChanges();
        controller.setItemVisible (inkRow, false);
        controller.setItemVisible (paperRow, true);
        container.animateChanges (400, false);    // or applyPendingChanges directly

    runs as a chain of one-shot timers, with the stage gap g = duration - 250 from 300 ms up
    (else the duration): hidden rows fade out; when rows are also shown, the others slide
    50 ms before the fade-out ends (timer swapTimerId) and the shown rows fade in g later
    (fadeInTimerId); when rows are only hidden the slide starts g + 5 after the fade-out
    began (relayoutTimerId); the queue is dropped g after the last stage (finishTimerId).
    With 300 ms: slide at 250 (55 when only hiding), fade-in at 300, queue dropped at 350.
    A duration of 5 ms or less completes the change at once, and finishAnimations completes
    a running chain.

    Ownership: the controller owns the items in its stack and deletes them with itself. An
    item becomes a child in the first layout pass; one taken out with removeItem stays a
    child until the next layout pass, which detaches it, and from then on belongs to the
    caller. Items deleted elsewhere simply drop out of the stack.

    Margins belong to the stack: clearItems forgets them. A keep-bounds flag belongs to the
    item: it stays with the component whatever happens to the stack.

    Message thread only.
*/
class SxLayoutController : public juce::Component,
                           public juce::MultiTimer
{
public:
    static constexpr int swapTimerId = 105, fadeInTimerId = 106, relayoutTimerId = 110, finishTimerId = 120;
    /** What an item of height 0 gets. */
    static constexpr int defaultItemHeight = 45;
    /** The width of a row holding two or three items side by side. */
    static constexpr int combinedRowWidth = 253;

    explicit SxLayoutController (int spacing);
    ~SxLayoutController() override;

    /** y of the first item's top. */
    int topInset = 0;

    int getSpacing() const noexcept      { return spacing; }
    /** The result of the last height pass, layout pass or animated relayout. */
    int getStackHeight() const noexcept  { return stackHeight; }

    //==============================================================================
    /** Appends c (null is ignored). */
    virtual void addItem (juce::Component* c);
    /** Appends c; keepBounds marks it to keep its own x, right and bottom terms. */
    virtual void addItem (juce::Component* c, bool keepBounds);
    /** Takes every occurrence of c out of the stack; its margins and flag stay. */
    virtual void removeItem (juce::Component* c);
    /** Appends c sized to the controller's width (height 45 when it had none). */
    virtual void addFullWidthItem (juce::Component* c, bool keepBounds);
    /** Appends a row holding left and right side by side, each taking half the width. */
    virtual void addItemPair (juce::Component* left, juce::Component* right, bool keepBounds);
    /** Appends a row holding three 34-pixel items side by side, 10 pixels down. */
    virtual void addItemTriple (juce::Component* a, juce::Component* b, juce::Component* c, bool keepBounds);
    /** Inserts item right after reference; appends when reference is not in the stack. */
    virtual void insertItemAfter (juce::Component* item, juce::Component* reference, bool keepBounds);
    /** Inserts item at reference's place; appends when reference is not in the stack. */
    virtual void insertItemBefore (juce::Component* item, juce::Component* reference, bool keepBounds);
    virtual void insertItemFirst (juce::Component* item, bool keepBounds);
    /** Empties the stack (the items are not deleted) and forgets every margin. */
    virtual void clearItems();
    /** Extra space above the item; may be negative to pull it closer. */
    virtual void setItemTopMargin (juce::Component* item, int margin);
    /** Extra space below the item, before the spacing. */
    virtual void setItemBottomMargin (juce::Component* item, int margin);
    /** The first item whose name contains text and which is an SxSlider; null when none. */
    virtual SxSlider* findSlider (const juce::String& text);
    /** The first item whose name contains text (an empty text matches any); null when none. */
    virtual juce::Component* findItem (const juce::String& text);
    /** The layout pass: places every item; returns and stores the stack height. */
    virtual int layoutStackItems();
    /** The height pass; skipHiddenOnRequest leaves out the items hidden by setItemVisible. */
    virtual void computeStackHeight (bool skipHiddenOnRequest);

    //==============================================================================
    /** Queues showing or hiding c; a request that changes nothing is not queued. */
    void setItemVisible (juce::Component* c, bool show);
    /** Drops the queue and the list of items hidden on request. */
    void clearPendingChanges();
    /** Starts the queued changes over durationMs; with nothing queued and
        relayoutWhenNothingPending, one relayout (easing 9) follows after the usual delay. */
    void applyPendingChanges (int durationMs, bool relayoutWhenNothingPending);
    /** Completes a running change at once. */
    void finishAnimations();
    /** Moves the items that take part to their places (at once when durationMs <= 5);
        returns and stores the height they reach. */
    int relayoutAnimated (int durationMs, int easingType);

    //==============================================================================
    /** The stack, top first. */
    std::vector<juce::Component*> getItems() const;
    int getTopMargin (const juce::Component* item) const;
    int getBottomMargin (const juce::Component* item) const;
    static bool keepsBounds (const juce::Component& item);
    int getAnimationDuration() const noexcept  { return animationDuration; }
    /** Requests queued since the last clearPendingChanges (or the end of the last chain). */
    int getNumPendingChanges() const noexcept  { return (int) pendingChanges.size(); }
    EaseComponentAnimator& getAnimator() noexcept  { return animator; }

    void paint (juce::Graphics&) override {}
    void timerCallback (int timerId) override;

private:
    using Item = juce::Component::SafePointer<juce::Component>;

    struct PendingChange
    {
        Item component;
        bool show;
    };

    /** A margin remembers its component, so a new component at a freed address starts at 0. */
    struct Margin
    {
        Item component;
        int value = 0;
    };

    using MarginMap = std::map<const juce::Component*, Margin>;

    int spacing;
    int stackHeight = 0;
    std::vector<Item> items;
    MarginMap topMargins, bottomMargins;
    EaseComponentAnimator animator;
    std::vector<PendingChange> pendingChanges;
    int animationDuration = 300;
    std::vector<Item> itemsBeingShown, itemsBeingHidden, itemsHiddenOnRequest;

    /** Drops the items deleted elsewhere; the stack as it is now. */
    const std::vector<Item>& liveItems();
    int indexOf (const juce::Component* c) const;
    void insertAt (juce::Component* item, size_t index, bool keepBounds);
    static void setKeepBounds (juce::Component& item);
    static int marginOf (const MarginMap& map, const juce::Component* item);
    static void setMargin (MarginMap& map, juce::Component* item, int margin);
    static bool contains (const std::vector<Item>& list, const juce::Component* c);
    static bool isShownNow (const juce::Component& c);
    static int itemHeightForStack (juce::Component& item);
    int stageDelay() const noexcept;
    void showRequested();
    bool takesPart (juce::Component& item) const;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxLayoutController)
};
