#include "Jpeg2000Codec.h"

#include "ExifMetadata.h"

#include <openjpeg.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

namespace
{
    using Bytes = std::vector<uint8_t>;

    constexpr int tileSide = 2048;
    constexpr uint8_t signature[12] = { 0, 0, 0, 12, 'j', 'P', ' ', ' ', 0x0d, 0x0a, 0x87, 0x0a };
    constexpr uint8_t exifUuid[16] = { 'J', 'p', 'g', 'T', 'i', 'f', 'f', 'E', 'x', 'i', 'f', '-', '>', 'J', 'P', '2' };

    struct CodecDeleter { void operator() (opj_codec_t* c) const noexcept { opj_destroy_codec (c); } };
    struct StreamDeleter { void operator() (opj_stream_t* s) const noexcept { opj_stream_destroy (s); } };
    struct ImageDeleter { void operator() (opj_image_t* i) const noexcept { opj_image_destroy (i); } };

    int threadCount() noexcept
    {
        return (int) std::max (1u, std::thread::hardware_concurrency());
    }

    //==============================================================================
    // Memory streams

    struct Sink
    {
        Bytes bytes;
        size_t position = 0;
    };

    OPJ_SIZE_T writeToSink (void* buffer, OPJ_SIZE_T count, void* user)
    {
        auto* sink = static_cast<Sink*> (user);
        if (sink->position + count > sink->bytes.size())
            sink->bytes.resize (sink->position + count);
        std::memcpy (sink->bytes.data() + sink->position, buffer, count);
        sink->position += count;
        return count;
    }

    OPJ_OFF_T skipInSink (OPJ_OFF_T count, void* user)
    {
        auto* sink = static_cast<Sink*> (user);
        if (count < 0 && (size_t) -count > sink->position)
            return -1;
        sink->position = (size_t) ((OPJ_OFF_T) sink->position + count);
        if (sink->position > sink->bytes.size())
            sink->bytes.resize (sink->position);
        return count;
    }

    OPJ_BOOL seekInSink (OPJ_OFF_T position, void* user)
    {
        auto* sink = static_cast<Sink*> (user);
        if (position < 0)
            return OPJ_FALSE;
        sink->position = (size_t) position;
        if (sink->position > sink->bytes.size())
            sink->bytes.resize (sink->position);
        return OPJ_TRUE;
    }

    struct Source
    {
        const uint8_t* data;
        size_t size;
        size_t position = 0;
    };

    OPJ_SIZE_T readFromSource (void* buffer, OPJ_SIZE_T count, void* user)
    {
        auto* source = static_cast<Source*> (user);
        if (source->position >= source->size)
            return (OPJ_SIZE_T) -1;
        const size_t n = std::min<size_t> (count, source->size - source->position);
        std::memcpy (buffer, source->data + source->position, n);
        source->position += n;
        return n;
    }

    OPJ_OFF_T skipInSource (OPJ_OFF_T count, void* user)
    {
        auto* source = static_cast<Source*> (user);
        if (count < 0 && (size_t) -count > source->position)
            return -1;
        source->position = (size_t) std::min<OPJ_OFF_T> ((OPJ_OFF_T) source->position + count, (OPJ_OFF_T) source->size);
        return count;
    }

    OPJ_BOOL seekInSource (OPJ_OFF_T position, void* user)
    {
        auto* source = static_cast<Source*> (user);
        if (position < 0 || (size_t) position > source->size)
            return OPJ_FALSE;
        source->position = (size_t) position;
        return OPJ_TRUE;
    }

    //==============================================================================
    // Boxes

    uint32_t be32 (const uint8_t* p) noexcept { return (uint32_t) p[0] << 24 | (uint32_t) p[1] << 16 | (uint32_t) p[2] << 8 | p[3]; }
    uint16_t be16 (const uint8_t* p) noexcept { return (uint16_t) (p[0] << 8 | p[1]); }

    void put32 (Bytes& b, uint32_t v) { for (int s = 24; s >= 0; s -= 8) b.push_back ((uint8_t) (v >> s)); }
    void put16 (Bytes& b, uint16_t v) { b.push_back ((uint8_t) (v >> 8)); b.push_back ((uint8_t) v); }
    void putType (Bytes& b, const char* type) { b.insert (b.end(), type, type + 4); }

    struct Box
    {
        char type[5] = {};
        size_t start = 0;       // first byte of the box
        size_t contentStart = 0;
        size_t end = 0;         // one past the last byte
    };

