#include "HostedTest.h"
#include "ManualClock.h"
#include "SxCallOutBox.h"
#include "SxHorizontalCallOutBox.h"

namespace
{
    using Side = SxCallOutPlacement::Side;

    const char* nameOf (Side side)
    {
        switch (side)
        {
            case Side::below: return "below";
            case Side::right: return "right";
            case Side::left:  return "left";
            case Side::above: return "above";
        }
        return "?";
    }

    struct PlacementCase
    {
        const char* what;
        juce::Rectangle<int> target;
        Side expected;
    };

    /** Places a 300 x 300 content (border 20, arrow 16: a 340 x 340 box) in 1000 x 700. */
    SxCallOutPlacement::Result placeSquare (juce::Rectangle<int> target, std::span<const Side> sides)
    {
        SxCallOutPlacement::Geometry g;
        g.target = target;
        g.fitIn = { 0, 0, 1000, 700 };
        g.contentWidth = g.contentHeight = 300;
        return SxCallOutPlacement::place (g, sides);
    }

    void expectSides (std::span<const PlacementCase> cases, std::span<const Side> sides)
    {
        for (const auto& c : cases)
            EXPECT_STREQ (nameOf (placeSquare (c.target, sides).side), nameOf (c.expected)) << c.what;
    }

    /** Hears the dismissal: who, how often, and whether the box had forgotten it already. */
    struct DismissalLog : public SxControlChangedCallback
    {
        void controlChanged (juce::Component* c) override
        {
            calls.add (c);
            auto* box = dynamic_cast<SxCallOutBox*> (c);
            listenerStillSet = box == nullptr || box->listener != nullptr;
            if (deletesBox)
                delete c;
        }

        juce::Array<juce::Component*> calls;
        bool listenerStillSet = false;
        bool deletesBox = false;
    };

    class CallOutBoxTest : public sxgui::HostedTest
    {
    protected:
        void SetUp() override
        {
            HostedTest::SetUp();
            content.setSize (200, 120);
        }

        void TearDown() override
        {
            if (auto* box = opened.get())
            {
                host.exitModal (box);
                delete box;
            }

            HostedTest::TearDown();
        }

        /** A modal box in the host pointing at target, telling log when dismissed. */
        SxCallOutBox& open (juce::Rectangle<int> target = { 300, 200, 40, 30 }, juce::Component* parent = nullptr)
        {
            auto* box = new SxCallOutBox (content, target, parent != nullptr ? parent : &host, false);
            box->listener = &log;
            host.enterModal (box, false);
            opened = box;
            return *box;
        }

        SxOutsideInputWatcher& watcher = *SxOutsideInputWatcher::getInstance();
        juce::Component content;
        DismissalLog log;
        juce::WeakReference<juce::Component> opened;
    };

    /** The framework's call-out asks the window system where the pointer is to tell a press
        on its own target from one elsewhere: these tests move the display's real pointer. */
    class CallOutBoxRealPointerTest : public CallOutBoxTest
    {
    protected:
        void TearDown() override
        {
            juce::Desktop::setMousePosition (pointerBefore);
            CallOutBoxTest::TearDown();
        }

        juce::Point<int> pointerBefore = juce::Desktop::getMousePosition();
    };
}

//==============================================================================
TEST (CallOutPlacement, AnySideTriesBelowRightLeftAboveInThatOrder)
{
    const PlacementCase cases[] = {
        { "below, right and left tie: below wins",              { 480, 150,  40,  40 }, Side::below },
        { "no room below: right ties with above and wins",      { 480, 400,  40,  40 }, Side::right },
        { "no room below or right: left ties with above",       { 800, 400,  40,  40 }, Side::left },
        { "a wide strip along the bottom: only above fits",     {  10, 600, 980,  30 }, Side::above },
        { "near the top right corner: below, slid left",        { 900,  10,  40,  40 }, Side::below },
    };
    expectSides (cases, SxCallOutPlacement::anySide);
}

TEST (CallOutPlacement, VerticalOnlyPrefersBelowAndNeverGoesBeside)
{
    const PlacementCase cases[] = {
        { "room above and below: below wins the tie", { 480, 340,  40,  20 }, Side::below },
        { "near the bottom: above",                   { 480, 600,  40,  40 }, Side::above },
        { "at the left edge: below, slid right",      {   0, 100, 200,  40 }, Side::below },
        { "no room either way: still not beside",     {   0,   0,  40, 700 }, Side::below },
    };
    expectSides (cases, SxCallOutPlacement::verticalSides);
}

TEST (CallOutPlacement, HorizontalPrefersRightAndTurnsLeftNearTheRightEdge)
{
    const PlacementCase cases[] = {
        { "room on both sides: right wins the tie", { 480, 330, 40, 40 }, Side::right },
        { "near the right edge: left",              { 800, 330, 40, 40 }, Side::left },
        { "near the left edge: right",              {  10, 330, 40, 40 }, Side::right },
        { "at the bottom: still beside",            { 480, 680, 40, 20 }, Side::right },
    };
    expectSides (cases, SxCallOutPlacement::horizontalSides);
}

