#include "CanvasTestSupport.h"
#include "GoldenImage.h"
#include "RecordingAppComponent.h"
#include "ScopedUserFolders.h"
#include "SettingsKeys.h"

#include <gtest/gtest.h>

#include <set>

namespace
{
    /** The straight-alpha word of a cached framework image's pixel. */
    uint32_t cachedWord (const juce::Image& cache, int x, int y)
    {
        const auto c = cache.getPixelAt (x, y);
        return pixelWord (c.getAlpha(), c.getRed(), c.getGreen(), c.getBlue());
    }

    /** A translucent ramp: colour across, alpha down, fully clear in the top rows. */
    SxRef<SxImageRgbaBytes> translucentRamp (int w, int h)
    {
        SxRef<SxImageRgbaBytes> image (new SxImageRgbaBytes (w, h));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                image->setPixel (pixelWord ((uint8_t) juce::jlimit (0, 255, (y - 4) * 255 / (h - 8)),
                                            (uint8_t) (255 - x * 255 / (w - 1)), (uint8_t) (60 + x * 120 / (w - 1)), 200),
                                 x, y);
        return image;
    }

    juce::Image snapshot (juce::Component& c)
    {
        return c.createComponentSnapshot (c.getLocalBounds(), true, 1.0f);
    }

    /** The colours inside an area of a snapshot, to tell a checkerboard from a flat fill. */
    std::set<juce::uint32> coloursIn (const juce::Image& image, juce::Rectangle<int> area)
    {
        std::set<juce::uint32> colours;
        for (int y = area.getY(); y < area.getBottom(); ++y)
            for (int x = area.getX(); x < area.getRight(); ++x)
                colours.insert (image.getPixelAt (x, y).getARGB());
        return colours;
    }
}

TEST (CanvasImage, TheFirstImageRemovesThePlaceholderForGood)
{
    TestCanvas canvas;
    canvas.setSize (1000, 800);
    ASSERT_TRUE (canvas.hasPlaceholder());
    auto* card = canvas.getChildComponent (0);
    ASSERT_NE (card, nullptr);
    auto isCentred = [&] { return card->getBounds().getCentre().getDistanceFrom (canvas.getLocalBounds().getCentre()) <= 1; };
    EXPECT_EQ (card->getBounds().getWidth(), 273) << "half its pixel size";
    EXPECT_EQ (card->getBounds().getHeight(), 273);
    EXPECT_TRUE (isCentred());
    bool clicksOnCard = true, clicksOnItsChildren = true;
    card->getInterceptsMouseClicks (clicksOnCard, clicksOnItsChildren);
    EXPECT_FALSE (clicksOnCard) << "clicks go to the canvas";
    EXPECT_FALSE (clicksOnItsChildren);
    canvas.setSize (600, 400);
    EXPECT_TRUE (isCentred()) << "it follows the canvas";

    auto picture = filledImage (40, 30, pixelWord (255, 1, 2, 3));
    canvas.setImage (picture.get());
    EXPECT_FALSE (canvas.hasPlaceholder());
    EXPECT_EQ (canvas.getNumChildComponents(), 0);

    canvas.setImage (nullptr);
    EXPECT_FALSE (canvas.hasImage());
    EXPECT_FALSE (canvas.hasPlaceholder()) << "it does not come back";
}

TEST (CanvasImage, InAPluginHostThereIsNoPlaceholder)
{
    ScopedUserFolders folders;
    RecordingAppComponent component;
    component.setHostKind (GenericAppComponent::photosHost);
    TestCanvas canvas;
    EXPECT_FALSE (canvas.hasPlaceholder());
}

