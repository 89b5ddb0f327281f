#include "HostedTest.h"
#include "SxInputCloseComponent.h"
#include "SxOutsideInputWatcher.h"

namespace
{
    struct DelegateLog : public SxModelInputCallback
    {
        void modalInputAttempted (juce::Component* c) override
        {
            attempts.add (c);
            if (onAttempt != nullptr)
                onAttempt (c);
        }

        juce::Array<juce::Component*> attempts;
        std::function<void (juce::Component*)> onAttempt;
    };

    /** Notes the presses that reach it. */
    struct Pad : public SxComponent
    {
        using SxComponent::SxComponent;
        void mouseDown (const juce::MouseEvent&) override  { ++presses; }
        int presses = 0;
    };

    class OutsideInputTest : public sxgui::HostedTest
    {
    protected:
        SxOutsideInputWatcher& watcher = *SxOutsideInputWatcher::getInstance();

        /** The about box: a pop-up that closes on a click outside it. */
        juce::WeakReference<juce::Component> openPopUp (SxModelInputCallback* delegate = nullptr)
        {
            auto* popUp = new SxInputCloseComponent ("aboutBox");
            popUp->modalInputDelegate = delegate;
            host.addAndMakeVisible (popUp);
            popUp->setBounds (300, 150, 400, 197);
            return popUp;
        }

        /** A panel that stays open (like an alert): modal through the main component. */
        SxComponent& openAlert (bool alertOnBlockedInput, SxModelInputCallback* delegate = nullptr)
        {
            auto* alert = new SxComponent ("alert");
            alert->modalInputDelegate = delegate;
            host.addAndMakeVisible (alert);
            alert->setBounds (300, 150, 400, 197);
            host.enterModal (alert, alertOnBlockedInput);
            return *alert;
        }
    };
}

TEST_F (OutsideInputTest, AToolbarReleaseClosesThePopUpAndNeverReachesTheToolbar)
{
    auto popUp = openPopUp();
    auto& button = host.getToolbarButton (0);
    ASSERT_FALSE (host.isToolbarEnabled());

    input.press (button);
    ASSERT_TRUE (watcher.isArmed());
    EXPECT_TRUE (sxgui::fireTimer (watcher));     // still held down: keeps waiting
    EXPECT_NE (popUp.get(), nullptr);
    EXPECT_TRUE (watcher.isArmed());

    input.release (button);
    EXPECT_NE (popUp.get(), nullptr);             // the release itself is dropped unseen...
    EXPECT_TRUE (sxgui::fireTimer (watcher));     // ...and the watcher closes the pop-up

    EXPECT_EQ (popUp.get(), nullptr);
    EXPECT_FALSE (watcher.isArmed());
    EXPECT_EQ (juce::Component::getNumCurrentlyModalComponents(), 0);
    EXPECT_TRUE (host.isToolbarEnabled());
    EXPECT_TRUE (host.toolbarMouseUps.isEmpty());
    EXPECT_TRUE (host.toolbarClicks.isEmpty());

    // Afterwards the toolbar works as usual.
    input.click (button);
    EXPECT_EQ (host.toolbarClicks, juce::StringArray ("getPhotoButton"));
}

TEST_F (OutsideInputTest, AClickInsideThePopUpKeepsItOpen)
{
    auto popUp = openPopUp();
    input.click (*popUp);
    EXPECT_FALSE (watcher.isArmed());
    EXPECT_NE (popUp.get(), nullptr);
}

TEST_F (OutsideInputTest, ADroppedFileClosesThePopUpAndThenReachesTheCanvas)
{
    auto popUp = openPopUp();

    EXPECT_TRUE (input.dropFiles (host.getCanvas(), { "/tmp/photo.jpg" }, { 40, 40 }));

    EXPECT_EQ (popUp.get(), nullptr);
    EXPECT_EQ (host.getCanvas().droppedFiles, juce::StringArray ("/tmp/photo.jpg"));
    EXPECT_TRUE (host.isToolbarEnabled());
}

