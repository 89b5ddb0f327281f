#include "ImageListTest.h"
#include "SxCheckbox.h"
#include "SxScroller.h"

// The picker as built: names, geometry, pictures, and choices shown without a report.

namespace
{
    juce::Component* childNamed (juce::Component& parent, const juce::String& name)
    {
        for (auto* child : parent.getChildren())
            if (child->getName() == name)
                return child;
        return nullptr;
    }

    using ImageListBuild = ImageListTest;
}

TEST_F (ImageListBuild, MakerBuildsOnlyThePanelForm)
{
    EXPECT_NE (GenericImageListPanel::make ({}), nullptr);

    for (const auto& variant : { GenericImageList::Variant { true, false, {}, false },
                                 GenericImageList::Variant { false, true, {}, false },
                                 GenericImageList::Variant { false, false, {}, true } })
        EXPECT_EQ (GenericImageListPanel::make (variant), nullptr);

    GenericImageList::installMaker (&GenericImageListPanel::make);
    auto made = GenericImageList::create ({});
    EXPECT_NE (dynamic_cast<GenericImageListPanel*> (made.get()), nullptr);
    EXPECT_EQ (made->getName(), "ImageListMainComponent");
    GenericImageList::installMaker ({});
    EXPECT_EQ (GenericImageList::create ({}), nullptr);
}

TEST_F (ImageListBuild, ItemsAreTheGroupsFileStemsInArchiveOrder)
{
    auto& list = makeList();
    ASSERT_EQ (list.getItemCount(), 30);
    EXPECT_EQ (list.getItemNames()[0], "paper-00");
    EXPECT_EQ (list.getItemNames()[29], "paper-29");
    ASSERT_EQ (list.getNumItemButtons(), 30);

    for (int i : { 0, 7, 29 })
    {
        SCOPED_TRACE (i);
        auto* button = list.getItemButton (i);
        EXPECT_EQ (button->getName(), juce::String (i));
        EXPECT_EQ (centreOf (pictureOn (button)), colourOf (i));
    }
}

