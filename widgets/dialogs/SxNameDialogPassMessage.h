#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class SxNamingDialog;

/** Carries a naming dialog's name to the message loop: on delivery the document canvas takes
    the keyboard focus, the dialog's callback hears nameEntered, and the dialog is deleted.
    A dialog deleted meanwhile (the window closing) is skipped. */
class SxNameDialogPassMessage : public juce::CallbackMessage
{
public:
    SxNameDialogPassMessage (SxNamingDialog& dialog, const juce::String& name);

    void messageCallback() override;

    juce::Component::SafePointer<SxNamingDialog> dialog;
    const juce::String name;
};
