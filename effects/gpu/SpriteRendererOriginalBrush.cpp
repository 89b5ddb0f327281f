#include "SpriteRendererOriginalBrush.h"

SpriteRendererOriginalBrush::SpriteRendererOriginalBrush (const SpriteSheetList& sheetList)
    : SpriteRenderer (sheetList)
{
}
