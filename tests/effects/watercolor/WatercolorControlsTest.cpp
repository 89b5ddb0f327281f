#include "GoldenImage.h"
#include "PaperChoiceUI.h"
#include "PixelMath.h"
#include "SegmentController.h"
#include "SxColorChipSelectionSlider.h"
#include "SxColorComponent.h"
#include "SxColorPicker.h"
#include "SxLabelImageList.h"
#include "SxLabelSegmentController.h"
#include "SxLabelSlider.h"
#include "SxMainComponentServices.h"
#include "SxTabSegmentButton.h"
#include "WatercolorControlTable.h"
#include "WatercolorControlsSupport.h"

#include <functional>

using namespace watercolourcontrols;
using WatercolorControlTable::RowVisibility;

namespace
{
    using Settings = WatercolorSettings;

    juce::Point<int> pointOf (juce::Slider& slider, double value)
    {
        return { juce::roundToInt (slider.getPositionOfValue (value)), slider.getHeight() / 2 };
    }

    RowVisibility visibleRows (Layer& layer)
    {
        const auto shown = [&layer] (const char* name)
        {
            auto* c = findNamed<juce::Component> (*layer.getControlTabs().front()->getController(), name);
            return c != nullptr && c->isVisible() && c->getAlpha() == 1.0f;
        };
        return { shown ("maskHolder"), shown ("wetEdgeSizeSlider"), shown ("edgeSizeSlider") };
    }

    juce::String describe (RowVisibility v)
    {
        return juce::String ("mask ") + (v.selectiveMask ? "shown" : "hidden") + ", wet edges " + (v.wetEdges ? "shown" : "hidden")
               + ", area fill " + (v.areaFill ? "shown" : "hidden");
    }

    /** Where every shown row of the page sits, top first: "name y". */
    juce::StringArray rowTops (Layer& layer)
    {
        juce::StringArray tops;
        for (auto* item : layer.getControlTabs().front()->getController()->getItems())
            if (item->isVisible())
                tops.add (item->getName() + " " + juce::String (item->getY()));
        return tops;
    }

    const struct { int colorArea; RowVisibility expected; } visibilityCases[] = {
        { Settings::dark,  { false, true,  true  } },
        { Settings::mid,   { false, true,  true  } },
        { Settings::light, { false, true,  true  } },
        { Settings::full,  { false, false, false } },
        { Settings::mask,  { true,  true,  false } },
    };
}

//==============================================================================
TEST_F (ControlsTest, BuildingShowsTheRowsOfTheColorAreaAtOnce)
{
    for (const auto& c : visibilityCases)
    {
        RecordingStylized layer;
        layer.getSettings().mInsideColor = c.colorArea;
        show (layer);

        auto* controller = pageOf (layer).getController();
        EXPECT_EQ (describe (visibleRows (layer)), describe (c.expected)) << "Color Area " << c.colorArea;
        for (const int id : { SxLayoutController::swapTimerId, SxLayoutController::fadeInTimerId,
                              SxLayoutController::relayoutTimerId, SxLayoutController::finishTimerId })
            EXPECT_FALSE (controller->isTimerRunning (id)) << "nothing left to animate after the build";

        // A hidden row takes no room: Paint Strength follows whatever is shown above it.
        auto* strength = row (layer, "strengthSlider");
        auto* above = c.expected.areaFill ? row (layer, "edgeSizeSlider")
                                          : c.expected.selectiveMask ? row (layer, "maskHolder") : row (layer, "insideColorSegmentControl");
        EXPECT_EQ (strength->getY(), above->getBottom() + 5) << "Color Area " << c.colorArea;
        EXPECT_TRUE (layer.changes.isEmpty()) << "building reports nothing";
    }
}