TEST (CallOutPlacement, TheBoxSlidesAlongItsSideToStayInsideAndTheTipTouchesTheTarget)
{
    // Below a target near the top left corner: the box's centre slides right until the box
    // fits, the arrow still points at the middle of the target's bottom edge.
    const auto below = placeSquare ({ 100, 100, 20, 20 }, SxCallOutPlacement::anySide);
    EXPECT_STREQ (nameOf (below.side), "below");
    EXPECT_EQ (below.bounds, juce::Rectangle<int> (0, 116, 340, 340));   // 120 + 170 - 4 - 170
    EXPECT_EQ (below.tip, juce::Point<float> (110.0f, 120.0f));

    // A longer arrow (and so a wider border) moves the box away by the difference.
    SxCallOutPlacement::Geometry g;
    g.target = { 480, 330, 40, 40 };
    g.fitIn = { 0, 0, 1000, 700 };
    g.contentWidth = 150;
    g.contentHeight = 150;
    g.border = 30;
    g.arrow = 30.0f;
    const auto right = SxCallOutPlacement::place (g, SxCallOutPlacement::horizontalSides);
    EXPECT_EQ (right.bounds, juce::Rectangle<int> (520, 245, 210, 210));   // x = 520 + 105 - 0 - 105
    EXPECT_EQ (right.tip, juce::Point<float> (520.0f, 350.0f));
}

//==============================================================================
TEST_F (CallOutBoxTest, OpensBelowItsTargetWithTheContentInsideTheBorder)
{
    auto& box = open();

    EXPECT_EQ (box.getBorderSize(), 20);
    EXPECT_EQ (box.getBounds(), juce::Rectangle<int> (200, 226, 240, 160));   // centred under (320, 230), arrow 16
    EXPECT_EQ (content.getBounds(), juce::Rectangle<int> (20, 20, 200, 120));
    EXPECT_EQ (box.getTipPosition(), juce::Point<float> (320.0f, 230.0f));
    EXPECT_TRUE (box.isShowing());

    // The bubble takes the clicks over its body and its arrow, not in the corners.
    EXPECT_TRUE (box.hitTest (120, 80));
    EXPECT_TRUE (box.hitTest (120, 10));         // the arrow, just below its tip
    EXPECT_FALSE (box.hitTest (2, 2));

    // A dark body with a light rim.
    const auto snapshot = box.createComponentSnapshot (box.getLocalBounds());
    EXPECT_EQ (snapshot.getPixelAt (18, 80), juce::Colour (58, 58, 58));
    EXPECT_GT (snapshot.getPixelAt (15, 80).getBrightness(), 0.7f);
}

TEST_F (CallOutBoxTest, FollowsItsContentsSizeAndKeepsItsRuleWhenRepositioned)
{
    auto& box = open ({ 300, 600, 40, 30 });
    EXPECT_EQ (box.getSide(), Side::above);                  // no room below; above is nearer than beside

    content.setSize (260, 120);
    EXPECT_EQ (box.getWidth(), 300);
    EXPECT_EQ (content.getPosition(), juce::Point<int> (20, 20));

    auto* vertical = new SxCallOutBox (content, { 300, 600, 40, 30 }, &host, true);
    EXPECT_EQ (vertical->getSide(), Side::above);
    vertical->reposition();
    EXPECT_EQ (vertical->getSide(), Side::above);
    delete vertical;
}

TEST_F (CallOutBoxTest, AHorizontalBoxTakesItsRuleFromTheFirstRepositionAndAZeroArrowKeepsTheBorder)
{
    content.setSize (150, 150);
    auto* box = new SxHorizontalCallOutBox (content, { 100, 300, 200, 40 }, &host, false);
    EXPECT_EQ (box->getSide(), Side::below);                 // the base rule while constructing

    box->setArrowSize (0.0f);
    box->reposition();
    EXPECT_EQ (box->getSide(), Side::right);
    EXPECT_EQ (box->getBorderSize(), 20);
    EXPECT_EQ (box->getBounds(), juce::Rectangle<int> (280, 225, 190, 190));   // 300 + 95 - 20 - 95

    delete box;
}

TEST_F (CallOutBoxTest, EscapeDismissesOnceWithTheListenerClearedFirst)
{
    auto& box = open();
    ASSERT_FALSE (host.isToolbarEnabled());

    EXPECT_TRUE (input.pressKey (juce::KeyPress (juce::KeyPress::escapeKey)));

    EXPECT_EQ (log.calls, juce::Array<juce::Component*> ({ &box }));
    EXPECT_FALSE (log.listenerStillSet);
    EXPECT_TRUE (box.dismissed);
    EXPECT_FALSE (box.isVisible());
    EXPECT_EQ (juce::Component::getNumCurrentlyModalComponents(), 0);
    EXPECT_TRUE (host.isToolbarEnabled());

    // Another trigger only hides it again.
    box.inputAttemptOutsideModal();
    EXPECT_FALSE (input.pressKey (juce::KeyPress (juce::KeyPress::escapeKey)));
    EXPECT_EQ (log.calls.size(), 1);

    // Other keys are left alone.
    auto& second = open();
    EXPECT_FALSE (second.keyPressed (juce::KeyPress ('a')));
    EXPECT_FALSE (second.dismissed);
}

