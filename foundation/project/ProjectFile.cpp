#include "ProjectFile.h"

#include "AtomicFileWriter.h"
#include "ImageBlob.h"
#include "PlatformImage.h"
#include "ProjectThumbnail.h"
#include "PropertyValues.h"
#include "SettingsFileHeader.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace
{
    /** Room for everything but the picture: the layer stack with its masks (a few
        megabytes at most), the colour history and the thumbnail. */
    constexpr int64_t settingsAllowance = (int64_t) 64 << 20;

    /** Nested records deeper than this are left to their own readers. */
    constexpr int maxCheckedNesting = 8;

    juce::Result refuse (const char* reason)
    {
        return juce::Result::fail (reason);
    }

    /** Dots per inch; anything but a positive number counts as none. */
    double usableResolution (double dotsPerInch)
    {
        return std::isfinite (dotsPerInch) && dotsPerInch > 0.0 ? dotsPerInch : ProjectFile::defaultResolution;
    }

    double resolutionOf (const juce::PropertySet& set, const char* key)
    {
        return usableResolution (set.getDoubleValue (key, ProjectFile::defaultResolution));
    }

    bool isStorable (const SxImageRgbaBytes& picture)
    {
        return picture.width > 0 && picture.height > 0 && picture.pixels != nullptr
            && picture.width <= ImageBlob::maxSide && picture.height <= ImageBlob::maxSide
            && (size_t) picture.width * (size_t) picture.height <= PlatformImage::getPixelLimit();
    }

    /** A value that some reader will parse as XML: it opens and closes a tag. */
    bool looksLikeXml (const juce::String& text)
    {
        // The first character decides for the long values (the picture's text) at once.
        if (*text.getCharPointer().findEndOfWhitespace() != '<')
            return false;
        return text.trimEnd().endsWithChar ('>');
    }

    /** True when every value that looks like XML, and every such text nested in one, down
        to maxCheckedNesting levels, is read by the hardened reader. */
    bool nestedXmlIsReadable (const juce::StringArray& values)
    {
        struct Pending { juce::String text; int depth; };
        std::vector<Pending> pending;
        for (const auto& value : values)
            if (looksLikeXml (value))
                pending.push_back ({ value, 1 });

        while (! pending.empty())
        {
            const auto item = std::move (pending.back());
            pending.pop_back();

            const auto root = SxPropertySet::parseXmlText (item.text);
            if (root == nullptr)
                return false;
            if (item.depth >= maxCheckedNesting)
                continue;

            // Every text of the tree, without recursion (the reader caps the depth, not us).
            std::vector<const juce::XmlElement*> elements { root.get() };
            while (! elements.empty())
            {
                const auto* element = elements.back();
                elements.pop_back();
                for (const auto* child : element->getChildIterator())
                {
                    if (child->isTextElement())
                    {
                        if (looksLikeXml (child->getText()))
                            pending.push_back ({ child->getText(), item.depth + 1 });
                    }
                    else
                    {
                        elements.push_back (child);
                    }
                }
            }
        }
        return true;
    }

    /** The picture's blob, checked: the reason in plain words when it cannot be the
        document's picture. */
    juce::Result readPicture (juce::InputStream& compressed, SxRef<SxImageRgbaBytes>& picture)
    {
        auto content = ImageBlob::read (compressed, 4, PlatformImage::getPixelLimit());
        using Result = ImageBlob::Content::Result;

        if (content.result == Result::noWidth || content.result == Result::noHeight)
            return refuse ("The picture in the project is empty or damaged.");
        if (content.result == Result::refused)
            return PlatformImage::isAcceptableSize (content.width, content.height)
                       ? refuse ("The picture in the project is damaged.")
                       : juce::Result::fail ("The picture in the project is too large ("
                                             + juce::String (content.width) + " x " + juce::String (content.height)
                                             + " pixels).");
        if (content.cut)
            return refuse ("The picture in the project is cut short.");
        if (content.trailingBytes)
            return refuse ("The picture in the project is damaged: it holds more pixels than its size says.");

        SxRef<SxImageRgbaBytes> image (new SxImageRgbaBytes());
        image->pixels = content.pixels.release();
        image->width = content.width;
        image->height = content.height;
        image->ownsPixels = true;
        picture = std::move (image);
        return juce::Result::ok();
    }

    /** The picture of a VER2 or VER3 stream, under "ORIG_IMAGE_data". */
    juce::Result readPictureEntry (const SxPropertySet& set, SxRef<SxImageRgbaBytes>& picture)
    {
        const auto text = set.getValue (ImageBlob::entryKey (ProjectFile::imageKey));
        if (text.isEmpty())
            return refuse ("The project holds no picture.");
        juce::MemoryBlock compressed;
        if (! ImageBlob::decodeBase64 (text, compressed))
            return refuse ("The picture in the project is damaged.");
        juce::MemoryInputStream in (compressed, false);
        return readPicture (in, picture);
    }

    /** The older form's picture block at the stream's position: "IMAG", a byte count and
        that many compressed bytes, or the compressed bytes alone. */
    juce::Result readPictureBlock (juce::InputStream& in, SxRef<SxImageRgbaBytes>& picture)
    {
        constexpr int marker = 0x47414D49; // "IMAG"
        const auto start = in.getPosition();
        if (in.getNumBytesRemaining() < 4)
            return refuse ("The project holds no picture.");

        if (in.readInt() != marker)
        {
            in.setPosition (start);
            return readPicture (in, picture);
        }

        const int length = in.readInt();
        if (length <= 0 || length > in.getNumBytesRemaining())
            return refuse ("The picture in the project is cut short.");
        juce::MemoryBlock compressed;
        if (in.readIntoMemoryBlock (compressed, length) != (size_t) length)
            return refuse ("The picture in the project is cut short.");
        juce::MemoryInputStream block (compressed, false);
        return readPicture (block, picture);
    }

    /** The zero-ended text of the older form, or false when the data ends first. */
    bool readTerminatedText (juce::InputStream& in, juce::MemoryBlock& text)
    {
        juce::MemoryOutputStream collected (text, false);
        char chunk[65536];
        for (;;)
        {
            const auto position = in.getPosition();
            const int got = in.read (chunk, (int) sizeof (chunk));
            if (got <= 0)
                return false;
            if (const auto* zero = static_cast<const char*> (std::memchr (chunk, 0, (size_t) got)))
            {
                const auto used = (size_t) (zero - chunk);
                collected.write (chunk, used);
                in.setPosition (position + (int64_t) used + 1);
                return true;
            }
            collected.write (chunk, (size_t) got);
        }
    }

    /** The set to write (the document's keys, the picture's entry, the resolution) and the
        thumbnail's JPEG. */
    juce::Result prepare (const SxPropertySet& document, const SxImageRgbaBytes& picture, double resolutionX,
                          double resolutionY, const SxImageRgbaBytes& painting, SxPropertySet& set, juce::MemoryBlock& thumbnail)
    {
        if (picture.width <= 0 || picture.height <= 0 || picture.pixels == nullptr)
            return refuse ("There is no picture to save in the project.");
        if (! isStorable (picture))
            return juce::Result::fail ("The picture is too large for a project (" + juce::String (picture.width) + " x "
                                       + juce::String (picture.height) + " pixels; a side may have at most 65,535).");

        set = document;
        // Keys of an earlier project go to their place at the end.
        set.removeValue (ImageBlob::entryKey (ProjectFile::imageKey));
        set.removeValue (ProjectFile::widthResolutionKey);
        set.removeValue (ProjectFile::heightResolutionKey);

        if (! picture.writeToPropertySet (set, ProjectFile::imageKey))
            return refuse ("The picture could not be packed into the project.");
        setDoubleProperty (set, ProjectFile::widthResolutionKey, usableResolution (resolutionX));
        setDoubleProperty (set, ProjectFile::heightResolutionKey, usableResolution (resolutionY));

        thumbnail = ProjectThumbnail::makeJpeg (painting);
        if (thumbnail.isEmpty())
            return refuse ("The project's thumbnail could not be made.");
        return juce::Result::ok();
    }
}

