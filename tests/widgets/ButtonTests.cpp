#include "HorizontalTileComponent.h"
#include "HostedTest.h"
#include "SxCheckbox.h"
#include "SxCheckboxImageButton.h"
#include "SxImageComponent.h"
#include "SxMainMenuButton.h"
#include "SxRoundRectangleButton.h"
#include "SxScaleToFillImageButton.h"
#include "SxThreeImageButton.h"
#include "SxThreeSlices.h"
#include "SxWidgetArt.h"

namespace
{
    struct ChangeLog : public SxControlChangedCallback
    {
        void controlChanged (juce::Component* control) override
        {
            auto* box = dynamic_cast<SxCheckbox*> (control);
            seen.add (control->getName() + (box != nullptr && box->isChecked() ? " ticked" : " unticked"));
        }

        juce::StringArray seen;
    };

    struct ClickCounter : public juce::Button::Listener
    {
        void buttonClicked (juce::Button*) override  { ++clicks; }
        int clicks = 0;
    };

    juce::Image solid (juce::Colour colour, int w, int h)
    {
        juce::Image image (juce::Image::ARGB, w, h, false);
        image.clear (image.getBounds(), colour);
        return image;
    }

    using ButtonTest = sxgui::HostedTest;
}

TEST_F (ButtonTest, ACheckboxClickTogglesBeforeTellingAndSetCheckedTellsNobody)
{
    ChangeLog log;
    auto& box = add (new SxCheckbox ("showToolTipsCheckbox", "Show Tooltips", &log), { 40, 60, 190, 31 });
    EXPECT_FALSE (box.isChecked());

    input.click (box.getLabel());                // the caption lies under the tick: the box takes it
    EXPECT_TRUE (box.isChecked());
    EXPECT_EQ (log.seen, juce::StringArray ("showToolTipsCheckbox ticked"));

    input.click (box, { 10, 15 });
    EXPECT_FALSE (box.isChecked());
    EXPECT_EQ (log.seen[1], "showToolTipsCheckbox unticked");

    box.setChecked (true);
    EXPECT_TRUE (box.isChecked());
    box.setChecked (false);
    EXPECT_EQ (log.seen.size(), 2);

    // No listener: toggles all the same.
    box.listener = nullptr;
    input.click (box);
    EXPECT_TRUE (box.isChecked());
}

TEST_F (ButtonTest, APressedCheckboxShowsTheStateTheClickWillGive)
{
    auto& box = add (new SxCheckbox ("box", "Caption", nullptr), { 40, 60, 190, 31 });
    auto& tick = box.getTick();
    const auto ticked = SxWidgetArt::get (WidgetArt::checkboxTicked), unticked = SxWidgetArt::get (WidgetArt::checkboxUnticked);

    EXPECT_TRUE (tick.getNormalImage() == unticked);
    EXPECT_TRUE (tick.getDownImage() == ticked);
    box.setChecked (true);
    EXPECT_TRUE (tick.getNormalImage() == ticked);
    EXPECT_TRUE (tick.getOverImage() == ticked);
    EXPECT_TRUE (tick.getDownImage() == unticked);
    EXPECT_FALSE (tick.getToggleState());        // the state lives in the pictures alone
}

TEST_F (ButtonTest, ACheckboxPlacesItsTickAndCaptionByItsHeight)
{
    auto& box = add (new SxCheckbox ("box", "Use Image Location", nullptr), { 25, 55, 190, 31 });
    EXPECT_EQ (box.getTick().getBounds(), juce::Rectangle<int> (0, 0, 190, 31));
    EXPECT_EQ (box.getLabel().getName(), "SxPanelComponentTitleLabel");
    EXPECT_EQ (box.getLabel().getX(), 32);
    EXPECT_EQ (box.getLabel().getRight(), 190 - 32);

    // Painted, the 32 x 32 tick is fitted to 31 x 31 against the left edge.
    box.createComponentSnapshot (box.getLocalBounds());
    EXPECT_EQ (box.getTick().getImageBounds(), juce::Rectangle<int> (0, 0, 31, 31));

    box.setBounds (25, 55, 180, 15);
    box.createComponentSnapshot (box.getLocalBounds());
    EXPECT_EQ (box.getTick().getImageBounds(), juce::Rectangle<int> (0, 0, 15, 15));
    EXPECT_EQ (box.getLabel().getX(), 16);
}

