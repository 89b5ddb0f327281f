#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

/** The program's own look-and-feel, made once by the main component, installed on it and made
    the framework's default. Everything it does not override is LookAndFeel_V2's.

    The alert for a press on a component blocked by the modal state is heard only while the
    main component allows it (SxMainComponentServices::alertOnBlockedInput).
*/
class SxMainLookAndFeel : public juce::LookAndFeel_V2
{
public:
    SxMainLookAndFeel();

    /** What a permitted alert does: rings the X bell unless replaced (tests count it). */
    std::function<void()> alertSound;

    void playAlertSound() override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxMainLookAndFeel)
};
