#include "HostCanvas.h"

namespace sxgui
{
    HostCanvas::HostCanvas()
        : juce::Component ("GenericAppDocument"),
          image (new SxImageRgbaBytes (imageWidth, imageHeight))
    {
        for (int y = 0; y < imageHeight; ++y)
            for (int x = 0; x < imageWidth; ++x)
                image->setPixel (0xff | (juce::uint32) (x & 0xff) << 8 | (juce::uint32) (y & 0xff) << 16 | 128u << 24, x, y);

        shown = image->toImage();
    }

    SxPoint HostCanvas::viewToDocument (const SxPoint& p) const
    {
        auto d = p;
        d.x = (p.x - origin.x) / zoom;
        d.y = (p.y - origin.y) / zoom;
        return d;
    }

    uint32_t HostCanvas::getImageColorAt (const SxPoint& viewPoint) const
    {
        const auto d = viewToDocument (viewPoint);

        if (d.x < 0.0f || d.y < 0.0f || d.x >= (float) imageWidth || d.y >= (float) imageHeight)
            return 0;

        return image->getPixel ((int) d.x, (int) d.y);
    }

    SxPoint HostCanvas::getImageSize() const
    {
        SxPoint size;
        size.x = (float) imageWidth;
        size.y = (float) imageHeight;
        return size;
    }

    void HostCanvas::setPixel (int x, int y, juce::uint32 colourWord)
    {
        image->setPixel (colourWord, x, y);
        shown = image->toImage();
        repaint();
    }

    void HostCanvas::paint (juce::Graphics& g)
    {
        g.fillAll (juce::Colour (120, 120, 120));
        g.drawImage (shown, { origin.x, origin.y, imageWidth * zoom, imageHeight * zoom });
    }

    void HostCanvas::mouseDown (const juce::MouseEvent& e)
    {
        if (! interceptMouse (&GenericAppDocumentMouseInterceptCallback::mouseDown, e))
            mouseEvents.add ("down");
    }

    void HostCanvas::mouseUp (const juce::MouseEvent& e)
    {
        if (! interceptMouse (&GenericAppDocumentMouseInterceptCallback::mouseUp, e))
            mouseEvents.add ("up");
    }

    void HostCanvas::mouseDrag (const juce::MouseEvent& e)
    {
        if (! interceptMouse (&GenericAppDocumentMouseInterceptCallback::mouseDrag, e))
            mouseEvents.add ("drag");
    }

    void HostCanvas::mouseMove (const juce::MouseEvent& e)
    {
        if (! interceptMouse (&GenericAppDocumentMouseInterceptCallback::mouseMove, e))
            mouseEvents.add ("move");
    }

    void HostCanvas::mouseEnter (const juce::MouseEvent& e)
    {
        if (! interceptMouse (&GenericAppDocumentMouseInterceptCallback::mouseEnter, e))
            mouseEvents.add ("enter");
    }

    void HostCanvas::mouseExit (const juce::MouseEvent& e)
    {
        if (! interceptMouse (&GenericAppDocumentMouseInterceptCallback::mouseExit, e))
            mouseEvents.add ("exit");
    }
}
