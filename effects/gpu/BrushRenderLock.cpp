#include "BrushRenderLock.h"

juce::CriticalSection brushRenderLock;
