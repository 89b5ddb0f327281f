#include "GenericAppDocument.h"

#include "EaseValue.h"
#include "GenericAppComponent.h"
#include "SettingsKeys.h"
#include "SxClock.h"
#include "SxImageComponent.h"
#include "SxRelativeBounds.h"
#include "SxTool.h"
#include "SxTransform.h"
#include "SxWidgetArt.h"

#include <cmath>

namespace
{
    GenericAppDocument* instance = nullptr;

    /** The tint of a mask overlay: alpha 0x59, red 255 (bytes alpha, red, green, blue). */
    constexpr uint32_t maskColour = 0xFF59;

    /** Sine ease-out, the kit's curve 1. */
    constexpr int zoomEasing = 1;

    /** A framework image holding buffer's pixels, premultiplied; null for a buffer without
        pixels. A plain image rather than one over the buffer: the cache outlives the buffer
        it was made from when later images of the same size are copied into it. */
    juce::Image makeCache (SxImageRgbaBytes& buffer)
    {
        if (buffer.pixels == nullptr || buffer.width <= 0 || buffer.height <= 0)
            return {};

        juce::Image cache (juce::Image::ARGB, buffer.width, buffer.height, false, juce::SoftwareImageType());
        RectBounds all;
        buffer.copyToImage (cache, all, false);
        return cache;
    }

    /** Copies area (null: all) of buffer into cache when their sizes agree, otherwise makes
        the cache anew; then the cache's listeners hear of the change. */
    void refillCache (juce::Image& cache, SxImageRgbaBytes& buffer, const RectBounds* area)
    {
        if (cache.isValid() && cache.getWidth() == buffer.width && cache.getHeight() == buffer.height)
        {
            RectBounds rect = area != nullptr ? *area : RectBounds();
            buffer.copyToImage (cache, rect, true);
            return;
        }

        cache = makeCache (buffer);
    }

    /** area clipped to (0, 0, width - 1, height - 1); null means all of it. */
    RectBounds clippedTo (const RectBounds* area, int width, int height)
    {
        const RectBounds all { 0.0f, 0.0f, (float) (width - 1), (float) (height - 1) };
        if (area == nullptr)
            return all;

        return { juce::jlimit (all.left, all.right, area->left), juce::jlimit (all.top, all.bottom, area->top),
                 juce::jlimit (all.left, all.right, area->right), juce::jlimit (all.top, all.bottom, area->bottom) };
    }

    /** True when every pixel of area (null: all) of buffer is opaque. */
    bool allOpaque (const SxImageRgbaBytes& buffer, const RectBounds* area)
    {
        if (buffer.pixels == nullptr)
            return false;

        const auto r = clippedTo (area, buffer.width, buffer.height);
        for (int y = (int) r.top; y <= (int) r.bottom; ++y)
        {
            const uint8_t* p = buffer.getRowPointer (y) + (size_t) r.left * 4;
            for (int x = (int) r.left; x <= (int) r.right; ++x, p += 4)
                if (p[0] != 255)
                    return false;
        }
        return true;
    }

    /** 16 x 16 pixels of the transparency checkerboard (8-pixel squares of 0.9 and 0.5 grey
        at 40 % over grey 120), painted once; filling with it as a tile gives the same
        pixels as filling the squares one by one, at a tenth of the cost. */
    const juce::Image& checkerTile()
    {
        static const juce::Image tile = []
        {
            juce::Image image (juce::Image::RGB, 16, 16, true, juce::SoftwareImageType());
            juce::Graphics g (image);
            g.fillAll (juce::Colour (120, 120, 120));
            g.fillCheckerBoard ({ 0.0f, 0.0f, 16.0f, 16.0f }, 8.0f, 8.0f, juce::Colour::fromFloatRGBA (0.9f, 0.9f, 0.9f, 0.4f),
                                juce::Colour::fromFloatRGBA (0.5f, 0.5f, 0.5f, 0.4f));
            return image;
        }();
        return tile;
    }

