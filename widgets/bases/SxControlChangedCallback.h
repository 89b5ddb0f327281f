#pragma once

namespace juce { class Component; }

/** The change notification of every control of the kit.

    A control first writes its new value into the field it is bound to, then calls
    controlChanged with itself. Receivers tell controls apart by their component name (the
    name the control was created with, such as "overallStrengthSlider"), never by the text
    they show.

    Receivers are never deleted through this interface, hence the protected destructor.
*/
class SxControlChangedCallback
{
public:
    virtual void controlChanged (juce::Component* control) {}

protected:
    ~SxControlChangedCallback() = default;
};
