#include "SxMainTabController.h"

#include "SxLayerServices.h"
#include "SxMainTabComponent.h"
#include "SxMainTabComponentCallback.h"
#include "SxRelativeBounds.h"
#include "SxTabSegmentButton.h"
#include "SxTabSegmentController.h"

SxMainTabController::SxMainTabController()
    : SxComponent (juce::String())
{
}

SxMainTabController::~SxMainTabController()
{
    clearPages();
}

SxMainTabComponent* SxMainTabController::getPage (int index) const noexcept
{
    return juce::isPositiveAndBelow (index, getNumPages()) ? pages[(size_t) index].getComponent() : nullptr;
}

void SxMainTabController::setPageReachable (SxMainTabComponent& page, bool reachable)
{
    // The framework's Tab order passes over what is invisible or disabled, not over what
    // is transparent; a focus container keeps it from looking inside.
    page.setFocusContainerType (reachable ? juce::Component::FocusContainerType::none
                                          : juce::Component::FocusContainerType::keyboardFocusContainer);
}

void SxMainTabController::clearPages()
{
    for (auto& page : pages)
        if (page != nullptr)
        {
            setPageReachable (*page, true);
            removeBorrowedChild (*page);
        }

    pages.clear();
    currentPage = -1;
    layer = nullptr;

    if (tabRow != nullptr)
        tabRow->clearTabs();
}

void SxMainTabController::addPage (SxMainTabComponent* page)
{
    if (page == nullptr)
        return;

    for (auto& shown : pages)
        if (shown == page)
            return;

    pages.emplace_back (page);
    addBorrowedChild (*page);
    page->setName (page->getPageName());
    SxRelativeBounds::apply (*page, "0, 0, parent.width, parent.height");
    page->setAlpha (0.0f);
    setPageReachable (*page, false);

    if (tabRow != nullptr)
        tabRow->addTab (page->releaseTabButton());
}

void SxMainTabController::buildTabs()
{
    if (tabRow != nullptr)
        tabRow->buildRow();
}

void SxMainTabController::showPage (juce::Component* page)
{
    if (page == nullptr || page == getPage (currentPage))
        return;

    for (size_t i = 0; i < pages.size(); ++i)
        if (pages[i] == page)
        {
            selectPage ((int) i, true);
            return;
        }
}

void SxMainTabController::selectPage (int index, bool remember)
{
    auto* page = getPage (index);

    if (index == currentPage || page == nullptr)
        return;

    if (tabRow != nullptr)
        tabRow->selectTab (index, false, true);

    auto* previous = getPage (currentPage);

    if (previous != nullptr)
        previous->setAlpha (0.0f);

    page->setAlpha (1.0f);
    setPageReachable (*page, true);
    currentPage = index;

    if (previous != nullptr)
    {
        moveFocusInto (*page, previous);
        setPageReachable (*previous, false);
    }

    if (layer != nullptr && remember)
        layer->setSelectedControlTab (index);

    if (page->callback != nullptr)
        page->callback->pageShown (page);
}

void SxMainTabController::moveFocusInto (SxMainTabComponent& shown, SxMainTabComponent* hidden)
{
    auto* focused = juce::Component::getCurrentlyFocusedComponent();

    if (focused == nullptr || hidden == nullptr || ! hidden->isParentOf (focused))
        return;

    if (auto* first = juce::KeyboardFocusTraverser().getDefaultComponent (&shown))
        first->grabKeyboardFocus();
    else
        focused->giveAwayKeyboardFocus();
}

void SxMainTabController::showLayerPages (SxLayerServices& layerToShow)
{
    for (auto* page : layerToShow.getControlTabs())
        addPage (page);

    buildTabs();
    selectPage (layerToShow.getSelectedControlTab(), false);

    // A remembered page that no longer exists, or no tab row to pick the first: page 0.
    if (getPage (currentPage) == nullptr)
        selectPage (0, false);

    layer = &layerToShow;
}
