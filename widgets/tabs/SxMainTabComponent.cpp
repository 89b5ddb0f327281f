#include "SxMainTabComponent.h"

#include "SxTabSegmentButton.h"
#include "SxWidgetArt.h"

SxMainTabComponent::SxMainTabComponent (bool isFullWidth, bool showScrollBar)
    : SxLayoutComponent (isFullWidth, showScrollBar),
      tabNormal (SxWidgetArt::get (WidgetArt::pageTab)),
      tabPressed (SxWidgetArt::get (WidgetArt::pageTabPressed))
{
    fullWidth = false;
    resizeContent();
    makeTabButton();
}

SxMainTabComponent::~SxMainTabComponent() = default;

void SxMainTabComponent::makeTabButton()
{
    ownedTab = std::make_unique<SxTabSegmentButton> (juce::String());
    ownedTab->setName ("SxHomeTabButton");
    ownedTab->setPictures (tabNormal, tabPressed);
    ownedTab->message = pageName;
    ownedTab->setTitle (pageName);     // a picture alone tells a screen reader nothing
    tabButton = ownedTab.get();
}

void SxMainTabComponent::setName (const juce::String& newName)
{
    SxLayoutComponent::setName (newName);
    pageName = newName;

    if (tabButton != nullptr)
    {
        tabButton->message = newName;
        tabButton->setTitle (newName);
    }
}

void SxMainTabComponent::setTabPictures (const juce::Image& normal, const juce::Image& pressed)
{
    tabNormal = normal;
    tabPressed = pressed;

    if (tabButton != nullptr)
        tabButton->setPictures (normal, pressed);
}

SxTabSegmentButton* SxMainTabComponent::getTabButton() const noexcept
{
    return tabButton.getComponent();
}

SxTabSegmentButton* SxMainTabComponent::releaseTabButton()
{
    if (tabButton == nullptr)
        makeTabButton();

    ownedTab.release();
    return tabButton.getComponent();
}
