#include "SxScroller.h"

#include "EaseValue.h"
#include "SxClock.h"
#include "SxComponent.h"

#include <cmath>

namespace
{
    constexpr int dragThreshold = 8;
    constexpr float flingThreshold = 0.07f;    // pixels per millisecond
    constexpr float flingDecay = 0.07f, minimumFlingDecay = 0.005f;
    constexpr int sineOut = 1;

    /** Children of content go with the scroller; those it only shows stay with their owners. */
    void deleteChildrenOf (juce::Component& content)
    {
        auto* container = dynamic_cast<SxComponent*> (&content);

        for (int i = content.getNumChildComponents(); --i >= 0;)
        {
            if (i >= content.getNumChildComponents())
                continue;

            auto* child = content.getChildComponent (i);

            if (container != nullptr && container->isBorrowedChild (*child))
                container->removeBorrowedChild (*child);
            else
                delete child;
        }
    }
}

/** Hands clicks back to the scroller's children once the button is up, also when the
    component the drag started on was deleted meanwhile and no release reaches the scroller. */
struct SxScroller::ReleaseWatch : public juce::MouseListener
{
    explicit ReleaseWatch (SxScroller& s) : scroller (s)   { juce::Desktop::getInstance().addGlobalMouseListener (this); }
    ~ReleaseWatch() override                                { juce::Desktop::getInstance().removeGlobalMouseListener (this); }

    void mouseUp (const juce::MouseEvent&) override         { scroller.restoreClicks(); }
    void mouseMove (const juce::MouseEvent&) override       { scroller.restoreClicks(); }

    SxScroller& scroller;
};

SxScroller::SxScroller (const juce::String& componentName)
    : juce::Viewport (componentName)
{
    // The scroller drags the content itself.
    setScrollOnDragMode (juce::Viewport::ScrollOnDragMode::never);
    setLookAndFeel (&lookAndFeel);
}

SxScroller::~SxScroller()
{
    restoreClicks();

    if (auto* content = getViewedComponent())
    {
        content->removeMouseListener (this);
        deleteChildrenOf (*content);
    }

    stopTimer (flingTimerId);
    stopTimer (scrollAnimationTimerId);
    setLookAndFeel (nullptr);
}

void SxScroller::viewedComponentChanged (juce::Component* newComponent)
{
    if (listenedContent != nullptr && listenedContent != newComponent)
        listenedContent->removeMouseListener (this);

    listenedContent = newComponent;

    if (newComponent != nullptr)
        newComponent->addMouseListener (this, true);
}

bool SxScroller::comesFromScrollBar (const juce::MouseEvent& e)
{
    for (auto* bar : { static_cast<juce::Component*> (&getVerticalScrollBar()), static_cast<juce::Component*> (&getHorizontalScrollBar()) })
        if (e.eventComponent == bar || bar->isParentOf (e.eventComponent))
            return true;

    return false;
}

void SxScroller::mouseDown (const juce::MouseEvent& e)
{
    if (comesFromScrollBar (e))
    {
        // A scroll bar takes over from a glide; the drag is the bar's own.
        stopTimer (flingTimerId);
        stopTimer (scrollAnimationTimerId);
        return;
    }

    if (! dragScrollEnabled)
        return;

    stopTimer (flingTimerId);
    stopTimer (scrollAnimationTimerId);

    dragging = false;
    pressPosition = e.getEventRelativeTo (this).getPosition();
    lastPointer = pressPosition;
    lastEventTime = e.eventTime.toMilliseconds();
}

void SxScroller::mouseDrag (const juce::MouseEvent& e)
{
    if (! dragScrollEnabled || ! lastPointer.has_value() || comesFromScrollBar (e))
        return;

    const auto p = e.getEventRelativeTo (this).getPosition();
    const int dx = lastPointer->x - p.x, dy = lastPointer->y - p.y;   // the content follows the pointer
    const int d = horizontal ? dx : dy;
    direction = d < 0 ? -1 : 1;

    const auto time = e.eventTime.toMilliseconds();
    auto dt = (float) (time - lastEventTime);
    lastEventTime = time;

    if (dt == 0.0f)
        dt = 1.0f;

    velocity = std::abs ((float) d / dt);

    // Until the pointer passes the threshold lastPointer stays at the press, so the first
    // step past it moves the view by the whole way.
    if (horizontal)
    {
        if (std::abs (p.x - pressPosition.x) > dragThreshold || dragging)
        {
            setViewPosition (getViewPositionX() + dx, getViewPositionY());
            lastPointer->x = p.x;
            dragging = true;
        }
    }
    else if (std::abs (p.y - pressPosition.y) > dragThreshold || dragging)
    {
        setViewPosition (getViewPositionX(), getViewPositionY() + dy);
        lastPointer->y = p.y;
        dragging = true;
    }

    if (dragging && e.eventComponent != this)
        blockClicks (e);
}

