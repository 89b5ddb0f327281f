#pragma once

#include "EaseComponentAnimator.h"

#include <juce_gui_basics/juce_gui_basics.h>
#include <juce_data_structures/juce_data_structures.h>

#include <memory>
#include <vector>

class SxActivityContainer;
class SxDocumentCanvasServices;
class SxTool;

/** What the kit needs of the application's main component, declared here because the kit
    may not reach up to the application shell.

    How the shell plugs in: the main component (GenericAppComponent, a juce::Component) derives
    from this mixin, returns itself from getMainComponent, its canvas from getDocumentCanvas,
    and overrides the toolbar hooks and whichever empty services it provides. The modal-state
    service is real and inherited as it is. Normally one main component exists; where
    several do (a gallery page showing a main component of its own), getInstance() is the
    most recently constructed one still alive. Tests and the widget
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

    //==============================================================================
    // The main component's own busy overlay ("Rendering...")

    /** Makes the busy overlay when there is none; with show, puts it in front on the canvas,
        centred, with message, turning (spin) or frozen. Without show a new overlay stays off
        screen and an existing one is left as it is. */
    void showActivityOverlay (const juce::String& message, bool spin, bool show);

    /** Removes the busy overlay from the canvas and deletes it; nothing without one. */
    void hideActivityOverlay();

    /** The busy overlay; null when there is none. */
    SxActivityContainer* getActivityOverlay() const noexcept  { return activityOverlay.get(); }

    //==============================================================================
    // Preferences

    /** Slides the preferences panel ("preferenceDialog", 450 x 235) down from above the
        main component and makes it modal (a blocked press sounds the alert). Nothing while
        one is shown. */
    void showPreferences();

    /** The panel's "Done": slides it up (unless it is still moving) and removes it 300 ms
        later: modal state left, panel deleted. */
    void preferencesDone();

    /** The panel while it is shown; null otherwise. */
    juce::Component* getPreferencesPanel() const noexcept  { return preferencesPanel.getComponent(); }

    /** Moves the main component's panels (the preferences panel). */
    EaseComponentAnimator& getPanelAnimator() noexcept      { return panelAnimator; }
    /** Runs the removal of the preferences panel once started by preferencesDone. */
    juce::Timer& getPreferencesRemovalTimer() noexcept;

    /** The settings file the preferences panel reads and writes; null when there is none
        (the panel then shows the defaults and stores nothing). */
    virtual juce::PropertiesFile* getSettingsFile()  { return nullptr; }

    /** Where the save panel opens: beside the opened image (true) or in the last folder
        saved to. */
    virtual void setUseImageLocation (bool useImageLocation) {}

    /** Shows tooltips when the "showToolTips" setting asks for them; nothing by default. */
    virtual void enableTooltips() {}
    /** Hides tooltips; nothing by default. */
    virtual void disableTooltips() {}

    /** Has every effect install its factory presets again; nothing by default. */
    virtual void rebuildDefaultPresets() {}

    //==============================================================================
    /** The effect-control panel (component ID "effectControlComponent"); null without. */
    juce::Component* getEffectPanel();

    /** The tab controller inside the effect panel, over which the wizards' panels slide;
        null when there is none (the panel itself is used then). */
    virtual juce::Component* getEffectTabArea()  { return nullptr; }

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

    struct PreferencesRemoval : public juce::Timer
    {
        explicit PreferencesRemoval (SxMainComponentServices& o) : owner (o) {}
        void timerCallback() override;
        SxMainComponentServices& owner;
    };

    std::vector<ModalChoice> modalChoices;
    bool quitting = false;
    std::unique_ptr<SxActivityContainer> activityOverlay;
    juce::Component::SafePointer<juce::Component> preferencesPanel;
    EaseComponentAnimator panelAnimator;
    PreferencesRemoval preferencesRemoval { *this };

    void removePreferences();

    void forgetClosedModals();

    JUCE_DECLARE_NON_COPYABLE (SxMainComponentServices)
};
