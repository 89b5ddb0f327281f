#pragma once

#include "SxImageButton.h"

/** The checkbox's tick: its picture, fitted, sits against the left edge. */
class SxCheckboxImageButton : public SxImageButton
{
public:
    using SxImageButton::SxImageButton;

protected:
    void paintButton (juce::Graphics& g, bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;
};
