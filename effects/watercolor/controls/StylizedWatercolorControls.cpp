// The controls of the watercolour layers: building, refreshing and tearing down the "Adjust"
// page, and where the thumbnail lists' choices go. The page itself is WatercolorControlPage.

#include "AbstractWaterColor.h"
#include "GenericImageList.h"
#include "PaperChoiceUI.h"
#include "StylizedWatercolor.h"
#include "SxLabelImageList.h"
#include "SxMainTabComponent.h"
#include "WatercolorControlPage.h"

using WatercolorControlTable::Effect;

void StylizedWatercolor::buildControls()
{
    buildControlPage (Effect::stylized);
}

void AbstractWaterColor::buildControls()
{
    buildControlPage (Effect::abstract);
}

void StylizedWatercolor::buildControlPage (Effect effect)
{
    Layer::buildControls();

    const WatercolorControlPage::Listeners listeners { *this, *this, *this, *this, *this };
    const auto built = WatercolorControlPage::build (*controlTabs.front(), settings, listeners, effect);
    paperChoice = built.paperChoice;
    borderList = built.borderList;

    updateMaskHolderVisibility (true);
    refreshControls();
}

PaperChoiceUI* StylizedWatercolor::getPaperChoice() const noexcept     { return paperChoice.getComponent(); }
SxLabelImageList* StylizedWatercolor::getBorderList() const noexcept   { return borderList.getComponent(); }

void StylizedWatercolor::refreshControls()
{
    Layer::refreshControls();

    if (controlTabs.empty())
        return;

    if (borderList != nullptr)
        borderList->selectItem (settings.borderFileName);
    if (paperChoice != nullptr)
        paperChoice->selectPaper (settings.edgeFileName);

    updateMaskHolderVisibility (false);
}

void StylizedWatercolor::destroyControls()
{
    Layer::destroyControls();
    paperChoice = nullptr;
    borderList = nullptr;
    shownRows.reset();
}

void StylizedWatercolor::updateMaskHolderVisibility (bool immediate)
{
    if (controlTabs.empty())
        return;

    const auto wanted = WatercolorControlTable::rowsShownFor (settings.mInsideColor);

    // Every refresh asks; starting the same change again would cut the running one short.
    if (! immediate && shownRows == wanted)
        return;

    shownRows = wanted;
    WatercolorControlPage::showRows (*controlTabs.front(), wanted, immediate);
}

void StylizedWatercolor::imageListItemChosen (GenericImageList* list, int index)
{
    if (list == nullptr)
        return;

    if (borderList != nullptr && list == borderList->getImageList())
        borderChosen (index);
    else if (paperChoice != nullptr && list == paperChoice->getPaperList())
        paperChosen (index);
}

void StylizedWatercolor::imageListItemChosen (juce::Component* list, int index)
{
    imageListItemChosen (dynamic_cast<GenericImageList*> (list), index);
}
