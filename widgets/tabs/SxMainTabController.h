#pragma once

#include "SxComponent.h"

#include <vector>

class SxLayerServices;
class SxMainTabComponent;
class SxTabSegmentController;

/** The page host of the effect panel: holds the selected layer's control pages on top of
    each other and shows one at a time; the pages not shown stay in place, transparent.

    Refilling it for a newly selected layer (what the main component does):

        pageHost.clearPages();
        layer->buildControls();                // the layer makes its pages
        pageHost.showLayerPages (*layer);      // addPage each, buildTabs, the layer's page

    A page chosen with a tab is remembered in the layer (SxLayerServices), so the layer
    comes back on that page. Only the shown page takes clicks and keyboard focus: Tab never
    wanders into a transparent page, and focus inside a page that is being hidden moves to
    the page shown.

    The pages belong to their layer: the host only shows them, and lets them go before it
    is deleted.
*/
class SxMainTabController : public SxComponent
{
public:
    SxMainTabController();
    ~SxMainTabController() override;

    /** The layer whose pages are shown; not owned. Set by showLayerPages (or by the owner
        after a refill by hand), cleared by clearPages. */
    SxLayerServices* layer = nullptr;
    /** The tab row; not owned. */
    juce::Component::SafePointer<SxTabSegmentController> tabRow;

    /** Lets every page go, clears the tab row and forgets the layer. */
    void clearPages();
    /** Adds page (null or a page shown already are ignored), transparent, filling the host,
        and hands its tab to the tab row. */
    void addPage (SxMainTabComponent* page);
    /** Lays out the tab row, which selects the first page. */
    void buildTabs();
    /** Shows page, remembering the choice; a page not in the list changes nothing. */
    void showPage (juce::Component* page);
    /** Shows page index and, with remember, stores the choice in the layer. An index naming
        no page is ignored. */
    void selectPage (int index, bool remember);

    /** Adds the layer's pages, builds the tabs and shows the layer's page, or the first
        page when that names none; then the layer is the host's layer. */
    void showLayerPages (SxLayerServices& layerToShow);

    int getCurrentPage() const noexcept  { return currentPage; }
    int getNumPages() const noexcept     { return (int) pages.size(); }
    /** Page index; null when there is none (or it was deleted). */
    SxMainTabComponent* getPage (int index) const noexcept;

private:
    int currentPage = -1;
    std::vector<juce::Component::SafePointer<SxMainTabComponent>> pages;

    /** A page not shown keeps Tab out: its controls are not reachable by the keyboard. */
    static void setPageReachable (SxMainTabComponent& page, bool reachable);
    void moveFocusInto (SxMainTabComponent& shown, SxMainTabComponent* hidden);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxMainTabController)
};
