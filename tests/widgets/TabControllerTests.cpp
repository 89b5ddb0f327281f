#include "HostedTest.h"
#include "StandInLayers.h"
#include "SxImageComponent.h"
#include "SxLabel.h"
#include "SxMainTabComponentCallback.h"
#include "SxMainTabController.h"
#include "SxRelativeBounds.h"
#include "SxTabSegmentButton.h"
#include "SxTabSegmentController.h"
#include "SxTabTextAnimationComponent.h"
#include "SxWidgetArt.h"

namespace
{
    using Rect = juce::Rectangle<int>;
    using Message = SxTabTextAnimationComponent;

    struct PageLog : public SxMainTabComponentCallback
    {
        void pageShown (SxMainTabComponent* page) override  { shown.add (page->getPageName()); }
        juce::StringArray shown;
    };

    bool interceptsClicks (const juce::Component& c)
    {
        bool self = false, children = false;
        c.getInterceptsMouseClicks (self, children);
        return self || children;
    }


    /** The effect panel as the main component builds it: the tab row along its top, not
        centred, and the page host below it, each pointing to the other. */
    class TabTest : public sxgui::HostedTest
    {
    protected:
        void SetUp() override
        {
            HostedTest::SetUp();
            auto& panel = host.getEffectPanel();
            tabRow = new SxTabSegmentController();
            tabRow->centred = false;
            panel.addAndMakeVisible (tabRow);
            SxRelativeBounds::apply (*tabRow, "0, 0, parent.width, 30");
            pageHost = new SxMainTabController();
            panel.addAndMakeVisible (pageHost);
            SxRelativeBounds::apply (*pageHost, "0, 30, left + parent.width, parent.height");
            tabRow->host = pageHost;
            pageHost->tabRow = tabRow;
        }

        void showThreePages()
        {
            layer.makePages ({ "Adjust", "Ink", "Paper" });
            pageHost->showLayerPages (layer);
        }

        SxTabSegmentButton& tab (int index)  { return *tabRow->getTab (index); }

        /** Puts a button that counts its clicks at one spot of every page. */
        void addPageButtons()
        {
            for (int i = 0; i < 3; ++i)
            {
                auto* button = new juce::TextButton (layer.page (i).getPageName() + " button");
                button->onClick = [this, i] { ++clicks[i]; };
                layer.page (i).addAndMakeVisible (button);
                button->setBounds (20, 60, 120, 24);
                buttons[i] = button;
            }
        }

        std::vector<float> alphas() const
        {
            std::vector<float> result;
            for (int i = 0; i < pageHost->getNumPages(); ++i)
                result.push_back (pageHost->getPage (i)->getAlpha());
            return result;
        }

        /** The colour of the tab row's own picture (tabs included) at (x, y). */
        juce::Colour rowPixel (int x, int y)
        {
            return tabRow->createComponentSnapshot (tabRow->getLocalBounds(), true, 1.0f).getPixelAt (x, y);
        }

        SxTabSegmentController* tabRow = nullptr;
        SxMainTabController* pageHost = nullptr;
        StandInLayer layer;
        int clicks[3] = {};
        juce::TextButton* buttons[3] = {};
    };
}

//==============================================================================
TEST_F (TabTest, ThreeTabsOf24WithGap14MakeARow114WideWithTheHighlightBehindTheSelectedTab)
{
    showThreePages();

    ASSERT_NE (tabRow->getRow(), nullptr);
    EXPECT_TRUE (tabRow->getRow()->isVisible());
    EXPECT_EQ (tabRow->getRow()->getBounds(), Rect (0, 0, 114, 30));
    EXPECT_EQ (SxRelativeBounds::getExpression (*tabRow->getRow()), "0, 0, left + 114, top + parent.height");

    const int xs[] = { 7, 45, 83 };
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ (tab (i).getBounds(), Rect (xs[i], 3, 24, 24)) << "tab " << i;
        EXPECT_EQ (tab (i).getName(), juce::String (i));
        EXPECT_EQ (tab (i).message, layer.page (i).getPageName());
        EXPECT_EQ (tab (i).getTitle(), layer.page (i).getPageName()) << "a focused tab is announced by its page's name";
        EXPECT_EQ (tab (i).getParentComponent(), tabRow->getRow());
    }

    EXPECT_EQ (tabRow->getSelectedTab(), &tab (0));
    EXPECT_EQ (alphas(), std::vector<float> ({ 1.0f, 0.0f, 0.0f }));
    EXPECT_TRUE (layer.writes.empty()) << "showing a layer's pages remembers nothing";

    tabRow->selectTab (1, true, false);
    const juce::Colour highlight (52, 52, 52);
    EXPECT_EQ (rowPixel (37, 1).getAlpha(), 0);
    EXPECT_EQ (rowPixel (38, 1), highlight);
    EXPECT_EQ (rowPixel (75, 29), highlight);
    EXPECT_EQ (rowPixel (76, 1).getAlpha(), 0);
    EXPECT_EQ (alphas(), std::vector<float> ({ 0.0f, 1.0f, 0.0f }));

    SxTabSegmentController centredRow;
    for (int i = 0; i < 3; ++i)
    {
        auto* other = new SxTabSegmentButton ({});
        other->setPictures (SxWidgetArt::get (WidgetArt::pageTab), SxWidgetArt::get (WidgetArt::pageTabPressed));
        centredRow.addTab (other);
    }
    centredRow.setSize (256, 30);
    centredRow.buildRow();
    EXPECT_EQ (SxRelativeBounds::getExpression (*centredRow.getRow()), "(parent.width / 2) - (57), 0, left + 114, top + parent.height");
    EXPECT_EQ (centredRow.getRow()->getX(), 128 - 57);
}