TEST_F (ImageListBuild, PanelBesideA256PxEffectPanelIs306WideWith67PxThumbnails)
{
    auto& list = makeList();
    auto* panel = list.getSlidePanel();
    ASSERT_NE (panel, nullptr);
    EXPECT_EQ (panel->getName(), "slideComponent");
    EXPECT_EQ (panel->getParentComponent(), nullptr) << "added to the window only when it opens";
    EXPECT_EQ (panel->getBounds().getWidth(), 306);
    EXPECT_EQ (panel->getHeight(), panelHeight);

    auto* scroller = list.getScroller();
    EXPECT_EQ (scroller->getName(), "ImageListScroller");
    EXPECT_EQ (scroller->getComponentID(), "scrollerComponent");
    EXPECT_EQ (scroller->getBounds(), juce::Rectangle<int> (2, 35, 254, panelHeight - 106));
    EXPECT_EQ (list.itemSize, 67);

    // Three to a row, 13 px apart; rows at 5, 85, 165...
    const juce::Point<int> expected[] = { { 13, 5 }, { 93, 5 }, { 173, 5 }, { 13, 85 }, { 93, 85 }, { 173, 85 }, { 13, 165 } };
    for (int i = 0; i < (int) std::size (expected); ++i)
    {
        SCOPED_TRACE (i);
        EXPECT_EQ (list.getItemButton (i)->getBounds(), juce::Rectangle<int> (expected[i].x, expected[i].y, 67, 67));
    }
    EXPECT_EQ (list.getItemButton (29)->getPosition(), juce::Point<int> (173, 725));
    EXPECT_EQ (list.getGrid()->getBounds(), juce::Rectangle<int> (0, 0, 254, 805)) << "the last row and one gap below it";

    // Backgrounds behind, numbers on the thumbnails, the frame round the first.
    auto* grid = list.getGrid();
    EXPECT_EQ (childNamed (*grid, "itemBackground")->getBounds(), juce::Rectangle<int> (13, 5, 75, 75));
    auto* first = list.getItemButton (0);
    auto* badge = childNamed (*first, "numberBadge");
    auto* number = dynamic_cast<juce::Label*> (childNamed (*first, "numberLabel"));
    ASSERT_NE (badge, nullptr);
    ASSERT_NE (number, nullptr);
    EXPECT_EQ (badge->getBounds(), juce::Rectangle<int> (23, 23, 20, 20));
    EXPECT_EQ (number->getBounds(), juce::Rectangle<int> (21, 23, 24, 20));
    EXPECT_EQ (number->getText(), "1");
    EXPECT_EQ (dynamic_cast<juce::Label*> (childNamed (*list.getItemButton (29), "numberLabel"))->getText(), "30");
    EXPECT_EQ (list.getSelectionFrame()->getBounds(), juce::Rectangle<int> (10, 2, 73, 73));

    // Title, Close and the checkbox under the 256 visible pixels.
    EXPECT_EQ (dynamic_cast<juce::Label*> (childNamed (*panel, "presetEffectTitleLabel"))->getText(), "Background");
    EXPECT_EQ (list.getCloseButton()->getName(), "ImageListCancel");
    EXPECT_EQ (list.getCloseButton()->getBounds(), juce::Rectangle<int> (82, panelHeight - 60, 92, 31));
    EXPECT_EQ (list.getAutoCloseCheckbox()->getBounds(), juce::Rectangle<int> (77, panelHeight - 24, 160, 14));
    EXPECT_TRUE (list.getAutoCloseCheckbox()->isChecked()) << "the shared setting is on by default";

    auto* opener = list.getOpenerButton();
    EXPECT_EQ (opener->getName(), "ImageButtonClosed");
    EXPECT_EQ (opener->getBounds(), juce::Rectangle<int> (2, 2, 26, 26));
    EXPECT_EQ (list.getChildComponent (list.getNumChildComponents() - 1), opener) << "the opener on top of its frame";
}

TEST_F (ImageListBuild, AGroupTheArchiveLacksGivesAnEmptyGridUnderTheDecoration)
{
    auto& list = makeList ("No_Such_Group");
    EXPECT_EQ (list.getItemCount(), 0);
    EXPECT_EQ (list.getNumItemButtons(), 0);
    EXPECT_EQ (list.getGrid()->getHeight(), 5);
    EXPECT_EQ (list.getSelectionFrame(), nullptr);
    EXPECT_NE (list.getCloseButton(), nullptr);

    const auto placeholder = pictureOn (list.getOpenerButton());
    ASSERT_TRUE (placeholder.isValid());
    list.selectItemNamed ("paper-01");
    list.setSelectedIndex (3);
    EXPECT_EQ (pictureOn (list.getOpenerButton()), placeholder);

    openSettled (list);
    EXPECT_TRUE (list.isOpen());
    list.closePanel();
    finishClose (list);
    EXPECT_TRUE (owner.choices.empty());
}

TEST_F (ImageListBuild, AnUnreadablePictureShowsNothingAndCanStillBeChosen)
{
    sxtest::ArchiveItem broken { "torn.jpg", {} };
    broken.bytes.append ("not a picture at all", 20);
    writeArchive (2, { broken });
    auto& list = makeList();
    ASSERT_EQ (list.getItemCount(), 3);
    EXPECT_FALSE (pictureOn (list.getItemButton (2)).isValid());

    list.setSelectedIndex (2);
    EXPECT_TRUE (pictureOn (list.getOpenerButton()).isValid()) << "the placeholder, not an empty opener";

    settings->setValue (GenericImageListPanel::autoCloseKey, false);
    openSettled (list);
    input.click (*list.getItemButton (2));
    sxgui::drainMessages();
    ASSERT_EQ (owner.choices.size(), 1u);
    EXPECT_EQ (owner.choices[0].index, 2);
}

