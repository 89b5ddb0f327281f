#pragma once

#include <juce_graphics/juce_graphics.h>

#include <vector>

class Layer;

/** One entry of the main component's effect list: effect layers offered together under
    one name and icon. The layers are the prototypes registered with the layer registry;
    the group does not own them. */
struct EffectGroup
{
    std::vector<Layer*> effects;
    juce::String name;
    juce::Image icon;
};
