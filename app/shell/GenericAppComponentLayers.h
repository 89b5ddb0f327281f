#pragma once

#include "GenericAppComponent.h"

/** The application layer of the main component, between the generic frame and the
    product: it defers the generic first show until the window is on screen and gives the
    toolbar its final tooltips.

    Its timer dispatcher sees every timer first and hands on what it does not handle.
*/
class GenericAppComponentLayers : public GenericAppComponent
{
public:
    GenericAppComponentLayers() = default;

    /** Starts the first-show timer: the generic first show runs 100 ms later. */
    void firstShow() override;

    void timerCallback (int timerID) override;

    /** Runs setProductTooltips, then replaces the tooltips of the open, save, crop, zoom,
        pan, redo, compare, info and products buttons and of the show tab. The undo and
        randomize buttons and the hide tab keep the ones createUI gave them. */
    void setButtonTooltips() override;

protected:
    /** A product's own tooltips, set before the common ones; none by default. */
    virtual void setProductTooltips() {}

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GenericAppComponentLayers)
};
