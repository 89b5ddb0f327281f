#pragma once

#include "SpriteRenderer.h"

/** The sprite renderer with the single-colour brush and source-over blending; the base of
    the multiply brush. */
class SpriteRendererOriginalBrush : public SpriteRenderer
{
public:
    /** Keeps a copy of the list; makes no GL call. */
    explicit SpriteRendererOriginalBrush (const SpriteSheetList& sheets);

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SpriteRendererOriginalBrush)
};
