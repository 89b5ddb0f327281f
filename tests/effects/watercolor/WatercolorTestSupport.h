#pragma once

#include "ScopedDataHome.h"
#include "TestScene.h"
#include "SxImageRgbaBytes.h"
#include "WatercolorSettings.h"


/** Small paper and border groups standing in for the resource archive while it lives. */
class ScopedArchiveNames
{
public:
    ScopedArchiveNames()
    {
        WatercolorSettings::setArchiveNameSource ([] (const juce::String& group) {
            if (group == "Tolva_Backgrounds")
                return juce::StringArray { "Quenza-01", "Aged-Paper13", "Aged-Paper37" };
            if (group == "Tolva_Borders")
                return juce::StringArray { "0a-none", "border-01", "border-02", "border-03" };
            return juce::StringArray();
        });
    }

    ~ScopedArchiveNames() { WatercolorSettings::setArchiveNameSource (nullptr); }
};
