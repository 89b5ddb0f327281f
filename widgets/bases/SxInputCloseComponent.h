#pragma once

#include "SxComponent.h"

/** A pop-up that closes itself when the user clicks outside it (the about box).

    The constructor makes it modal through the main component (without keyboard focus, the
    toolbar disabled, no alert for blocked input). The first click outside it, a file dropped
    outside it, or Escape, ends its modal state, tells modalInputDelegate, and deletes it with
    all its children; nothing touches it afterwards.

    The caller creates it, adds it to the main component, places it and fills it.
*/
class SxInputCloseComponent : public SxComponent
{
public:
    explicit SxInputCloseComponent (const juce::String& componentName);

    void update() override {}
    void inputAttemptOutsideModal() override;
    bool keyPressed (const juce::KeyPress& key) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxInputCloseComponent)
};