TEST_F (ControlsTest, ChoosingAColorAreaLaterAnimatesTheRowsIn400Ms)
{
    for (const auto& c : visibilityCases)
    {
        if (c.colorArea == Settings::dark || c.colorArea == Settings::mask)
            continue;   // Dark is the start; Mask without outlines waits for the mask wizard

        RecordingStylized reference;
        reference.getSettings().mInsideColor = c.colorArea;
        show (reference);
        const auto expectedTops = rowTops (reference);

        RecordingStylized layer;
        layer.getSettings().mInsideColor = Settings::dark;
        show (layer);
        const int strengthTop = row (layer, "strengthSlider")->getY();

        auto& area = *findNamed<SxLabelSegmentController> (pageOf (layer), "insideColorSegmentControl");
        input.click (*area.getSegments().getSegment (c.colorArea));
        EXPECT_EQ (layer.getSettings().mInsideColor, c.colorArea);
        const bool changes = c.expected != visibilityCases[0].expected;

        if (changes)
        {
            EXPECT_EQ (pageOf (layer).getController()->getAnimationDuration(), 400);
            EXPECT_EQ (row (layer, "strengthSlider")->getY(), strengthTop) << "nothing has moved yet";

            // A refresh meanwhile (a render finishing, an undo snapshot) must not cut it short.
            layer.refreshControls();
        }

        const int took = playRowChange (layer);
        if (changes)
        {
            EXPECT_GE (took, 400) << "Color Area " << c.colorArea;
        }
        EXPECT_EQ (describe (visibleRows (layer)), describe (c.expected)) << "Color Area " << c.colorArea;
        EXPECT_EQ (rowTops (layer), expectedTops) << "every row where a build for that Color Area puts it";
        EXPECT_EQ (layer.changes, juce::StringArray ("insideColorSegmentControl"));
    }
}

TEST_F (ControlsTest, MaskWithoutOutlinesShowsTheMaskButtonAndOpensTheWizardWithoutARender)
{
    RecordingStylized layer;
    useKnownSettings (layer.getSettings());
    show (layer);
    layer.setNeedsRender (false);

    auto& area = *findNamed<SxLabelSegmentController> (pageOf (layer), "insideColorSegmentControl");
    input.click (*area.getSegments().getSegment (Settings::mask));
    playRowChange (layer);

    EXPECT_EQ (describe (visibleRows (layer)), describe ({ true, true, false }));
    EXPECT_EQ (recorder.toolDeselections, 1) << "the wizard's first step";
    EXPECT_EQ (recorder.undoRecords, 1);
    EXPECT_FALSE (layer.needsRender()) << "nothing is painted until a mask is applied";
}

//==============================================================================
TEST_F (ControlsTest, PaperShowsTheTintControlsAndColorThePlainColour)
{
    RecordingAbstract layer;
    useKnownSettings (layer.getSettings());
    show (layer);
    auto& paper = *layer.getPaperChoice();
    scrollTo (layer, paper);

    const auto shown = [&paper]
    {
        return juce::String (paper.getPaperList()->isVisible() ? "list " : "")
               + (paper.getTintSlider().isVisible() ? "tint " : "") + (paper.getTintPicker().isVisible() ? "tintColour " : "")
               + (paper.getBackgroundPicker().isVisible() ? "colour" : "");
    };
    auto& caption = paper.getStyleSegments().getLabel();

    EXPECT_EQ (shown(), "list tint tintColour ");
    EXPECT_EQ (caption.getText(), "Background Style : Paper");
    EXPECT_EQ (paper.getStyleSegments().getSegments().getSelectedIndex(), 1);

    input.click (*paper.getStyleSegments().getSegments().getSegment (0));
    EXPECT_EQ (layer.getSettings().backgroundStyleMode, 0);
    EXPECT_EQ (shown(), "colour");
    EXPECT_EQ (caption.getText(), "Background Style : Color");
    EXPECT_EQ (layer.changes, juce::StringArray ("imageStyleSegmentController"));

    input.click (*paper.getStyleSegments().getSegments().getSegment (1));
    EXPECT_EQ (shown(), "list tint tintColour ");
    EXPECT_EQ (caption.getText(), "Background Style : Paper");

    // A style no segment stands for (a damaged file) hides all four and keeps the caption.
    layer.getSettings().backgroundStyleMode = 2;
    layer.refreshControls();
    EXPECT_EQ (shown(), "");
    EXPECT_EQ (caption.getText(), "Background Style : Paper");
}

//==============================================================================
namespace
{
    enum class How { drag, segment, click, eyedropper };

