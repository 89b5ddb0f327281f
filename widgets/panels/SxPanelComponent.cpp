#include "SxPanelComponent.h"

#include "ColorComponent.h"
#include "HorizontalTileComponent.h"
#include "SxImageComponent.h"
#include "SxRelativeBounds.h"
#include "SxWidgetArt.h"

namespace
{
    template <typename ComponentType>
    ComponentType& place (juce::Component& parent, ComponentType* child, const juce::String& bounds)
    {
        parent.addAndMakeVisible (child);
        SxRelativeBounds::apply (*child, bounds);
        return *child;
    }

    HorizontalTileComponent* tiles (const WidgetArt::Png& left, const WidgetArt::Png& middle, const WidgetArt::Png& right)
    {
        return new HorizontalTileComponent (SxWidgetArt::get (left), SxWidgetArt::get (middle), SxWidgetArt::get (right));
    }

    SxImageComponent* stretchedImage (const juce::String& name, const WidgetArt::Png& png)
    {
        auto* image = new SxImageComponent (name);
        image->setImage (SxWidgetArt::get (png), juce::RectanglePlacement::stretchToFit);
        return image;
    }
}

SxPanelComponent::SxPanelComponent (bool isShortBody)
    : SxComponent ({}),
      shortBody (isShortBody)
{
}

void SxPanelComponent::setTitle (const juce::String& newTitle)
{
    title = newTitle;

    if (titleLabel != nullptr)
        titleLabel->setText (title, juce::sendNotification);
}

void SxPanelComponent::buildPanel()
{
    if (built)
        return;

    built = true;

    // An SxComponent rather than a plain component, so the pieces inside it are deleted
    // with it.
    auto& container = place (*this, new SxComponent ("mainContainer"), "0,0, left + parent.width, top + parent.height");
    buildTitleBar (&container);

    place (container, tiles (WidgetArt::panelBodyLeft, WidgetArt::panelBodyMiddle, WidgetArt::panelBodyRight),
           "0, 27, left + parent.width, top + parent.height - 27 - 27").setOpaque (true);
    place (container, tiles (WidgetArt::panelBottomLeft, WidgetArt::panelBottomMiddle, WidgetArt::panelBottomRight),
           "0, parent.height - 27, left + parent.width, top+27").setOpaque (true);

    const juce::String wellBottom = shortBody ? "top+parent.height - 27 - 27 - 10" : "top+parent.height - 27 - 27";
    place (container, stretchedImage ("topInsetImgComp", WidgetArt::panelTopInset), "3, 30, left+parent.width - 6, top+27");
    place (container, stretchedImage ("centerInsetImgComp", WidgetArt::panelInsetArea), "3, 27, left+parent.width - 6, " + wellBottom);

    auto* fill = new ColorComponent();
    fill->colour = juce::Colour (32, 32, 32);
    place (container, fill, "5, 27, left+parent.width - 10, " + wellBottom).setOpaque (true);
}

void SxPanelComponent::buildTitleBar (juce::Component* container)
{
    place (*container, tiles (WidgetArt::panelTitleLeft, WidgetArt::panelTitleMiddle, WidgetArt::panelTitleRight),
           "0, 0, left+parent.width, top+27");

    titleLabel = new juce::Label ("SxPanelComponentTitleLabel", title);
    titleLabel->setColour (juce::Label::textColourId, juce::Colour (250, 250, 250));
    titleLabel->setJustificationType (juce::Justification::centred);
    addAndMakeVisible (titleLabel);
    titleLabel->setSize (190, 23);
    SxRelativeBounds::apply (*titleLabel, "(parent.width / 2) - (width / 2), 3, left + 190, top + 23");
}
