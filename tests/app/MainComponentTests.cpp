#include "EffectPresetFolders.h"
#include "Layer.h"
#include "MessagePump.h"
#include "Quenzella_TolvaAppComponent.h"
#include "RecordingAppComponent.h"
#include "ScopedUserFolders.h"
#include "StaticImageLayer.h"

#include <gtest/gtest.h>

namespace
{
    const juce::String productName = "Quenzella - Tolva";

    juce::File presetFolder (const juce::String& effect)
    {
        return EffectPresetFolders::getEffectPresetFolder (effect + " Watercolor");
    }

    int presetFileCount (const juce::String& effect)
    {
        return presetFolder (effect).getNumberOfChildFiles (juce::File::findFiles);
    }

    /** Starts the product's main component as the main window does, without the window. */
    std::unique_ptr<Quenzella_TolvaAppComponent> startProduct()
    {
        auto component = std::make_unique<Quenzella_TolvaAppComponent>();
        component->startUp();
        component->createUI();
        component->setButtonTooltips();
        return component;
    }

    void storeVersion (const ScopedUserFolders& folders, int version)
    {
        AppSettings settings (folders.settingsFile (productName));
        settings.set (SettingsKeys::lastVersionNumber, version);
    }
}

//==============================================================================
TEST (ProductStartUp, AFirstStartStoresTheVersionAndInstallsBothEffectsPresets)
{
    ScopedUserFolders folders;
    auto component = startProduct();

    EXPECT_EQ (component->getStoredVersion(), 0);
    EXPECT_EQ (presetFileCount ("Abstract"), 16);   // eight presets, each with its thumbnail
    EXPECT_EQ (presetFileCount ("Stylized"), 16);
    EXPECT_TRUE (presetFolder ("Abstract").getChildFile ("Abstract 01.pre").existsAsFile());

    // createUI saved at once; nothing waited for the delayed save.
    juce::PropertiesFile written (folders.settingsFile (productName), AppSettings::getOptions (productName));
    EXPECT_EQ (written.getIntValue ("lastVersionNumber"), 0x023900);
    EXPECT_TRUE (written.getBoolValue ("freshProject", false));
}

TEST (ProductStartUp, AnOlderStoredVersionReinstallsTheFactoryPresets)
{
    struct Case { int storedVersion; bool reinstalled; };
    const Case cases[] = { { 0x010500, true }, { 0x0105FF, true }, { 0x010600, false }, { 0x020000, false }, { 0x023900, false } };

    for (const auto& c : cases)
    {
        ScopedUserFolders folders;
        startProduct();   // the first run installs them

        const auto preset = presetFolder ("Stylized").getChildFile ("Stylized 03.pre");
        const auto factoryText = preset.loadFileAsString();
        ASSERT_TRUE (preset.replaceWithText ("edited by the user"));
        storeVersion (folders, c.storedVersion);

        auto component = startProduct();
        EXPECT_EQ (component->getStoredVersion(), c.storedVersion);
        EXPECT_EQ (preset.loadFileAsString(), c.reinstalled ? factoryText : juce::String ("edited by the user"))
            << "stored version 0x" << juce::String::toHexString (c.storedVersion);
    }
}

TEST (ProductStartUp, AnEmptiedPresetFolderIsFilledAgainWhateverTheVersion)
{
    ScopedUserFolders folders;
    startProduct();
    ASSERT_TRUE (presetFolder ("Abstract").deleteRecursively());

    startProduct();
    EXPECT_EQ (presetFileCount ("Abstract"), 16);
}

TEST (ProductStartUp, OneEffectGroupHoldsAbstractThenStylized)
{
    ScopedUserFolders folders;
    auto component = startProduct();

    const auto& groups = component->getEffectList();
    ASSERT_EQ (groups.size(), 1u);
    EXPECT_EQ (component->getCurrentEffectGroup(), 0);
    EXPECT_EQ (groups[0].name, productName);
    EXPECT_EQ (groups[0].icon.getBounds(), juce::Rectangle<int> (128, 128));

    ASSERT_EQ (groups[0].effects.size(), 2u);
    EXPECT_EQ (groups[0].effects[0]->getShortName(), "Abstract");
    EXPECT_EQ (groups[0].effects[1]->getShortName(), "Stylized");

    // Registered, so saved stacks can name them.
    std::unique_ptr<Layer> rebuilt (LayerManager::createLayerByClassName (groups[0].effects[1]->getClassName()));
    ASSERT_NE (rebuilt, nullptr);
    EXPECT_EQ (rebuilt->getShortName(), "Stylized");
}