TEST_F (ButtonTest, ACheckboxIsOneAccessibleToggleTitledWithItsCaption)
{
    ChangeLog log;
    auto& box = add (new SxCheckbox ("box", "Show Tooltips", &log), { 40, 60, 190, 31 });
    auto* handler = box.getAccessibilityHandler();
    ASSERT_NE (handler, nullptr);
    EXPECT_EQ (handler->getRole(), juce::AccessibilityRole::toggleButton);
    EXPECT_EQ (handler->getTitle(), "Show Tooltips");
    EXPECT_TRUE (handler->getCurrentState().isCheckable());
    EXPECT_FALSE (handler->getCurrentState().isChecked());
    EXPECT_FALSE (box.getTick().isAccessible());

    EXPECT_TRUE (handler->getActions().invoke (juce::AccessibilityActionType::toggle));
    EXPECT_TRUE (handler->getCurrentState().isChecked());
    EXPECT_EQ (log.seen, juce::StringArray ("box ticked"));
}

TEST_F (ButtonTest, AFocusedCheckboxTogglesOnReturn)
{
    ChangeLog log;
    auto& box = add (new SxCheckbox ("box", "Show Tooltips", &log), { 40, 60, 190, 31 });
    box.getTick().grabKeyboardFocus();
    EXPECT_TRUE (input.pressKey (juce::KeyPress (juce::KeyPress::returnKey)));
    sxgui::drainMessages();
    EXPECT_TRUE (box.isChecked());
    EXPECT_EQ (log.seen.size(), 1);
}

TEST_F (ButtonTest, AMenuButtonReportsPressReleaseAndLeaveOnlyWithItsFlag)
{
    const auto icon = solid (juce::Colours::white, 40, 36);
    auto& hold = add (new SxMainMenuButton ("originalButton", icon, "Hold to see the original"), { 100, 1, 50, 30 });
    auto& plain = add (new SxMainMenuButton ("zoomButton", icon, {}), { 160, 1, 50, 30 });
    hold.reportsPressAndRelease = true;
    ClickCounter clicks;
    hold.addListener (&clicks);

    input.press (hold);
    EXPECT_TRUE (hold.held);
    input.release (hold);
    EXPECT_TRUE (hold.held);                     // a release inside keeps it held...
    EXPECT_EQ (clicks.clicks, 1);
    input.moveTo (plain);                        // ...so leaving reports once more
    EXPECT_FALSE (hold.held);
    input.moveTo (hold);
    input.moveTo (plain);                        // not held: leaving says nothing

    EXPECT_EQ (host.menuButtonReports, juce::StringArray ({ "originalButton down", "originalButton up", "originalButton up" }));

    host.menuButtonReports.clear();
    input.click (plain);
    input.moveTo (hold);
    EXPECT_TRUE (host.menuButtonReports.isEmpty());

    hold.setEnabled (false);
    input.press (hold);
    input.release (hold);
    input.moveTo (plain);
    EXPECT_TRUE (host.menuButtonReports.isEmpty());
    EXPECT_FALSE (hold.held);
    hold.removeListener (&clicks);
}

TEST_F (ButtonTest, AMenuButtonIsHalfItsHighlightWithTheIconCentredAtHalfSize)
{
    const auto icon = solid (juce::Colours::white, 40, 36);
    SxMainMenuButton button ("getPhotoButton", icon, "Open an image");
    EXPECT_EQ (button.getName(), "getPhotoButton");
    EXPECT_EQ (button.getWidth(), 51);
    EXPECT_EQ (button.getHeight(), 30);
    EXPECT_EQ (button.getIcon().getBounds(), juce::Rectangle<int> (15, 6, 20, 18));
    bool clicks = true, childClicks = true;
    button.getIcon().getInterceptsMouseClicks (clicks, childClicks);
    EXPECT_FALSE (clicks);
    EXPECT_EQ (button.getTooltip(), "Open an image");
}

