#pragma once

#include "SxImageButton.h"

/** An image button whose picture, kept in proportion, covers the whole button (the overflow
    is cut off): the base of the preset thumbnails. It is a file-drop target that wants no
    drag. */
class SxScaleToFillImageButton : public SxImageButton,
                                 public juce::FileDragAndDropTarget
{
public:
    using SxImageButton::SxImageButton;

    void filesDropped (const juce::StringArray& files, int x, int y) override {}
    bool isInterestedInFileDrag (const juce::StringArray& files) override  { return false; }

protected:
    void paintButton (juce::Graphics& g, bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;
};
