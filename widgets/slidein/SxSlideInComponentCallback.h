#pragma once

class SxSlideInComponent;

/** How a slide-in panel closed; told after its slide-out, while it still exists. The owner
    must not use the panel after either call returns: it leaves the modal state and deletes
    itself right after. */
class SxSlideInComponentCallback
{
public:
    virtual ~SxSlideInComponentCallback() = default;

    /** Its button ("Apply") was pressed. */
    virtual void slideInClosedWithButton (SxSlideInComponent*) {}
    /** The user clicked outside it, or pressed Escape. */
    virtual void slideInDismissed (SxSlideInComponent*) {}
};
