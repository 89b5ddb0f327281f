// The undo store and its snapshots, without a main component.

#include "AbstractWaterColor.h"
#include "AppSettings.h"
#include "LayerSaveOptions.h"
#include "ScopedUserFolders.h"
#include "StylizedWatercolor.h"
#include "SxUndo.h"
#include "UndoSnapshot.h"
#include "UndoTestSupport.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{
    SxPropertySet numbered (int n)
    {
        SxPropertySet set;
        set.setValue ("n", n);
        return set;
    }

    /** The numbers the five places hold, 0 for an empty place. */
    std::vector<int> contentsOf (const SxUndo& store)
    {
        std::vector<int> numbers;
        for (int i = 0; i < SxUndo::capacity; ++i)
            numbers.push_back (store.getSnapshot (i).getIntValue ("n", 0));
        return numbers;
    }

    int numberOf (const std::optional<SxPropertySet>& snapshot)
    {
        return snapshot ? snapshot->getIntValue ("n", 0) : -1;
    }

    /** A watercolour layer whose mask the test paints. */
    class MaskedStylized : public StylizedWatercolor
    {
    public:
        SelectMaskData& mask() noexcept { return maskData; }
    };
}

//==============================================================================
TEST (SxUndo, PushesFillFivePlacesThenDropTheOldest)
{
    const struct { int current, top; std::vector<int> contents; } afterPush[] = {
        /* 1 */ { 0, 0, { 1, 0, 0, 0, 0 } },
        /* 2 */ { 1, 1, { 1, 2, 0, 0, 0 } },
        /* 3 */ { 2, 2, { 1, 2, 3, 0, 0 } },
        /* 4 */ { 3, 3, { 1, 2, 3, 4, 0 } },
        /* 5 */ { 4, 4, { 1, 2, 3, 4, 5 } },
        /* 6 */ { 4, 4, { 2, 3, 4, 5, 6 } },
        /* 7 */ { 4, 4, { 3, 4, 5, 6, 7 } },
    };

    SxUndo store;
    EXPECT_EQ (store.getCurrent(), -1);
    EXPECT_EQ (store.getTop(), -1);
    for (int n = 1; n <= 7; ++n)
    {
        store.push (numbered (n));
        const auto& expected = afterPush[n - 1];
        EXPECT_EQ (store.getCurrent(), expected.current) << "push " << n;
        EXPECT_EQ (store.getTop(), expected.top) << "push " << n;
        EXPECT_EQ (contentsOf (store), expected.contents) << "push " << n;
    }

    store.reset();
    EXPECT_EQ (store.getCurrent(), -1);
    EXPECT_EQ (store.getTop(), -1);
    EXPECT_EQ (contentsOf (store), std::vector<int> ({ 0, 0, 0, 0, 0 }));
}

TEST (SxUndo, UndoAndRedoStepWithinWhatWasPushed)
{
    SxUndo store;
    // An empty store neither undoes nor redoes, and nothing moves.
    EXPECT_FALSE (store.undo());
    EXPECT_FALSE (store.redo());
    EXPECT_EQ (store.getCurrent(), -1);

    for (int n = 1; n <= 3; ++n)
        store.push (numbered (n));

    // Redo at a top below the last place does nothing.
    EXPECT_FALSE (store.redo());
    EXPECT_EQ (store.getCurrent(), 2);

    EXPECT_EQ (numberOf (store.undo()), 2);
    EXPECT_EQ (numberOf (store.undo()), 1);
    // Undo at the oldest does nothing.
    EXPECT_FALSE (store.undo());
    EXPECT_EQ (store.getCurrent(), 0);

    EXPECT_EQ (numberOf (store.redo()), 2);
    EXPECT_EQ (numberOf (store.redo()), 3);
    EXPECT_FALSE (store.redo());
    EXPECT_EQ (store.getCurrent(), 2);
    EXPECT_EQ (store.getTop(), 2);
}

TEST (SxUndo, APushAfterUndosCutsTheRedoHistory)
{
    SxUndo store;
    for (int n = 1; n <= 4; ++n)
        store.push (numbered (n));
    store.undo();
    store.undo();
    ASSERT_EQ (store.getCurrent(), 1);

    store.push (numbered (9));
    EXPECT_EQ (store.getCurrent(), 2);
    EXPECT_EQ (store.getTop(), 2);
    EXPECT_FALSE (store.redo());
    EXPECT_EQ (numberOf (store.undo()), 2);
    EXPECT_EQ (numberOf (store.redo()), 9);
}

