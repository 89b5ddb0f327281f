#pragma once

class SxMainTabController;

/** A listener to a page host; the kit itself never calls it (the tool row implements it
    with the default).

    Callbacks are never deleted through this interface, hence the protected destructor.
*/
class SxMainTabControllerCallback
{
public:
    virtual void tabControllerChanged (SxMainTabController* controller) {}

protected:
    ~SxMainTabControllerCallback() = default;
};
