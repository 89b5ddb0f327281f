#pragma once

class GenericAppDocument;
namespace juce { class Graphics; }

/** Paints over everything else on the document canvas, last (the layer wizards' strokes and
    outlines). The wizards set and clear the canvas's paintHook themselves.

    Painters are never deleted through this interface, hence the protected destructor.
*/
class GenericAppDocumentPaintCallback
{
public:
    virtual void paintOverDocument (GenericAppDocument* canvas, juce::Graphics& g) = 0;

protected:
    ~GenericAppDocumentPaintCallback() = default;
};