TEST_F (TabTest, ALayerWithOnePageShowsNoTabsAndNoHighlight)
{
    layer.makePages ({ "Adjust" });
    pageHost->showLayerPages (layer);

    EXPECT_FALSE (tabRow->getRow()->isVisible());
    EXPECT_EQ (layer.page (0).getAlpha(), 1.0f);
    for (int x = 0; x < tabRow->getWidth(); x += 4)
        EXPECT_EQ (rowPixel (x, 1).getAlpha(), 0) << x;
}

TEST_F (TabTest, AClickShowsThePageRemembersItInTheLayerAndFloatsItsNameAboveTheTab)
{
    showThreePages();
    PageLog log;
    layer.page (2).callback = &log;
    const int childrenBefore = host.getNumChildComponents();

    input.click (tab (2));

    EXPECT_EQ (alphas(), std::vector<float> ({ 0.0f, 0.0f, 1.0f }));
    EXPECT_EQ (pageHost->getCurrentPage(), 2);
    EXPECT_EQ (layer.writes, std::vector<int> ({ 2 }));
    EXPECT_EQ (log.shown, juce::StringArray ({ "Paper" }));
    EXPECT_EQ (tabRow->getSelectedTab(), &tab (2));
    EXPECT_FALSE (interceptsClicks (tab (2))) << "the selected tab ignores the mouse";
    EXPECT_EQ (tab (2).getNormalImage(), tab (2).selectedImage);
    EXPECT_TRUE (interceptsClicks (tab (0)));
    EXPECT_EQ (tab (0).getNormalImage(), tab (0).normalImage);

    auto messages = tabRow->getMessages();
    ASSERT_EQ (messages.size(), 1u);
    juce::Component::SafePointer<Message> message (messages[0]);
    juce::Component::SafePointer<SxImageComponent> picture (message->getPicture());
    ASSERT_NE (picture, nullptr);
    EXPECT_EQ (picture->getParentComponent(), &host) << "floats in the main component";
    EXPECT_EQ (host.getNumChildComponents(), childrenBefore + 1);
    EXPECT_EQ (message->getLabel()->getText(), "Paper");
    EXPECT_FALSE (interceptsClicks (*picture));

    const auto tabArea = host.getLocalArea (tabRow->getRow(), tab (2).getBounds());
    EXPECT_EQ (picture->getBottom(), tabArea.getY() - 9);
    EXPECT_EQ (picture->getWidth(), message->getLabel()->getTextWidth() + 30);
    EXPECT_EQ (picture->getX(), tabArea.getCentreX() - picture->getWidth() / 2);
    EXPECT_EQ (picture->getHeight(), 20);

    // Fading in over 300 ms from transparent, then held until 1300 ms.
    EXPECT_TRUE (picture->isVisible());
    EXPECT_TRUE (message->getAnimator().isAnimating (picture.getComponent()));
    EXPECT_EQ (message->getTimerInterval (Message::holdTimerId), 1300);
    message->getAnimator().cancelAllAnimations (true);
    EXPECT_EQ (picture->getAlpha(), 1.0f);

    // Clicking the selected tab again does nothing at all.
    input.click (tab (2));
    EXPECT_EQ (tabRow->getMessages().size(), 1u);
    EXPECT_EQ (layer.writes.size(), 1u);

    ASSERT_TRUE (sxgui::fireTimer (*message, Message::holdTimerId));
    EXPECT_TRUE (message->isFadingOut());
    EXPECT_FALSE (picture->isVisible()) << "a proxy fades out in its place";
    EXPECT_EQ (message->getTimerInterval (Message::endTimerId), 350);

    ASSERT_TRUE (sxgui::fireTimer (*message, Message::endTimerId));
    EXPECT_EQ (message, nullptr) << "gone at 1650 ms";
    EXPECT_EQ (picture, nullptr);
    EXPECT_TRUE (tabRow->getMessages().empty());
    EXPECT_EQ (host.getNumChildComponents(), childrenBefore);
}

