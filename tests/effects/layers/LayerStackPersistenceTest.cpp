#include <gtest/gtest.h>

#include "FakeLayers.h"

namespace
{
    juce::String keysOf (SxPropertySet& set)
    {
        return set.getAllProperties().getAllKeys().joinIntoString (",");
    }

    /** base + Counting("One", amount 3) + Other(hidden, opacity 0.5, amount 4) + Counting("Three", mode 2). */
    void fillThreeEffects (TestStack& stack)
    {
        auto* one = new CountingLayer();
        one->setName ("One");
        one->amount = 3;
        auto* other = new OtherLayer();
        other->setVisible (false);
        other->setOpacity (0.5f);
        other->amount = 4;
        auto* three = new CountingLayer();
        three->setName ("Three");
        three->setCompositeMode (2);
        stack.manager.addLayer (one);
        stack.manager.addLayer (other);
        stack.manager.addLayer (three);
    }

    juce::String describe (const LayerManager& manager)
    {
        juce::StringArray parts;
        for (auto* layer : manager.getLayers())
        {
            auto* counting = dynamic_cast<CountingLayer*> (layer);
            parts.add (layer->getClassName() + ":" + layer->getName() + ":" + formatFloatText (layer->getOpacity())
                       + ":" + (layer->isVisible() ? "v" : "h") + ":" + juce::String (layer->getCompositeMode())
                       + ":" + (counting != nullptr ? juce::String (counting->amount) : "-")
                       + (layer->isSelected() ? ":sel" : ""));
        }
        return parts.joinIntoString (" | ");
    }
}

TEST (LayerStackPersistence, BaseAndEffectSavedAsXmlGiveExactlyTheKeyList)
{
    TestStack stack (1);
    stack.manager.selectLayer (stack.effect (1), true);
    SxPropertySet set;
    stack.manager.saveToPropertySet (set, { false });

    EXPECT_EQ (keysOf (set), "LayerCount,SelectedLayer,ClassName1,EffectDictionary1,SubLayerCount1");
    EXPECT_EQ (set.getValue ("LayerCount"), "1");
    EXPECT_EQ (set.getValue ("SelectedLayer"), "1");
    EXPECT_EQ (set.getValue ("ClassName1"), "CountingLayer");
    EXPECT_EQ (set.getValue ("SubLayerCount1"), "0");
    const auto dictionary = set.getValue ("EffectDictionary1");
    EXPECT_TRUE (dictionary.startsWith ("<?xml"));
    EXPECT_FALSE (dictionary.containsChar ('\n'));
    auto settings = SxPropertySet::readRecord (set, "EffectDictionary1");
    ASSERT_TRUE (settings.has_value());
    EXPECT_EQ (keysOf (*settings), "layerName,layerOpacity,visible,compositeMode,amount");
    EXPECT_TRUE (set.getChildSetNames().isEmpty());
}

TEST (LayerStackPersistence, BaseOnlyStackSavesTwoKeysAndLoadingItRemovesTheEffects)
{
    TestStack baseOnly (0);
    SxPropertySet set;
    baseOnly.manager.saveToPropertySet (set, {});
    EXPECT_EQ (keysOf (set), "LayerCount,SelectedLayer");
    EXPECT_EQ (set.getValue ("LayerCount"), "0");
    EXPECT_EQ (set.getValue ("SelectedLayer"), "0");

    TestStack target (2);
    target.manager.loadFromPropertySet (set, nullptr, {}, false);
    EXPECT_EQ (target.manager.getLayers(), (std::vector<Layer*> { target.base }));

    SxPropertySet noCount;
    TestStack other (2);
    other.manager.loadFromPropertySet (noCount, nullptr, {}, false);
    EXPECT_EQ (other.manager.getNumLayers(), 1);
}

TEST (LayerStackPersistence, RoundTripRestoresTheStackInBothForms)
{
    registerFakePrototypes();
    for (const bool nested : { false, true })
    {
        TestStack source (0);
        fillThreeEffects (source);
        source.manager.selectLayer (source.manager.getLayer (2), true);
        SxPropertySet set;
        source.manager.saveToPropertySet (set, { nested });
        EXPECT_EQ (set.getChildSetNames().size(), nested ? 3 : 0);

        TestStack target (1);
        LayerCallback host;
        target.manager.loadFromPropertySet (set, &host, { nested }, true);
        EXPECT_EQ (describe (target.manager), describe (source.manager)) << "nested " << (int) nested;
        EXPECT_EQ (target.manager.getLayer (0), target.base);
        EXPECT_EQ (target.manager.getLayer (3)->getCallback(), &host);
        EXPECT_EQ (target.manager.getLayer (3)->getManager(), &target.manager);
        EXPECT_TRUE (target.manager.getLayer (3)->needsRender());
        EXPECT_EQ (target.callback.renderRequests, 1);
    }
}

