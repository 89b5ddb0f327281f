#pragma once

#include "SpriteRendererOriginalBrush.h"

/** The renderer of the watercolour effects: each dab's texel, its alpha scaled by the
    sprite's opacity, multiplies the framebuffer. With s the fragment and d the premultiplied
    framebuffer, colour = s.rgb x d.rgb + d.rgb x (1 - s.a) and alpha = s.a x d.a + d.a x
    (1 - s.a) = d.a, so on an opaque white canvas a texel (c, a) at opacity o leaves
    c + 1 - a x o (at most 1). Erasing is as in the base class.
*/
class SpriteRendererMultiplyBrush : public SpriteRendererOriginalBrush
{
public:
    /** Keeps a copy of the list; makes no GL call. */
    explicit SpriteRendererMultiplyBrush (const SpriteSheetList& sheets);

    /** multiplyBrushFragmentSource. */
    juce::String fragmentShaderSource() const override;

    /** glBlendFunc (GL_DST_COLOR, GL_ONE_MINUS_SRC_ALPHA), or the base class's erase. */
    void setupBlending (bool erase) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SpriteRendererMultiplyBrush)
};
