#include "HostedTest.h"
#include "SxMainLookAndFeel.h"
#include "TestFonts.h"

#include <functional>

namespace
{
    // Menus draw their items over their white background.
    const juce::Colour backdrop (255, 255, 255);

    /** What the look-and-feel paints into a w x h picture over a white backdrop. */
    juce::Image paint (int w, int h, const std::function<void (juce::Graphics&)>& body, juce::Colour under = backdrop)
    {
        juce::Image image (juce::Image::ARGB, w, h, true);
        juce::Graphics g (image);
        g.fillAll (under);
        body (g);
        return image;
    }

    bool samePixels (const juce::Image& a, const juce::Image& b)
    {
        if (a.getBounds() != b.getBounds())
            return false;

        for (int y = 0; y < a.getHeight(); ++y)
            for (int x = 0; x < a.getWidth(); ++x)
                if (a.getPixelAt (x, y) != b.getPixelAt (x, y))
                    return false;

        return true;
    }

    /** Rows of area holding a pixel that test accepts. */
    juce::Range<int> rowsWhere (const juce::Image& image, juce::Rectangle<int> area,
                                const std::function<bool (juce::Colour)>& test)
    {
        int first = -1, last = -1;
        for (int y = area.getY(); y < area.getBottom(); ++y)
            for (int x = area.getX(); x < area.getRight(); ++x)
                if (test (image.getPixelAt (x, y)))
                {
                    if (first < 0)
                        first = y;
                    last = y;
                    break;
                }

        return first < 0 ? juce::Range<int>() : juce::Range<int> (first, last + 1);
    }

    int countWhere (const juce::Image& image, juce::Rectangle<int> area, const std::function<bool (juce::Colour)>& test)
    {
        int n = 0;
        for (int y = area.getY(); y < area.getBottom(); ++y)
            for (int x = area.getX(); x < area.getRight(); ++x)
                n += test (image.getPixelAt (x, y)) ? 1 : 0;
        return n;
    }

    bool isNear (juce::Colour a, juce::Colour b, int tolerance = 1)
    {
        return std::abs (a.getRed() - b.getRed()) <= tolerance && std::abs (a.getGreen() - b.getGreen()) <= tolerance
            && std::abs (a.getBlue() - b.getBlue()) <= tolerance && std::abs (a.getAlpha() - b.getAlpha()) <= tolerance;
    }

    bool isRed (juce::Colour c)    { return c.getRed() > 200 && c.getGreen() < 60 && c.getBlue() < 60; }
    bool isDark (juce::Colour c)   { return c.getBrightness() < 0.5f && c.getSaturation() < 0.3f; }

    struct BarModel : public juce::MenuBarModel
    {
        juce::StringArray getMenuBarNames() override                          { return { "File", "Edit" }; }
        juce::PopupMenu getMenuForIndex (int, const juce::String&) override   { return {}; }
        void menuItemSelected (int, int) override                             {}
    };

    class MainLookAndFeelTest : public ::testing::Test
    {
    protected:
        MainLookAndFeelTest()  { sxgui::pinFonts (lf); }

        struct Item
        {
            bool separator = false, active = true, highlighted = false, ticked = false, subMenu = false;
            juce::String text, shortcut;
            const juce::Drawable* icon = nullptr;
        };

        juce::Image paintItem (int w, int h, const Item& item)
        {
            return paint (w, h, [&] (juce::Graphics& g)
            {
                lf.drawPopupMenuItem (g, { w, h }, item.separator, item.active, item.highlighted, item.ticked,
                                      item.subMenu, item.text, item.shortcut, item.icon, nullptr);
            });
        }

        /** A solid red square of side pixels, as a menu icon. */
        static std::unique_ptr<juce::Drawable> redSquare (float side)
        {
            auto square = std::make_unique<juce::DrawableRectangle>();
            square->setRectangle (juce::Parallelogram<float> (juce::Rectangle<float> (side, side)));
            square->setFill (juce::Colours::red);
            return square;
        }

        SxMainLookAndFeel lf;
    };

    /** A two-item menu bar drawn with the look-and-feel. */
    class MainLookAndFeelMenuBarTest : public MainLookAndFeelTest
    {
    protected:
        MainLookAndFeelMenuBarTest()
        {
            bar.setLookAndFeel (&lf);
            bar.setBounds (0, 0, 200, 24);
        }

        ~MainLookAndFeelMenuBarTest() override  { bar.setLookAndFeel (nullptr); }