    /** The next zoom step down from z (steps 0.125 to 8, and 16 from above 8). */
    float stepDown (float z)
    {
        if (z <= 0.25f) return 0.125f;
        if (z <= 0.5f)  return 0.25f;
        if (z <= 0.75f) return 0.5f;
        if (z <= 1.0f)  return 0.75f;
        if (z <= 2.0f)  return 1.0f;
        if (z <= 4.0f)  return 2.0f;
        if (z <= 8.0f)  return 4.0f;
        if (z <= 16.0f) return 8.0f;
        return 16.0f;
    }

    /** The next zoom step up from z (steps 0.125 to 8). */
    float stepUp (float z)
    {
        if (z >= 4.0f)   return 8.0f;
        if (z >= 2.0f)   return 4.0f;
        if (z >= 1.0f)   return 2.0f;
        if (z >= 0.75f)  return 1.0f;
        if (z >= 0.5f)   return 0.75f;
        if (z >= 0.25f)  return 0.5f;
        if (z >= 0.125f) return 0.25f;
        return 0.125f;
    }

    struct ShadowPieces
    {
        juce::Image topLeft, topRight, bottomLeft, bottomRight, top, bottom, left, right;
    };

    const ShadowPieces& shadowPieces()
    {
        static const ShadowPieces pieces {
            SxWidgetArt::get (WidgetArt::canvasShadowTopLeft),    SxWidgetArt::get (WidgetArt::canvasShadowTopRight),
            SxWidgetArt::get (WidgetArt::canvasShadowBottomLeft), SxWidgetArt::get (WidgetArt::canvasShadowBottomRight),
            SxWidgetArt::get (WidgetArt::canvasShadowTop),        SxWidgetArt::get (WidgetArt::canvasShadowBottom),
            SxWidgetArt::get (WidgetArt::canvasShadowLeft),       SxWidgetArt::get (WidgetArt::canvasShadowRight),
        };
        return pieces;
    }
}

//==============================================================================
GenericAppDocument::GenericAppDocument()
    : juce::Component ("GenericAppDocument")
{
    instance = this;

    // The invitation to drop an image; there is no dropping in a plug-in host.
    auto* main = GenericAppComponent::getInstance();
    if (main == nullptr || main->isHost (GenericAppComponent::standaloneHost))
    {
        placeholder = std::make_unique<SxImageComponent> ("placeholder");
        placeholder->setImage (SxWidgetArt::get (WidgetArt::canvasPlaceholder), juce::RectanglePlacement::stretchToFit);
        placeholder->setInterceptsMouseClicks (false, false);
        addAndMakeVisible (*placeholder);
        SxRelativeBounds::apply (*placeholder, "(parent.width / 2) - (width / 2), (parent.height / 2) - (height / 2), left + 273, top + 273");
    }
}

GenericAppDocument::~GenericAppDocument()
{
    stopTimer (zoomAnimationTimer);

    if (activeTool != nullptr && activeTool->getDocument() == this)
        activeTool->setDocument (nullptr);

    overlayImage.reset();
    topOverlayImage.reset();
    maskImage = nullptr;
    maskTint.reset();
    placeholder.reset();
    deleteAllChildren();

    if (instance == this)
        instance = nullptr;
}

GenericAppDocument* GenericAppDocument::getInstance() noexcept
{
    return instance;
}

//==============================================================================
void GenericAppDocument::setImage (SxImageRgbaBytes* newImage)
{
    const juce::MessageManagerLock lock;

    setOverlayImage (nullptr);
    placeholder.reset();

    if (newImage == nullptr)
    {
        image.reset();
        imageCache = {};
    }
    else
    {
        image = SxRef<SxImageRgbaBytes>::share (newImage);
        refillCache (imageCache, *newImage, nullptr);
        imageOpaque = allOpaque (*newImage, nullptr);
    }

    repaint();
}

void GenericAppDocument::keepPrivateCopy()
{
    const juce::MessageManagerLock lock;

    if (image)
        image = SxRef<SxImageRgbaBytes> (image->clone());
}