TEST (SxUndo, RedoAtTheLastPlaceReloadsItsSnapshot)
{
    SxUndo store;
    for (int n = 1; n <= 6; ++n)
        store.push (numbered (n));
    ASSERT_EQ (store.getCurrent(), 4);

    EXPECT_EQ (numberOf (store.redo()), 6);
    EXPECT_EQ (store.getCurrent(), 4);

    // Four changes can be undone; the state after the second of six is the oldest.
    for (const int expected : { 5, 4, 3, 2 })
        EXPECT_EQ (numberOf (store.undo()), expected);
    EXPECT_FALSE (store.undo());
}

TEST (SxUndo, AnEmptySnapshotIsReachedButNotHandedBack)
{
    // Recorded while the stack had no effect layer.
    SxUndo store;
    store.push (SxPropertySet());
    store.push (numbered (1));
    EXPECT_FALSE (store.undo());
    EXPECT_EQ (store.getCurrent(), 0);
    EXPECT_EQ (numberOf (store.redo()), 1);
}

//==============================================================================
TEST (UndoSnapshot, HoldsTheEffectsOwnSettingsAndItsShortName)
{
    EXPECT_EQ (UndoSnapshot::of (nullptr).getAllProperties().size(), 0);

    StylizedWatercolor layer;
    auto snapshot = UndoSnapshot::of (&layer);
    EXPECT_EQ (snapshot.getValue ("currentEffectName"), "Stylized");

    SxPropertySet saved;
    layer.saveToPropertySet (saved, LayerSaveOptions { true });
    auto keys = saved.getAllProperties().getAllKeys();
    keys.add ("currentEffectName");
    EXPECT_EQ (snapshot.getAllProperties().getAllKeys(), keys);
    EXPECT_TRUE (keys.contains ("SelectiveMaskData"));
    EXPECT_FALSE (keys.contains ("LayerCount"));

    // Loaded into another instance, it saves the same keys.
    StylizedWatercolor other;
    other.loadFromPropertySet (snapshot, LayerSaveOptions { true });
    SxPropertySet reloaded;
    other.saveToPropertySet (reloaded, LayerSaveOptions { true });
    EXPECT_EQ (reloaded.getAllProperties(), saved.getAllProperties());
}

TEST (UndoSnapshot, AMaskedSnapshotRestoresStrokesAndOutlinesExactly)
{
    MaskedStylized painted;
    undotest::paintMask (painted.mask());
    const auto snapshot = UndoSnapshot::of (&painted);

    MaskedStylized restored;
    restored.loadFromPropertySet (snapshot, LayerSaveOptions { true });
    undotest::expectSameMask (painted.mask(), restored.mask());
}

TEST (UndoSnapshot, FindsTheRecordedEffectInTheGroupElseTheFirst)
{
    StylizedWatercolor stylized;
    AbstractWaterColor abstractEffect;
    const std::vector<Layer*> group { &stylized, &abstractEffect };

    const struct { const char* name; int index; } cases[] = {
        { "Stylized", 0 }, { "Abstract", 1 }, { "Impasto", 0 }, { "", 0 }, { "abstract", 0 },
    };
    for (const auto& c : cases)
    {
        SxPropertySet snapshot;
        if (*c.name != 0)
            snapshot.setValue ("currentEffectName", c.name);
        EXPECT_EQ (UndoSnapshot::effectIndex (snapshot, group), c.index) << c.name;
    }
    EXPECT_EQ (UndoSnapshot::effectIndex (UndoSnapshot::of (&abstractEffect), group), 1);
    EXPECT_EQ (UndoSnapshot::effectIndex (UndoSnapshot::of (&abstractEffect), {}), 0);
}

TEST (UndoSnapshot, TheSecondSnapshotAfterAResetMarksTheDocumentChanged)
{
    ScopedUserFolders folders;
    AppSettings settings (AppSettings::getDefaultFile ("Quenzella - Tolva"));
    ASSERT_EQ (settings.get (SettingsKeys::freshProjectUndoCount), 0);

    // Opening: the first snapshot leaves the document fresh.
    UndoSnapshot::countTowardsChanged (settings);
    EXPECT_EQ (settings.get (SettingsKeys::freshProjectUndoCount), 1);
    EXPECT_TRUE (settings.get (SettingsKeys::freshProject));

    // The first change marks it.
    UndoSnapshot::countTowardsChanged (settings);
    EXPECT_EQ (settings.get (SettingsKeys::freshProjectUndoCount), 2);
    EXPECT_FALSE (settings.get (SettingsKeys::freshProject));

    // The count held by a damaged settings file cannot overflow.
    settings.set (SettingsKeys::freshProjectUndoCount, std::numeric_limits<int>::max());
    UndoSnapshot::countTowardsChanged (settings);
    EXPECT_EQ (settings.get (SettingsKeys::freshProjectUndoCount), std::numeric_limits<int>::max());
}
