#include "SxPreferenceComponent.h"

#include "SxCheckbox.h"
#include "SxColorComponent.h"
#include "SxLabelColorPicker.h"
#include "SxLabelledImageButton.h"
#include "SxMainComponentServices.h"
#include "SxRelativeBounds.h"
#include "SxThreeImageButton.h"
#include "SxWidgetArt.h"

namespace
{
    const char* const useImageLocationKey = "useImageLocation";
    const char* const showToolTipsKey = "showToolTips";

    juce::PropertiesFile* settingsFile()
    {
        auto* main = SxMainComponentServices::getInstance();
        return main != nullptr ? main->getSettingsFile() : nullptr;
    }

    bool readBool (const char* key, bool fallback)
    {
        auto* settings = settingsFile();
        return settings != nullptr ? settings->getBoolValue (key, fallback) : fallback;
    }

    int readInt (const juce::String& key, int fallback)
    {
        auto* settings = settingsFile();
        return settings != nullptr ? settings->getIntValue (key, fallback) : fallback;
    }

    void store (const juce::String& key, const juce::var& value)
    {
        if (auto* settings = settingsFile())
            settings->setValue (key, value);
    }

    SxColorComponent* colourBand (juce::uint32 word)
    {
        auto* band = new SxColorComponent();
        band->setColour (word);
        band->setInterceptsMouseClicks (false, false);
        return band;
    }
}

SxPreferenceComponent::SxPreferenceComponent()
    : SxComponent (juce::String())
{
    setSize (450, 235);
    setFocusContainerType (juce::Component::FocusContainerType::keyboardFocusContainer);

    auto* outer = colourBand (0x2D2D2DFFu);
    addAndMakeVisible (outer);
    SxRelativeBounds::apply (*outer, "0, 0, left + parent.width, top + parent.height");
    auto* inner = colourBand (0x414141FFu);
    addAndMakeVisible (inner);
    SxRelativeBounds::apply (*inner, "4, 0, left + parent.width - 8, top + parent.height - 4");

    auto* caption = new juce::Label ("SxPreferenceComponentLabel", "Save Info:");
    caption->setFont (juce::Font (12.0f));
    caption->setColour (juce::Label::textColourId, juce::Colour (250, 250, 250));
    caption->setJustificationType (juce::Justification::centredLeft);
    caption->setInterceptsMouseClicks (false, false);
    addAndMakeVisible (caption);
    SxRelativeBounds::apply (*caption, "5, 30, left + 190, top + 23");

    int focusOrder = 0;
    const auto addBox = [this, &focusOrder] (const juce::String& name, const juce::String& text, juce::Rectangle<int> bounds, bool ticked)
    {
        auto* box = new SxCheckbox (name, text, this);
        box->setChecked (ticked);
        box->setExplicitFocusOrder (++focusOrder);
        addAndMakeVisible (box);
        box->setBounds (bounds);
        return box;
    };

    const bool useImageLocation = readBool (useImageLocationKey, true);
    useImageLocationBox = addBox ("useImageLocationCheckbox", "Use Image Location", { 25, 55, 180, 15 }, useImageLocation);
    useSaveLocationBox = addBox ("useSaveLocationCheckbox", "Last Saved Location", { 25, 73, 180, 15 }, ! useImageLocation);
    showTooltipsBox = addBox ("showTooltips", "Show Tooltips", { 25, 100, 180, 15 }, readBool (showToolTipsKey, true));

    backgroundColour = (juce::uint32) (readInt ("backgroundColor.blue", 255) & 0xff) << 24
                     | (juce::uint32) (readInt ("backgroundColor.green", 255) & 0xff) << 16
                     | (juce::uint32) (readInt ("backgroundColor.red", 255) & 0xff) << 8
                     | (juce::uint32) (readInt ("backgroundColor.alpha", 0) & 0xff);

    colourChip = new SxLabelColorPicker ("backgroundColorChip", "Background Color", &backgroundColour);
    colourChip->getPicker().setShowsAlpha (true);
    colourChip->setExplicitFocusOrder (++focusOrder);
    colourChip->listener = this;
    addAndMakeVisible (colourChip);
    // A row spans its parent unless placed. Its swatch ends at x = 290; the row starts 20
    // pixels left of 170 so that its caption is not cut at the row's left edge.
    SxRelativeBounds::detach (*colourChip);
    colourChip->setBounds (150, 52, 140, 35);
    colourChip->update();

    auto* rebuild = new SxLabelledImageButton ("rebuildButton", SxWidgetArt::get (WidgetArt::rebuildButton),
                                               SxWidgetArt::get (WidgetArt::rebuildButtonPressed),
                                               "rebuildLabel", "Rebuild Default Presets");
    rebuild->setTooltip ("Click to rebuild the default presets, will not overwrite custom ones.");
    rebuild->addListener (this);
    rebuild->setExplicitFocusOrder (++focusOrder);
    addAndMakeVisible (rebuild);
    SxRelativeBounds::apply (*rebuild, "(parent.width / 2) - (width / 2), parent.height - 72, left + "
                                           + juce::String (rebuild->getWidth()) + ", top + " + juce::String (rebuild->getHeight()));
    rebuildButton = rebuild;

    auto* done = new SxThreeImageButton ("savePreferenceDoneButton", "Done");
    done->setSize (92, 23);
    done->addListener (this);
    done->setExplicitFocusOrder (++focusOrder);
    addAndMakeVisible (done);
    SxRelativeBounds::apply (*done, "(parent.width / 2) - (width / 2), parent.height - 33, left + 92, top + 23");
    doneButton = done;
}