TEST_F (CallOutBoxTest, APressOutsideHidesItAtOnceAndTheListenerMayDeleteIt)
{
    log.deletesBox = true;
    open();

    input.click (host.getToolbarButton (0));
    sxgui::fireTimer (watcher);

    EXPECT_EQ (log.calls.size(), 1);
    EXPECT_EQ (opened.get(), nullptr);
    EXPECT_EQ (juce::Component::getNumCurrentlyModalComponents(), 0);
    // As the framework's call-out does, the press that closed it goes on to what it hit.
    EXPECT_EQ (host.toolbarClicks, juce::StringArray ("getPhotoButton"));
}

TEST_F (CallOutBoxRealPointerTest, AClickOnItsOwnTargetClosesItWithoutReachingTheTarget)
{
    sxgui::ManualClock clock;
    juce::TextButton swatch ("swatch");
    swatch.onClick = [this] { host.toolbarClicks.add ("swatch"); };
    host.addAndMakeVisible (swatch);
    swatch.setBounds (300, 200, 40, 30);
    juce::Desktop::setMousePosition (swatch.getScreenBounds().getCentre());

    // Just opened: the press does nothing, the release closes the box.
    open (swatch.getBounds());
    input.press (swatch);
    sxgui::drainMessages();
    EXPECT_TRUE (log.calls.isEmpty());
    input.release (swatch);
    sxgui::fireTimer (watcher);
    EXPECT_EQ (log.calls.size(), 1);
    delete opened.get();

    // Open a while: the press closes it a moment later, and is used up.
    open (swatch.getBounds());
    clock.advance (SxCallOutBox::targetPressGraceMs + 1);
    input.press (swatch);
    EXPECT_EQ (log.calls.size(), 1);
    sxgui::drainMessages();
    EXPECT_EQ (log.calls.size(), 2);
    input.release (swatch);
    sxgui::fireTimer (watcher);
    EXPECT_EQ (log.calls.size(), 2);

    EXPECT_TRUE (host.toolbarClicks.isEmpty()) << host.toolbarClicks.joinIntoString (",");
    host.removeChildComponent (&swatch);
}

TEST_F (CallOutBoxTest, AFileDroppedOutsideDismissesIt)
{
    auto& box = open();
    input.dropFiles (host.getCanvas(), { "/tmp/photo.jpg" }, { 40, 40 });
    EXPECT_EQ (log.calls, juce::Array<juce::Component*> ({ &box }));
}

TEST_F (CallOutBoxTest, HidingItOrAnAncestorDismissesIt)
{
    auto& first = open();
    first.setVisible (false);
    EXPECT_EQ (log.calls, juce::Array<juce::Component*> ({ &first }));
    EXPECT_EQ (juce::Component::getNumCurrentlyModalComponents(), 0);
    delete &first;

    SxComponent panel ("panel");
    host.addAndMakeVisible (panel);
    panel.setBounds (0, 33, 768, 667);
    auto& second = open ({ 300, 200, 40, 30 }, &panel);
    panel.setVisible (false);
    EXPECT_EQ (log.calls, juce::Array<juce::Component*> ({ &first, &second }));
    EXPECT_FALSE (second.isCurrentlyModal (false));
    panel.removeChildComponent (&second);
    delete &second;
    host.removeChildComponent (&panel);
}

TEST_F (CallOutBoxTest, WhileQuittingADismissalOnlyMarksTheBox)
{
    auto& box = open();
    host.setQuitting();

    input.pressKey (juce::KeyPress (juce::KeyPress::escapeKey));

    EXPECT_TRUE (box.dismissed);
    EXPECT_TRUE (log.calls.isEmpty());
    EXPECT_TRUE (box.isCurrentlyModal (false));
    EXPECT_TRUE (box.isVisible());
}

TEST_F (CallOutBoxTest, OnlyABoxThatPassesCanvasEventsLetsTheCanvasBeClicked)
{
    auto& canvas = host.getCanvas();

    auto& passing = open();
    passing.passesCanvasEvents = true;
    input.click (canvas, { 600, 500 });
    EXPECT_TRUE (canvas.mouseEvents.contains ("down") && canvas.mouseEvents.contains ("up")) << canvas.mouseEvents.joinIntoString (",");
    EXPECT_TRUE (passing.isCurrentlyModal (false));
    EXPECT_FALSE (passing.canModalEventBeSentToComponent (&host.getEffectPanel()));
    EXPECT_FALSE (passing.canModalEventBeSentToComponent (&host.getToolbarButton (0)));

    passing.passesCanvasEvents = false;
    input.click (canvas, { 610, 500 });
    EXPECT_EQ (log.calls.size(), 1);
}
