#pragma once

#include "SxDocumentCanvasServices.h"
#include "SxImageRgbaBytes.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace sxgui
{
    /** A stand-in for the document canvas: shows a 400 x 300 image at origin with zoom, maps
        points and samples colours as the real canvas does, routes its mouse events to the
        interceptor when one is set, takes file drops, and records what reached it.

        The image is a known ramp: pixel (x, y) is opaque with red x, green y (both modulo
        256) and blue 128, so a test can tell where a sample came from.
    */
    class HostCanvas : public juce::Component,
                       public SxDocumentCanvasServices,
                       public juce::FileDragAndDropTarget
    {
    public:
        static constexpr int imageWidth = 400, imageHeight = 300;

        HostCanvas();

        juce::Point<float> origin;
        float zoom = 1.0f;

        /** Every mouse event that reached the canvas itself: "down", "up", "drag", "move",
            "enter", "exit". Intercepted events are not recorded. */
        juce::StringArray mouseEvents;
        /** Every file that was dropped on the canvas, in order. */
        juce::StringArray droppedFiles;

        const SxImageRgbaBytes& getImage() const noexcept  { return *image; }

        juce::Component& getCanvasComponent() override  { return *this; }
        SxPoint viewToDocument (const SxPoint& viewPoint) const override;
        uint32_t getImageColorAt (const SxPoint& viewPoint) const override;
        SxPoint getImageSize() const override;

        /** Changes one pixel of the image (a colour word) and shows it. */
        void setPixel (int x, int y, juce::uint32 colourWord);

        bool isInterestedInFileDrag (const juce::StringArray&) override  { return true; }
        void filesDropped (const juce::StringArray& files, int, int) override  { droppedFiles.addArray (files); }

        void paint (juce::Graphics& g) override;
        void mouseDown (const juce::MouseEvent& e) override;
        void mouseUp (const juce::MouseEvent& e) override;
        void mouseDrag (const juce::MouseEvent& e) override;
        void mouseMove (const juce::MouseEvent& e) override;
        void mouseEnter (const juce::MouseEvent& e) override;
        void mouseExit (const juce::MouseEvent& e) override;

    private:
        SxRef<SxImageRgbaBytes> image;
        juce::Image shown;

        JUCE_DECLARE_NON_COPYABLE (HostCanvas)
    };
}
