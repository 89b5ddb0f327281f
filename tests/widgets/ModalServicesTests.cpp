#include "HostedTest.h"
#include "SxComponent.h"

namespace
{
    enum class Act { enter, exit, remove };

    struct Step
    {
        Act act;
        char which;          // 'A', 'B' or '-' for none
        bool alert;          // for enter
        int modalCount;      // expected afterwards
        bool toolbarEnabled;
        bool alertOnBlockedInput;
    };

    class ModalServicesTest : public sxgui::HostedTest
    {
    protected:
        void run (const std::vector<Step>& steps)
        {
            juce::Component::SafePointer<SxComponent> a (new SxComponent ("A")), b (new SxComponent ("B"));
            for (auto* c : { a.getComponent(), b.getComponent() })
            {
                host.addAndMakeVisible (c);
                c->setBounds (100, 100, 200, 100);
            }

            int index = 0;
            for (const auto& s : steps)
            {
                juce::Component* c = s.which == 'A' ? a.getComponent() : s.which == 'B' ? b.getComponent() : nullptr;

                switch (s.act)
                {
                    case Act::enter:  host.enterModal (c, s.alert); break;
                    case Act::exit:   host.exitModal (c); break;
                    case Act::remove: delete c; break;
                }

                SCOPED_TRACE (testing::Message() << "step " << index++);
                EXPECT_EQ (juce::Component::getNumCurrentlyModalComponents(), s.modalCount);
                EXPECT_EQ (host.isToolbarEnabled(), s.toolbarEnabled);
                EXPECT_EQ (host.alertOnBlockedInput(), s.alertOnBlockedInput);
            }
        }
    };
}

TEST_F (ModalServicesTest, NestedEnterAndExitKeepTheToolbarOffUntilTheLastAndRestoreTheFrontChoice)
{
    run ({
        { Act::enter, 'A', true,  1, false, true  },
        { Act::enter, 'B', false, 2, false, false },
        { Act::exit,  'B', false, 1, false, true  },   // A's choice holds again
        { Act::exit,  'B', false, 1, false, true  },   // no longer modal: only the toolbar step
        { Act::exit,  'A', false, 0, true,  true  },
        { Act::exit,  '-', false, 0, true,  true  },
    });
}

TEST_F (ModalServicesTest, ClosingAModalBehindTheFrontOneKeepsTheFrontChoice)
{
    run ({
        { Act::enter, 'A', false, 1, false, false },
        { Act::enter, 'B', true,  2, false, true  },
        { Act::exit,  'A', false, 1, false, true  },
        { Act::exit,  'B', false, 0, true,  true  },
    });
}

TEST_F (ModalServicesTest, AModalDeletedWithoutExitLeavesNoStaleChoice)
{
    run ({
        { Act::enter,  'A', true,  1, false, true  },
        { Act::enter,  'B', false, 2, false, false },
        { Act::remove, 'B', false, 1, false, true  },
        { Act::exit,   'A', false, 0, true,  true  },
    });
}

TEST_F (ModalServicesTest, EnterModalTakesNoFocusAndExitEndsAModalLoopWithOne)
{
    auto* focused = new juce::TextEditor ("field");
    host.addAndMakeVisible (focused);
    focused->setBounds (10, 60, 100, 24);
    focused->grabKeyboardFocus();

    auto* panel = new SxComponent ("panel");
    host.addAndMakeVisible (panel);
    panel->setBounds (200, 200, 100, 100);

    int result = 0;
    host.enterModal (panel, true);
    juce::ModalComponentManager::getInstance()->attachCallback (panel, juce::ModalCallbackFunction::create ([&result] (int r) { result = r; }));
    EXPECT_TRUE (panel->isCurrentlyModal (true));
    EXPECT_FALSE (panel->hasKeyboardFocus (true));

    host.exitModal (panel);
    sxgui::drainMessages();   // the framework reports the result asynchronously
    EXPECT_EQ (result, 1);
    EXPECT_EQ (host.toolbarCalls, juce::StringArray ({ "disable", "enable" }));
}
