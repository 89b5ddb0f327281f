#include "ResourceArchive.h"

#include "AppIdentity.h"
#include "ImageCodecs.h"
#include "PlatformResources.h"
#include "SxPropertySet.h"

#include <memory>
#include <mutex>
#include <vector>

namespace
{
    struct ResourceArchiveGroup
    {
        int32_t count = 0;
        juce::String groupName;
        juce::StringArray itemNames;
        std::vector<int32_t> sizes;
        std::vector<int32_t> locations;
    };

    struct Registry
    {
        std::vector<ResourceArchiveGroup> groups;
        int binaryFileVersion = 0;
    };

    // Filled once under the lock and then only read: lookups take a snapshot of the
    // pointer, so a reload never pulls a registry from under a render thread.
    std::mutex registryLock;
    std::shared_ptr<const Registry> registry;

    int64_t readInt64 (juce::InputStream& in)
    {
        uint8_t b[8] = {};
        if (in.read (b, 8) != 8)
            return 0;
        uint64_t v = 0;
        for (int i = 7; i >= 0; --i)
            v = (v << 8) | b[i];
        return (int64_t) v;
    }

    std::shared_ptr<const Registry> buildRegistry()
    {
        auto fresh = std::make_shared<Registry>();
        const auto file = ResourceArchive::getArchiveFile();
        juce::FileInputStream in (file);
        if (! in.openedOk())
            return fresh;

        const int64_t fileLength = in.getTotalLength();
        if (! in.setPosition (0))
            return fresh;
        const auto indexOffset = (int32_t) (uint32_t) (uint64_t) readInt64 (in);
        if (indexOffset < 8 || (int64_t) indexOffset + 8 > fileLength || ! in.setPosition (indexOffset))
            return fresh;
        const auto indexLength = (int64_t) (uint32_t) (uint64_t) readInt64 (in);
        // The index must lie wholly inside the file: a length past its end is corrupt.
        if (indexLength <= 0 || indexOffset + 8 + indexLength > fileLength)
            return fresh;

        juce::MemoryBlock indexBytes;
        if (in.readIntoMemoryBlock (indexBytes, (ssize_t) indexLength) != (size_t) indexLength)
            return fresh;

        SxPropertySet index;
        juce::MemoryInputStream indexStream (indexBytes, false);
        index.readFromStream (indexStream);

        fresh->binaryFileVersion = index.getIntValue ("binaryFileVersion", 0);

        const auto& pairs = index.getAllProperties();
        for (int k = 0; k < pairs.size(); ++k)
        {
            ResourceArchiveGroup group;
            group.groupName = pairs.getAllKeys()[k];

            if (auto xml = SxPropertySet::parseXmlText (pairs.getAllValues()[k]))
            {
                SxPropertySet set;
                set.restoreFromPlistXml (*xml);
                // A count beyond the pairs present describes nothing but defaults: a
                // hostile index must not make the registry grow without bound.
                const int count = juce::jlimit (0, set.getAllProperties().size(), set.getIntValue ("Count", 0));
                for (int i = 0; i < count; ++i)
                {
                    const auto suffix = juce::String (i);
                    group.itemNames.add (set.getValue ("Name" + suffix, {}));
                    group.locations.push_back (set.getIntValue ("Location" + suffix, 0));
                    group.sizes.push_back (set.getIntValue ("Size" + suffix, 0));
                }
                group.count = juce::jmax (0, count);
            }
            fresh->groups.push_back (std::move (group));
        }
        return fresh;
    }

    std::shared_ptr<const Registry> currentRegistry()
    {
        std::lock_guard<std::mutex> lock (registryLock);
        if (registry == nullptr || registry->groups.empty())
            registry = buildRegistry();
        return registry;
    }

    struct ItemRef
    {
        int32_t location = 0;
        int32_t size = 0;
    };

