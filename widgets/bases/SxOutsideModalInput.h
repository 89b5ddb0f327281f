#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

/** A modal component that hears about input landing outside it.

    The framework tells the current modal component about a press on a component it blocks
    (inputAttemptWhenModal) and then drops the release unseen; it treats a file drop the
    same way. A component with this mixin routes its inputAttemptWhenModal here:

        void inputAttemptWhenModal() override  { SxOutsideModalInput::reactToBlockedInput (*this); }

    and then receives inputAttemptOutsideModal
    - after a blocked press, once no mouse button is down any more. The press itself keeps
      the framework's reaction: the modal components come to the front and the
      look-and-feel's alert sounds (SxMainLookAndFeel decides whether it is heard);
    - at once for input without a button: a file or text dropped on a blocked component
      (the framework then delivers the drop when nothing blocks its target any more, else
      discards it), or keyboard focus moving onto a blocked component.

    SxComponent does this already; a kit class built on another framework class (a call-out
    box) adds the mixin and the one-line override.
*/
class SxOutsideModalInput
{
public:
    virtual ~SxOutsideModalInput() = default;

    /** The input outside this modal component is complete. Does nothing by default; a pop-up
        that closes on an outside click closes here and may delete itself. */
    virtual void inputAttemptOutsideModal() {}

    /** The body of inputAttemptWhenModal for a component with this mixin. pressReaction,
        when given, replaces the framework's reaction to the blocked press (a call-out box
        hides itself); it may delete the modal component. */
    static void reactToBlockedInput (juce::Component& modal, const std::function<void()>& pressReaction = {});
};