        BarModel model;
        juce::MenuBarComponent bar { &model };
    };
}

TEST_F (MainLookAndFeelTest, MenuBackgroundIsPlainWithAStripeOnEveryThirdRowAndNoOutline)
{
    const auto white = juce::Colour (0xffffffff);
    const auto stripe = white.overlaidWith (juce::Colour (0x2badd8e6));

    const auto seven = paint (12, 7, [this] (juce::Graphics& g) { lf.drawPopupMenuBackground (g, 12, 7); });
    for (int y = 0; y < 7; ++y)
        for (int x : { 0, 5, 11 })
            EXPECT_EQ (seven.getPixelAt (x, y), y % 3 == 0 ? stripe : white) << x << ", " << y;

    // A menu of no height gets its fill and no stripe row.
    const auto none = paint (12, 6, [this] (juce::Graphics& g) { lf.drawPopupMenuBackground (g, 12, 0); });
    EXPECT_EQ (countWhere (none, none.getBounds(), [white] (juce::Colour c) { return c != white; }), 0);
}

TEST_F (MainLookAndFeelTest, ASeparatorLooksTheSameInEveryState)
{
    const auto icon = redSquare (10.0f);
    Item separator;
    separator.separator = true;
    const auto reference = paintItem (80, 10, separator);

    // Two hairlines across the middle, 5 pixels in from the ends; nothing else.
    EXPECT_GT (countWhere (reference, { 6, 4, 68, 3 }, [] (juce::Colour c) { return c != backdrop; }), 60);
    EXPECT_EQ (countWhere (reference, { 0, 0, 80, 3 }, [] (juce::Colour c) { return c != backdrop; }), 0);
    EXPECT_EQ (countWhere (reference, { 0, 0, 4, 10 }, [] (juce::Colour c) { return c != backdrop; }), 0);

    for (int state = 1; state < 32; ++state)
    {
        Item other = separator;
        other.active = (state & 1) == 0;
        other.highlighted = (state & 2) != 0;
        other.ticked = (state & 4) != 0;
        other.subMenu = (state & 8) != 0;
        if ((state & 16) != 0)
        {
            other.text = "Hidden";
            other.shortcut = "Ctrl+H";
            other.icon = icon.get();
        }
        EXPECT_TRUE (samePixels (paintItem (80, 10, other), reference)) << "state " << state;
    }
}

TEST_F (MainLookAndFeelTest, AnInactiveHighlightedItemKeepsTheFullHighlightAndFadesItsText)
{
    const auto highlight = backdrop.overlaidWith (juce::Colour (0x991111aa));
    const juce::Rectangle<int> textArea (25, 2, 70, 16);

    for (bool active : { true, false })
    {
        Item item;
        item.highlighted = true;
        item.active = active;
        item.text = "MMMMMM";
        const auto image = paintItem (100, 20, item);

        // The highlight fills the item less one pixel all round.
        EXPECT_TRUE (isNear (image.getPixelAt (1, 1), highlight)) << active;
        EXPECT_TRUE (isNear (image.getPixelAt (98, 18), highlight)) << active;
        EXPECT_EQ (image.getPixelAt (0, 0), backdrop) << active;
        EXPECT_EQ (image.getPixelAt (99, 10), backdrop) << active;

        // The text is white, or white at 0.3 over the highlight: its brightest green tells.
        int brightest = 0;
        for (int y = textArea.getY(); y < textArea.getBottom(); ++y)
            for (int x = textArea.getX(); x < textArea.getRight(); ++x)
                brightest = juce::jmax (brightest, (int) image.getPixelAt (x, y).getGreen());

        const int expected = active ? 255 : juce::roundToInt (highlight.getGreen() + (255 - highlight.getGreen()) * 0.3f);
        EXPECT_NEAR (brightest, expected, 3) << active;
    }
}

TEST_F (MainLookAndFeelTest, TheMenuFontIsCutToAFitLowItems)
{
    const auto inkHeight = [this] (int h)
    {
        Item item;
        item.text = "Hg";
        const auto image = paintItem (120, h, item);
        return rowsWhere (image, image.getBounds(), isDark).getLength();
    };

    // 13 / 1.3 = 10: the glyphs of "Hg" (cap height and descender) fit in 10 rows; in a tall
    // item the menu font keeps its own 17 pixels.
    EXPECT_GT (inkHeight (13), 4);
    EXPECT_LE (inkHeight (13), 10);
    EXPECT_GE (inkHeight (40), 14);
}

