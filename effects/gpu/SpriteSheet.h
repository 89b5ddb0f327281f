#pragma once

#include "SpriteFrame.h"
#include "SxImageRgbaBytes.h"
#include "SxPoint.h"

#include <cstdint>
#include <vector>

/** A brush atlas: one image holding many brush shapes and the named frames that cut it up.

    While the sheet holds its image the pixels are kept in R,G,B,A byte order, the order a
    texture upload takes (convertImage, on by default). An owned image is released by the
    sheet; an image it does not own is handed back in A,R,G,B order when the sheet lets go
    of it.

    The frame description is the text SpriteFrameDescription writes and reads: a property
    list with a "count" and each frame's name, corner and size, numbered from 1 there and
    from 0 in the sheet.
*/
class SpriteSheet
{
public:
    /** No frames, no image; owns and converts the image it will be given. */
    SpriteSheet();

    /** Releases an owned image, or hands a borrowed one back in A,R,G,B order. */
    virtual ~SpriteSheet();

    /** Takes the image (a different image held before is let go as the destructor would);
        with convert, turns its pixels into R,G,B,A order. An owned image is adopted with
        the caller's reference.
    */
    virtual void setImage (SxImageRgbaBytes* image, bool convert);

    /** Whether the sheet releases its image when done with it. */
    virtual void setOwnsImage (bool shouldOwnImage);

    /** Appends a copy of the frame; index is the position it takes (callers pass the
        frame's 0-based number) and is not otherwise used.
    */
    virtual void addFrame (const SpriteFrame& frame, int index);

    /** Replaces image and frames: lets the old image go, takes the new one, and reads the
        frames from the description, every rectangle scaled by scale. A description that
        is not XML, has no "count" or a count below 1 gives no frames. Frames less than one
        pixel wide or high after scaling (or with non-finite values) are left out, later
        frames moving up. The image is then converted when convertImage is set.
    */
    void loadFrames (SxImageRgbaBytes* image, const juce::String& description, float scale);

    /** The size of a dab showing the frame, fitted into a box of (box.x, box.y) with the
        frame's aspect kept: a wide or square frame takes the box width, a tall one the box
        height. The frame's size is truncated to whole pixels first. (0, 0) for an index
        that is not a frame or a frame under one pixel.
    */
    SxPoint fitFrameSize (int frameIndex, const SxPoint& box) const;

    /** The smallest side of any frame fitted into the box; 50000 with no frames. Frames
        under one pixel (only addFrame can bring them in) are passed over. */
    float getMinFittedSide (const SxPoint& box) const;

    /** Texture coordinates of the frame's corners, in the sprite's corner order: (left, top),
        (right, top), (right, bottom), (left, bottom), divided by the image's current width
        and height. All zeros for an index that is not a frame or a sheet without pixels.
    */
    void getFrameTexCoords (int frameIndex, float (&out)[8]) const;

    //==============================================================================
    /** The frames in order; a frame's index is its position. */
    std::vector<SpriteFrame>& getFrames() noexcept { return frames; }
    const std::vector<SpriteFrame>& getFrames() const noexcept { return frames; }
    int getNumFrames() const noexcept { return (int) frames.size(); }

    /** The atlas image (R,G,B,A order while held converted), or nullptr. */
    SxImageRgbaBytes* getImage() const noexcept { return image; }
    bool getOwnsImage() const noexcept { return ownsImage; }

    /** Whether the sheet keeps its image converted to R,G,B,A while holding it. */
    void setConvertImage (bool shouldConvert) noexcept { convertImage = shouldConvert; }
    bool getConvertImage() const noexcept { return convertImage; }

    /** The GL texture name given by SpriteSheetList::prepareTextures; 0 before. */
    uint32_t getTexture() const noexcept { return texture; }
    void setTexture (uint32_t name) noexcept { texture = name; }

private:
    std::vector<SpriteFrame> frames;
    SxImageRgbaBytes* image = nullptr;
    bool ownsImage = true;
    bool convertImage = true;
    uint32_t texture = 0;

    void letGoOfImage();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SpriteSheet)
};
