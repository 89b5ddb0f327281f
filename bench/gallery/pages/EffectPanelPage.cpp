// Gallery page "effectPanel": the 256-wide effect panel three times, one per page of a layer
// (single rows, pairs side by side, triples and segment rows), each with the tool row and
// its options above it; the page tabs sit in the panel's title bar as in the main window,
// the selected one on a box of the panel's colour. The middle panel is shown just after a
// tab click, with the floating message above the clicked tab.

#include "GalleryKit.h"
#include "GalleryPage.h"
#include "SegmentController.h"
#include "SxRoundRectangleButton.h"
#include "SxImageComponent.h"
#include "SxLabelSlider.h"
#include "SxLayoutController.h"
#include "SxLayerServices.h"
#include "SxLayerStackServices.h"
#include "SxMainTabComponent.h"
#include "SxMainTabController.h"
#include "SxTabSegmentButton.h"
#include "SxTabSegmentController.h"
#include "SxTabTextAnimationComponent.h"
#include "SxTool.h"
#include "SxToolTabController.h"
#include "SxWidgetArt.h"

namespace
{
    using namespace GalleryKit;

    /** A layer with three pages and one tool, as the watercolour effects will be. */
    struct GalleryLayer : public SxLayerServices,
                          public SxLayerStackServices
    {
        GalleryLayer()
            : tool ("panTool", SxWidgetArt::get (WidgetArt::panToolNormal), SxWidgetArt::get (WidgetArt::panToolOver),
                    SxWidgetArt::get (WidgetArt::panToolPressed))
        {
            auto& options = tool.getToolUIComponent();
            addLabel (options, "Zoom", "0, 0, left + 40, top + 30", 12.0f, false, juce::Justification::centredLeft, juce::Colour (250, 250, 250));
            zoom = new SegmentController (true);
            for (auto* text : { "Fit", "100%", "200%" })
                zoom->addSegments (text, 1);
            options.addAndMakeVisible (zoom);
            SxRelativeBounds::apply (*zoom, "40, 4, parent.width - 4, top + 22");

            for (auto* name : { "Adjust", "Ink", "Paper" })
            {
                pages.push_back (std::make_unique<SxMainTabComponent> (false, true));
                pages.back()->setName (name);
                pages.back()->setBounds (0, 0, 256, 1000);
                pages.back()->build (5, 3);
            }

            fillSingles (*pages[0]);
            fillPairs (*pages[1]);
            fillTriples (*pages[2]);
        }

        int getSelectedControlTab() const override            { return selected; }
        void setSelectedControlTab (int index) override       { selected = index; }
        std::vector<SxMainTabComponent*> getControlTabs() const override
        {
            return { pages[0].get(), pages[1].get(), pages[2].get() };
        }
        std::vector<SxTool*> getTools() const override         { return { const_cast<SxTool*> (&tool) }; }
        SxTool* getActiveTool() const noexcept override        { return nullptr; }
        std::vector<SxLayerServices*> getSelectedLayerServices() const override  { return { const_cast<GalleryLayer*> (this) }; }

        SxTool tool;
        /** The tool's options; built once the tool row gave it its width. */
        SegmentController* zoom = nullptr;
        std::vector<std::unique_ptr<SxMainTabComponent>> pages;
        int selected = 0;

    private:
        static SxLabelSlider* slider (SxMainTabComponent& page, const juce::String& caption, double value, bool inlineCaption = false)
        {
            auto* row = new SxLabelSlider (caption.removeCharacters (" ") + "Slider", &page, caption, inlineCaption);
            row->setSize (page.getController()->getWidth(), inlineCaption ? 34 : 44);
            row->getSlider().setValue (value, juce::dontSendNotification);
            return row;
        }

        static SxComponent* segments (SxMainTabComponent& page, const juce::String& caption, std::initializer_list<const char*> texts,
                                      int selectedIndex)
        {
            // Segments are laid out once, at the row's width: the width the page gives its rows.
            auto* row = new SxComponent (caption.removeCharacters (" ") + "Row");
            row->setSize (page.getController()->getWidth(), 52);
            addLabel (*row, caption, "0, 0, left + 200, top + 20", 12.0f, false, juce::Justification::centredLeft, juce::Colour (250, 250, 250));
            auto* control = new SegmentController (true);
            for (auto* text : texts)
                control->addSegments (text, 1);
            row->addAndMakeVisible (control);
            SxRelativeBounds::apply (*control, "8, 22, parent.width - 5, top + 27");
            control->build();
            control->setSelectedIndex (selectedIndex);
            return row;
        }

        static void fillSingles (SxMainTabComponent& page)
        {
            page.addItem (slider (page, "Overall Strength", 0.75));
            page.addItem (segments (page, "Color Area", { "Dark", "Mid", "Light", "Full", "Mask" }, 1));
            page.addItem (slider (page, "Paint Strength", 0.5));
            page.addItem (slider (page, "Fill", 0.3));
            page.addItem (slider (page, "Wet Edges", 0.6));
            page.layoutItems();
        }

        static void fillPairs (SxMainTabComponent& page)
        {
            page.addItemPair (slider (page, "Size", 0.3), slider (page, "Variation", 0.8), false);
            page.addItemPair (slider (page, "Ink Outline", 0.6), slider (page, "Outline Detail", 0.25), false);
            page.addItemPair (slider (page, "Ink Fill", 0.45), slider (page, "Color Shift", 0.5), false);
            page.addItem (segments (page, "Ink Color", { "Black", "Sepia", "Custom" }, 0));
            page.layoutItems();
        }

        /** A small button of a triple: the row is as tall as its items, which sit 10 down. */
        static SxRoundRectangleButton* button (const juce::String& caption, bool down = false)
        {
            auto* b = new SxRoundRectangleButton (caption.toLowerCase() + "Button", caption, {}, 6,
                                                  0x6e6e6effu, 0xd4c34fffu, 0x474747ffu, 0x83701cffu);
            b->setSize (80, 44);
            b->setToggleState (down, juce::dontSendNotification);
            b->setClickingTogglesState (down);
            return b;
        }

        static void fillTriples (SxMainTabComponent& page)
        {
            page.addItem (segments (page, "Background Style", { "Paper", "Color" }, 0));
            page.addItemTriple (button ("Reset"), button ("Random"), button ("Save"), false);
            page.addItem (slider (page, "Paper Tint", 0.35));
            page.addItemTriple (button ("None"), button ("Thin"), button ("Deckle"), false);
            page.addItem (slider (page, "Border Size", 0.2));
            page.layoutItems();
        }
    };

