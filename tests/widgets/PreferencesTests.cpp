#include "SlidingPanelTest.h"
#include "SxCheckbox.h"
#include "SxCheckboxImageButton.h"
#include "SxLabelColorPicker.h"
#include "SxPreferenceComponent.h"

namespace
{
    class PreferencesTest : public SlidingPanelTest
    {
    protected:
        juce::TemporaryFile temp { ".plist" };
        std::unique_ptr<juce::PropertiesFile> settings;

        static juce::PropertiesFile::Options options()
        {
            juce::PropertiesFile::Options o;
            o.storageFormat = juce::PropertiesFile::storeAsXML;
            o.millisecondsBeforeSaving = 3000;
            return o;
        }

        void SetUp() override
        {
            SlidingPanelTest::SetUp();
            settings = std::make_unique<juce::PropertiesFile> (temp.getFile(), options());
            host.settingsFile = settings.get();
        }

        void TearDown() override
        {
            SlidingPanelTest::TearDown();
            host.settingsFile = nullptr;
        }

        /** The file as the next start would read it. */
        std::unique_ptr<juce::PropertiesFile> onDisk() const
        {
            return std::make_unique<juce::PropertiesFile> (temp.getFile(), options());
        }

        SxPreferenceComponent& showSettled()
        {
            host.showPreferences();
            auto* panel = dynamic_cast<SxPreferenceComponent*> (host.getPreferencesPanel());
            settle (host.getPanelAnimator());
            return *panel;
        }

        void click (SxCheckbox& box)  { input.click (box.getTick()); }
    };
}

TEST_F (PreferencesTest, SlidesDownFromAboveTheWindowAndBlocksTheRest)
{
    host.showPreferences();
    auto* panel = host.getPreferencesPanel();
    ASSERT_NE (panel, nullptr);

    EXPECT_EQ (panel->getName(), "preferenceDialog");
    EXPECT_EQ (panel->getParentComponent(), &host);
    EXPECT_EQ (panel->getBounds(), juce::Rectangle<int> (287, -236, 450, 235));
    EXPECT_TRUE (panel->isCurrentlyModal (false));
    EXPECT_TRUE (host.alertOnBlockedInput());
    EXPECT_FALSE (host.isToolbarEnabled());

    host.showPreferences();      // one at a time
    EXPECT_EQ (host.getPreferencesPanel(), panel);

    settle (host.getPanelAnimator());
    EXPECT_EQ (panel->getBounds(), juce::Rectangle<int> (287, -26, 450, 235));
}

TEST_F (PreferencesTest, WithNothingStoredTheDefaultsShow)
{
    auto& panel = showSettled();
    EXPECT_TRUE (panel.useImageLocationBox->isChecked());
    EXPECT_FALSE (panel.useSaveLocationBox->isChecked());
    EXPECT_TRUE (panel.showTooltipsBox->isChecked());
    EXPECT_EQ (panel.backgroundColour, 0xFFFFFF00u);      // white, alpha 0

    auto& chip = *panel.getColourChip();
    EXPECT_EQ (chip.getName(), "backgroundColorChip");
    EXPECT_EQ (chip.getBounds(), juce::Rectangle<int> (150, 52, 140, 35));
    EXPECT_TRUE (chip.getPicker().getShowsAlpha());
    EXPECT_EQ (chip.getPicker().getCurrentColour(), juce::Colour ((juce::uint8) 255, 255, 255, (juce::uint8) 0));
}

TEST_F (PreferencesTest, StoredSettingsShow)
{
    settings->setValue ("useImageLocation", false);
    settings->setValue ("showToolTips", false);
    settings->setValue ("backgroundColor.red", 10);
    settings->setValue ("backgroundColor.green", 20);
    settings->setValue ("backgroundColor.blue", 30);
    settings->setValue ("backgroundColor.alpha", 255);

    auto& panel = showSettled();
    EXPECT_FALSE (panel.useImageLocationBox->isChecked());
    EXPECT_TRUE (panel.useSaveLocationBox->isChecked());
    EXPECT_FALSE (panel.showTooltipsBox->isChecked());
    EXPECT_EQ (panel.backgroundColour, 0x1E140AFFu);
}

TEST_F (PreferencesTest, EveryChangeIsSavedAtOnceAndTakesEffect)
{
    auto& panel = showSettled();

    click (*panel.showTooltipsBox);
    EXPECT_FALSE (onDisk()->getBoolValue ("showToolTips", true));
    click (*panel.showTooltipsBox);
    EXPECT_TRUE (onDisk()->getBoolValue ("showToolTips", false));

    click (*panel.useSaveLocationBox);
    EXPECT_FALSE (onDisk()->getBoolValue ("useImageLocation", true));
    click (*panel.useImageLocationBox);
    EXPECT_TRUE (onDisk()->getBoolValue ("useImageLocation", false));

    // A colour picked in the chip: written into the bound word, then reported.
    panel.getColourChip()->colourChanged (&panel.getColourChip()->getPicker(), 0x336699C0u);
    EXPECT_EQ (panel.backgroundColour, 0x336699C0u);
    const auto stored = onDisk();
    EXPECT_EQ (stored->getIntValue ("backgroundColor.red"), 0x99);
    EXPECT_EQ (stored->getIntValue ("backgroundColor.green"), 0x66);
    EXPECT_EQ (stored->getIntValue ("backgroundColor.blue"), 0x33);
    EXPECT_EQ (stored->getIntValue ("backgroundColor.alpha"), 0xC0);

    EXPECT_EQ (host.preferenceCalls, juce::StringArray ({ "tooltips off", "tooltips on", "saved location", "image location" }));
}

