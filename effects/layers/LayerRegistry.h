#pragma once

#include <juce_core/juce_core.h>

class Layer;

/** The process-wide prototype lists that turn a saved class name back into a layer.

    Prototypes are registered at start-up on the message thread and are not owned by
    the lists. Effect prototypes are searched first, then sub-layer prototypes (a list
    nothing fills in this system).
*/

/** The class name the platform's type name stands for: the decimal length prefix is
    removed (one character from a name of at most 10, two from one of 11 to 101,
    three from a longer one). */
juce::String classNameFromTypeName (const char* typeName);

/** Appends the layer to the effect prototypes (duplicates are not checked). */
void registerEffectPrototype (Layer* prototype);

/** A new layer cloned from the first effect prototype, then sub-layer prototype, whose
    class name equals name exactly; null when none matches. The caller owns it. */
Layer* createLayerByClassName (const juce::String& name);

/** The registered effect prototypes, in registration order. */
const std::vector<Layer*>& getEffectPrototypes();