TEST_F (ButtonTest, ADisabledMenuButtonDimsItsIconAlsoWhenItsParentIsDisabled)
{
    auto& bar = add (new juce::Component(), { 0, 0, 300, 40 });
    auto* button = new SxMainMenuButton ("undoButton", solid (juce::Colours::white, 40, 36), {});
    bar.addAndMakeVisible (button);
    auto alpha = [button] { return button->getIcon().getAlpha(); };

    EXPECT_EQ (alpha(), 1.0f);
    button->setEnabled (false);
    EXPECT_NEAR (alpha(), SxMainMenuButton::disabledIconAlpha, 0.01f);
    button->setEnabled (true);
    EXPECT_EQ (alpha(), 1.0f);
    bar.setEnabled (false);
    EXPECT_NEAR (alpha(), SxMainMenuButton::disabledIconAlpha, 0.01f);
    bar.setEnabled (true);
    EXPECT_EQ (alpha(), 1.0f);
    bar.deleteAllChildren();
}

TEST_F (ButtonTest, ACaptionExistsOnlyWithTextAndPassesClicksToItsButton)
{
    auto& done = add (new SxThreeImageButton ("savePreferenceDoneButton", "Done"), { 100, 100, 92, 23 });
    auto& bare = add (new SxThreeImageButton ("closeButton", {}), { 100, 140, 92, 23 });
    auto& ok = add (new SxRoundRectangleButton ("okButton", "Ok", "Save it", 4, 0xd4c34fffu, 0xffffffffu, 0x353535ffu, 0x202020ffu),
                    { 220, 100, 80, 24 });
    auto& empty = add (new SxRoundRectangleButton ("emptyButton", {}, {}, 4, 0, 0, 0, 0), { 220, 140, 80, 24 });

    EXPECT_EQ (bare.getLabel(), nullptr);
    EXPECT_EQ (bare.getNumChildComponents(), 0);
    EXPECT_EQ (empty.getLabel(), nullptr);
    EXPECT_EQ (empty.getNumChildComponents(), 0);

    for (juce::Button* button : { (juce::Button*) &done, (juce::Button*) &ok })
    {
        auto* label = button == &done ? done.getLabel() : ok.getLabel();
        ASSERT_NE (label, nullptr);
        EXPECT_EQ (label->getName(), button->getName() + "label");
        EXPECT_EQ (label->getBounds(), button->getLocalBounds());
        EXPECT_EQ (label->getFont().getHeight(), 12.0f);
        EXPECT_EQ (label->findColour (juce::Label::textColourId), juce::Colour (250, 250, 250));

        ClickCounter clicks;
        button->addListener (&clicks);
        input.click (*label);
        EXPECT_EQ (clicks.clicks, 1) << button->getName();
        button->removeListener (&clicks);
    }

    EXPECT_EQ (ok.getComponentID(), "okButton");
    EXPECT_EQ (ok.getTooltip(), "Save it");
}

TEST_F (ButtonTest, AFocusedTextButtonClicksOnReturn)
{
    auto& done = add (new SxThreeImageButton ("doneButton", "Done"), { 100, 100, 92, 23 });
    ClickCounter clicks;
    done.addListener (&clicks);
    done.grabKeyboardFocus();
    EXPECT_TRUE (input.pressKey (juce::KeyPress (juce::KeyPress::returnKey)));
    sxgui::drainMessages();
    EXPECT_EQ (clicks.clicks, 1);
    done.removeListener (&clicks);
}

TEST_F (ButtonTest, ARoundRectangleButtonChangesItsLookOnlyWhenPressed)
{
    const juce::uint32 outline = 0xd4c34fffu, outlineDown = 0xffffffffu, fill = 0x353535ffu, fillDown = 0xd4c34fffu;
    SxRoundRectangleButton button ("applyButton", {}, {}, 6, outline, outlineDown, fill, fillDown);
    button.setSize (80, 24);

    const auto centre = [&button]
    {
        return button.createComponentSnapshot (button.getLocalBounds()).getPixelAt (40, 12);
    };

    EXPECT_EQ (centre(), juce::Colour (53, 53, 53));
    button.setState (juce::Button::buttonOver);
    EXPECT_EQ (centre(), juce::Colour (53, 53, 53));
    button.setEnabled (false);
    EXPECT_EQ (centre(), juce::Colour (53, 53, 53));
    button.setEnabled (true);
    button.setState (juce::Button::buttonDown);
    EXPECT_EQ (centre(), juce::Colour (79, 195, 212));
}

