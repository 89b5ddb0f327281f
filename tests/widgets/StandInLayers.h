#pragma once

#include "SxLayerServices.h"
#include "SxLayerStackServices.h"
#include "SxMainTabComponent.h"

#include <memory>
#include <vector>

/** A layer as the effect panel sees it: pages and tools it owns, and the page it remembers. */
struct StandInLayer : public SxLayerServices
{
    /** Makes one page per name, 256 x 1000 as the layers make them. */
    void makePages (std::initializer_list<const char*> names)
    {
        for (auto* name : names)
        {
            pages.push_back (std::make_unique<SxMainTabComponent> (false, true));
            pages.back()->setName (name);
            pages.back()->setBounds (0, 0, 256, 1000);
        }
    }

    SxMainTabComponent& page (int index) const  { return *pages[(size_t) index]; }

    int getSelectedControlTab() const override  { return selectedControlTab >= 0 ? selectedControlTab : 0; }
    void setSelectedControlTab (int index) override
    {
        selectedControlTab = index;
        writes.push_back (index);
    }

    std::vector<SxMainTabComponent*> getControlTabs() const override
    {
        std::vector<SxMainTabComponent*> result;
        for (auto& p : pages)
            result.push_back (p.get());
        return result;
    }

    std::vector<SxTool*> getTools() const override  { return tools; }
    SxTool* getActiveTool() const noexcept override  { return activeTool; }

    std::vector<std::unique_ptr<SxMainTabComponent>> pages;
    std::vector<SxTool*> tools;
    SxTool* activeTool = nullptr;
    int selectedControlTab = -1;
    /** Every page index the kit stored, in order. */
    std::vector<int> writes;
};

/** The layer stack as the tool row sees it. */
struct StandInStack : public SxLayerStackServices
{
    std::vector<SxLayerServices*> getSelectedLayerServices() const override  { return selected; }

    std::vector<SxLayerServices*> selected;
};
