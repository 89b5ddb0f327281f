#include "SxPropertySet.h"

#include "PropertyValues.h"
#include "XmlTextReader.h"

#include <cstring>
#include <string>

namespace
{
    /** Read-ahead size of the stream reader; long values (image entries) are also
        collected in steps of this size. */
    constexpr int readBufferSize = 231072;

    /** Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF. */
    bool isValidUtf8 (const std::string& bytes) noexcept
    {
        const auto* s = reinterpret_cast<const unsigned char*> (bytes.data());
        const size_t n = bytes.size();
        size_t i = 0;

        while (i < n)
        {
            const unsigned char c = s[i];
            if (c < 0x80) { ++i; continue; }

            int extra;
            uint32_t code, minimum;
            if      ((c & 0xe0) == 0xc0) { extra = 1; code = c & 0x1fu; minimum = 0x80; }
            else if ((c & 0xf0) == 0xe0) { extra = 2; code = c & 0x0fu; minimum = 0x800; }
            else if ((c & 0xf8) == 0xf0) { extra = 3; code = c & 0x07u; minimum = 0x10000; }
            else return false;

            if (n - i <= (size_t) extra)
                return false;
            for (int k = 1; k <= extra; ++k)
            {
                if ((s[i + (size_t) k] & 0xc0) != 0x80)
                    return false;
                code = (code << 6) | (s[i + (size_t) k] & 0x3fu);
            }
            if (code < minimum || code > 0x10ffff || (code >= 0xd800 && code <= 0xdfff))
                return false;
            i += (size_t) extra + 1;
        }
        return true;
    }

    /** UTF-8 text as it is, anything else taken as Latin-1 (so no byte is lost). */
    juce::String textFromBytes (const std::string& bytes)
    {
        if (isValidUtf8 (bytes))
            return juce::String (juce::CharPointer_UTF8 (bytes.data()), juce::CharPointer_UTF8 (bytes.data() + bytes.size()));

        std::string utf8;
        utf8.reserve (bytes.size() * 2);
        for (const char ch : bytes)
        {
            const auto b = (unsigned char) ch;
            if (b < 0x80)
            {
                utf8 += ch;
            }
            else
            {
                utf8 += (char) (0xc0 | (b >> 6));
                utf8 += (char) (0x80 | (b & 0x3f));
            }
        }
        return juce::String (juce::CharPointer_UTF8 (utf8.data()), juce::CharPointer_UTF8 (utf8.data() + utf8.size()));
    }

    /** Buffered reading of zero-terminated strings that hands unused read-ahead back
        to the source, so a caller finds the source just after the bytes consumed. */
    class TerminatedStringReader
    {
    public:
        explicit TerminatedStringReader (juce::InputStream& s) : source (s) {}

        ~TerminatedStringReader()
        {
            const int unused = end - position;
            if (unused > 0)
                source.setPosition (source.getPosition() - unused);
        }

        /** Little-endian int32; 0 when fewer than four bytes are left. */
        int readInt32()
        {
            uint8_t bytes[4];
            for (auto& b : bytes)
            {
                if (! fill())
                    return 0;
                b = (uint8_t) buffer[position++];
            }
            return (int) juce::ByteOrder::littleEndianInt (bytes);
        }

        bool isExhausted() { return ! fill(); }

        /** Bytes up to (not including) the next 0 byte, or up to the end of the data. */
        std::string readString()
        {
            std::string bytes;
            while (fill())
            {
                const char* start = buffer.get() + position;
                const auto* zero = static_cast<const char*> (std::memchr (start, 0, (size_t) (end - position)));
                if (zero != nullptr)
                {
                    bytes.append (start, (size_t) (zero - start));
                    position += (int) (zero - start) + 1;
                    break;
                }
                if (bytes.capacity() - bytes.size() < (size_t) (end - position))
                    bytes.reserve (bytes.capacity() + (size_t) readBufferSize);
                bytes.append (start, (size_t) (end - position));
                position = end;
            }
            return bytes;
        }

    private:
        juce::InputStream& source;
        juce::HeapBlock<char> buffer { (size_t) readBufferSize };
        int position = 0;
        int end = 0;

