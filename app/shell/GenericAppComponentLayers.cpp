#include "GenericAppComponentLayers.h"

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
