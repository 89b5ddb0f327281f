#include "SxLayoutController.h"

#include "SxLayoutComponent.h"
#include "SxLayoutControllerCombinedComponent.h"
#include "SxRelativeBounds.h"
#include "SxSlider.h"

#include <algorithm>
#include <set>

namespace
{
    const juce::Identifier keepBoundsProperty ("sxLayoutKeepsBounds");

    constexpr int backIn = 9, backOut = 10;

    juce::String heightTerm (int height)
    {
        return "top + " + juce::String (height);
    }

    void placeInRow (juce::Component& row, juce::Component* item, const juce::String& expression)
    {
        if (item == nullptr)
            return;

        row.addAndMakeVisible (item);
        SxRelativeBounds::apply (*item, expression);
    }

    int tallestOf (std::initializer_list<juce::Component*> items)
    {
        int height = 0;
        for (auto* item : items)
            if (item != nullptr)
                height = std::max (height, item->getHeight());
        return height;
    }
}

SxLayoutController::SxLayoutController (int spacingBetweenItems)
    : spacing (spacingBetweenItems)
{
}

SxLayoutController::~SxLayoutController()
{
    for (const int id : { swapTimerId, fadeInTimerId, relayoutTimerId, finishTimerId })
        stopTimer (id);

    // Proxies of running fades go first, then the items that were never laid out (the stack
    // owns them all the same), then the children.
    animator.cancelAllAnimations (false);

    std::set<juce::Component*> notYetChildren;
    for (auto& item : items)
        if (auto* c = item.getComponent(); c != nullptr && c->getParentComponent() != this)
            notYetChildren.insert (c);

    items.clear();

    for (auto* c : notYetChildren)
        delete c;

    deleteAllChildren();
}

//==============================================================================
const std::vector<SxLayoutController::Item>& SxLayoutController::liveItems()
{
    std::erase_if (items, [] (const Item& item) { return item.getComponent() == nullptr; });
    return items;
}

std::vector<juce::Component*> SxLayoutController::getItems() const
{
    std::vector<juce::Component*> result;
    for (auto& item : items)
        if (auto* c = item.getComponent())
            result.push_back (c);
    return result;
}

int SxLayoutController::indexOf (const juce::Component* c) const
{
    if (c == nullptr)
        return -1;

    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].getComponent() == c)
            return (int) i;

    return -1;
}

bool SxLayoutController::contains (const std::vector<Item>& list, const juce::Component* c)
{
    return std::any_of (list.begin(), list.end(), [c] (const Item& item) { return item.getComponent() == c; });
}

bool SxLayoutController::isShownNow (const juce::Component& c)
{
    return c.isVisible() && c.getAlpha() > 0.0f;
}

void SxLayoutController::setKeepBounds (juce::Component& item)
{
    item.getProperties().set (keepBoundsProperty, 1);
}

bool SxLayoutController::keepsBounds (const juce::Component& item)
{
    return (int) item.getProperties()[keepBoundsProperty] != 0;
}

int SxLayoutController::marginOf (const MarginMap& map, const juce::Component* item)
{
    const auto found = map.find (item);

    // An entry whose component has gone belongs to no one, whatever now lives at its address.
    if (found == map.end() || found->second.component.getComponent() != item)
        return 0;

    return found->second.value;
}

int SxLayoutController::getTopMargin (const juce::Component* item) const     { return marginOf (topMargins, item); }
int SxLayoutController::getBottomMargin (const juce::Component* item) const  { return marginOf (bottomMargins, item); }

//==============================================================================
void SxLayoutController::addItem (juce::Component* c)
{
    addItem (c, false);
}

void SxLayoutController::addItem (juce::Component* c, bool keepBounds)
{
    insertAt (c, items.size(), keepBounds);
}

void SxLayoutController::insertAt (juce::Component* item, size_t index, bool keepBounds)
{
    if (item == nullptr)
        return;

    if (keepBounds)
        setKeepBounds (*item);

    items.insert (items.begin() + (std::ptrdiff_t) std::min (index, items.size()), Item (item));
}

void SxLayoutController::removeItem (juce::Component* c)
{
    std::erase_if (items, [c] (const Item& item) { return item.getComponent() == c; });
}

void SxLayoutController::addFullWidthItem (juce::Component* c, bool keepBounds)
{
    if (c == nullptr)
        return;

    SxRelativeBounds::detach (*c);

    if (c->getHeight() == 0)
        c->setSize (getWidth(), defaultItemHeight);

    c->setSize (getWidth(), c->getHeight());
    addItem (c, keepBounds);
}

