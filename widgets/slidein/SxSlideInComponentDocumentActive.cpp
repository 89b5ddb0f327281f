#include "SxSlideInComponentDocumentActive.h"

#include "SxMainComponentServices.h"

bool SxSlideInComponentDocumentActive::canModalEventBeSentToComponent (const juce::Component* target)
{
    auto* main = SxMainComponentServices::getInstance();
    return target != nullptr && main != nullptr && target == main->getDocumentCanvasComponent();
}
