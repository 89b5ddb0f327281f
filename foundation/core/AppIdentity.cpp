#include "AppIdentity.h"

juce::String AppIdentity::getAppName()
{
    return "Quenzella - Tolva";
}