void SxLayoutController::addItemPair (juce::Component* left, juce::Component* right, bool keepBounds)
{
    if (left == nullptr && right == nullptr)
        return;

    auto* row = new SxLayoutControllerCombinedComponent();
    row->setSize (combinedRowWidth, tallestOf ({ left, right }));

    if (left != nullptr)
        placeInRow (*row, left, "0, 0, left + (parent.width/2) - 5, " + heightTerm (left->getHeight()));
    if (right != nullptr)
        placeInRow (*row, right, "(parent.width/2) + 5, 0, left + parent.width - left, " + heightTerm (right->getHeight()));

    addItem (row, keepBounds);
}

void SxLayoutController::addItemTriple (juce::Component* a, juce::Component* b, juce::Component* c, bool keepBounds)
{
    if (a == nullptr && b == nullptr && c == nullptr)
        return;

    auto* row = new SxLayoutControllerCombinedComponent();
    row->setSize (combinedRowWidth, tallestOf ({ a, b, c }));

    placeInRow (*row, a, "0, 10, left + parent.width - (parent.width / 3 * 2) + 5, top + 34");
    placeInRow (*row, b, "5 + (parent.width / 3), 10, left + parent.width - 5 - (parent.width / 3 * 2), top +\t34");
    placeInRow (*row, c, "(parent.width / 3 * 2), 10, left + parent.width - (parent.width / 3 * 2), top + 34");

    addItem (row, keepBounds);
}

void SxLayoutController::insertItemAfter (juce::Component* item, juce::Component* reference, bool keepBounds)
{
    const int index = indexOf (reference);
    insertAt (item, index < 0 ? items.size() : (size_t) index + 1, keepBounds);
}

void SxLayoutController::insertItemBefore (juce::Component* item, juce::Component* reference, bool keepBounds)
{
    const int index = indexOf (reference);
    insertAt (item, index < 0 ? items.size() : (size_t) index, keepBounds);
}

void SxLayoutController::insertItemFirst (juce::Component* item, bool keepBounds)
{
    insertAt (item, 0, keepBounds);
}

void SxLayoutController::clearItems()
{
    items.clear();
    topMargins.clear();
    bottomMargins.clear();
}

void SxLayoutController::setMargin (MarginMap& map, juce::Component* item, int margin)
{
    if (item == nullptr)
        return;

    // Entries of deleted components go, so the map holds no more than the live items.
    std::erase_if (map, [] (const auto& entry) { return entry.second.component.getComponent() == nullptr; });
    map[item] = { Item (item), margin };
}

void SxLayoutController::setItemTopMargin (juce::Component* item, int margin)     { setMargin (topMargins, item, margin); }
void SxLayoutController::setItemBottomMargin (juce::Component* item, int margin)  { setMargin (bottomMargins, item, margin); }

SxSlider* SxLayoutController::findSlider (const juce::String& text)
{
    for (auto& item : liveItems())
        if (item->getName().contains (text))
            if (auto* slider = dynamic_cast<SxSlider*> (item.getComponent()))
                return slider;

    return nullptr;
}

juce::Component* SxLayoutController::findItem (const juce::String& text)
{
    for (auto& item : liveItems())
        if (item->getName().contains (text))
            return item.getComponent();

    return nullptr;
}

//==============================================================================
int SxLayoutController::itemHeightForStack (juce::Component& item)
{
    if (auto* container = dynamic_cast<SxLayoutComponent*> (&item))
    {
        auto* inner = container->getController();

        if (inner == nullptr || inner->getItems().empty())
            return item.getHeight();

        container->refreshContentSize();
        return inner->getStackHeight();
    }

    if (auto* inner = dynamic_cast<SxLayoutController*> (&item))
    {
        inner->computeStackHeight (true);
        return inner->getStackHeight();
    }

    return item.getHeight();
}

void SxLayoutController::computeStackHeight (bool skipHiddenOnRequest)
{
    stackHeight = 0;
    int y = topInset;
    const auto& list = liveItems();

    for (size_t i = 0; i < list.size(); ++i)
    {
        auto* item = list[i].getComponent();

        if (skipHiddenOnRequest && contains (itemsHiddenOnRequest, item))
            continue;

        y += getTopMargin (item) + itemHeightForStack (*item);

        if (i + 1 < list.size())
            y += getBottomMargin (item) + spacing;
    }

    stackHeight = y;
}