        bool fill()
        {
            if (position < end)
                return true;
            position = 0;
            end = juce::jmax (0, source.read (buffer.get(), readBufferSize));
            return end > 0;
        }

        JUCE_DECLARE_NON_COPYABLE (TerminatedStringReader)
    };

    juce::String indexedKey (const char* stem, int index)
    {
        return juce::String (stem) + juce::String (index);
    }
}

//==============================================================================
SxPropertySet::SxPropertySet()
    : juce::PropertySet (false)
{
}

SxPropertySet::SxPropertySet (const SxPropertySet& other)
    : juce::PropertySet (false)
{
    const juce::ScopedLock sl (other.getLock());
    juce::PropertySet::operator= (other);
    copyAttachmentsFrom (other);
}

SxPropertySet& SxPropertySet::operator= (const SxPropertySet& other)
{
    if (this == &other)
        return *this;

    // Both locks, always in the same order, so two opposite assignments cannot deadlock.
    const bool thisFirst = this < &other;
    const juce::ScopedLock first ((thisFirst ? *this : other).getLock());
    const juce::ScopedLock second ((thisFirst ? other : *this).getLock());

    images.clear();
    imagePaths.clear();
    alphaImages.clear();
    alphaImagePaths.clear();
    childSets.clear();
    childSetNames.clear();
    copyAttachmentsFrom (other);
    juce::PropertySet::operator= (other);
    return *this;
}

SxPropertySet::~SxPropertySet() = default;

void SxPropertySet::copyAttachmentsFrom (const SxPropertySet& other)
{
    images = other.images;
    imagePaths = other.imagePaths;
    alphaImages = other.alphaImages;
    alphaImagePaths = other.alphaImagePaths;
    childSets = other.childSets;
    childSetNames = other.childSetNames;
}

const juce::StringPairArray& SxPropertySet::pairs() const noexcept
{
    // The framework offers the pairs only through a non-const accessor.
    return const_cast<SxPropertySet&> (*this).getAllProperties();
}

//==============================================================================
void SxPropertySet::addImage (SxImageRgbaBytes& image, const juce::String& path)
{
    const juce::ScopedLock sl (getLock());
    if (imagePaths.contains (path))
        return;
    images.push_back (SxRef<SxImageRgbaBytes>::share (&image));
    imagePaths.add (path);
}

void SxPropertySet::addAlphaImage (SxImageAlphaByte& image, const juce::String& path)
{
    const juce::ScopedLock sl (getLock());
    if (alphaImagePaths.contains (path))
        return;
    alphaImages.push_back (SxRef<SxImageAlphaByte>::share (&image));
    alphaImagePaths.add (path);
}

void SxPropertySet::addChildSet (const SxPropertySet& child, const juce::String& name)
{
    const juce::ScopedLock sl (getLock());
    if (childSetNames.contains (name))
        return;
    childSets.push_back (child);
    childSetNames.add (name);
}

SxPropertySet SxPropertySet::getChildSet (const juce::String& name) const
{
    const juce::ScopedLock sl (getLock());
    const int index = childSetNames.indexOf (name);
    return index >= 0 ? childSets[(size_t) index] : SxPropertySet();
}

//==============================================================================
void SxPropertySet::writeToStream (juce::OutputStream& stream) const
{
    const juce::ScopedLock sl (getLock());
    const auto& all = pairs();
    stream.writeInt (all.size());
    for (int i = 0; i < all.size(); ++i)
    {
        stream.writeString (all.getAllKeys()[i]);
        stream.writeString (all.getAllValues()[i]);
    }
}

void SxPropertySet::readFromStream (juce::InputStream& stream)
{
    TerminatedStringReader reader (stream);
    const int count = reader.readInt32();

    // The count only bounds the loop; storage grows with the bytes that actually arrive.
    for (int i = 0; i < count; ++i)
    {
        if (reader.isExhausted())
            break;
        const auto key = reader.readString();
        const auto value = reader.readString();
        if (key.empty())
            continue;

        const juce::ScopedLock sl (getLock());
        getAllProperties().set (textFromBytes (key), textFromBytes (value));
    }
}

