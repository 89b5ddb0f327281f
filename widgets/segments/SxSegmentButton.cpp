#include "SxSegmentButton.h"

#include "SxSegmentCenterButton.h"
#include "SxSegmentLeftButton.h"
#include "SxSegmentRightButton.h"
#include "SxSegmentedControl.h"
#include "SxThreeSlices.h"
#include "SxWidgetArt.h"

SxSegmentButton::SxSegmentButton (const juce::String& componentName)
    : juce::Button (componentName)
{
    setName (componentName);
    // The control is the one keyboard stop for all its segments.
    setWantsKeyboardFocus (false);
    // Selection shows as the checked state to assistive technology.
    setToggleable (true);
    repaint();
}

SxSegmentButton::~SxSegmentButton()
{
    deleteAllChildren();
}

void SxSegmentButton::setSelected (bool shouldBeSelected)
{
    if (selected == shouldBeSelected)
        return;

    selected = shouldBeSelected;
    setToggleState (shouldBeSelected, juce::dontSendNotification);
    repaint();
}

SxSegmentButton::Images SxSegmentButton::imagesFor (Kind kind, int height)
{
    const bool large = height >= largeImagesFromHeight;
    const auto get = [large] (const WidgetArt::Png& big, const WidgetArt::Png& small)
    {
        return SxWidgetArt::get (large ? big : small);
    };

    const auto fill = get (WidgetArt::segmentFill, WidgetArt::segmentSmallFill);
    const auto fillSelected = get (WidgetArt::segmentFillSelected, WidgetArt::segmentSmallFillSelected);

    switch (kind)
    {
        case Kind::left:
            return { get (WidgetArt::segmentLeftEnd, WidgetArt::segmentSmallLeftEnd),
                     get (WidgetArt::segmentLeftEndSelected, WidgetArt::segmentSmallLeftEndSelected),
                     fill, fillSelected,
                     get (WidgetArt::segmentDividerFirst, WidgetArt::segmentSmallDividerFirst), fillSelected };
        case Kind::centre:
            return { fill, fillSelected, fill, fillSelected,
                     get (WidgetArt::segmentDividerMiddle, WidgetArt::segmentSmallDividerMiddle), fillSelected };
        case Kind::right:
            break;
    }

    return { fill, fillSelected, fill, fillSelected,
             get (WidgetArt::segmentRightEnd, WidgetArt::segmentSmallRightEnd),
             get (WidgetArt::segmentRightEndSelected, WidgetArt::segmentSmallRightEndSelected) };
}

SxSegmentButton* SxSegmentButton::create (int index, int count)
{
    const auto name = juce::String (index);

    if (index == 0)
        return new SxSegmentLeftButton (name);

    if (index == count - 1)
        return new SxSegmentRightButton (name);

    return new SxSegmentCenterButton (name);
}

juce::Label& SxSegmentButton::addTextLabel (const juce::String& text, int fontHeight, int labelWidth)
{
    auto* label = new juce::Label ("SxSegmentButtonsLabel", text);
    label->setFont (juce::Font ((float) fontHeight, juce::Font::plain));
    label->setColour (juce::Label::textColourId, juce::Colour (250, 250, 250));
    label->setColour (juce::Label::textWhenEditingColourId, juce::Colour (250, 250, 250));
    label->setJustificationType (juce::Justification::centred);
    label->setInterceptsMouseClicks (false, false);
    label->setAccessible (false);
    addAndMakeVisible (label);
    label->setSize (labelWidth, 23);
    label->setCentreRelative (0.5f, 0.5f);

    setTitle (text);
    textLabel = label;
    return *label;
}

void SxSegmentButton::paintSegment (juce::Graphics& g, Kind kind, bool isButtonDown)
{
    const auto images = imagesFor (kind, getHeight());
    auto* control = owner != nullptr ? owner : this;

    // A press on a control that takes no clicks would promise a choice it will not make.
    if (auto* segmented = dynamic_cast<SxSegmentedControl*> (owner); segmented != nullptr && ! segmented->isAcceptingClicks())
        isButtonDown = false;

    float opacity = control->isEnabled() ? 1.0f : 0.4f;
    bool showSelected = isButtonDown || selected;

    if (kind == Kind::right && selected)
        opacity = 1.0f;

    g.setOpacity (opacity);
    const auto slices = SxThreeSlices::layOut (getWidth(), getHeight(), sliceWidth, sliceWidth);
    slices.draw (g, showSelected ? images.leftSelected : images.left,
                    showSelected ? images.middleSelected : images.middle,
                    showSelected ? images.rightSelected : images.right);
}
