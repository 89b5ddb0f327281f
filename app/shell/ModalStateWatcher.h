#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

/** Notices when the last modal component has gone, however it went.

    Modal panels normally leave through exitModal, which gives the toolbar back. One that is
    deleted or hidden while modal leaves the framework's modal state without that call; the
    watcher catches those: it listens to every component that is modal when it is told to
    watch, and once the framework reports none left, it calls its owner (asynchronously, so
    the framework has finished its own bookkeeping first). Message thread only.
*/
class ModalStateWatcher : private juce::ComponentListener,
                          private juce::AsyncUpdater
{
public:
    explicit ModalStateWatcher (std::function<void()> noModalComponentLeft);
    ~ModalStateWatcher() override;

    /** Watches every component that is modal now (in addition to those watched already). */
    void watchModalComponents();

    /** The number of components watched now. */
    int getNumWatched() const noexcept  { return watched.size(); }

private:
    std::function<void()> onNoModalComponentLeft;
    juce::Array<juce::Component*> watched;

    void componentVisibilityChanged (juce::Component&) override;
    void componentParentHierarchyChanged (juce::Component&) override;
    void componentBeingDeleted (juce::Component&) override;
    void handleAsyncUpdate() override;
    void unwatchAll();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ModalStateWatcher)
};