void GenericAppDocument::updateImageRegion (const RectBounds& area)
{
    const juce::MessageManagerLock lock;

    if (! image || ! hasImage())
        return;

    setOverlayImage (nullptr);

    auto clipped = clippedTo (&area, image->width, image->height);
    image->copyToImage (imageCache, clipped, true);
    imageOpaque = imageOpaque && allOpaque (*image, &clipped);

    // The view rectangle from the area as asked, not as clipped.
    const float x1 = std::floor (area.left) * zoom + origin.x;
    const float y1 = std::floor (area.top) * zoom + origin.y;
    const float x2 = std::ceil (std::ceil (area.right + 1.0f) * zoom + origin.x);
    const float y2 = std::ceil (std::ceil (area.bottom + 1.0f) * zoom + origin.y);
    repaint ((int) x1, (int) y1, (int) (x2 - x1), (int) (y2 - y1));
}

void GenericAppDocument::setOverlayImage (SxImageRgbaBytes* overlay)
{
    const juce::MessageManagerLock lock;

    if (overlay == nullptr)
    {
        if (! overlayImage)
            return;

        overlayImage.reset();
        overlayCache = {};
        repaint();
        return;
    }

    if (overlay != overlayImage.get())
        overlayImage = SxRef<SxImageRgbaBytes>::share (overlay);

    refillCache (overlayCache, *overlay, nullptr);
    overlayOpaque = allOpaque (*overlay, nullptr);
    repaint();
}

void GenericAppDocument::setTopOverlayImage (SxImageRgbaBytes* overlay, const RectBounds* area)
{
    const juce::MessageManagerLock lock;

    if (overlay == nullptr)
    {
        if (! topOverlayImage)
            return;

        topOverlayImage.reset();
        topOverlayCache = {};
        repaint();
        return;
    }

    const bool same = overlay == topOverlayImage.get();
    if (! same)
        topOverlayImage = SxRef<SxImageRgbaBytes>::share (overlay);

    refillCache (topOverlayCache, *overlay, same ? area : nullptr);
    repaint();
}

void GenericAppDocument::setMaskOverlay (SxImageAlphaByte* mask, const RectBounds* area)
{
    const juce::MessageManagerLock lock;

    if (mask == nullptr)
    {
        maskImage = nullptr;
        maskTint.reset();
        maskCache = {};
        repaint();
        return;
    }

    auto tintWhole = [this]
    {
        maskTint->clear();
        maskTint->fillColourThroughMask (maskColour, maskImage);
        maskCache = makeCache (*maskTint);
    };

    if (mask != maskImage)
    {
        if (! maskTint || maskTint->width != mask->width || maskTint->height != mask->height)
            maskTint = SxRef<SxImageRgbaBytes> (new SxImageRgbaBytes (mask->width, mask->height));

        maskImage = mask;
        tintWhole();
    }
    else if (maskCache.isValid() && maskCache.getWidth() == maskTint->width && maskCache.getHeight() == maskTint->height)
    {
        auto rect = clippedTo (area, mask->width, mask->height);
        maskTint->fillRect (rect, 0);
        maskTint->fillColourThroughMask (maskColour, maskImage, &rect);
        maskTint->copyToImage (maskCache, rect, true);
    }
    else
    {
        tintWhole();
    }

    repaint();
}

//==============================================================================
RectBounds GenericAppDocument::getImageBounds() const
{
    if (! hasImage())
        return { 0.0f, 0.0f, 0.0f, 0.0f };

    return { 0.0f, 0.0f, (float) (imageCache.getWidth() - 1), (float) (imageCache.getHeight() - 1) };
}

RectBounds GenericAppDocument::getImageRectInView() const
{
    return imageRectFor (origin);
}

RectBounds GenericAppDocument::imageRectFor (juce::Point<float> o) const
{
    if (! hasImage())
        return { 0.0f, 0.0f, 0.0f, 0.0f };

    return placeImage (imageCache.getWidth(), imageCache.getHeight(), zoom, o);
}

RectBounds GenericAppDocument::placeImage (int w, int h, float zoom, juce::Point<float> o)
{
    // A single row or column is placed as it is: its aspect has nothing to fit.
    if (w - 1 == 0 || h - 1 == 0)
        return { o.x, o.y, (float) (w - 1) + o.x, (float) (h - 1) + o.y };

    // The aspect (w - 1) : (h - 1) fitted into the zoomed size in whole pixels, the spare
    // room split evenly. 64-bit: the products pass 2^31 for large images at high zooms.
    const juce::int64 a = (juce::int64) (zoom * (float) w) - 1;
    const juce::int64 b = (juce::int64) (zoom * (float) h) - 1;
    juce::int64 fw = a, fh = a * (h - 1) / (w - 1);
    if (fh > b)
    {
        fh = b;
        fw = b * (w - 1) / (h - 1);
    }
    const auto dx = (a - fw) / 2, dy = (b - fh) / 2;
    return { (float) dx + o.x, (float) dy + o.y, (float) (dx + fw) + o.x, (float) (dy + fh) + o.y };
}

