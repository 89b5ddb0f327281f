#pragma once

#include "SxPanelComponent.h"

/** The panel frame as the base of the system's dialogs: its well reaches the bottom bar. */
class SxDialogPanelComponent : public SxPanelComponent
{
public:
    SxDialogPanelComponent() : SxPanelComponent (false) {}
};
