#include "RawCameraDecoder.h"

#include "ExifMetadata.h"
#include "ImageRefusal.h"

#include <libraw/libraw.h>

#include <cstring>
#include <ctime>

namespace
{
    /** The shot as LibRaw read it from the file's own metadata; the picture it develops is
        already upright, so the block says Orientation 1. */
    juce::MemoryBlock cameraBlock (const LibRaw& raw)
    {
        ExifMetadata::CameraFacts facts;
        facts.make = juce::String (juce::CharPointer_UTF8 (raw.imgdata.idata.make)).trim();
        facts.model = juce::String (juce::CharPointer_UTF8 (raw.imgdata.idata.model)).trim();
        // LibRaw turned the stored local time into a time_t with mktime; localtime undoes it.
        const time_t stamp = raw.imgdata.other.timestamp;
        std::tm local {};
        char text[32] = {};
        if (stamp > 0 && localtime_r (&stamp, &local) != nullptr && std::strftime (text, sizeof (text), "%Y:%m:%d %H:%M:%S", &local) == 19)
            facts.dateTimeOriginal = text;
        facts.exposureSeconds = raw.imgdata.other.shutter;
        facts.fNumber = raw.imgdata.other.aperture;
        facts.isoSpeed = raw.imgdata.other.iso_speed;
        facts.focalLengthMillimetres = raw.imgdata.other.focal_len;
        return ExifMetadata::buildCameraBlock (facts);
    }

    void noteOpenFailure (int error)
    {
        if (error == LIBRAW_FILE_UNSUPPORTED)
            ImageRefusalNote::note (ImageRefusal::notAnImage);
        else if (error == LIBRAW_UNSUFFICIENT_MEMORY || error == LIBRAW_TOO_BIG)
            ImageRefusalNote::note (ImageRefusal::tooLarge);
    }

    std::optional<PlatformImage> develop (LibRaw& raw)
    {
        if (! PlatformImage::isAcceptableSize (raw.imgdata.sizes.width, raw.imgdata.sizes.height))
            return std::nullopt;

        raw.imgdata.params.use_camera_wb = 1;
        raw.imgdata.params.output_bps = 8;
        raw.imgdata.params.output_color = 1;
        if (const int error = raw.unpack(); error != LIBRAW_SUCCESS)
        {
            noteOpenFailure (error);
            return std::nullopt;
        }
        if (const int error = raw.dcraw_process(); error != LIBRAW_SUCCESS)
        {
            noteOpenFailure (error);
            return std::nullopt;
        }

        int error = 0;
        libraw_processed_image_t* developed = raw.dcraw_make_mem_image (&error);
        if (developed == nullptr)
            return std::nullopt;

        std::optional<PlatformImage> result;
        PlatformImage image;
        if (error == LIBRAW_SUCCESS && developed->type == LIBRAW_IMAGE_BITMAP && developed->bits == 8
            && (developed->colors == 3 || developed->colors == 1)
            && image.allocate (developed->width, developed->height)
            && developed->data_size >= (unsigned) image.width * (unsigned) image.height * developed->colors)
        {
            const uint8_t* s = developed->data;
            for (uint8_t* d = image.rgba.data(); d != image.rgba.data() + image.rgba.size(); d += 4, s += developed->colors)
            {
                d[0] = s[0];
                d[1] = developed->colors == 3 ? s[1] : s[0];
                d[2] = developed->colors == 3 ? s[2] : s[0];
                d[3] = 255;
            }
            image.exifBlock = cameraBlock (raw);
            result = std::move (image);
        }
        LibRaw::dcraw_clear_mem (developed);
        return result;
    }
}

bool RawCameraDecoder::isRawCameraFile (const juce::File& file)
{
    const auto extension = file.getFileExtension();
    return extension.equalsIgnoreCase (".nef") || extension.equalsIgnoreCase (".cr2");
}

std::optional<PlatformImage> RawCameraDecoder::decodeFile (const juce::File& file)
{
    auto raw = std::make_unique<LibRaw> (LIBRAW_OPIONS_NO_DATAERR_CALLBACK);
    if (const int error = raw->open_file (file.getFullPathName().toRawUTF8()); error != LIBRAW_SUCCESS)
    {
        noteOpenFailure (error);
        return std::nullopt;
    }
    return develop (*raw);
}

std::optional<PlatformImage> RawCameraDecoder::decode (const void* data, size_t size)
{
    auto raw = std::make_unique<LibRaw> (LIBRAW_OPIONS_NO_DATAERR_CALLBACK);
    if (const int error = raw->open_buffer (const_cast<void*> (data), size); error != LIBRAW_SUCCESS)
    {
        noteOpenFailure (error);
        return std::nullopt;
    }
    return develop (*raw);
}