//==============================================================================
std::unique_ptr<juce::XmlElement> SxPropertySet::createPlistXml() const
{
    SxPropertySet copy (*this);

    if (! copy.images.empty())
    {
        setIntProperty (copy, "propertyImageCount", (int) copy.images.size());
        for (size_t i = 0; i < copy.images.size(); ++i)
        {
            copy.images[i]->writeToPropertySet (copy, indexedKey ("propertyImage", (int) i));
            setStringProperty (copy, indexedKey ("propertyPath", (int) i), copy.imagePaths[(int) i]);
        }
    }

    if (! copy.alphaImages.empty())
    {
        setIntProperty (copy, "propertyAlphaImageCount", (int) copy.alphaImages.size());
        for (size_t i = 0; i < copy.alphaImages.size(); ++i)
        {
            copy.alphaImages[i]->writeToPropertySet (copy, indexedKey ("propertyAlphaImage", (int) i));
            setStringProperty (copy, indexedKey ("propertyAlphaPath", (int) i), copy.alphaImagePaths[(int) i]);
        }
    }

    auto plist = std::make_unique<juce::XmlElement> ("plist");
    auto* dict = plist->createNewChildElement ("dict");
    const auto& all = copy.pairs();
    for (int i = 0; i < all.size(); ++i)
    {
        dict->createNewChildElement ("key")->addTextElement (all.getAllKeys()[i]);
        dict->createNewChildElement ("string")->addTextElement (all.getAllValues()[i]);
    }
    return plist;
}

void SxPropertySet::restoreFromPlistXml (const juce::XmlElement& root)
{
    const juce::ScopedLock sl (getLock());
    auto& all = getAllProperties();
    all.clear();

    // Tag names play no part: the first child element holds the pairs by position.
    const auto nextElement = [] (const juce::XmlElement* e)
    {
        while (e != nullptr && e->isTextElement())
            e = e->getNextElement();
        return e;
    };

    if (const auto* dict = nextElement (root.getFirstChildElement()))
    {
        for (auto* keyElement = nextElement (dict->getFirstChildElement()); keyElement != nullptr;)
        {
            const auto* valueElement = nextElement (keyElement->getNextElement());
            all.set (keyElement->getAllSubText(), valueElement != nullptr ? valueElement->getAllSubText() : juce::String());
            keyElement = valueElement != nullptr ? nextElement (valueElement->getNextElement()) : nullptr;
        }
    }

    // Every image needs two keys of its own, so a count beyond the pairs is damage.
    const int imageCount = juce::jmin (getIntValue ("propertyImageCount"), all.size());
    for (int i = 0; i < imageCount; ++i)
    {
        const auto key = indexedKey ("propertyImage", i);
        const auto pathKey = indexedKey ("propertyPath", i);
        if (auto image = SxImageRgbaBytes::readFromPropertySet (*this, key))
            addImage (*image, getValue (pathKey));
        all.remove (juce::StringRef (key + "_data"));
        all.remove (juce::StringRef (pathKey));
    }

    const int alphaCount = juce::jmin (getIntValue ("propertyAlphaImageCount"), all.size());
    for (int i = 0; i < alphaCount; ++i)
    {
        const auto key = indexedKey ("propertyAlphaImage", i);
        const auto pathKey = indexedKey ("propertyAlphaPath", i);
        if (auto image = SxImageAlphaByte::readFromPropertySet (*this, key))
            addAlphaImage (*image, getValue (pathKey));
        all.remove (juce::StringRef (key + "_data"));
        all.remove (juce::StringRef (pathKey));
    }
}

std::unique_ptr<juce::XmlElement> SxPropertySet::parseXmlText (const juce::String& text)
{
    return XmlTextReader::parse (text);
}

//==============================================================================
void SxPropertySet::writeAsRecord (juce::PropertySet& outer, juce::StringRef key) const
{
    setXmlProperty (outer, key, *createPlistXml());
}

std::optional<SxPropertySet> SxPropertySet::readRecord (const juce::PropertySet& outer, juce::StringRef key)
{
    const auto xml = parseXmlText (outer.getValue (key));
    if (xml == nullptr)
        return std::nullopt;
    SxPropertySet record;
    record.restoreFromPlistXml (*xml);
    return record;
}
