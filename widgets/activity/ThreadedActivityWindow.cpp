#include "ThreadedActivityWindow.h"

#include "SxMainComponentServices.h"

namespace
{
    constexpr int pollMs = 50;
}

ThreadedActivityWindow::ThreadedActivityWindow (const juce::String& message, int timeoutMs)
    : juce::Thread ("Activity Window"),
      overlay (std::make_unique<SxActivityContainer>()),
      stopTimeoutMs (timeoutMs)
{
    JUCE_ASSERT_MESSAGE_THREAD

    auto* main = SxMainComponentServices::getInstance();

    if (main != nullptr)
    {
        main->hideActivityOverlay();

        if (auto* canvas = main->getDocumentCanvasComponent())
        {
            canvas->addAndMakeVisible (*overlay);
            overlay->setCentreRelative (0.5f, 0.5f);
        }
    }

    setStatusMessage (message);

    if (main != nullptr)
        main->enterModal (overlay.get(), true);
    else
        overlay->enterModalState (false);
}

ThreadedActivityWindow::~ThreadedActivityWindow()
{
    stopTimer();
    waitForWorker();

    // Destroyed without a wait (the owner gave up before starting): the overlay must not
    // leave the toolbar disabled behind it.
    if (overlay->isCurrentlyModal (false))
        leaveModalState();
}

juce::Thread::Priority ThreadedActivityWindow::toThreadPriority (int priority) noexcept
{
    if (priority <= 1)  return Priority::background;
    if (priority <= 4)  return Priority::low;
    if (priority <= 6)  return Priority::normal;
    if (priority <= 8)  return Priority::high;
    return Priority::highest;
}

bool ThreadedActivityWindow::startThread()
{
    return juce::Thread::startThread();
}

bool ThreadedActivityWindow::startThreadWithPriority (int priority)
{
    return juce::Thread::startThread (toThreadPriority (priority));
}

void ThreadedActivityWindow::setStatusMessage (const juce::String& text)
{
    {
        const juce::ScopedLock lock (messageLock);
        statusMessage = text;
    }

    if (juce::MessageManager::existsAndIsCurrentThread())
        showStatusMessage();
}

juce::String ThreadedActivityWindow::getStatusMessage() const
{
    const juce::ScopedLock lock (messageLock);
    return statusMessage;
}

void ThreadedActivityWindow::showStatusMessage()
{
    overlay->setMessage (getStatusMessage());
}

bool ThreadedActivityWindow::runModal (int priority)
{
    JUCE_ASSERT_MESSAGE_THREAD

    finishedSeen = false;

    if (! startThreadWithPriority (priority))
    {
        juce::Logger::writeToLog ("Activity Window: the worker thread could not be started");
        overlay->setVisible (false);
        leaveModalState();
        return false;
    }

    startTimer (pollMs);
    overlay->startSpinner();
    showStatusMessage();

    if (! overlay->isCurrentlyModal (false))
    {
        if (auto* main = SxMainComponentServices::getInstance())
            main->enterModal (overlay.get(), true);
        else
            overlay->enterModalState (false);
    }

    // Waits on the overlay's own modal state, not on whichever component is modal in front
    // of it: a pop-up opened and closed meanwhile neither ends nor prolongs the wait.
    while (overlay->isCurrentlyModal (false))
        if (! juce::MessageManager::getInstance()->runDispatchLoopUntil (20))
            break;   // the application is quitting

    waitForWorker();
    stopTimer();
    overlay->stopSpinner();
    overlay->setVisible (false);
    leaveModalState();

    return finishedSeen;
}

void ThreadedActivityWindow::timerCallback()
{
    if (isThreadRunning())
    {
        showStatusMessage();
        return;
    }

    finishedSeen = true;
    overlay->stopSpinner();
    leaveModalState();
    overlay->setVisible (false);
    stopTimer();
}

void ThreadedActivityWindow::waitForWorker()
{
    if (! isThreadRunning())
        return;

    // Never killed: a worker may be writing a file. It is asked to stop and waited for.
    signalThreadShouldExit();
    notify();

    while (! waitForThreadToExit (stopTimeoutMs > 0 ? stopTimeoutMs : -1))
        juce::Logger::writeToLog ("Activity Window: the worker is still running after "
                                  + juce::String (stopTimeoutMs) + " ms; waiting for it to finish");
}

void ThreadedActivityWindow::leaveModalState()
{
    if (auto* main = SxMainComponentServices::getInstance())
        main->exitModal (overlay.get());
    else
        overlay->exitModalState (1);
}