TEST (CanvasImage, ASameSizedImageIsCopiedIntoTheCacheItAlreadyHas)
{
    TestCanvas canvas;
    auto first = filledImage (40, 30, pixelWord (255, 200, 100, 50));
    canvas.setImage (first.get());
    ASSERT_TRUE (canvas.hasImage());
    EXPECT_EQ (first->getReferenceCount(), 2) << "the canvas holds one reference";
    EXPECT_EQ (cachedWord (canvas.imageCache, 5, 5), pixelWord (255, 200, 100, 50));
    const auto* cacheData = canvas.imageCache.getPixelData();

    auto second = filledImage (40, 30, pixelWord (128, 255, 0, 0));
    canvas.setImage (second.get());
    EXPECT_EQ (canvas.imageCache.getPixelData(), cacheData) << "the same framework image, refilled";
    EXPECT_EQ (canvas.imageCache.getPixelAt (5, 5).getAlpha(), 128);
    EXPECT_EQ (canvas.imageCache.getPixelAt (5, 5).getRed(), 255);
    EXPECT_EQ (first->getReferenceCount(), 1) << "the earlier image is let go";

    auto larger = filledImage (41, 30, pixelWord (255, 0, 0, 255));
    canvas.setImage (larger.get());
    EXPECT_NE (canvas.imageCache.getPixelData(), cacheData);
    EXPECT_EQ (canvas.imageCache.getWidth(), 41);

    SxRef<SxImageRgbaBytes> empty (new SxImageRgbaBytes());
    canvas.setImage (empty.get());
    EXPECT_FALSE (canvas.hasImage()) << "a buffer without pixels shows nothing";
    EXPECT_EQ (canvas.getImageColorAt ({ 0.0f, 0.0f }), 0u);

    canvas.setImage (nullptr);
    EXPECT_EQ (empty->getReferenceCount(), 1);
}

TEST (CanvasImage, ARegionUpdateCopiesOnlyItsRectangle)
{
    TestCanvas canvas;
    canvas.updateImageRegion ({ 0.0f, 0.0f, 5.0f, 5.0f });   // no image: nothing

    auto picture = filledImage (20, 10, pixelWord (255, 10, 10, 10));
    canvas.setImage (picture.get());
    auto overlay = filledImage (20, 10, pixelWord (255, 1, 1, 1));
    canvas.setOverlayImage (overlay.get());

    picture->fill (pixelWord (255, 90, 90, 90));
    canvas.updateImageRegion ({ 2.0f, 3.0f, 5.0f, 40.0f });   // runs past the bottom: clipped
    EXPECT_EQ (cachedWord (canvas.imageCache, 2, 3), pixelWord (255, 90, 90, 90));
    EXPECT_EQ (cachedWord (canvas.imageCache, 5, 9), pixelWord (255, 90, 90, 90));
    EXPECT_EQ (cachedWord (canvas.imageCache, 1, 3), pixelWord (255, 10, 10, 10));
    EXPECT_EQ (cachedWord (canvas.imageCache, 6, 3), pixelWord (255, 10, 10, 10));
    EXPECT_EQ (cachedWord (canvas.imageCache, 2, 2), pixelWord (255, 10, 10, 10));
    EXPECT_FALSE (canvas.overlayCache.isValid()) << "the image shows again";
}

TEST (CanvasImage, OverlaysKeepOneReferenceEach)
{
    TestCanvas canvas;
    auto picture = filledImage (20, 10, pixelWord (255, 10, 10, 10));
    canvas.setImage (picture.get());

    auto first = filledImage (20, 10, pixelWord (255, 50, 50, 50));
    auto second = filledImage (8, 8, pixelWord (255, 60, 60, 60));
    canvas.setOverlayImage (first.get());
    canvas.setOverlayImage (first.get());
    EXPECT_EQ (first->getReferenceCount(), 2) << "set twice, held once";

    canvas.setOverlayImage (second.get());
    EXPECT_EQ (first->getReferenceCount(), 1);
    EXPECT_EQ (second->getReferenceCount(), 2);
    EXPECT_EQ (canvas.overlayCache.getWidth(), 8);

    canvas.setImage (picture.get());
    EXPECT_EQ (second->getReferenceCount(), 1) << "a new image drops the overlay";

    // The top overlay: the one already set is copied again only where asked.
    canvas.setTopOverlayImage (first.get(), nullptr);
    canvas.setTopOverlayImage (first.get(), nullptr);
    EXPECT_EQ (first->getReferenceCount(), 2);
    first->fill (pixelWord (255, 70, 70, 70));
    const RectBounds area { 4.0f, 2.0f, 6.0f, 3.0f };
    canvas.setTopOverlayImage (first.get(), &area);
    EXPECT_EQ (cachedWord (canvas.topOverlayCache, 4, 2), pixelWord (255, 70, 70, 70));
    EXPECT_EQ (cachedWord (canvas.topOverlayCache, 6, 3), pixelWord (255, 70, 70, 70));
    EXPECT_EQ (cachedWord (canvas.topOverlayCache, 7, 3), pixelWord (255, 50, 50, 50));
    EXPECT_EQ (cachedWord (canvas.topOverlayCache, 4, 4), pixelWord (255, 50, 50, 50));

    canvas.setTopOverlayImage (nullptr, nullptr);
    EXPECT_EQ (first->getReferenceCount(), 1);
    EXPECT_FALSE (canvas.topOverlayCache.isValid());

    {
        TestCanvas going;
        going.setOverlayImage (first.get());
        going.setTopOverlayImage (second.get(), nullptr);
    }
    EXPECT_EQ (first->getReferenceCount(), 1) << "the canvas lets go of its overlays when it goes";
    EXPECT_EQ (second->getReferenceCount(), 1);
}

