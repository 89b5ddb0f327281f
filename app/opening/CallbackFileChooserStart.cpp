#include "CallbackFileChooserStart.h"

#include "GenericAppComponent.h"

CallbackFileChooserStart::CallbackFileChooserStart (GenericAppComponent& o)
    : owner (&o)
{
}

void CallbackFileChooserStart::messageCallback()
{
    if (auto* main = owner.getComponent())
        main->chooseAndOpenImage();
}
