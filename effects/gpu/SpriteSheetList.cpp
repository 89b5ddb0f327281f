#include "SpriteSheetList.h"

#include "OpenGLHeaders.h"
#include "Resampling.h"

#include <algorithm>

namespace
{
    constexpr int bilinearMode = 1;
}

void SpriteSheetList::equaliseSizes()
{
    int maxWidth = 0, maxHeight = 0;

    for (auto* sheet : *this)
        if (sheet != nullptr && sheet->getImage() != nullptr)
        {
            maxWidth = std::max (maxWidth, (int) sheet->getImage()->width);
            maxHeight = std::max (maxHeight, (int) sheet->getImage()->height);
        }

    for (auto* sheet : *this)
    {
        auto* image = sheet != nullptr ? sheet->getImage() : nullptr;

        if (image == nullptr || image->width <= 0 || image->height <= 0)
            continue;

        const float scaleX = (float) maxWidth / (float) image->width;
        const float scaleY = (float) maxHeight / (float) image->height;

        for (auto& frame : sheet->getFrames())
        {
            frame.left *= scaleX;
            frame.right *= scaleX;
            frame.top *= scaleY;
            frame.bottom *= scaleY;
        }

        // A same-size bilinear resize is a plain copy.
        if (image->width != maxWidth || image->height != maxHeight)
            resizeRgbaImage (*image, maxWidth, maxHeight, bilinearMode);
    }

    sizesEqualised = true;
}

void SpriteSheetList::prepareTextures (bool create)
{
    if (create)
    {
        glActiveTexture (GL_TEXTURE4);

        for (auto* sheet : *this)
        {
            GLuint name = 0;
            glGenTextures (1, &name);
            textures.push_back (name);

            if (sheet == nullptr)
                continue;

            sheet->setTexture (name);
            glBindTexture (GL_TEXTURE_2D, name);
            glTexParameteri (GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
            glTexParameteri (GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
            glTexParameteri (GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
            glTexParameteri (GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);

            if (const auto* image = sheet->getImage(); image != nullptr && image->pixels != nullptr)
                glTexImage2D (GL_TEXTURE_2D, 0, GL_RGBA, image->width, image->height, 0,
                              GL_RGBA, GL_UNSIGNED_BYTE, image->pixels);
        }

        glBindTexture (GL_TEXTURE_2D, 0);
    }
    else
    {
        for (size_t i = 0; i < size() && i < textures.size(); ++i)
            if ((*this)[i] != nullptr)
                (*this)[i]->setTexture (textures[i]);
    }

    boundIndex = -1;
}

void SpriteSheetList::releaseTextures()
{
    if (! textures.empty())
        glDeleteTextures ((GLsizei) textures.size(), textures.data());

    textures.clear();
}

void SpriteSheetList::bindSheet (int index)
{
    if (index == boundIndex || index < 0 || index >= (int) textures.size())
        return;

    glActiveTexture (GL_TEXTURE4);
    glBindTexture (GL_TEXTURE_2D, textures[(size_t) index]);
    boundIndex = index;
}