TEST (LayerStackPersistence, UnknownClassNameIsSkippedAndLaterPositionsKeepTheirKeys)
{
    registerFakePrototypes();
    TestStack source (0);
    fillThreeEffects (source);
    SxPropertySet set;
    source.manager.saveToPropertySet (set, {});
    set.setValue ("ClassName2", "NoSuchLayer");

    TestStack target (0);
    target.manager.loadFromPropertySet (set, nullptr, {}, false);
    ASSERT_EQ (target.manager.getNumLayers(), 3);
    EXPECT_EQ (target.manager.getLayer (1)->getName(), "One");
    EXPECT_EQ (target.manager.getLayer (2)->getName(), "Three");
    EXPECT_EQ (target.manager.getLayer (2)->getCompositeMode(), 2);
}

TEST (LayerStackPersistence, SelectionAfterARebuildStaysInsideTheStack)
{
    registerFakePrototypes();
    struct Case { const char* savedSelection; bool skipSecond; int expected; };
    const Case cases[] = {
        { "1", false, 1 },
        { "2", false, 2 },
        { "0", false, 3 },
        { "-1", false, 3 },
        { nullptr, false, 3 },
        { "7", false, 3 },
        { "3", true, 2 },  // position 2 skipped: the stack holds only two effect layers
    };
    for (const auto& c : cases)
    {
        TestStack source (0);
        fillThreeEffects (source);
        SxPropertySet set;
        source.manager.saveToPropertySet (set, {});
        set.removeValue ("SelectedLayer");
        if (c.savedSelection != nullptr)
            set.setValue ("SelectedLayer", c.savedSelection);
        if (c.skipSecond)
            set.setValue ("ClassName2", "NoSuchLayer");

        TestStack target (0);
        target.manager.loadFromPropertySet (set, nullptr, {}, false);
        const auto selected = target.manager.getSelectedLayers();
        ASSERT_EQ (selected.size(), 1u) << (c.savedSelection ? c.savedSelection : "missing");
        EXPECT_EQ (target.manager.findLayer (selected[0]), c.expected) << (c.savedSelection ? c.savedSelection : "missing");
        EXPECT_EQ (target.callback.selectionChanges, 1);
    }
}

TEST (LayerStackPersistence, QuickPathOnlyForAnUnchangedStackFromNestedSets)
{
    registerFakePrototypes();
    struct Case
    {
        const char* name;
        bool nested;
        const char* activeUndoLayer;
        int selectionInTarget;   // position selected in the target before loading
        bool differentClassList;
        bool extraTargetLayer;
        bool quick;
    };
    const Case cases[] = {
        { "unchanged undo snapshot", true, "2", 2, false, false, true },
        { "base layer as active", true, "0", 2, false, false, true },
        { "XML form", false, "2", 2, false, false, false },
        { "no active layer", true, nullptr, 2, false, false, false },
        { "active beyond the stack", true, "4", 2, false, false, false },
        { "negative active", true, "-1", 2, false, false, false },
        { "other selection", true, "2", 1, false, false, false },
        { "other class list", true, "2", 2, true, false, false },
        { "other layer count", true, "2", 2, false, true, false },
    };
    for (const auto& c : cases)
    {
        TestStack target (0);
        fillThreeEffects (target);
        if (c.extraTargetLayer)
            target.manager.addLayer (new CountingLayer());
        target.manager.selectLayer (target.manager.getLayer (2), true);

        SxPropertySet set;
        target.manager.saveToPropertySet (set, { c.nested });
        if (c.activeUndoLayer != nullptr)
            set.setValue ("ActiveUndoLayer", c.activeUndoLayer);
        if (c.extraTargetLayer)
            set.setValue ("LayerCount", "3");
        if (c.differentClassList)
            set.setValue ("ClassName3", "OtherLayer");

        target.manager.selectLayer (target.manager.getLayer (c.selectionInTarget), true);
        auto* second = dynamic_cast<CountingLayer*> (target.manager.getLayer (2));
        second->amount = 99;
        // A rebuilt layer may reuse a freed address, so identity is told by an unsaved field.
        for (auto* layer : target.manager.getLayers())
            if (auto* counting = dynamic_cast<CountingLayer*> (layer))
                counting->renderCount = 42;
        const int requestsBefore = target.callback.renderRequests;

        target.manager.loadFromPropertySet (set, nullptr, { c.nested }, false);

        bool keptLayers = target.manager.getNumLayers() == (c.extraTargetLayer ? 5 : 4);
        for (int i = 1; i < target.manager.getNumLayers(); ++i)
            keptLayers = keptLayers && dynamic_cast<CountingLayer*> (target.manager.getLayer (i))->renderCount == 42;
        EXPECT_EQ (keptLayers, c.quick) << c.name;
        EXPECT_EQ (target.callback.renderRequests - requestsBefore, c.quick ? 1 : 0) << c.name;
        if (c.quick)
            EXPECT_EQ (second->amount, juce::String (c.activeUndoLayer) == "2" ? 4 : 99) << c.name;
        else
            EXPECT_EQ (dynamic_cast<CountingLayer*> (target.manager.getLayer (2))->amount, 4) << c.name;
    }
}

