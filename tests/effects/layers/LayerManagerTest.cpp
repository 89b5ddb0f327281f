#include <gtest/gtest.h>

#include "FakeLayers.h"

#include <thread>

namespace
{
    /** Sets *deleted when destroyed. */
    struct TrackedLayer : public CountingLayer
    {
        explicit TrackedLayer (bool& flag) : deleted (flag) { deleted = false; }
        ~TrackedLayer() override { deleted = true; }
        bool& deleted;
    };

    /** Produces no output at all. */
    struct EmptyLayer : public CountingLayer
    {
        SxImageRgbaBytes* getRenderedImage (RenderParameters&) override { return nullptr; }
    };

    uint8_t redAt (const SxImageRgbaBytes& image) { return image.pixels[1]; }

    std::vector<bool> needsRenderFlags (const LayerManager& manager)
    {
        std::vector<bool> flags;
        for (auto* layer : manager.getLayers())
            flags.push_back (layer->needsRender());
        return flags;
    }

    void markAllRendered (LayerManager& manager)
    {
        for (auto* layer : manager.getLayers())
            layer->setNeedsRender (false);
    }
}

TEST (LayerManagerRender, BaseOnlyStackGivesTheSourceOrACloneOfIt)
{
    TestStack stack (0);
    EXPECT_EQ (stack.manager.renderStack (nullptr, false, false), stack.source.get());

    SxRef<SxImageRgbaBytes> copy (stack.manager.renderStack (nullptr, false, true));
    ASSERT_NE (copy.get(), nullptr);
    EXPECT_NE (copy.get(), stack.source.get());
    EXPECT_EQ (copy->getPixel (3, 2), stack.source->getPixel (3, 2));
    EXPECT_EQ (stack.source->getReferenceCount(), 1);
}

TEST (LayerManagerRender, NothingToRenderGivesNone)
{
    LayerManager empty;
    const RectBounds area { 0.0f, 0.0f, 3.0f, 3.0f };
    EXPECT_EQ (empty.renderStack (nullptr, false, true), nullptr);
    EXPECT_EQ (empty.renderStack (&area, false, true), nullptr);

    LayerManager noSource;
    noSource.addLayer (new StaticImageLayer());
    noSource.addLayer (new CountingLayer());
    EXPECT_EQ (noSource.renderStack (nullptr, false, false), nullptr);
    EXPECT_EQ (noSource.renderStack (&area, false, true), nullptr);

    // Without a host the render runs at scale 1.
    TestStack stack (1);
    stack.manager.setCallback (nullptr);
    auto* result = stack.manager.renderStack (nullptr, false, false);
    EXPECT_EQ (result, stack.effect (1)->getOutputImage());
    EXPECT_FLOAT_EQ (stack.effect (1)->getRenderParameters()->renderScale, 1.0f);
    stack.manager.requestRender (nullptr);
}

TEST (LayerManagerRender, LayersRenderOnceThenComeFromTheCache)
{
    TestStack stack (2);
    const auto sourceRed = redAt (*stack.source);
    auto* result = stack.manager.renderStack (nullptr, false, false);
    EXPECT_EQ (result, stack.effect (2)->getOutputImage());
    EXPECT_EQ (redAt (*result), sourceRed + 2);
    EXPECT_EQ (stack.effect (2)->lastInput, stack.effect (1)->getOutputImage());

    stack.manager.renderStack (nullptr, false, false);
    EXPECT_EQ (stack.effect (1)->renderCount, 1);
    EXPECT_EQ (stack.effect (2)->renderCount, 1);

    stack.manager.invalidateFromLayer (stack.effect (1), false);
    stack.manager.renderStack (nullptr, false, false);
    EXPECT_EQ (stack.effect (1)->renderCount, 2);
    EXPECT_EQ (stack.effect (2)->renderCount, 2) << "a change below invalidates the layer above";

    SxRef<SxImageRgbaBytes> larger (new SxImageRgbaBytes (10, 7));
    stack.base->setSourceImage (larger.get());
    result = stack.manager.renderStack (nullptr, false, false);
    EXPECT_EQ (stack.effect (1)->renderCount, 3);
    EXPECT_EQ (stack.effect (2)->renderCount, 3);
    EXPECT_EQ (result->width, 10);
}