TEST_F (MainLookAndFeelTest, IconsShowOnlyInItemsHigherThanEightPixels)
{
    const auto icon = redSquare (40.0f);
    const std::pair<int, bool> cases[] = { { 4, false }, { 8, false }, { 12, true }, { 24, true } };

    for (auto [height, visible] : cases)
    {
        Item item;
        item.icon = icon.get();
        item.text = "Layer";
        const auto image = paintItem (120, height, item);
        EXPECT_EQ (countWhere (image, image.getBounds(), isRed) > 0, visible) << height;
    }

    // A larger icon is reduced into the box (1 in, then 3 in, 5 / 4 of the inner height wide).
    Item item;
    item.icon = icon.get();
    const auto image = paintItem (120, 24, item);
    const auto redRows = rowsWhere (image, image.getBounds(), isRed);
    EXPECT_EQ (redRows.getStart(), 4);
    EXPECT_EQ (redRows.getEnd(), 20);
}

TEST_F (MainLookAndFeelTest, AnIconTakesThePlaceOfTheTick)
{
    const auto icon = redSquare (6.0f);
    const juce::Rectangle<int> leftColumn (0, 0, 30, 24);

    Item ticked;
    ticked.ticked = true;
    EXPECT_GT (countWhere (paintItem (120, 24, ticked), leftColumn, isDark), 10);

    Item both = ticked;
    both.icon = icon.get();
    const auto image = paintItem (120, 24, both);
    EXPECT_EQ (countWhere (image, leftColumn, isDark), 0);
    EXPECT_GT (countWhere (image, leftColumn, isRed), 20);
}

TEST_F (MainLookAndFeelTest, ShortcutsSitAtTheRightAndSubMenusGetAnArrow)
{
    Item plain;
    plain.text = "Open";
    const auto base = paintItem (200, 24, plain);
    const juce::Rectangle<int> rightEnd (140, 0, 60, 24);
    EXPECT_EQ (countWhere (base, rightEnd, isDark), 0);

    Item shortcut = plain;
    shortcut.shortcut = "Ctrl+O";
    EXPECT_GT (countWhere (paintItem (200, 24, shortcut), rightEnd, isDark), 10);

    // The arrow begins at W - 0.6 H = 185.6.
    Item subMenu = plain;
    subMenu.subMenu = true;
    const auto arrow = paintItem (200, 24, subMenu);
    EXPECT_GT (countWhere (arrow, { 186, 6, 10, 12 }, isDark), 5);
    EXPECT_EQ (countWhere (arrow, { 140, 0, 45, 24 }, isDark), 0);
}

TEST_F (MainLookAndFeelTest, ScrollArrowsPointTheirWay)
{
    for (bool up : { true, false })
    {
        const auto image = paint (60, 20, [this, up] (juce::Graphics& g) { lf.drawPopupMenuUpDownArrow (g, 60, 20, up); });

        // The arrow's wide end lies at 0.6 H going up, 0.3 H going down.
        const auto wideRow = up ? 11 : 6, tipRow = up ? 6 : 11;
        const auto grey = [] (juce::Colour c) { return c.getSaturation() < 0.2f && c.getBrightness() < 0.75f; };
        EXPECT_GT (countWhere (image, { 0, wideRow, 60, 1 }, grey), 8) << up;
        EXPECT_LT (countWhere (image, { 0, tipRow, 60, 1 }, grey), 4) << up;
    }
}

TEST_F (MainLookAndFeelMenuBarTest, MenuBarBackgroundShinesWhenEnabledIsFlatWhenDisabledAndEmptyWhenFlat)
{

    const juce::Colour magenta (255, 0, 255);
    const auto draw = [this, magenta] (int w, int h, int paintedH)
    {
        return paint (w, paintedH, [&] (juce::Graphics& g) { lf.drawMenuBarBackground (g, w, h, false, bar); }, magenta);
    };

    EXPECT_EQ (countWhere (draw (200, 0, 10), { 0, 0, 200, 10 }, [magenta] (juce::Colour c) { return c != magenta; }), 0);

    const auto enabled = draw (200, 24, 24);
    EXPECT_NE (enabled.getPixelAt (100, 2), enabled.getPixelAt (100, 21));   // the gloss
    EXPECT_NE (enabled.getPixelAt (100, 11), enabled.getPixelAt (100, 13));  // the step at the middle

    bar.setEnabled (false);
    const auto disabled = draw (200, 24, 24);
    const auto base = juce::Colour (0xffffffff).withMultipliedSaturation (0.9f);
    EXPECT_EQ (countWhere (disabled, disabled.getBounds(), [base] (juce::Colour c) { return c != base; }), 0);
}

