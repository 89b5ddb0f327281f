#include "SxMainLookAndFeel.h"

#include "SxMainComponentServices.h"
#include "SystemBell.h"

SxMainLookAndFeel::SxMainLookAndFeel()
    : alertSound (SystemBell::ring)
{
}

void SxMainLookAndFeel::playAlertSound()
{
    auto* main = SxMainComponentServices::getInstance();

    if ((main == nullptr || main->alertOnBlockedInput()) && alertSound != nullptr)
        alertSound();
}