TEST (LayerManagerRender, RecordCarriesScaleFlagsAndAreaAndAPendingRecordReplacesIt)
{
    TestStack stack (1);
    stack.manager.renderStack (nullptr, true, false);
    auto* seen = stack.effect (1)->getRenderParameters();
    EXPECT_FLOAT_EQ (seen->renderScale, 2.0f);
    EXPECT_TRUE (seen->callerFlag);
    EXPECT_EQ (seen->area, (RectBounds { 0.0f, 0.0f, 7.0f, 5.0f }));
    EXPECT_EQ (seen->baseImage, stack.source.get());
    EXPECT_EQ (seen->changeMask, stack.base->getChangeMask());

    RenderParameters pending;
    pending.renderScale = 0.5f;
    pending.fullResolution = true;
    stack.manager.setPendingRenderParameters (pending);
    const RectBounds area { 1.0f, 1.0f, 3.0f, 2.0f };
    stack.manager.renderStack (&area, false, false);
    EXPECT_FLOAT_EQ (seen->renderScale, 0.5f);
    EXPECT_TRUE (seen->fullResolution);
    EXPECT_EQ (seen->area, area);

    stack.manager.renderStack (nullptr, false, false);
    EXPECT_FLOAT_EQ (seen->renderScale, 2.0f) << "the pending record serves one render";
}

TEST (LayerManagerRender, HiddenLayerPassesItsInputThrough)
{
    TestStack stack (2);
    stack.effect (2)->setVisible (false);
    auto* result = stack.manager.renderStack (nullptr, false, false);
    EXPECT_EQ (result, stack.effect (1)->getOutputImage());
    EXPECT_EQ (stack.effect (2)->renderCount, 0);

    stack.effect (1)->setVisible (false);
    EXPECT_EQ (stack.manager.renderStack (nullptr, false, false), stack.source.get());
}

TEST (LayerManagerRender, CopyResultHandsOverAnImageTheStackNoLongerUses)
{
    TestStack stack (2);
    stack.effect (2)->setVisible (false);
    SxRef<SxImageRgbaBytes> handed (stack.manager.renderStack (nullptr, false, true));
    ASSERT_NE (handed.get(), nullptr);
    EXPECT_EQ (handed->getReferenceCount(), 1);
    EXPECT_EQ (stack.effect (1)->getOutputImage(), nullptr);
    EXPECT_EQ (redAt (*handed), redAt (*stack.source) + 1);

    auto* next = stack.manager.renderStack (nullptr, false, false);
    EXPECT_EQ (stack.effect (1)->renderCount, 2) << "the layer that gave its output away renders again";
    EXPECT_NE (next, handed.get());
    EXPECT_EQ (redAt (*handed), redAt (*stack.source) + 1);
}

TEST (LayerManagerRender, LayerWithoutOutputPassesItsInputThrough)
{
    TestStack stack (1);
    stack.manager.addLayer (new EmptyLayer());
    auto* result = stack.manager.renderStack (nullptr, false, false);
    EXPECT_EQ (result, stack.effect (1)->getOutputImage());

    SxRef<SxImageRgbaBytes> handed (stack.manager.renderStack (nullptr, false, true));
    EXPECT_EQ (handed->getReferenceCount(), 1);
}

TEST (LayerManagerRender, FullResolutionRendersFreeTheIntermediates)
{
    for (const bool full : { false, true })
    {
        TestStack stack (3);
        stack.manager.setFullResolutionRender (full);
        auto* result = stack.manager.renderStack (nullptr, false, false);
        EXPECT_EQ (result, stack.effect (3)->getOutputImage());
        EXPECT_EQ (redAt (*result), redAt (*stack.source) + 3);
        EXPECT_EQ (stack.effect (1)->getOutputImage() == nullptr, full);
        EXPECT_EQ (stack.effect (2)->getOutputImage() == nullptr, full);
        EXPECT_EQ (stack.effect (1)->getRenderParameters()->fullResolution, full);
        EXPECT_NE (stack.source->pixels, nullptr);

        stack.manager.renderStack (nullptr, false, false);
        EXPECT_EQ (stack.effect (1)->renderCount, full ? 2 : 1);
    }

    TestStack hiddenBelowTop (3);
    hiddenBelowTop.manager.setFullResolutionRender (true);
    hiddenBelowTop.effect (3)->setVisible (false);
    auto* result = hiddenBelowTop.manager.renderStack (nullptr, false, false);
    EXPECT_EQ (result, hiddenBelowTop.effect (2)->getOutputImage()) << "the result is never freed";
}

