#include "SxPlacement.h"

#include "PropertyValues.h"
#include "SxPropertySet.h"

#include <algorithm>

void SxPlacement::moveWithTransform (const SxTransform& newReference, const SxTransform& oldReference)
{
    if (oldReference.size.x != 0.0f)
        size.x *= newReference.size.x / oldReference.size.x;
    if (oldReference.size.y != 0.0f)
        size.y *= newReference.size.y / oldReference.size.y;

    float x = center.x, y = center.y;
    oldReference.mapToUnitSquare (x, y);
    newReference.mapFromUnitSquare (x, y);
    center.x = x;
    center.y = y;

    orientation = orientation + (newReference.orientation - oldReference.orientation);
    updateQuad();
}

void SxPlacement::saveToProperties (juce::PropertySet& set, juce::StringRef key, const SxPoint& imageSize, int mode) const
{
    SxPoint c = center, s = size;
    if (mode == 1)
    {
        // A zero image side has no thousandths; that axis stays in pixels.
        if (imageSize.x != 0.0f)
        {
            c.x = c.x * 1000.0f / imageSize.x;
            s.x = s.x * 1000.0f / imageSize.x;
        }
        if (imageSize.y != 0.0f)
        {
            c.y = c.y * 1000.0f / imageSize.y;
            s.y = s.y * 1000.0f / imageSize.y;
        }
    }

    SxPropertySet record;
    setFloatProperty (record, "origImageSize.x", imageSize.x);
    setFloatProperty (record, "origImageSize.y", imageSize.y);
    setFloatProperty (record, "transform.center.x", c.x);
    setFloatProperty (record, "transform.center.y", c.y);
    setFloatProperty (record, "transform.scale.x", s.x);
    setFloatProperty (record, "transform.scale.y", s.y);
    setFloatProperty (record, "transform.orientation", (float) orientation);
    setIntProperty (record, "isSelected", selected ? 1 : 0);
    record.writeAsRecord (set, key);
}

void SxPlacement::loadFromProperties (const juce::PropertySet& set, juce::StringRef key, const SxPoint& imageSize, int mode)
{
    const auto record = SxPropertySet::readRecord (set, key).value_or (SxPropertySet());

    SxPoint c { getFloatProperty (record, "transform.center.x", 0.0f), getFloatProperty (record, "transform.center.y", 0.0f) };
    SxPoint s { getFloatProperty (record, "transform.scale.x", 0.0f), getFloatProperty (record, "transform.scale.y", 0.0f) };
    const double angle = record.getDoubleValue ("transform.orientation", 0.0);
    const float origW = getFloatProperty (record, "origImageSize.x", 0.0f);
    const float origH = getFloatProperty (record, "origImageSize.y", 0.0f);
    selected = record.getIntValue ("isSelected", 0) != 0;

    const float w = imageSize.x, h = imageSize.y;
    if (mode != 1 && origW != 0.0f && origH != 0.0f)
    {
        const float k = std::min (w / origW, h / origH);
        c.x = (float) ((double) (c.x * k) + ((double) w - (double) (k * origW)) * 0.5);
        c.y = (float) ((double) (c.y * k) + ((double) h - (double) (k * origH)) * 0.5);
        s.x *= k;
        s.y *= k;
    }
    else if (mode >= 1 && mode <= 4)
    {
        const float mx = w / 1000.0f, my = h / 1000.0f;
        if (mode == 1)
        {
            c.x *= mx; c.y *= my;
            s.x *= mx; s.y *= my;
        }
        else
        {
            const float t = mode == 2 ? std::max (mx, my) : std::min (mx, my);
            c.x *= t; c.y *= t;
            s.x *= t; s.y *= t;
            if (mode == 4)
            {
                // The centring offset positions the centre; the size keeps its scale.
                c.x += (w - 1000.0f * t) * 0.5f;
                c.y += (h - 1000.0f * t) * 0.5f;
            }
        }
    }

    center = SxPoint { c.x, c.y };
    size = SxPoint { s.x, s.y };
    orientation = angle;
    updateQuad();
}
