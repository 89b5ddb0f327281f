#include "SxToolTabController.h"

#include "SxImageComponent.h"
#include "SxLayerServices.h"
#include "SxLayerStackServices.h"
#include "SxMainComponentServices.h"
#include "SxRelativeBounds.h"
#include "SxTool.h"
#include "SxWidgetArt.h"

#include <algorithm>

namespace
{
    bool isAmong (const std::vector<SxTool*>& tools, const SxTool* tool)
    {
        return tool != nullptr && std::find (tools.begin(), tools.end(), tool) != tools.end();
    }

    juce::String boundsAt (int x, int y, const juce::String& right, const juce::String& bottom)
    {
        return juce::String (x) + ", " + juce::String (y) + ", " + right + ", " + bottom;
    }
}

SxToolTabController::SxToolTabController (SxLayerStackServices* stack)
    : SxComponent (juce::String()),
      layerStack (stack)
{
}

SxToolTabController::~SxToolTabController()
{
    clearRow();
}

SxTool* SxToolTabController::getCurrentTool() const noexcept
{
    return currentTool.getComponent();
}

std::vector<SxTool*> SxToolTabController::getShownTools() const
{
    std::vector<SxTool*> tools;
    for (auto& tool : shownTools)
        if (tool != nullptr)
            tools.push_back (tool.getComponent());
    return tools;
}

//==============================================================================
void SxToolTabController::enablementChanged()
{
    delete blockingComponent;
    blockingComponent = nullptr;

    if (! isEnabled())
    {
        blockingComponent = new SxComponent ("blockingComponent");
        addAndMakeVisible (blockingComponent);
        SxRelativeBounds::apply (*blockingComponent, "0, 0, left + parent.width, top + parent.height");
    }
}

void SxToolTabController::clearRow()
{
    // A tool that leaves the row stops reporting to it.
    for (auto& tool : shownTools)
        if (tool != nullptr)
        {
            if (tool->toolCallback == this)
                tool->toolCallback = nullptr;

            removeBorrowedChild (*tool);
        }

    shownTools.clear();

    delete separator;
    separator = nullptr;

    // The strip only shows the option components: it lets them go when deleted.
    delete optionsStrip;
    optionsStrip = nullptr;
}

void SxToolTabController::showTool (SxTool& tool, int x)
{
    addBorrowedChild (tool);
    tool.toolCallback = this;
    SxRelativeBounds::apply (tool, boundsAt (x, toolTop, "left + " + juce::String (toolSize), "top + " + juce::String (toolSize)));
    shownTools.emplace_back (&tool);
}

void SxToolTabController::showOptionsOf (SxTool& tool)
{
    if (optionsStrip != nullptr)
        optionsStrip->addBorrowedChild (tool.getToolUIComponent());
}

void SxToolTabController::buildTools (bool includeLayerTools, bool showOptions)
{
    clearRow();

    auto* main = SxMainComponentServices::getInstance();
    const auto applicationTools = main != nullptr ? main->getApplicationTools() : std::vector<SxTool*>();

    SxLayerServices* singleLayer = nullptr;

    if (layerStack != nullptr)
        if (const auto selected = layerStack->getSelectedLayerServices(); selected.size() == 1)
            singleLayer = selected.front();

    const auto layerTools = singleLayer != nullptr ? singleLayer->getTools() : std::vector<SxTool*>();

    if (applicationTools.empty() && layerTools.empty())
        return;

    if (! isAmong (applicationTools, getCurrentTool()) && ! isAmong (layerTools, getCurrentTool()))
        currentTool = nullptr;

    if (singleLayer != nullptr)
        if (auto* layerActive = singleLayer->getActiveTool())
            if (currentTool == nullptr || ! currentTool->isActive())
                currentTool = layerActive;

    if (currentTool == nullptr)
    {
        currentTool = main != nullptr ? main->getPanTool() : nullptr;

        if (currentTool == nullptr && ! layerTools.empty())
            currentTool = layerTools.front();
    }

    int x = 0;

    for (auto* tool : applicationTools)
        if (tool != nullptr)
        {
            showTool (*tool, x);
            x += toolPitch;
        }

    if (includeLayerTools)
        for (auto* tool : layerTools)
            if (tool != nullptr)
            {
                showTool (*tool, x);
                x += toolPitch;
            }

    separator = new SxImageComponent (juce::String());
    separator->setImage (SxWidgetArt::get (WidgetArt::toolSeparator), juce::RectanglePlacement::stretchToFit);
    addAndMakeVisible (separator);
    SxRelativeBounds::apply (*separator, boundsAt (x + 3, toolTop, "left + 2", "top + 23"));

    // The strip ends at the row's right edge, so options that fill it stay in sight.
    optionsStrip = new SxComponent ("toolInsideUIComponent");
    addAndMakeVisible (optionsStrip);
    SxRelativeBounds::apply (*optionsStrip, boundsAt (x + 23, 0, "parent.width", "top + " + juce::String (stripHeight)));
    optionsStrip->setVisible (showOptions);

    if (blockingComponent != nullptr)
        blockingComponent->toFront (false);

    if (auto* tool = getCurrentTool())
    {
        if (main != nullptr)
            main->selectTool (tool);

        if (auto* current = getCurrentTool())
            showOptionsOf (*current);
    }
}

void SxToolTabController::toolActivated (juce::Component* tool, bool active)
{
    if (optionsStrip != nullptr)
        while (auto* options = optionsStrip->getChildComponent (0))
            optionsStrip->removeBorrowedChild (*options);

    if (! active)
        return;

    auto* sxTool = dynamic_cast<SxTool*> (tool);

    if (auto* main = SxMainComponentServices::getInstance(); main != nullptr && isAmong (main->getApplicationTools(), sxTool))
        currentTool = sxTool;

    if (sxTool != nullptr)
        showOptionsOf (*sxTool);
}