void SxScroller::mouseUp (const juce::MouseEvent& e)
{
    if (! dragScrollEnabled || comesFromScrollBar (e))
        return;

    if (e.eventComponent != this)
        restoreClicks();

    if (dragging)
    {
        lastPointer = e.getEventRelativeTo (this).getPosition();

        if (velocity > flingThreshold)
            startTimer (flingTimerId, tickMs);
    }
}

void SxScroller::blockClicks (const juce::MouseEvent& e)
{
    if (releaseWatch != nullptr)
        return;

    getInterceptsMouseClicks (interceptedClicks, interceptedChildClicks);
    setInterceptsMouseClicks (false, false);
    releaseWatch = std::make_unique<ReleaseWatch> (*this);

    // A button took this very drag step before the scroller did and still shows itself
    // pressed; released now it would click.
    for (auto* c = e.eventComponent; c != nullptr && c != this; c = c->getParentComponent())
        if (auto* button = dynamic_cast<juce::Button*> (c))
            button->setState (juce::Button::buttonNormal);
}

void SxScroller::restoreClicks()
{
    if (releaseWatch == nullptr)
        return;

    releaseWatch.reset();
    setInterceptsMouseClicks (interceptedClicks, interceptedChildClicks);
}

void SxScroller::visibleAreaChanged (const juce::Rectangle<int>& newVisibleArea)
{
    if (scrollerCallback != nullptr)
        scrollerCallback->scrolled (this, newVisibleArea);
}

void SxScroller::timerCallback (int timerID)
{
    if (timerID == flingTimerId)
        flingTick();
    else if (timerID == scrollAnimationTimerId)
        scrollAnimationTick();
    else
        stopTimer (timerID);
}

void SxScroller::flingTick()
{
    stopTimer (flingTimerId);

    // 7 % of the speed per tick, and never less than a small constant, so every fling ends.
    velocity = juce::jmax (0.0f, velocity - juce::jmax (flingDecay * velocity, minimumFlingDecay));
    const float step = velocity * (float) tickMs * (float) direction;

    if (horizontal)
        setViewPosition ((int) ((float) getViewPositionX() + step), getViewPositionY());
    else
        setViewPosition (getViewPositionX(), (int) ((float) getViewPositionY() + step));

    if (velocity > 0.0f)
        startTimer (flingTimerId, tickMs);
}

juce::Point<int> SxScroller::clampToContent (juce::Point<int> position) const
{
    const auto* content = getViewedComponent();

    if (content == nullptr)
        return {};

    const int maxX = juce::jmax (0, content->getWidth() - getViewWidth());
    const int maxY = juce::jmax (0, content->getHeight() - getViewHeight());
    return { juce::jlimit (0, maxX, position.x), juce::jlimit (0, maxY, position.y) };
}

bool SxScroller::animateScrollTo (juce::Point<int> target, bool keepX, bool keepY)
{
    stopTimer (flingTimerId);

    const auto current = getViewPosition();
    animStartX = (float) current.x;
    animStartY = (float) current.y;
    animDeltaX = keepX ? 0.0f : (float) (target.x - current.x);
    animDeltaY = keepY ? 0.0f : (float) (target.y - current.y);

    const auto end = juce::Point<int> (current.x + (int) animDeltaX, current.y + (int) animDeltaY);

    if (clampToContent (current) == clampToContent (end))
        return false;

    animStartTime = 0;
    animElapsed = 0;
    animDuration = scrollAnimationMs;
    startTimer (scrollAnimationTimerId, tickMs);
    return true;
}

void SxScroller::scrollAnimationTick()
{
    stopTimer (scrollAnimationTimerId);
    const auto now = SxClock::getMillisecondCounter();

    if (animStartTime == 0)
        animStartTime = now;

    animElapsed = juce::jmin ((int) (now - animStartTime), animDuration);

    const float t = (float) animElapsed, d = (float) animDuration;
    const float x = animDeltaX != 0.0f ? easeValue (sineOut, t, animStartX, animDeltaX, d) : animStartX;
    const float y = animDeltaY != 0.0f ? easeValue (sineOut, t, animStartY, animDeltaY, d) : animStartY;
    setViewPosition ((int) x, (int) y);
    repaint();

    if (animElapsed < animDuration)
        startTimer (scrollAnimationTimerId, tickMs);
}
