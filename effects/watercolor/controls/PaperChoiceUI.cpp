#include "PaperChoiceUI.h"

#include "GenericImageList.h"
#include "SxColorPicker.h"
#include "SxLabelImageList.h"
#include "SxLabelSegmentController.h"
#include "SxLabelSlider.h"
#include "SxRelativeBounds.h"
#include "WatercolorControlTable.h"
#include "WatercolorSettings.h"

namespace
{
    enum Style { colour = 0, paper = 1 };
}

PaperChoiceUI::PaperChoiceUI()
    : SxUIComponent ({}),
      container (new SxComponent ("mainTab")),
      styleSegments (new SxLabelSegmentController ("imageStyleSegmentController", "Choose a Background Style", nullptr, false, false)),
      tintSlider (new SxLabelSlider ("imageBackgroundColorSlider", nullptr, WatercolorSettings::labelOf ("backgroundPaperTintStrength"), true)),
      backgroundPicker (new SxColorPicker ("tileBackgroundColorPicker2", juce::Colours::white, juce::Colours::white)),
      tintPicker (new SxColorPicker ("paperTintColorPicker", juce::Colours::white, juce::Colours::white))
{
    addAndMakeVisible (container);

    styleSegments->listener = this;
    styleSegments->setSize (186, 51);
    styleSegments->addSegment ("Color", 1);
    styleSegments->addSegment ("Paper", 1);
    styleSegments->buildSegments();
    container->addAndMakeVisible (styleSegments);

    if (auto list = GenericImageList::create (WatercolorControlTable::thumbnailPicker()))
    {
        paperList = list.release();
        paperList->setName (WatercolorControlTable::paperName);
        paperList->setTitle ("Background paper");
        paperList->setContent (WatercolorControlTable::paperThumbnails, {});
        paperList->columns = SxLabelImageList::thumbnailColumns;
        paperList->itemSize = SxLabelImageList::thumbnailSize;
        paperList->title = "Background";
        paperList->opensAsPanel = true;
        paperList->callback = this;
        paperList->setSize (30, 30);
        paperList->rebuild();
        container->addAndMakeVisible (paperList);
    }

    tintSlider->getSlider().setRange (0.0, 1.0, 0.01);
    tintSlider->getSlider().setTooltip ("Tint the paper by moving to the right or leave default coloring by moving to the left.");
    tintSlider->addSliderListener (this);
    container->addAndMakeVisible (tintSlider);

    for (auto* picker : { backgroundPicker, tintPicker })
    {
        picker->callback = this;
        picker->setColour (WatercolorSettings::opaqueWhite);
        container->addAndMakeVisible (picker);
    }
    backgroundPicker->setTitle ("Background colour");
    tintPicker->setTitle ("Paper tint colour");

    setSize (panelWidth, panelHeight);
}

PaperChoiceUI::~PaperChoiceUI() = default;

void PaperChoiceUI::bindTo (WatercolorSettings& settings)
{
    styleMode = &settings.backgroundStyleMode;
    styleSegments->setValuePointer (&settings.backgroundStyleMode);
    backgroundPicker->boundColour = &settings.backgroundColor;
    tintPicker->boundColour = &settings.backgroundPaperColor;
    tintSlider->setValuePointer (&settings.backgroundPaperTintStrength);
}

void PaperChoiceUI::resized()
{
    // Fixed places: a child following an expression (the slider row follows its parent's
    // width) would be moved back by the next resize of its parent.
    for (auto* child : container->getChildren())
        SxRelativeBounds::detach (*child);

    container->setBounds (6, 4, getWidth(), getHeight());
    styleSegments->setBounds (3, 14, 186, 51);
    if (paperList != nullptr)
        paperList->setBounds (197, 32, 30, 30);
    tintSlider->setBounds (5, 63, 184, 40);
    backgroundPicker->setBounds (197, 32, 30, 30);
    tintPicker->setBounds (200, 68, 24, 24);
}

void PaperChoiceUI::update()
{
    for (auto* control : std::initializer_list<SxUpdateComponent*> { styleSegments, tintSlider, backgroundPicker, tintPicker })
        control->update();

    if (backgroundPicker->boundColour != nullptr)
        shownBackground = *backgroundPicker->boundColour;
    if (tintPicker->boundColour != nullptr)
        shownTint = *tintPicker->boundColour;

    if (styleMode == nullptr)
        return;

    const bool isPaper = *styleMode == paper, isColour = *styleMode == colour;

    if (paperList != nullptr)
        paperList->setVisible (isPaper);
    tintSlider->setVisible (isPaper);
    tintPicker->setVisible (isPaper);
    backgroundPicker->setVisible (isColour);

    if (isPaper || isColour)
        styleSegments->getLabel().setText (isPaper ? "Background Style : Paper" : "Background Style : Color", juce::dontSendNotification);
}

void PaperChoiceUI::selectPaper (const juce::String& name)
{
    if (paperList != nullptr)
        paperList->selectItemNamed (name);
}

void PaperChoiceUI::controlChanged (juce::Component* control)
{
    if (control != styleSegments)
        return;

    // The owner may rebuild every control, this panel with them.
    const juce::Component::SafePointer<PaperChoiceUI> stillThere (this);

    if (callback != nullptr)
        callback->controlClicked (control);

    if (stillThere != nullptr)
        update();
}

void PaperChoiceUI::sliderValueChanged (juce::Slider* slider)
{
    if (slider == &tintSlider->getSlider() && callback != nullptr)
        callback->controlClicked (slider);
}

void PaperChoiceUI::colourChanged (juce::Component* picker, juce::uint32 colourWord)
{
    auto& shown = picker == backgroundPicker ? shownBackground : shownTint;

    if (colourWord == shown)
        return;

    shown = colourWord;

    if (callback != nullptr)
        callback->controlClicked (picker);
}

void PaperChoiceUI::imageListItemChosen (GenericImageList* list, int index)
{
    if (list == paperList && callback != nullptr)
        callback->imageListItemChosen (list, index);
}
