#pragma once

#include "GenericAppComponent.h"

/** The application layer of the main component, between the generic frame and the
    product: it defers the generic first show until the window is on screen, gives the
    toolbar its final tooltips and saves projects.

    Its timer dispatcher sees every timer first and hands on what it does not handle.
*/
class GenericAppComponentLayers : public GenericAppComponent
{
public:
    GenericAppComponentLayers() = default;

    /** Starts the first-show timer: the generic first show runs 100 ms later. */
    void firstShow() override;

    void timerCallback (int timerID) override;

    /** Saves the document as a project: in place when "ImagePath" names a project (its
        extension exactly), otherwise to the file chosen in the save panel ("Project.kvp",
        project files only, in "LastDirectoryForSave"), written 75 ms after the panel has
        closed. The writing waits for a running preview render, then runs behind "Saving
        Project...". Only a written project makes the document fresh; a failure is
        reported. With openPendingAfterwards the file under "NeedsToLoadImagePath" opens
        once the project has been written; a cancelled panel or a failed write cancels
        that instead. */
    void saveProjectOrImage (bool openPendingAfterwards) override;

    /** The project file the save waits to write; empty when none. */
    const juce::String& getPendingProjectPath() const noexcept  { return pendingProjectPath; }

    /** Runs setProductTooltips, then replaces the tooltips of the open, save, crop, zoom,
        pan, redo, compare, info and products buttons and of the show tab. The undo and
        randomize buttons and the hide tab keep the ones createUI gave them. */
    void setButtonTooltips() override;

protected:
    /** A product's own tooltips, set before the common ones; none by default. */
    virtual void setProductTooltips() {}

private:
    juce::String pendingProjectPath;
    bool openPendingAfterSave = false;

    void projectPanelClosed (const juce::File& chosen);
    void saveProjectNow();
    void openFileAfterProjectSave();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GenericAppComponentLayers)
};
