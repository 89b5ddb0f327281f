// Gallery page "watercolorPanel": the "Adjust" page of each watercolour effect in a 256-wide
// effect panel, as the main window shows it (its tab in the title bar), built by the effects'
// own code: Stylized on paper, Abstract on paper, and Stylized with Color Area Mask on a plain
// colour (the "Selective Mask" button shown, Area Fill hidden). The thumbnail buttons are the
// test harness's stand-in pickers.

#include "AbstractWaterColor.h"
#include "GalleryKit.h"
#include "GalleryPage.h"
#include "PixelMath.h"
#include "StandInImageList.h"
#include "StylizedWatercolor.h"
#include "SxMainTabController.h"
#include "SxTabSegmentController.h"
#include "SxWidgetArt.h"

namespace
{
    using namespace GalleryKit;

    /** One effect panel showing a layer's pages. */
    class WatercolourPanel : public SxComponent
    {
    public:
        WatercolourPanel (StylizedWatercolor& layerToShow, const juce::String& title)
            : SxComponent ("watercolourPanel"), layer (layerToShow)
        {
            setSize (256, 700);
            auto& panel = place (*this, band (0x343434FFu), "0, 0, parent.width, parent.height");
            auto& titleBand = place (panel, band (0x4D4D4DFFu), "0, 0, parent.width, 30");
            addLabel (titleBand, title, "parent.width - 130, 4, left + 120, top + 23", 13.0f, false, juce::Justification::centredRight);

            tabRow = new SxTabSegmentController();
            tabRow->centred = false;
            titleBand.addAndMakeVisible (tabRow);
            SxRelativeBounds::apply (*tabRow, "4, 0, left + 100, parent.height");
            pageHost = new SxMainTabController();
            panel.addAndMakeVisible (pageHost);
            SxRelativeBounds::apply (*pageHost, "0, 30, left + parent.width, parent.height");
            tabRow->host = pageHost;
            pageHost->tabRow = tabRow;

            layer.buildControls();
            pageHost->showLayerPages (layer);
        }

        ~WatercolourPanel() override
        {
            pageHost->clearPages();
            layer.destroyControls();
            deleteAllChildren();
        }

    private:
        StylizedWatercolor& layer;
        SxTabSegmentController* tabRow = nullptr;
        SxMainTabController* pageHost = nullptr;
    };

    class WatercolorPanelPage : public SxComponent
    {
    public:
        WatercolorPanelPage() : SxComponent ("watercolorPanelPage")
        {
            setSize (900, 830);
            titleBar (*this, "Watercolour controls", juce::String (juce::CharPointer_UTF8 (
                          "Adjust page of each effect  \xc2\xb7  rows by Color Area  \xc2\xb7  paper or colour background")));

            for (auto* layer : { static_cast<StylizedWatercolor*> (&stylized), static_cast<StylizedWatercolor*> (&abstract),
                                 static_cast<StylizedWatercolor*> (&masked) })
            {
                layer->getSettings() = WatercolorSettings();
                layer->getSettings().borderFileName = "border-01";
            }
            masked.getSettings().mInsideColor = WatercolorSettings::mask;
            masked.getSettings().backgroundStyleMode = 0;
            masked.getSettings().backgroundColor = PixelMath::makeWord (255, 232, 220, 200);   // a warm cream

            const struct { StylizedWatercolor* layer; const char* caption; const char* title; } panels[] = {
                { &stylized, "STYLIZED, PAPER BACKGROUND",       "Stylized" },
                { &abstract, "ABSTRACT: PAINT VIBRANCY",          "Abstract" },
                { &masked,   "STYLIZED: COLOR AREA MASK, COLOUR", "Stylized" },
            };

            for (int i = 0; i < 3; ++i)
            {
                const int x = 24 + i * 292;
                addLabel (*this, panels[i].caption, at (x, 52, 256, 16), 11.0f, true, juce::Justification::centredLeft, captionGrey);
                shown[i] = &place (*this, new WatercolourPanel (*panels[i].layer, panels[i].title), at (x, 74, 256, 700));
            }

            addLabel (*this, "PAGE TAB: HIDDEN, SHOWN", at (24, 794, 120, 16), 11.0f, true, juce::Justification::centredLeft, captionGrey);
        }

        ~WatercolorPanelPage() override
        {
            // The panels tear the controls down while the layers still live.
            for (auto* panel : shown)
                delete panel;
        }

        void paint (juce::Graphics& g) override
        {
            g.fillAll (juce::Colour (53, 53, 53));

            // The page's tab, at its display size: the tab row hides a lone tab, so the panels
            // above do not show it.
            int x = 150;
            for (auto* png : { &WidgetArt::watercolourTab, &WidgetArt::watercolourTabPressed })
            {
                g.drawImage (SxWidgetArt::get (*png), juce::Rectangle<float> ((float) x, 790.0f, 24.0f, 24.0f));
                x += 40;
            }
        }

    private:
        sxgui::ScopedStandInPickers pickers;   // before the layers: their rows make pickers
        StylizedWatercolor stylized, masked;
        AbstractWaterColor abstract;
        WatercolourPanel* shown[3] = {};
    };

    const GalleryPage::Registration page { { "watercolorPanel", "Watercolour controls: the Adjust page of both effects",
                                             [] { return std::make_unique<WatercolorPanelPage>(); } } };
}