TEST_F (MainLookAndFeelMenuBarTest, MenuBarItemsHighlightWhenOpenOrHoveredAndFadeWhenDisabled)
{
    const auto highlight = backdrop.overlaidWith (juce::Colour (0x991111aa));

    const auto item = [&] (bool over, bool open)
    {
        return paint (60, 24, [&] (juce::Graphics& g) { lf.drawMenuBarItem (g, 60, 24, 0, "File", over, open, false, bar); });
    };

    EXPECT_TRUE (isNear (item (true, false).getPixelAt (1, 1), highlight));
    EXPECT_TRUE (isNear (item (false, true).getPixelAt (1, 1), highlight));
    EXPECT_EQ (item (false, false).getPixelAt (1, 1), backdrop);
    EXPECT_GT (countWhere (item (false, false), { 0, 0, 60, 24 }, isDark), 10);

    // Disabled: no highlight even when open; the text at half strength.
    bar.setEnabled (false);
    const auto faded = item (true, true);
    EXPECT_EQ (faded.getPixelAt (1, 1), backdrop);
    EXPECT_EQ (countWhere (faded, { 0, 0, 60, 24 }, [] (juce::Colour c) { return c.getGreen() < 100; }), 0);
    EXPECT_GT (countWhere (faded, { 0, 0, 60, 24 }, [] (juce::Colour c) { return c.getGreen() < 160; }), 5);
}

TEST_F (MainLookAndFeelTest, TooltipsMeasureTheirTextPlusEightAndWrapLongTipsIntoEvenLines)
{
    int w = -1, h = -1;
    SxMainLookAndFeel::getTooltipSize ({}, w, h);
    EXPECT_EQ (w, 8);
    EXPECT_EQ (h, 8);

    SxMainLookAndFeel::getTooltipSize ("Open", w, h);
    const auto one = SxMainLookAndFeel::layoutTooltipText ("Open", juce::Colours::white);
    EXPECT_EQ (w, (int) (one.getWidth() + 8.0f));
    EXPECT_EQ (h, (int) (one.getHeight() + 8.0f));
    EXPECT_EQ (one.getNumLines(), 1);

    // A tip just over one line (a toolbar's) splits as evenly as one of several lines.
    for (const juce::String longTip : { "Use this to choose how much of the photograph is painted and how much is left as "
                                        "paper, from a few strokes to the whole picture.",
                                        "Zoom in to examine small details : keyboard (+)" })
    {
        const auto layout = SxMainLookAndFeel::layoutTooltipText (longTip, juce::Colours::white);
        SxMainLookAndFeel::getTooltipSize (longTip, w, h);
        EXPECT_LE (w, 308);
        ASSERT_GE (layout.getNumLines(), 2);

        float shortest = 1.0e9f, longest = 0.0f;
        for (int i = 0; i < layout.getNumLines(); ++i)
        {
            const auto width = layout.getLine (i).getLineBoundsX().getLength();
            shortest = juce::jmin (shortest, width);
            longest = juce::jmax (longest, width);
            EXPECT_LE (width, 300.0f);
            EXPECT_NEAR (layout.getLine (i).getLineBoundsX().getStart(), 0.0f, 1.0f);   // left-aligned
        }
        EXPECT_GT (shortest, longest * 0.6f) << longTip;   // balanced, not a long line and a stub
    }
}

TEST_F (MainLookAndFeelTest, TooltipsSitBesideThePointerInsideTheArea)
{
    int w = 0, h = 0;
    SxMainLookAndFeel::getTooltipSize ("Open Image", w, h);
    const juce::Rectangle<int> area (0, 0, 1600, 1000);

    struct Case { juce::Point<int> pointer, topLeft; };
    const Case cases[] = {
        { { 100, 100 },   { 124, 106 } },
        { { 1500, 100 },  { 1500 - (w + 12), 106 } },
        { { 100, 900 },   { 124, 900 - (h + 6) } },
        { { 1590, 995 },  { 1590 - (w + 12), 995 - (h + 6) } },
        { { 790, 10 },    { 814, 16 } },
        { { -50, -50 },   { 0, 0 } },                       // kept inside the area
    };

    for (auto& c : cases)
    {
        const auto bounds = lf.getTooltipBounds ("Open Image", c.pointer, area);
        EXPECT_EQ (bounds.getTopLeft(), c.topLeft) << c.pointer.toString();
        EXPECT_EQ (bounds.getWidth(), w);
        EXPECT_EQ (bounds.getHeight(), h);
    }
}

