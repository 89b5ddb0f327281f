#include "HostedTest.h"
#include "SegmentChoiceLog.h"
#include "SegmentController.h"
#include "SxEnablementOverride.h"
#include "SxSegmentCenterButton.h"
#include "SxSegmentLeftButton.h"
#include "SxSegmentRightButton.h"
#include "SxWidgetArt.h"

namespace
{
    class SegmentControllerTest : public sxgui::HostedTest
    {
    protected:
        /** A row built in the host at (20, 60) with the given labels. */
        SegmentController& makeRow (const juce::StringArray& texts, int width = 210, int height = 27, bool fullWidth = false,
                                    juce::Component* parent = nullptr)
        {
            auto* row = new SegmentController (fullWidth);
            row->callback = &log;
            for (auto& text : texts)
                row->addSegments (text, 1);
            (parent != nullptr ? *parent : static_cast<juce::Component&> (host)).addAndMakeVisible (row);
            row->setBounds (20, 60, width, height);
            row->build();
            return *row;
        }

        /** Opacity at which a segment's face was drawn: its alpha at a spot clear of the text. */
        static float faceOpacity (juce::Component& row, const juce::Image& snapshot, int segment)
        {
            auto& s = *dynamic_cast<SegmentController&> (row).getSegment (segment);
            return (float) snapshot.getPixelAt (s.getX() + 8, s.getHeight() / 2).getAlpha() / 255.0f;
        }

        SegmentChoiceLog log;
    };
}

TEST_F (SegmentControllerTest, WidthsDivideTheRowAndTheLastSegmentReachesTheEdge)
{
    struct Case { bool fullWidth; int width, count; std::vector<int> xs, widths; };
    const Case cases[] = {
        { false, 210, 4, { 0, 50, 100, 150 }, { 50, 50, 50, 60 } },
        { true,  210, 4, { 0, 52, 104, 156 }, { 52, 52, 52, 54 } },
        { true,  240, 2, { 0, 120 },          { 120, 120 } },
        { false, 240, 5, { 0, 46, 92, 138, 184 }, { 46, 46, 46, 46, 56 } },
        { true,  100, 1, { 0 },               { 100 } },
        { false, 100, 1, { 0 },               { 90 } },
    };

    for (const auto& c : cases)
    {
        juce::StringArray texts;
        for (int i = 0; i < c.count; ++i)
            texts.add ("S" + juce::String (i));

        auto& row = makeRow (texts, c.width, 27, c.fullWidth);
        ASSERT_EQ (row.getNumSegments(), c.count);

        for (int i = 0; i < c.count; ++i)
        {
            auto& segment = *row.getSegment (i);
            EXPECT_EQ (segment.getX(), c.xs[(size_t) i]) << c.width << " / " << c.count << " segment " << i;
            EXPECT_EQ (segment.getWidth(), c.widths[(size_t) i]) << c.width << " / " << c.count << " segment " << i;
            EXPECT_EQ (segment.getHeight(), 27);
            EXPECT_EQ (segment.getName(), juce::String (i));
            EXPECT_EQ (segment.getTitle(), texts[i]);

            auto* label = segment.getTextLabel();
            ASSERT_NE (label, nullptr);
            EXPECT_EQ (label->getName(), "SxSegmentButtonsLabel");
            EXPECT_EQ (label->getText(), texts[i]);
            EXPECT_LE (label->getBounds().getCentre().getDistanceFrom (segment.getLocalBounds().getCentre()), 1);
            EXPECT_EQ (label->getWidth(), segment.getWidth() - 5);
        }

        // The first is a left segment, the last (of two or more) a right one, centre between.
        EXPECT_NE (dynamic_cast<SxSegmentLeftButton*> (row.getSegment (0)), nullptr);
        if (c.count > 1)
        {
            EXPECT_NE (dynamic_cast<SxSegmentRightButton*> (row.getSegment (c.count - 1)), nullptr);
        }
        for (int i = 1; i < c.count - 1; ++i)
            EXPECT_NE (dynamic_cast<SxSegmentCenterButton*> (row.getSegment (i)), nullptr);

        delete &row;
    }
}

TEST_F (SegmentControllerTest, BuildingSelectsTheFirstSegmentSilently)
{
    auto& row = makeRow ({ "Dark", "Mid", "Light" });
    EXPECT_EQ (row.getSelectedIndex(), 0);
    EXPECT_TRUE (row.getSegment (0)->isSelected());
    EXPECT_TRUE (row.getSegment (0)->getToggleState());   // told to assistive technology as checked
    EXPECT_FALSE (row.getSegment (1)->isSelected());
    EXPECT_TRUE (log.choices.isEmpty());
}

