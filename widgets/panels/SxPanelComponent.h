#pragma once

#include "SxComponent.h"

/** The framed background of dialogs, alerts, slide-in panels and pop-up pickers: a 27-pixel
    title bar with a centred title, a body, a 27-pixel bottom bar, and a dark inset well over
    the body. With shortBody the well ends 10 pixels higher, leaving room above the bottom
    bar (slide-in panels).

    Owners construct it, add it, give it its bounds, optionally set the title, then call
    buildPanel once and add their own controls above it. Every piece is placed by an
    expression, so the frame follows the panel's later resizes. The title label is 190 x 23
    whatever the width; a longer title is squeezed by the label.

    A panel lower than 54 pixels has no room for its body: the body and well get no height
    and the bottom bar overlaps the title bar, all clipped to the panel.
*/
class SxPanelComponent : public SxComponent
{
public:
    explicit SxPanelComponent (bool shortBody);

    /** Stores the title; once the panel is built, shows it too (with a change notification). */
    void setTitle (const juce::String& newTitle);
    const juce::String& getTitle() const noexcept  { return title; }

    /** Builds the frame; later calls do nothing. */
    virtual void buildPanel();

    /** Builds the title bar into container and the title label into the panel. */
    virtual void buildTitleBar (juce::Component* container);

    /** Null until the panel is built. */
    juce::Label* getTitleLabel() const noexcept  { return titleLabel; }

protected:
    const bool shortBody;

private:
    juce::String title;
    juce::Label* titleLabel = nullptr;
    bool built = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxPanelComponent)
};