TEST_F (ImageListBuild, SelectItemNamedMatchesTheBareFileNameIgnoringCase)
{
    writeArchive (4, { { "Aged-Paper13.jpg", sxtest::pngBytes (8, 8, juce::Colours::red) },
                       { "aged-paper13.png", sxtest::pngBytes (8, 8, juce::Colours::green) } });
    auto& list = makeList();

    const struct { const char* name; int index; } cases[] = {
        { "paper-02", 2 },
        { "PAPER-03", 3 },
        { "Papers/Old/paper-01.jpg", 1 },
        { "/full/path/Aged-Paper13.tif", 5 },   // the last of two names equal but for case
        { "paper-02.jpg.bak", 0 },              // stem "paper-02.jpg": no such item
        { "nothing-like-it", 0 },
        { "", 0 },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        list.setSelectedIndex (4);
        list.selectItemNamed (c.name);
        EXPECT_EQ (list.getSelectedIndex(), c.index);
        EXPECT_EQ (list.getSelectionFrame()->getPosition(), list.getItemButton (c.index)->getPosition() - juce::Point<int> (3, 3));
        EXPECT_EQ (pictureOn (list.getOpenerButton()), pictureOn (list.getItemButton (c.index)));
    }

    sxgui::drainMessages();
    EXPECT_TRUE (owner.choices.empty()) << "showing a stored choice tells nobody";
}

TEST_F (ImageListBuild, AnIndexOutsideTheItemsLeavesTheFrameAndTheOpenerAlone)
{
    auto& list = makeList();
    list.setSelectedIndex (4);
    const auto frame = list.getSelectionFrame()->getPosition();
    const auto opener = pictureOn (list.getOpenerButton());

    for (int index : { -1, 30, 1000 })
    {
        SCOPED_TRACE (index);
        list.setSelectedIndex (index);
        EXPECT_EQ (list.getSelectedIndex(), index);
        EXPECT_EQ (list.getSelectionFrame()->getPosition(), frame);
        EXPECT_EQ (pictureOn (list.getOpenerButton()), opener);
    }
}

TEST_F (ImageListBuild, SetSelectedIndexScrollsTheChosenRowIntoViewForTheNextOpen)
{
    auto& list = makeList();

    // Rows at 5, 85, 165, 245: the first stays at the top, the second is scrolled to the top,
    // later ones to 100 px (a thumbnail and a half) below it.
    const struct { int index; int viewY; } cases[] = { { 0, 0 }, { 2, 0 }, { 3, 85 }, { 6, 65 }, { 9, 145 }, { 11, 145 } };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.index);
        list.setSelectedIndex (c.index);
        EXPECT_EQ (list.getSavedViewPosition(), juce::Point<int> (0, c.viewY));
    }

    openSettled (list);
    EXPECT_EQ (list.getScroller()->getViewPosition(), juce::Point<int> (0, 145));
}

TEST_F (ImageListBuild, AStoredChoiceBeforeTheBuildShowsOnceBuilt)
{
    auto* list = new GenericImageListPanel();
    host.getEffectPanel().addAndMakeVisible (list);
    list->setBounds (197, 150, 30, 30);
    list->setContent (group, {});
    list->columns = 3;
    list->opensAsPanel = true;
    list->setSelectedIndex (4);
    list->rebuild();

    EXPECT_EQ (list->getSelectionFrame()->getPosition(), juce::Point<int> (93 - 3, 85 - 3));
    EXPECT_EQ (centreOf (pictureOn (list->getOpenerButton())), colourOf (4));
    EXPECT_EQ (list->getSavedViewPosition(), juce::Point<int> (0, 85));
}

TEST_F (ImageListBuild, TheOpenerShowsTheOwnersHelpText)
{
    auto* list = new GenericImageListPanel();
    host.getEffectPanel().addAndMakeVisible (list);
    list->setBounds (197, 150, 30, 30);
    list->setContent (group, {});
    list->tooltip = "Choose a border.";
    list->rebuild();
    EXPECT_EQ (list->getOpenerButton()->getTooltip(), "Choose a border.");
}
