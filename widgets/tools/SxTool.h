#pragma once

#include "SxComponent.h"
#include "SxImageButton.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

class SxDocumentCanvasServices;
class SxToolCallback;

/** The base of every tool that works on the document canvas (pan, brushes, placement). One
    object is three things at once:

    - the tool's button, an image button that a tool row places;
    - while it is the current tool, the handler of the canvas's mouse events, keys and
      painting hooks;
    - the owner of its options component ("toolUIComponent"), which a tool row shows while
      the tool is current and which fills whatever parent it is given.

    At most one tool is current. The main component keeps it and the canvas points to it;
    both change only through the main component's selectTool (SxMainComponentServices),
    which calls setActive(false) on the tool it replaces and setActive(true) on the new one.
    Clicking a tool's button selects it, or deselects it when it is already current.

    The canvas forwards its six mouse events (positions in canvas coordinates) and its two
    painting hooks while the tool is active and an image is shown, setting itself as the
    tool's document first; after every zoom change it calls updateCursor.

    Message thread only.
*/
class SxTool : public SxImageButton,
               public juce::Button::Listener,
               public juce::MultiTimer
{
public:
    /** An inactive tool named name, showing the three pictures (rescaled with the button,
        proportions kept). */
    SxTool (const juce::String& name, const juce::Image& normal, const juce::Image& over, const juce::Image& down);
    /** Forgets its rows, and the canvas forgets it when it was the canvas's tool. */
    ~SxTool() override;

    //==============================================================================
    /** Rebuilds the tool's cursor for the canvas's current zoom; nothing by default. */
    virtual void updateCursor() {}

    /** Selects this tool through the main component, or no tool when it is active. */
    virtual void toggleCurrent();

    /** Called by the main component's selectTool only. Stores the flag, tells both rows,
        shows the pressed picture in every state while active, and when deactivated gives
        the canvas the normal cursor (and clears the canvas's tool if it was this one). */
    virtual void setActive (bool shouldBeActive);

    /** Refreshes the option controls: update() on every direct child of the options
        component that is an SxUpdateComponent. */
    virtual void updateToolUI();

    /** Repaints the whole canvas, when the tool has one. */
    virtual void repaintDocument();

    void timerCallback (int timerID) override {}

    /** Painted before the image and its shadow. */
    virtual void paintUnderlay (juce::Graphics&) {}
    /** Painted over the image; imageArea is where the image lies in canvas coordinates. */
    virtual void paintOverlay (juce::Graphics&, const juce::Rectangle<float>& imageArea) {}

    /** The tool's keys; false: not used. */
    virtual bool handleKeyPress (const juce::KeyPress&)   { return false; }
    virtual bool handleKeyStateChange (bool isKeyDown)    { return false; }

    /** Straight lines of the line brush. */
    virtual void beginLineAt (int x, int y) {}
    virtual void continueLineTo (int x, int y) {}
    virtual void endLineAt (int x, int y) {}

    /** The canvas's own mouse events, in canvas coordinates. */
    virtual void documentMouseUp (const juce::MouseEvent&) {}
    virtual void documentMouseMove (const juce::MouseEvent&) {}
    virtual void documentMouseDown (const juce::MouseEvent&) {}
    virtual void documentMouseDrag (const juce::MouseEvent&) {}
    virtual void documentMouseEnter (const juce::MouseEvent&) {}
    virtual void documentMouseExit (const juce::MouseEvent&) {}

    //==============================================================================
    bool isActive() const noexcept                    { return active; }

    /** The options component; owned by the tool, shown (borrowed) by a tool row. */
    SxComponent& getToolUIComponent() noexcept        { return *toolUIComponent; }

    /** The button's own click: toggleCurrent. */
    void buttonClicked (juce::Button*) override;

    /** The row that shows the button; not owned. Told of every activation change. */
    SxToolCallback* toolCallback = nullptr;
    /** A second listener to activation changes (an owner that shows the tool elsewhere). */
    SxToolCallback* secondToolCallback = nullptr;

    /** The canvas the tool works on; not owned. Set by selectTool and by the canvas before
        every event and paint it forwards; it stays set after deactivation. */
    void setDocument (SxDocumentCanvasServices* canvas);
    /** The canvas last set, or null once that canvas is gone. */
    SxDocumentCanvasServices* getDocument() const noexcept  { return canvasComponent != nullptr ? document : nullptr; }

protected:
    std::unique_ptr<SxComponent> toolUIComponent;

private:
    juce::Image normalImage, overImage, downImage;
    bool active = false;
    // An inactive tool keeps its canvas, which may go first: the component's safe pointer
    // tells whether the canvas is still there.
    SxDocumentCanvasServices* document = nullptr;
    juce::Component::SafePointer<juce::Component> canvasComponent;

    void showImages (const juce::Image& normal, const juce::Image& over, const juce::Image& down);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxTool)
};
