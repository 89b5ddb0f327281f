#pragma once

#include "SxComponent.h"

/** The brush-size preview: a white disc of the brush's diameter drawn at 90 % less 2 pixels
    (never below nothing), centred, on whatever lies beneath (the preview's black square).
    It takes no clicks. */
class SxBrushPreviewBox : public SxComponent
{
public:
    explicit SxBrushPreviewBox (int brushSize);

    /** Stores the diameter; the caller repaints. */
    virtual void setBrushSize (int newBrushSize);
    int getBrushSize() const noexcept  { return brushSize; }

    /** The disc's diameter for a brush size: 0.9 size - 2, at least 0. */
    static float discDiameter (int brushSize) noexcept;

    void paint (juce::Graphics& g) override;

private:
    int brushSize;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxBrushPreviewBox)
};
