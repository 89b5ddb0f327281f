#pragma once

#include "EaseComponentAnimator.h"
#include "SxDialogPanelComponent.h"
#include "SxRoundRectangleButton.h"

class SxNamingDialogCallback;

/** Asks for a name: a 400 x 150 panel that slides down from above the main component (450 ms)
    with a caption, a one-line box that takes at most 20 letters, digits, '_', '-' and
    blanks (anything else typed or pasted is dropped), and "Ok" and "Cancel". Modal while
    shown; a press elsewhere sounds the alert.

    Return acts as "Ok" and Escape as "Cancel"; Tab moves between the box, "Ok" and
    "Cancel" (and round), and Return on a focused button presses that button. Clicks while it slides are ignored.
    A button slides it up (400 ms) and leaves the modal state at once. After "Cancel" it is
    deleted and nobody hears of it; after "Ok" it is emptied and the name travels in a posted
    SxNameDialogPassMessage, which tells namingCallback and then deletes the dialog.

    Construction adds it to the main component; nobody else deletes it. */
class SxNamingDialog : public SxDialogPanelComponent,
                       public juce::Button::Listener,
                       public juce::ChangeListener
{
public:
    static constexpr int maximumLength = 20;
    static constexpr const char* allowedCharacters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_- ";

    SxNamingDialog (const juce::String& componentName, SxNamingDialogCallback* callback, const juce::String& caption);
    ~SxNamingDialog() override;

    /** Receives the name; not owned. */
    SxNamingDialogCallback* namingCallback = nullptr;
    /** Slides the dialog; public so that a test or the gallery can drive it. */
    EaseComponentAnimator animator;

    bool keyPressed (const juce::KeyPress& key) override;
    void buttonClicked (juce::Button* button) override;
    /** The slide-up has ended. */
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;

    /** Null once the dialog has been emptied. */
    juce::TextEditor* getNameBox() const noexcept         { return nameBox; }
    juce::Button* getOkButton() const noexcept            { return okButton; }
    juce::Button* getCancelButton() const noexcept        { return cancelButton; }
    /** True from the press that closes it. */
    bool isClosing() const noexcept                       { return closing; }

    /** The name as the owner receives it: a name of blanks only is the empty text. */
    static juce::String deliveredName (const juce::String& typed);

private:
    juce::TextEditor* nameBox = nullptr;
    SxRoundRectangleButton* okButton = nullptr;
    SxRoundRectangleButton* cancelButton = nullptr;
    juce::Button* closingButton = nullptr;
    bool closing = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxNamingDialog)
};
