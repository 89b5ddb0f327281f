#pragma once

#include "GenericAppComponentLayers.h"
#include "GenericApplication.h"

/** The shell's main component with the hooks that open files recording what reached them
    ("image <path>", "project <path>", "files <path>|<path>"), and a settable host kind. */
class RecordingAppComponent : public GenericAppComponentLayers
{
public:
    static inline const juce::String appName = "Shell Test App";

    juce::String getAppName() const override  { return appName; }

    void askSaveProject (const juce::File& file) override                  { calls.add ("project " + file.getFullPathName()); }
    void openImage (const juce::File& file, bool) override                 { calls.add ("image " + file.getFullPathName()); }
    void openFilesFromOtherInstance (const juce::StringArray& files) override { calls.add ("files " + files.joinIntoString ("|")); }
    void firstShow() override                                              { calls.add ("firstShow"); GenericAppComponentLayers::firstShow(); }
    void showQuitOrApplyAlert() override                                   { calls.add ("quitOrApply"); }

    void buttonClicked (juce::Button* button) override                     { calls.add ("click " + button->getName()); }

    /** A preset browser that records the buttons it hears, made by createUI when set. */
    struct PresetBrowser : public juce::Component, public juce::Button::Listener
    {
        void buttonClicked (juce::Button* button) override  { heard.add (button->getName()); }
        juce::StringArray heard;
    };
    bool makesPresetBrowser = false;
    PresetBrowser* getPresetBrowser() const  { return dynamic_cast<PresetBrowser*> (presetBrowser.get()); }

    void setHostKind (int kind) noexcept  { hostKind = kind; }
    void setWorkingImage (SxImageRgbaBytes* image)  { workingImage = SxRef<SxImageRgbaBytes>::share (image); }
    void callEnableToolbar()   { enableToolbar(); }
    void callDisableToolbar()  { disableToolbar(); }

    juce::StringArray calls;

protected:
    std::unique_ptr<juce::Component> createPresetBrowser() override
    {
        return makesPresetBrowser ? std::make_unique<PresetBrowser>() : nullptr;
    }
};

/** The shell's application with a recording main component, launch files of the test's
    choosing and a quit that is only counted. */
class TestApplication : public GenericApplication
{
public:
    GenericAppComponent* createMainComponent() override
    {
        component = new RecordingAppComponent();
        return component;
    }

    RecordingAppComponent* component = nullptr;
    juce::StringArray launchFiles;
    int quits = 0;

protected:
    juce::StringArray getLaunchFiles() override  { return launchFiles; }
    void quitApplication() override             { ++quits; }
};