    /** One effect panel: tool row, tab row and pages of a layer, with page `shown` selected. */
    class EffectPanel : public SxComponent
    {
    public:
        explicit EffectPanel (int shown)
            : SxComponent ("effectPanel"),
              toolRow (new SxToolTabController (&layer))
        {
            setSize (256, 596);

            // The tool row, and the top bar over which the tab's message floats.
            auto& tools = place (*this, band (0x4D4D4DFFu), "0, 0, parent.width, 30");
            tools.addAndMakeVisible (toolRow);
            SxRelativeBounds::apply (*toolRow, "4, 0, left + parent.width - 8, top + parent.height");
            place (*this, band (0x2B2B2BFFu), "0, 30, parent.width, 66");

            auto& panel = place (*this, band (0x343434FFu), "0, 66, parent.width, parent.height");
            auto& title = place (panel, band (0x4D4D4DFFu), "0, 0, parent.width, 30");
            tabRow = new SxTabSegmentController();
            tabRow->centred = false;
            title.addAndMakeVisible (tabRow);
            SxRelativeBounds::apply (*tabRow, "40, 0, parent.width, parent.height");
            pageHost = new SxMainTabController();
            panel.addAndMakeVisible (pageHost);
            SxRelativeBounds::apply (*pageHost, "0, 30, left + parent.width, parent.height");
            tabRow->host = pageHost;
            pageHost->tabRow = tabRow;

            layer.selected = shown;
            pageHost->showLayerPages (layer);
            toolRow->buildTools (true, true);
            layer.tool.setActive (true);
            layer.zoom->build();
            layer.zoom->setSelectedIndex (0);
        }

        ~EffectPanel() override
        {
            // The page host and the tool row let the layer's pages and tool go; the layer
            // deletes them after the panel's children are gone.
            deleteAllChildren();
        }

        SxTabSegmentController& getTabRow() noexcept  { return *tabRow; }

    private:
        GalleryLayer layer;
        SxToolTabController* toolRow;
        SxTabSegmentController* tabRow = nullptr;
        SxMainTabController* pageHost = nullptr;
    };

    class EffectPanelPage : public SxComponent
    {
    public:
        EffectPanelPage() : SxComponent ("effectPanelPage")
        {
            setSize (900, 760);
            auto& bar = place (*this, band (0x414141FFu), "0, 0, left + parent.width, top + 33");
            addLabel (bar, "Effect panel", "16, 0, left + 300, top + 33", 14.0f, true);
            addLabel (bar, juce::String (juce::CharPointer_UTF8 ("tool row with options  \xc2\xb7  page tabs  \xc2\xb7  single rows, pairs, triples  \xc2\xb7  "
                                                                 "floating message")),
                      "parent.width - 576, 0, left + 560, top + 33", 13.0f, false, juce::Justification::centredRight, captionGrey);

            const char* captions[] = { "PAGE 1: SINGLE ROWS", "PAGE 2: PAIRS, JUST CLICKED", "PAGE 3: TRIPLES" };
            for (int i = 0; i < 3; ++i)
            {
                const int x = 24 + i * 292;
                addLabel (*this, captions[i], at (x, 56, 256, 16), 11.0f, true, juce::Justification::centredLeft, captionGrey);
                panels[i] = &place (*this, new EffectPanel (i), at (x, 78, 256, 660));
            }

            showMessageAbove (panels[1]->getTabRow(), 1);
        }

        ~EffectPanelPage() override
        {
            delete message;
        }

        void paint (juce::Graphics& g) override
        {
            g.fillAll (juce::Colour (53, 53, 53));
        }

    private:
        EffectPanel* panels[3] = {};
        SxTabTextAnimationComponent* message = nullptr;

        /** The message as a click on tab index leaves it, held fully visible; its picture is
            taken into this page, which stands in for the main component here. */
        void showMessageAbove (SxTabSegmentController& row, int index)
        {
            auto* tab = row.getTab (index);
            message = new SxTabTextAnimationComponent();
            message->setText (tab->message);

            auto* picture = message->getPicture();
            addAndMakeVisible (picture);
            const int width = message->getLabel()->getTextWidth() + 30;
            const auto area = getLocalArea (tab->getParentComponent(), tab->getBounds());
            picture->setBounds (area.getCentreX() - width / 2, area.getY() - 5 - SxTabTextAnimationComponent::pictureHeight - 4,
                                width, SxTabTextAnimationComponent::pictureHeight);
            message->getLabel()->setCentreRelative (0.5f, 0.5f);
            picture->setAlpha (1.0f);
        }
    };

    const GalleryPage::Registration page { { "effectPanel", "Effect panel: tool row, page tabs, pages of rows, floating message",
                                             [] { return std::make_unique<EffectPanelPage>(); } } };
}
