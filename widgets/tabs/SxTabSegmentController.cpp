#include "SxTabSegmentController.h"

#include "SxMainTabController.h"
#include "SxRelativeBounds.h"
#include "SxTabSegmentButton.h"
#include "SxTabTextAnimationComponent.h"

namespace
{
    constexpr int messageFadeInMs = 300;
    constexpr int messageOffset = -5;
}

SxTabSegmentController::SxTabSegmentController()
    : SxComponent (juce::String())
{
}

SxTabSegmentController::~SxTabSegmentController()
{
    for (auto& message : messages)
        delete message.getComponent();

    clearTabs();
}

SxTabSegmentButton* SxTabSegmentController::getTab (int index) const noexcept
{
    return juce::isPositiveAndBelow (index, getNumTabs()) ? tabs[(size_t) index].get() : nullptr;
}

int SxTabSegmentController::indexOf (const juce::Button* tab) const noexcept
{
    for (size_t i = 0; i < tabs.size(); ++i)
        if (tabs[i].get() == tab)
            return (int) i;

    return -1;
}

std::vector<SxTabTextAnimationComponent*> SxTabSegmentController::getMessages() const
{
    std::vector<SxTabTextAnimationComponent*> live;
    for (auto& message : messages)
        if (message != nullptr)
            live.push_back (message.getComponent());
    return live;
}

void SxTabSegmentController::addTab (SxTabSegmentButton* tab)
{
    if (tab == nullptr || indexOf (tab) >= 0)
        return;

    tab->addListener (this);
    tab->setName (juce::String (getNumTabs()));
    tabs.emplace_back (tab);
}

void SxTabSegmentController::clearTabs()
{
    // The row only shows the tabs: it lets them go before they are deleted here.
    delete row;
    row = nullptr;
    selectedTab = nullptr;
    tabs.clear();
    repaint();
}

void SxTabSegmentController::buildRow()
{
    if (tabs.empty() || row != nullptr)
        return;

    const int count = getNumTabs();
    const int total = count * (tabs.front()->selectedImage.getWidth() / 2) + count * tabGap;

    row = new SxComponent (juce::String());
    addAndMakeVisible (row);

    if (centred)
        SxRelativeBounds::apply (*row, "(parent.width / 2) - (" + juce::String (total / 2) + "), 0, left + " + juce::String (total)
                                           + ", top + parent.height");
    else
        SxRelativeBounds::apply (*row, "0, 0, left + " + juce::String (total) + ", top + parent.height");

    int x = tabGap / 2;

    for (auto& tab : tabs)
    {
        row->addBorrowedChild (*tab);
        tab->setTopLeftPosition (x, (int) ((row->getHeight() - tab->getHeight()) * 0.5));
        x += tab->getWidth() + tabGap;
    }

    if (selectedTab == nullptr)
        selectedTab = tabs.front().get();

    // One page needs no tabs.
    row->setVisible (count >= 2);

    selectTab (0, true, false);
}

void SxTabSegmentController::selectTab (int index, bool notify, bool remember)
{
    if (! juce::isPositiveAndBelow (index, getNumTabs()))
        return;

    if (selectedTab != nullptr)
    {
        selectedTab->showNormalLook();
        selectedTab->setInterceptsMouseClicks (true, true);
    }

    selectedTab = tabs[(size_t) index].get();
    selectedTab->showSelectedLook();
    selectedTab->setInterceptsMouseClicks (false, false);

    if (notify && host != nullptr)
        host->selectPage (index, remember);

    repaint();
}

void SxTabSegmentController::buttonClicked (juce::Button* button)
{
    if (host == nullptr || button == nullptr || button == selectedTab)
        return;

    // The tab's name is its index; a tab that is not (or no longer) ours is ignored.
    const int index = button->getName().getIntValue();

    if (getTab (index) != button)
        return;

    auto* message = new SxTabTextAnimationComponent();
    std::erase_if (messages, [] (const auto& m) { return m == nullptr; });
    messages.emplace_back (message);
    message->setText (tabs[(size_t) index]->message);
    message->placeAbove (button, messageOffset);
    message->show (messageFadeInMs);

    selectTab (index, true, true);
}

void SxTabSegmentController::paint (juce::Graphics& g)
{
    g.fillAll (backgroundColour);

    if (selectedTab == nullptr || row == nullptr || getNumTabs() < 2)
        return;

    g.setColour (highlightColour);
    g.fillRect (selectedTab->getX() + row->getX() - tabGap / 2, 0, selectedTab->getWidth() + tabGap, row->getHeight());
}