TEST (LayerStackPersistence, SubLayersAreSavedAsXmlAndRebuilt)
{
    registerFakePrototypes();
    for (const bool nested : { false, true })
    {
        TestStack source (1);
        auto* sub = new OtherLayer();
        sub->setName ("Inner");
        sub->amount = 6;
        source.effect (1)->addSubLayer (sub);
        auto* dropped = new CountingLayer();
        source.effect (1)->addSubLayer (dropped);
        SxPropertySet set;
        source.manager.saveToPropertySet (set, { nested });
        EXPECT_EQ (keysOf (set), juce::String ("LayerCount,SelectedLayer,ClassName1,") + (nested ? "" : "EffectDictionary1,")
                                 + "SubLayerCount1,SubLayerClassName1Sub0,SubLayerEffectDictionary1Sub0,"
                                 + "SubLayerClassName1Sub1,SubLayerEffectDictionary1Sub1");
        EXPECT_TRUE (set.getValue ("SubLayerEffectDictionary1Sub0").startsWith ("<?xml"));
        set.setValue ("SubLayerEffectDictionary1Sub1", "not xml");

        TestStack target (0);
        target.manager.loadFromPropertySet (set, nullptr, { nested }, false);
        auto* holder = target.manager.getLayer (1);
        ASSERT_NE (holder, nullptr);
        const auto subs = holder->getSubLayers();
        ASSERT_EQ (subs.size(), 1u) << "a sub-layer without a readable dictionary is left out";
        EXPECT_EQ (subs[0]->getClassName(), "OtherLayer");
        EXPECT_EQ (subs[0]->getName(), "Inner");
        EXPECT_EQ (subs[0]->getParent(), holder);
        EXPECT_EQ (dynamic_cast<OtherLayer*> (subs[0])->amount, 6);
    }
}

TEST (LayerStackPersistence, DamagedEntriesLoadWithDefaults)
{
    registerFakePrototypes();
    SxPropertySet set;
    set.setValue ("LayerCount", "2000000000");
    set.setValue ("SelectedLayer", "1");
    set.setValue ("ClassName1", "CountingLayer");
    set.setValue ("EffectDictionary1", "<plist><dict><key>amount");
    set.setValue ("ClassName2", "OtherLayer");

    TestStack target (0);
    target.manager.loadFromPropertySet (set, nullptr, {}, false);
    ASSERT_EQ (target.manager.getNumLayers(), 3);
    EXPECT_EQ (dynamic_cast<CountingLayer*> (target.manager.getLayer (1))->amount, 1);
    EXPECT_EQ (target.manager.getLayer (2)->getClassName(), "OtherLayer");
    EXPECT_TRUE (target.manager.getLayer (1)->isSelected());

    std::unique_ptr<Layer> unknown (LayerManager::createLayerByClassName ("countinglayer"));
    EXPECT_EQ (unknown, nullptr) << "class names match exactly";
    std::unique_ptr<Layer> made (LayerManager::createLayerByClassName ("OtherLayer"));
    ASSERT_NE (dynamic_cast<OtherLayer*> (made.get()), nullptr);
}
