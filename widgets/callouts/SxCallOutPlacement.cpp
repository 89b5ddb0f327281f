#include "SxCallOutPlacement.h"

SxCallOutPlacement::Result SxCallOutPlacement::place (const Geometry& g, std::span<const Side> sides)
{
    jassert (! sides.empty());

    const int b = g.border;
    const int w = g.contentWidth + 2 * b, h = g.contentHeight + 2 * b;
    const int hw = w / 2, hh = h / 2;
    const auto along = (float) (hw - 2 * b), across = (float) (hh - 2 * b);
    const auto indent = (float) b - g.arrow;

    const auto& t = g.target;
    const auto cx = (float) t.getCentreX(), cy = (float) t.getCentreY();
    const auto centreArea = g.fitIn.reduced (hw, hh).toFloat();
    const auto targetCentre = t.getCentre().toFloat();

    Result best;
    best.bounds = { 0, 0, w, h };
    float nearest = 1.0e9f;

    for (const auto side : sides)
    {
        juce::Point<float> tip;
        juce::Line<float> line;

        switch (side)
        {
            case Side::below:
                tip = { cx, (float) t.getBottom() };
                line = { tip.translated (-along, (float) hh - indent), tip.translated (along, (float) hh - indent) };
                break;
            case Side::right:
                tip = { (float) t.getRight(), cy };
                line = { tip.translated ((float) hw - indent, -across), tip.translated ((float) hw - indent, across) };
                break;
            case Side::left:
                tip = { (float) t.getX(), cy };
                line = { tip.translated (-((float) hw - indent), -across), tip.translated (-((float) hw - indent), across) };
                break;
            case Side::above:
                tip = { cx, (float) t.getY() };
                line = { tip.translated (-along, -((float) hh - indent)), tip.translated (along, -((float) hh - indent)) };
                break;
        }

        const juce::Line<float> clamped (centreArea.getConstrainedPoint (line.getStart()),
                                         centreArea.getConstrainedPoint (line.getEnd()));
        const auto centre = clamped.findNearestPointTo (targetCentre);
        auto distance = centre.getDistanceFrom (tip);

        if (! centreArea.intersects (line))
            distance += 1000.0f;

        if (distance < nearest)
        {
            nearest = distance;
            best.side = side;
            best.tip = tip;
            best.bounds.setPosition ((int) (centre.x - (float) hw), (int) (centre.y - (float) hh));
        }
    }

    return best;
}