//==============================================================================
TEST (LayerManagerInvalidation, MarksTheLayerAndWhatLiesAbove)
{
    struct Case { int from; std::vector<bool> expected; };
    const Case cases[] = {
        { 0, { true, true, true, true } },
        { 2, { false, false, true, true } },
        { 3, { false, false, false, true } },
    };
    for (const auto& c : cases)
    {
        TestStack stack (3);
        markAllRendered (stack.manager);
        stack.manager.invalidateFromLayer (stack.manager.getLayer (c.from), false);
        EXPECT_EQ (needsRenderFlags (stack.manager), c.expected) << c.from;
        EXPECT_EQ (stack.callback.renderRequests, 0);
    }

    TestStack stack (2);
    markAllRendered (stack.manager);
    EXPECT_FALSE (stack.manager.invalidateLayersAbove (stack.effect (2), false));
    EXPECT_EQ (needsRenderFlags (stack.manager), (std::vector<bool> { false, false, false }));
    EXPECT_TRUE (stack.manager.invalidateLayersAbove (stack.effect (1), true));
    EXPECT_EQ (needsRenderFlags (stack.manager), (std::vector<bool> { false, false, true }));
    EXPECT_EQ (stack.callback.renderRequests, 1);

    CountingLayer outsider;
    outsider.setNeedsRender (false);
    stack.manager.invalidateFromLayer (&outsider, true);
    EXPECT_TRUE (outsider.needsRender());
    EXPECT_EQ (stack.callback.renderRequests, 2);
}

//==============================================================================
TEST (LayerManagerSelection, ExclusiveAndAdditiveSelection)
{
    TestStack stack (3);
    EXPECT_EQ (stack.manager.getSelectedIndex(), 0);
    EXPECT_EQ (stack.manager.getSelectedLayer(), nullptr);

    stack.manager.selectLayer (stack.effect (1), false);
    stack.manager.selectLayer (stack.effect (3), false);
    EXPECT_EQ (stack.manager.getSelectedLayers(), (std::vector<Layer*> { stack.effect (1), stack.effect (3) }));
    EXPECT_EQ (stack.manager.getSelectedIndex(), 1);

    stack.manager.selectLayer (stack.effect (2), true);
    EXPECT_EQ (stack.manager.getSelectedLayers(), (std::vector<Layer*> { stack.effect (2) }));
    EXPECT_EQ (stack.callback.selectionChanges, 3);

    auto* sub = new CountingLayer();
    stack.effect (1)->addSubLayer (sub);
    sub->setParent (stack.effect (1));
    stack.manager.selectLayer (sub, true);
    EXPECT_EQ (stack.manager.getSelectedLayer(), sub);
    EXPECT_EQ (stack.manager.getSelectedIndex(), 0) << "sub-layers have no stack index";
    EXPECT_TRUE (stack.manager.getSelectedLayers().empty());

    stack.manager.selectLayer (stack.effect (3), false);
    stack.manager.selectLayer (stack.effect (2), false);
    stack.manager.deselectLayer (stack.effect (2), true);
    EXPECT_EQ (stack.manager.getSelectedLayers(), (std::vector<Layer*> { stack.effect (2) }));
    EXPECT_TRUE (sub->isSelected()) << "sub-layers keep their state";
    stack.manager.deselectLayer (stack.effect (2), false);
    EXPECT_EQ (stack.manager.getSelectedLayer(), sub);
}

TEST (LayerManagerEdits, InsertionPositions)
{
    TestStack stack (2);
    auto* lower = stack.effect (1);
    auto* upper = stack.effect (2);

    auto* atZero = new CountingLayer();
    stack.manager.insertLayerAt (atZero, 0);
    EXPECT_EQ (stack.manager.getLayers(), (std::vector<Layer*> { stack.base, atZero, lower, upper }));
    EXPECT_EQ (atZero->getManager(), &stack.manager);

    auto* beyond = new CountingLayer();
    stack.manager.insertLayerAt (beyond, 99);
    EXPECT_EQ (stack.manager.getLayer (4), beyond);

    auto* below = new CountingLayer();
    stack.manager.insertLayerBelow (below, upper);
    EXPECT_EQ (stack.manager.findLayer (below) + 1, stack.manager.findLayer (upper));
    CountingLayer absent;
    auto* notInserted = new CountingLayer();
    stack.manager.insertLayerBelow (notInserted, &absent);
    EXPECT_EQ (stack.manager.findLayer (notInserted), stack.manager.getNumLayers());
    delete notInserted;

    auto* aboveNothing = new CountingLayer();
    stack.manager.insertLayerAboveSelection (aboveNothing);
    EXPECT_EQ (stack.manager.getLayers().back(), aboveNothing);

    auto* sub = new CountingLayer();
    lower->addSubLayer (sub);
    sub->setParent (lower);
    stack.manager.selectLayer (sub, true);
    auto* aboveHolder = new CountingLayer();
    stack.manager.insertLayerAboveSelection (aboveHolder);
    EXPECT_EQ (stack.manager.findLayer (aboveHolder), stack.manager.findLayer (lower) + 1);

    stack.manager.detachLayer (aboveHolder);
    EXPECT_EQ (stack.manager.findLayer (aboveHolder), stack.manager.getNumLayers());
    delete aboveHolder;

    EXPECT_TRUE (stack.manager.hasVisibleLayerAbove (lower));
    EXPECT_TRUE (stack.manager.hasVisibleLayerAbove (sub));
    EXPECT_FALSE (stack.manager.hasVisibleLayerAbove (aboveNothing));
    EXPECT_FALSE (stack.manager.hasVisibleLayerAbove (&absent));
}

