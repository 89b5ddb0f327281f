#include "Quenzella_TolvaAppComponent.h"

#include "AbstractWaterColor.h"
#include "GenericImageListPanel.h"
#include "StylizedWatercolor.h"
#include "SxPanTool.h"
#include "SxWidgetArt.h"

Quenzella_TolvaAppComponent::Quenzella_TolvaAppComponent()
{
    // The pickers live above the effects that own them; the maker captures nothing, so it
    // may stay installed after this component is gone.
    GenericImageList::installMaker (&GenericImageListPanel::make);
}

void Quenzella_TolvaAppComponent::openInfoPage()
{
    juce::URL (getInfoPageUrl()).launchInDefaultBrowser();
}

void Quenzella_TolvaAppComponent::createEffectLayers()
{
    for (auto* effect : { static_cast<Layer*> (new AbstractWaterColor()), static_cast<Layer*> (new StylizedWatercolor()) })
    {
        LayerManager::registerEffectPrototype (effect);
        addEffect (effect);
    }
}

std::unique_ptr<SxTool> Quenzella_TolvaAppComponent::createPanTool()
{
    return std::make_unique<SxPanTool> ("panTool", SxWidgetArt::get (WidgetArt::panToolNormal),
                                        SxWidgetArt::get (WidgetArt::panToolOver), SxWidgetArt::get (WidgetArt::panToolPressed));
}
