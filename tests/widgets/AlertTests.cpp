#include "SlidingPanelTest.h"
#include "SxAlertComponent.h"
#include "SxAlertFadeMessage.h"
#include "SxAlertPaintComponent.h"
#include "SxOutsideInputWatcher.h"
#include "SxPluginAlertComponent.h"

#include <set>

namespace
{
    /** What the alerts told their owner, by component name. */
    struct Owner : public SxControlChangedCallback
    {
        void controlChanged (juce::Component* c) override  { told.add (c->getName()); }
        juce::StringArray told;
    };

    class AlertTest : public SlidingPanelTest
    {
    protected:
        Owner owner;

        /** An alert that has slid in and settled. */
        template <typename AlertType>
        AlertType* openSettled (const juce::String& name, const juce::String& message = "You can only have six layers.")
        {
            auto* alert = new AlertType (name, "Too Many Layers", message, &owner);
            settle (alert->animator);
            EXPECT_TRUE (sxgui::fireTimer (*alert, SxAlertPanel::pinTimer));
            return alert;
        }
    };

    /** Every line's width as laid out, next to its width on one line at the same font
        height (so kerning counts alike): a squeezed line is narrower. */
    std::vector<std::pair<float, float>> lineWidths (juce::GlyphArrangement& glyphs)
    {
        std::vector<std::pair<float, float>> widths;
        int start = 0;
        for (int i = 1; i <= glyphs.getNumGlyphs(); ++i)
        {
            if (i < glyphs.getNumGlyphs() && glyphs.getGlyph (i).getBaselineY() == glyphs.getGlyph (start).getBaselineY())
                continue;

            juce::String text;
            for (int j = start; j < i; ++j)
                text += juce::String::charToString (glyphs.getGlyph (j).getCharacter());

            auto& first = glyphs.getGlyph (start);
            juce::GlyphArrangement natural;
            natural.addLineOfText (juce::Font (first.getBottom() - first.getTop(), juce::Font::plain), text, 0.0f, 0.0f);
            widths.emplace_back (glyphs.getBoundingBox (start, i - start, true).getWidth(),
                                 natural.getBoundingBox (0, -1, true).getWidth());
            start = i;
        }
        return widths;
    }

    int lineCount (juce::GlyphArrangement& glyphs)
    {
        std::set<float> baselines;
        for (int i = 0; i < glyphs.getNumGlyphs(); ++i)
            baselines.insert (glyphs.getGlyph (i).getBaselineY());
        return (int) baselines.size();
    }
}

TEST_F (AlertTest, SlidesDownToRestAtMinus25CentredAndBlocksTheRest)
{
    juce::Component::SafePointer<SxAlertComponent> alert (new SxAlertComponent ("ExceededLayers", "Too Many Layers", "Six at most.", &owner));

    EXPECT_EQ (alert->getParentComponent(), &host);
    EXPECT_EQ (alert->getBounds(), juce::Rectangle<int> (212, -201, 600, 200));
    EXPECT_TRUE (alert->isCurrentlyModal (false));
    EXPECT_FALSE (host.isToolbarEnabled());
    EXPECT_TRUE (host.alertOnBlockedInput());

    EXPECT_LE (settle (alert->animator), 300);
    EXPECT_EQ (alert->getBounds(), juce::Rectangle<int> (212, -25, 600, 200));
    EXPECT_EQ (alert->getOkButton().getBounds(), juce::Rectangle<int> (251, 149, 97, 31));
    EXPECT_EQ (alert->getOkButton().getButtonText(), juce::String());
    EXPECT_EQ (alert->getTitleLabel().getText(), "Too Many Layers");
    EXPECT_EQ (alert->getMessagePainter().getBounds(), juce::Rectangle<int> (150, 55, 435, 90));

    EXPECT_TRUE (sxgui::fireTimer (*alert, SxAlertPanel::pinTimer));
    EXPECT_EQ (alert->getY(), -25);
    EXPECT_TRUE (owner.told.isEmpty());
}

