#include "SlidingPanelTest.h"
#include "SxNamingDialog.h"
#include "SxNamingDialogCallback.h"

namespace
{
    /** The owner's side: every name it heard, with what the dialog looked like then. */
    struct Owner : public SxNamingDialogCallback
    {
        void nameEntered (juce::String name, SxNamingDialog* dialog) override
        {
            names.add (name);
            dialogName = dialog->getName();
            childrenWhenTold = dialog->getNumChildComponents();
            canvasFocusedWhenTold = canvas != nullptr && canvas->hasKeyboardFocus (false);
        }

        juce::StringArray names;
        juce::String dialogName;
        int childrenWhenTold = -1;
        bool canvasFocusedWhenTold = false;
        juce::Component* canvas = nullptr;
    };

    class NamingDialogTest : public SlidingPanelTest
    {
    protected:
        void SetUp() override
        {
            SlidingPanelTest::SetUp();
            owner.canvas = &host.getCanvas();
            host.getCanvas().setWantsKeyboardFocus (true);
        }

        Owner owner;

        juce::Component::SafePointer<SxNamingDialog> openSettled()
        {
            auto* dialog = new SxNamingDialog ("PresetSaveDialog", &owner, "Save Preset");
            settle (dialog->animator);
            return dialog;
        }

        void type (const juce::String& text)
        {
            for (auto c : text)
                input.pressKey (juce::KeyPress ((int) c, {}, c));
        }

        /** The slide-up to its end, and the messages that follow it. */
        void finishClosing (SxNamingDialog& dialog)
        {
            settle (dialog.animator);
            sxgui::drainMessages();
            sxgui::drainMessages();
        }
    };
}

TEST_F (NamingDialogTest, SlidesDownModalWithTheBoxFocusedAndTheButtonsInPlace)
{
    juce::Component::SafePointer<SxNamingDialog> dialog (new SxNamingDialog ("PresetSaveDialog", &owner, "Save Preset"));

    EXPECT_EQ (dialog->getParentComponent(), &host);
    EXPECT_EQ (dialog->getBounds(), juce::Rectangle<int> (312, -151, 400, 150));
    EXPECT_TRUE (dialog->isCurrentlyModal (false));
    EXPECT_TRUE (host.alertOnBlockedInput());
    EXPECT_FALSE (host.isToolbarEnabled());
    EXPECT_TRUE (dialog->getNameBox()->hasKeyboardFocus (false));
    EXPECT_EQ (dialog->getNameBox()->getBounds(), juce::Rectangle<int> (125, 60, 150, 25));
    EXPECT_EQ (dialog->getOkButton()->getBounds(), juce::Rectangle<int> (205, 97, 71, 22));
    EXPECT_EQ (dialog->getCancelButton()->getBounds(), juce::Rectangle<int> (124, 97, 71, 22));
    EXPECT_EQ (dialog->getTitle(), juce::String());

    settle (dialog->animator);
    EXPECT_EQ (dialog->getBounds(), juce::Rectangle<int> (312, -25, 400, 150));
}

TEST_F (NamingDialogTest, TheBoxTakesOnlyTwentyAllowedCharacters)
{
    auto dialog = openSettled();
    auto& box = *dialog->getNameBox();

    type ("Wash_2-soft a");
    EXPECT_EQ (box.getText(), "Wash_2-soft a");

    struct Case { juce::String typed; const char* why; };
    const Case refused[] = {
        { ".", "dot" }, { "/", "slash" }, { "@", "at sign" },
        { juce::String (juce::CharPointer_UTF8 ("\xc3\xa9")), "accented letter" }, { juce::String (juce::CharPointer_UTF8 ("\xc3\x9f")), "sharp s" },
    };
    for (const auto& c : refused)
    {
        type (c.typed);
        EXPECT_EQ (box.getText(), "Wash_2-soft a") << c.why;
    }

    box.insertTextAtCaret ("b.c/d@e");   // pasted: only the allowed characters stay
    EXPECT_EQ (box.getText(), "Wash_2-soft abcde");

    type ("fgh");                         // the 20th is the last
    EXPECT_EQ (box.getText().length(), 20);
    type ("x");
    EXPECT_EQ (box.getText(), "Wash_2-soft abcdefgh");
}

