#pragma once

#include "SxSlideInComponent.h"

/** The slide-in that leaves the document canvas usable while it is modal (the user paints
    mask strokes or places the source picture): input on the canvas reaches the canvas and is
    no click outside; input on anything else outside the panel is. */
class SxSlideInComponentDocumentActive : public SxSlideInComponent
{
public:
    using SxSlideInComponent::SxSlideInComponent;

    bool canModalEventBeSentToComponent (const juce::Component* target) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxSlideInComponentDocumentActive)
};
