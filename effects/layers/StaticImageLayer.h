#pragma once

#include "Layer.h"
#include "SxImageAlphaByte.h"

/** The layer at position 0 of every stack: hands the document's source image to the
    layers above and publishes a change mask of the source's size, cleared inside the
    render area. It renders nothing, is never saved with the stack and is not a
    registered prototype.
*/
class StaticImageLayer : public Layer
{
public:
    StaticImageLayer() = default;
    ~StaticImageLayer() override = default;

    /** A new layer with no source image and no mask. */
    Layer* createInstance() override { return new StaticImageLayer(); }

    /** Points the layer at the image the stack starts from; not owned. */
    void setSourceImage (SxImageRgbaBytes* image) noexcept { sourceImage = image; }
    SxImageRgbaBytes* getSourceImage() const noexcept { return sourceImage; }
    SxImageAlphaByte* getChangeMask() const noexcept { return changeMask.get(); }

    /** Fits the mask to the source image, clips params.area to the image (unset = whole
        image), clears the mask inside it, publishes the mask in params and returns the
        source image itself (null when none is set). */
    SxImageRgbaBytes* getRenderedImage (RenderParameters& params) override;

private:
    SxImageRgbaBytes* sourceImage = nullptr;
    SxRef<SxImageAlphaByte> changeMask;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (StaticImageLayer)
};
