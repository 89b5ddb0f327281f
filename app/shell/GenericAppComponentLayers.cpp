#include "GenericAppComponentLayers.h"

#include "ImageSavePanel.h"
#include "SaveProjectActivityWindow.h"
#include "SettingsKeys.h"

namespace
{
    struct Tooltip { const char* componentName; const char* text; };

    const Tooltip toolbarTooltips[] = {
        { "getPhotoButton",  "Load a photo or project" },
        { "savePhotoButton", "Save your image or project" },
        { "cropButton",      "Cut out an area of your image hiding the rest" },
        { "zoomInButton",    "Zoom in to examine small details : keyboard (+)" },
        { "panTool",         "Move your image within the app (spacebar)" },
        { "zoomOutButton",   "Zoom Out to view a larger proportion of your image : keyboard (-)" },
        { "redoButton",      "Redo the last edit that was undone" },
        { "originalButton",  "Hold down to view the original image for a quick comparison" },
        { "infoButton",      "Opens up the Product Tips dialog" },
        { "productsButton",  "Takes you to our website" },
        { "leftArrowButton", "Click to hide/show layers and settings" },
    };
}

void GenericAppComponentLayers::firstShow()
{
    startTimer (firstShowTimer, 100);
}

void GenericAppComponentLayers::timerCallback (int timerID)
{
    stopTimer (timerID);

    if (timerID == firstShowTimer)
    {
        GenericAppComponent::firstShow();
        return;
    }

    // Not handed on: the save may have started the timer again to wait for a render.
    if (timerID == saveProjectTimer)
    {
        saveProjectNow();
        return;
    }

    GenericAppComponent::timerCallback (timerID);
}

void GenericAppComponentLayers::setButtonTooltips()
{
    setProductTooltips();

    for (const auto& tip : toolbarTooltips)
        for (auto* child : getChildren())
            if (child->getName() == tip.componentName)
                if (auto* client = dynamic_cast<juce::SettableTooltipClient*> (child))
                    client->setTooltip (tip.text);
}

//==============================================================================
void GenericAppComponentLayers::saveProjectOrImage (bool openPendingAfterwards)
{
    auto* settings = getSettings();
    if (settings == nullptr)
        return;

    openPendingAfterSave = openPendingAfterwards;

    const juce::File document (settings->get (SettingsKeys::imagePath));
    if (document.getFileExtension() == "." + getProjectExtension())
    {
        pendingProjectPath = document.getFullPathName();
        saveProjectNow();
        return;
    }

    ImageSavePanel panel;
    panel.setTitle ("Save Project");
    panel.setDocumentExtension (getProjectExtension());
    if (const juce::String folder = settings->get (SettingsKeys::lastDirectoryForSave); folder.isNotEmpty())
        panel.setDirectoryURL (juce::File (folder));
    panel.setNameFieldStringValue ("Project." + getProjectExtension());

    panel.beginSheetModalForWindow (*this, [safeThis = juce::Component::SafePointer<GenericAppComponentLayers> (this)]
                                           (std::optional<ImageSavePanel::Result> chosen)
    {
        if (safeThis != nullptr)
            safeThis->projectPanelClosed (chosen ? chosen->file : juce::File());
    });
}

void GenericAppComponentLayers::projectPanelClosed (const juce::File& chosen)
{
    if (chosen == juce::File())
    {
        // Nothing was saved: opening the handed-over file now would lose the changes.
        openPendingAfterSave = false;
        getSettings()->set (SettingsKeys::needsToLoadImagePath, juce::String());
        return;
    }

    pendingProjectPath = chosen.getFullPathName();
    startTimer (saveProjectTimer, 75);
}

void GenericAppComponentLayers::saveProjectNow()
{
    if (pendingProjectPath.isEmpty())
        return;

    // The thumbnail renders the stack, which a running preview render is using.
    if (isRendering())
    {
        startTimer (saveProjectTimer, 75);
        return;
    }

    const juce::File target (std::exchange (pendingProjectPath, juce::String()));
    auto result = juce::Result::ok();
    {
        SaveProjectActivityWindow save (this, target);
        save.runModal (SaveProjectActivityWindow::threadPriority);
        result = save.getResult();
    }

    auto* settings = getSettings();
    if (result.failed())
    {
        juce::Logger::writeToLog ("Project not saved: " + target.getFullPathName() + ": " + result.getErrorMessage());
        openPendingAfterSave = false;
        settings->set (SettingsKeys::needsToLoadImagePath, juce::String());
        showProjectProblem ("Project Not Saved", "\"" + target.getFileName() + "\" was not saved. " + result.getErrorMessage());
        return;
    }

    settings->remove (SettingsKeys::freshProjectUndoCount.name);
    settings->set (SettingsKeys::freshProject, true);
    settings->saveIfNeeded();

    if (std::exchange (openPendingAfterSave, false))
        openFileAfterProjectSave();
}

void GenericAppComponentLayers::openFileAfterProjectSave()
{
    auto* settings = getSettings();
    const juce::String path = settings->get (SettingsKeys::needsToLoadImagePath);
    settings->set (SettingsKeys::needsToLoadImagePath, juce::String());
    if (path.isEmpty())
        return;

    const juce::File file (path);
    if (! file.existsAsFile())
        return;

    if (isProjectFile (file))
        askSaveProject (file);
    else
        openImage (file, false);
}