    struct ControlCase
    {
        const char* name;
        How how;
        int colorArea;                // the Color Area that shows the control
        int style;                    // the background style that shows it
        int segment;                  // segment to click
        const char* onlyIn;           // "Stylized", "Abstract" or null for both
        std::function<double (Settings&)> field;   // the bound value, for sliders and segments
        const char* reported;         // the name controlChanged hears; null for thumbnails
    };

    double asDouble (float v) { return (double) v; }

    const ControlCase controlCases[] = {
        { "overallStrengthSlider",  How::drag,    0, 1, 0, nullptr,    [] (Settings& s) { return asDouble (s.overallStrength); }, "overallStrengthSlider" },
        { "insideColorSegmentControl", How::segment, 0, 1, 3, nullptr, [] (Settings& s) { return (double) s.mInsideColor; }, "insideColorSegmentControl" },
        { "selectiveMaskButton",    How::click,   4, 1, 0, nullptr,    nullptr, "selectiveMaskButton" },
        { "edgeSizeSlider",         How::drag,    0, 1, 0, nullptr,    [] (Settings& s) { return asDouble (s.mEdge); }, "edgeSizeSlider" },
        { "strengthSlider",         How::drag,    0, 1, 0, nullptr,    [] (Settings& s) { return asDouble (s.mStrength); }, "strengthSlider" },
        { "paintFillSlider",        How::drag,    0, 1, 0, nullptr,    [] (Settings& s) { return asDouble (s.paintFill); }, "paintFillSlider" },
        { "paintSizeSlider",        How::drag,    0, 1, 0, nullptr,    [] (Settings& s) { return asDouble (s.paintSize); }, "paintSizeSlider" },
        { "variationSlider",        How::drag,    0, 1, 0, nullptr,    [] (Settings& s) { return asDouble (s.mVariation); }, "variationSlider" },
        { "hueShiftSlider",         How::drag,    0, 1, 0, "Stylized", [] (Settings& s) { return asDouble (s.hueShift); }, "hueShiftSlider" },
        { "paintVibrancy",          How::drag,    0, 1, 0, "Abstract", [] (Settings& s) { return asDouble (s.saturation); }, "paintVibrancy" },
        { "wetEdgeSizeSlider",      How::drag,    0, 1, 0, nullptr,    [] (Settings& s) { return asDouble (s.mWetEdge); }, "wetEdgeSizeSlider" },
        { "outlineSlider",          How::drag,    0, 1, 0, nullptr,    [] (Settings& s) { return asDouble (s.mOutline); }, "outlineSlider" },
        { "outlineDetailSlider",    How::drag,    0, 1, 0, nullptr,    [] (Settings& s) { return asDouble (s.mOutlineDetail); }, "outlineDetailSlider" },
        { "outlineThresholdSlider", How::drag,    0, 1, 0, nullptr,    [] (Settings& s) { return asDouble (s.mOutlineThreshold); }, "outlineThresholdSlider" },
        { "sepiaStrengthSlider",    How::drag,    0, 1, 0, nullptr,    [] (Settings& s) { return asDouble (s.sepiaStrength); }, "sepiaStrengthSlider" },
        { "sepiaStrengthSliderColor", How::eyedropper, 0, 1, 0, nullptr, [] (Settings& s) { return (double) s.sepiaColor; }, "sepiaStrengthSlider" },
        { "imageStyleSegmentController", How::segment, 0, 1, 0, nullptr, [] (Settings& s) { return (double) s.backgroundStyleMode; }, "imageStyleSegmentController" },
        { "imageBackgroundColorSlider", How::drag, 0, 1, 0, nullptr,   [] (Settings& s) { return asDouble (s.backgroundPaperTintStrength); }, "imageBackgroundColorSlider" },
        { "tileBackgroundColorPicker2", How::eyedropper, 0, 0, 0, nullptr, [] (Settings& s) { return (double) s.backgroundColor; }, "tileBackgroundColorPicker2" },
        { "paperTintColorPicker",   How::eyedropper, 0, 1, 0, nullptr, [] (Settings& s) { return (double) s.backgroundPaperColor; }, "paperTintColorPicker" },
    };