TEST (CanvasImage, RemovingAnOverlayThatIsNotSetRepaintsNothing)
{
    TestCanvas canvas;
    canvas.setSize (200, 100);
    auto picture = filledImage (20, 10, pixelWord (255, 10, 10, 10));
    canvas.setImage (picture.get());
    auto& repaints = recordRepaints (canvas);

    canvas.setOverlayImage (nullptr);
    canvas.setTopOverlayImage (nullptr, nullptr);
    EXPECT_TRUE (repaints.areas.empty());

    auto overlay = filledImage (20, 10, pixelWord (255, 1, 1, 1));
    canvas.setOverlayImage (overlay.get());
    canvas.setOverlayImage (nullptr);
    EXPECT_EQ (repaints.areas.size(), 2u);
}

TEST (CanvasImage, ARegionUpdateRepaintsOnlyWhereTheRegionShows)
{
    TestCanvas canvas;
    canvas.setSize (200, 100);
    auto picture = filledImage (20, 10, pixelWord (255, 10, 10, 10));
    canvas.setImage (picture.get());
    canvas.place (2.0f, { 10.5f, 20.0f });
    auto& repaints = recordRepaints (canvas);

    canvas.updateImageRegion ({ 2.4f, 3.0f, 5.0f, 4.2f });
    // x from floor (2.4) * 2 + 10.5 = 14.5 to ceil (6 * 2 + 10.5) = 23; y from 26 to ceil (ceil (5.2) * 2 + 20) = 32.
    ASSERT_EQ (repaints.areas.size(), 1u);
    EXPECT_EQ (repaints.areas[0], juce::Rectangle<int> (14, 26, 8, 6));
}

TEST (CanvasImage, AMaskTintsRedAndAnUpdateRedoesOnlyItsRectangle)
{
    TestCanvas canvas;
    SxRef<SxImageAlphaByte> mask (new SxImageAlphaByte (20, 10));
    mask->fillRect ({ 0.0f, 0.0f, 19.0f, 9.0f }, 255);

    canvas.setMaskOverlay (mask.get(), nullptr);
    ASSERT_TRUE (canvas.maskCache.isValid());
    EXPECT_EQ (mask->getReferenceCount(), 1) << "the canvas does not hold the mask";
    EXPECT_EQ (cachedWord (canvas.maskCache, 0, 0) & 0xffff, 0xFF59u) << "alpha 0x59, red 255";
    const auto* tint = canvas.maskTint.get();

    mask->fillRect ({ 0.0f, 0.0f, 19.0f, 9.0f }, 0);
    const RectBounds area { 2.0f, 3.0f, 5.0f, 4.0f };
    canvas.setMaskOverlay (mask.get(), &area);
    EXPECT_EQ (canvas.maskCache.getPixelAt (2, 3).getAlpha(), 0);
    EXPECT_EQ (canvas.maskCache.getPixelAt (5, 4).getAlpha(), 0);
    EXPECT_EQ (canvas.maskCache.getPixelAt (6, 4).getAlpha(), 0x59) << "outside the rectangle: untouched";
    EXPECT_EQ (canvas.maskCache.getPixelAt (2, 5).getAlpha(), 0x59);
    EXPECT_EQ (canvas.maskTint->getPixel (6, 4) & 0xff, 0x59u);

    // Another mask of the same size reuses the tint buffer and is tinted whole.
    SxRef<SxImageAlphaByte> other (new SxImageAlphaByte (20, 10));
    canvas.setMaskOverlay (other.get(), nullptr);
    EXPECT_EQ (canvas.maskTint.get(), tint);
    EXPECT_EQ (canvas.maskCache.getPixelAt (6, 4).getAlpha(), 0);

    canvas.setMaskOverlay (nullptr, nullptr);
    EXPECT_FALSE (canvas.maskCache.isValid());
    EXPECT_EQ (canvas.maskTint.get(), nullptr);
}