TEST (ProductStartUp, TheEffectsOutliveTheComponentAndTheStackThatHeldOne)
{
    ScopedUserFolders folders;
    Layer* stylized = nullptr;
    {
        auto component = startProduct();
        stylized = component->getEffectList()[0].effects[1];
        auto* manager = component->getLayerManager();
        manager->addLayer (new StaticImageLayer());
        stylized->setManager (manager);
        manager->replaceEffectLayer (stylized, false);
        ASSERT_EQ (manager->getFirstEffectLayer(), stylized);
    }

    // Still a live prototype: the stack's destruction left it alone.
    EXPECT_EQ (stylized->getShortName(), "Stylized");
    EXPECT_EQ (stylized->getManager(), nullptr);
    EXPECT_EQ (stylized->getCallback(), nullptr);
    std::unique_ptr<Layer> copy (LayerManager::createLayerByClassName (stylized->getClassName()));
    EXPECT_NE (copy, nullptr);
}

TEST (ProductValues, AreTheProducts)
{
    Quenzella_TolvaAppComponent component;
    EXPECT_EQ (component.getAppName(), productName);
    EXPECT_EQ (component.getMakerName(), "Zorvant");
    EXPECT_EQ (component.getShareHashtag(), "#QuenzaTolva");
    EXPECT_EQ (component.getFactoryPresetsVersion(), 0x010600);
    EXPECT_EQ (component.getDataResetVersion(), -1);
    EXPECT_EQ (component.getProjectExtension(), "kvp");
    EXPECT_EQ (component.getMaxLayerCount(), 10);
    EXPECT_EQ (component.getResourceArchiveName(), productName);
    EXPECT_TRUE (component.getBundleIdentifier().startsWith ("com.zorvant."));
    EXPECT_TRUE (component.getInfoPageUrl().startsWith ("https://"));
    EXPECT_EQ (GenericAppComponent::getInstance(), &component);
}

//==============================================================================
TEST (MainComponentHost, KindsAnswerAsTheTableSays)
{
    RecordingAppComponent component;
    // Query kinds 0, 1, 7 and 8 against every host kind from 0 to 11.
    const juce::String expected[] = {
        //        host: 0  1  2  3  4  5  6  7  8  9  10 11
        /* kind 0 */  "1  0  0  0  0  0  0  0  0  0  0  0",
        /* kind 1 */  "0  1  1  1  1  0  0  0  1  1  1  1",
        /* kind 7 */  "0  0  0  0  0  1  1  1  0  0  0  0",
        /* kind 8 */  "0  0  0  0  0  0  0  0  1  0  0  0",
    };
    const int kinds[] = { 0, 1, 7, 8 };

    for (int row = 0; row < 4; ++row)
    {
        juce::StringArray answers;
        for (int host = 0; host <= 11; ++host)
        {
            component.setHostKind (host);
            answers.add (component.isHost (kinds[row]) ? "1" : "0");
        }
        EXPECT_EQ (answers.joinIntoString ("  "), expected[row]) << "kind " << kinds[row];
    }

    component.setHostKind (GenericAppComponent::standaloneHost);
    EXPECT_FALSE (component.isInHostMode());
    component.setHostKind (GenericAppComponent::photosHost);
    EXPECT_TRUE (component.isInHostMode());
}

//==============================================================================
namespace
{
    /** The shell's component started without a window; its clicks are only written down,
        so the effect panel stays where createUI parked it. */
    struct ShellComponentTest : public ::testing::Test
    {
        ScopedUserFolders folders;
        RecordingAppComponent component;

        void start (bool withPresetBrowser)
        {
            component.makesPresetBrowser = withPresetBrowser;
            component.startUp();
            component.createUI();
        }
    };
}

