#pragma once

namespace juce { class MouseEvent; }

/** Takes the document canvas's mouse events ahead of the active tool (the colour picker's
    eyedropper). While the canvas's mouseInterceptor points here, each of its six mouse
    handlers passes its event to the operation of the same name and does nothing else.

    A juce::Component that implements this (the colour picker is a button) overrides the
    component's handler of the same name with the same function: tell the two apart by
    event.eventComponent, which is the canvas for intercepted events.

    Interceptors are never deleted through this interface, hence the protected destructor.
*/
class GenericAppDocumentMouseInterceptCallback
{
public:
    virtual void mouseUp (const juce::MouseEvent&) {}
    virtual void mouseMove (const juce::MouseEvent&) {}
    virtual void mouseDown (const juce::MouseEvent&) {}
    virtual void mouseDrag (const juce::MouseEvent&) {}
    virtual void mouseEnter (const juce::MouseEvent&) {}
    virtual void mouseExit (const juce::MouseEvent&) {}

protected:
    ~GenericAppDocumentMouseInterceptCallback() = default;
};
