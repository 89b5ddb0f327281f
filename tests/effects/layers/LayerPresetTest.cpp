#include "FakeLayers.h"

#include <gtest/gtest.h>

namespace
{
    struct LimitCallback : public FakeManagerCallback
    {
        int limit = 10;
        int getMaxLayerCount() override { return limit; }
    };

    SxPropertySet presetOfAmounts (std::initializer_list<int> amounts)
    {
        TestStack stack ((int) amounts.size());
        int i = 1;
        for (int amount : amounts)
        {
            stack.effect (i)->amount = amount;
            stack.manager.selectLayer (stack.effect (i++), false);
        }
        SxPropertySet set;
        stack.manager.saveLayerPreset (set);
        return set;
    }
}

TEST (LayerPresets, SavingWritesTheSelectedLayersCountedFromZero)
{
    registerFakePrototypes();
    TestStack stack (4);
    for (int i = 1; i <= 4; ++i)
        stack.effect (i)->amount = 10 * i;
    stack.manager.selectLayer (stack.effect (1), true);
    stack.manager.selectLayer (stack.effect (3), false);

    SxPropertySet set;
    stack.manager.saveLayerPreset (set);
    EXPECT_EQ (set.getAllProperties().getAllKeys(),
               (juce::StringArray { "LayerCount", "ClassName0", "EffectDictionary0", "SubLayerCount0",
                                    "ClassName1", "EffectDictionary1", "SubLayerCount1" }));
    EXPECT_EQ (set.getIntValue ("LayerCount"), 2);
    EXPECT_EQ (set.getValue ("ClassName0"), "CountingLayer");
    EXPECT_EQ (SxPropertySet::readRecord (set, "EffectDictionary0")->getIntValue ("amount"), 10);
    EXPECT_EQ (SxPropertySet::readRecord (set, "EffectDictionary1")->getIntValue ("amount"), 30);
}

TEST (LayerPresets, NothingSelectedWritesOnlyTheCount)
{
    TestStack stack (2);
    stack.manager.deselectLayer (nullptr, true);
    SxPropertySet set;
    stack.manager.saveLayerPreset (set);
    EXPECT_EQ (set.getAllProperties().getAllKeys(), juce::StringArray { "LayerCount" });
    EXPECT_EQ (set.getIntValue ("LayerCount"), 0);
}

TEST (LayerPresets, ApplyingAddsOnTopAndSelectsTheTop)
{
    registerFakePrototypes();
    TestStack stack (1);
    stack.effect (1)->amount = 5;
    const auto preset = presetOfAmounts ({ 7, 9 });
    const int requestsBefore = stack.callback.renderRequests;

    EXPECT_TRUE (stack.manager.applyLayerPreset (preset, nullptr));
    ASSERT_EQ (stack.manager.getNumLayers(), 4);
    EXPECT_EQ (stack.effect (1)->amount, 5) << "existing layers unchanged";
    EXPECT_EQ (stack.effect (2)->amount, 7);
    EXPECT_EQ (stack.effect (3)->amount, 9);
    EXPECT_TRUE (stack.effect (3)->isSelected());
    EXPECT_FALSE (stack.effect (1)->isSelected());
    EXPECT_EQ (stack.effect (2)->getManager(), &stack.manager);
    EXPECT_GT (stack.callback.renderRequests, requestsBefore);
}

TEST (LayerPresets, TheLayerLimitRefusesWithoutChanges)
{
    registerFakePrototypes();
    struct Case { int limit; int existing; int presetLayers; bool accepted; };
    const std::vector<Case> cases {
        { 10, 9, 2, false },
        { 10, 9, 1, true },
        { 10, 0, 10, true },
        { -1, 9, 3, true },
    };
    for (const auto& c : cases)
    {
        TestStack stack (c.existing);
        LimitCallback limited;
        limited.limit = c.limit;
        stack.manager.setCallback (&limited);
        std::vector<int> amounts ((size_t) c.presetLayers, 3);
        SxPropertySet preset;
        {
            TestStack source (c.presetLayers);
            for (int i = 1; i <= c.presetLayers; ++i)
                source.manager.selectLayer (source.effect (i), false);
            source.manager.saveLayerPreset (preset);
        }

        EXPECT_EQ (stack.manager.applyLayerPreset (preset, nullptr), c.accepted) << c.existing << " + " << c.presetLayers;
        EXPECT_EQ (stack.manager.getNumLayers(), 1 + c.existing + (c.accepted ? c.presetLayers : 0));
    }
}

TEST (LayerPresets, DamagedPresetsAddWhatTheyCan)
{
    registerFakePrototypes();
    auto preset = presetOfAmounts ({ 7, 9, 11 });
    preset.setValue ("ClassName1", "NoSuchLayer");
    preset.setValue ("EffectDictionary2", "not xml");

    TestStack stack (0);
    EXPECT_TRUE (stack.manager.applyLayerPreset (preset, nullptr));
    ASSERT_EQ (stack.manager.getNumLayers(), 3);
    EXPECT_EQ (stack.effect (1)->amount, 7);
    EXPECT_EQ (stack.effect (2)->amount, 1) << "an unreadable dictionary keeps the constructor settings";

    // A hostile count neither wraps past the limit nor makes the loader spin.
    for (const char* count : { "2147483647", "-5" })
    {
        SxPropertySet hostile = presetOfAmounts ({ 4 });
        hostile.setValue ("LayerCount", count);
        TestStack target (0);
        LimitCallback unlimited;
        unlimited.limit = -1;
        target.manager.setCallback (&unlimited);
        EXPECT_TRUE (target.manager.applyLayerPreset (hostile, nullptr)) << count;
        EXPECT_LE (target.manager.getNumLayers(), 2) << count;

        LimitCallback limited;
        target.manager.setCallback (&limited);
        EXPECT_EQ (target.manager.applyLayerPreset (hostile, nullptr), juce::String (count) == "-5") << count;
    }
}
