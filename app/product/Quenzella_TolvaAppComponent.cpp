#include "Quenzella_TolvaAppComponent.h"

#include "AbstractWaterColor.h"
#include "StylizedWatercolor.h"

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
