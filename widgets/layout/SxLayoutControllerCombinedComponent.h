#pragma once

#include "SxComponent.h"

/** The row of a layout stack that holds two or three items side by side; it owns them (they
    are its children). Made by SxLayoutController::addItemPair and addItemTriple. */
class SxLayoutControllerCombinedComponent : public SxComponent
{
public:
    SxLayoutControllerCombinedComponent();

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxLayoutControllerCombinedComponent)
};
