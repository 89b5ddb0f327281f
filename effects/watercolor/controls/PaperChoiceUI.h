#pragma once

#include "GenericImageListCallback.h"
#include "SxColorPickerCallback.h"
#include "SxControlChangedCallback.h"
#include "SxUIComponent.h"

class GenericImageList;
class SxColorPicker;
class SxLabelSegmentController;
class SxLabelSlider;
struct WatercolorSettings;

/** The background of a watercolour layer: a choice between a plain colour and a paper, with
    what each needs beside it.

        Choose a Background Style      Color: [colour]        Paper: [paper thumbnail]
        [ Color | Paper ]                                            Paper Tint ---o--- [tint]

    Bound to the layer's settings (bindTo); every user action is written into the bound
    field by the control itself, then handed to the owner (callback): the style segment,
    the "Paper Tint" slider and a colour picked in either picker through controlClicked, a
    picked paper through imageListItemChosen. A colour picker reporting the colour it
    already reported (as it does when its call-out closes) tells nobody.

    256 x 110, painting nothing itself; the children keep fixed places. The paper list comes
    from the application's thumbnail picker maker; without one the paper row has no
    thumbnail button.
*/
class PaperChoiceUI : public SxUIComponent,
                      public SxControlChangedCallback,
                      public GenericImageListCallback,
                      public juce::Slider::Listener,
                      public SxColorPickerCallback
{
public:
    PaperChoiceUI();
    ~PaperChoiceUI() override;

    /** Binds the style segment to backgroundStyleMode, the colour picker to
        backgroundColor, the tint picker to backgroundPaperColor and the tint slider to
        backgroundPaperTintStrength. Nothing is shown until update. */
    void bindTo (WatercolorSettings& settings);

    /** Shows the bound values, then the controls of the bound style: Paper shows the paper
        list, the tint slider and the tint colour, Color the plain colour; the caption says
        which. Any other style hides all four and leaves the caption. */
    void update() override;
    void resized() override;

    /** Shows the paper of that name as the current one, telling nobody. */
    void selectPaper (const juce::String& name);

    void controlChanged (juce::Component* control) override;
    void sliderValueChanged (juce::Slider* slider) override;
    void colourChanged (juce::Component* picker, juce::uint32 colourWord) override;
    void imageListItemChosen (GenericImageList* list, int index) override;

    SxLabelSegmentController& getStyleSegments() const noexcept  { return *styleSegments; }
    /** The paper thumbnails; null without a picker maker. */
    GenericImageList* getPaperList() const noexcept               { return paperList; }
    SxLabelSlider& getTintSlider() const noexcept                 { return *tintSlider; }
    SxColorPicker& getBackgroundPicker() const noexcept           { return *backgroundPicker; }
    SxColorPicker& getTintPicker() const noexcept                 { return *tintPicker; }

    static constexpr int panelWidth = 256, panelHeight = 110;

private:
    int* styleMode = nullptr;
    juce::Component* container;
    SxLabelSegmentController* styleSegments;
    GenericImageList* paperList = nullptr;
    SxLabelSlider* tintSlider;
    SxColorPicker* backgroundPicker;
    SxColorPicker* tintPicker;
    /** The colour each picker showed last (bound or reported): a report of it again is no pick. */
    juce::uint32 shownBackground = 0, shownTint = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PaperChoiceUI)
};