float GenericAppDocument::getImageScale() const
{
    if (! hasImage())
        return 0.0f;

    return (float) juce::jmax (imageCache.getWidth(), imageCache.getHeight()) * (1.0f / 1024.0f);
}

SxPoint GenericAppDocument::getImageSize() const
{
    SxPoint size;
    size.weight = 1.0f;
    if (hasImage())
    {
        size.x = (float) imageCache.getWidth();
        size.y = (float) imageCache.getHeight();
    }
    return size;
}

//==============================================================================
SxPoint GenericAppDocument::documentToView (const SxPoint& p) const
{
    auto v = p;
    v.x = zoom * p.x + origin.x;
    v.y = zoom * p.y + origin.y;
    return v;
}

SxPoint GenericAppDocument::viewToDocument (const SxPoint& p) const
{
    auto d = p;
    d.x = p.x / zoom - origin.x / zoom;
    d.y = p.y / zoom - origin.y / zoom;
    return d;
}

RectBounds GenericAppDocument::documentRectToView (float x1, float y1, float x2, float y2) const
{
    return { x1 * zoom + origin.x, y1 * zoom + origin.y, x2 * zoom + origin.x, y2 * zoom + origin.y };
}

juce::AffineTransform GenericAppDocument::getPlacementTransform (const SxTransform& placement, const SxImageRgbaBytes& placed) const
{
    if (placed.width <= 0 || placed.height <= 0)
        return {};

    const float sw = placement.size.x * zoom, sh = placement.size.y * zoom;
    return juce::AffineTransform::scale (placement.size.x / (float) placed.width * zoom, placement.size.y / (float) placed.height * zoom)
        .translated (-0.5f * sw, -0.5f * sh)
        .rotated ((float) -placement.orientation)
        .translated (0.5f * sw, 0.5f * sh)
        .translated (origin)
        .translated ((placement.center.x - 0.5f * placement.size.x) * zoom, (placement.center.y - 0.5f * placement.size.y) * zoom);
}

uint32_t GenericAppDocument::getImageColorAt (const SxPoint& viewPoint) const
{
    if (! image || ! hasImage() || ! (zoom > 0.0f))
        return 0;

    const float x = (viewPoint.x - origin.x) / zoom;
    const float y = (viewPoint.y - origin.y) / zoom;
    if (! (x >= 0.0f && y >= 0.0f && x < (float) image->width && y < (float) image->height))
        return 0;

    return image->getPixel ((int) x, (int) y);
}

std::vector<juce::MouseEvent> GenericAppDocument::getMouseEvents() const
{
    std::vector<juce::MouseEvent> events;
    events.reserve (liveMouseEvents.size());
    for (auto& e : liveMouseEvents)
        events.push_back (e);
    return events;
}

//==============================================================================
juce::Point<float> GenericAppDocument::getViewCentre() const
{
    return { (float) getWidth() * 0.5f, (float) getHeight() * 0.5f };
}

void GenericAppDocument::zoomChanged()
{
    repaint();
    if (activeTool != nullptr)
        activeTool->updateCursor();
}

void GenericAppDocument::zoomKeepingCentre (float newZoom)
{
    const auto centre = getViewCentre();
    const auto p = (origin - centre) / zoom;
    zoom = newZoom;
    origin = centre + p * newZoom;
}

void GenericAppDocument::keepVisible()
{
    if (! hasImage())
        return;

    const float w = (float) getWidth(), h = (float) getHeight();
    const float iw = (float) imageCache.getWidth() * zoom, ih = (float) imageCache.getHeight() * zoom;

    if (origin.x >= w - keptVisible)   origin.x = w - keptVisible;
    if (origin.x + iw <= keptVisible)  origin.x = keptVisible - iw;
    if (origin.y >= h - keptVisible)   origin.y = h - keptVisible;
    if (origin.y + ih <= keptVisible)  origin.y = keptVisible - ih;
}

