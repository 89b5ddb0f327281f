#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace sxgui
{
    /** Sends input to a window through its peer, as the windowing system would, so the
        framework's real hit-testing, modal blocking, drag-and-drop and key routing run.

        Positions are given in the target component's coordinates (its centre when left
        out) and land wherever the window's hit-testing sends them, as a real pointer would.
        Event times come from SxClock, so a ManualClock also stamps them; with a stopped
        clock, two clicks at one spot count as a double click.

        Each PeerInput is one pointer. A second one of type pen presses and drags at the same
        time as the mouse (the framework has no touch sources on X11): two fingers.
    */
    class PeerInput
    {
    public:
        /** window must be on the desktop (it has a peer). */
        explicit PeerInput (juce::Component& window,
                            juce::MouseInputSource::InputSourceType source = juce::MouseInputSource::InputSourceType::mouse);

        void moveTo (juce::Component& target);
        void moveTo (juce::Component& target, juce::Point<int> position);

        /** Moves there and presses the left button. */
        void press (juce::Component& target);
        void press (juce::Component& target, juce::Point<int> position);

        /** Releases the left button there. */
        void release (juce::Component& target);
        void release (juce::Component& target, juce::Point<int> position);

        void click (juce::Component& target);
        void click (juce::Component& target, juce::Point<int> position);

        /** Press at from, steps moves with the button down, release at to. */
        void drag (juce::Component& target, juce::Point<int> from, juce::Point<int> to, int steps = 4);

        /** Drags files over the target and drops them; the framework delivers a drop
            asynchronously, so pending messages are dispatched before this returns. Returns
            whether the window took the drop (false when no target wanted it). */
        bool dropFiles (juce::Component& target, const juce::StringArray& files);
        bool dropFiles (juce::Component& target, const juce::StringArray& files, juce::Point<int> position);

        /** The same for dragged text. */
        bool dropText (juce::Component& target, const juce::String& text);

        /** A key press as the keyboard sends it (to the focused component, or to the modal
            component when that one is blocked); returns whether some component used it. */
        bool pressKey (const juce::KeyPress& key);

    private:
        juce::Component& window;
        juce::MouseInputSource::InputSourceType sourceType;
        juce::ModifierKeys buttons;

        juce::ComponentPeer& peer() const;
        juce::Point<float> toPeer (juce::Component& target, juce::Point<int> position) const;
        void send (juce::Point<float> positionInPeer);
        bool drop (juce::ComponentPeer::DragInfo info);
    };
}
