#include "Quenzella_Tolva.h"

#include "Quenzella_TolvaAppComponent.h"

GenericAppComponent* Quenzella_Tolva::createMainComponent()
{
    return new Quenzella_TolvaAppComponent();
}
