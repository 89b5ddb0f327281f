#pragma once

namespace juce { class Component; }

/** A control whose "enabled" is its own, not the framework's.

    The framework's Component::setEnabled greys a component out and blocks its input, and
    cannot be overridden. A control that means something else by enabling (a segment row
    that stops taking clicks yet keeps its look) opts in by deriving from this interface:

        class SegmentController : public juce::Component, public SxEnablementOverride
        {
        public:
            void setEnabled (bool shouldBeEnabled) override;   // hides Component::setEnabled
        };

    Code holding the control by its own type reaches the override directly. Code that holds
    only a juce::Component (every "enable the control named ..." path, which finds controls
    by component name) calls sxSetEnabled, which dispatches to the override when there is
    one and to Component::setEnabled otherwise.
*/
class SxEnablementOverride
{
public:
    virtual void setEnabled (bool shouldBeEnabled) = 0;

protected:
    ~SxEnablementOverride() = default;
};

/** Enables or disables control the way the control itself defines it: its
    SxEnablementOverride when it has one, else the framework's Component::setEnabled. */
void sxSetEnabled (juce::Component& control, bool shouldBeEnabled);