    bool findItem (const Registry& reg, const juce::String& group, const juce::String& name, ItemRef& found)
    {
        for (const auto& g : reg.groups)
        {
            if (g.groupName != group)
                continue;
            for (int i = 0; i < g.count; ++i)
            {
                const auto& itemName = g.itemNames[i];
                if (itemName == name || ResourceArchive::reduceToFileStem (itemName) == name)
                {
                    found = { g.locations[(size_t) i], g.sizes[(size_t) i] };
                    return true;
                }
            }
        }
        return false;
    }
}

//==============================================================================
juce::File ResourceArchive::getArchiveFile()
{
    return PlatformResources::findResource (AppIdentity::getAppName(), "bin");
}

juce::String ResourceArchive::reduceToFileStem (const juce::String& name)
{
    const int slash = name.lastIndexOfChar ('/');
    const auto file = slash >= 0 ? name.substring (slash + 1) : name;
    const int dot = file.lastIndexOfChar ('.');
    return dot >= 0 ? file.substring (0, dot) : file;
}

void loadResourceArchiveIndex()
{
    auto fresh = buildRegistry();
    std::lock_guard<std::mutex> lock (registryLock);
    registry = std::move (fresh);
}

int32_t getArchiveItemCount (const juce::String& group)
{
    const auto reg = currentRegistry();
    for (const auto& g : reg->groups)
        if (g.groupName == group)
            return g.count;
    return 0;
}

juce::StringArray getArchiveItemNames (const juce::String& group, bool keepExtensions)
{
    const auto reg = currentRegistry();
    juce::StringArray names;
    for (const auto& g : reg->groups)
        if (g.groupName == group)
            for (const auto& n : g.itemNames)
                names.add (keepExtensions ? n : ResourceArchive::reduceToFileStem (n));
    return names;
}

bool readResourceArchiveEntry (const juce::String& group, const juce::String& name,
                               juce::HeapBlock<uint8_t>& bytes, int32_t& size)
{
    const auto reg = currentRegistry();
    ItemRef item;
    if (! findItem (*reg, group, name, item))
        return false;

    juce::FileInputStream in (ResourceArchive::getArchiveFile());
    if (! in.openedOk())
        return false;

    // An item reaching outside the file comes from a corrupt index: refuse it rather
    // than allocate what the index claims.
    if (item.location < 0 || item.size < 0
         || (int64_t) item.location + item.size > in.getTotalLength()
         || ! in.setPosition (item.location))
        return false;

    juce::HeapBlock<uint8_t> data ((size_t) juce::jmax (1, item.size));
    if (in.read (data.get(), item.size) != item.size)
        return false;

    if (reg->binaryFileVersion > 0)
        for (int32_t i = 0; i < item.size; ++i)
            data[i] ^= ResourceArchive::resourceArchiveKey;

    bytes.swapWith (data);
    size = item.size;
    return true;
}

juce::Image loadArchiveImage (const juce::String& group, const juce::String& name)
{
    juce::HeapBlock<uint8_t> bytes;
    int32_t size = 0;
    if (! readResourceArchiveEntry (group, name, bytes, size) || size <= 4)
        return {};
    return ImageCodecs::decodeImage (bytes.get(), (size_t) size);
}

SxRef<SxImageRgbaBytes> loadArchiveRgbaImage (const juce::String& group, const juce::String& name)
{
    const auto image = loadArchiveImage (group, name);
    if (! image.isValid())
        return {};
    return SxRef<SxImageRgbaBytes> (new SxImageRgbaBytes (image));
}

SxRef<SxImageAlphaByte> loadArchiveGrayImage (const juce::String& group, const juce::String& name)
{
    const auto colour = loadArchiveRgbaImage (group, name);
    if (! colour)
        return {};
    SxRef<SxImageAlphaByte> gray (new SxImageAlphaByte (0, 0));
    gray->setFromRgba (*colour);
    return gray;
}

bool readArchiveItemBlock (const juce::String& group, const juce::String& name, juce::MemoryBlock& block)
{
    juce::HeapBlock<uint8_t> bytes;
    int32_t size = 0;
    if (! readResourceArchiveEntry (group, name, bytes, size))
        return false;
    block.replaceAll (bytes.get(), (size_t) size);
    return true;
}
