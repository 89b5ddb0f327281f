#include "SpriteRendererMultiplyBrush.h"

#include "BrushShaders.h"
#include "OpenGLHeaders.h"

SpriteRendererMultiplyBrush::SpriteRendererMultiplyBrush (const SpriteSheetList& sheetList)
    : SpriteRendererOriginalBrush (sheetList)
{
}

juce::String SpriteRendererMultiplyBrush::fragmentShaderSource() const
{
    return multiplyBrushFragmentSource;
}

void SpriteRendererMultiplyBrush::setupBlending (bool erase)
{
    if (erase)
    {
        SpriteRenderer::setupBlending (true);
        return;
    }

    glEnable (GL_BLEND);
    glBlendEquation (GL_FUNC_ADD);
    glBlendFunc (GL_DST_COLOR, GL_ONE_MINUS_SRC_ALPHA);
}