TEST_F (MainLookAndFeelTest, ATooltipIsDarkGreyFramedInWhiteWithWhiteText)
{
    const auto image = paint (120, 24, [this] (juce::Graphics& g) { lf.drawTooltip (g, "Save", 120, 24); });
    const juce::Colour fill (66, 66, 66);

    EXPECT_EQ (image.getPixelAt (0, 0), juce::Colours::white);
    EXPECT_EQ (image.getPixelAt (119, 12), juce::Colours::white);
    EXPECT_EQ (image.getPixelAt (60, 23), juce::Colours::white);
    EXPECT_EQ (image.getPixelAt (110, 12), fill);
    EXPECT_EQ (image.getPixelAt (2, 20), fill);

    // The text starts 4 pixels in and 3 down.
    const auto bright = [] (juce::Colour c) { return c.getBrightness() > 0.8f; };
    EXPECT_EQ (countWhere (image, { 1, 1, 3, 22 }, bright), 0);
    EXPECT_GT (countWhere (image, { 4, 3, 40, 16 }, bright), 10);
}

//==============================================================================
// Through the framework's own components.

class MainLookAndFeelHostedTest : public sxgui::HostedTest {};

TEST_F (MainLookAndFeelHostedTest, ATooltipWindowTakesItsSizeAndLookFromTheMainLookAndFeel)
{
    juce::TooltipWindow tips (&host, 800);
    tips.setLookAndFeel (&host.getMainLookAndFeel());
    tips.displayTip (host.localPointToGlobal (juce::Point<int> (100, 100)), "Open an image");
    sxgui::drainMessages();

    int w = 0, h = 0;
    SxMainLookAndFeel::getTooltipSize ("Open an image", w, h);
    EXPECT_TRUE (tips.isVisible());
    EXPECT_EQ (tips.getWidth(), w);
    EXPECT_EQ (tips.getHeight(), h);
    EXPECT_EQ (tips.getPosition(), juce::Point<int> (124, 106));

    const auto snapshot = tips.createComponentSnapshot (tips.getLocalBounds());
    EXPECT_EQ (snapshot.getPixelAt (w - 2, h - 2), juce::Colour (66, 66, 66));

    tips.hideTip();
    tips.setLookAndFeel (nullptr);
}

TEST_F (MainLookAndFeelHostedTest, PopupMenusDrawTheirBackgroundAndItemsThroughIt)
{
    juce::PopupMenu menu;
    menu.addItem (1, "Open Image");
    menu.addSeparator();
    menu.addItem (2, "Open Project", false);

    menu.showMenuAsync (juce::PopupMenu::Options().withParentComponent (&host)
                            .withTargetScreenArea (host.localAreaToGlobal (juce::Rectangle<int> (200, 200, 10, 10))));
    sxgui::drainMessages();

    // The menu's window is the child added last, in front of the host's own three.
    ASSERT_EQ (host.getNumChildComponents(), 4);
    auto* window = host.getChildComponent (3);
    const auto snapshot = window->createComponentSnapshot (window->getLocalBounds());
    const auto white = juce::Colour (0xffffffff);
    const auto stripe = white.overlaidWith (juce::Colour (0x2badd8e6));

    // Inside the frame a menu inside a component gets (LookAndFeel_V2's resizable frame,
    // 2 pixels), the background's stripes run from the top.
    for (int y = 2; y < 9; ++y)
        EXPECT_EQ (snapshot.getPixelAt (3, y), y % 3 == 0 ? stripe : white) << y;

    // The disabled item's text is faded to 0.3: nothing in its row is darker than 0.7 white.
    const auto darkest = [&snapshot] (juce::Rectangle<int> area)
    {
        int level = 255;
        for (int y = area.getY(); y < area.getBottom(); ++y)
            for (int x = area.getX(); x < area.getRight(); ++x)
                level = juce::jmin (level, (int) snapshot.getPixelAt (x, y).getGreen());
        return level;
    };
    const int rowHeight = (snapshot.getHeight() - 4) / 3;
    EXPECT_LT (darkest ({ 2, 2, snapshot.getWidth() - 4, rowHeight }), 60);
    EXPECT_GT (darkest ({ 2, snapshot.getHeight() - 2 - rowHeight, snapshot.getWidth() - 4, rowHeight }), 170);

    juce::PopupMenu::dismissAllActiveMenus();
    sxgui::drainMessages();
}
