#pragma once

namespace juce { class Component; }

/** What a canvas tool tells the rows that show its button: that it became the current tool
    or stopped being it (toolActivated, with the tool's button as the component).

    The first operation carries the name and argument of SxControlChangedCallback's, so a
    row that implements both interfaces answers both with one override.

    Rows are never deleted through this interface, hence the protected destructor.
*/
class SxToolCallback
{
public:
    virtual void controlChanged (juce::Component* control) {}
    virtual void toolActivated (juce::Component* tool, bool active) {}

protected:
    ~SxToolCallback() = default;
};