TEST_F (ShellComponentTest, FirstShowReopensThePanelsAsTheyWereLeft)
{
    struct Case { bool presetOpen, effectOpen; juce::StringArray heardByBrowser; juce::StringArray clicks; };
    const Case cases[] = {
        { true, true, { "upArrowButton" }, { "click leftArrowButton" } },
        { false, true, {}, { "click leftArrowButton" } },
        { true, false, { "upArrowButton" }, {} },
        { false, false, {}, {} },
    };

    start (true);
    auto* browser = component.getPresetBrowser();
    ASSERT_NE (browser, nullptr);
    EXPECT_GE (browser->getY(), component.getHeight());   // parked below the bottom edge

    for (const auto& c : cases)
    {
        component.getSettings()->set (SettingsKeys::presetManagerOpened, c.presetOpen);
        component.getSettings()->set (SettingsKeys::effectControlComponentOpened, c.effectOpen);
        browser->heard.clear();
        component.calls.clear();

        component.firstShow();
        ASSERT_TRUE (sxgui::fireTimer (component, GenericAppComponent::firstShowTimer));
        EXPECT_EQ (browser->heard, c.heardByBrowser);
        component.calls.removeString ("firstShow");
        EXPECT_EQ (component.calls, c.clicks);
    }
}

TEST_F (ShellComponentTest, FirstShowTimersDependOnTheHost)
{
    start (false);

    component.setHostKind (GenericAppComponent::photosHost);
    component.GenericAppComponent::firstShow();
    EXPECT_EQ (component.getTimerInterval (GenericAppComponent::reloadHostImageTimer), 325);
    EXPECT_EQ (component.getTimerInterval (GenericAppComponent::idleAfterStartTimer), 10000);
    component.stopTimer (GenericAppComponent::reloadHostImageTimer);
    component.stopTimer (GenericAppComponent::idleAfterStartTimer);

    component.setHostKind (GenericAppComponent::standaloneHost);
    component.GenericAppComponent::firstShow();
    EXPECT_FALSE (component.isTimerRunning (GenericAppComponent::reloadHostImageTimer));
    EXPECT_EQ (component.getTimerInterval (GenericAppComponent::idleAfterStartTimer), 3000);
    EXPECT_TRUE (sxgui::fireTimer (component, GenericAppComponent::idleAfterStartTimer));
    EXPECT_FALSE (component.isTimerRunning (GenericAppComponent::idleAfterStartTimer));
}

TEST_F (ShellComponentTest, TheToolbarFollowsTheModalStateOnlyOnceAnImageIsOpen)
{
    start (true);
    auto named = [this] (const char* name)
    {
        for (auto* child : component.getChildren())
            if (child->getName() == name)
                return child;
        return (juce::Component*) nullptr;
    };
    auto* openButton = named ("getPhotoButton");
    auto* save = named ("savePhotoButton");
    auto* undo = named ("undoButton");
    ASSERT_TRUE (openButton != nullptr && save != nullptr && undo != nullptr);

    juce::Component panel;
    component.addAndMakeVisible (panel);

    // No image: leaving the modal state enables nothing.
    component.enterModal (&panel, true);
    component.exitModal (&panel);
    EXPECT_FALSE (save->isEnabled());
    EXPECT_FALSE (component.areControlsEnabled());
    EXPECT_FALSE (component.getPresetBrowser()->isEnabled());

    SxRef<SxImageRgbaBytes> image (new SxImageRgbaBytes (8, 8));
    component.setWorkingImage (image.get());
    component.callEnableToolbar();
    EXPECT_TRUE (component.areControlsEnabled());
    EXPECT_TRUE (save->isEnabled() && undo->isEnabled() && component.getPresetBrowser()->isEnabled());

    component.enterModal (&panel, true);
    EXPECT_FALSE (component.areControlsEnabled());
    EXPECT_FALSE (save->isEnabled() || undo->isEnabled());
    EXPECT_TRUE (openButton->isEnabled());
    component.exitModal (&panel);
    EXPECT_TRUE (save->isEnabled());

    component.removeChildComponent (&panel);
    component.setWorkingImage (nullptr);
}

TEST_F (ShellComponentTest, TooltipsFollowTheirSetting)
{
    start (false);
    EXPECT_TRUE (component.areTooltipsShown());

    component.hideTooltips();
    component.getSettings()->set (SettingsKeys::showToolTips, false);
    component.showTooltips();
    EXPECT_FALSE (component.areTooltipsShown());

    component.getSettings()->set (SettingsKeys::showToolTips, true);
    component.showTooltips();
    EXPECT_TRUE (component.areTooltipsShown());
}
