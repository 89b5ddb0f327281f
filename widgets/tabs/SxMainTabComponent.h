#pragma once

#include "SxControlChangedCallback.h"
#include "SxLayoutComponent.h"
#include "SxToolCallback.h"

#include <memory>

class SxMainTabComponentCallback;
class SxTabSegmentButton;

/** One control page of the effect panel: a scrolling stack of rows (SxLayoutComponent) that
    always leaves room for its scroll bar, with the picture tab that stands for it in the tab
    row. The layers create their pages, name them ("Adjust" and the like: the name is what
    the tab's floating message says) and fill them with rows.

    The page owns its tab until a page host hands it to a tab row, which owns it from then
    on; when the row has deleted it (clearing its tabs), the next hand-over makes a new one.

    A page takes no part in outside-click handling: input outside a modal component is not
    passed on from here.
*/
class SxMainTabComponent : public SxLayoutComponent,
                           public SxToolCallback,
                           public SxControlChangedCallback
{
public:
    SxMainTabComponent (bool fullWidth, bool showScrollBar);
    ~SxMainTabComponent() override;

    /** Told when the page becomes the shown page; not owned, null by default. */
    SxMainTabComponentCallback* callback = nullptr;

    /** Names the page, its tab's message and its page name alike. */
    void setName (const juce::String& newName) override;
    const juce::String& getPageName() const noexcept  { return pageName; }

    /** Gives the page's tab other pictures (a layer's own icons; 48 x 48 by default, shown
        at half size): normal for the normal and hover looks, pressed for the pressed and
        selected looks. A tab made later takes them too. */
    void setTabPictures (const juce::Image& normal, const juce::Image& pressed);

    /** The page's tab; null once a tab row deleted it and until the next hand-over. */
    SxTabSegmentButton* getTabButton() const noexcept;
    /** Gives up ownership of the tab (making a new one when the old one is gone) and
        returns it, for a tab row to own. */
    SxTabSegmentButton* releaseTabButton();

    /** Both callbacks' change notification: nothing. */
    void controlChanged (juce::Component*) override {}
    void inputAttemptOutsideModal() override {}

private:
    std::unique_ptr<SxTabSegmentButton> ownedTab;
    juce::Component::SafePointer<SxTabSegmentButton> tabButton;
    juce::String pageName;
    juce::Image tabNormal, tabPressed;

    void makeTabButton();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxMainTabComponent)
};
