#pragma once

#include "EaseComponentAnimator.h"
#include "SxComponent.h"

#include <vector>

class SxLayoutController;
class SxScroller;
class SxSlider;

/** A scrolling stack of rows: one SxLayoutController inside a kinetic scroller. The base of
    every control page (SxMainTabComponent) and of the wizards' panels.

        auto* page = new SxLayoutComponent (false, true);
        page->build (5, 3);                                  // spacing, top inset
        page->addFullWidthItem (strengthRow, false);
        page->addItemPair (sizeRow, variationRow, false);
        page->setItemTopMargin (paperRow, -20);
        page->layoutItems();                                 // after the rows are added

    The content is kept exactly as tall as the stack plus 5 pixels. animateChanges applies
    the controller's queued show and hide requests (see SxLayoutController) and follows the
    stack: a growing stack gets its room at once, a shrinking one gives it back over the
    animation's duration + 400 ms.

    Every control added through the item operations, and every SxUpdateComponent added to
    the container itself, is remembered in the order added, so one update() refreshes them
    all from their bound fields. A control deleted elsewhere is simply skipped.

    Ownership: container -> scroller -> content -> controller -> items. build deletes the
    old chain, rows included.
*/
class SxLayoutComponent : public SxComponent
{
public:
    /** What the content keeps free on the right for the scroll bar, and the stack's inset
        on the left, unless the container spans the full width. */
    static constexpr int scrollBarRoom = 8, leftInset = 5;
    /** Below the stack's last row. */
    static constexpr int bottomRoom = 5;

    /** fullWidth: the content spans the scroller's whole width. showScrollBar false hides
        both bars and lets drags alone (the view still follows the wheel and the keys).
        Builds with spacing 10 and top inset 10. */
    SxLayoutComponent (bool fullWidth, bool showScrollBar);
    ~SxLayoutComponent() override;

    /** Refreshes every remembered control, in the order added. */
    void update() override;

    //==============================================================================
    /** Sizes content and controller from the controller's stack height. */
    virtual void resizeContent();
    /** Applies the queued show and hide requests over durationMs (0: at once) and follows
        the stack's height with the content. */
    virtual void animateChanges (int durationMs, bool relayoutWhenNothingPending);
    /** Deletes the scroller, content, controller and rows, forgets the controls, and builds
        an empty chain with the given spacing and top inset. */
    virtual void build (int spacing, int topInset);
    /** The layout pass, then refreshContentSize; owners call it after adding their rows. */
    virtual void layoutItems();
    /** The height pass (skipping rows hidden on request), then resizeContent. */
    virtual void refreshContentSize();

    //==============================================================================
    // The controller's item operations; a control given to them is remembered.

    virtual void addItem (juce::Component* item);
    virtual void addItem (juce::Component* item, bool keepBounds);
    virtual void removeItem (juce::Component* item);
    virtual void addFullWidthItem (SxComponent* item, bool keepBounds);
    virtual void addItemPair (juce::Component* left, juce::Component* right, bool keepBounds);
    virtual void addItemTriple (juce::Component* a, juce::Component* b, juce::Component* c, bool keepBounds);
    virtual void insertItemAfter (juce::Component* item, juce::Component* reference, bool keepBounds);
    virtual void insertItemBefore (juce::Component* item, juce::Component* reference, bool keepBounds);
    virtual void insertItemFirst (juce::Component* item, bool keepBounds);
    virtual void clearItems();
    virtual void setItemTopMargin (juce::Component* item, int margin);
    virtual void setItemBottomMargin (juce::Component* item, int margin);
    /** The first row whose name contains text and which is an SxSlider; null when none. */
    virtual SxSlider* findSlider (const juce::String& text);

    //==============================================================================
    SxLayoutController* getController() const noexcept  { return controller; }
    SxScroller* getScroller() const noexcept            { return scroller; }
    SxComponent* getContent() const noexcept            { return content; }
    bool isFullWidth() const noexcept                   { return fullWidth; }
    bool showsScrollBar() const noexcept                { return showScrollBar; }
    EaseComponentAnimator& getAnimator() noexcept       { return animator; }

    /** The remembered controls that still exist, in the order added. */
    std::vector<juce::Component*> getControls() const;

    void paint (juce::Graphics&) override {}
    void resized() override {}
    void mouseDown (const juce::MouseEvent&) override {}
    void mouseDrag (const juce::MouseEvent&) override {}
    void mouseUp (const juce::MouseEvent&) override {}

protected:
    /** Remembers the SxUpdateComponents among the container's own children. */
    void childrenChanged() override;

    /** Remembers c when it is an SxUpdateComponent not remembered yet. */
    void rememberControl (juce::Component* c);

    bool fullWidth;

private:
    bool showScrollBar;
    EaseComponentAnimator animator;
    std::vector<juce::Component::SafePointer<juce::Component>> controls;
    SxLayoutController* controller = nullptr;
    SxScroller* scroller = nullptr;
    SxComponent* content = nullptr;

    void forgetControl (juce::Component* c);
    /** Content width and controller bounds as resizeContent sets them, for content height h. */
    void placeContent (int contentHeight);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxLayoutComponent)
};