    /** The boxes in [begin, end); stops at the first one whose length does not fit. */
    std::vector<Box> listBoxes (const uint8_t* data, size_t begin, size_t end)
    {
        std::vector<Box> boxes;
        size_t pos = begin;
        while (pos < end && end - pos >= 8)
        {
            Box box;
            box.start = pos;
            uint64_t length = be32 (data + pos);
            std::memcpy (box.type, data + pos + 4, 4);
            size_t header = 8;
            if (length == 1)
            {
                if (end - pos < 16)
                    break;
                length = (uint64_t) be32 (data + pos + 8) << 32 | be32 (data + pos + 12);
                header = 16;
            }
            else if (length == 0)
            {
                length = end - pos;
            }
            if (length < header || length > end - pos)
                break;
            box.contentStart = pos + header;
            box.end = pos + (size_t) length;
            boxes.push_back (box);
            pos = box.end;
        }
        return boxes;
    }

    /** Pixels per metre of a resolution in dots per inch, as N / 127 * 10^E with N in 16
        bits: N * 10^E = dpi * 5000, exact for whole and most fractional dpi. */
    void resolutionFraction (double dotsPerInch, uint16_t& numerator, int8_t& exponent)
    {
        double scaled = std::clamp (dotsPerInch, 1.0, 65535.0) * 5000.0;
        exponent = 0;
        while (std::round (scaled) > 65535.0)
        {
            scaled /= 10.0;
            ++exponent;
        }
        numerator = (uint16_t) std::round (scaled);
    }

    Bytes makeResolutionBox (double x, double y)
    {
        Bytes box;
        uint16_t horizontal = 0, vertical = 0;
        int8_t horizontalExponent = 0, verticalExponent = 0;
        resolutionFraction (x, horizontal, horizontalExponent);
        resolutionFraction (y, vertical, verticalExponent);
        put32 (box, 8 + 8 + 10);
        putType (box, "res ");
        put32 (box, 8 + 10);
        putType (box, "resc");
        put16 (box, vertical); put16 (box, 127);
        put16 (box, horizontal); put16 (box, 127);
        box.push_back ((uint8_t) verticalExponent);
        box.push_back ((uint8_t) horizontalExponent);
        return box;
    }

    /** openjpeg's file with the resolution box at the end of the header box and the Exif
        box after it; empty when the file does not have the expected layout. */
    Bytes addMetadataBoxes (const Bytes& file, const PlatformImage& image)
    {
        const auto boxes = listBoxes (file.data(), 0, file.size());
        if (boxes.empty() || boxes.back().end != file.size())
            return {};

        const auto exif = ExifMetadata::toTiffStructure (image.exifBlock);
        Bytes out;
        out.reserve (file.size() + 64 + exif.getSize());
        bool sawHeader = false;
        for (const auto& box : boxes)
        {
            if (std::strcmp (box.type, "jp2h") != 0)
            {
                out.insert (out.end(), file.begin() + (long) box.start, file.begin() + (long) box.end);
                continue;
            }
            sawHeader = true;
            const auto resolution = makeResolutionBox (image.resolutionX, image.resolutionY);
            const size_t content = box.end - box.contentStart;
            put32 (out, (uint32_t) (8 + content + resolution.size()));
            putType (out, "jp2h");
            out.insert (out.end(), file.begin() + (long) box.contentStart, file.begin() + (long) box.end);
            out.insert (out.end(), resolution.begin(), resolution.end());

            if (exif.getSize() > 0 && exif.getSize() <= 0xffffffffu - 24)
            {
                put32 (out, (uint32_t) (8 + 16 + exif.getSize()));
                putType (out, "uuid");
                out.insert (out.end(), exifUuid, exifUuid + 16);
                const auto* e = static_cast<const uint8_t*> (exif.getData());
                out.insert (out.end(), e, e + exif.getSize());
            }
        }
        return sawHeader ? out : Bytes();
    }

    void readMetadataBoxes (const uint8_t* data, size_t size, PlatformImage& image)
    {
        for (const auto& box : listBoxes (data, 0, size))
        {
            if (std::strcmp (box.type, "uuid") == 0 && box.end - box.contentStart > 16
                && std::memcmp (data + box.contentStart, exifUuid, 16) == 0 && image.exifBlock.isEmpty())
            {
                image.exifBlock = ExifMetadata::fromTiffStructure (data + box.contentStart + 16, box.end - box.contentStart - 16);
            }
            if (std::strcmp (box.type, "jp2h") != 0)
                continue;
            for (const auto& inner : listBoxes (data, box.contentStart, box.end))
            {
                if (std::strcmp (inner.type, "res ") != 0)
                    continue;
                const Box* chosen = nullptr;
                const auto resolutions = listBoxes (data, inner.contentStart, inner.end);
                for (const auto& r : resolutions)
                    if ((std::strcmp (r.type, "resc") == 0 || (chosen == nullptr && std::strcmp (r.type, "resd") == 0))
                        && r.end - r.contentStart >= 10)
                        chosen = &r;
                if (chosen == nullptr)
                    continue;
                const uint8_t* p = data + chosen->contentStart;
                const auto value = [] (uint16_t n, uint16_t d, int8_t e)
                {
                    return d == 0 ? 0.0 : (double) n / (double) d * std::pow (10.0, e) * 0.0254;
                };
                const double y = value (be16 (p), be16 (p + 2), (int8_t) p[8]);
                const double x = value (be16 (p + 4), be16 (p + 6), (int8_t) p[9]);
                if (x > 0 && x < 1.0e6)
                    image.resolutionX = x;
                if (y > 0 && y < 1.0e6)
                    image.resolutionY = y;
            }
        }
    }