    /** A colour the canvas's ramp does not hold, so a pick of it is unmistakable. */
    constexpr juce::uint32 pickedWord = PixelMath::makeWord (255, 200, 100, 50);
}

TEST_F (ControlsTest, EveryControlWritesItsFieldAndReachesTheLayerUnderItsName)
{
    RecordingStylized stylized;
    RecordingAbstract abstract;

    for (auto* layer : std::initializer_list<StylizedWatercolor*> { &stylized, &abstract })
    {
        auto& changes = changesOf (*layer);
        useKnownSettings (layer->getSettings());
        show (*layer);

        for (const auto& c : controlCases)
        {
            SCOPED_TRACE (layer->getShortName() + " " + c.name);
            auto& page = pageOf (*layer);
            auto* control = findNamed<juce::Component> (page, c.name);

            if (c.onlyIn != nullptr && layer->getShortName() != c.onlyIn)
            {
                EXPECT_EQ (control, nullptr) << "not a control of this effect";
                continue;
            }
            ASSERT_NE (control, nullptr);

            auto& settings = layer->getSettings();
            settings.mInsideColor = c.colorArea;
            settings.backgroundStyleMode = c.style;
            layer->refreshControls();
            settle (*layer);
            scrollTo (*layer, *control);
            changes.clear();
            const int undoBefore = recorder.undoRecords, deselectionsBefore = recorder.toolDeselections;

            switch (c.how)
            {
                case How::drag:
                {
                    auto& slider = *findNamed<juce::Slider> (page, c.name);
                    const double lo = slider.getMinimum(), span = slider.getMaximum() - lo;
                    const double target = lo + span * (c.field (settings) - lo < span / 2 ? 0.8 : 0.2);
                    input.drag (slider, pointOf (slider, c.field (settings)), pointOf (slider, target), 6);
                    sxgui::drainMessages();
                    EXPECT_NEAR (c.field (settings), target, span / 50.0);
                    EXPECT_EQ (c.field (settings), (double) (float) slider.getValue()) << "the field holds what the slider shows";
                    break;
                }

                case How::segment:
                {
                    auto& segments = dynamic_cast<SxLabelSegmentController&> (*control).getSegments();
                    const int choice = c.segment == (int) c.field (settings) ? 1 - c.segment : c.segment;
                    input.click (*segments.getSegment (choice));
                    EXPECT_EQ ((int) c.field (settings), choice);
                    break;
                }

                case How::click:
                    input.click (*control);
                    EXPECT_EQ (recorder.toolDeselections, deselectionsBefore + 1) << "the mask wizard's first step";
                    break;

                case How::eyedropper:
                    host.getCanvas().setPixel (10, 10, pickedWord);
                    input.click (*control);
                    input.click (host.getCanvas(), { 10, 10 });
                    sxgui::drainMessages();
                    EXPECT_EQ ((juce::uint32) c.field (settings), pickedWord);
                    input.pressKey (juce::KeyPress (juce::KeyPress::escapeKey));
                    sxgui::drainMessages();
                    break;
            }

            EXPECT_EQ (changes, juce::StringArray (c.reported)) << "one report, under the control's name";
            if (c.how != How::click)
            {
                EXPECT_EQ (recorder.undoRecords, undoBefore + 1);
            }
        }

        EXPECT_NE (findNamed<juce::Component> (pageOf (*layer), "edgeImageList"), nullptr);
    }
}

