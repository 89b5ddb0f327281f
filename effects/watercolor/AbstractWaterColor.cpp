#include "AbstractWaterColor.h"

AbstractWaterColor::AbstractWaterColor()
{
    StylizedWatercolor::resetToDefaults();
    randomizeSettings();
}

Layer* AbstractWaterColor::createInstance()
{
    return new AbstractWaterColor();
}

void AbstractWaterColor::resetToDefaults()
{
    StylizedWatercolor::resetToDefaults();
    randomizeSettings();
}
