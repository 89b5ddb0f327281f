#include "Quenzella_Tolva.h"

#include "Quenzella_TolvaAppComponent.h"
#include "WatercolorRender.h"

GenericAppComponent* Quenzella_Tolva::createMainComponent()
{
    // The brush atlas decodes while the window opens and the first photograph is read.
    WatercolorRender::startDecodingBrushAtlas();
    return new Quenzella_TolvaAppComponent();
}
