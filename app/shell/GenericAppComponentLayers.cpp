#include "GenericAppComponentLayers.h"

void GenericAppComponentLayers::firstShow()
{
    startTimer (firstShowTimer, 100);
}

void GenericAppComponentLayers::timerCallback (int timerID)
{
    stopTimer (timerID);

    if (timerID == firstShowTimer)
    {
        GenericAppComponent::firstShow();
        return;
    }

    GenericAppComponent::timerCallback (timerID);
}
