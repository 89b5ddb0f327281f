#include "SxLabelImageList.h"

#include "SxLabel.h"
#include "SxRelativeBounds.h"

SxLabelImageList::SxLabelImageList (const juce::String& listName, const juce::String& labelText, const juce::String& sourceFolder,
                                    const juce::String& title, const Options& options)
    : SxComponent ({}),
      label (new SxLabel ("SxLabelSliderLabel", labelText))
{
    SxRelativeBounds::apply (*this, "0, 0, left + parent.width, top + " + juce::String (rowHeight));

    label->setFont (juce::Font (12.0f));
    label->setColour (juce::Label::textColourId, juce::Colour (250, 250, 250));
    label->setJustificationType (juce::Justification::centredRight);
    label->setInterceptsMouseClicks (false, false);
    addAndMakeVisible (label);
    SxRelativeBounds::apply (*label, "parent.width - 50 - 20 - 150, (parent.height / 2) - 5, left + 150, top + 23");

    auto picker = GenericImageList::create (options.variant);

    if (picker == nullptr)
        return;

    imageList = picker.release();
    imageList->setName (listName);
    imageList->setTitle (labelText);
    addAndMakeVisible (imageList);
    imageList->setContent (sourceFolder, {});
    imageList->columns = thumbnailColumns;
    imageList->itemSize = thumbnailSize;
    imageList->title = title;
    imageList->showSelectionFrame = options.showSelectionFrame;
    imageList->showNumbers = options.showNumbers;
    imageList->opensAsPanel = true;
    imageList->tooltip = options.tooltip;
    imageList->setSize (pickerSize, pickerSize);
    imageList->rebuild();
    SxRelativeBounds::apply (*imageList, "parent.width - 50 - 5, 10, left + 50, top + 50");
}

SxLabelImageList::~SxLabelImageList() = default;

void SxLabelImageList::selectItem (const juce::String& name)
{
    if (imageList != nullptr)
        imageList->selectItemNamed (name);
}

void SxLabelImageList::selectIndex (int index)
{
    if (imageList != nullptr)
        imageList->setSelectedIndex (index);
}
