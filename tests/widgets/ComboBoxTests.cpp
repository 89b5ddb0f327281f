#include "HostedTest.h"
#include "SxComboBox.h"

namespace
{
    const juce::StringArray blendModes { "Normal", "Multiply", "Screen", "Overlay", "Darken", "Lighten", "Color Dodge",
                                         "Color Burn", "Soft Light", "Hard Light", "Difference", "Linear Light" };

    struct ComboLog : public juce::ComboBox::Listener
    {
        void comboBoxChanged (juce::ComboBox* box) override  { ids.add (box->getSelectedId()); }
        juce::Array<int> ids;
    };

    class ComboBoxTest : public sxgui::HostedTest
    {
    protected:
        void SetUp() override
        {
            HostedTest::SetUp();
            box = &add (new SxComboBox ("paintComboBox", 120), { 848, 300, 100, 17 });
            box->addItemList (blendModes, 1);
            box->addListener (&log);
        }

        void TearDown() override
        {
            box->hidePopup();
            sxgui::drainMessages();
            HostedTest::TearDown();
        }

        /** The popup's window while one is open inside the host. */
        juce::Component* popupWindow() const
        {
            auto* area = box->getPopupArea();
            return area != nullptr ? area->getChildComponent (0) : nullptr;
        }

        juce::Colour pixelOf (juce::Component& c, int x, int y)
        {
            return c.createComponentSnapshot (c.getLocalBounds()).getPixelAt (x, y);
        }

        ComboLog log;
        SxComboBox* box = nullptr;
    };
}

TEST_F (ComboBoxTest, OnlyTheFirstSelectionInCodeIsSilent)
{
    box->setSelectedId (3);
    sxgui::drainMessages();
    EXPECT_TRUE (log.ids.isEmpty());
    EXPECT_EQ (box->getText(), "Screen");

    box->setSelectedId (5);
    sxgui::drainMessages();
    EXPECT_EQ (log.ids, juce::Array<int> ({ 5 }));

    box->setSelectedId (6, juce::sendNotificationSync);
    EXPECT_EQ (log.ids, juce::Array<int> ({ 5, 6 }));

    box->setSelectedId (7, juce::dontSendNotification);
    box->setSelectedItemIndex (7);                           // "Color Burn", id 8
    sxgui::drainMessages();
    EXPECT_EQ (log.ids, juce::Array<int> ({ 5, 6, 8 }));
    EXPECT_EQ (box->getText(), "Color Burn");
}

TEST_F (ComboBoxTest, TheSameIdAgainDoesNothingAndAnUnknownIdShowsNoTextButIsKept)
{
    box->setSelectedId (2);
    box->setSelectedId (4);
    sxgui::drainMessages();
    log.ids.clear();

    box->setSelectedId (4);
    sxgui::drainMessages();
    EXPECT_TRUE (log.ids.isEmpty());

    box->setSelectedId (99);
    sxgui::drainMessages();
    EXPECT_EQ (box->getText(), "");
    EXPECT_EQ ((int) box->getSelectedIdAsValue().getValue(), 99);
    EXPECT_EQ (log.ids, juce::Array<int> ({ 0 }));           // no item has it

    box->setSelectedId (99);
    sxgui::drainMessages();
    EXPECT_EQ (log.ids.size(), 1);
}

TEST_F (ComboBoxTest, AUsersFirstPickOnABoxNeverSetInCodeIsReported)
{
    box->grabKeyboardFocus();
    ASSERT_TRUE (box->hasKeyboardFocus (false));

    EXPECT_TRUE (input.pressKey (juce::KeyPress (juce::KeyPress::downKey)));
    sxgui::drainMessages();
    EXPECT_EQ (box->getText(), "Normal");
    EXPECT_EQ (log.ids, juce::Array<int> ({ 1 }));

    input.pressKey (juce::KeyPress (juce::KeyPress::downKey));
    sxgui::drainMessages();
    input.pressKey (juce::KeyPress (juce::KeyPress::upKey));
    sxgui::drainMessages();
    EXPECT_EQ (log.ids, juce::Array<int> ({ 1, 2, 1 }));
}

