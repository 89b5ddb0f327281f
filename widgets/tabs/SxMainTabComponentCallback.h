#pragma once

class SxMainTabComponent;

/** Told when a control page becomes the shown page (SxMainTabController::selectPage).

    Callbacks are never deleted through this interface, hence the protected destructor.
*/
class SxMainTabComponentCallback
{
public:
    virtual void pageShown (SxMainTabComponent* page) {}

protected:
    ~SxMainTabComponentCallback() = default;
};
