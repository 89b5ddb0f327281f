#pragma once

#include "HostWindow.h"
#include "SxTool.h"

#include <vector>

/** The host window selecting tools as the shell does, with the application's tools and pan
    tool the tool row reads; it writes down every selection asked for ("none" for null). */
struct ToolSelectingHost : public sxgui::HostWindow
{
    void selectTool (SxTool* tool) override
    {
        selections.add (tool != nullptr ? tool->getName() : juce::String ("none"));
        if (tool == current)
            return;
        if (current != nullptr)
            current->setActive (false);
        current = tool;
        if (tool != nullptr)
        {
            tool->setDocument (&getCanvas());
            getCanvas().activeTool = tool;
            tool->setActive (true);
        }
    }

    std::vector<SxTool*> getApplicationTools() const override  { return applicationTools; }
    SxTool* getPanTool() const override                        { return panTool; }

    SxTool* current = nullptr;
    juce::StringArray selections;
    std::vector<SxTool*> applicationTools;
    SxTool* panTool = nullptr;
};