TEST (SxThreeSlicesTest, CapsKeepTheirWidthsAndTheMiddleTakesTheRest)
{
    struct Case { int width, left, right; juce::Rectangle<int> l, m, r; };
    const Case cases[] = {
        { 100, 6, 6,   { 0, 0, 6, 23 },  { 6, 0, 88, 23 },  { 94, 0, 6, 23 } },
        { 400, 26, 26, { 0, 0, 26, 23 }, { 26, 0, 348, 23 }, { 374, 0, 26, 23 } },
        { 52, 26, 26,  { 0, 0, 26, 23 }, { 26, 0, 0, 23 },  { 26, 0, 26, 23 } },
        { 30, 26, 26,  { 0, 0, 26, 23 }, { 26, 0, 0, 23 },  { 4, 0, 26, 23 } },   // narrower than its caps
    };

    for (const auto& c : cases)
    {
        const auto slices = SxThreeSlices::layOut (c.width, 23, c.left, c.right);
        EXPECT_EQ (slices.left, c.l) << c.width;
        EXPECT_EQ (slices.middle, c.m) << c.width;
        EXPECT_EQ (slices.right, c.r) << c.width;
    }
}

TEST (HorizontalTileComponentTest, NarrowerThanItsCapsItDrawsTheCapsOnly)
{
    const auto red = juce::Colour (200, 0, 0), green = juce::Colour (0, 200, 0);
    HorizontalTileComponent bar (solid (red, 52, 54), solid (green, 118, 54), solid (juce::Colours::transparentBlack, 52, 54));

    bar.setSize (100, 27);
    auto image = bar.createComponentSnapshot (bar.getLocalBounds());
    EXPECT_EQ (image.getPixelAt (10, 13), red);
    EXPECT_EQ (image.getPixelAt (50, 13), green);
    EXPECT_EQ (image.getPixelAt (90, 13).getAlpha(), 0);

    // 40 wide: the (clear) right cap starts at 14, over the left one. A negative middle
    // width would mirror the middle into 14..26, under the right cap.
    bar.setSize (40, 27);
    image = bar.createComponentSnapshot (bar.getLocalBounds());
    for (int x = 0; x < 40; ++x)
    {
        if (x < 26)
        {
            EXPECT_EQ (image.getPixelAt (x, 13), red) << x;
        }
        else
        {
            EXPECT_EQ (image.getPixelAt (x, 13).getAlpha(), 0) << x;
        }
    }
}

TEST (SxScaleToFillImageButtonTest, CoversTheButtonAndWantsNoFiles)
{
    SxScaleToFillImageButton button ("presetThumbnail");
    const auto picture = solid (juce::Colours::orange, 200, 100);
    button.setImages (false, true, true, picture, 1.0f, {}, picture, 1.0f, {}, picture, 1.0f, {});
    button.setSize (100, 100);
    button.createComponentSnapshot (button.getLocalBounds());
    EXPECT_EQ (button.getImageBounds(), juce::Rectangle<int> (-50, 0, 200, 100));
    EXPECT_FALSE (button.isInterestedInFileDrag ({ "/tmp/a.png" }));

    SxCheckboxImageButton tick ("tick");
    tick.setImages (false, true, true, picture, 1.0f, {}, picture, 1.0f, {}, picture, 1.0f, {});
    tick.setSize (100, 100);
    tick.createComponentSnapshot (tick.getLocalBounds());
    EXPECT_EQ (tick.getImageBounds(), juce::Rectangle<int> (0, 25, 100, 50));
}

TEST (SxImageButtonTest, WithAnAlphaThresholdOnlyThePlacedPictureIsHit)
{
    // The picture's left half is opaque, its right half clear; drawn at half size.
    juce::Image picture (juce::Image::ARGB, 60, 60, true);
    picture.clear ({ 0, 0, 30, 60 }, juce::Colours::white);

    SxImageButton button ("stripArrow");
    button.setImages (false, true, true, picture, 1.0f, {}, picture, 1.0f, {}, picture, 1.0f, {}, 0.5f);
    button.setSize (30, 30);
    button.createComponentSnapshot (button.getLocalBounds());
    ASSERT_EQ (button.getImageBounds(), juce::Rectangle<int> (0, 0, 30, 30));

    auto& component = static_cast<juce::Component&> (button);
    EXPECT_TRUE (component.hitTest (5, 15));
    EXPECT_FALSE (component.hitTest (25, 15));
}
