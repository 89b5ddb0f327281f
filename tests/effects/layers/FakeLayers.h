#pragma once

#include "LayerManager.h"
#include "LayerRegistry.h"
#include "PropertyValues.h"
#include "StaticImageLayer.h"

#include <cstring>

/** A test effect: output = input with `amount` added to every red byte; counts renders. */
class CountingLayer : public Layer
{
public:
    int renderCount = 0;
    int amount = 1;
    SxImageRgbaBytes* lastInput = nullptr;

    Layer* createInstance() override { return new CountingLayer(); }
    juce::String getShortName() const override { return "Counting"; }

    void render (RenderParameters& params) override
    {
        Layer::render (params);
        ++renderCount;
        lastInput = params.image;
        if (params.image == nullptr)
            return;
        std::memcpy (outputImage->pixels, params.image->pixels, (size_t) params.image->width * (size_t) params.image->height * 4);
        for (int i = 0; i < outputImage->width * outputImage->height; ++i)
            outputImage->pixels[i * 4 + 1] = (uint8_t) (outputImage->pixels[i * 4 + 1] + amount);
    }

    void saveToPropertySet (SxPropertySet& set, const LayerSaveOptions& options) override
    {
        Layer::saveToPropertySet (set, options);
        setIntProperty (set, "amount", amount);
    }

    void loadFromPropertySet (const SxPropertySet& set, const LayerSaveOptions& options) override
    {
        Layer::loadFromPropertySet (set, options);
        amount = set.getIntValue ("amount", 1);
    }
};

/** A second registered class, so that class lists can differ. */
class OtherLayer : public CountingLayer
{
public:
    Layer* createInstance() override { return new OtherLayer(); }
    juce::String getShortName() const override { return "Other"; }
};

/** Registers one prototype of each fake class, once per process. */
inline void registerFakePrototypes()
{
    static CountingLayer countingPrototype;
    static OtherLayer otherPrototype;
    static const bool registered = [] {
        LayerManager::registerEffectPrototype (&countingPrototype);
        LayerManager::registerEffectPrototype (&otherPrototype);
        return true;
    }();
    (void) registered;
}

/** Host fake: counts render requests and selection notices, answers a fixed scale. */
struct FakeManagerCallback : public LayerManagerCallback
{
    int renderRequests = 0;
    int selectionChanges = 0;
    bool lastAreaWasWhole = false;
    float scale = 2.0f;

    void renderLayers (bool, const RectBounds* area) override { ++renderRequests; lastAreaWasWhole = area == nullptr; }
    float getRenderScale() override { return scale; }
    void layerSelectionChanged() override { ++selectionChanges; }
};

/** A stack of a base layer over an owned source image, plus `effects` counting layers. */
struct TestStack
{
    SxRef<SxImageRgbaBytes> source;
    LayerManager manager;
    FakeManagerCallback callback;
    StaticImageLayer* base = new StaticImageLayer();

    explicit TestStack (int effects, int width = 8, int height = 6)
        : source (new SxImageRgbaBytes (width, height))
    {
        source->fill (0xff102030u);
        manager.setCallback (&callback);
        base->setSourceImage (source.get());
        manager.addLayer (base);
        for (int i = 0; i < effects; ++i)
            manager.addLayer (new CountingLayer());
    }

    CountingLayer* effect (int position) const { return dynamic_cast<CountingLayer*> (manager.getLayer (position)); }
};