TEST_F (ComboBoxTest, ThePopupOfTheTwelveModesIsAtMost120PixelsHighAndScrolls)
{
    box->setSelectedId (1);
    input.click (*box);
    sxgui::drainMessages();

    auto* popup = popupWindow();
    ASSERT_NE (popup, nullptr);
    ASSERT_TRUE (popup->isShowing());
    EXPECT_LE (popup->getHeight(), 120);
    EXPECT_GT (popup->getHeight(), 100);

    // Right below the box, at its left edge.
    const auto popupInHost = host.getLocalArea (popup, popup->getLocalBounds());
    EXPECT_EQ (popupInHost.getY(), box->getBottom());
    EXPECT_EQ (popupInHost.getX(), box->getX());

    // Twelve rows of the label's height do not fit: the last ones lie below the window.
    int itemsBottom = 0, items = 0;
    for (auto* item : popup->getChildren())
    {
        itemsBottom = juce::jmax (itemsBottom, item->getBottom());
        ++items;
    }

    EXPECT_EQ (items, 12);
    EXPECT_EQ (popup->getChildComponent (0)->getHeight(), box->getTextLabel()->getHeight());
    EXPECT_GT (itemsBottom, popup->getHeight());

    // Grey with white text, the current item highlighted.
    EXPECT_EQ (pixelOf (*popup, popup->getWidth() - 4, popup->getHeight() - 8), juce::Colour (65, 65, 65));
    EXPECT_EQ (pixelOf (*popup, popup->getWidth() - 4, popup->getChildComponent (0)->getBounds().getCentreY()),
               juce::Colour (119, 119, 119));
}

TEST_F (ComboBoxTest, AChoiceInThePopupSelectsAndNotifiesAndTheAreaGoes)
{
    box->setSelectedId (1);
    box->grabKeyboardFocus();
    input.pressKey (juce::KeyPress (juce::KeyPress::returnKey));
    sxgui::drainMessages();
    ASSERT_NE (popupWindow(), nullptr);

    input.pressKey (juce::KeyPress (juce::KeyPress::downKey));
    input.pressKey (juce::KeyPress (juce::KeyPress::downKey));
    input.pressKey (juce::KeyPress (juce::KeyPress::returnKey));
    sxgui::drainMessages();

    EXPECT_EQ (box->getText(), "Screen");
    EXPECT_EQ (log.ids, juce::Array<int> ({ 3 }));
    EXPECT_EQ (box->getPopupArea(), nullptr);
    EXPECT_FALSE (box->isPopupActive());
}

TEST_F (ComboBoxTest, TheLabelIsWhiteAndADisabledBoxShowsItsBackgroundOnly)
{
    box->setSelectedId (1);
    EXPECT_EQ (box->getTextLabel()->findColour (juce::Label::textColourId), juce::Colours::white);
    EXPECT_EQ (box->getTextLabel()->getBounds(), juce::Rectangle<int> (1, 1, 86, 15));
    // The selection shows in the plain sans-serif face, whatever the item is called.
    EXPECT_EQ (box->getTextLabel()->getFont().getTypefaceName(), juce::Font::getDefaultSansSerifFontName());
    EXPECT_EQ (box->getTextLabel()->getFont().getHeight(), 17.0f);

    // The arrows live right of the label: an arrow pixel while enabled, background once disabled.
    const auto arrowPixel = [this]
    {
        const auto image = box->createComponentSnapshot (box->getLocalBounds());
        int arrow = 0;
        for (int y = 0; y < image.getHeight(); ++y)
            for (int x = 87; x < image.getWidth(); ++x)
                arrow += image.getPixelAt (x, y) != juce::Colour (65, 65, 65);
        return arrow;
    };

    EXPECT_GT (arrowPixel(), 0);
    box->setEnabled (false);
    EXPECT_EQ (arrowPixel(), 0);
}

TEST (ComboBoxLook, IdealItemSizes)
{
    SxComboBoxLookAndFeel look;
    const auto width13 = juce::Font (13.0f).getStringWidth ("Linear Light");
    const auto width15 = juce::Font (15.0f / 1.3f).getStringWidth ("Linear Light");

    struct Case { bool separator; int standard; int width, height; };
    const Case cases[] = {
        { false, 15, width15 + 30, 15 },   // the font shrinks to the row
        { false, 0, width13 + 34, 17 },    // 13 x 1.3, rounded
        { false, 30, width13 + 60, 30 },
        { true, 15, 50, 7 },
        { true, 0, 50, 10 },
    };

    for (const auto& c : cases)
    {
        int w = 0, h = 0;
        look.getIdealPopupMenuItemSize ("Linear Light", c.separator, c.standard, w, h);
        EXPECT_EQ (w, c.width) << c.separator << " " << c.standard;
        EXPECT_EQ (h, c.height) << c.separator << " " << c.standard;
    }
}

TEST (ComboBoxLook, AMenuItemNeverShowsItsShortcut)
{
    SxComboBoxLookAndFeel look;
    const auto draw = [&look] (const juce::String& shortcut)
    {
        juce::Image image (juce::Image::ARGB, 200, 17, true);
        juce::Graphics g (image);
        look.drawPopupMenuItem (g, { 0, 0, 200, 17 }, false, true, false, false, false, "Normal", shortcut, nullptr, nullptr);
        return image;
    };

    const auto with = draw ("Ctrl+N"), without = draw ({});
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 200; ++x)
            ASSERT_EQ (with.getPixelAt (x, y), without.getPixelAt (x, y)) << x << ", " << y;
}
