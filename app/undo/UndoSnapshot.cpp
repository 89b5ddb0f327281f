#include "UndoSnapshot.h"

#include "AppSettings.h"
#include "Layer.h"
#include "LayerSaveOptions.h"
#include "PropertyValues.h"

#include <limits>

SxPropertySet UndoSnapshot::of (Layer* effectLayer)
{
    SxPropertySet snapshot;
    if (effectLayer != nullptr)
    {
        effectLayer->saveToPropertySet (snapshot, LayerSaveOptions { true });
        setStringProperty (snapshot, effectNameKey, effectLayer->getShortName());
    }
    return snapshot;
}

int UndoSnapshot::effectIndex (const SxPropertySet& snapshot, const std::vector<Layer*>& effects)
{
    const auto name = snapshot.getValue (effectNameKey, {});
    for (size_t i = 0; i < effects.size(); ++i)
        if (effects[i] != nullptr && effects[i]->getShortName() == name)
            return (int) i;
    return 0;
}

void UndoSnapshot::countTowardsChanged (AppSettings& settings)
{
    const int recorded = settings.get (SettingsKeys::freshProjectUndoCount);
    settings.set (SettingsKeys::freshProjectUndoCount, recorded < std::numeric_limits<int>::max() ? recorded + 1 : recorded);
    if (recorded >= 1)
        settings.set (SettingsKeys::freshProject, false);
}