TEST_F (TabTest, TheMessageFadesInFromItsCurrentAlphaAndStaysInsideTheMainComponent)
{
    auto* message = new Message();
    juce::Component::SafePointer<Message> alive (message);
    message->setText ("Paper");
    auto* picture = message->getPicture();
    picture->setVisible (true);
    picture->setAlpha (0.5f);
    message->show (300);
    EXPECT_NEAR (picture->getAlpha(), 0.5f, 0.01f) << "not reset to transparent";

    juce::Component nearRight, nearLeft;
    host.addAndMakeVisible (nearRight);
    host.addAndMakeVisible (nearLeft);
    nearRight.setBounds (host.getWidth() - 10, 200, 10, 24);
    nearLeft.setBounds (0, 200, 10, 24);

    message->placeAbove (&nearRight, -5);
    EXPECT_EQ (picture->getRight(), host.getWidth());
    message->placeAbove (&nearLeft, -5);
    EXPECT_EQ (picture->getX(), 0);
    EXPECT_EQ (picture->getY(), 200 - 5 - 20 - 4);

    host.removeChildComponent (&nearRight);
    host.removeChildComponent (&nearLeft);

    // Someone else may delete the picture first.
    delete picture;
    EXPECT_EQ (message->getPicture(), nullptr);
    message->placeAbove (&host, -5);
    sxgui::fireTimer (*message, Message::holdTimerId);
    sxgui::fireTimer (*message, Message::endTimerId);
    EXPECT_EQ (alive, nullptr);
}

TEST_F (TabTest, AClickReachesTheShownPageUnderTransparentPagesAboveIt)
{
    showThreePages();
    addPageButtons();

    for (const int shown : { 0, 2, 1 })
    {
        pageHost->selectPage (shown, false);
        input.click (*buttons[shown]);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ (clicks[i], i == shown ? 1 : 0) << "page " << shown << " shown, button " << i;
        clicks[shown] = 0;
    }
}

TEST_F (TabTest, TabNeverWandersIntoATransparentPageAndFocusFollowsTheShownPage)
{
    showThreePages();
    addPageButtons();

    tab (1).grabKeyboardFocus();
    bool reachedShownPage = false;
    for (int i = 0; i < 12; ++i)
    {
        input.pressKey (juce::KeyPress (juce::KeyPress::tabKey));
        auto* focused = juce::Component::getCurrentlyFocusedComponent();
        EXPECT_NE (focused, buttons[1]);
        EXPECT_NE (focused, buttons[2]);
        reachedShownPage = reachedShownPage || focused == buttons[0];
    }
    EXPECT_TRUE (reachedShownPage);

    buttons[0]->grabKeyboardFocus();
    pageHost->selectPage (2, true);
    auto* focused = juce::Component::getCurrentlyFocusedComponent();
    EXPECT_TRUE (layer.page (2).isParentOf (focused)) << "focus moved into the page shown";

    // Focus outside the pages stays where it is.
    tab (0).grabKeyboardFocus();
    pageHost->selectPage (0, true);
    EXPECT_EQ (juce::Component::getCurrentlyFocusedComponent(), &tab (0));
}

TEST_F (TabTest, ReturnOnAFocusedTabSwitchesLikeAClick)
{
    showThreePages();
    tab (1).grabKeyboardFocus();
    EXPECT_TRUE (input.pressKey (juce::KeyPress (juce::KeyPress::returnKey)));
    sxgui::drainMessages();

    EXPECT_EQ (pageHost->getCurrentPage(), 1);
    EXPECT_EQ (layer.writes, std::vector<int> ({ 1 }));
    EXPECT_EQ (tabRow->getMessages().size(), 1u);
}

