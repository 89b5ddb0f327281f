#include "WatercolorPaperAndBorder.h"

#include "ResourceArchive.h"

namespace
{
    SxRef<SxImageRgbaBytes> loadOrFirst (const juce::String& group, const juce::String& name, bool firstIsFallback)
    {
        if (auto image = loadArchiveRgbaImage (group, name))
            return image;
        if (! firstIsFallback)
            return {};
        const auto names = getArchiveItemNames (group, true);
        if (names.isEmpty())
            return {};
        return loadArchiveRgbaImage (group, names[0]);
    }
}

bool WatercolorPaperAndBorder::usesPaper (const WatercolorSettings& settings, const WatercolorCaches& caches) noexcept
{
    return settings.backgroundStyleMode == 1 && caches.paperImage && caches.paperImage->width > 0
            && caches.paperImage->height > 0;
}

void loadPaperAndBorderImages (WatercolorCaches& caches, const WatercolorSettings& settings, float)
{
    if (settings.edgeFileName.isNotEmpty() && ! caches.paperImage)
        caches.paperImage = loadOrFirst ("Tolva_Backgrounds", settings.edgeFileName, true);

    if (settings.borderFileName.isNotEmpty() && ! caches.borderImage)
        caches.borderImage = loadOrFirst ("Tolva_Borders", settings.borderFileName,
                                          settings.borderFileName != WatercolorPaperAndBorder::noBorderName);
}
