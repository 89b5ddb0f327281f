#pragma once

#include "SxImageRgbaBytes.h"

#include <juce_core/juce_core.h>

/** The square picture a project file carries of its painting.

    The painting is scaled so that its shorter side is 400 pixels and centred on a
    400 x 400 square, the longer side cut equally at both ends (a 4:3 landscape becomes
    about 534 x 400 with about 67 pixels cut on the left and on the right). Scaling is the
    box average of the pixels each thumbnail pixel covers. Transparent parts of the
    painting show a grey of 127 behind them; the JPEG is written at quality 85.

    Cost: O(painting pixels) for the box average; the thumbnail itself is fixed in size.
*/
class ProjectThumbnail
{
public:
    static constexpr int side = 400;
    static constexpr uint8_t background = 127;
    static constexpr int jpegQuality = 85;

    /** The opaque side x side thumbnail of the painting; plain grey for an empty one. */
    static SxRef<SxImageRgbaBytes> make (const SxImageRgbaBytes& painting);

    /** The thumbnail of the painting as JPEG bytes; empty when the encoder failed. */
    static juce::MemoryBlock makeJpeg (const SxImageRgbaBytes& painting);

private:
    ProjectThumbnail() = delete;
};
