#include "HostedTest.h"
#include "StandInImageList.h"
#include "SxLabel.h"
#include "SxLabelImageList.h"

namespace
{
    class LabelImageListTest : public sxgui::HostedTest
    {
    protected:
        /** A border row as the effect panels build it, in a 256-wide panel. */
        SxLabelImageList& addRow()
        {
            SxLabelImageList::Options options;
            options.variant.callOutBounds = "0, 0, left + parent.width, top + parent.height";
            options.tooltip = "Choose a border.";
            auto* row = new SxLabelImageList ("edgeImageList", "Border", "Tolva_Thumbnail_Borders", "Border", options);
            panel.addAndMakeVisible (row);
            return *row;
        }

        SxComponent& panel = add (new SxComponent ("panel"), { 700, 100, 256, 300 });
    };
}

TEST_F (LabelImageListTest, TheCaptionSitsLeftOfTheFiftyPixelPickerItCreatesAndOwns)
{
    sxgui::ScopedStandInPickers pickers;
    auto& row = addRow();

    EXPECT_EQ (row.getBounds(), juce::Rectangle<int> (0, 0, 256, 60));
    EXPECT_EQ (row.getLabel().getName(), "SxLabelSliderLabel");
    EXPECT_EQ (row.getLabel().getText(), "Border");
    EXPECT_EQ (row.getLabel().getBounds(), juce::Rectangle<int> (256 - 220, 25, 150, 23));
    EXPECT_EQ (row.getLabel().getJustificationType(), juce::Justification::centredRight);

    auto* list = dynamic_cast<sxgui::StandInImageList*> (row.getImageList());
    ASSERT_NE (list, nullptr);
    EXPECT_EQ (list->getParentComponent(), &row);
    EXPECT_EQ (list->getName(), "edgeImageList");
    EXPECT_EQ (list->getBounds(), juce::Rectangle<int> (256 - 55, 10, 50, 50));
    EXPECT_EQ (list->group, "Tolva_Thumbnail_Borders");
    EXPECT_EQ (list->title, "Border");
    EXPECT_EQ (list->columns, 3);
    EXPECT_EQ (list->itemSize, 65);
    EXPECT_TRUE (list->showSelectionFrame && list->showNumbers && list->opensAsPanel);
    EXPECT_EQ (list->variant.callOutBounds, "0, 0, left + parent.width, top + parent.height");
    EXPECT_FALSE (list->variant.fullWindow || list->variant.inCallOut);
    EXPECT_EQ (list->tooltip, "Choose a border.");
    EXPECT_EQ (list->rebuilds, 1) << "laid out once, after its settings and size";

    // The row follows the panel's width.
    panel.setSize (300, 300);
    EXPECT_EQ (row.getWidth(), 300);
    EXPECT_EQ (list->getBounds(), juce::Rectangle<int> (300 - 55, 10, 50, 50));
}

TEST_F (LabelImageListTest, SelectionsGoToThePickerWithoutAReport)
{
    sxgui::ScopedStandInPickers pickers;
    auto& row = addRow();
    auto* list = dynamic_cast<sxgui::StandInImageList*> (row.getImageList());

    struct Owner : GenericImageListCallback
    {
        int reports = 0;
        void imageListItemChosen (GenericImageList*, int) override  { ++reports; }
    } owner;
    list->callback = &owner;

    row.selectItem ("border-02");
    EXPECT_EQ (list->selectedName, "border-02");
    row.selectIndex (3);
    EXPECT_EQ (list->getSelectedIndex(), 3);
    EXPECT_EQ (owner.reports, 0);

    // A pick through the picker's panel reaches the owner with its index.
    input.click (*list);
    input.click (*list->getThumbnail (1));
    EXPECT_EQ (owner.reports, 1);
    EXPECT_EQ (list->getSelectedIndex(), 1);
    list->dismiss();
}

TEST_F (LabelImageListTest, WithoutAPickerMakerTheRowIsTheCaptionAlone)
{
    auto& row = addRow();
    EXPECT_EQ (row.getImageList(), nullptr);
    EXPECT_EQ (row.getNumChildComponents(), 1);
    EXPECT_EQ (row.getLabel().getText(), "Border");

    row.selectItem ("border-02");
    row.selectIndex (1);
    row.update();
}
