#include "SxLabelSegmentController.h"

#include "SegmentController.h"
#include "SxLabel.h"
#include "SxRelativeBounds.h"

SxLabelSegmentController::SxLabelSegmentController (const juce::String& componentName, const juce::String& labelText,
                                                    int* field, bool labelInline, bool compact)
    : SxComponent (componentName),
      segments (new SegmentController (true)),
      inlineLabel (labelInline),
      valueField (field),
      label (new SxLabel ("SxLabelSegmentControllerLabel", labelText))
{
    label->setFont (juce::Font (12.0f));
    label->setColour (juce::Label::textColourId, juce::Colour (250, 250, 250));
    addAndMakeVisible (label);
    label->setBounds (0, 0, 190, 20);
    label->setJustificationType (juce::Justification::centredLeft);
    label->setInterceptsMouseClicks (false, false);
    // The row carries the caption as its title; read twice would be noise.
    label->setAccessible (false);

    segments->setName ("presetSegmentController");
    segments->setTitle (labelText);
    segments->callback = this;
    addAndMakeVisible (segments);

    const juce::String rowHeight (compact ? 22 : 27);

    if (inlineLabel)
    {
        label->setTopLeftPosition (0, 3);
        const juce::String w (label->getTextWidth());
        SxRelativeBounds::apply (*segments, w + " + 5, 0, left + parent.width - " + w + " - 5, top + " + rowHeight);
    }
    else
    {
        SxRelativeBounds::apply (*segments, "8, 20, left + parent.width - 8, top + " + rowHeight);
    }
}

SxLabelSegmentController::~SxLabelSegmentController() = default;

void SxLabelSegmentController::setSegmentTooltip (const juce::String& tooltip)
{
    segments->segmentTooltip = tooltip;
}

void SxLabelSegmentController::addSegment (const juce::String& text, int count)
{
    segments->addSegments (text, count);
}

void SxLabelSegmentController::buildSegments()
{
    segments->build();
}

void SxLabelSegmentController::update()
{
    if (valueField == nullptr)
    {
        selectedIndex = 0;
        return;
    }

    selectedIndex = *valueField;
    segments->setSelectedIndex (selectedIndex);
}

void SxLabelSegmentController::segmentChanged (int index, juce::Component*)
{
    selectedIndex = index;

    if (valueField != nullptr)
        *valueField = index;

    if (listener != nullptr)
        listener->controlChanged (this);
}
