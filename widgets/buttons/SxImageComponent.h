#pragma once

#include "SxUpdateComponent.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** The kit's way of showing a picture: a framework image component named at construction,
    owning its children like SxComponent. The owner sets the picture with setImage. */
class SxImageComponent : public juce::ImageComponent,
                         public SxUpdateComponent
{
public:
    explicit SxImageComponent (const juce::String& componentName);
    ~SxImageComponent() override;

    void update() override {}

    /** Draws nothing while it has no area (a frame squeezed below its minimum size). */
    void paint (juce::Graphics& g) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxImageComponent)
};