SxPreferenceComponent::~SxPreferenceComponent()
{
    // A focused child going away moves the focus; its listeners must not reach a panel
    // half destroyed.
    for (auto* box : { useImageLocationBox, useSaveLocationBox, showTooltipsBox })
        box->listener = nullptr;

    colourChip->listener = nullptr;
}

void SxPreferenceComponent::buttonClicked (juce::Button* button)
{
    auto* main = SxMainComponentServices::getInstance();

    if (button == nullptr || main == nullptr)
        return;

    if (button->getName() == "savePreferenceDoneButton")
        main->preferencesDone();
    else if (button->getName() == "rebuildButton")
        main->rebuildDefaultPresets();
}

void SxPreferenceComponent::controlChanged (juce::Component* control)
{
    auto* main = SxMainComponentServices::getInstance();

    if (control == nullptr)
        return;

    if (control == showTooltipsBox)
    {
        store (showToolTipsKey, showTooltipsBox->isChecked());

        if (main != nullptr)
        {
            if (readBool (showToolTipsKey, true))
                main->enableTooltips();
            else
                main->disableTooltips();
        }
    }
    else if (control == useImageLocationBox || control == useSaveLocationBox)
    {
        // Radio buttons: the clicked choice is ticked even when the click untoggled it.
        const bool useImageLocation = control == useImageLocationBox;
        useImageLocationBox->setChecked (useImageLocation);
        useSaveLocationBox->setChecked (! useImageLocation);

        if (main != nullptr)
            main->setUseImageLocation (useImageLocation);

        store (useImageLocationKey, useImageLocation);
    }
    else if (control->getName() == "backgroundColorChip")
    {
        store ("backgroundColor.red", (int) ((backgroundColour >> 8) & 0xff));
        store ("backgroundColor.blue", (int) ((backgroundColour >> 24) & 0xff));
        store ("backgroundColor.green", (int) ((backgroundColour >> 16) & 0xff));
        store ("backgroundColor.alpha", (int) (backgroundColour & 0xff));
    }

    storeAndRefresh();
}

void SxPreferenceComponent::storeAndRefresh()
{
    if (auto* settings = settingsFile())
        if (! settings->saveIfNeeded())
            juce::Logger::writeToLog ("The settings could not be saved to " + settings->getFile().getFullPathName());

    if (auto* main = SxMainComponentServices::getInstance())
        main->getMainComponent().repaint();
}

bool SxPreferenceComponent::keyPressed (const juce::KeyPress& key)
{
    if (key.isKeyCode (juce::KeyPress::escapeKey))
    {
        buttonClicked (doneButton);
        return true;
    }

    // The panel opens without the focus: the first Tab brings it to the first control, as
    // a Tab (so the control shows its focus ring), by stepping on from the last one.
    if (key.isKeyCode (juce::KeyPress::tabKey) && ! hasKeyboardFocus (true))
        if (auto traverser = createKeyboardFocusTraverser())
            if (const auto controls = traverser->getAllComponents (this); ! controls.empty())
            {
                controls.back()->grabKeyboardFocus();
                controls.back()->moveKeyboardFocusToSibling (true);
                return true;
            }

    return false;
}
