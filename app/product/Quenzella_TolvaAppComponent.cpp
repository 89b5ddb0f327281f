#include "Quenzella_TolvaAppComponent.h"

#include "AbstractWaterColor.h"
#include "StylizedWatercolor.h"
#include "SxPanTool.h"
#include "SxWidgetArt.h"

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
