#pragma once

#include "GenericAppComponent.h"

/** The application layer of the main component, between the generic frame and the
    product: it defers the generic first show until the window is on screen.

    Its timer dispatcher sees every timer first and hands on what it does not handle.
*/
class GenericAppComponentLayers : public GenericAppComponent
{
public:
    GenericAppComponentLayers() = default;

    /** Starts the first-show timer: the generic first show runs 100 ms later. */
    void firstShow() override;

    void timerCallback (int timerID) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GenericAppComponentLayers)
};
