#include "TestFonts.h"
#include "XErrors.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <gtest/gtest.h>

#include <cstdlib>

namespace
{
    /** Starts the framework's GUI side once for the whole test program. Listing the tests
        runs no environment, so test discovery needs no display. */
    class GuiTestEnvironment : public ::testing::Environment
    {
    public:
        void SetUp() override
        {
            if (std::getenv ("DISPLAY") == nullptr)
                GTEST_FAIL() << "The GUI tests need an X display: run them under xvfb-run -a";

            sxgui::ignoreXErrors();
            juce::initialiseJuce_GUI();
            juce::MessageManager::getInstance()->setCurrentThreadAsMessageThread();
            sxgui::pinFonts (juce::LookAndFeel::getDefaultLookAndFeel());
        }

        void TearDown() override
        {
            juce::shutdownJuce_GUI();
        }
    };

    // Linked as an object file into every GUI test program, so this registration always runs.
    [[maybe_unused]] ::testing::Environment* const environment
        = ::testing::AddGlobalTestEnvironment (new GuiTestEnvironment);
}