    //==============================================================================

    /** Wavelet levels: openjpeg's default 6, fewer where a side is too short for them. */
    int resolutionLevels (int width, int height) noexcept
    {
        int levels = 1;
        while (levels < 6 && (std::min (width, height) >> levels) > 0)
            ++levels;
        return levels;
    }

    bool compress (const PlatformImage& image, const Jpeg2000Codec::WriteSettings& settings, Sink& sink)
    {
        const int components = settings.withAlpha ? 4 : 3;
        const int tileWidth = std::min (tileSide, image.width), tileHeight = std::min (tileSide, image.height);

        opj_cparameters_t parameters;
        opj_set_default_encoder_parameters (&parameters);
        parameters.tcp_numlayers = 1;
        parameters.cp_disto_alloc = 1;
        const int quality = std::clamp (settings.quality, 0, 100);
        parameters.irreversible = quality < 100 ? 1 : 0;
        parameters.tcp_rates[0] = (float) Jpeg2000Codec::compressionRatio (quality);
        parameters.tcp_mct = 1;
        parameters.tile_size_on = OPJ_TRUE;
        parameters.cp_tdx = tileWidth;
        parameters.cp_tdy = tileHeight;
        parameters.numresolution = resolutionLevels (tileWidth, tileHeight);

        opj_image_cmptparm_t componentParameters[4] {};
        for (auto& c : componentParameters)
        {
            c.dx = c.dy = 1;
            c.w = (OPJ_UINT32) image.width;
            c.h = (OPJ_UINT32) image.height;
            c.prec = 8;
            c.sgnd = 0;
        }
        std::unique_ptr<opj_image_t, ImageDeleter> header (opj_image_tile_create ((OPJ_UINT32) components, componentParameters, OPJ_CLRSPC_SRGB));
        if (header == nullptr)
            return false;
        header->x0 = header->y0 = 0;
        header->x1 = (OPJ_UINT32) image.width;
        header->y1 = (OPJ_UINT32) image.height;
        if (settings.withAlpha)
            header->comps[3].alpha = 1;

        std::unique_ptr<opj_codec_t, CodecDeleter> codec (opj_create_compress (OPJ_CODEC_JP2));
        if (codec == nullptr || ! opj_setup_encoder (codec.get(), &parameters, header.get()))
            return false;
        opj_codec_set_threads (codec.get(), settings.threads > 0 ? settings.threads : threadCount());

        std::unique_ptr<opj_stream_t, StreamDeleter> stream (opj_stream_create (OPJ_J2K_STREAM_CHUNK_SIZE, OPJ_FALSE));
        if (stream == nullptr)
            return false;
        opj_stream_set_user_data (stream.get(), &sink, nullptr);
        opj_stream_set_write_function (stream.get(), writeToSink);
        opj_stream_set_skip_function (stream.get(), skipInSink);
        opj_stream_set_seek_function (stream.get(), seekInSink);

        if (! opj_start_compress (codec.get(), header.get(), stream.get()))
            return false;

        const int tilesAcross = (image.width + tileWidth - 1) / tileWidth;
        const int tilesDown = (image.height + tileHeight - 1) / tileHeight;
        Bytes planes ((size_t) tileWidth * (size_t) tileHeight * (size_t) components);
        for (int ty = 0; ty < tilesDown; ++ty)
            for (int tx = 0; tx < tilesAcross; ++tx)
            {
                const int x0 = tx * tileWidth, y0 = ty * tileHeight;
                const int w = std::min (tileWidth, image.width - x0), h = std::min (tileHeight, image.height - y0);
                const size_t planeSize = (size_t) w * (size_t) h;
                for (int y = 0; y < h; ++y)
                {
                    const uint8_t* s = image.getRow (y0 + y) + (size_t) x0 * 4;
                    const size_t row = (size_t) y * (size_t) w;
                    for (int x = 0; x < w; ++x, s += 4)
                        for (int c = 0; c < components; ++c)
                            planes[(size_t) c * planeSize + row + (size_t) x] = s[c];
                }
                if (! opj_write_tile (codec.get(), (OPJ_UINT32) (ty * tilesAcross + tx), planes.data(),
                                      (OPJ_UINT32) (planeSize * (size_t) components), stream.get()))
                    return false;
            }
        return opj_end_compress (codec.get(), stream.get()) == OPJ_TRUE;
    }

