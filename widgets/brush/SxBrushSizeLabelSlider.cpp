#include "SxBrushSizeLabelSlider.h"

#include "SxLabelSlider.h"
#include "SxRelativeBounds.h"

SxBrushSizeLabelSlider::SxBrushSizeLabelSlider (const juce::String& componentName, juce::Component*,
                                                const juce::String& labelText, bool labelInline)
    : SxBrushSizeSlider (componentName),
      label (SxLabelSlider::addCaption (*this, labelText)),
      inlineLabel (labelInline)
{
    SxRelativeBounds::apply (*this, SxLabelSlider::rowBoundsFor (inlineLabel));
    SxLabelSlider::layOut (*this, *label, inlineLabel);
}

void SxBrushSizeLabelSlider::setInlineLabel (bool shouldBeInline)
{
    inlineLabel = shouldBeInline;
    SxLabelSlider::layOut (*this, *label, inlineLabel);
}
