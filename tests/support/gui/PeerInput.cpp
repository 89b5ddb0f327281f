#include "PeerInput.h"

#include "MessagePump.h"
#include "SxClock.h"

#include <stdexcept>

namespace sxgui
{
    PeerInput::PeerInput (juce::Component& w, juce::MouseInputSource::InputSourceType source)
        : window (w), sourceType (source)
    {
        jassert (window.getPeer() != nullptr);
    }

    juce::ComponentPeer& PeerInput::peer() const
    {
        auto* p = window.getPeer();

        if (p == nullptr)
            throw std::logic_error ("PeerInput needs a window on the desktop");

        return *p;
    }

    juce::Point<float> PeerInput::toPeer (juce::Component& target, juce::Point<int> position) const
    {
        return window.getLocalPoint (&target, position).toFloat();
    }

    void PeerInput::send (juce::Point<float> positionInPeer)
    {
        // The window system updates the global modifiers before it reports the event.
        juce::ModifierKeys::currentModifiers = juce::ModifierKeys::currentModifiers.withoutMouseButtons()
                                                                                  .withFlags (buttons.getRawFlags());
        peer().handleMouseEvent (sourceType, positionInPeer, buttons,
                                 juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
                                 (juce::int64) SxClock::getMillisecondCounter());
    }

    void PeerInput::moveTo (juce::Component& target)                          { moveTo (target, target.getLocalBounds().getCentre()); }
    void PeerInput::press (juce::Component& target)                           { press (target, target.getLocalBounds().getCentre()); }
    void PeerInput::release (juce::Component& target)                         { release (target, target.getLocalBounds().getCentre()); }
    void PeerInput::click (juce::Component& target)                           { click (target, target.getLocalBounds().getCentre()); }

    void PeerInput::moveTo (juce::Component& target, juce::Point<int> position)
    {
        send (toPeer (target, position));
    }

    void PeerInput::press (juce::Component& target, juce::Point<int> position)
    {
        const auto at = toPeer (target, position);
        send (at);
        buttons = juce::ModifierKeys (juce::ModifierKeys::leftButtonModifier);
        send (at);
    }

    void PeerInput::release (juce::Component& target, juce::Point<int> position)
    {
        buttons = {};
        send (toPeer (target, position));
    }

    void PeerInput::click (juce::Component& target, juce::Point<int> position)
    {
        // The target may be gone after the press (a pop-up closing): release where it was.
        const auto at = toPeer (target, position);
        press (target, position);
        buttons = {};
        send (at);
    }

    void PeerInput::drag (juce::Component& target, juce::Point<int> from, juce::Point<int> to, int steps)
    {
        const auto start = toPeer (target, from), end = toPeer (target, to);
        press (target, from);

        for (int i = 1; i <= steps; ++i)
            send (start + (end - start) * ((float) i / (float) steps));

        buttons = {};
        send (end);
    }

    bool PeerInput::dropFiles (juce::Component& target, const juce::StringArray& files)
    {
        return dropFiles (target, files, target.getLocalBounds().getCentre());
    }

    bool PeerInput::dropFiles (juce::Component& target, const juce::StringArray& files, juce::Point<int> position)
    {
        juce::ComponentPeer::DragInfo info;
        info.files = files;
        info.position = toPeer (target, position).toInt();
        return drop (info);
    }

    bool PeerInput::dropText (juce::Component& target, const juce::String& text)
    {
        juce::ComponentPeer::DragInfo info;
        info.text = text;
        info.position = toPeer (target, target.getLocalBounds().getCentre()).toInt();
        return drop (info);
    }

    bool PeerInput::drop (juce::ComponentPeer::DragInfo info)
    {
        auto& p = peer();
        p.handleDragMove (info);
        const bool taken = p.handleDragDrop (info);
        drainMessages();
        return taken;
    }

    bool PeerInput::pressKey (const juce::KeyPress& key)
    {
        return peer().handleKeyPress (key);
    }
}