TEST_F (AlertTest, OkActsOnlyOnceSettledThenReportsAt300AndIsDeletedAt600)
{
    juce::Component::SafePointer<SxAlertComponent> alert (new SxAlertComponent ("ExceededLayers", "Too Many Layers", "Six at most.", &owner));
    auto& ok = alert->getOkButton();

    run (alert->animator, 50);
    ASSERT_TRUE (alert->isSliding());
    input.click (ok);          // mid-slide: ignored
    EXPECT_FALSE (alert->isTimerRunning (SxAlertPanel::reportTimer));
    settle (alert->animator);
    sxgui::fireTimer (*alert, SxAlertPanel::pinTimer);

    input.click (ok);
    ASSERT_TRUE (alert->isTimerRunning (SxAlertPanel::reportTimer));
    EXPECT_EQ (alert->getTimerInterval (SxAlertPanel::reportTimer), 300);
    EXPECT_EQ (alert->getTimerInterval (SxAlertPanel::deleteTimer), 600);
    EXPECT_TRUE (alert->isCurrentlyModal (false));        // until it is out of sight

    run (alert->animator, 50);
    ASSERT_TRUE (alert->isSliding());
    input.click (ok);          // sliding out: ignored, the timers keep their times
    EXPECT_EQ (alert->getTimerInterval (SxAlertPanel::reportTimer), 300);

    settle (alert->animator);
    EXPECT_EQ (alert->getY(), -25 - 200 - 47);
    EXPECT_TRUE (owner.told.isEmpty());

    EXPECT_TRUE (sxgui::fireTimer (*alert, SxAlertPanel::reportTimer));
    EXPECT_EQ (owner.told, juce::StringArray ({ "ExceededLayers" }));
    EXPECT_FALSE (alert->isCurrentlyModal (false));
    EXPECT_TRUE (host.isToolbarEnabled());
    ASSERT_NE (alert, nullptr);

    EXPECT_TRUE (sxgui::fireTimer (*alert, SxAlertPanel::deleteTimer));
    EXPECT_EQ (alert, nullptr);
    EXPECT_EQ (owner.told.size(), 1);
}

TEST_F (AlertTest, ReturnAndEscapeActAsOkAndOtherKeysGoNowhere)
{
    for (const auto keyCode : { juce::KeyPress::returnKey, juce::KeyPress::escapeKey })
    {
        owner.told.clear();
        juce::Component::SafePointer<SxAlertComponent> alert (openSettled<SxAlertComponent> ("ExceededLayers"));

        EXPECT_TRUE (input.pressKey (juce::KeyPress ('x')));
        EXPECT_FALSE (alert->isTimerRunning (SxAlertPanel::reportTimer));

        EXPECT_TRUE (input.pressKey (juce::KeyPress (keyCode)));
        settle (alert->animator);
        EXPECT_TRUE (input.pressKey (juce::KeyPress (keyCode)) || true);   // a second press once it has slid away
        sxgui::fireTimer (*alert, SxAlertPanel::reportTimer);
        sxgui::fireTimer (*alert, SxAlertPanel::deleteTimer);
        EXPECT_EQ (alert, nullptr) << keyCode;
        EXPECT_EQ (owner.told, juce::StringArray ({ "ExceededLayers" })) << keyCode;
    }
}

TEST_F (AlertTest, StaysCentredWhenTheWindowResizesButNotWhileSlidingIn)
{
    const auto original = host.getBounds();
    auto* alert = new SxAlertComponent ("ExceededLayers", "Too Many Layers", "Six at most.", &owner);

    run (alert->animator, 100);
    host.setSize (1224, 700);
    EXPECT_EQ (alert->getX(), 212);
    settle (alert->animator);
    EXPECT_EQ (alert->getX(), 212);

    sxgui::fireTimer (*alert, SxAlertPanel::pinTimer);
    host.setSize (1424, 700);
    EXPECT_EQ (alert->getBounds(), juce::Rectangle<int> (412, -25, 600, 200));

    host.setBounds (original);
}

TEST_F (AlertTest, InputOutsideSoundsAndNeitherReachesTheCanvasNorClosesTheAlert)
{
    juce::Component::SafePointer<SxAlertComponent> alert (openSettled<SxAlertComponent> ("ExceededLayers"));
    auto& canvas = host.getCanvas();

    input.press (canvas, { 20, 400 });
    input.release (canvas, { 20, 400 });
    if (auto* watcher = SxOutsideInputWatcher::getInstanceWithoutCreating())
        sxgui::fireTimer (*watcher);

    EXPECT_EQ (host.alertsSounded, 1);
    EXPECT_FALSE (canvas.mouseEvents.contains ("down"));
    EXPECT_FALSE (canvas.mouseEvents.contains ("up"));
    ASSERT_NE (alert, nullptr);
    EXPECT_TRUE (alert->isCurrentlyModal (false));
    EXPECT_TRUE (owner.told.isEmpty());
}

