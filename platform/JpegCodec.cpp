#include "JpegCodec.h"

#include "ExifMetadata.h"

#include <cstdio>
#include <jpeglib.h>
#include <jerror.h>

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstring>

namespace
{
    struct ErrorJump
    {
        jpeg_error_mgr manager;
        jmp_buf jump;
    };

    [[noreturn]] void jumpOnError (j_common_ptr info)
    {
        std::longjmp (reinterpret_cast<ErrorJump*> (info->err)->jump, 1);
    }

    void stayQuiet (j_common_ptr) {}

    /** Warnings pass, except the one for data that ends early: libjpeg would fill the
        missing rows with gray and call the picture complete. */
    void refuseTruncation (j_common_ptr info, int level)
    {
        if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF)
            std::longjmp (reinterpret_cast<ErrorJump*> (info->err)->jump, 1);
    }

    void installErrorJump (ErrorJump& error)
    {
        jpeg_std_error (&error.manager);
        error.manager.error_exit = jumpOnError;
        error.manager.output_message = stayQuiet;
        error.manager.emit_message = refuseTruncation;
    }

    // A hostile progressive stream can hold thousands of tiny scans, each a full pass
    // over the coefficients; no real encoder writes more than a few dozen.
    constexpr int maxScans = 500;

    void limitScans (j_common_ptr info)
    {
        if (info->is_decompressor && reinterpret_cast<j_decompress_ptr> (info)->input_scan_number > maxScans)
            std::longjmp (reinterpret_cast<ErrorJump*> (info->err)->jump, 1);
    }

    bool isCopyableMarker (int code) noexcept
    {
        return (code >= JPEG_APP0 && code <= JPEG_APP0 + 15) || code == JPEG_COM;
    }

    void readExif (const jpeg_decompress_struct& info, PlatformImage& image)
    {
        for (auto* m = info.marker_list; m != nullptr; m = m->next)
            if (m->marker == JPEG_APP0 + 1 && m->data_length > 6 && std::memcmp (m->data, "Exif\0\0", 6) == 0)
            {
                image.exifBlock.replaceAll (m->data, m->data_length);
                image.orientation = ExifMetadata::readOrientation (image.exifBlock);
                return;
            }
    }

    /** Each axis from the JFIF density when it states one, else from the Exif resolution,
        else 72. */
    void readDensity (const jpeg_decompress_struct& info, PlatformImage& image)
    {
        double x = 0, y = 0;
        if (info.saw_JFIF_marker && (info.density_unit == 1 || info.density_unit == 2))
        {
            const double scale = info.density_unit == 2 ? 2.54 : 1.0;
            x = info.X_density * scale;
            y = info.Y_density * scale;
        }
        if (x <= 0 || y <= 0)
        {
            const auto exif = ExifMetadata::readResolution (image.exifBlock);
            if (x <= 0) x = exif.x;
            if (y <= 0) y = exif.y;
        }
        image.resolutionX = x > 0 ? x : 72.0;
        image.resolutionY = y > 0 ? y : 72.0;
    }

    /** The libjpeg part of decode; C++ objects with destructors are made before setjmp. */
    bool decompress (const uint8_t* data, size_t size, PlatformImage& image, std::vector<uint8_t>& row)
    {
        jpeg_decompress_struct info {};
        ErrorJump error;
        installErrorJump (error);
        info.err = &error.manager;
        jpeg_progress_mgr progress {};
        progress.progress_monitor = limitScans;

        if (setjmp (error.jump))
        {
            jpeg_destroy_decompress (&info);
            return false;
        }

        jpeg_create_decompress (&info);
        info.progress = &progress;
        jpeg_mem_src (&info, data, (unsigned long) size);
        jpeg_save_markers (&info, JPEG_APP0 + 1, 0xffff);
        jpeg_read_header (&info, TRUE);

        const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
        info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;

        if (! image.allocate ((int) std::min<JDIMENSION> (info.image_width, 0x7fffffff),
                              (int) std::min<JDIMENSION> (info.image_height, 0x7fffffff)))
        {
            jpeg_destroy_decompress (&info);
            return false;
        }

        jpeg_start_decompress (&info);
        if (info.output_width != (JDIMENSION) image.width || info.output_components != (cmyk ? 4 : 3))
            std::longjmp (error.jump, 1);

        row.resize ((size_t) image.width * 4);
        JSAMPROW rowPointer = row.data();
        // CMYK behind an APP14 colour-transform marker is stored inverted, and libjpeg hands it back so.
        const bool inverted = info.saw_Adobe_marker;

        while (info.output_scanline < info.output_height)
        {
            const int y = (int) info.output_scanline;
            if (jpeg_read_scanlines (&info, &rowPointer, 1) != 1)
                break;
            uint8_t* d = image.getRow (y);
            const uint8_t* s = row.data();
            for (int x = 0; x < image.width; ++x, d += 4)
            {
                if (cmyk)
                {
                    int c = s[0], m = s[1], yy = s[2], k = s[3];
                    if (! inverted)
                    {
                        c = 255 - c; m = 255 - m; yy = 255 - yy; k = 255 - k;
                    }
                    d[0] = (uint8_t) ((c * k + 127) / 255);
                    d[1] = (uint8_t) ((m * k + 127) / 255);
                    d[2] = (uint8_t) ((yy * k + 127) / 255);
                    s += 4;
                }
                else
                {
                    d[0] = s[0]; d[1] = s[1]; d[2] = s[2];
                    s += 3;
                }
                d[3] = 255;
            }
        }

        readExif (info, image);
        readDensity (info, image);
        jpeg_finish_decompress (&info);
        jpeg_destroy_decompress (&info);
        return true;
    }

    bool compress (const PlatformImage& image, const JpegCodec::WriteSettings& settings,
                   uint8_t* row, unsigned char** output, unsigned long* outputSize)
    {
        jpeg_compress_struct info {};
        ErrorJump error;
        installErrorJump (error);
        info.err = &error.manager;

        if (setjmp (error.jump))
        {
            jpeg_destroy_compress (&info);
            return false;
        }

        jpeg_create_compress (&info);
        jpeg_mem_dest (&info, output, outputSize);

        info.image_width = (JDIMENSION) image.width;
        info.image_height = (JDIMENSION) image.height;
        info.input_components = 3;
        info.in_color_space = JCS_RGB;
        jpeg_set_defaults (&info);

        info.write_JFIF_header = TRUE;
        info.density_unit = 1;
        info.X_density = JpegCodec::clampDensity (settings.densityX);
        info.Y_density = JpegCodec::clampDensity (settings.densityY);
        info.dct_method = JDCT_FLOAT;
        info.optimize_coding = TRUE;
        jpeg_set_quality (&info, std::clamp (settings.quality, 1, 100), TRUE);

        jpeg_start_compress (&info, TRUE);

        for (const auto& marker : settings.markers)
            if (isCopyableMarker (marker.code) && marker.data.getSize() <= JpegCodec::maxMarkerData)
                jpeg_write_marker (&info, marker.code, static_cast<const JOCTET*> (marker.data.getData()),
                                   (unsigned int) marker.data.getSize());

        JSAMPROW rowPointer = row;
        while (info.next_scanline < info.image_height)
        {
            const uint8_t* s = image.getRow ((int) info.next_scanline);
            for (int x = 0; x < image.width; ++x, s += 4)
                std::memcpy (row + (size_t) x * 3, s, 3);
            jpeg_write_scanlines (&info, &rowPointer, 1);
        }

        jpeg_finish_compress (&info);
        jpeg_destroy_compress (&info);
        return true;
    }
}

