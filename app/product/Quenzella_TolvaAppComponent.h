#pragma once

#include "GenericAppComponentLayers.h"

/** The product's main component: its names, versions, information page and its two
    effects, Abstract Watercolor first and Stylized Watercolor second. Constructing it
    installs the thumbnail picker the effects' controls create (GenericImageList::create). */
class Quenzella_TolvaAppComponent : public GenericAppComponentLayers
{
public:
    Quenzella_TolvaAppComponent();

    juce::String getAppName() const override            { return "Quenzella - Tolva"; }
    juce::String getBundleIdentifier() const override   { return "com.zorvant.QuenzellaTolva"; }
    juce::String getShareHashtag() const override       { return "#QuenzaTolva"; }
    int getFactoryPresetsVersion() const override       { return 0x010600; }
    juce::String getInfoPageUrl() const override        { return "https://www.zorvant.com/quenzella-tolva"; }
    void openInfoPage() override;

    /** Makes, registers and lists the two watercolour effects. */
    void createEffectLayers() override;

protected:
    std::unique_ptr<SxTool> createPanTool() override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Quenzella_TolvaAppComponent)
};