TEST_F (AlertTest, ANullCallbackClosesWithoutTellingAnybody)
{
    juce::Component::SafePointer<SxAlertComponent> alert (new SxAlertComponent ("ExceededLayers", "Too Many Layers", "Six.", nullptr));
    settle (alert->animator);
    sxgui::fireTimer (*alert, SxAlertPanel::pinTimer);
    input.click (alert->getOkButton());
    settle (alert->animator);
    sxgui::fireTimer (*alert, SxAlertPanel::reportTimer);
    sxgui::fireTimer (*alert, SxAlertPanel::deleteTimer);
    EXPECT_EQ (alert, nullptr);
    EXPECT_TRUE (host.isToolbarEnabled());
}

//==============================================================================
TEST_F (AlertTest, ThePluginAlertsButtonsSitWhereTheAlertsWidthPutsThem)
{
    auto* alert = openSettled<SxPluginAlertComponent> ("pluginQuitAlert");
    EXPECT_EQ (alert->cancelButton->getBounds(), juce::Rectangle<int> (194, 135, 97, 31));
    EXPECT_EQ (alert->quitButton->getBounds(), juce::Rectangle<int> (366, 135, 97, 31));
    EXPECT_EQ (alert->applyButton->getBounds(), juce::Rectangle<int> (473, 135, 97, 31));
    EXPECT_EQ (alert->applyButton->getName(), "pluginQuitAlertApplyButton");
    EXPECT_EQ (alert->quitButton->getName(), "pluginQuitAlertQuitButton");
}

TEST_F (AlertTest, PluginAlertApplyReportsAtOnceQuitAfterTheSlideCancelAfterTheSlideAndDeletes)
{
    struct Case { const char* button; bool byKey; juce::StringArray atOnce, after300; bool deleted; };
    const Case cases[] = {
        { "apply",  false, { "pluginQuitAlertApplyButton" }, {},                              false },
        { "apply",  true,  { "pluginQuitAlertApplyButton" }, {},                              false },
        { "quit",   false, {},                               { "pluginQuitAlertQuitButton" }, false },
        { "cancel", false, {},                               { "pluginQuitAlert" },           true  },
        { "cancel", true,  {},                               { "pluginQuitAlert" },           true  },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (juce::String (c.button) + (c.byKey ? " by key" : " by click"));
        owner.told.clear();
        juce::Component::SafePointer<SxPluginAlertComponent> alert (openSettled<SxPluginAlertComponent> ("pluginQuitAlert"));
        auto* button = juce::String (c.button) == "apply" ? alert->applyButton
                     : juce::String (c.button) == "quit"  ? alert->quitButton : alert->cancelButton;

        if (c.byKey)
            input.pressKey (juce::KeyPress (button == alert->applyButton ? juce::KeyPress::returnKey : juce::KeyPress::escapeKey));
        else
            input.click (*button);

        EXPECT_EQ (owner.told, c.atOnce);
        EXPECT_FALSE (alert->isCurrentlyModal (false));     // left at the press
        EXPECT_TRUE (host.isToolbarEnabled());

        input.click (*alert->cancelButton);                  // one answer only
        settle (alert->animator);
        EXPECT_EQ (alert->getY(), -272);
        for (const auto id : { (int) SxAlertPanel::reportTimer, (int) SxAlertPanel::quitTimer })
            sxgui::fireTimer (*alert, id);

        auto expected = c.atOnce;
        expected.addArray (c.after300);
        EXPECT_EQ (owner.told, expected);

        sxgui::fireTimer (*alert, SxAlertPanel::deleteTimer);
        EXPECT_EQ (alert == nullptr, c.deleted);
        delete alert.getComponent();     // the main component's job for Apply and Quit
    }
}

