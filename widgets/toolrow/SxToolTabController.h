#pragma once

#include "SxComponent.h"
#include "SxControlChangedCallback.h"
#include "SxMainTabControllerCallback.h"
#include "SxToolCallback.h"

#include <vector>

class SxImageComponent;
class SxLayerStackServices;
class SxTool;

/** The tool row above the effect panel: the application's tools, then the selected layer's
    tools, a separator, and the options of the current tool in a strip beside them
    ("toolInsideUIComponent").

    buildTools rebuilds the row as a whole (the main component calls it whenever another
    layer is selected); between rebuilds only the options strip changes, as tools report
    their activation (toolActivated). The row's current tool is the one whose options it
    shows; on a rebuild it keeps it while that tool is still shown, otherwise it takes the
    layer's active tool, then the pan tool, then the layer's first tool.

    While the row is disabled (or inside a disabled parent) a "blockingComponent" covers
    it and takes its mouse events.

    Tools belong to the application or to their layer, option components to their tools:
    the row only shows them, and lets them go before it is deleted. The application's
    tools, the pan tool and the tool selection come from SxMainComponentServices.
*/
class SxToolTabController : public SxComponent,
                            public SxToolCallback,
                            public SxControlChangedCallback,
                            public SxMainTabControllerCallback
{
public:
    static constexpr int toolPitch = 39, toolSize = 24, toolTop = 3;
    static constexpr int stripHeight = toolSize + toolTop;

    /** layerStack gives the selected layers; not owned, may be null (no layer tools). */
    explicit SxToolTabController (SxLayerStackServices* layerStack);
    ~SxToolTabController() override;

    /** Rebuilds the row: the application's tools, with includeLayerTools the tools of the
        single selected layer, the separator and the options strip (shown when showOptions
        is true); then makes the current tool the main component's current tool. With no
        tool at all the row stays empty. */
    void buildTools (bool includeLayerTools, bool showOptions);

    /** A shown tool became active (its options replace the strip's) or inactive (the strip
        empties). An application tool that becomes active becomes the row's current tool. */
    void toolActivated (juce::Component* tool, bool active) override;

    /** Both callbacks' change notification: nothing. */
    void controlChanged (juce::Component*) override {}

    /** The main component's toolbar was disabled or enabled again: nothing in this row. */
    void setToolButtonsEnabled (bool) {}

    SxTool* getCurrentTool() const noexcept;
    /** The tools shown, in order. */
    std::vector<SxTool*> getShownTools() const;
    SxComponent* getOptionsStrip() const noexcept       { return optionsStrip; }
    SxImageComponent* getSeparator() const noexcept     { return separator; }
    SxComponent* getBlockingComponent() const noexcept  { return blockingComponent; }

protected:
    void enablementChanged() override;

private:
    SxLayerStackServices* layerStack;
    juce::Component::SafePointer<SxTool> currentTool;
    std::vector<juce::Component::SafePointer<SxTool>> shownTools;
    SxComponent* blockingComponent = nullptr;
    SxComponent* optionsStrip = nullptr;
    SxImageComponent* separator = nullptr;

    /** Takes the tools, separator and options strip out (the tools are only let go). */
    void clearRow();
    void showTool (SxTool& tool, int x);
    void showOptionsOf (SxTool& tool);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxToolTabController)
};