TEST_F (OutsideInputTest, ADropWhileAnAlertStaysOpenIsDiscarded)
{
    DelegateLog delegate;
    auto& alert = openAlert (true, &delegate);

    input.dropFiles (host.getCanvas(), { "/tmp/photo.jpg" }, { 40, 40 });

    EXPECT_TRUE (host.getCanvas().droppedFiles.isEmpty());
    EXPECT_EQ (delegate.attempts, juce::Array<juce::Component*> ({ (juce::Component*) &alert }));
    EXPECT_TRUE (alert.isCurrentlyModal (true));
}

TEST_F (OutsideInputTest, ABlockedPressSoundsTheAlertOnlyWhenTheFrontModalAskedForIt)
{
    for (const bool alertOnBlockedInput : { false, true })
    {
        auto& alert = openAlert (alertOnBlockedInput);
        host.alertsSounded = 0;

        input.click (host.getToolbarButton (1));
        EXPECT_EQ (host.alertsSounded, alertOnBlockedInput ? 1 : 0) << alertOnBlockedInput;

        host.exitModal (&alert);
        delete &alert;
    }
}

TEST_F (OutsideInputTest, AnAlertUnderAClosedPopUpSoundsAgain)
{
    openAlert (true);
    auto popUp = openPopUp();

    input.click (host.getCanvas(), { 40, 40 });
    EXPECT_EQ (host.alertsSounded, 0);            // the pop-up in front asked for silence
    sxgui::fireTimer (watcher);
    ASSERT_EQ (popUp.get(), nullptr);

    input.click (host.getCanvas(), { 40, 40 });
    EXPECT_EQ (host.alertsSounded, 1);
    EXPECT_FALSE (host.isToolbarEnabled());       // the alert is still up
}

TEST_F (OutsideInputTest, TheDelegateHearsOfTheReleaseOnceAndMayDeleteThePopUpItself)
{
    DelegateLog delegate;
    auto popUp = openPopUp (&delegate);
    auto* popUpAddress = popUp.get();
    delegate.onAttempt = [] (juce::Component* c) { delete c; };

    input.click (host.getCanvas(), { 40, 40 });
    sxgui::fireTimer (watcher);                   // the sanitizer build catches a second delete

    EXPECT_EQ (delegate.attempts, juce::Array<juce::Component*> ({ popUpAddress }));
    EXPECT_EQ (popUp.get(), nullptr);
    EXPECT_TRUE (host.isToolbarEnabled());
}

TEST_F (OutsideInputTest, AWatcherOutlivingItsPopUpTouchesNothing)
{
    auto popUp = openPopUp();
    input.press (host.getCanvas(), { 40, 40 });
    ASSERT_TRUE (watcher.isArmed());

    host.exitModal (popUp.get());
    delete popUp.get();

    input.release (host.getCanvas(), { 40, 40 });
    EXPECT_TRUE (sxgui::fireTimer (watcher));
    EXPECT_FALSE (watcher.isArmed());
}

TEST_F (OutsideInputTest, EscapeClosesThePopUpLikeAClickOutside)
{
    DelegateLog delegate;
    auto popUp = openPopUp (&delegate);

    EXPECT_TRUE (input.pressKey (juce::KeyPress (juce::KeyPress::escapeKey)));

    EXPECT_EQ (popUp.get(), nullptr);
    EXPECT_EQ (delegate.attempts.size(), 1);
    EXPECT_TRUE (host.isToolbarEnabled());
}

TEST_F (OutsideInputTest, OtherKeysLeaveThePopUpOpen)
{
    auto popUp = openPopUp();
    input.pressKey (juce::KeyPress ('a', {}, 'a'));
    EXPECT_NE (popUp.get(), nullptr);
}

TEST_F (OutsideInputTest, AFullyTransparentComponentLetsTheClickThroughToTheOneBelow)
{
    auto* below = new Pad ("below");
    auto* faded = new Pad ("faded");
    for (auto* pad : { below, faded })
    {
        host.addAndMakeVisible (pad);
        pad->setBounds (20, 60, 80, 80);
    }

    faded->setAlpha (0.0f);
    input.click (*faded);
    EXPECT_EQ (below->presses, 1);
    EXPECT_EQ (faded->presses, 0);

    faded->setAlpha (0.05f);
    input.click (*faded);
    EXPECT_EQ (below->presses, 1);
    EXPECT_EQ (faded->presses, 1);
}
