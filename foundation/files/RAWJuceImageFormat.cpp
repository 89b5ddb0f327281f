#include "RAWJuceImageFormat.h"

#include "PlatformImage.h"

namespace juce
{

String RAWJuceImageFormat::getFormatName()
{
    return "JRA";
}

bool RAWJuceImageFormat::canUnderstand (InputStream& in)
{
    char header[3] = {};
    return in.read (header, 3) == 3 && header[0] == 'J' && header[1] == 'R' && header[2] == 'A';
}

bool RAWJuceImageFormat::usesFileExtension (const File& file)
{
    return file.hasFileExtension ("jra");
}

Image RAWJuceImageFormat::decodeImage (InputStream& in)
{
    char magic[3] = {};
    if (in.read (magic, 3) != 3)
        return {};
    const int width = in.readInt();
    const int height = in.readInt();
    const int alphaFlag = in.readInt();

    if ((alphaFlag != 0 && alphaFlag != 1) || ! PlatformImage::isAcceptableSize (width, height))
        return {};

    const int bytesPerPixel = alphaFlag == 1 ? 4 : 3;
    const auto rowBytes = (size_t) width * (size_t) bytesPerPixel;
    const auto blockBytes = rowBytes * (size_t) height;
    const auto remaining = in.getNumBytesRemaining();
    if (remaining >= 0 && (uint64) remaining < blockBytes)
        return {};

    Image image (alphaFlag == 1 ? Image::ARGB : Image::RGB, width, height, true, SoftwareImageType());
    Image::BitmapData bits (image, Image::BitmapData::writeOnly);
    bool readAnything = false;
    for (int y = 0; y < height; ++y)
    {
        const auto got = in.read (bits.getLinePointer (y), rowBytes);
        readAnything = readAnything || got > 0;
        // A stream of unknown length that ends early leaves the rest transparent.
        if (got < (int) rowBytes)
            break;
    }
    return readAnything ? image : Image();
}

bool RAWJuceImageFormat::writeImageToStream (const Image& source, OutputStream& out)
{
    const bool rgb = source.isValid() && source.getFormat() == Image::RGB;
    const auto image = (! source.isValid() || rgb) ? source : source.convertedToFormat (Image::ARGB);
    const int width = image.isValid() ? image.getWidth() : 0;
    const int height = image.isValid() ? image.getHeight() : 0;

    if (! (out.write ("JRA", 3) && out.writeInt (width) && out.writeInt (height) && out.writeInt (rgb ? 0 : 1)))
        return false;
    if (width == 0 || height == 0)
        return true;

    // Rows are written unpadded whatever the image's own line stride.
    const int bytesPerPixel = rgb ? 3 : 4;
    const auto rowBytes = (size_t) width * (size_t) bytesPerPixel;
    HeapBlock<uint8> block (rowBytes * (size_t) height);
    const Image::BitmapData bits (image, Image::BitmapData::readOnly);
    for (int y = 0; y < height; ++y)
    {
        const uint8* s = bits.getLinePointer (y);
        uint8* d = block + rowBytes * (size_t) y;
        for (int x = 0; x < width; ++x, s += bits.pixelStride, d += bytesPerPixel)
            memcpy (d, s, (size_t) bytesPerPixel);
    }
    return out.write (block, rowBytes * (size_t) height);
}

} // namespace juce