TEST (LayerManagerEdits, RemoveLayerDeletesAndMarksWhatWasAbove)
{
    TestStack stack (1);
    bool deleted = false;
    auto* tracked = new TrackedLayer (deleted);
    stack.manager.insertLayerAt (tracked, 0);
    markAllRendered (stack.manager);

    stack.manager.removeLayer (tracked);
    EXPECT_TRUE (deleted);
    EXPECT_EQ (needsRenderFlags (stack.manager), (std::vector<bool> { false, true }));

    markAllRendered (stack.manager);
    CountingLayer absent;
    stack.manager.removeLayer (&absent);
    EXPECT_EQ (needsRenderFlags (stack.manager), (std::vector<bool> { true, true }));
}

TEST (LayerManagerEdits, ReplaceEffectLayer)
{
    for (const bool deleteOld : { false, true })
    {
        TestStack stack (0);
        bool oldDeleted = false;
        auto* old = new TrackedLayer (oldDeleted);
        stack.manager.addLayer (old);
        auto* replacement = new CountingLayer();
        replacement->setNeedsRender (false);

        stack.manager.replaceEffectLayer (replacement, deleteOld);
        EXPECT_EQ (stack.manager.getLayers(), (std::vector<Layer*> { stack.base, replacement }));
        EXPECT_EQ (replacement->getManager(), &stack.manager);
        EXPECT_TRUE (replacement->needsRender());
        EXPECT_EQ (oldDeleted, deleteOld);
        if (! deleteOld)
            delete old;
    }

    TestStack baseOnly (0);
    auto* first = new CountingLayer();
    baseOnly.manager.replaceEffectLayer (first, true);
    EXPECT_EQ (baseOnly.manager.getFirstEffectLayer(), first);

    // Putting the current effect back in its own place keeps it alive.
    baseOnly.manager.replaceEffectLayer (first, true);
    EXPECT_EQ (baseOnly.manager.getLayers(), (std::vector<Layer*> { baseOnly.base, first }));
    EXPECT_EQ (first->getName(), "");
}

TEST (LayerManagerEdits, ClearLayersVariants)
{
    struct Case { bool includeBase, deleteLayers; int remaining; bool baseDeleted, effectDeleted; };
    const Case cases[] = {
        { false, false, 1, false, false },
        { false, true, 1, false, true },
        { true, false, 0, false, false },
        { true, true, 0, true, true },
    };
    for (const auto& c : cases)
    {
        bool baseDeleted = false, effectDeleted = false;
        auto* base = new TrackedLayer (baseDeleted);
        auto* effect = new TrackedLayer (effectDeleted);
        {
            LayerManager manager;
            manager.addLayer (base);
            manager.addLayer (effect);
            manager.clearLayers (c.includeBase, c.deleteLayers);
            EXPECT_EQ (manager.getNumLayers(), c.remaining);
            EXPECT_EQ (baseDeleted, c.baseDeleted);
            EXPECT_EQ (effectDeleted, c.effectDeleted);
            if (c.remaining == 0 && ! c.baseDeleted)
                delete base;
        }
        if (! c.effectDeleted)
            delete effect;
    }
}

TEST (LayerManagerRender, RendersAndSavesOnAWorkerThreadWithoutAMessageLoop)
{
    // The effects' test program starts the GUI for its window tests, so a message manager
    // may exist; none of its loop runs while this thread waits in join, so a render that
    // waited for the message thread would never finish.
    TestStack stack (2);
    SxRef<SxImageRgbaBytes> result;
    SxPropertySet set;
    bool onMessageThread = true;
    std::thread worker ([&] {
        onMessageThread = juce::MessageManager::existsAndIsCurrentThread();
        result = SxRef<SxImageRgbaBytes> (stack.manager.renderStack (nullptr, false, true));
        stack.manager.saveToPropertySet (set, {});
    });
    worker.join();
    EXPECT_FALSE (onMessageThread);
    ASSERT_NE (result.get(), nullptr);
    EXPECT_EQ (redAt (*result), redAt (*stack.source) + 2);
    EXPECT_EQ (set.getValue ("LayerCount"), "2");
}
