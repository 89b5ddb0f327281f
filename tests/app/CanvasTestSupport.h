#pragma once

#include "GenericAppDocument.h"
#include "MessagePump.h"
#include "SxTool.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** The document canvas with its view and caches open to the test, counting its paints. */
class TestCanvas : public GenericAppDocument
{
public:
    using GenericAppDocument::imageCache;
    using GenericAppDocument::overlayCache;
    using GenericAppDocument::topOverlayCache;
    using GenericAppDocument::maskCache;
    using GenericAppDocument::maskTint;

    /** Puts the image at zoom z with its top-left corner at o, as a pan or zoom would. */
    void place (float z, juce::Point<float> o)
    {
        zoom = z;
        origin = o;
    }

    void paint (juce::Graphics& g) override
    {
        ++paints;
        GenericAppDocument::paint (g);
    }

    int paints = 0;
};

/** A colour buffer filled with one word (bytes alpha, red, green, blue from the low end). */
inline SxRef<SxImageRgbaBytes> filledImage (int width, int height, uint32_t word)
{
    SxRef<SxImageRgbaBytes> image (new SxImageRgbaBytes (width, height));
    image->fill (word);
    return image;
}

/** The word of a straight-alpha pixel. */
constexpr uint32_t pixelWord (uint8_t a, uint8_t r, uint8_t g, uint8_t b)
{
    return (uint32_t) a | (uint32_t) r << 8 | (uint32_t) g << 16 | (uint32_t) b << 24;
}

/** A tool that writes down every call the canvas makes on it. */
class RecordingTool : public SxTool
{
public:
    RecordingTool() : SxTool ("recordingTool", {}, {}, {}) {}

    void documentMouseUp (const juce::MouseEvent&) override     { calls.add ("up"); }
    void documentMouseMove (const juce::MouseEvent&) override   { calls.add ("move"); }
    void documentMouseDown (const juce::MouseEvent&) override   { calls.add ("down"); }
    void documentMouseDrag (const juce::MouseEvent&) override   { calls.add ("drag"); }
    void documentMouseEnter (const juce::MouseEvent&) override  { calls.add ("enter"); }
    void documentMouseExit (const juce::MouseEvent&) override   { calls.add ("exit"); }
    void paintUnderlay (juce::Graphics&) override               { calls.add ("underlay"); }
    void paintOverlay (juce::Graphics&, const juce::Rectangle<float>& area) override
    {
        calls.add ("overlay");
        overlayArea = area;
    }
    void updateCursor() override                                { calls.add ("cursor"); }
    void setActive (bool active) override
    {
        calls.add (active ? "activate" : "deactivate");
        SxTool::setActive (active);
    }

    juce::StringArray calls;
    juce::Rectangle<float> overlayArea;
};

/** A window on the desktop holding nothing but a canvas that fills it. */
class CanvasWindow : public juce::Component
{
public:
    static constexpr int width = 1000, height = 800;

    CanvasWindow()
    {
        setSize (width, height);
        addAndMakeVisible (canvas);
        canvas.setBounds (getLocalBounds());
        setTopLeftPosition (0, 0);
        addToDesktop (juce::ComponentPeer::windowAppearsOnTaskbar);
        setVisible (true);
    }

    ~CanvasWindow() override
    {
        removeFromDesktop();
        sxgui::drainMessages();
    }

    TestCanvas canvas;
};

/** Stands in for a component's cached image and writes down every area the component asks
    to have repainted, instead of passing it on. The component owns it (recordRepaints). */
class RepaintRecorder : public juce::CachedComponentImage
{
public:
    explicit RepaintRecorder (juce::Component& c) : component (c) {}

    void paint (juce::Graphics&) override {}
    bool invalidateAll() override                                { areas.push_back (component.getLocalBounds()); return false; }
    bool invalidate (const juce::Rectangle<int>& area) override  { areas.push_back (area); return false; }
    void releaseResources() override {}

    std::vector<juce::Rectangle<int>> areas;

private:
    juce::Component& component;
};

/** Makes component visible (only visible components repaint) and records its repaints. */
inline RepaintRecorder& recordRepaints (juce::Component& component)
{
    auto* recorder = new RepaintRecorder (component);
    component.setVisible (true);
    component.setCachedComponentImage (recorder);
    recorder->areas.clear();   // attaching asks for one
    return *recorder;
}

/** Makes tool the canvas's active tool, as the main component's selectTool does. */
inline void makeCurrent (GenericAppDocument& canvas, SxTool& tool)
{
    tool.setDocument (&canvas);
    canvas.activeTool = &tool;
    tool.setActive (true);
}
