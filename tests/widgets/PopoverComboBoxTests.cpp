#include "HostedTest.h"
#include "SxCallOutBox.h"
#include "SxImageButton.h"
#include "SxPopoverComboBox.h"
#include "SxScroller.h"

#include <functional>

namespace
{
    /** Records the reports and what was true when each came. */
    struct Reports : public SxPopoverComboBoxCallback
    {
        void popoverItemChosen (SxPopoverComboBox* box, int index) override
        {
            log.add ("chosen " + juce::String (index));
            record (box);
        }

        void popoverClosed (SxPopoverComboBox* box) override
        {
            log.add ("closed");
            record (box);
        }

        void record (SxPopoverComboBox* box)
        {
            openWhenReported = box->isPopupShowing();
            modalWhenReported = juce::Component::getNumCurrentlyModalComponents();
            calloutAliveWhenReported = watched != nullptr;
            calloutVisibleWhenReported = watched != nullptr && watched->isVisible();
            if (then)
                then();
        }

        juce::StringArray log;
        juce::Component::SafePointer<juce::Component> watched;
        bool openWhenReported = true, calloutAliveWhenReported = false, calloutVisibleWhenReported = true;
        int modalWhenReported = -1;
        std::function<void()> then;
    };

    class PopoverComboBoxTest : public sxgui::HostedTest
    {
    protected:
        /** The main component's "Save" menu: under the toolbar's second button. */
        SxPopoverComboBox& makeBox (const juce::StringArray& texts, int maxHeight = 150, bool verticalOnly = true)
        {
            box = std::make_unique<SxPopoverComboBox> ("saveProjectImageComboBox", 100, maxHeight, verticalOnly);
            box->callback = &reports;
            for (auto& text : texts)
                box->addItem (text);
            return *box;
        }

        juce::Component& anchor()  { return host.getToolbarButton (1); }

        SxCallOutBox& show()
        {
            box->showPopup (&anchor());
            auto* callOut = box->getCallOut();
            EXPECT_NE (callOut, nullptr);
            reports.watched = callOut;
            return *callOut;
        }

        SxImageButton& row (int index)  { return *box->getRowButton (index); }

        std::unique_ptr<SxPopoverComboBox> box;
        Reports reports;
    };
}

TEST_F (PopoverComboBoxTest, TheListIsAsHighAsItsRowsUpToTheMaximumAndScrollsBeyond)
{
    struct Case { int rows; int height; bool scrolls; };
    for (auto c : { Case { 2, 70, false }, Case { 3, 105, false }, Case { 4, 140, false }, Case { 5, 150, true } })
    {
        juce::StringArray texts;
        for (int i = 0; i < c.rows; ++i)
            texts.add ("Row " + juce::String (i));

        makeBox (texts);
        auto& callOut = show();
        auto& scroller = *box->getScroller();

        EXPECT_EQ (scroller.getName(), "SxPopoverComponentScroller");
        EXPECT_EQ (scroller.getParentComponent(), &callOut);
        EXPECT_EQ (scroller.getHeight(), c.height) << c.rows;
        EXPECT_EQ (scroller.getWidth(), 100);
        EXPECT_EQ (scroller.getViewedComponent()->getHeight(), 35 * c.rows);
        EXPECT_EQ (scroller.getVerticalScrollBar().isVisible(), c.scrolls) << c.rows;
        EXPECT_FALSE (scroller.getHorizontalScrollBar().isVisible());

        // Rows clear the scroll bar when there is one.
        EXPECT_EQ (row (0).getWidth(), c.scrolls ? 90 : 100) << c.rows;
        box.reset();
        sxgui::drainMessages();
    }
}

TEST_F (PopoverComboBoxTest, RowsAreNamedByIndexWithACentredCaptionAndASeparatorBelow)
{
    makeBox ({ "Save Image", "Save Project" });
    show();
    auto& list = *box->getScroller()->getViewedComponent();
    EXPECT_EQ (list.getName(), "SxLayoutComponentScrollerInsideComponent");

    for (int i = 0; i < 2; ++i)
    {
        auto& r = row (i);
        EXPECT_EQ (r.getParentComponent(), &list);
        EXPECT_EQ (r.getName(), juce::String (i));
        EXPECT_EQ (r.getBounds(), juce::Rectangle<int> (0, i * 35, 100, 32));

        auto* caption = dynamic_cast<juce::Label*> (r.getChildComponent (0));
        ASSERT_NE (caption, nullptr);
        EXPECT_EQ (caption->getName(), "popovercomboBoxLabel" + juce::String (i));
        EXPECT_EQ (caption->getText(), box->getItemText (i));
        EXPECT_EQ (caption->getBounds(), r.getLocalBounds());
        EXPECT_EQ (caption->getJustificationType(), juce::Justification::centred);

        auto* separator = list.findChildWithID ("separator" + juce::String (i));
        ASSERT_NE (separator, nullptr);
        EXPECT_EQ (separator->getBounds(), juce::Rectangle<int> (3, i * 35 + 33, 94, 1));
    }
}

