#pragma once

#include <juce_core/juce_core.h>

/** Serialises all work on the shared off-screen OpenGL context, and the renders that use it,
    across threads. Recursive: a render that holds it may run brush passes that take it again.
    Whichever thread holds it may make the shared context current.
*/
extern juce::CriticalSection brushRenderLock;
