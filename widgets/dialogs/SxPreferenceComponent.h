#pragma once

#include "SxColorPickerCallback.h"
#include "SxComponent.h"
#include "SxControlChangedCallback.h"

class SxCheckbox;
class SxLabelColorPicker;

/** The preferences panel (450 x 235): where the save panel opens ("Use Image Location" or
    "Last Saved Location"), "Show Tooltips", the canvas background colour, "Rebuild Default
    Presets" and "Done". Built from the main component's settings; every change is written
    to the settings file and saved at once, takes effect at once, and the main component is
    repainted. The main component shows it (showPreferences) and removes it ("Done").

    The two save-location boxes act as radio buttons: exactly one is ticked, whatever is
    clicked. Keyboard: Tab moves through the controls (and round), Return presses the focused
    one (a box ticks), Escape acts as "Done". */
class SxPreferenceComponent : public SxComponent,
                              public juce::Button::Listener,
                              public SxControlChangedCallback,
                              public SxColorPickerCallback
{
public:
    SxPreferenceComponent();
    ~SxPreferenceComponent() override;

    /** The canvas background as the colour chip edits it: a colour word (bytes alpha, red,
        green, blue in memory). */
    juce::uint32 backgroundColour = 0;

    SxCheckbox* useImageLocationBox = nullptr;
    SxCheckbox* useSaveLocationBox = nullptr;
    SxCheckbox* showTooltipsBox = nullptr;

    /** "savePreferenceDoneButton" asks the main component to remove the panel,
        "rebuildButton" to rebuild the factory presets. */
    void buttonClicked (juce::Button* button) override;
    /** Applies and stores a change of one of its controls. */
    void controlChanged (juce::Component* control) override;
    /** Stays empty: the colour chip reports through controlChanged. */
    void colourChanged (juce::Component*, juce::uint32) override {}
    bool keyPressed (const juce::KeyPress& key) override;

    juce::Button* getDoneButton() const noexcept     { return doneButton; }
    juce::Button* getRebuildButton() const noexcept  { return rebuildButton; }
    /** "backgroundColorChip", bound to backgroundColour. */
    SxLabelColorPicker* getColourChip() const noexcept  { return colourChip; }

private:
    juce::Button* doneButton = nullptr;
    juce::Button* rebuildButton = nullptr;
    SxLabelColorPicker* colourChip = nullptr;

    void storeAndRefresh();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxPreferenceComponent)
};
