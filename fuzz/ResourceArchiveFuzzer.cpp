// The resource archive reader on arbitrary files: index, groups and item bounds.

#include "AppIdentity.h"
#include "ResourceArchive.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    static const juce::File folder = []
    {
        auto f = juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("sx-archive-fuzz-" + juce::String (::getpid()));
        f.createDirectory();
        ::setenv ("SX_RESOURCE_DIR", f.getFullPathName().toRawUTF8(), 1);
        return f;
    }();

    folder.getChildFile (AppIdentity::getAppName() + ".bin").replaceWithData (data, size);
    loadResourceArchiveIndex();

    for (const char* group : { "G", "Tolva_Backgrounds", "binaryFileVersion" })
    {
        getArchiveItemCount (group);
        for (const auto& name : getArchiveItemNames (group, true))
        {
            juce::MemoryBlock block;
            readArchiveItemBlock (group, name, block);
            loadArchiveGrayImage (group, ResourceArchive::reduceToFileStem (name));
        }
    }
    return 0;
}