void GenericAppDocument::zoomOut()
{
    // Coming down from below the smallest step would enlarge: there is no step left.
    const float next = stepDown (zoom);
    if (! (next < zoom))
        return;

    stopTimer (zoomAnimationTimer);
    zoomKeepingCentre (next);
    zoomChanged();
}

void GenericAppDocument::zoomIn()
{
    // Going up from above the largest step would shrink: there is no step left.
    const float next = stepUp (zoom);
    if (! (next > zoom))
        return;

    stopTimer (zoomAnimationTimer);
    zoomKeepingCentre (next);
    zoomChanged();
}

void GenericAppDocument::setZoom (bool animate, float newZoom)
{
    if (! (newZoom > 0.0f) || ! std::isfinite (newZoom))
        return;

    const auto oldZoom = zoom;
    const auto oldOrigin = origin;
    zoomKeepingCentre (newZoom);
    keepVisible();

    if (animate)
    {
        const auto target = origin;
        zoom = oldZoom;
        origin = oldOrigin;
        startZoomAnimation (newZoom, target);
        return;
    }

    stopTimer (zoomAnimationTimer);
    zoomChanged();
}

SxPoint GenericAppDocument::originForZoom (float newZoom) const
{
    const auto centre = getViewCentre();
    SxPoint o;
    o.x = centre.x + newZoom * (origin.x - centre.x) / zoom;
    o.y = centre.y + newZoom * (origin.y - centre.y) / zoom;
    return o;
}

void GenericAppDocument::zoomAtPoint (const SxPoint& viewPoint, bool animate, float newZoom)
{
    if (! animate)
    {
        setZoom (false, newZoom);
        return;
    }

    if (! (newZoom > 0.0f) || ! std::isfinite (newZoom))
        return;

    const auto q = originForZoom (newZoom);
    const juce::Point<float> c ((float) (getWidth() / 2), (float) (getHeight() / 2));
    const float k = newZoom / zoom * 0.5f;
    startZoomAnimation (newZoom, { q.x + k * (c.x - viewPoint.x), q.y + k * (c.y - viewPoint.y) });
}

void GenericAppDocument::fitInWindow (bool animate)
{
    if (! hasImage())
        return;

    const float iw = (float) imageCache.getWidth(), ih = (float) imageCache.getHeight();
    const float fit = juce::jmin (0.95f * (float) getWidth() / iw, 0.95f * (float) getHeight() / ih);
    if (! (fit > 0.0f))
        return;   // a canvas without room has nothing to fit into

    const juce::Point<float> target (((float) getWidth() - iw * fit) * 0.5f, ((float) getHeight() - ih * fit) * 0.5f);

    if (animate)
    {
        startZoomAnimation (fit, target);
        return;
    }

    stopTimer (zoomAnimationTimer);
    zoom = fit;
    origin = target;
    zoomChanged();
}

void GenericAppDocument::actualSize()
{
    if (! hasImage())
        return;

    stopTimer (zoomAnimationTimer);
    zoom = 1.0f;
    origin = { ((float) getWidth() - (float) imageCache.getWidth()) * 0.5f,
               ((float) getHeight() - (float) imageCache.getHeight()) * 0.5f };
    zoomChanged();
}

void GenericAppDocument::pan (float& dx, float& dy)
{
    const float iw = hasImage() ? (float) imageCache.getWidth() * zoom : 0.0f;
    const float ih = hasImage() ? (float) imageCache.getHeight() * zoom : 0.0f;

    auto keepAxis = [] (float& o, float& d, float size, float extent)
    {
        if (o + d >= size - keptVisible)
        {
            d = 0.0f;
            o = size - keptVisible;
        }
        if (o + d + extent <= keptVisible)
        {
            d = 0.0f;
            o = keptVisible - extent;
        }
    };

    // A drag takes over from a running zoom animation, which would move the view back.
    stopTimer (zoomAnimationTimer);
    keepAxis (origin.x, dx, (float) getWidth(), iw);
    keepAxis (origin.y, dy, (float) getHeight(), ih);
    origin += { dx, dy };
    repaint();
}

