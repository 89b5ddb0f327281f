#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <vector>

class SxDocumentCanvasServices;
class SxTool;

/** What the kit needs of the application's main component, declared here because the kit
    may not reach up to the application shell.

    How the shell plugs in: the main component (GenericAppComponent, a juce::Component) derives
    from this mixin, returns itself from getMainComponent, its canvas from getDocumentCanvas,
    and overrides the toolbar hooks and whichever empty services it provides. The modal-state
    service is real and inherited as it is. Only one main component exists at a time; the
    most recently constructed one is getInstance() until it is destroyed. Tests and the widget
    gallery plug in a small host window the same way.

    Modal state. Every modal panel of the program goes through enterModal and exitModal. The
    toolbar is disabled while any component is modal. Whether a press on a component blocked
    by the modal state sounds the alert is decided per modal component: the front-most one's
    choice holds, and when it closes, the choice of the one now in front holds again.

    Everything here runs on the message thread.
*/
class SxMainComponentServices
{
public:
    SxMainComponentServices();
    virtual ~SxMainComponentServices();

    /** The main component, null before the shell made one and after it is gone. */
    static SxMainComponentServices* getInstance() noexcept;

    //==============================================================================
    /** The main component itself: pop-ups, alerts and dialogs are added to it. */
    virtual juce::Component& getMainComponent() = 0;

    /** The main window (call-out boxes are added to it); by default the main component's
        top-level component. */
    virtual juce::Component* getMainWindow();

    /** The document canvas; null until the shell has made it. */
    virtual SxDocumentCanvasServices* getDocumentCanvas()  { return nullptr; }

    /** The canvas as a component (null without one). */
    juce::Component* getDocumentCanvasComponent();

    /** Makes tool the current canvas tool, or leaves none current (null); what a tool's
        button asks for when clicked. Nothing without a canvas. */
    virtual void selectTool (SxTool* tool) {}

    /** The application's own tools, in the order the tool row shows them (a copy). */
    virtual std::vector<SxTool*> getApplicationTools() const  { return {}; }

    /** The shared pan tool; null until the shell made it. */
    virtual SxTool* getPanTool() const  { return nullptr; }

    //==============================================================================
    /** Makes component modal without taking keyboard focus, with no callback and without
        deleting it when it is dismissed, and disables the toolbar. alertOnBlockedInput says
        whether a press on a component it blocks sounds the alert (alerts, the busy overlay
        and dialogs: true; pop-ups that close on an outside click: false). */
    void enterModal (juce::Component* component, bool alertOnBlockedInput);

    /** Ends component's modal state with the result 1 (which ends a modal loop run for it;
        null skips this step). When no modal component remains, the toolbar is enabled
        again. Calling it for a component that is no longer modal only repeats that step. */
    void exitModal (juce::Component* component);

    /** Whether a blocked press sounds the alert now: the choice of the front-most modal
        component entered through enterModal; true when none is modal. */
    bool alertOnBlockedInput() const;

    //==============================================================================
    /** Set once the user asked to quit (the quit confirmation began); never cleared. */
    bool isQuitting() const noexcept  { return quitting; }

    /** Removes the main component's own busy overlay, if it shows one. */
    virtual void hideActivityOverlay() {}

    /** A toolbar button that reports its press, release and leave calls this directly
        (SxMainMenuButton); the shell treats it like a click and tells the three apart by
        button.isDown() (it shows the unedited image while the button is down). */
    virtual void menuButtonReported (juce::Button& button) {}

protected:
    /** Called by enterModal for every component made modal. */
    virtual void disableToolbar() {}

    /** Called by exitModal once no modal component remains. The shell enables only what
        makes sense (nothing while no image is open). */
    virtual void enableToolbar() {}

    /** Marks the start of quitting. */
    void setQuitting() noexcept  { quitting = true; }

private:
    struct ModalChoice
    {
        juce::WeakReference<juce::Component> component;
        bool alertOnBlockedInput;
    };

    std::vector<ModalChoice> modalChoices;
    bool quitting = false;

    void forgetClosedModals();

    JUCE_DECLARE_NON_COPYABLE (SxMainComponentServices)
};