TEST_F (PreferencesTest, TheSaveLocationBoxesActAsRadioButtons)
{
    auto& panel = showSettled();

    // The ticked choice clicked again stays ticked, and so does the setting.
    for (int i = 0; i < 2; ++i)
    {
        click (*panel.useImageLocationBox);
        EXPECT_TRUE (panel.useImageLocationBox->isChecked());
        EXPECT_FALSE (panel.useSaveLocationBox->isChecked());
        EXPECT_TRUE (onDisk()->getBoolValue ("useImageLocation", false));
    }

    click (*panel.useSaveLocationBox);
    click (*panel.useSaveLocationBox);
    EXPECT_FALSE (panel.useImageLocationBox->isChecked());
    EXPECT_TRUE (panel.useSaveLocationBox->isChecked());
    EXPECT_FALSE (onDisk()->getBoolValue ("useImageLocation", true));
}

TEST_F (PreferencesTest, DoneSlidesThePanelUpAndRemovesItAfter300Ms)
{
    host.showPreferences();
    juce::Component::SafePointer<juce::Component> panel (host.getPreferencesPanel());
    auto& done = *dynamic_cast<SxPreferenceComponent&> (*panel).getDoneButton();

    run (host.getPanelAnimator(), 30);
    input.click (done);                                   // still sliding down: ignored
    EXPECT_FALSE (host.getPreferencesRemovalTimer().isTimerRunning());

    settle (host.getPanelAnimator());
    input.click (done);
    ASSERT_TRUE (host.getPreferencesRemovalTimer().isTimerRunning());
    EXPECT_EQ (host.getPreferencesRemovalTimer().getTimerInterval(), 300);
    settle (host.getPanelAnimator());
    EXPECT_EQ (panel->getY(), -26 - 235 - 47);
    EXPECT_TRUE (panel->isCurrentlyModal (false));

    EXPECT_TRUE (sxgui::fireTimer (host.getPreferencesRemovalTimer()));
    EXPECT_EQ (panel, nullptr);
    EXPECT_EQ (host.getPreferencesPanel(), nullptr);
    EXPECT_TRUE (host.isToolbarEnabled());
}

TEST_F (PreferencesTest, EscapeActsAsDoneAndRebuildAsksTheMainComponent)
{
    auto& panel = showSettled();
    input.click (*panel.getRebuildButton());
    EXPECT_EQ (host.preferenceCalls, juce::StringArray ({ "rebuild presets" }));
    EXPECT_EQ (panel.getRebuildButton()->getBounds(), juce::Rectangle<int> (128, 163, 193, 31));
    EXPECT_EQ (panel.getDoneButton()->getBounds(), juce::Rectangle<int> (179, 202, 92, 23));

    EXPECT_TRUE (input.pressKey (juce::KeyPress (juce::KeyPress::escapeKey)));
    EXPECT_TRUE (host.getPreferencesRemovalTimer().isTimerRunning());
    settle (host.getPanelAnimator());
    sxgui::fireTimer (host.getPreferencesRemovalTimer());
    EXPECT_EQ (host.getPreferencesPanel(), nullptr);
}

TEST_F (PreferencesTest, TabMovesThroughTheControlsAndReturnTicks)
{
    auto& panel = showSettled();

    input.pressKey (juce::KeyPress (juce::KeyPress::tabKey));
    EXPECT_TRUE (panel.useImageLocationBox->getTick().hasKeyboardFocus (false));
    EXPECT_TRUE (panel.useImageLocationBox->getTick().showsKeyboardFocus());
    input.pressKey (juce::KeyPress (juce::KeyPress::tabKey));
    EXPECT_TRUE (panel.useSaveLocationBox->getTick().hasKeyboardFocus (false));
    input.pressKey (juce::KeyPress (juce::KeyPress::returnKey));
    sxgui::drainMessages();
    EXPECT_TRUE (panel.useSaveLocationBox->isChecked());
    EXPECT_FALSE (panel.useImageLocationBox->isChecked());

    input.pressKey (juce::KeyPress (juce::KeyPress::tabKey));
    EXPECT_TRUE (panel.showTooltipsBox->getTick().hasKeyboardFocus (false));
    EXPECT_TRUE (panel.showTooltipsBox->getTick().showsKeyboardFocus());
    EXPECT_FALSE (panel.useSaveLocationBox->getTick().showsKeyboardFocus());
}
