#pragma once

#include <vector>

class SxMainTabComponent;
class SxTool;

/** What the page host and the tool row need of an effect layer, declared here because the
    kit may not reach up to the layers. Layer implements it.

    The layer owns its pages and its tools; the kit only shows them.
*/
class SxLayerServices
{
public:
    /** The page to show when the layer is selected: the one the user last chose with a tab,
        or the layer's own default until then. May name a page that no longer exists (the
        page count changed): the page host then shows the first page. */
    virtual int getSelectedControlTab() const = 0;
    /** Remembers the page the user chose with a tab. */
    virtual void setSelectedControlTab (int index) = 0;
    /** The layer's control pages, first page first. */
    virtual std::vector<SxMainTabComponent*> getControlTabs() const = 0;

    /** The layer's tools, in the order the tool row shows them. */
    virtual std::vector<SxTool*> getTools() const = 0;
    /** The tool the layer made active last; null when none. */
    virtual SxTool* getActiveTool() const noexcept = 0;

protected:
    ~SxLayerServices() = default;
};