int SxLayoutController::layoutStackItems()
{
    // Children that left the stack are handed back. The items stay attached rather than being
    // detached and added again, so a control keeps the keyboard focus across a layout pass;
    // the fade proxies of the animator stay too.
    for (int i = getNumChildComponents(); --i >= 0;)
    {
        auto* child = getChildComponent (i);

        if (! contains (items, child) && dynamic_cast<EaseComponentAnimatorAnimationTask::ProxyComponent*> (child) == nullptr)
            removeChildComponent (i);
    }

    stackHeight = 0;
    computeStackHeight (true);

    int y = topInset;
    const auto list = liveItems();

    for (size_t i = 0; i < list.size(); ++i)
    {
        auto* item = list[i].getComponent();

        if (item == nullptr)   // deleted by a callback of an earlier item's placement
            continue;

        const int previous = y;

        // Children follow the stack order, as if every item had been added again on top.
        if (item->getParentComponent() == this)
            item->toFront (false);
        else
            addChildComponent (item, -1);

        // A transparent item is not shown: invisible, it takes no click and no keyboard focus.
        item->setVisible (item->getAlpha() > 0.0f);

        const int top = y + getTopMargin (item);
        const auto expression = SxRelativeBounds::getExpression (*item);
        const auto terms = juce::StringArray::fromTokens (expression, ",", {});

        if (! keepsBounds (*item) || expression.isEmpty())
        {
            SxRelativeBounds::detach (*item);

            if (item->getHeight() == 0)
                item->setSize (item->getWidth(), defaultItemHeight);

            SxRelativeBounds::apply (*item, "0, " + juce::String (top) + ", left + parent.width, " + heightTerm (item->getHeight()));
        }
        else if (terms.size() == 4)
        {
            // Only the top term is rewritten; the others keep their text, blanks included.
            SxRelativeBounds::apply (*item, terms[0] + ", " + juce::String (top) + ", " + terms[2] + ", " + terms[3]);
        }
        else
        {
            // Moved only, and no longer following an expression that would move it back.
            SxRelativeBounds::detach (*item);
            item->setTopLeftPosition (0, top);
        }

        y = top + item->getHeight();

        if (i + 1 < list.size())
            y += getBottomMargin (item) + spacing;

        // A transparent item takes no room: the next one takes its place.
        if (item->getAlpha() == 0.0f)
            y = previous;
    }

    stackHeight = y;
    return stackHeight;
}

bool SxLayoutController::takesPart (juce::Component& item) const
{
    // While rows are only hidden, the hidden ones keep their room until they are invisible.
    const bool beingShown = ! itemsBeingShown.empty() && contains (itemsBeingShown, &item);
    const bool notBeingHidden = itemsBeingShown.empty() || ! contains (itemsBeingHidden, &item);

    if (! item.isVisible())
        return beingShown;

    return beingShown || (notBeingHidden && item.getAlpha() > 0.0f);
}

int SxLayoutController::relayoutAnimated (int durationMs, int easingType)
{
    stackHeight = 0;
    computeStackHeight (true);
    int y = topInset;

    const auto list = liveItems();

    for (auto& entry : list)
    {
        auto* item = entry.getComponent();

        if (item == nullptr)
            continue;

        if (dynamic_cast<SxLayoutControllerCombinedComponent*> (item) != nullptr)
        {
            bool childShown = false, childVisible = false, childHidden = false;

            for (auto* child : item->getChildren())
            {
                childShown = childShown || contains (itemsBeingShown, child);
                childHidden = childHidden || contains (itemsBeingHidden, child);
                childVisible = childVisible || isShownNow (*child);
            }

            if (! (childShown || (childVisible && ! childHidden)))
                continue;
        }

        if (! takesPart (*item))
            continue;

        const int top = y + getTopMargin (item);
        juce::Rectangle<int> aim;

        // The item leaves its expression either way: an animation detaches it, and a direct
        // move must not be undone by the expression when the stack's width changes.
        SxRelativeBounds::detach (*item);

        if (! keepsBounds (*item) || SxRelativeBounds::getExpression (*item).isEmpty())
        {
            if (item->getHeight() == 0)
                item->setSize (item->getWidth(), defaultItemHeight);

            aim = { 0, top, getWidth(), item->getHeight() };
        }
        else
        {
            aim = { item->getX(), top, item->getWidth(), item->getHeight() };
        }

        if (durationMs > 5)
            animator.animateComponent (item, aim, durationMs, false, easingType, item->getAlpha(), 0.5, 0.5);
        else
            item->setBounds (aim);

        y = top + aim.getHeight() + getBottomMargin (item) + spacing;
    }

    stackHeight = y;
    return stackHeight;
}

