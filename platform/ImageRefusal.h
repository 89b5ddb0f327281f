#pragma once

#include <juce_core/juce_core.h>

/** Why an image file gave no picture, in the terms a user can act on. */
enum class ImageRefusal
{
    none,
    /** The file is missing, is a folder or cannot be read. */
    unreadable,
    /** The contents are of no type the decoders know. */
    notAnImage,
    /** A known type whose data is broken or cut short. */
    damaged,
    /** A known type in a variant the decoders do not read (CMYK or 16-bit layered documents,
        compressed bitmaps, unusual TIFF layouts). */
    unsupportedKind,
    /** More pixels than the decoders allocate, or more than memory holds. */
    tooLarge
};

/** One sentence for the user saying why the file did not open; empty for none. */
juce::String describeImageRefusal (ImageRefusal refusal);

/** A decoder that refuses data for a reason finer than "damaged" notes it here; the file
    opener takes the note after the decoder returned. Notes are per thread, and the first
    note since the last take is the one kept. */
namespace ImageRefusalNote
{
    void note (ImageRefusal refusal) noexcept;

    /** The note left on this thread since the last take (none when there is none); clears it. */
    ImageRefusal take() noexcept;
}
