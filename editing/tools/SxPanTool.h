#pragma once

#include "SxTool.h"

class GenericAppDocument;

/** The tool that moves the view: one pointer dragged pans the image, two pointers pinch to
    zoom and pan at once, and a double click toggles between fitting the image and a closer
    look at the clicked spot. It paints nothing and handles no keys.

    A drag pans only once it has gone more than 8 pixels from its press, and then by the
    whole distance; a press in the canvas's left column or top row starts nothing. A pinch
    zooms by the ratio of the fingers' distances, between 0.125 and 3, and pans by the
    movement of their midpoint. Lifting one finger of a pinch at or below the 85 % fit snaps
    back to the fit. A double click within 0.1 of the 85 % fit zooms to twice that fit
    around the click; anywhere else it fits the image.

    Message thread only.
*/
class SxPanTool : public SxTool
{
public:
    SxPanTool (const juce::String& name, const juce::Image& normal, const juce::Image& over, const juce::Image& down);

    void documentMouseDown (const juce::MouseEvent& e) override;
    void documentMouseDrag (const juce::MouseEvent& e) override;
    void documentMouseUp (const juce::MouseEvent& e) override;

private:
    /** Where the last pan or pinch step started, in canvas pixels; a 0 means none. */
    juce::Point<int> anchor;
    bool panning = false;
    /** The fingers' distance at the last pinch step. */
    float referenceDistance = 0.0f;

    GenericAppDocument* canvas() const;
    /** min (0.85 view width / image width, 0.85 view height / image height). */
    static float nearFitZoom (const GenericAppDocument& canvas);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxPanTool)
};
