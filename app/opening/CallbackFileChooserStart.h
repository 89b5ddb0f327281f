#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class GenericAppComponent;

/** Posted by the open button, so that the image chooser opens once the click has been
    handled; delivered, it runs the main component's chooseAndOpenImage (nothing when the
    component has gone meanwhile). */
class CallbackFileChooserStart : public juce::CallbackMessage
{
public:
    explicit CallbackFileChooserStart (GenericAppComponent& owner);

    void messageCallback() override;

private:
    juce::Component::SafePointer<GenericAppComponent> owner;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CallbackFileChooserStart)
};
