#pragma once

#include "ImageQualitySlider.h"
#include "ImageSavePanel.h"

/** The save sheet's accessory, 253 x 90: "Format" with the pop-up of the four types
    ("fileTypes"), and below it "Quality" with the slider ("compressionFactor") between
    "Least" and "Best" (or "Lossless"); the quality row is hidden for PNG and TIFF.

    It reports the user's changes and shows what the panel says; the rules live in
    ImageSavePanel. */
class ImageSaveAccessory : public juce::Component
{
public:
    static constexpr int width = 253, height = 90;

    ImageSaveAccessory();

    /** Called when the user picks a type in the pop-up. */
    std::function<void (ImageSavePanel::ImageType)> onTypeChosen;
    /** Called when the user moves the slider. */
    std::function<void (int)> onQualityChanged;

    /** Shows the panel's type, quality, quality row and right-hand label, notifying no one. */
    void showPanel (const ImageSavePanel& panel);

    juce::ComboBox& getFileTypes() noexcept          { return fileTypes; }
    ImageQualitySlider& getQualitySlider() noexcept  { return compressionFactor; }
    juce::Label& getQualityLabel() noexcept          { return compressionFactorLabel; }
    juce::Label& getLeastLabel() noexcept            { return compressionLeastLabel; }
    juce::Label& getBestLabel() noexcept             { return compressionBestLabel; }

    void resized() override;

private:
    juce::Label formatLabel { "fileTypesLabel", "Format" };
    juce::ComboBox fileTypes { "fileTypes" };
    juce::Label compressionFactorLabel { "compressionFactorLabel", "Quality" };
    ImageQualitySlider compressionFactor;
    juce::Label compressionLeastLabel { "compressionLeastLabel", "Least" };
    juce::Label compressionBestLabel { "compressionBestLabel", "Best" };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ImageSaveAccessory)
};