//==============================================================================
int SxLayoutController::stageDelay() const noexcept
{
    return animationDuration < 300 ? animationDuration : animationDuration - 250;
}

void SxLayoutController::setItemVisible (juce::Component* c, bool show)
{
    if (c == nullptr)
        return;

    if (! show)
        itemsHiddenOnRequest.emplace_back (c);

    if (show != isShownNow (*c))
        pendingChanges.push_back ({ Item (c), show });
}

void SxLayoutController::clearPendingChanges()
{
    pendingChanges.clear();
    itemsHiddenOnRequest.clear();
}

void SxLayoutController::showRequested()
{
    // Shown for real: a row hidden by a fade-out is invisible, and alpha alone would leave
    // a gap where it should be.
    for (auto& change : pendingChanges)
        if (auto* c = change.component.getComponent(); c != nullptr && change.show)
        {
            c->setVisible (true);
            c->setAlpha (1.0f);
        }
}

void SxLayoutController::applyPendingChanges (int durationMs, bool relayoutWhenNothingPending)
{
    for (const int id : { swapTimerId, fadeInTimerId, relayoutTimerId, finishTimerId })
        stopTimer (id);

    animationDuration = durationMs;
    const int delay = stageDelay();

    std::erase_if (pendingChanges, [] (const PendingChange& change) { return change.component.getComponent() == nullptr; });

    if (pendingChanges.empty())
    {
        if (relayoutWhenNothingPending)
            startTimer (relayoutTimerId, delay);
        return;
    }

    itemsBeingShown.clear();
    itemsBeingHidden.clear();

    for (auto& change : pendingChanges)
    {
        auto* c = change.component.getComponent();

        if (change.show)
        {
            if (! isShownNow (*c))
            {
                itemsBeingShown.emplace_back (c);
                c->setAlpha (0.0f);
            }
        }
        else if (isShownNow (*c))
        {
            itemsBeingHidden.emplace_back (c);
        }
    }

    const bool somethingShown = ! itemsBeingShown.empty();
    const bool somethingHidden = ! itemsBeingHidden.empty();

    if (durationMs > 5)
    {
        int wait = 1;

        if (somethingHidden)
        {
            for (auto& change : pendingChanges)
                if (! change.show)
                    animator.fadeOut (change.component.getComponent(), durationMs);

            wait = durationMs - 50;
        }

        if (somethingShown)
            startTimer (swapTimerId, wait);
        else
            startTimer (relayoutTimerId, delay + 5);

        return;
    }

    // Hidden as a fade-out would leave it: transparent and invisible.
    for (auto& change : pendingChanges)
        if (auto* c = change.component.getComponent(); c != nullptr && ! change.show)
        {
            c->setAlpha (0.0f);
            c->setVisible (false);
        }

    showRequested();
    relayoutAnimated (0, backIn);
}

void SxLayoutController::finishAnimations()
{
    animationDuration = 0;
    const bool swapPending = isTimerRunning (swapTimerId);
    const bool fadeInPending = isTimerRunning (fadeInTimerId);
    const bool relayoutPending = isTimerRunning (relayoutTimerId);

    animator.cancelAllAnimations (true);

    for (const int id : { swapTimerId, fadeInTimerId, relayoutTimerId })
        stopTimer (id);

    if (swapPending)
        relayoutAnimated (0, backOut);

    if (swapPending || fadeInPending)
        showRequested();

    if (relayoutPending)
        relayoutAnimated (0, backIn);

    animator.cancelAllAnimations (true);
}

void SxLayoutController::timerCallback (int timerId)
{
    stopTimer (timerId);
    const int duration = animationDuration;
    const int delay = stageDelay();

    switch (timerId)
    {
        case swapTimerId:
            relayoutAnimated (duration, backOut);
            startTimer (fadeInTimerId, delay);
            break;

        case fadeInTimerId:
            if (duration >= 1)
            {
                for (auto& change : pendingChanges)
                    if (change.show)
                        animator.fadeIn (change.component.getComponent(), duration);
            }
            else
            {
                showRequested();
            }

            startTimer (finishTimerId, delay);
            break;

        case relayoutTimerId:
            relayoutAnimated (duration, backIn);
            startTimer (finishTimerId, delay);
            break;

        case finishTimerId:
            clearPendingChanges();
            break;

        default:
            break;
    }
}