TEST_F (ControlsTest, APickedThumbnailReachesTheLayerWithItsIndexWithAndWithoutAutoClose)
{
    for (const bool autoClose : { false, true })
    {
        pickers.closesAfterChoice = autoClose;

        const struct { const char* list; int index; std::function<juce::String (Settings&)> chosen; const char* expected; } cases[] = {
            { "edgeImageList",            2, [] (Settings& s) { return s.borderFileName; }, "border-02" },
            { "backgroundPaperImageList", 1, [] (Settings& s) { return s.edgeFileName; },   "Aged-Paper13" },
        };

        for (const auto& c : cases)
        {
            SCOPED_TRACE (juce::String (c.list) + (autoClose ? " closing by itself" : " staying open"));
            RecordingStylized layer;
            useKnownSettings (layer.getSettings());
            show (layer);

            auto* list = pickers.named (c.list);
            ASSERT_NE (list, nullptr);
            EXPECT_EQ (list->group, juce::String (c.list) == "edgeImageList" ? "Tolva_Thumbnail_Borders" : "Thumbnail_Tolva_Backgrounds");
            EXPECT_EQ (list->columns, 3);
            EXPECT_EQ (list->itemSize, 65);

            scrollTo (layer, *list);
            input.click (*list);
            ASSERT_TRUE (list->isOpen());
            input.click (*list->getThumbnail (c.index));

            EXPECT_EQ (c.chosen (layer.getSettings()), c.expected);
            EXPECT_EQ (recorder.undoRecords, 1);
            EXPECT_TRUE (layer.needsRender());
            EXPECT_EQ (list->isOpen(), ! autoClose);
            EXPECT_TRUE (layer.changes.isEmpty()) << "a thumbnail is no control change";

            if (list->isOpen())
                list->dismiss();
            recorder.undoRecords = 0;
        }
    }
}

//==============================================================================
TEST_F (ControlsTest, ALoadAPresetOrRandomisingShowsAtOnce)
{
    const struct { const char* event; std::function<void (StylizedWatercolor&)> apply; } events[] = {
        { "load", [] (StylizedWatercolor& layer)
            {
                StylizedWatercolor source;
                auto& s = source.getSettings();
                useKnownSettings (s);
                s.overallStrength = 0.3f;   s.mEdge = 0.61f;       s.mStrength = 0.17f;   s.paintFill = 0.83f;
                s.paintSize = 0.07f;        s.mVariation = 0.44f;  s.hueShift = -21.0f;   s.saturation = 0.91f;
                s.mWetEdge = 0.36f;         s.mOutline = 0.12f;    s.mOutlineDetail = 0.78f;
                s.mOutlineThreshold = 0.66f; s.sepiaStrength = 0.29f; s.mInsideColor = Settings::light;
                s.backgroundStyleMode = 0;  s.backgroundColor = pickedWord;   s.sepiaColor = PixelMath::makeWord (255, 10, 20, 30);
                s.borderFileName = "border-03";   s.edgeFileName = "Aged-Paper37";
                SxPropertySet set;
                source.saveToPropertySet (set, {});
                layer.loadFromPropertySet (set, {});
            } },
        { "text preset", [] (StylizedWatercolor& layer)
            {
                layer.applyTextPreset ("2\n0.4\n0.55\n0.3\n0.9\n0.2\n0.35\n0.6\n12\n0\n40\n50\n60\n255\n0.7\n0\n255\n255\n255\n255\n"
                                       "Aged-Paper13\n0.33\nborder-02\n0.2\n");
            } },
        { "randomise", [] (StylizedWatercolor& layer) { layer.randomizeSettings(); } },
    };

    for (const auto& e : events)
    {
        SCOPED_TRACE (e.event);
        RecordingStylized stylized;
        RecordingAbstract abstract;

        for (auto* layer : std::initializer_list<StylizedWatercolor*> { &stylized, &abstract })
        {
            useKnownSettings (layer->getSettings());
            show (*layer);
            e.apply (*layer);

            auto& s = layer->getSettings();
            auto& page = pageOf (*layer);

            for (const auto& spec : WatercolorControlTable::allSliders())
            {
                if (auto* slider = findNamed<juce::Slider> (page, spec.componentName))
                {
                    EXPECT_NEAR (slider->getValue(), juce::jlimit (slider->getMinimum(), slider->getMaximum(), (double) (s.*spec.field)),
                                 slider->getInterval() / 2 + 1.0e-6)
                        << spec.componentName << ": the nearest step";
                }
            }

            EXPECT_EQ (findNamed<SxLabelSegmentController> (page, "insideColorSegmentControl")->getSegments().getSelectedIndex(), s.mInsideColor);
            EXPECT_EQ (findNamed<SxColorChipSelectionSlider> (page, "sepiaStrengthSlider")->getColourPicker().getCurrentColour(),
                       SxColorComponent::colourFromWord (s.sepiaColor));

            auto& paper = *layer->getPaperChoice();
            EXPECT_EQ (paper.getStyleSegments().getSegments().getSelectedIndex(), s.backgroundStyleMode);
            EXPECT_NEAR (paper.getTintSlider().getSlider().getValue(), s.backgroundPaperTintStrength, 1.0e-6);
            EXPECT_EQ (paper.getBackgroundPicker().getCurrentColour(), SxColorComponent::colourFromWord (s.backgroundColor));
            EXPECT_EQ (paper.getTintPicker().getCurrentColour(), SxColorComponent::colourFromWord (s.backgroundPaperColor));

            EXPECT_EQ (dynamic_cast<sxgui::StandInImageList&> (*layer->getBorderList()->getImageList()).selectedName, s.borderFileName);
            EXPECT_EQ (dynamic_cast<sxgui::StandInImageList&> (*paper.getPaperList()).selectedName, s.edgeFileName);

            playRowChange (*layer);
            EXPECT_EQ (describe (visibleRows (*layer)), describe (WatercolorControlTable::rowsShownFor (s.mInsideColor)));
        }
    }
}

