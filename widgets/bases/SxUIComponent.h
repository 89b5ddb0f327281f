#pragma once

#include "SxComponent.h"
#include "SxUIComponentCallback.h"

/** A panel of controls that refreshes them all at once.

    update() calls update on each direct child that is an SxUpdateComponent, front-most
    child first (the reverse of getChildren()); other children are skipped and grandchildren
    are left to their own container's update.
*/
class SxUIComponent : public SxComponent
{
public:
    explicit SxUIComponent (const juce::String& componentName);

    /** Where the panel reports user actions (an effect layer, a wizard); not owned, may be null. */
    SxUIComponentCallback* callback = nullptr;

    void update() override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxUIComponent)
};
