#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

/** "Save Project?": asked before a handed-over project replaces a document with unsaved
    changes. An alert window with "Yes", "No" and "Cancel", no icon, over the main
    component; it returns at once and the answer arrives later on the message thread.
    Return answers "Yes", Escape "Cancel".

    Tests (and anything that must never open a window) install a runner in place of the
    window; it answers for the user, and the answer still arrives from the message loop.

    Message thread only, except setRunner.
*/
class SaveProjectQuestion
{
public:
    enum class Answer
    {
        yes,
        no,
        cancel
    };

    static constexpr const char* title = "Save Project?";
    static constexpr const char* message = "You have unsaved changes. Would you like to save?";
    /** The alert window's component ID. */
    static constexpr const char* windowID = "saveProjectQuestion";

    using Runner = std::function<Answer()>;

    /** Shows the question over owner; handler receives the answer on the message thread,
        "Cancel" too when the window is closed some other way. */
    static void ask (juce::Component& owner, std::function<void (Answer)> handler);

    /** The question's window while it is shown, else null. */
    static juce::AlertWindow* findShowing();

    /** Replaces the window with a runner; an empty runner brings the window back. */
    static void setRunner (Runner runner);

private:
    SaveProjectQuestion() = delete;
};
