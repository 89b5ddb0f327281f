#include "SaveProjectActivityWindow.h"

#include "GenericAppComponent.h"

SaveProjectActivityWindow::SaveProjectActivityWindow (GenericAppComponent* ownerComponent, const juce::File& target)
    : ThreadedActivityWindow ("Saving Project...", stopTimeoutMs),
      targetFile (target),
      owner (ownerComponent)
{
}

void SaveProjectActivityWindow::run()
{
    if (owner != nullptr)
        result = owner->writeProjectFile (targetFile);
}
