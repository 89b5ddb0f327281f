#include "GenericImageListPanel.h"
#include "Quenzella_TolvaAppComponent.h"
#include "ScopedUserFolders.h"
#include "SxCheckbox.h"

#include <gtest/gtest.h>

// The picker the effects create, in the real main component: the product installs its
// maker, the panel docks over the shell's effect panel, and the shared setting is the
// shell's settings file.

TEST (ShellThumbnailPicker, TheProductMakesThePickerThatDocksOverItsEffectPanel)
{
    ScopedUserFolders folders;
    Quenzella_TolvaAppComponent component;
    component.startUp();
    component.createUI();
    component.setSize (1280, 800);

    auto made = GenericImageList::create ({});
    auto* list = dynamic_cast<GenericImageListPanel*> (made.get());
    ASSERT_NE (list, nullptr);

    auto* effectPanel = component.getEffectPanel();
    ASSERT_NE (effectPanel, nullptr);
    effectPanel->addAndMakeVisible (list);
    list->setBounds (197, 150, 30, 30);
    list->setContent ("Thumbnail_Tolva_Backgrounds", {});
    list->columns = 3;
    list->opensAsPanel = true;
    list->rebuild();
    EXPECT_EQ (list->getSlidePanel()->getBounds().getWidth(), 306);
    EXPECT_EQ (list->getSlidePanel()->getHeight(), effectPanel->getHeight());

    list->toggle();
    EXPECT_EQ (list->getSlidePanel()->getParentComponent(), &component);
    EXPECT_TRUE (list->getSlidePanel()->isCurrentlyModal (false));
    list->animator.cancelAllAnimations (true);
    list->timerCallback (GenericImageListPanel::dockTimer);
    EXPECT_EQ (list->getSlidePanel()->getBounds(),
               juce::Rectangle<int> (1280 - 256, effectPanel->getY(), 306, effectPanel->getHeight()));

    // The shared setting lives in the shell's settings file and is written at once.
    list->getAutoCloseCheckbox()->setChecked (false);
    list->controlChanged (list->getAutoCloseCheckbox());
    const auto productName = component.getAppName();
    EXPECT_FALSE (juce::PropertiesFile (folders.settingsFile (productName), AppSettings::getOptions (productName))
                      .getBoolValue ("shouldCloseImageList", true));

    made.reset();
    EXPECT_EQ (juce::Component::getNumCurrentlyModalComponents(), 0);
}
