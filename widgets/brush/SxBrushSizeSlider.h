#pragma once

#include "SxBrushPreviewBox.h"
#include "SxColorComponent.h"
#include "SxHorizontalCallOutBox.h"
#include "SxSlider.h"

/** The brush-size slider of the selective-mask wizard. Unlike the effect sliders it writes
    and reports every change at once, also while dragging, and shows the brush beside
    itself: a call-out with a white disc of the chosen size on a 150 x 150 black square.
    The preview goes one second after the last change, whether or not the button is still
    down, and comes back with the next change.

        auto* row = new SxBrushSizeLabelSlider ("brushSizeSlider", nullptr, "Brush Size", false);
        row->getSlider().setRange (10.0, 200.0, 0.01);
        row->setValuePointer (&brushSize);
        row->addSliderListener (this);

    The preview is not modal and takes no clicks; the slider owns it and its content.
*/
class SxBrushSizeSlider : public SxSlider,
                          public juce::MultiTimer
{
public:
    explicit SxBrushSizeSlider (const juce::String& componentName);
    ~SxBrushSizeSlider() override;

    static constexpr int closePreviewTimer = 1000;
    static constexpr int previewSize = 150;

    void sliderValueChanged (juce::Slider* slider) override;
    void timerCallback (int timerID) override;

    /** The open preview; null while none shows. */
    SxHorizontalCallOutBox* getPreview() const noexcept      { return callOut.getComponent(); }
    SxBrushPreviewBox* getPreviewBox() const noexcept        { return previewBox; }

private:
    // Held safely: the box is a child of the main component, which may go first.
    juce::Component::SafePointer<SxHorizontalCallOutBox> callOut;
    SxColorComponent* previewContent = nullptr;
    SxBrushPreviewBox* previewBox = nullptr;

    void openPreview (int brushSize);
    void closePreview();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxBrushSizeSlider)
};
