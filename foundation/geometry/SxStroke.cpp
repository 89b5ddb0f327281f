#include "SxStroke.h"

#include "PixelMath.h"
#include "PointLists.h"
#include "PropertyValues.h"
#include "SxPropertySet.h"

SxStroke::SxStroke (const std::vector<SxPoint>& points, uint32_t colour, float opacity)
    : mLine (points), mColor (colour), mOpacity (opacity)
{
}

void SxStroke::remapToSize (const SxPoint& newSize, const SxPoint& oldSize)
{
    if (oldSize.x == 0.0f || oldSize.y == 0.0f)
        return;

    const float sx = newSize.x / oldSize.x, sy = newSize.y / oldSize.y;
    for (auto& p : mLine)
    {
        p.x *= sx;
        p.y *= sy;
    }
    mDiameter *= sx;
}

void SxStroke::saveToProperties (juce::PropertySet& set, juce::StringRef key) const
{
    SxPropertySet record;
    writePointList (mLine, record, "mLine");
    setIntProperty (record, "mColor.red", PixelMath::wordRed (mColor));
    setIntProperty (record, "mColor.green", PixelMath::wordGreen (mColor));
    setIntProperty (record, "mColor.blue", PixelMath::wordBlue (mColor));
    setIntProperty (record, "mColor.alpha", PixelMath::wordAlpha (mColor));
    setFloatProperty (record, "mOpacity", mOpacity);
    setFloatProperty (record, "mDiameter", mDiameter);
    setFloatProperty (record, "mSoftness", mSoftness);
    setIntProperty (record, "strokeStyle", strokeStyle);
    record.writeAsRecord (set, key);
}

void SxStroke::loadFromProperties (const juce::PropertySet& set, juce::StringRef key)
{
    const auto record = SxPropertySet::readRecord (set, key);
    if (! record)
        return;

    readPointList (mLine, *record, "mLine");
    auto byte = [&] (const char* name) { return (uint8_t) record->getIntValue (name, 255); };
    mColor = PixelMath::makeWord (byte ("mColor.alpha"), byte ("mColor.red"), byte ("mColor.green"), byte ("mColor.blue"));
    mOpacity = getFloatProperty (*record, "mOpacity", 1.0f);
    mDiameter = getFloatProperty (*record, "mDiameter", 50.0f);
    mSoftness = getFloatProperty (*record, "mSoftness", 1.0f);
    strokeStyle = record->getIntValue ("strokeStyle", 0);
}
