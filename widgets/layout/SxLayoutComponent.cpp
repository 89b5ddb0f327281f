#include "SxLayoutComponent.h"

#include "SxLayoutController.h"
#include "SxRelativeBounds.h"
#include "SxScroller.h"

#include <algorithm>

namespace
{
    constexpr int backIn = 9;
    constexpr int scrollBarThickness = 10;
    /** The shrinking content follows the stack this much slower than the rows move. */
    constexpr int shrinkExtraMs = 400;
}

SxLayoutComponent::SxLayoutComponent (bool isFullWidth, bool showsBar)
    : SxComponent (juce::String()),
      fullWidth (isFullWidth),
      showScrollBar (showsBar)
{
    build (10, 10);
}

SxLayoutComponent::~SxLayoutComponent()
{
    animator.cancelAllAnimations (false);
}

//==============================================================================
void SxLayoutComponent::rememberControl (juce::Component* c)
{
    if (dynamic_cast<SxUpdateComponent*> (c) == nullptr)
        return;

    std::erase_if (controls, [] (const auto& control) { return control == nullptr; });

    if (std::none_of (controls.begin(), controls.end(), [c] (const auto& control) { return control == c; }))
        controls.emplace_back (c);
}

void SxLayoutComponent::forgetControl (juce::Component* c)
{
    std::erase_if (controls, [c] (const auto& control) { return control == nullptr || control == c; });
}

void SxLayoutComponent::childrenChanged()
{
    for (auto* child : getChildren())
        rememberControl (child);
}

std::vector<juce::Component*> SxLayoutComponent::getControls() const
{
    std::vector<juce::Component*> result;
    for (auto& control : controls)
        if (control != nullptr)
            result.push_back (control.getComponent());
    return result;
}

void SxLayoutComponent::update()
{
    // A control's update may delete another control: each is looked up again before its turn.
    const auto snapshot = controls;

    for (auto& control : snapshot)
        if (auto* updating = dynamic_cast<SxUpdateComponent*> (control.getComponent()))
            updating->update();
}

//==============================================================================
void SxLayoutComponent::build (int spacing, int topInset)
{
    animator.cancelAllAnimations (false);

    // The scroller takes the content, the controller and every row with it.
    delete scroller;
    scroller = nullptr;
    content = nullptr;
    controller = nullptr;
    controls.clear();

    scroller = new SxScroller ("SxLayoutComponentScroller");
    scroller->setInterceptsMouseClicks (true, true);
    juce::Component::addAndMakeVisible (scroller, -1);
    SxRelativeBounds::apply (*scroller, "0, 0, left + parent.width, top +parent.height");

    scroller->setScrollBarsShown (true, false);
    scroller->setScrollBarThickness (scrollBarThickness);
    scroller->horizontal = false;

    if (! showScrollBar)
    {
        scroller->setScrollBarsShown (false, false);
        scroller->dragScrollEnabled = false;
    }

    // The scroller listens to its content and everything inside it, so a drag anywhere on
    // the rows scrolls.
    content = new SxComponent ("SxLayoutComponentScrollerInsideComponent");
    scroller->setViewedComponent (content, true);

    controller = new SxLayoutController (spacing);
    controller->topInset = topInset;
    content->addAndMakeVisible (controller, -1);

    refreshContentSize();
}

void SxLayoutComponent::placeContent (int contentHeight)
{
    const int width = scroller->getWidth();

    if (fullWidth)
    {
        content->setSize (width, contentHeight);
        controller->setBounds (0, 0, content->getWidth(), content->getHeight());
    }
    else
    {
        content->setSize (width - scrollBarRoom, contentHeight);
        controller->setBounds (leftInset, 0, content->getWidth() - scrollBarRoom - leftInset, content->getHeight());
    }
}

void SxLayoutComponent::resizeContent()
{
    if (scroller == nullptr)
        return;

    SxRelativeBounds::detach (*content);
    SxRelativeBounds::detach (*controller);
    placeContent (controller->getStackHeight() + bottomRoom);
}

void SxLayoutComponent::layoutItems()
{
    controller->layoutStackItems();
    refreshContentSize();
}

void SxLayoutComponent::refreshContentSize()
{
    controller->computeStackHeight (true);
    resizeContent();
}

void SxLayoutComponent::animateChanges (int durationMs, bool relayoutWhenNothingPending)
{
    animator.cancelAllAnimations (true);
    controller->applyPendingChanges (durationMs, relayoutWhenNothingPending);

    if (scroller == nullptr)
        return;

    controller->computeStackHeight (true);
    SxRelativeBounds::detach (*content);
    SxRelativeBounds::detach (*controller);
    const int height = controller->getStackHeight() + bottomRoom;

    // A growing stack needs its room before the rows slide into it.
    if (durationMs == 0 || content->getHeight() < height)
    {
        refreshContentSize();
        return;
    }

    placeContent (content->getHeight());

    if (durationMs <= -(shrinkExtraMs - 5))
    {
        content->setSize (content->getWidth(), height);
        controller->setSize (controller->getWidth(), height);
        return;
    }

    for (auto* c : { static_cast<juce::Component*> (content), static_cast<juce::Component*> (controller) })
        animator.animateComponent (c, c->getBounds().withHeight (height), durationMs + shrinkExtraMs, false, backIn, 1.0f, 0.5, 0.5);
}

//==============================================================================
void SxLayoutComponent::addItem (juce::Component* item)
{
    rememberControl (item);
    controller->addItem (item);
}

void SxLayoutComponent::addItem (juce::Component* item, bool keepBounds)
{
    rememberControl (item);
    controller->addItem (item, keepBounds);
}

void SxLayoutComponent::removeItem (juce::Component* item)
{
    forgetControl (item);
    controller->removeItem (item);
}

void SxLayoutComponent::addFullWidthItem (SxComponent* item, bool keepBounds)
{
    rememberControl (item);
    controller->addFullWidthItem (item, keepBounds);
}

void SxLayoutComponent::addItemPair (juce::Component* left, juce::Component* right, bool keepBounds)
{
    rememberControl (left);
    rememberControl (right);
    controller->addItemPair (left, right, keepBounds);
}

void SxLayoutComponent::addItemTriple (juce::Component* a, juce::Component* b, juce::Component* c, bool keepBounds)
{
    for (auto* item : { a, b, c })
        rememberControl (item);

    controller->addItemTriple (a, b, c, keepBounds);
}

void SxLayoutComponent::insertItemAfter (juce::Component* item, juce::Component* reference, bool keepBounds)
{
    rememberControl (item);
    controller->insertItemAfter (item, reference, keepBounds);
}

void SxLayoutComponent::insertItemBefore (juce::Component* item, juce::Component* reference, bool keepBounds)
{
    rememberControl (item);
    controller->insertItemBefore (item, reference, keepBounds);
}

void SxLayoutComponent::insertItemFirst (juce::Component* item, bool keepBounds)
{
    rememberControl (item);
    controller->insertItemFirst (item, keepBounds);
}

void SxLayoutComponent::clearItems()                                            { controller->clearItems(); }
void SxLayoutComponent::setItemTopMargin (juce::Component* item, int margin)     { controller->setItemTopMargin (item, margin); }
void SxLayoutComponent::setItemBottomMargin (juce::Component* item, int margin)  { controller->setItemBottomMargin (item, margin); }
SxSlider* SxLayoutComponent::findSlider (const juce::String& text)               { return controller->findSlider (text); }
