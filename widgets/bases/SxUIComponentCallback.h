#pragma once

namespace juce { class Component; }

/** How a control panel built on SxUIComponent reports user actions to its owner (an
    effect layer, a wizard). Both operations do nothing unless overridden. */
class SxUIComponentCallback
{
public:
    virtual ~SxUIComponentCallback() = default;

    /** A control of the panel was clicked or changed; tell it apart by its component name. */
    virtual void controlClicked (juce::Component* control) {}

    /** An image list of the panel had its item at index chosen. */
    virtual void imageListItemChosen (juce::Component* list, int index) {}
};
