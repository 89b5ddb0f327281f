#pragma once

#include "SpriteSheet.h"

#include <cstdint>
#include <vector>

/** The sheets a renderer's sprites refer to by index, and their textures during a pass.

    The list does not own its sheets: neither it nor its copies delete them. A copy carries
    the sheet pointers, the texture names and the bound index. The texture operations issue
    GL calls and run inside a renderer pass, with the shared context current; textures live
    on texture unit 4.
*/
class SpriteSheetList : public std::vector<SpriteSheet*>
{
public:
    SpriteSheetList() = default;
    virtual ~SpriteSheetList() = default;

    /** Makes every sheet's image as large as the largest width and the largest height over
        all sheets (bilinear, edge-clamped), scaling each sheet's frame columns and rows by
        the same factors. Sheets without an image are passed over.
    */
    void equaliseSizes();

    /** With create: uploads each sheet's image (already in R,G,B,A order) as a new linear,
        edge-clamped texture on unit 4, in sheet order, and gives each sheet its name; then
        binds texture 0. Without: gives the sheets the names an earlier pass made. Either
        way no sheet counts as bound afterwards.
    */
    void prepareTextures (bool create);

    /** Deletes the textures of the pass and forgets their names. */
    void releaseTextures();

    /** Binds the sheet's texture on unit 4 unless that sheet is already bound (then no GL
        call is made). An index without a texture is ignored.
    */
    void bindSheet (int index);

    /** True once equaliseSizes has run. */
    bool areSizesEqualised() const noexcept { return sizesEqualised; }

    /** One texture name per sheet while a pass runs, in sheet order. */
    const std::vector<uint32_t>& getTextures() const noexcept { return textures; }

    /** The sheet whose texture is bound on unit 4, or -1. */
    int getBoundIndex() const noexcept { return boundIndex; }

private:
    bool sizesEqualised = false;
    std::vector<uint32_t> textures;
    int32_t boundIndex = -1;

    JUCE_LEAK_DETECTOR (SpriteSheetList)
};