TEST_F (PopoverComboBoxTest, TheListPointsAtItsAnchorInTheMainWindowAndIsModalWithoutTheAlert)
{
    makeBox ({ "Save Image", "Save Project" });
    auto& callOut = show();

    EXPECT_EQ (callOut.getParentComponent(), &host);
    EXPECT_EQ (callOut.getTargetArea(), anchor().getBoundsInParent() + anchor().getParentComponent()->getPosition());
    EXPECT_TRUE (callOut.isVerticalOnly());
    EXPECT_EQ (callOut.listener, box.get());
    EXPECT_TRUE (callOut.isCurrentlyModal());
    EXPECT_FALSE (host.alertOnBlockedInput());
    EXPECT_FALSE (host.isToolbarEnabled());
}

TEST_F (PopoverComboBoxTest, AClickedRowIsReportedOnceTheListIsClosedAndTheCallOutGoesAfter)
{
    makeBox ({ "Save Image", "Save Project", "Export" });
    show();

    input.click (row (1));
    EXPECT_EQ (reports.log, juce::StringArray ("chosen 1"));
    EXPECT_FALSE (reports.openWhenReported);
    EXPECT_EQ (reports.modalWhenReported, 0);
    EXPECT_TRUE (reports.calloutAliveWhenReported);
    EXPECT_FALSE (reports.calloutVisibleWhenReported);
    EXPECT_TRUE (host.isToolbarEnabled());

    sxgui::drainMessages();
    EXPECT_EQ (reports.watched, nullptr);
    EXPECT_EQ (reports.log.size(), 1);
}

TEST_F (PopoverComboBoxTest, AClickOutsideReportsOnlyTheClosingAndReleasesTheCallOut)
{
    makeBox ({ "Save Image", "Save Project" });
    show();

    input.click (host.getCanvas());
    EXPECT_EQ (reports.log, juce::StringArray ("closed"));
    EXPECT_FALSE (reports.openWhenReported);
    EXPECT_EQ (reports.modalWhenReported, 0);
    EXPECT_FALSE (box->isPopupShowing());
    EXPECT_TRUE (host.isToolbarEnabled());

    sxgui::drainMessages();
    EXPECT_EQ (reports.watched, nullptr);
    EXPECT_EQ (reports.log.size(), 1);
}

TEST_F (PopoverComboBoxTest, EscapeClosesTheListAsAClickOutsideDoes)
{
    makeBox ({ "Save Image", "Save Project" });
    show();

    EXPECT_TRUE (input.pressKey (juce::KeyPress (juce::KeyPress::escapeKey)));
    EXPECT_EQ (reports.log, juce::StringArray ("closed"));
    sxgui::drainMessages();
    EXPECT_EQ (reports.watched, nullptr);
}

TEST_F (PopoverComboBoxTest, OnlyTheRowWithExactlyThatTextIsDisabledAndItCannotBeChosen)
{
    makeBox ({ "Save Image", "Save Project", "save project", "Save Project " });
    box->setItemEnabled ("Save Project", false);

    for (int i = 0; i < 4; ++i)
        EXPECT_EQ (box->getRowButton (i)->isEnabled(), i != 1) << i;

    show();
    input.click (row (1));
    EXPECT_TRUE (reports.log.isEmpty());
    EXPECT_TRUE (box->isPopupShowing());

    box->setItemEnabled ("Save Project", true);
    input.click (row (1));
    EXPECT_EQ (reports.log, juce::StringArray ("chosen 1"));
}