TEST_F (TabTest, AnIndexNamingNoPageIsIgnoredAndARefillFallsBackToTheFirstPage)
{
    layer.makePages ({ "Adjust", "Ink", "Paper" });
    layer.selectedControlTab = 5;   // stored while the layer had more pages
    pageHost->showLayerPages (layer);
    EXPECT_EQ (pageHost->getCurrentPage(), 0);
    EXPECT_EQ (alphas(), std::vector<float> ({ 1.0f, 0.0f, 0.0f }));
    EXPECT_EQ (layer.selectedControlTab, 5) << "only a click writes it";

    for (const int index : { 3, -1, 99 })
    {
        pageHost->selectPage (index, true);
        tabRow->selectTab (index, true, true);
    }
    EXPECT_EQ (pageHost->getCurrentPage(), 0);
    EXPECT_EQ (tabRow->getSelectedTab(), &tab (0));
    EXPECT_TRUE (layer.writes.empty());

    // A tab whose name no longer gives its index.
    tab (1).setName ("7");
    tabRow->buttonClicked (&tab (1));
    EXPECT_EQ (pageHost->getCurrentPage(), 0);
    EXPECT_TRUE (tabRow->getMessages().empty());

    // Without a tab row nobody selects the first page but the refill itself.
    SxMainTabController bare;
    StandInLayer other;
    other.makePages ({ "Adjust", "Ink" });
    other.selectedControlTab = 2;
    bare.showLayerPages (other);
    EXPECT_EQ (bare.getCurrentPage(), 0);
    EXPECT_EQ (other.page (0).getAlpha(), 1.0f);
    bare.clearPages();
}

TEST_F (TabTest, ALayerComesBackOnThePageChosenLastWithoutWritingIt)
{
    showThreePages();
    input.click (tab (1));
    pageHost->selectPage (2, false);
    EXPECT_EQ (layer.writes, std::vector<int> ({ 1 }));

    PageLog log;
    layer.page (1).callback = &log;
    pageHost->clearPages();
    EXPECT_EQ (pageHost->layer, nullptr);
    pageHost->showLayerPages (layer);
    EXPECT_EQ (pageHost->getCurrentPage(), 1);
    EXPECT_EQ (pageHost->layer, &layer);
    EXPECT_EQ (log.shown, juce::StringArray ({ "Ink" }));
    EXPECT_EQ (layer.writes, std::vector<int> ({ 1 }));

    pageHost->selectPage (1, true);
    pageHost->showPage (&layer.page (1));
    EXPECT_EQ (log.shown.size(), 1) << "the shown page again changes nothing";

    pageHost->showPage (&layer.page (2));
    EXPECT_EQ (pageHost->getCurrentPage(), 2);
    EXPECT_EQ (layer.writes, std::vector<int> ({ 1, 2 }));
    juce::Component stranger;
    pageHost->showPage (&stranger);
    EXPECT_EQ (pageHost->getCurrentPage(), 2);

    // The row's own selection of its selected tab puts its pictures on again and notifies.
    tab (2).showNormalLook();
    tabRow->selectTab (2, true, true);
    EXPECT_EQ (tab (2).getNormalImage(), tab (2).selectedImage);
}

TEST_F (TabTest, PagesAreOnlyShownTabsBelongToTheRowAndMessagesToTheRowThatMadeThem)
{
    showThreePages();
    juce::Component::SafePointer<SxTabSegmentButton> firstTab (&tab (0));
    input.click (tab (1));
    juce::Component::SafePointer<Message> message (tabRow->getMessages().front());

    pageHost->clearPages();
    EXPECT_EQ (firstTab, nullptr) << "clearing the row deletes its tabs";
    EXPECT_EQ (layer.page (0).getTabButton(), nullptr);
    EXPECT_EQ (layer.page (0).getParentComponent(), nullptr) << "the page is let go, not deleted";
    EXPECT_EQ (tabRow->getRow(), nullptr);

    pageHost->showLayerPages (layer);
    ASSERT_EQ (tabRow->getNumTabs(), 3);
    EXPECT_EQ (tab (2).message, "Paper") << "a new tab for the same page";
    EXPECT_EQ (layer.page (2).getTabButton(), &tab (2));

    // A page deleted by its layer while shown: the host carries on without it.
    ASSERT_EQ (pageHost->getCurrentPage(), 1);
    layer.pages[1].reset();
    input.click (tab (0));
    EXPECT_EQ (pageHost->getCurrentPage(), 0);
    pageHost->selectPage (1, true);
    EXPECT_EQ (pageHost->getCurrentPage(), 0);
    input.click (tab (2));
    EXPECT_EQ (pageHost->getCurrentPage(), 2);

    delete pageHost;
    pageHost = nullptr;
    EXPECT_EQ (layer.page (0).getParentComponent(), nullptr);
    EXPECT_NE (message, nullptr);

    delete tabRow;
    tabRow = nullptr;
    EXPECT_EQ (message, nullptr) << "the row takes its running messages with it";
}
