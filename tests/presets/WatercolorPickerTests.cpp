#include "ImageListTest.h"
#include "PaperChoiceUI.h"
#include "StylizedWatercolor.h"
#include "SxMainTabComponent.h"

// The watercolour controls with the real thumbnail picker: a pick reaches the layer, and the
// controls going away with the picker's panel open take the panel with them.

namespace
{
    bool windowHolds (juce::Component& c, const juce::String& name)
    {
        for (auto* child : c.getChildren())
            if (child->getName() == name || windowHolds (*child, name))
                return true;
        return false;
    }

    class WatercolorPickerTest : public ImageListTest
    {
    protected:
        void SetUp() override
        {
            ImageListTest::SetUp();
            GenericImageList::installMaker (&GenericImageListPanel::make);
            WatercolorSettings::setArchiveNameSource ([] (const juce::String& g)
            {
                juce::StringArray names;
                if (g == "Tolva_Backgrounds")
                    for (int i = 0; i < 30; ++i)
                        names.add (juce::String::formatted ("paper-%02d", i));
                return names;
            });
        }

        void TearDown() override
        {
            GenericImageList::installMaker ({});
            WatercolorSettings::setArchiveNameSource (nullptr);
            ImageListTest::TearDown();
        }

        /** The layer's page filling the effect panel, on a paper background. */
        GenericImageListPanel& showPaperList (StylizedWatercolor& layer)
        {
            layer.getSettings().backgroundStyleMode = 1;
            layer.buildControls();
            auto& page = *layer.getControlTabs().front();
            host.getEffectPanel().addBorrowedChild (page);
            page.setBounds (host.getEffectPanel().getLocalBounds());
            return dynamic_cast<GenericImageListPanel&> (*layer.getPaperChoice()->getPaperList());
        }
    };
}

TEST_F (WatercolorPickerTest, APickedPaperReachesTheLayer)
{
    StylizedWatercolor layer;
    layer.getSettings().edgeFileName = "paper-00";
    auto& list = showPaperList (layer);
    openSettled (list);
    input.click (*list.getItemButton (7));

    // Auto-close: the report follows the slide out.
    finishClose (list);
    ASSERT_TRUE (sxgui::fireTimer (list, GenericImageListPanel::reportTimer));
    sxgui::drainMessages();
    EXPECT_EQ (layer.getSettings().edgeFileName, "paper-07");
    layer.destroyControls();
}

TEST_F (WatercolorPickerTest, DestroyingTheControlsWithThePanelOpenTakesThePanelAlong)
{
    StylizedWatercolor layer;
    auto& list = showPaperList (layer);
    openSettled (list);
    ASSERT_TRUE (list.isOpen());
    ASSERT_TRUE (windowHolds (host, "slideComponent"));

    layer.destroyControls();
    sxgui::drainMessages();

    EXPECT_FALSE (windowHolds (host, "slideComponent")) << "no panel left pointing at the deleted list";
    EXPECT_EQ (juce::Component::getNumCurrentlyModalComponents(), 0);

    // The window takes clicks again, and nothing reaches the layer.
    const auto before = layer.getSettings();
    input.click (host.getEffectPanel(), { 100, 300 });
    EXPECT_EQ (layer.getSettings(), before);
}