TEST_F (PopoverComboBoxTest, UpAndDownLightTheEnabledRowsAndReturnChoosesTheLitOne)
{
    makeBox ({ "A", "B", "C", "D", "E", "F" });
    box->setItemEnabled ("A", false);
    box->setItemEnabled ("D", false);
    show();
    const auto key = [this] (int code) { return input.pressKey (juce::KeyPress (code)); };

    EXPECT_EQ (box->getKeyboardRow(), -1);
    EXPECT_TRUE (key (juce::KeyPress::downKey));
    EXPECT_EQ (box->getKeyboardRow(), 1);                       // A is skipped
    EXPECT_EQ (row (1).getState(), juce::Button::buttonOver);
    key (juce::KeyPress::downKey);
    key (juce::KeyPress::downKey);
    EXPECT_EQ (box->getKeyboardRow(), 4);                       // D is skipped
    EXPECT_EQ (row (1).getState(), juce::Button::buttonNormal);

    // The lit row is scrolled into view: rows 4 and 5 lie below the 150 pixels shown.
    key (juce::KeyPress::downKey);
    EXPECT_EQ (box->getKeyboardRow(), 5);
    EXPECT_EQ (box->getScroller()->getViewPositionY(), 5 * 35 + 32 - 150);
    key (juce::KeyPress::downKey);
    EXPECT_EQ (box->getKeyboardRow(), 5);                       // stays at the end

    key (juce::KeyPress::upKey);
    key (juce::KeyPress::upKey);
    EXPECT_EQ (box->getKeyboardRow(), 2);
    EXPECT_TRUE (key (juce::KeyPress::returnKey));
    EXPECT_EQ (reports.log, juce::StringArray ("chosen 2"));
}

TEST_F (PopoverComboBoxTest, ShowingAgainKeepsTheRowsAndLaysThemOutAnew)
{
    makeBox ({ "Save Image", "Save Project" });
    auto* first = &row (0);
    auto* second = &row (1);

    show();
    input.click (host.getCanvas());
    sxgui::drainMessages();

    // Again after closing: the same rows, the same list, a new call-out.
    show();
    EXPECT_EQ (&row (0), first);
    EXPECT_EQ (&row (1), second);
    EXPECT_EQ (box->getScroller()->getViewedComponent()->getNumChildComponents(), 4);   // two rows, two separators

    // Again while open: the open call-out goes without a report, the list moves over.
    reports.log.clear();
    juce::Component::SafePointer<juce::Component> earlier (box->getCallOut());
    show();
    EXPECT_TRUE (reports.log.isEmpty());
    EXPECT_EQ (box->getScroller()->getParentComponent(), box->getCallOut());
    sxgui::drainMessages();
    EXPECT_EQ (earlier, nullptr);
    EXPECT_EQ (juce::Component::getNumCurrentlyModalComponents(), 1);

    input.click (row (0));
    EXPECT_EQ (reports.log, juce::StringArray ("chosen 0"));
}

TEST_F (PopoverComboBoxTest, TheOwnerMayDeleteTheBoxWhenTold)
{
    // On a choice, and on the closing.
    for (bool choose : { true, false })
    {
        makeBox ({ "Save Image", "Save Project" });
        reports.log.clear();
        reports.then = [this] { box.reset(); };
        show();

        if (choose)
            input.click (row (1));
        else
            input.click (host.getCanvas());

        EXPECT_EQ (box, nullptr);
        EXPECT_EQ (reports.log, juce::StringArray (choose ? "chosen 1" : "closed"));
        sxgui::drainMessages();
        EXPECT_EQ (reports.watched, nullptr);
        reports.then = nullptr;
    }
}

TEST_F (PopoverComboBoxTest, ABoxDeletedWhileOpenClosesItsListSilently)
{
    makeBox ({ "Save Image", "Save Project" });
    show();

    box.reset();
    EXPECT_EQ (juce::Component::getNumCurrentlyModalComponents(), 0);
    EXPECT_TRUE (host.isToolbarEnabled());
    sxgui::drainMessages();
    EXPECT_EQ (reports.watched, nullptr);
    EXPECT_TRUE (reports.log.isEmpty());
}

TEST_F (PopoverComboBoxTest, NothingOpensWithoutAnAnchorOrRows)
{
    makeBox ({});
    box->showPopup (&anchor());
    EXPECT_FALSE (box->isPopupShowing());

    box->addItem ("Save Image");
    box->showPopup (nullptr);
    EXPECT_FALSE (box->isPopupShowing());
    EXPECT_EQ (juce::Component::getNumCurrentlyModalComponents(), 0);
}
