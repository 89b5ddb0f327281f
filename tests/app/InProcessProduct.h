#pragma once

#include "Quenzella_Tolva.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** The product's application started in-process, as the framework starts it, with a main
    component of the test's own type, launch files of the test's choosing and a quit that
    does nothing. */
template <typename MainComponent>
struct InProcessProduct : public Quenzella_Tolva
{
    GenericAppComponent* createMainComponent() override
    {
        component = new MainComponent();
        return component;
    }

    MainComponent* component = nullptr;
    juce::StringArray launchFiles;

protected:
    juce::StringArray getLaunchFiles() override  { return launchFiles; }
    void quitApplication() override {}
};