TEST_F (NamingDialogTest, OkDeliversTheNameAfterTheSlideToAnEmptiedDialogThenDeletesIt)
{
    auto dialog = openSettled();
    type ("Evening");

    input.click (*dialog->getOkButton());
    EXPECT_TRUE (dialog->isClosing());
    EXPECT_FALSE (dialog->isCurrentlyModal (false));     // left at the press
    EXPECT_TRUE (host.isToolbarEnabled());
    EXPECT_EQ (juce::Component::getCurrentlyFocusedComponent(), nullptr);

    run (dialog->animator, 100);
    sxgui::drainMessages();
    EXPECT_TRUE (owner.names.isEmpty());                 // still sliding up

    finishClosing (*dialog);
    EXPECT_EQ (owner.names, juce::StringArray ({ "Evening" }));
    EXPECT_EQ (owner.dialogName, "PresetSaveDialog");
    EXPECT_EQ (owner.childrenWhenTold, 0);
    EXPECT_TRUE (owner.canvasFocusedWhenTold);
    EXPECT_EQ (dialog, nullptr);
}

TEST_F (NamingDialogTest, CancelReportsNothingAndTheDialogGoesAfterItsSlide)
{
    auto dialog = openSettled();
    type ("Evening");

    input.click (*dialog->getCancelButton());
    EXPECT_FALSE (dialog->isCurrentlyModal (false));
    run (dialog->animator, 100);
    sxgui::drainMessages();
    EXPECT_NE (dialog, nullptr);

    finishClosing (*dialog);
    EXPECT_EQ (dialog, nullptr);
    EXPECT_TRUE (owner.names.isEmpty());
}

TEST_F (NamingDialogTest, ReturnActsAsOkAndEscapeAsCancelFromTheBox)
{
    {
        auto dialog = openSettled();
        type ("Dawn");
        EXPECT_TRUE (input.pressKey (juce::KeyPress (juce::KeyPress::returnKey)));
        finishClosing (*dialog);
        EXPECT_EQ (owner.names, juce::StringArray ({ "Dawn" }));
    }
    {
        auto dialog = openSettled();
        type ("Dusk");
        EXPECT_TRUE (input.pressKey (juce::KeyPress (juce::KeyPress::escapeKey)));
        finishClosing (*dialog);
        EXPECT_EQ (dialog, nullptr);
        EXPECT_EQ (owner.names, juce::StringArray ({ "Dawn" }));
    }
}

TEST_F (NamingDialogTest, PressesWhileSlidingAreIgnored)
{
    juce::Component::SafePointer<SxNamingDialog> dialog (new SxNamingDialog ("PresetSaveDialog", &owner, "Save Preset"));
    run (dialog->animator, 30);
    ASSERT_TRUE (dialog->animator.isAnimating (dialog));
    input.click (*dialog->getOkButton());
    input.pressKey (juce::KeyPress (juce::KeyPress::escapeKey));
    EXPECT_FALSE (dialog->isClosing());
    EXPECT_TRUE (dialog->isCurrentlyModal (false));

    settle (dialog->animator);
    input.click (*dialog->getCancelButton());
    run (dialog->animator, 30);
    ASSERT_TRUE (dialog->animator.isAnimating (dialog));
    input.pressKey (juce::KeyPress (juce::KeyPress::returnKey));   // sliding up: no second answer
    finishClosing (*dialog);
    EXPECT_EQ (dialog, nullptr);
    EXPECT_TRUE (owner.names.isEmpty());
}

TEST_F (NamingDialogTest, ANameOfBlanksOnlyArrivesEmpty)
{
    const std::pair<const char*, const char*> table[] = { { "   ", "" }, { "", "" }, { " Dawn ", " Dawn " } };
    for (auto [typed, delivered] : table)
    {
        owner.names.clear();
        auto dialog = openSettled();
        type (typed);
        input.click (*dialog->getOkButton());
        finishClosing (*dialog);
        EXPECT_EQ (owner.names, juce::StringArray ({ delivered })) << "'" << typed << "'";
    }
}

TEST_F (NamingDialogTest, TabCyclesTheBoxOkAndCancel)
{
    auto dialog = openSettled();
    juce::Component* order[] = { dialog->getOkButton(), dialog->getCancelButton(), dialog->getNameBox() };

    for (auto* expected : order)
    {
        EXPECT_TRUE (input.pressKey (juce::KeyPress (juce::KeyPress::tabKey)));
        EXPECT_TRUE (expected->hasKeyboardFocus (false)) << expected->getName();
        if (auto* button = dynamic_cast<SxRoundRectangleButton*> (expected))
        {
            EXPECT_TRUE (button->showsKeyboardFocus()) << expected->getName();
        }
    }

    input.pressKey (juce::KeyPress (juce::KeyPress::tabKey));
    input.pressKey (juce::KeyPress (juce::KeyPress::tabKey));     // on "Cancel"
    input.pressKey (juce::KeyPress (juce::KeyPress::returnKey));
    sxgui::drainMessages();
    finishClosing (*dialog);
    EXPECT_EQ (dialog, nullptr);
    EXPECT_TRUE (owner.names.isEmpty());
}
