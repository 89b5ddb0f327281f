#include "SpriteSheet.h"

#include "SpriteFrameDescription.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace
{
    constexpr float noFittedSide = 50000.0f;

    /** The frame's width and height as fitting sees them: whole pixels, truncated. */
    std::pair<float, float> wholeSize (const SpriteFrame& frame) noexcept
    {
        return { std::trunc (frame.getWidth()), std::trunc (frame.getHeight()) };
    }

    bool isUsable (const SpriteFrame& frame) noexcept
    {
        if (! (std::isfinite (frame.left) && std::isfinite (frame.top)
               && std::isfinite (frame.right) && std::isfinite (frame.bottom)))
            return false;

        const auto [width, height] = wholeSize (frame);
        return width >= 1.0f && height >= 1.0f;
    }
}

SpriteSheet::SpriteSheet() = default;

SpriteSheet::~SpriteSheet()
{
    letGoOfImage();
}

void SpriteSheet::letGoOfImage()
{
    if (image == nullptr)
        return;

    if (ownsImage)
        image->release();
    else if (convertImage)
        image->convertToArgbOrder();

    image = nullptr;
}

void SpriteSheet::setImage (SxImageRgbaBytes* newImage, bool convert)
{
    if (newImage != image)
        letGoOfImage();

    image = newImage;

    if (convert && image != nullptr)
        image->convertToRgbaOrder();
}

void SpriteSheet::setOwnsImage (bool shouldOwnImage)
{
    ownsImage = shouldOwnImage;
}

void SpriteSheet::addFrame (const SpriteFrame& frame, int /*index*/)
{
    frames.push_back (frame);
}

void SpriteSheet::loadFrames (SxImageRgbaBytes* newImage, const juce::String& description, float scale)
{
    if (newImage != image)
        letGoOfImage();
    else if (image != nullptr && convertImage)
        image->convertToArgbOrder();   // taken again below, so back to the order it came in

    frames.clear();
    image = newImage;

    for (const auto& entry : SpriteFrameDescription::read (description))
    {
        SpriteFrame frame;
        frame.name = entry.name;
        frame.left = (float) (entry.x * scale);
        frame.top = (float) (entry.y * scale);
        frame.right = frame.left + (float) (entry.width * scale) - 1.0f;
        frame.bottom = frame.top + (float) (entry.height * scale) - 1.0f;

        // A frame under one pixel would make fitting divide by zero.
        if (isUsable (frame))
            addFrame (frame, (int) frames.size());
    }

    if (convertImage && image != nullptr)
        image->convertToRgbaOrder();
}

SxPoint SpriteSheet::fitFrameSize (int frameIndex, const SxPoint& box) const
{
    SxPoint size;
    size.x = size.y = 0.0f;

    if (frameIndex < 0 || frameIndex >= (int) frames.size() || ! isUsable (frames[(size_t) frameIndex]))
        return size;

    const auto [width, height] = wholeSize (frames[(size_t) frameIndex]);
    const float aspect = width / height;

    if (aspect < 1.0f)
    {
        size.x = aspect * box.y;
        size.y = box.y;
    }
    else
    {
        size.x = box.x;
        size.y = box.x / aspect;
    }

    return size;
}

float SpriteSheet::getMinFittedSide (const SxPoint& box) const
{
    float smallest = noFittedSide;

    for (int i = 0; i < (int) frames.size(); ++i)
    {
        if (! isUsable (frames[(size_t) i]))
            continue;

        const auto fitted = fitFrameSize (i, box);
        smallest = std::min (smallest, std::min (fitted.x, fitted.y));
    }

    return smallest;
}

void SpriteSheet::getFrameTexCoords (int frameIndex, float (&out)[8]) const
{
    std::fill (std::begin (out), std::end (out), 0.0f);

    if (frameIndex < 0 || frameIndex >= (int) frames.size() || image == nullptr
        || image->width <= 0 || image->height <= 0)
        return;

    const auto& frame = frames[(size_t) frameIndex];
    const float w = (float) image->width, h = (float) image->height;
    const float left = frame.left / w, top = frame.top / h, right = frame.right / w, bottom = frame.bottom / h;
    const float corners[8] = { left, top, right, top, right, bottom, left, bottom };
    std::copy (std::begin (corners), std::end (corners), std::begin (out));
}
