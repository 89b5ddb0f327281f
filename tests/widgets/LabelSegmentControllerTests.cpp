#include "HostedTest.h"
#include "SegmentController.h"
#include "SxLabel.h"
#include "SxLabelSegmentController.h"

namespace
{
    /** Records each change together with the bound field's value at that moment. */
    struct ChangeLog : public SxControlChangedCallback
    {
        void controlChanged (juce::Component* control) override
        {
            controls.add (control);
            fieldSeen.add (field != nullptr ? *field : -1);
        }

        int* field = nullptr;
        juce::Array<juce::Component*> controls;
        juce::Array<int> fieldSeen;
    };

    class LabelSegmentControllerTest : public sxgui::HostedTest
    {
    protected:
        /** An effect panel's "Color Area" row, built as the panels build it. */
        SxLabelSegmentController& makeRow (int* field, bool inlineLabel = false, bool compact = false)
        {
            auto* row = new SxLabelSegmentController ("insideColorSegmentControl", "Color Area", field, inlineLabel, compact);
            row->listener = &log;
            host.getEffectPanel().addAndMakeVisible (row);
            row->setBounds (0, 40, 256, 53);
            row->setSegmentTooltip ({});
            for (auto* choice : { "Dark", "Mid", "Light", "Full", "Mask" })
                row->addSegment (choice, 1);
            row->buildSegments();
            return *row;
        }

        ChangeLog log;
    };
}

TEST_F (LabelSegmentControllerTest, TheCaptionSitsAboveOrBesideTheRow)
{
    struct Case { bool inlineLabel, compact; };
    for (auto c : { Case { false, false }, Case { false, true }, Case { true, false }, Case { true, true } })
    {
        int field = 0;
        auto& row = makeRow (&field, c.inlineLabel, c.compact);
        auto& caption = row.getLabel();
        auto& segments = row.getSegments();
        const int height = c.compact ? 22 : 27;

        EXPECT_EQ (caption.getName(), "SxLabelSegmentControllerLabel");
        EXPECT_EQ (caption.getText(), "Color Area");
        bool clicks = true, childClicks = true;
        caption.getInterceptsMouseClicks (clicks, childClicks);
        EXPECT_FALSE (clicks || caption.isAccessible());
        EXPECT_EQ (segments.getName(), "presetSegmentController");
        EXPECT_EQ (segments.getTitle(), "Color Area");
        EXPECT_EQ (segments.getNumSegments(), 5);

        if (c.inlineLabel)
        {
            const int w = caption.getTextWidth();
            EXPECT_EQ (caption.getBounds(), juce::Rectangle<int> (0, 3, 190, 20));
            EXPECT_EQ (segments.getBounds(), juce::Rectangle<int> (w + 5, 0, 256 - w - 5, height));
        }
        else
        {
            EXPECT_EQ (caption.getBounds(), juce::Rectangle<int> (0, 0, 190, 20));
            EXPECT_EQ (segments.getBounds(), juce::Rectangle<int> (8, 20, 248, height));
        }

        delete &row;
    }
}

TEST_F (LabelSegmentControllerTest, UpdateShowsTheBoundFieldSilently)
{
    int field = 2;
    auto& row = makeRow (&field);
    EXPECT_EQ (row.getSegments().getSelectedIndex(), 0);

    row.update();
    EXPECT_EQ (row.getSelectedIndex(), 2);
    EXPECT_EQ (row.getSegments().getSelectedIndex(), 2);
    EXPECT_TRUE (row.getSegments().getSegment (2)->isSelected());
    EXPECT_TRUE (log.controls.isEmpty());

    // A field past the choices shows the last one.
    field = 9;
    row.update();
    EXPECT_EQ (row.getSegments().getSelectedIndex(), 4);
}

TEST_F (LabelSegmentControllerTest, AClickWritesTheFieldBeforeTheListenerHears)
{
    int field = 2;
    log.field = &field;
    auto& row = makeRow (&field);
    row.update();

    input.click (*row.getSegments().getSegment (0));
    EXPECT_EQ (field, 0);
    EXPECT_EQ (row.getSelectedIndex(), 0);
    ASSERT_EQ (log.controls.size(), 1);
    EXPECT_EQ (log.controls[0], &row);
    EXPECT_EQ (log.fieldSeen, juce::Array<int> (0));

    // The keyboard chooses the same way.
    row.getSegments().grabKeyboardFocus();
    EXPECT_TRUE (input.pressKey (juce::KeyPress (juce::KeyPress::rightKey)));
    EXPECT_EQ (field, 1);
    EXPECT_EQ (log.fieldSeen, juce::Array<int> (0, 1));
}

TEST_F (LabelSegmentControllerTest, UnboundItReadsZeroAndLeavesTheRowAlone)
{
    auto& row = makeRow (nullptr);
    row.getSegments().setSelectedIndex (3);

    row.update();
    EXPECT_EQ (row.getSelectedIndex(), 0);
    EXPECT_EQ (row.getSegments().getSelectedIndex(), 3);

    // Clicks still report; there is no field to write.
    input.click (*row.getSegments().getSegment (1));
    EXPECT_EQ (row.getSelectedIndex(), 1);
    EXPECT_EQ (log.controls.size(), 1);

    // Bound later, the next update reads the field.
    int field = 4;
    row.setValuePointer (&field);
    row.update();
    EXPECT_EQ (row.getSegments().getSelectedIndex(), 4);
}

TEST_F (LabelSegmentControllerTest, WithoutAListenerTheFieldIsStillWritten)
{
    int field = 0;
    auto& row = makeRow (&field);
    row.listener = nullptr;
    input.click (*row.getSegments().getSegment (3));
    EXPECT_EQ (field, 3);
}