bool JpegCodec::hasSignature (const void* data, size_t size) noexcept
{
    const auto* b = static_cast<const uint8_t*> (data);
    return size >= 3 && b[0] == 0xff && b[1] == 0xd8 && b[2] == 0xff;
}

std::optional<PlatformImage> JpegCodec::decode (const void* data, size_t size)
{
    if (! hasSignature (data, size))
        return std::nullopt;

    PlatformImage image;
    std::vector<uint8_t> row;
    if (! decompress (static_cast<const uint8_t*> (data), size, image, row))
        return std::nullopt;
    return image;
}

uint16_t JpegCodec::clampDensity (double dotsPerInch) noexcept
{
    if (! (dotsPerInch >= 1.0))
        return 1;
    return dotsPerInch >= 65535.0 ? (uint16_t) 65535 : (uint16_t) dotsPerInch;
}

bool JpegCodec::encode (const PlatformImage& image, const WriteSettings& settings, juce::OutputStream& out)
{
    if (! image.isValid())
        return false;

    std::vector<uint8_t> row ((size_t) image.width * 3);
    unsigned char* output = nullptr;
    unsigned long outputSize = 0;
    const bool ok = compress (image, settings, row.data(), &output, &outputSize);
    const bool written = ok && out.write (output, outputSize);
    std::free (output);
    return written;
}
