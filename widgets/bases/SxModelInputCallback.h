#pragma once

namespace juce { class Component; }

/** Told that the user tried to use something outside a modal component.

    An SxComponent passes its input-outside-modal event here (its modalInputDelegate), so
    an owner can react to the click that closed a pop-up.
*/
class SxModelInputCallback
{
public:
    virtual ~SxModelInputCallback() = default;

    /** component is the modal component the input landed outside of. */
    virtual void modalInputAttempted (juce::Component* component) {}
};
