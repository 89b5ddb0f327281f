#pragma once

#include "GenericAppDocumentPaintCallback.h"
#include "RectBounds.h"
#include "SxDocumentCanvasServices.h"
#include "SxImageAlphaByte.h"
#include "SxImageRgbaBytes.h"
#include "SxPoint.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <cstdint>
#include <list>
#include <memory>
#include <vector>

class SxImageComponent;
class SxTransform;

/** The canvas in the middle of the main window: it shows the painting at a zoom and
    position of its own (the origin: where the image's top-left corner lies in the view),
    framed by a soft shadow over a checkerboard that shows transparency, with optional
    overlays on top, and lets the current tool, a layer wizard or the colour picker paint on
    it and receive its mouse events.

    Images. The displayed image, the two overlays and the mask tint are converted once into
    framework images (the caches) that paint draws; later changes are copied into the caches
    in place, by rectangle where the caller names one. The canvas holds one reference to the
    displayed image and to each overlay, none to the mask. The setters take the
    message-manager lock, so render threads may call them; everything else belongs to the
    message thread.

    Zoom and pan. zoomIn and zoomOut step through 0.125, 0.25, 0.5, 0.75, 1, 2, 4, 8 (and 16
    when coming down from above 8) keeping the image point under the view centre; setZoom
    keeps the zoom it is given (a pinch follows the fingers). pan and setZoom keep at least
    45 pixels of the image inside the view on each axis. fitInWindow and zoomAtPoint can
    animate: timer 100 steps every 30 ms for 400 ms on the sine ease-out, timed by SxClock,
    ending exactly on the target. A resize keeps the picture centred.

    Mouse. Each event goes to the mouse interceptor when one is set, and nowhere else.
    Otherwise the canvas keeps one live event per pressed pointer (getMouseEvents: one
    finger pans, two pinch) and hands the event to the active tool while an image is shown.

    Layout of the view: paint draws nothing but the image's frame, so the main component's
    background shows around it. Before the first image a "Drag Image Here" card sits in the
    middle (standalone only); the first image removes it for good.
*/
class GenericAppDocument : public juce::Component,
                           public juce::Button::Listener,
                           public juce::MultiTimer,
                           public SxDocumentCanvasServices
{
public:
    static constexpr int zoomAnimationTimer = 100;
    static constexpr int zoomAnimationInterval = 30, zoomAnimationDuration = 400;
    /** View pixels of the image that pan and setZoom keep inside the canvas on each axis. */
    static constexpr float keptVisible = 45.0f;

    GenericAppDocument();
    /** Releases the overlays and the image; the mask was never held. */
    ~GenericAppDocument() override;

    /** The most recently constructed canvas, null once it is gone. */
    static GenericAppDocument* getInstance() noexcept;

    //==============================================================================
    // Images (message-manager lock; any thread)

    /** Shown instead of the image while set; null removes it. */
    virtual void setOverlayImage (SxImageRgbaBytes* overlay);
    /** Shown over the image while set; null removes it. For the overlay already set, only
        area (null: all) is copied again. */
    virtual void setTopOverlayImage (SxImageRgbaBytes* overlay, const RectBounds* area);
    /** A mask shown as a translucent red tint over the image; null removes it. For the mask
        already set, only area (null: all) is tinted again. The canvas does not hold it:
        the caller keeps it alive while it is shown. */
    virtual void setMaskOverlay (SxImageAlphaByte* mask, const RectBounds* area);

    /** (0, 0, width - 1, height - 1) of the image; zeros without one. */
    virtual RectBounds getImageBounds() const;
    /** Where the image lies in view coordinates, last column and row included; zeros
        without an image. */
    virtual RectBounds getImageRectInView() const;
    /** Where an image of width x height lies at zoom with its corner at origin: its aspect
        (width - 1) : (height - 1) fitted into the zoomed size in whole pixels, the spare room
        split evenly; a single row or column unscaled. */
    static RectBounds placeImage (int width, int height, float zoom, juce::Point<float> origin);
    /** The image's longer side / 1024; 0 without an image. */
    virtual float getImageScale() const;
    /** x = width, y = height (0, 0 without an image). */
    virtual SxPoint getImageSize() const;

    /** Shows image (null: none) and drops the overlay; the placeholder card goes for good.
        A cache of the same size is refilled in place. */
    virtual void setImage (SxImageRgbaBytes* image);
    /** Swaps the shown image for a copy of its own, keeping the cached picture as it is:
        what the canvas holds stays valid while the stack's buffers are rendered again.
        Nothing without an image. */
    virtual void keepPrivateCopy();
    /** Copies area (image pixels, last column and row included) of the image into its
        cache again and repaints only where it shows. Nothing without an image. */
    virtual void updateImageRegion (const RectBounds& area);

    //==============================================================================
    // Zoom and pan (message thread)

    /** The toolbar's "zoomOutButton" and "zoomInButton" report here. */
    void buttonClicked (juce::Button* button) override;
    void timerCallback (int timerID) override;

    /** The next step down; nothing when no step is smaller. */
    virtual void zoomOut();
    /** The next step up; nothing when no step is larger. */
    virtual void zoomIn();
    /** Zoom given (kept as it is) around the view centre, within the 45-pixel rule;
        animated, the same target through the zoom animation. Non-positive zooms are
        refused. */
    virtual void setZoom (bool animate, float newZoom);
    /** The origin that keeps the view centre on the same image point at newZoom. */
    virtual SxPoint originForZoom (float newZoom) const;
    /** Not animated: setZoom. Animated: to newZoom (as given) with the point ending half-way
        between the view centre and where keeping the centre would put it. */
    virtual void zoomAtPoint (const SxPoint& viewPoint, bool animate, float newZoom);
    /** 95 % of the view, centred; nothing without an image. */
    virtual void fitInWindow (bool animate);
    /** One image pixel per view pixel, centred; nothing without an image. */
    virtual void actualSize();
    /** Moves the image by (dx, dy) but keeps 45 pixels of it inside the view on each axis;
        an axis that hit the limit comes back as 0. */
    virtual void pan (float& dx, float& dy);

    bool isAnimatingZoom() const  { return isTimerRunning (zoomAnimationTimer); }

    //==============================================================================
    // Mapping and probing

    /** zoom * point + origin; the record's other fields are copied. */
    SxPoint documentToView (const SxPoint& imagePoint) const;
    /** (point - origin) / zoom; the record's other fields are copied. */
    SxPoint viewToDocument (const SxPoint& viewPoint) const override;
    /** The image rectangle's corners mapped like points. */
    RectBounds documentRectToView (float x1, float y1, float x2, float y2) const;
    /** Draws placed (w x h pixels) at the placement's size, rotated by its orientation
        about its centre, into the view. */
    juce::AffineTransform getPlacementTransform (const SxTransform& placement, const SxImageRgbaBytes& placed) const;
    /** The image pixel under the view point (bytes alpha, red, green, blue); 0 outside the
        image or without one. */
    uint32_t getImageColorAt (const SxPoint& viewPoint) const override;

    /** A copy of the live events, one per pressed pointer, in the order they were pressed. */
    std::vector<juce::MouseEvent> getMouseEvents() const;

    //==============================================================================
    float getZoom() const noexcept                         { return zoom; }
    juce::Point<float> getOrigin() const noexcept          { return origin; }
    /** True while an image is shown. */
    bool hasImage() const noexcept                         { return imageCache.isValid(); }
    SxImageRgbaBytes* getImage() const noexcept            { return image.get(); }
    bool hasPlaceholder() const noexcept                   { return placeholder != nullptr; }

    juce::Component& getCanvasComponent() override        { return *this; }

    /** While set, the active tool's underlay and overlay are not painted (a full-size
        render is running). */
    bool suppressToolPaint = false;
    /** Paints last, over everything; not owned. */
    GenericAppDocumentPaintCallback* paintHook = nullptr;

    //==============================================================================
    void paint (juce::Graphics& g) override;
    void resized() override;
    void mouseMove (const juce::MouseEvent& e) override;
    void mouseEnter (const juce::MouseEvent& e) override;
    void mouseExit (const juce::MouseEvent& e) override;
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;

protected:
    struct ZoomAnimation
    {
        float startZoom = 0.0f, zoomChange = 0.0f, targetZoom = 0.0f;
        juce::Point<float> startOrigin, originChange, targetOrigin;
        juce::uint32 startTime = 0;   // 0 until the first step ran
        int elapsed = 0;
        int duration = 0;
    };

    float zoom = 1.0f;
    juce::Point<float> origin;

    SxRef<SxImageRgbaBytes> image;
    juce::Image imageCache;
    bool imageOpaque = false, overlayOpaque = false;   // nothing shows through: no background
    SxRef<SxImageRgbaBytes> overlayImage, topOverlayImage;
    juce::Image overlayCache, topOverlayCache;
    SxImageAlphaByte* maskImage = nullptr;
    SxRef<SxImageRgbaBytes> maskTint;
    juce::Image maskCache;

    ZoomAnimation animation;
    std::list<juce::MouseEvent> liveMouseEvents;

    /** The view centre, (width / 2, height / 2) in floating point. */
    juce::Point<float> getViewCentre() const;
    void startZoomAnimation (float targetZoom, juce::Point<float> targetOrigin);

private:
    std::unique_ptr<SxImageComponent> placeholder;
    juce::Point<float> previousSize;

    /** The image rectangle for the origin o (see getImageRectInView). */
    RectBounds imageRectFor (juce::Point<float> o) const;
    /** The active tool, given this canvas, when it should see events and paint. */
    SxTool* toolInCharge();
    void zoomKeepingCentre (float newZoom);
    void keepVisible();
    void zoomChanged();
    void paintShadow (juce::Graphics& g, const RectBounds& r) const;
    void paintBackground (juce::Graphics& g, juce::Rectangle<int> area) const;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GenericAppDocument)
};