TEST_F (SegmentControllerTest, AClickOnAnotherSegmentSelectsAndReportsItAClickOnTheSelectedOneNothing)
{
    auto& row = makeRow ({ "Dark", "Mid", "Light", "Full" });
    input.click (*row.getSegment (2));
    EXPECT_EQ (row.getSelectedIndex(), 2);
    EXPECT_FALSE (row.getSegment (0)->isSelected());
    EXPECT_EQ (log.choices, juce::Array<int> (2));
    EXPECT_EQ (log.sources[0], &row);

    input.click (*row.getSegment (2)->getTextLabel());   // the text lets the click through
    EXPECT_EQ (log.choices.size(), 1);

    input.click (*row.getSegment (3));
    EXPECT_EQ (log.choices, juce::Array<int> (2, 3));
}

TEST_F (SegmentControllerTest, SettingTheSelectionInCodeClampsAndTellsNobody)
{
    auto& row = makeRow ({ "A", "B", "C" });
    const std::pair<int, int> cases[] = { { 1, 1 }, { 7, 2 }, { 3, 2 }, { -1, 0 }, { -50, 0 }, { 2, 2 } };

    for (auto [asked, selected] : cases)
    {
        row.setSelectedIndex (asked);
        EXPECT_EQ (row.getSelectedIndex(), selected) << asked;
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ (row.getSegment (i)->isSelected(), i == selected);
    }

    EXPECT_TRUE (log.choices.isEmpty());
}

TEST_F (SegmentControllerTest, EmptyLabelsAreNumberedByTheirPlace)
{
    SegmentController row (true);
    row.addSegments ("", 3);
    EXPECT_EQ (row.getLabels(), juce::StringArray ({ "1", "2", "3" }));

    row.addSegments ("Mask", 1);
    row.addSegments ("", 1);
    row.addSegments ("none", 0);
    row.addSegments ("none", -2);
    EXPECT_EQ (row.getLabels(), juce::StringArray ({ "1", "2", "3", "Mask", "5" }));
}

TEST_F (SegmentControllerTest, ARowWithoutLabelsOrNotYetBuiltHasNoSegmentAndReportsNothing)
{
    auto* unbuilt = new SegmentController (true);
    unbuilt->callback = &log;
    unbuilt->addSegments ("A", 2);
    host.addAndMakeVisible (unbuilt);
    unbuilt->setBounds (20, 60, 200, 27);
    unbuilt->setSelectedIndex (1);
    unbuilt->grabKeyboardFocus();
    input.pressKey (juce::KeyPress (juce::KeyPress::rightKey));
    EXPECT_EQ (unbuilt->getSelectedIndex(), -1);

    auto& empty = makeRow ({});
    empty.setSelectedIndex (0);
    empty.setSelectedIndex (-1);
    input.click (empty);
    empty.grabKeyboardFocus();
    input.pressKey (juce::KeyPress (juce::KeyPress::leftKey));
    EXPECT_EQ (empty.getNumSegments(), 0);
    EXPECT_EQ (empty.getSelectedIndex(), -1);
    EXPECT_TRUE (log.choices.isEmpty());
}

TEST_F (SegmentControllerTest, BuildingAgainReplacesTheSegments)
{
    auto& row = makeRow ({ "A", "B" });
    row.setSelectedIndex (1);
    row.addSegments ("C", 1);
    row.build();
    EXPECT_EQ (row.getNumSegments(), 3);
    EXPECT_EQ (row.getSelectedIndex(), 0);
    input.click (*row.getSegment (2));
    EXPECT_EQ (log.choices, juce::Array<int> (2));
}

TEST_F (SegmentControllerTest, DisabledItTakesNoClicksYetKeepsItsLookAndTheFrameworksEnablement)
{
    for (const bool throughComponent : { false, true })
    {
        auto& row = makeRow ({ "Paper", "Color", "None" });
        const auto before = row.createComponentSnapshot (row.getLocalBounds());

        if (throughComponent)
            sxSetEnabled (static_cast<juce::Component&> (row), false);
        else
            row.setEnabled (false);

        EXPECT_FALSE (row.isAcceptingClicks());
        EXPECT_TRUE (row.isEnabled());
        EXPECT_TRUE (row.getSegment (1)->isEnabled());

        // Held down, a segment of a control that takes no clicks does not light up either.
        input.press (*row.getSegment (1));
        const auto held = row.createComponentSnapshot (row.getLocalBounds());
        input.release (*row.getSegment (1));
        const auto spot = row.getSegment (1)->getBounds().getCentre().translated (-20, 0);
        EXPECT_EQ (held.getPixelAt (spot.x, spot.y), before.getPixelAt (spot.x, spot.y));

        row.grabKeyboardFocus();
        input.pressKey (juce::KeyPress (juce::KeyPress::rightKey));
        EXPECT_EQ (row.getSelectedIndex(), 0);
        EXPECT_TRUE (log.choices.isEmpty());
        EXPECT_FLOAT_EQ (faceOpacity (row, row.createComponentSnapshot (row.getLocalBounds()), 1), faceOpacity (row, before, 1));
        EXPECT_FLOAT_EQ (faceOpacity (row, before, 1), 1.0f);

        sxSetEnabled (row, true);
        input.click (*row.getSegment (1));
        EXPECT_EQ (log.choices, juce::Array<int> (1));
        log.choices.clear();
        delete &row;
    }

    // Any other component gets the framework's enablement.
    juce::Component plain;
    sxSetEnabled (plain, false);
    EXPECT_FALSE (plain.isEnabled());
}