void GenericAppDocument::startZoomAnimation (float targetZoom, juce::Point<float> targetOrigin)
{
    animation.startZoom = zoom;
    animation.startOrigin = origin;
    animation.targetZoom = targetZoom;
    animation.targetOrigin = targetOrigin;
    animation.zoomChange = targetZoom - zoom;
    animation.originChange = targetOrigin - origin;
    animation.startTime = 0;
    animation.elapsed = 0;
    animation.duration = zoomAnimationDuration;
    startTimer (zoomAnimationTimer, zoomAnimationInterval);
}

void GenericAppDocument::timerCallback (int timerID)
{
    if (timerID != zoomAnimationTimer)
        return;

    stopTimer (zoomAnimationTimer);

    const auto now = SxClock::getMillisecondCounter();
    if (animation.startTime == 0)
        animation.startTime = now;

    auto& a = animation;
    a.elapsed = (int) juce::jmin ((juce::uint32) a.duration, now - a.startTime);

    if (a.elapsed >= a.duration)
    {
        // Exactly on the target: start + (target - start) need not give the target back.
        zoom = a.targetZoom;
        origin = { std::trunc (a.targetOrigin.x), std::trunc (a.targetOrigin.y) };
    }
    else
    {
        const auto t = (float) a.elapsed, d = (float) a.duration;
        zoom = easeValue (zoomEasing, t, a.startZoom, a.zoomChange, d);
        origin = { std::trunc (easeValue (zoomEasing, t, a.startOrigin.x, a.originChange.x, d)),
                   std::trunc (easeValue (zoomEasing, t, a.startOrigin.y, a.originChange.y, d)) };
    }

    zoomChanged();

    if (a.elapsed < a.duration)
        startTimer (zoomAnimationTimer, zoomAnimationInterval);
}

void GenericAppDocument::buttonClicked (juce::Button* button)
{
    if (button == nullptr)
        return;

    if (button->getName() == "zoomOutButton")
        zoomOut();
    else if (button->getName() == "zoomInButton")
        zoomIn();
}

void GenericAppDocument::resized()
{
    juce::Component::resized();

    const juce::Point<float> size ((float) getWidth(), (float) getHeight());
    if (previousSize != juce::Point<float>())
        origin += (size - previousSize) * 0.5f;
    previousSize = size;
}

//==============================================================================
SxTool* GenericAppDocument::toolInCharge()
{
    if (activeTool == nullptr || ! activeTool->isActive() || ! hasImage())
        return nullptr;

    activeTool->setDocument (this);
    return activeTool;
}

void GenericAppDocument::mouseMove (const juce::MouseEvent& e)
{
    if (interceptMouse (&GenericAppDocumentMouseInterceptCallback::mouseMove, e))
        return;
    if (auto* tool = toolInCharge())
        tool->documentMouseMove (e);
}

void GenericAppDocument::mouseEnter (const juce::MouseEvent& e)
{
    if (interceptMouse (&GenericAppDocumentMouseInterceptCallback::mouseEnter, e))
        return;
    if (auto* tool = toolInCharge())
        tool->documentMouseEnter (e);
}

void GenericAppDocument::mouseExit (const juce::MouseEvent& e)
{
    if (interceptMouse (&GenericAppDocumentMouseInterceptCallback::mouseExit, e))
        return;
    if (auto* tool = toolInCharge())
        tool->documentMouseExit (e);
}

void GenericAppDocument::mouseDown (const juce::MouseEvent& e)
{
    if (interceptMouse (&GenericAppDocumentMouseInterceptCallback::mouseDown, e))
        return;

    // One entry per pressed pointer: a press whose release went elsewhere (to an
    // interceptor, past a modal state) must not leave a second finger behind.
    liveMouseEvents.remove_if ([&e] (const juce::MouseEvent& live) { return live.source == e.source; });
    liveMouseEvents.push_back (e);

    if (auto* tool = toolInCharge())
        tool->documentMouseDown (e);
}

