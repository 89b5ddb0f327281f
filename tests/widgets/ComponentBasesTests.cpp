#include "ColorComponent.h"
#include "SxBorderComponent.h"
#include "SxColorComponent.h"
#include "SxDeleteChildrenComponent.h"
#include "SxLabel.h"
#include "SxUIComponent.h"
#include "WhiteTurquoiseBorderComponent.h"
#include "WhiteTurquoiseThickBorderComponent.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{
    using Log = std::vector<juce::String>;

    /** A control that notes its update in a shared log. */
    struct LoggingControl : public SxComponent
    {
        LoggingControl (const juce::String& name, Log& l) : SxComponent (name), log (l) {}
        void update() override  { log.push_back (getName()); }
        Log& log;
    };

    /** A nested panel that notes its own update before refreshing its controls. */
    struct LoggingPanel : public SxUIComponent
    {
        LoggingPanel (const juce::String& name, Log& l) : SxUIComponent (name), log (l) {}
        void update() override  { log.push_back (getName()); SxUIComponent::update(); }
        Log& log;
    };

    juce::Colour pixel (const juce::Image& image, int x, int y)
    {
        return image.getPixelAt (x, y);
    }
}

TEST (SxUIComponentTest, UpdatesDirectControlsFrontMostFirstAndLeavesGrandchildrenToTheirPanel)
{
    Log log;
    SxUIComponent panel ("panel");
    auto* first = new LoggingControl ("first", log);
    auto* caption = new SxLabel ("caption", "Size");   // not an SxUpdateComponent: skipped
    auto* nested = new LoggingPanel ("nested", log);
    auto* last = new LoggingControl ("last", log);
    panel.addAndMakeVisible (first);
    panel.addAndMakeVisible (caption);
    panel.addAndMakeVisible (nested);
    panel.addAndMakeVisible (last);
    nested->addAndMakeVisible (new LoggingControl ("inner1", log));
    nested->addAndMakeVisible (new LoggingControl ("inner2", log));

    panel.update();

    EXPECT_EQ (log, (Log { "last", "nested", "inner2", "inner1", "first" }));

    // Front-most means z-order, not the order of adding.
    log.clear();
    first->toFront (false);
    panel.update();
    EXPECT_EQ (log.front(), "first");
}

TEST (SxComponentTest, DeletesOwnedChildrenAndReleasesBorrowedOnes)
{
    juce::Component page ("page");              // shown by the container, owned elsewhere
    juce::Component::SafePointer<juce::Component> owned;

    {
        SxComponent container ("container");
        owned = new juce::Component ("owned");
        container.addAndMakeVisible (owned.getComponent());
        container.addBorrowedChild (page);
        EXPECT_TRUE (container.isBorrowedChild (page));
    }

    EXPECT_EQ (owned.getComponent(), nullptr);
    EXPECT_EQ (page.getParentComponent(), nullptr);
}

TEST (SxComponentTest, ABorrowedChildDeletedByItsOwnerFirstIsNotTouched)
{
    SxComponent container ("container");
    auto tool = std::make_unique<juce::Component> ("tool");
    container.addBorrowedChild (*tool);
    tool.reset();
    EXPECT_EQ (container.getNumChildComponents(), 0);
}   // container's destructor runs over a dead weak reference

TEST (SxComponentTest, RemovedBorrowedChildCanBeHandedOverForGood)
{
    auto* page = new juce::Component ("page");
    juce::Component::SafePointer<juce::Component> watch (page);

    {
        SxComponent container ("container");
        container.addBorrowedChild (*page);
        container.removeBorrowedChild (*page);
        EXPECT_FALSE (container.isBorrowedChild (*page));
        container.addAndMakeVisible (page);     // now owned
    }

    EXPECT_EQ (watch.getComponent(), nullptr);
}

TEST (SxDeleteChildrenComponentTest, DeletesWhatItStillHoldsAndNothingTakenOut)
{
    juce::Component::SafePointer<juce::Component> held, taken;
    auto keep = std::make_unique<juce::Component> ("taken");
    taken = keep.get();

    {
        SxDeleteChildrenComponent grid ("insideComponent");
        held = new juce::Component ("held");
        grid.addAndMakeVisible (held.getComponent());
        grid.addAndMakeVisible (keep.get());
        grid.removeChildComponent (keep.get());
    }

    EXPECT_EQ (held.getComponent(), nullptr);
    EXPECT_NE (taken.getComponent(), nullptr);
}

TEST (SxLabelTest, TextWidthIsTheCutTextWidthPlusTheLeftInset)
{
    SxLabel label ("caption", {});
    EXPECT_EQ (label.getName(), "caption");
    EXPECT_EQ (label.getTextWidth(), 5);

    label.setText ("Size", juce::dontSendNotification);
    const int word = label.getTextWidth();
    EXPECT_EQ (word, (int) label.getFont().getStringWidthFloat ("Size") + 5);

    label.setText ("Size ", juce::dontSendNotification);
    EXPECT_GT (label.getTextWidth(), word);     // the space counts

    label.setText ("Size", juce::dontSendNotification);
    label.setBorderSize ({ 1, 9, 1, 2 });
    EXPECT_EQ (label.getTextWidth(), word - 5 + 9);
}