TEST_F (ControlsTest, SlidersShowPercentagesExceptTheColourShift)
{
    RecordingStylized stylized;
    RecordingAbstract abstract;

    for (auto* layer : std::initializer_list<StylizedWatercolor*> { &stylized, &abstract })
    {
        show (*layer);
        for (const auto& spec : WatercolorControlTable::allSliders())
        {
            auto* slider = findNamed<juce::Slider> (pageOf (*layer), spec.componentName);
            if (slider == nullptr)
                continue;

            SCOPED_TRACE (spec.componentName);
            const bool shift = juce::String (spec.componentName) == "hueShiftSlider";
            EXPECT_EQ (slider->getMinimum(), shift ? -50.0 : 0.0);
            EXPECT_EQ (slider->getMaximum(), shift ? 50.0 : 1.0);
            EXPECT_EQ (slider->getTextFromValue (slider->getMaximum()), shift ? "50" : "100");
            EXPECT_EQ (slider->getTextFromValue (slider->getMinimum()), shift ? "-50" : "0");
            EXPECT_EQ (slider->getTooltip(), juce::String (spec.helpText));
            auto* caption = findNamed<juce::Label> (*slider->getParentComponent(), "SxLabelSliderLabel");
            ASSERT_NE (caption, nullptr);
            EXPECT_EQ (caption->getText(), spec.label());
        }
    }

    EXPECT_EQ (findNamed<juce::Slider> (pageOf (abstract), "paintVibrancy")->getParentComponent()->getName(), "paintVibrancy");
    EXPECT_EQ (findNamed<SxLabelSegmentController> (pageOf (stylized), "insideColorSegmentControl")->getTooltip(),
               "Choose where the watercolor appears on the image.");
    EXPECT_EQ (pickers.named ("edgeImageList")->tooltip, juce::String (WatercolorControlTable::borderHelp));
    EXPECT_EQ (findNamed<SxColorPicker> (pageOf (stylized), "sepiaStrengthSliderColor")->getTooltip(), "Select a new color.");
}

TEST_F (ControlsTest, ThePageIsNamedAdjustWithTheWatercolourTab)
{
    RecordingStylized layer;
    show (layer);
    auto& page = pageOf (layer);
    EXPECT_EQ (page.getPageName(), "Adjust");
    EXPECT_EQ (layer.getControlTabs().size(), 1u);
    EXPECT_TRUE (page.showsScrollBar());

    auto* tab = page.getTabButton();
    if (tab == nullptr)
        tab = page.releaseTabButton();
    ASSERT_NE (tab, nullptr);
    EXPECT_EQ (tab->normalImage.getWidth(), 48);
    EXPECT_EQ (tab->getWidth(), 24) << "shown at half its pixel size";
    EXPECT_NE (tab->normalImage, tab->selectedImage);
}

//==============================================================================
// Tearing the controls down with a pop-up open: an effect switch, or the window closing.

