#include "EffectPresetFolders.h"
#include "Quenzella_TolvaAppComponent.h"
#include "ScopedUserFolders.h"
#include "SxCheckbox.h"
#include "SxPreferenceComponent.h"

#include <gtest/gtest.h>

namespace
{
    const juce::String productName = "Quenzella - Tolva";
}

TEST (ShellPreferences, ThePanelReachesTheShellsSettingsTooltipsSaveFolderAndPresets)
{
    ScopedUserFolders folders;
    Quenzella_TolvaAppComponent component;
    component.startUp();
    component.createUI();
    ASSERT_TRUE (component.areTooltipsShown());

    component.showPreferences();
    auto* panel = dynamic_cast<SxPreferenceComponent*> (component.getPreferencesPanel());
    ASSERT_NE (panel, nullptr);
    EXPECT_EQ (panel->getParentComponent(), &component);

    const auto onDisk = [&] { return juce::PropertiesFile (folders.settingsFile (productName), AppSettings::getOptions (productName)); };

    panel->showTooltipsBox->setChecked (false);
    panel->controlChanged (panel->showTooltipsBox);
    EXPECT_FALSE (component.areTooltipsShown());
    EXPECT_FALSE (onDisk().getBoolValue ("showToolTips", true));

    panel->controlChanged (panel->useSaveLocationBox);
    EXPECT_FALSE (component.getUseImageLocation());
    EXPECT_FALSE (onDisk().getBoolValue ("useImageLocation", true));

    // Rebuild brings back a factory preset the user deleted.
    const auto preset = EffectPresetFolders::getEffectPresetFolder ("Abstract Watercolor").getChildFile ("Abstract 01.pre");
    ASSERT_TRUE (preset.deleteFile());
    panel->buttonClicked (panel->getRebuildButton());
    EXPECT_TRUE (preset.existsAsFile());

    panel->buttonClicked (panel->getDoneButton());
    component.getPanelAnimator().cancelAllAnimations (true);
    component.getPreferencesRemovalTimer().timerCallback();
    EXPECT_EQ (component.getPreferencesPanel(), nullptr);
    EXPECT_EQ (juce::Component::getNumCurrentlyModalComponents(), 0);
}