TEST (SxLabelTest, DestroyedWhileBeingEditedFreesTheEditorOnce)
{
    auto label = std::make_unique<SxLabel> ("name", "Watercolour");
    label->setSize (200, 24);
    label->setEditable (true);
    label->showEditor();
    ASSERT_NE (label->getCurrentTextEditor(), nullptr);
    label->addAndMakeVisible (new juce::Component ("extra"));
    label.reset();   // the sanitizer build catches a second delete of the editor
}

TEST (SxColorComponentTest, ColourWordsHoldAlphaRedGreenBlueInMemoryOrder)
{
    struct Case { juce::uint32 word; juce::Colour colour; };
    const Case cases[] = {
        { 0x343434FFu, juce::Colour (52, 52, 52) },
        { 0xFFFFFFFFu, juce::Colours::white },
        { 0x804020FFu, juce::Colour ((juce::uint8) 0x20, 0x40, 0x80, (juce::uint8) 0xFF) },
        { 0x00000080u, juce::Colour ((juce::uint8) 0, 0, 0, (juce::uint8) 0x80) },
    };

    for (const auto& c : cases)
    {
        EXPECT_EQ (SxColorComponent::colourFromWord (c.word), c.colour) << std::hex << c.word;
        EXPECT_EQ (SxColorComponent::wordFromColour (c.colour), c.word) << std::hex << c.word;
    }

    SxColorComponent panel;
    EXPECT_EQ (panel.getColourWord(), 0xFFFFFFFFu);
    EXPECT_EQ (panel.getName(), juce::String());
}

TEST (SxColorComponentTest, NewColourShowsOnlyAfterTheNextRepaint)
{
    juce::Component parent;
    parent.setSize (20, 20);
    SxColorComponent panel;
    parent.addAndMakeVisible (panel);
    panel.setBounds (parent.getLocalBounds());
    panel.setColour (0x343434FFu);
    panel.setBufferedToImage (true);   // keeps what it painted until asked to repaint

    EXPECT_EQ (pixel (parent.createComponentSnapshot (parent.getLocalBounds()), 10, 10), juce::Colour (52, 52, 52));

    panel.setColour (0x0000FFFFu);
    EXPECT_EQ (pixel (parent.createComponentSnapshot (parent.getLocalBounds()), 10, 10), juce::Colour (52, 52, 52));

    panel.repaint();
    EXPECT_EQ (pixel (parent.createComponentSnapshot (parent.getLocalBounds()), 10, 10), juce::Colour (255, 0, 0));
}

TEST (PaintedBasesTest, FramesDrawTheirLinesAndLeaveTheInsideAlone)
{
    const auto turquoise = juce::Colour (78, 191, 208);
    const auto none = juce::Colours::transparentBlack;

    struct Case
    {
        const char* name;
        std::function<std::unique_ptr<juce::Component>()> make;
        std::vector<juce::Colour> diagonal;   // pixels (0, 0), (1, 1), ... along the top-left corner
    };

    const std::vector<Case> cases = {
        { "SxBorderComponent", [] { return std::make_unique<SxBorderComponent> (juce::Colours::orange); },
          { juce::Colours::orange, juce::Colours::black, none } },
        { "WhiteTurquoiseBorderComponent", [] { return std::make_unique<WhiteTurquoiseBorderComponent>(); },
          { juce::Colours::white, turquoise, none } },
        { "WhiteTurquoiseThickBorderComponent", [] { return std::make_unique<WhiteTurquoiseThickBorderComponent>(); },
          { juce::Colours::white, juce::Colours::white, turquoise, turquoise, none } },
    };

    for (const auto& c : cases)
    {
        auto frame = c.make();
        frame->setSize (40, 30);
        const auto image = frame->createComponentSnapshot (frame->getLocalBounds());

        for (int i = 0; i < (int) c.diagonal.size(); ++i)
        {
            EXPECT_EQ (pixel (image, i, i), c.diagonal[(size_t) i]) << c.name << " at " << i;
            // The bottom-right corner mirrors the top-left one.
            EXPECT_EQ (pixel (image, 39 - i, 29 - i), c.diagonal[(size_t) i]) << c.name << " at -" << i;
        }
    }
}

TEST (PaintedBasesTest, TwoToneFramesLetClicksThroughToWhatTheyFrame)
{
    WhiteTurquoiseBorderComponent thin;
    WhiteTurquoiseThickBorderComponent thick;

    for (juce::Component* frame : { (juce::Component*) &thin, (juce::Component*) &thick })
    {
        bool self = true, children = true;
        frame->getInterceptsMouseClicks (self, children);
        EXPECT_FALSE (self);
        EXPECT_FALSE (children);
    }
}

TEST (PaintedBasesTest, ColorComponentIsTransparentUntilItsOwnerSetsAColour)
{
    ColorComponent fill;
    fill.setSize (8, 8);
    EXPECT_EQ (pixel (fill.createComponentSnapshot (fill.getLocalBounds()), 4, 4), juce::Colours::transparentBlack);

    fill.colour = juce::Colour (32, 32, 32);
    EXPECT_EQ (pixel (fill.createComponentSnapshot (fill.getLocalBounds()), 4, 4), juce::Colour (32, 32, 32));
}
