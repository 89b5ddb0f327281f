#pragma once

/** A widget bound to model values that it can show again on request.

    update() re-reads the bound field or fields and shows them without notifying anybody:
    the owner calls it after the model changed elsewhere (undo, a preset, another layer).
    A container refreshes its controls by calling its own update (SxUIComponent).
*/
class SxUpdateComponent
{
public:
    virtual ~SxUpdateComponent() = default;

    virtual void update() = 0;
};
