#pragma once

#include "AppIdentity.h"
#include "GenericImageListPanel.h"
#include "MessagePump.h"
#include "ResourceArchive.h"
#include "SlidingPanelTest.h"
#include "SxOutsideInputWatcher.h"
#include "TestArchive.h"
#include "TestImages.h"

#include <cstdlib>

/** What a picker told its owner: (list, index), in order, and whether the panel was still
    open at the time. */
struct ChoiceLog : public GenericImageListCallback
{
    struct Choice { GenericImageList* list; int index; bool openWhenTold; };

    void imageListItemChosen (GenericImageList* list, int index) override
    {
        choices.push_back ({ list, index, list->isOpen() });
        if (onChoice)
            onChoice (list);
    }

    std::vector<Choice> choices;
    std::function<void (GenericImageList*)> onChoice;
};

/** Pickers in the host window's effect panel, reading a small archive of coloured
    thumbnails from a temporary resource folder, with a settings file of their own. */
class ImageListTest : public SlidingPanelTest
{
public:
    static constexpr const char* group = "Thumbnail_Tolva_Backgrounds";
    /** The effect panel's height in the host window: it runs from the toolbar to the bottom. */
    static constexpr int panelHeight = sxgui::HostWindow::windowHeight - sxgui::HostWindow::toolbarHeight;

protected:
    sxtest::TempFolder resources;
    juce::TemporaryFile settingsTemp { ".plist" };
    std::unique_ptr<juce::PropertiesFile> settings;
    ChoiceLog owner;

    void SetUp() override
    {
        SlidingPanelTest::SetUp();
        ::setenv ("SX_RESOURCE_DIR", resources.get().getFullPathName().toRawUTF8(), 1);
        writeArchive (30);
        settings = std::make_unique<juce::PropertiesFile> (settingsTemp.getFile(), settingsOptions());
        host.settingsFile = settings.get();
    }

    void TearDown() override
    {
        SlidingPanelTest::TearDown();
        host.settingsFile = nullptr;
        ::unsetenv ("SX_RESOURCE_DIR");
        loadResourceArchiveIndex();
    }

    static juce::PropertiesFile::Options settingsOptions()
    {
        juce::PropertiesFile::Options o;
        o.storageFormat = juce::PropertiesFile::storeAsXML;
        o.millisecondsBeforeSaving = 3000;
        return o;
    }

    /** The colour of thumbnail i: every one different. */
    static juce::Colour colourOf (int i)  { return juce::Colour ((juce::uint8) (i * 8), 120, (juce::uint8) (250 - i * 8)); }

    /** count items "paper-00.jpg"... in the group, plus extra items as given. */
    void writeArchive (int count, std::vector<sxtest::ArchiveItem> extra = {})
    {
        sxtest::ArchiveGroups groups;
        auto& items = groups[group];
        for (int i = 0; i < count; ++i)
            items.push_back ({ juce::String::formatted ("paper-%02d.jpg", i), sxtest::pngBytes (40, 40, colourOf (i)) });
        for (auto& item : extra)
            items.push_back (std::move (item));
        ASSERT_TRUE (sxtest::writeResourceArchive (resources.get().getChildFile (AppIdentity::getAppName() + ".bin"), groups));
        loadResourceArchiveIndex();
    }

    /** A picker set up as the paper control sets one up, its opener at (197, top) in the
        effect panel, which owns it. */
    GenericImageListPanel& makeList (const juce::String& groupName = group, int top = 150)
    {
        auto* list = new GenericImageListPanel();
        host.getEffectPanel().addAndMakeVisible (list);
        list->setBounds (197, top, 30, 30);
        list->setName ("backgroundPaperImageList");
        list->setContent (groupName, {});
        list->columns = 3;
        list->itemSize = 65;
        list->opensAsPanel = true;
        list->title = "Background";
        list->callback = &owner;
        list->rebuild();
        return *list;
    }

    void clickOpener (GenericImageListPanel& list)  { input.click (*list.getOpenerButton()); }

    /** Opened through its opener, slid in, and pinned by timer 100. */
    void openSettled (GenericImageListPanel& list)
    {
        clickOpener (list);
        settle (list.animator);
        ASSERT_TRUE (sxgui::fireTimer (list, GenericImageListPanel::dockTimer));
    }

    /** Slid out, and the two timers of the close fired. */
    void finishClose (GenericImageListPanel& list)
    {
        settle (list.animator);
        EXPECT_TRUE (sxgui::fireTimer (list, GenericImageListPanel::parkTimer));
        EXPECT_TRUE (sxgui::fireTimer (list, GenericImageListPanel::leaveModalTimer));
    }

    /** A press and release on the toolbar, and the outside-input watcher's poll after it. */
    void clickOutside()
    {
        input.click (host.getToolbar(), { 600, 15 });
        if (auto* watcher = SxOutsideInputWatcher::getInstanceWithoutCreating())
            sxgui::fireTimer (*watcher);
    }

    bool autoCloseOnDisk() const
    {
        return juce::PropertiesFile (settingsTemp.getFile(), settingsOptions()).getBoolValue (GenericImageListPanel::autoCloseKey, true);
    }

    /** The picture a thumbnail button shows; null when it shows none. */
    static juce::Image pictureOn (juce::Button* button)
    {
        auto* image = dynamic_cast<juce::ImageButton*> (button);
        return image != nullptr ? image->getNormalImage() : juce::Image();
    }

    /** The colour in the middle of a picture. */
    static juce::Colour centreOf (const juce::Image& image)
    {
        return image.getPixelAt (image.getWidth() / 2, image.getHeight() / 2);
    }
};