//==============================================================================
int64_t ProjectFile::getMaxFileSize()
{
    // zlib's compressBound of the largest blob, as the base-64 text of the entry.
    const auto raw = (int64_t) PlatformImage::getPixelLimit() * 4 + 5;
    const auto deflated = raw + (raw >> 12) + (raw >> 14) + (raw >> 25) + 13;
    const auto text = 16 + (deflated * 4 + 2) / 3;
    return text + settingsAllowance;
}

juce::Result ProjectFile::read (const juce::File& file, Contents& contents)
{
    if (file.isDirectory())
        return refuse ("It is a folder, not a project.");
    if (! file.existsAsFile())
        return refuse ("The file does not exist.");

    juce::FileInputStream stream (file);
    if (! stream.openedOk())
        return juce::Result::fail ("The file cannot be read (" + stream.getStatus().getErrorMessage() + ").");
    juce::BufferedInputStream buffered (stream, 1 << 16);
    return read (buffered, stream.getTotalLength(), contents);
}

juce::Result ProjectFile::read (juce::InputStream& in, int64_t size, Contents& contents)
{
    if (size > getMaxFileSize())
        return refuse ("The file is larger than any project can be.");

    SettingsFileHeader header;
    if (const auto headerRead = SettingsFileHeader::read (in, size, header); headerRead.failed())
        return headerRead;

    Contents result;
    const bool older = header.form == SettingsFileHeader::Form::unmarked;
    if (older)
    {
        juce::MemoryBlock text;
        if (! in.setPosition (header.streamStart) || ! readTerminatedText (in, text))
            return refuse ("The file is not a project.");
        const auto xml = SxPropertySet::parseXmlText (juce::String::fromUTF8 (static_cast<const char*> (text.getData()), (int) text.getSize()));
        if (xml == nullptr)
            return refuse ("The file is not a project.");
        result.properties.restoreFromPlistXml (*xml);
    }
    else
    {
        if (! in.setPosition (header.streamStart))
            return refuse ("The file cannot be read.");
        juce::SubregionStream stream (&in, header.streamStart, header.streamEnd - header.streamStart, false);
        result.properties.readFromStream (stream);
    }

    if (! nestedXmlIsReadable (result.properties.getAllProperties().getAllValues()))
        return refuse ("The effect settings in the project are damaged or unsafe to read.");

    // The older form's picture block follows its text; the others hold it as an entry.
    if (const auto pictureRead = older ? readPictureBlock (in, result.picture) : readPictureEntry (result.properties, result.picture);
        pictureRead.failed())
        return pictureRead;
    result.properties.removeValue (ImageBlob::entryKey (imageKey));

    result.resolutionX = resolutionOf (result.properties, widthResolutionKey);
    result.resolutionY = resolutionOf (result.properties, heightResolutionKey);
    contents = std::move (result);
    return juce::Result::ok();
}

