#pragma once

class SxPopoverComboBox;

/** What a popover list tells its owner: the row the user chose, or that the list was closed
    without a choice (a click outside it, Escape). Exactly one of the two per showing.

    Both come once the list has left the screen; the owner may delete the box from either.
    Owners are never deleted through this interface, hence the protected destructor.
*/
class SxPopoverComboBoxCallback
{
public:
    virtual void popoverItemChosen (SxPopoverComboBox* box, int index) {}
    virtual void popoverClosed (SxPopoverComboBox* box) {}

protected:
    ~SxPopoverComboBoxCallback() = default;
};
