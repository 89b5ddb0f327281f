#include "ImageSaveAccessory.h"

#include "ImageSaveStyle.h"

namespace
{
    void styleLabel (juce::Label& label, const juce::Font& font, juce::Colour colour, juce::Justification justification)
    {
        label.setFont (font);
        label.setColour (juce::Label::textColourId, colour);
        label.setJustificationType (justification);
        label.setBorderSize ({});
        label.setInterceptsMouseClicks (false, false);
    }
}

ImageSaveAccessory::ImageSaveAccessory()
{
    using namespace ImageSaveStyle;
    setName ("accessoryView");
    setSize (width, height);

    styleLabel (formatLabel, labelFont(), ink, juce::Justification::centredRight);
    styleLabel (compressionFactorLabel, labelFont(), ink, juce::Justification::centredRight);
    styleLabel (compressionLeastLabel, smallFont(), quietInk, juce::Justification::centredLeft);
    styleLabel (compressionBestLabel, smallFont(), quietInk, juce::Justification::centredRight);

    // Item ids are the pop-up indexes plus one.
    fileTypes.addItemList (ImageSavePanel::getPopUpItems(), 1);
    fileTypes.setColour (juce::ComboBox::backgroundColourId, field);
    fileTypes.setColour (juce::ComboBox::outlineColourId, fieldOutline);
    fileTypes.setColour (juce::ComboBox::textColourId, ink);
    fileTypes.setColour (juce::ComboBox::buttonColourId, field);
    fileTypes.setColour (juce::ComboBox::arrowColourId, ink);
    fileTypes.setColour (juce::ComboBox::focusedOutlineColourId, accent);
    fileTypes.onChange = [this]
    {
        const auto index = fileTypes.getSelectedItemIndex();
        if (index >= 0 && onTypeChosen)
            onTypeChosen ((ImageSavePanel::ImageType) index);
    };

    compressionFactor.onValueChange = [this]
    {
        if (onQualityChanged)
            onQualityChanged ((int) compressionFactor.getValue());
    };

    for (auto* child : std::initializer_list<juce::Component*> { &formatLabel, &fileTypes, &compressionFactorLabel,
                                                                 &compressionFactor, &compressionLeastLabel, &compressionBestLabel })
        addAndMakeVisible (child);
}

void ImageSaveAccessory::showPanel (const ImageSavePanel& panel)
{
    fileTypes.setSelectedItemIndex ((int) panel.getImageType(), juce::dontSendNotification);
    compressionFactor.setValue (panel.getQuality(), juce::dontSendNotification);
    compressionBestLabel.setText (panel.getBestLabel(), juce::dontSendNotification);
    for (auto* child : std::initializer_list<juce::Component*> { &compressionFactorLabel, &compressionFactor,
                                                                 &compressionLeastLabel, &compressionBestLabel })
        child->setVisible (panel.isQualityShown());
}

void ImageSaveAccessory::resized()
{
    // The frames of the desktop's own accessory, measured from the top.
    formatLabel.setBounds (5, 12, 60, 17);
    fileTypes.setBounds (72, 8, 160, 26);
    compressionFactorLabel.setBounds (5, 43, 60, 17);
    compressionFactor.setBounds (71, 42, 160, 25);

    const auto trackLeft = juce::roundToInt (compressionFactor.getX() + compressionFactor.getPositionOfValue (0.0));
    const auto trackRight = juce::roundToInt (compressionFactor.getX() + compressionFactor.getPositionOfValue (100.0));
    compressionLeastLabel.setBounds (trackLeft - 2, 71, 60, 13);
    compressionBestLabel.setBounds (trackRight - 64, 71, 66, 13);
}
