#include "EaseComponentAnimator.h"

#include "SxClock.h"
#include "SxRelativeBounds.h"

#include <algorithm>

namespace
{
    constexpr int tickMs = 10;
}

EaseComponentAnimator::~EaseComponentAnimator()
{
    stopTimer();

    while (! tasks.empty())
        tasks.pop_back();
}

void EaseComponentAnimator::animateComponent (juce::Component* component, const juce::Rectangle<int>& finalBounds,
                                              int durationMs, bool useProxyComponent, int easingType, float finalAlpha,
                                              double /*startSpeed*/, double /*endSpeed*/)
{
    if (component == nullptr)
        return;

    SxRelativeBounds::detach (*component);
    startTask (*component, [component] { return std::make_unique<Task> (*component); },
               finalBounds, durationMs, useProxyComponent, easingType, finalAlpha);
}

void EaseComponentAnimator::startTask (juce::Component& component, const std::function<std::unique_ptr<Task>()>& makeTask,
                                       const juce::Rectangle<int>& finalBounds, int durationMs, bool useProxyComponent,
                                       int easingType, float finalAlpha)
{
    auto* task = findTaskFor (&component);

    if (task == nullptr)
    {
        tasks.push_back (makeTask());
        task = tasks.back().get();
        sendChangeMessage();
    }

    task->reset (finalBounds, durationMs, useProxyComponent, easingType, finalAlpha);

    if (! isTimerRunning())
    {
        lastTime = SxClock::getMillisecondCounter();
        startTimer (tickMs);
    }
}

void EaseComponentAnimator::fadeOut (juce::Component* component, int durationMs)
{
    if (component == nullptr)
        return;

    if (durationMs > 0 && component->isShowing())
    {
        const auto* task = findTaskFor (component);
        const auto target = task != nullptr ? task->destination : component->getBounds();
        animateComponent (component, target, durationMs, true, 1, 0.0f, 1.0, 1.0);
    }

    component->setVisible (false);
}

void EaseComponentAnimator::fadeIn (juce::Component* component, int durationMs)
{
    if (component == nullptr || (component->isVisible() && component->getAlpha() == 1.0f))
        return;

    component->setAlpha (0.0f);
    component->setVisible (true);
    const auto* task = findTaskFor (component);
    const auto target = task != nullptr ? task->destination : component->getBounds();
    animateComponent (component, target, durationMs, false, 0, 1.0f, 1.0, 1.0);
}

void EaseComponentAnimator::cancelAllAnimations (bool moveComponentsToTheirFinalPositions)
{
    if (tasks.empty())
        return;

    // Taken out of the list first: moving a component runs callbacks that may start new
    // animations or cancel again.
    auto cancelled = std::move (tasks);
    tasks.clear();
    const juce::WeakReference<EaseComponentAnimator> alive (this);

    if (moveComponentsToTheirFinalPositions)
        for (auto it = cancelled.rbegin(); it != cancelled.rend(); ++it)
            (*it)->moveToFinalDestination();

    while (! cancelled.empty())
        cancelled.pop_back();

    if (! alive.wasObjectDeleted())
        sendChangeMessage();
}

EaseComponentAnimator::Task* EaseComponentAnimator::findTaskFor (const juce::Component* component) const noexcept
{
    for (auto it = tasks.rbegin(); it != tasks.rend(); ++it)
        if ((*it)->component.get() == component)
            return it->get();

    return nullptr;
}

bool EaseComponentAnimator::isAnimating (const juce::Component* component) const noexcept
{
    return component != nullptr && findTaskFor (component) != nullptr;
}

void EaseComponentAnimator::timerCallback()
{
    const auto now = SxClock::getMillisecondCounter();

    if (lastTime == 0)
        lastTime = now;

    const auto elapsed = (int) (now - lastTime);
    const juce::WeakReference<EaseComponentAnimator> alive (this);

    // Newest first, over a copy: a task's callbacks may add, restart or cancel tasks.
    std::vector<juce::WeakReference<Task>> pending;
    pending.reserve (tasks.size());
    for (auto it = tasks.rbegin(); it != tasks.rend(); ++it)
        pending.emplace_back (it->get());

    for (auto& weakTask : pending)
    {
        auto* task = weakTask.get();

        if (task == nullptr)
            continue;

        const bool running = task->useTimeslice (elapsed);

        if (alive.wasObjectDeleted())
            return;

        if (! running && weakTask != nullptr)
        {
            const auto found = std::find_if (tasks.begin(), tasks.end(), [task] (const auto& t) { return t.get() == task; });

            if (found != tasks.end())
            {
                auto ended = std::move (*found);
                tasks.erase (found);
                ended.reset();

                if (alive.wasObjectDeleted())
                    return;

                sendChangeMessage();
            }
        }
    }

    lastTime = now;

    if (tasks.empty())
        stopTimer();
}
