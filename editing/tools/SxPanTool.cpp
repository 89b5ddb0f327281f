#include "SxPanTool.h"

#include "GenericAppDocument.h"

#include <cmath>

namespace
{
    juce::Point<int> midpoint (juce::Point<int> a, juce::Point<int> b)
    {
        return { (a.x + b.x) / 2, (a.y + b.y) / 2 };
    }

    float distance (juce::Point<int> a, juce::Point<int> b)
    {
        return a.toFloat().getDistanceFrom (b.toFloat());
    }
}

SxPanTool::SxPanTool (const juce::String& name, const juce::Image& normal, const juce::Image& over, const juce::Image& down)
    : SxTool (name, normal, over, down)
{
}

GenericAppDocument* SxPanTool::canvas() const
{
    return dynamic_cast<GenericAppDocument*> (getDocument());
}

float SxPanTool::nearFitZoom (const GenericAppDocument& canvas)
{
    const auto size = canvas.getImageSize();
    return juce::jmin (0.85f * (float) canvas.getWidth() / size.x, 0.85f * (float) canvas.getHeight() / size.y);
}

void SxPanTool::documentMouseDown (const juce::MouseEvent& e)
{
    anchor = {};

    auto* doc = canvas();
    if (doc == nullptr)
        return;

    // The canvas has already recorded this press.
    const auto live = doc->getMouseEvents();
    if (live.size() == 2)
    {
        anchor = midpoint (live[0].getPosition(), live[1].getPosition());
        referenceDistance = distance (live[0].getMouseDownPosition(), live[1].getMouseDownPosition());
    }
    else if (live.size() == 1)
    {
        anchor = e.getPosition();
    }
}

void SxPanTool::documentMouseDrag (const juce::MouseEvent& e)
{
    auto* doc = canvas();
    if (doc == nullptr || anchor.x == 0 || anchor.y == 0)
        return;

    const auto live = doc->getMouseEvents();

    if (live.size() == 1 && (panning || (int) e.position.getDistanceFrom (e.mouseDownPosition) > 8))
    {
        panning = true;
        const auto position = e.getPosition();
        auto dx = (float) (position.x - anchor.x), dy = (float) (position.y - anchor.y);
        doc->pan (dx, dy);
        anchor = position;
        return;
    }

    // The first finger down drives the pinch; the other one's drags would step it twice.
    if (live.size() == 2 && e.source == live[0].source && referenceDistance > 0.0f)
    {
        const auto a = live[0].getPosition(), b = live[1].getPosition();
        const float d = distance (a, b);
        const float z = juce::jlimit (0.125f, 3.0f, d / referenceDistance * doc->getZoom());
        referenceDistance = d;
        doc->setZoom (false, z);

        const auto m = midpoint (a, b);
        auto dx = (float) (m.x - anchor.x), dy = (float) (m.y - anchor.y);
        doc->pan (dx, dy);
        anchor = m;
    }
}

void SxPanTool::documentMouseUp (const juce::MouseEvent& e)
{
    if (auto* doc = canvas(); doc != nullptr && doc->hasImage())
    {
        const float fit = nearFitZoom (*doc);
        const float current = doc->getZoom();

        if (e.getNumberOfClicks() >= 2)
        {
            if (current >= fit + 0.1f || current <= fit - 0.1f)
                doc->fitInWindow (true);
            else
                doc->zoomAtPoint ({ (float) e.getPosition().x, (float) e.getPosition().y }, true, 2.0f * fit);
        }
        else if (anchor.x != 0 && anchor.y != 0 && doc->getMouseEvents().size() == 1 && fit >= current)
        {
            // One finger of a pinch lifted with the picture at or below the near fit.
            doc->fitInWindow (true);
        }
    }

    referenceDistance = 0.0f;
    anchor = {};
    panning = false;
}