TEST_F (ControlsTest, DestroyingTheControlsClosesAnOpenThumbnailPanelFirst)
{
    RecordingStylized layer;
    useKnownSettings (layer.getSettings());
    show (layer);

    auto* border = pickers.named ("edgeImageList");
    scrollTo (layer, *border);
    input.click (*border);
    ASSERT_EQ (sxgui::ScopedStandInPickers::openPanels(), 1);

    // The effect switch of the main component: the page host lets go, the layer tears down.
    pageHost.clearPages();
    layer.destroyControls();

    EXPECT_EQ (sxgui::ScopedStandInPickers::openPanels(), 0) << "no panel is left pointing at a deleted list";
    EXPECT_TRUE (pickers.made().empty());
    EXPECT_EQ (layer.getPaperChoice(), nullptr);
    EXPECT_EQ (layer.getBorderList(), nullptr);
    EXPECT_EQ (recorder.undoRecords, 0) << "closing reports nothing";

    // The other way out: the layer itself goes (the window closes) with the paper panel open.
    auto other = std::make_unique<RecordingAbstract>();
    useKnownSettings (other->getSettings());
    show (*other);
    auto* paper = pickers.named ("backgroundPaperImageList");
    scrollTo (*other, *paper);
    input.click (*paper);
    ASSERT_EQ (sxgui::ScopedStandInPickers::openPanels(), 1);
    pageHost.clearPages();
    other.reset();
    EXPECT_EQ (sxgui::ScopedStandInPickers::openPanels(), 0);
}

TEST_F (ControlsTest, DestroyingTheControlsClosesAnOpenColourCallOutAndFreesTheCanvas)
{
    for (const char* name : { "paperTintColorPicker", "sepiaStrengthSliderColor" })
    {
        SCOPED_TRACE (name);
        RecordingStylized layer;
        useKnownSettings (layer.getSettings());
        show (layer);

        auto* picker = findNamed<SxColorPicker> (pageOf (layer), name);
        scrollTo (layer, *picker);
        input.click (*picker);
        ASSERT_TRUE (picker->isOpen());
        ASSERT_NE (host.getCanvas().mouseInterceptor, nullptr);

        pageHost.clearPages();
        layer.destroyControls();

        EXPECT_EQ (host.getCanvas().mouseInterceptor, nullptr) << "the canvas no longer points at a deleted picker";
        EXPECT_EQ (juce::Component::getCurrentlyModalComponent(), nullptr);

        // The canvas goes back to its tools; nothing reaches the layer.
        const auto settingsBefore = layer.getSettings();
        input.click (host.getCanvas(), { 20, 20 });
        sxgui::drainMessages();
        EXPECT_TRUE (layer.changes.isEmpty());
        EXPECT_EQ (layer.getSettings(), settingsBefore);
        EXPECT_EQ (recorder.undoRecords, 0);

        // And the controls come back whole.
        show (layer);
        EXPECT_NE (findNamed<SxColorPicker> (pageOf (layer), name), nullptr);
        pageHost.clearPages();
        layer.destroyControls();
    }
}

//==============================================================================
TEST_F (ControlsTest, AdjustPageGoldens)
{
    RecordingStylized stylized;
    RecordingAbstract abstract;

    for (auto* layer : std::initializer_list<StylizedWatercolor*> { &stylized, &abstract })
    {
        useKnownSettings (layer->getSettings());
        show (*layer);
        // Tall enough to hold the whole page without scrolling: the snapshot shows every row.
        pageHost.setSize (HostWindow::effectPanelWidth, 900);
        auto& page = pageOf (*layer);
        page.getScroller()->setViewPosition (0, 0);
        const int height = page.getController()->getStackHeight() + 10;

        // On the effect panel's colour (52, 52, 52), as the window shows it.
        juce::Image snapshot (juce::Image::ARGB, HostWindow::effectPanelWidth, height, true);
        {
            juce::Graphics g (snapshot);
            g.fillAll (juce::Colour (52, 52, 52));
            g.drawImageAt (page.createComponentSnapshot ({ 0, 0, HostWindow::effectPanelWidth, height }, true, 1.0f), 0, 0);
        }
        const auto result = sxtest::checkGolden (snapshot, "AdjustPage-" + layer->getShortName());
        EXPECT_TRUE (result.withinTolerance()) << result.describe();
    }
}