TEST (CanvasPaint, TranslucentImageOverCheckerboardInItsShadow)
{
    TestCanvas canvas;
    canvas.setSize (160, 120);
    auto picture = translucentRamp (64, 40);
    canvas.setImage (picture.get());
    canvas.actualSize();

    const auto shot = snapshot (canvas);
    const auto result = sxtest::checkGolden (shot, "DocumentCanvas-TranslucentImage");
    EXPECT_TRUE (result.withinTolerance()) << result.describe();

    // Behaviour the golden stands for: the shadow falls outside the image, nothing beyond it.
    EXPECT_GT (shot.getPixelAt (48 + 32, 40 + 40 + 4).getAlpha(), 40) << "below the image";
    EXPECT_EQ (shot.getPixelAt (4, 4).getAlpha(), 0) << "far from the image";
    EXPECT_GE (coloursIn (shot, { 48, 40, 64, 4 }).size(), 2u) << "the clear top rows show the checkerboard";
}

TEST (CanvasPaint, AnOpaqueWhiteBackgroundSettingReplacesTheCheckerboard)
{
    ScopedUserFolders folders;
    RecordingAppComponent component;
    component.startUp();
    component.setSize (160, 120);
    auto* canvas = component.getDocument();
    ASSERT_NE (canvas, nullptr);
    ASSERT_EQ (canvas->getBounds(), component.getLocalBounds());

    auto clear = filledImage (64, 40, 0);
    canvas->setImage (clear.get());
    canvas->actualSize();
    const juce::Rectangle<int> inside (50, 42, 60, 36);

    EXPECT_GE (coloursIn (snapshot (*canvas), inside).size(), 2u) << "by default the checkerboard shows";

    component.getSettings()->set (SettingsKeys::backgroundColor, juce::Colours::white);
    const auto colours = coloursIn (snapshot (*canvas), inside);
    ASSERT_EQ (colours.size(), 1u);
    EXPECT_EQ (*colours.begin(), juce::Colours::white.getARGB());
}

TEST (CanvasPaint, PixelsThatBecomeClearShowTheCheckerboardAgain)
{
    TestCanvas canvas;
    canvas.setSize (160, 120);
    auto picture = filledImage (64, 40, pixelWord (255, 200, 30, 30));
    canvas.setImage (picture.get());
    canvas.actualSize();
    const juce::Rectangle<int> corner (48, 40, 16, 16);   // the image's top-left 16 x 16
    ASSERT_EQ (coloursIn (snapshot (canvas), corner).size(), 1u);

    RectBounds cleared { 0.0f, 0.0f, 15.0f, 15.0f };
    picture->fillRect (cleared, 0);
    canvas.updateImageRegion (cleared);
    EXPECT_EQ (coloursIn (snapshot (canvas), corner).size(), 2u) << "both squares of the checkerboard";

    auto overlay = filledImage (64, 40, pixelWord (0, 0, 0, 0));
    canvas.setOverlayImage (overlay.get());
    EXPECT_EQ (coloursIn (snapshot (canvas), { 80, 60, 16, 16 }).size(), 2u) << "a clear overlay shows it too";
}

TEST (CanvasPaint, TheToolPaintsUnderAndOverTheImageAndTheHookPaintsLast)
{
    struct Hook : public GenericAppDocumentPaintCallback
    {
        void paintOverDocument (GenericAppDocument* c, juce::Graphics&) override
        {
            log->add ("hook");
            canvas = c;
        }
        juce::StringArray* log = nullptr;
        GenericAppDocument* canvas = nullptr;
    };

    TestCanvas canvas;
    canvas.setSize (160, 120);
    RecordingTool tool;
    Hook hook;
    hook.log = &tool.calls;
    makeCurrent (canvas, tool);
    canvas.paintHook = &hook;
    tool.calls.clear();

    snapshot (canvas);
    EXPECT_TRUE (tool.calls.isEmpty()) << "without an image nothing is painted, the hook neither";

    auto picture = filledImage (64, 40, pixelWord (255, 1, 2, 3));
    canvas.setImage (picture.get());
    canvas.actualSize();
    tool.calls.clear();
    tool.setDocument (nullptr);
    snapshot (canvas);
    EXPECT_EQ (tool.calls, juce::StringArray ({ "underlay", "overlay", "hook" }));
    EXPECT_EQ (tool.overlayArea, juce::Rectangle<float> (48.0f, 40.0f, 64.0f, 40.0f)) << "where the image lies";
    EXPECT_EQ (tool.getDocument(), &canvas);
    EXPECT_EQ (hook.canvas, &canvas);

    tool.calls.clear();
    canvas.suppressToolPaint = true;
    snapshot (canvas);
    EXPECT_EQ (tool.calls, juce::StringArray ({ "hook" })) << "a full-size render is running";
}
