#pragma once

#include <juce_graphics/juce_graphics.h>

struct PlatformImage;

/** The one way the system decodes image data into framework images, and the
    crossings between framework images and platform images that the codecs use.

    Decoding tries PNG, JPEG, GIF and then JRA, asking each format whether it
    understands the data and rewinding the stream after each question; embedded
    images, resource-archive images and image files all come through here.
*/
namespace ImageCodecs
{
    /** Decodes the rest of the stream; an invalid image when no format takes it. */
    juce::Image decodeImage (juce::InputStream& in);

    /** Decodes a block of memory; an invalid image when no format takes it. */
    juce::Image decodeImage (const void* data, size_t size);

    /** Decodes a file's contents; an invalid image when it cannot be read or decoded. */
    juce::Image decodeImageFile (const juce::File& file);

    /** A premultiplied ARGB framework image of a platform image; invalid for an empty one. */
    juce::Image imageFromPlatformImage (const PlatformImage& image);

    /** A straight-alpha platform image of any framework image (72 dpi). */
    PlatformImage platformImageFromImage (const juce::Image& image);
}
