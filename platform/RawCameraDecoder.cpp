#include "RawCameraDecoder.h"

#include <libraw/libraw.h>

#include <cstring>

namespace
{
    std::optional<PlatformImage> develop (LibRaw& raw)
    {
        if (! PlatformImage::isAcceptableSize (raw.imgdata.sizes.width, raw.imgdata.sizes.height))
            return std::nullopt;

        raw.imgdata.params.use_camera_wb = 1;
        raw.imgdata.params.output_bps = 8;
        raw.imgdata.params.output_color = 1;
        if (raw.unpack() != LIBRAW_SUCCESS || raw.dcraw_process() != LIBRAW_SUCCESS)
            return std::nullopt;

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
    if (raw->open_file (file.getFullPathName().toRawUTF8()) != LIBRAW_SUCCESS)
        return std::nullopt;
    return develop (*raw);
}

std::optional<PlatformImage> RawCameraDecoder::decode (const void* data, size_t size)
{
    auto raw = std::make_unique<LibRaw> (LIBRAW_OPIONS_NO_DATAERR_CALLBACK);
    if (raw->open_buffer (const_cast<void*> (data), size) != LIBRAW_SUCCESS)
        return std::nullopt;
    return develop (*raw);
}