    bool toPlatformImage (const opj_image_t& decoded, PlatformImage& image)
    {
        const OPJ_UINT32 count = decoded.numcomps;
        if (count < 1 || count > 4 || decoded.x1 <= decoded.x0 || decoded.y1 <= decoded.y0)
            return false;
        const auto width = decoded.x1 - decoded.x0, height = decoded.y1 - decoded.y0;
        for (OPJ_UINT32 c = 0; c < count; ++c)
        {
            const auto& comp = decoded.comps[c];
            if (comp.data == nullptr || comp.dx != 1 || comp.dy != 1 || comp.w != width || comp.h != height
                || comp.prec < 1 || comp.prec > 16 || comp.sgnd != 0)
                return false;
        }
        if (! image.allocate ((int) width, (int) height))
            return false;

        const bool gray = count < 3;
        const bool alpha = count == 2 || count == 4;
        const size_t pixels = (size_t) width * (size_t) height;
        for (size_t i = 0; i < pixels; ++i)
        {
            uint8_t* d = image.rgba.data() + i * 4;
            const auto sample = [&] (OPJ_UINT32 c)
            {
                const auto& comp = decoded.comps[c];
                const int maxValue = (1 << comp.prec) - 1;
                const int v = std::clamp (comp.data[i], 0, maxValue);
                return (uint8_t) (comp.prec == 8 ? v : (v * 255 + maxValue / 2) / maxValue);
            };
            d[0] = sample (0);
            d[1] = gray ? d[0] : sample (1);
            d[2] = gray ? d[0] : sample (2);
            d[3] = alpha ? sample (count - 1) : 255;
        }
        return true;
    }
}

double Jpeg2000Codec::compressionRatio (int quality) noexcept
{
    quality = std::clamp (quality, 0, 100);
    if (quality == 100)
        return 0.0;
    return 3.0 * std::pow (200.0 / 3.0, (99.0 - quality) / 99.0);
}

bool Jpeg2000Codec::hasSignature (const void* data, size_t size) noexcept
{
    return data != nullptr && size >= sizeof (signature) && std::memcmp (data, signature, sizeof (signature)) == 0;
}

bool Jpeg2000Codec::encode (const PlatformImage& image, const WriteSettings& settings, juce::OutputStream& out)
{
    if (! image.isValid())
        return false;
    Sink sink;
    if (! compress (image, settings, sink))
        return false;
    const auto file = addMetadataBoxes (sink.bytes, image);
    return ! file.empty() && out.write (file.data(), file.size());
}

std::optional<PlatformImage> Jpeg2000Codec::decode (const void* data, size_t size)
{
    if (! hasSignature (data, size))
        return std::nullopt;

    std::unique_ptr<opj_codec_t, CodecDeleter> codec (opj_create_decompress (OPJ_CODEC_JP2));
    opj_dparameters_t parameters;
    opj_set_default_decoder_parameters (&parameters);
    if (codec == nullptr || ! opj_setup_decoder (codec.get(), &parameters))
        return std::nullopt;
    opj_codec_set_threads (codec.get(), threadCount());

    Source source { static_cast<const uint8_t*> (data), size };
    std::unique_ptr<opj_stream_t, StreamDeleter> stream (opj_stream_create (OPJ_J2K_STREAM_CHUNK_SIZE, OPJ_TRUE));
    if (stream == nullptr)
        return std::nullopt;
    opj_stream_set_user_data (stream.get(), &source, nullptr);
    opj_stream_set_user_data_length (stream.get(), size);
    opj_stream_set_read_function (stream.get(), readFromSource);
    opj_stream_set_skip_function (stream.get(), skipInSource);
    opj_stream_set_seek_function (stream.get(), seekInSource);

    opj_image_t* rawHeader = nullptr;
    if (! opj_read_header (stream.get(), codec.get(), &rawHeader))
        return std::nullopt;
    std::unique_ptr<opj_image_t, ImageDeleter> decoded (rawHeader);
    if (! PlatformImage::isAcceptableSize ((long long) decoded->x1 - decoded->x0, (long long) decoded->y1 - decoded->y0))
        return std::nullopt;
    if (! opj_decode (codec.get(), stream.get(), decoded.get()) || ! opj_end_decompress (codec.get(), stream.get()))
        return std::nullopt;

    PlatformImage image;
    if (! toPlatformImage (*decoded, image))
        return std::nullopt;
    readMetadataBoxes (static_cast<const uint8_t*> (data), size, image);
    return image;
}
