#pragma once

#include "GenericAppDocumentMouseInterceptCallback.h"
#include "SxPoint.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <cstdint>

class SxTool;

/** What the kit needs of the document canvas, declared here because the kit may not reach
    up to the application shell.

    The shell's canvas (GenericAppDocument, a juce::Component) derives from this mixin and
    implements its operations; the kit finds it through
    SxMainComponentServices::getDocumentCanvas. The canvas's mouse handlers start with

        void GenericAppDocument::mouseDown (const juce::MouseEvent& e)
        {
            if (interceptMouse (&GenericAppDocumentMouseInterceptCallback::mouseDown, e))
                return;
            ...the active tool...
        }
*/
class SxDocumentCanvasServices
{
public:
    virtual ~SxDocumentCanvasServices() = default;

    /** The canvas itself. */
    virtual juce::Component& getCanvasComponent() = 0;

    /** A point in canvas coordinates mapped into image pixels: (point - origin) / zoom; the
        record's other fields are copied. */
    virtual SxPoint viewToDocument (const SxPoint& viewPoint) const = 0;

    /** The colour word (bytes alpha, red, green, blue in memory) of the image pixel under a
        point in canvas coordinates; 0 without an image or outside it. */
    virtual uint32_t getImageColorAt (const SxPoint& viewPoint) const = 0;

    /** The shown image's width (x) and height (y) in pixels; zeros without an image. The
        colour picker's eyedropper closes when a click lies beside it. */
    virtual SxPoint getImageSize() const  { return {}; }

    /** Receives every canvas mouse event instead of the active tool while set; not owned.
        Whoever sets it clears it again before going away. */
    GenericAppDocumentMouseInterceptCallback* mouseInterceptor = nullptr;

    /** The tool that gets the canvas's mouse events and paints with it while it is active;
        not owned. Set by the main component's selectTool, cleared by a tool that stops
        being active or goes away. */
    SxTool* activeTool = nullptr;

protected:
    /** Hands the event to the interceptor's operation when one is set; true when it did. */
    bool interceptMouse (void (GenericAppDocumentMouseInterceptCallback::*operation) (const juce::MouseEvent&),
                         const juce::MouseEvent& event)
    {
        if (mouseInterceptor == nullptr)
            return false;

        (mouseInterceptor->*operation) (event);
        return true;
    }
};