TEST_F (SegmentControllerTest, InsideADisabledParentSegmentsDimButASelectedRightEndDoesNot)
{
    auto& parent = *new SxComponent ("panel");
    host.addAndMakeVisible (parent);
    parent.setBounds (0, 40, 400, 200);
    auto& row = makeRow ({ "Left", "Middle", "Right" }, 240, 27, true, &parent);

    const auto opacities = [&]
    {
        const auto image = row.createComponentSnapshot (row.getLocalBounds());
        return std::array<float, 3> { faceOpacity (row, image, 0), faceOpacity (row, image, 1), faceOpacity (row, image, 2) };
    };

    EXPECT_EQ (opacities(), (std::array<float, 3> { 1.0f, 1.0f, 1.0f }));

    parent.setEnabled (false);
    auto dimmed = opacities();
    EXPECT_NEAR (dimmed[0], 0.4f, 0.01f);
    EXPECT_NEAR (dimmed[1], 0.4f, 0.01f);
    EXPECT_NEAR (dimmed[2], 0.4f, 0.01f);

    row.setSelectedIndex (2);
    dimmed = opacities();
    EXPECT_NEAR (dimmed[0], 0.4f, 0.01f);
    EXPECT_NEAR (dimmed[1], 0.4f, 0.01f);
    EXPECT_FLOAT_EQ (dimmed[2], 1.0f);

    // Blocked by the framework: a click reaches nothing.
    input.click (*row.getSegment (0));
    EXPECT_TRUE (log.choices.isEmpty());
}

TEST_F (SegmentControllerTest, LowSegmentsUseTheSmallPicturesFrom27PixelsTheLargeOnes)
{
    using Kind = SxSegmentButton::Kind;
    const auto small = SxWidgetArt::get (WidgetArt::segmentSmallLeftEnd);
    const auto large = SxWidgetArt::get (WidgetArt::segmentLeftEnd);
    EXPECT_EQ (small.getHeight(), 44);
    EXPECT_EQ (large.getHeight(), 54);

    EXPECT_TRUE (SxSegmentButton::imagesFor (Kind::left, 26).left == small);
    EXPECT_TRUE (SxSegmentButton::imagesFor (Kind::left, 27).left == large);
    EXPECT_TRUE (SxSegmentButton::imagesFor (Kind::right, 22).rightSelected == SxWidgetArt::get (WidgetArt::segmentSmallRightEndSelected));
    EXPECT_TRUE (SxSegmentButton::imagesFor (Kind::centre, 30).right == SxWidgetArt::get (WidgetArt::segmentDividerMiddle));
    EXPECT_TRUE (SxSegmentButton::imagesFor (Kind::left, 30).right == SxWidgetArt::get (WidgetArt::segmentDividerFirst));
    EXPECT_TRUE (SxSegmentButton::imagesFor (Kind::left, 30).rightSelected == SxWidgetArt::get (WidgetArt::segmentFillSelected));

    // What a 26-pixel row draws at its left end is the small picture at half size.
    auto& row = makeRow ({ "A", "B" }, 200, 26);
    const auto drawn = row.createComponentSnapshot ({ 0, 0, 6, 26 });
    juce::Image expected (juce::Image::ARGB, 6, 26, true);
    {
        juce::Graphics g (expected);
        g.drawImage (SxWidgetArt::get (WidgetArt::segmentSmallLeftEndSelected), 0, 0, 6, 26, 0, 0, 12, 44);
    }
    for (int y = 0; y < 26; ++y)
        for (int x = 0; x < 6; ++x)
            ASSERT_EQ (drawn.getPixelAt (x, y), expected.getPixelAt (x, y)) << x << ", " << y;
}

TEST_F (SegmentControllerTest, TheRowIsOneTabStopAndArrowKeysPickTheNeighbour)
{
    auto& row = makeRow ({ "Dark", "Mid", "Light" });
    auto& after = *new juce::TextButton ("after");
    host.addAndMakeVisible (after);
    after.setBounds (20, 120, 80, 24);

    EXPECT_FALSE (row.getSegment (1)->getWantsKeyboardFocus());
    row.grabKeyboardFocus();
    EXPECT_TRUE (input.pressKey (juce::KeyPress (juce::KeyPress::rightKey)));
    EXPECT_TRUE (input.pressKey (juce::KeyPress (juce::KeyPress::rightKey)));
    EXPECT_TRUE (input.pressKey (juce::KeyPress (juce::KeyPress::rightKey)));   // at the end: nothing more
    EXPECT_TRUE (input.pressKey (juce::KeyPress (juce::KeyPress::leftKey)));
    EXPECT_EQ (log.choices, juce::Array<int> (1, 2, 1));
    EXPECT_EQ (row.getSelectedIndex(), 1);

    EXPECT_TRUE (input.pressKey (juce::KeyPress (juce::KeyPress::tabKey)));
    EXPECT_TRUE (after.hasKeyboardFocus (false));
}