juce::Result ProjectFile::writeToStream (juce::OutputStream& out, const SxPropertySet& document, const SxImageRgbaBytes& picture,
                                         double resolutionX, double resolutionY, const SxImageRgbaBytes& painting)
{
    SxPropertySet set;
    juce::MemoryBlock thumbnail;
    if (const auto prepared = prepare (document, picture, resolutionX, resolutionY, painting, set, thumbnail); prepared.failed())
        return prepared;
    if (! SettingsFileHeader::writeWithThumbnail (out, set, thumbnail))
        return refuse ("The project could not be written.");
    return juce::Result::ok();
}

juce::Result ProjectFile::write (const juce::File& target, const SxPropertySet& document, const SxImageRgbaBytes& picture,
                                 double resolutionX, double resolutionY, const SxImageRgbaBytes& painting)
{
    // Everything that may refuse happens before the file system is touched.
    SxPropertySet set;
    juce::MemoryBlock thumbnail;
    if (const auto prepared = prepare (document, picture, resolutionX, resolutionY, painting, set, thumbnail); prepared.failed())
        return prepared;

    return AtomicFileWriter::replace (target, [&set, &thumbnail] (juce::OutputStream& out)
    {
        return SettingsFileHeader::writeWithThumbnail (out, set, thumbnail);
    });
}