void GenericAppDocument::mouseDrag (const juce::MouseEvent& e)
{
    if (interceptMouse (&GenericAppDocumentMouseInterceptCallback::mouseDrag, e))
        return;

    for (auto it = liveMouseEvents.begin(); it != liveMouseEvents.end(); ++it)
        if (it->source == e.source)
        {
            liveMouseEvents.insert (liveMouseEvents.erase (it), e);
            break;
        }

    if (auto* tool = toolInCharge())
        tool->documentMouseDrag (e);
}

void GenericAppDocument::mouseUp (const juce::MouseEvent& e)
{
    if (interceptMouse (&GenericAppDocumentMouseInterceptCallback::mouseUp, e))
        return;

    // Also without an image, or every press before the first image would stay "pressed".
    if (liveMouseEvents.size() >= 2)
        liveMouseEvents.remove_if ([&e] (const juce::MouseEvent& live) { return live.source == e.source; });
    else
        liveMouseEvents.clear();

    if (auto* tool = toolInCharge())
        tool->documentMouseUp (e);
}

//==============================================================================
void GenericAppDocument::paint (juce::Graphics& g)
{
    if (! hasImage())
        return;

    auto* tool = suppressToolPaint ? nullptr : toolInCharge();
    if (tool != nullptr)
        tool->paintUnderlay (g);

    const auto r = imageRectFor ({ std::trunc (origin.x), std::trunc (origin.y) });
    paintShadow (g, r);

    const juce::Rectangle<int> area ((int) r.left, (int) r.top, (int) (r.right - r.left) + 1, (int) (r.bottom - r.top) + 1);
    // An opaque picture covers its background entirely.
    if (! (overlayCache.isValid() ? overlayOpaque : imageOpaque))
        paintBackground (g, area);

    const auto target = area.toFloat();
    g.setImageResamplingQuality (juce::Graphics::mediumResamplingQuality);
    g.drawImage (overlayCache.isValid() ? overlayCache : imageCache, target);
    if (topOverlayCache.isValid())
        g.drawImage (topOverlayCache, target);
    if (maskCache.isValid())
        g.drawImage (maskCache, target);

    if (tool != nullptr)
        tool->paintOverlay (g, target);

    if (paintHook != nullptr)
        paintHook->paintOverDocument (this, g);
}

void GenericAppDocument::paintShadow (juce::Graphics& g, const RectBounds& r) const
{
    constexpr int half = 22;   // the pieces are drawn at half their pixel size
    const int left = (int) (r.left + 5.0f), top = (int) (r.top + 5.0f);
    const int right = (int) (r.right - 3.0f), bottom = (int) (r.bottom - 3.0f);
    const auto& pieces = shadowPieces();

    g.setOpacity (0.7f);
    g.setImageResamplingQuality (juce::Graphics::lowResamplingQuality);

    auto draw = [&g] (const juce::Image& piece, int x, int y, int w, int h)
    {
        if (w > 0 && h > 0)
            g.drawImage (piece, x, y, w, h, 0, 0, piece.getWidth(), piece.getHeight());
    };

    draw (pieces.topLeft,     left - half, top - half, half, half);
    draw (pieces.topRight,    right,       top - half, half, half);
    draw (pieces.bottomLeft,  left - half, bottom,     half, half);
    draw (pieces.bottomRight, right,       bottom,     half, half);
    draw (pieces.top,         left,        top - half, right - left, half);
    draw (pieces.bottom,      left,        bottom,     right - left, half);
    draw (pieces.left,        left - half, top,        half, bottom - top);
    draw (pieces.right,       right,       top,        half, bottom - top);

    g.setOpacity (1.0f);
}

void GenericAppDocument::paintBackground (juce::Graphics& g, juce::Rectangle<int> area) const
{
    auto* main = GenericAppComponent::getInstance();
    if (main != nullptr && ! main->drawsDocumentBackground())
        return;

    auto background = juce::Colour (255, 255, 255).withAlpha ((juce::uint8) 0);
    if (main != nullptr)
        if (auto* settings = main->getSettings())
            background = settings->get (SettingsKeys::backgroundColor);

    const juce::Graphics::ScopedSaveState state (g);
    if (! background.isOpaque())
    {
        g.setTiledImageFill (checkerTile(), area.getX(), area.getY(), 1.0f);
        g.fillRect (area);
    }
    if (! background.isTransparent())
    {
        g.setColour (background);
        g.fillRect (area);
    }
}
