#include "TestFonts.h"
#include "XErrors.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace
{
    /** Starts the framework's GUI side once for the whole test program. Listing the tests
        runs no environment, so test discovery needs no display. */
    class GuiTestEnvironment : public ::testing::Environment
    {
        /** CTest names the display it gave this test ("id:d12,slots:1" is display :12). */
        static void useAssignedDisplay()
        {
            const char* assigned = std::getenv ("CTEST_RESOURCE_GROUP_0_DISPLAYS");
            if (assigned == nullptr)
                return;

            const std::string text (assigned);
            const auto start = text.find ("id:d");
            if (start == std::string::npos)
                return;

            const auto end = text.find (',', start);
            const auto number = text.substr (start + 4, end == std::string::npos ? std::string::npos : end - start - 4);
            ::setenv ("DISPLAY", (":" + number).c_str(), 1);
        }

    public:
        void SetUp() override
        {
            useAssignedDisplay();

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
