#pragma once

#include "GenericApplication.h"

/** The product's application object: its name and its main component. */
class Quenzella_Tolva : public GenericApplication
{
public:
    Quenzella_Tolva() = default;

    /** Also the window class the desktop matches the application's entry with. */
    const juce::String getApplicationName() override  { return "Quenzella-Tolva"; }

    GenericAppComponent* createMainComponent() override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Quenzella_Tolva)
};
