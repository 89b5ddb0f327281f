#pragma once

#include <juce_core/juce_core.h>

class SxNamingDialog;

/** Receives the name typed into a naming dialog, after the dialog has slid away. The dialog
    is deleted right after nameEntered returns: tell dialogs apart by their component name
    and keep no pointer. */
class SxNamingDialogCallback
{
public:
    virtual ~SxNamingDialogCallback() = default;

    /** name holds only letters, digits, '_', '-' and blanks, at most 20 of them; a name of
        blanks only comes as the empty text. */
    virtual void nameEntered (juce::String name, SxNamingDialog* dialog) = 0;
};
