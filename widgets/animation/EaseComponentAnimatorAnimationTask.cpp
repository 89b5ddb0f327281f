#include "EaseComponentAnimatorAnimationTask.h"

#include "EaseValue.h"

#include <cmath>

EaseComponentAnimatorAnimationTask::ProxyComponent::ProxyComponent (juce::Component& c)
{
    setWantsKeyboardFocus (false);
    setBounds (c.getBounds());
    setTransform (c.getTransform());
    setAlpha (c.getAlpha());
    setInterceptsMouseClicks (false, false);

    if (auto* parent = c.getParentComponent())
        parent->addAndMakeVisible (this);
    else if (c.isOnDesktop() && c.getPeer() != nullptr)
        addToDesktop (c.getPeer()->getStyleFlags() | juce::ComponentPeer::windowIgnoresKeyPresses);

    // Sharp on a high-density screen: the snapshot has the pixels the component would show.
    float scale = juce::Component::getApproximateScaleFactorForComponent (&c);

    if (auto* display = juce::Desktop::getInstance().getDisplays().getDisplayForRect (c.getScreenBounds()))
        scale *= (float) display->scale;

    snapshot = c.createComponentSnapshot (c.getLocalBounds(), true, scale);

    setVisible (true);
    toBehind (&c);
}

void EaseComponentAnimatorAnimationTask::ProxyComponent::paint (juce::Graphics& g)
{
    g.setOpacity (1.0f);
    g.drawImage (snapshot, getLocalBounds().toFloat());
}

std::unique_ptr<juce::AccessibilityHandler> EaseComponentAnimatorAnimationTask::ProxyComponent::createAccessibilityHandler()
{
    return createIgnoredAccessibilityHandler (*this);
}

EaseComponentAnimatorAnimationTask::EaseComponentAnimatorAnimationTask (juce::Component& c)
    : component (&c)
{
}

EaseComponentAnimatorAnimationTask::~EaseComponentAnimatorAnimationTask()
{
    proxy.deleteAndZero();
}

void EaseComponentAnimatorAnimationTask::reset (const juce::Rectangle<int>& finalBounds, int durationMs,
                                                bool useProxyComponent, int type, float finalAlpha)
{
    auto* c = component.get();

    if (c == nullptr)
        return;

    elapsedMs = 0;
    totalMs = juce::jmax (1, durationMs);
    destination = finalBounds;
    destAlpha = finalAlpha;
    changesBounds = destination != c->getBounds();
    changesAlpha = finalAlpha != c->getAlpha();
    startLeft = c->getX();
    startTop = c->getY();
    startRight = c->getRight();
    startBottom = c->getBottom();
    startAlpha = c->getAlpha();
    easingType = type;

    proxy.deleteAndZero();
    usesProxy = useProxyComponent;

    if (useProxyComponent)
        proxy = new ProxyComponent (*c);

    c->setVisible (! useProxyComponent);
}

float EaseComponentAnimatorAnimationTask::ease (float t, float begin, float change, float duration) const
{
    if (isEasingType (easingType))
        return easeValue (easingType, t, begin, change, duration);

    return begin + change * t / duration;
}

juce::Rectangle<int> EaseComponentAnimatorAnimationTask::boundsAt (float t, float d) const
{
    const float top    = ease (t, (float) startTop,    (float) (destination.getY() - startTop), d);
    const float left   = ease (t, (float) startLeft,   (float) (destination.getX() - startLeft), d);
    const float bottom = ease (t, (float) startBottom, (float) (destination.getBottom() - startBottom), d);
    const float right  = ease (t, (float) startRight,  (float) (destination.getRight() - startRight), d);

    const int x = (int) left, y = (int) top;
    return { x, y, (int) std::ceil (right) - x, (int) std::ceil (bottom) - y };
}

juce::Rectangle<int> EaseComponentAnimatorAnimationTask::finalBounds() const
{
    return destination;
}

bool EaseComponentAnimatorAnimationTask::useTimeslice (int elapsed)
{
    juce::Component::SafePointer<juce::Component> item (proxy != nullptr ? static_cast<juce::Component*> (proxy.getComponent())
                                                                         : component.get());

    if (item == nullptr)
    {
        moveToFinalDestination();
        return false;
    }

    elapsedMs += elapsed;
    const double progress = elapsedMs / (double) totalMs;

    if (progress < 0.0 || progress >= 1.0 || ! (changesBounds || changesAlpha))
    {
        moveToFinalDestination();
        return false;
    }

    const float t = (float) elapsedMs, d = (float) totalMs;

    if (changesBounds)
    {
        const auto bounds = boundsAt (t, d);

        if (bounds == destination)
        {
            // Reached early (an overshooting curve, or edges cut and rounded onto the
            // target): a move ends here; a fade goes on and the end puts it in place.
            if (! changesAlpha)
            {
                moveToFinalDestination();
                return false;
            }
        }
        else
        {
            // Moving the item runs its owner's callbacks, which may delete it or this task.
            const juce::WeakReference<EaseComponentAnimatorAnimationTask> alive (this);
            item->setBounds (bounds);

            if (alive.wasObjectDeleted())
                return false;

            if (item == nullptr)
                return true;   // the next tick finds it gone and ends
        }
    }

    if (changesAlpha)
        item->setAlpha (ease (t, (float) startAlpha, (float) (destAlpha - startAlpha), d));

    return true;
}

void EaseComponentAnimatorAnimationTask::moveToFinalDestination()
{
    juce::Component::SafePointer<juce::Component> c (component.get());

    if (c == nullptr)
        return;

    const juce::WeakReference<EaseComponentAnimatorAnimationTask> alive (this);
    c->setAlpha ((float) destAlpha);
    c->setBounds (finalBounds());

    // The proxy may have gone with its parent; the component was hidden for it all the same.
    if (! alive.wasObjectDeleted() && c != nullptr && usesProxy)
        c->setVisible (destAlpha > 0.0);
}
