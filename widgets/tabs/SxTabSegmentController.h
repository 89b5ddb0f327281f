#pragma once

#include "SxComponent.h"

#include <memory>
#include <vector>

class SxMainTabController;
class SxTabSegmentButton;
class SxTabTextAnimationComponent;

/** The row of picture tabs above the effect panel's pages.

    The page host (SxMainTabController) hands it one tab per page (addTab, in page order)
    and asks it to lay them out (buildRow), which selects tab 0. A click on a tab shows a
    floating message with the page's name above it and asks the host to show that page
    and remember the choice in the layer. The selected tab shows its selected picture and
    ignores the mouse; a box in highlightColour stands behind it. A single tab is not shown
    at all.

        tabRow.host = &pageHost;        // each points to the other
        pageHost.tabRow = &tabRow;

    Tabs are focusable and Return clicks the focused one. The row owns its tabs (clearTabs
    deletes them) and any floating messages still running when it goes.
*/
class SxTabSegmentController : public SxComponent,
                               public juce::Button::Listener
{
public:
    SxTabSegmentController();
    ~SxTabSegmentController() override;

    /** The tabs stand centred in the control; false: from its left edge. */
    bool centred = true;
    /** The horizontal gap between two tabs. */
    int tabGap = 14;
    juce::Colour highlightColour { 52, 52, 52 };
    juce::Colour backgroundColour = juce::Colours::transparentWhite;

    /** Told about selections; not owned. */
    juce::Component::SafePointer<SxMainTabController> host;

    /** Takes the tab (null is ignored), listens to it and names it by its index. */
    void addTab (SxTabSegmentButton* tab);

    /** Shows tab index as selected; with notify the host shows that page (remembering the
        choice when remember is true). An index naming no tab is ignored. */
    void selectTab (int index, bool notify, bool remember);

    /** Deletes every tab and the row. */
    void clearTabs();

    /** Lays the tabs out in a row and selects tab 0; nothing without tabs or when the row
        is built already. */
    void buildRow();

    int getNumTabs() const noexcept  { return (int) tabs.size(); }
    SxTabSegmentButton* getTab (int index) const noexcept;
    SxTabSegmentButton* getSelectedTab() const noexcept  { return selectedTab; }
    /** The row holding the tabs; null until buildRow. */
    SxComponent* getRow() const noexcept  { return row; }
    /** Floating messages of earlier clicks that are still running. */
    std::vector<SxTabTextAnimationComponent*> getMessages() const;

    void buttonClicked (juce::Button* button) override;
    void paint (juce::Graphics& g) override;

private:
    std::vector<std::unique_ptr<SxTabSegmentButton>> tabs;
    SxTabSegmentButton* selectedTab = nullptr;
    SxComponent* row = nullptr;
    std::vector<juce::Component::SafePointer<SxTabTextAnimationComponent>> messages;

    int indexOf (const juce::Button* tab) const noexcept;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxTabSegmentController)
};
