#pragma once

#include <juce_core/juce_core.h>

/** The application's name, which also names its folder under the user's data folder.

    This is what the main component's getAppName returns; the foundation keeps it here
    because it may not reach up to the application shell. The application's own files
    (the image swap file among them) live in
    PlatformPaths::getApplicationDataFolder (AppIdentity::getAppName()).
*/
struct AppIdentity
{
    /** "Quenzella - Tolva". */
    static juce::String getAppName();
};