//==============================================================================
TEST_F (AlertTest, AFadeMessageFadesInStaysFadesOutAndDeletesItself)
{
    juce::Component::SafePointer<SxAlertFadeMessage> message (new SxAlertFadeMessage ("shareDone", "Saved", 800, nullptr));

    EXPECT_EQ (message->getParentComponent(), &host);
    EXPECT_EQ (message->getBounds(), host.getLocalBounds());
    EXPECT_EQ (message->getAlpha(), 0.0f);
    EXPECT_EQ (message->getLabel().getText(), "Saved");
    EXPECT_EQ (message->getTimerInterval (SxAlertFadeMessage::fadeInTimer), 1);

    ASSERT_TRUE (sxgui::fireTimer (*message, SxAlertFadeMessage::fadeInTimer));
    EXPECT_EQ (message->getTimerInterval (SxAlertFadeMessage::fadeOutTimer), 800 + 1500);
    run (message->animator, 400);
    EXPECT_GT (message->getAlpha(), 0.0f);
    EXPECT_LT (message->getAlpha(), 1.0f);
    EXPECT_EQ (settle (message->animator), 400);
    EXPECT_EQ (message->getAlpha(), 1.0f);

    ASSERT_TRUE (sxgui::fireTimer (*message, SxAlertFadeMessage::fadeOutTimer));
    EXPECT_FALSE (message->isVisible());
    EXPECT_EQ (message->getTimerInterval (SxAlertFadeMessage::deleteTimer), 800);

    ASSERT_TRUE (sxgui::fireTimer (*message, SxAlertFadeMessage::deleteTimer));
    EXPECT_EQ (message, nullptr);
    EXPECT_FALSE (host.getCanvas().mouseEvents.contains ("down"));
}

TEST_F (AlertTest, AClickOnAVisibleFadeMessageEndsItAtOnce)
{
    juce::Component::SafePointer<SxAlertFadeMessage> message (new SxAlertFadeMessage ("shareDone", "Saved", 800, &host.getCanvas()));
    EXPECT_EQ (message->getParentComponent(), &host.getCanvas());

    input.click (host.getCanvas(), { 10, 10 });       // not faded in yet: the click goes through
    EXPECT_NE (message, nullptr);
    EXPECT_TRUE (host.getCanvas().mouseEvents.contains ("down"));

    sxgui::fireTimer (*message, SxAlertFadeMessage::fadeInTimer);
    run (message->animator, 100);
    host.getCanvas().mouseEvents.clear();
    input.click (host.getCanvas(), { 10, 10 });
    EXPECT_EQ (message, nullptr);
    EXPECT_FALSE (host.getCanvas().mouseEvents.contains ("down"));
}

//==============================================================================
TEST_F (AlertTest, AMessageTakesAtMostEightLinesAndIsNeverSqueezed)
{
    SxAlertPaintComponent painter;
    painter.setSize (435, 90);

    const juce::String word = "Watercolour ";
    const juce::String cases[] = {
        "Six layers at most.",
        juce::String::repeatedString (word, 12),
        juce::String::repeatedString (word, 200),
        "Line one\nLine two\nLine three",
        juce::StringArray::fromTokens ("1 2 3 4 5 6 7 8 9 10 11 12", false).joinIntoString ("\n"),
        "Supercalifragilisticexpialidocious_without_any_break_at_all_in_it_anywhere_to_wrap_on",
    };

    for (const auto& text : cases)
    {
        SCOPED_TRACE (text.substring (0, 40));
        painter.text = text;
        auto glyphs = painter.createLayout();
        ASSERT_GT (glyphs.getNumGlyphs(), 0);
        EXPECT_LE (lineCount (glyphs), SxAlertPaintComponent::maximumLines);

        for (auto [laidOut, natural] : lineWidths (glyphs))
            EXPECT_NEAR (laidOut, natural, 1.0f);

        for (int i = 0; i < glyphs.getNumGlyphs(); ++i)
            EXPECT_LE (glyphs.getGlyph (i).getRight(), 435.5f);

        EXPECT_LE (glyphs.getBoundingBox (0, -1, false).getBottom(), 90.5f);
    }

    painter.text = "Six layers at most.";
    auto shortText = painter.createLayout();
    EXPECT_EQ (lineCount (shortText), 1);
    EXPECT_NEAR (shortText.getGlyph (0).getBottom() - shortText.getGlyph (0).getTop(), 17.0f, 0.01f);
    EXPECT_NEAR (shortText.getGlyph (0).getLeft(), 0.0f, 1.0f);
}
