#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

/** The modal "open one file" panel of the desktop.

    By default it runs a juce::FileChooser. Tests (and anything that must never open a
    window) install a runner in its place, which receives the same request.
*/
struct PlatformOpenPanel
{
    /** What the panel is asked to show. */
    struct Request
    {
        juce::String title;
        juce::File startFolder;
        /** Wildcard patterns separated by semicolons, e.g. "*.png;*.PNG". */
        juce::String patterns;
    };

    /** Returns the chosen file, or a default juce::File when the user cancels. */
    using Runner = std::function<juce::File (const Request&)>;

    /** Shows the panel (or the installed runner) and waits for the choice. */
    static juce::File chooseFile (const Request& request);

    /** Replaces the panel with a runner; an empty runner brings the real panel back. */
    static void setRunner (Runner runner);
};
