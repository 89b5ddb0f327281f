#pragma once

#include <juce_core/juce_core.h>

/** Finds the files shipped among the application's resources.

    Stands where a Mac application asks its main bundle for a resource path. When
    $SX_RESOURCE_DIR names a folder, only that folder is searched (tests point it at a
    temporary folder); otherwise the folder of the executable, its "resources"
    subfolder, and the install prefix above it ("resources" and "share/<name>").
*/
struct PlatformResources
{
    /** The existing file "name.type" among the resources, or a default File when
        there is none. An empty type looks for the bare name. */
    static juce::File findResource (const juce::String& name, const juce::String& type);

    /** The folders searched by findResource, in order. */
    static juce::Array<juce::File> getResourceFolders();
};
