#pragma once

#include "HostCanvas.h"
#include "SxColorComponent.h"
#include "SxMainComponentServices.h"
#include "SxMainLookAndFeel.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace sxgui
{
    /** A stand-in for the application's main component, for GUI tests and the gallery.

        Like the shell's main component it derives from SxMainComponentServices (the real
        modal-state service runs), installs an SxMainLookAndFeel on itself and makes it the
        default, and holds:
        - a 33-pixel toolbar along the top with two buttons, "getPhotoButton" and
          "savePhotoButton", which the modal state disables and enables;
        - the document canvas (HostCanvas) below it;
        - the 256-wide effect panel on the right, component ID "effectControlComponent",
          colour (52, 52, 52).
        Everything is placed by expressions, as in the shell. Components a test adds to the
        window and leaves there are deleted with it.

        Recorders tell a test what the kit did: alerts sounded, toolbar calls, and mouse-ups
        and clicks that reached the toolbar buttons. Text is drawn in the pinned test font.

        Not on the desktop until show(): input through the peer needs that; rendering
        snapshots does not.
    */
    class HostWindow : public juce::Component,
                       public SxMainComponentServices
    {
    public:
        static constexpr int windowWidth = 1024, windowHeight = 700;
        static constexpr int toolbarHeight = 33, effectPanelWidth = 256;

        HostWindow();
        ~HostWindow() override;

        /** Puts the window on the desktop at the top left of the screen and shows it. */
        void show();

        juce::Component& getMainComponent() override  { return *this; }
        SxDocumentCanvasServices* getDocumentCanvas() override  { return &canvas; }
        juce::Component* getEffectTabArea() override  { return effectTabArea; }

        /** What getEffectTabArea returns (a test sets it); none by default. */
        juce::Component* effectTabArea = nullptr;

        /** What getSettingsFile returns (a test sets it); none by default. */
        juce::PropertiesFile* settingsFile = nullptr;
        juce::PropertiesFile* getSettingsFile() override  { return settingsFile; }

        /** The preferences' calls: "tooltips on", "tooltips off", "image location",
            "saved location", "rebuild presets", in order. */
        juce::StringArray preferenceCalls;
        void enableTooltips() override                      { preferenceCalls.add ("tooltips on"); }
        void disableTooltips() override                     { preferenceCalls.add ("tooltips off"); }
        void setUseImageLocation (bool use) override        { preferenceCalls.add (use ? "image location" : "saved location"); }
        void rebuildDefaultPresets() override               { preferenceCalls.add ("rebuild presets"); }

        juce::Component& getToolbar() noexcept                    { return toolbar; }
        juce::Button& getToolbarButton (int index) noexcept       { return index == 0 ? openButton : saveButton; }
        HostCanvas& getCanvas() noexcept                          { return canvas; }
        SxColorComponent& getEffectPanel() noexcept               { return effectPanel; }
        SxMainLookAndFeel& getMainLookAndFeel() noexcept          { return lookAndFeel; }

        /** Both toolbar buttons enabled. */
        bool isToolbarEnabled() const;

        /** Like the shell, enabling the toolbar does nothing while no image is open. */
        bool imageOpen = true;

        int alertsSounded = 0;
        /** "disable" and "enable", in the order the modal service asked for them. */
        juce::StringArray toolbarCalls;
        /** Names of toolbar buttons that received a mouse-up. */
        juce::StringArray toolbarMouseUps;
        /** Names of toolbar buttons that were clicked. */
        juce::StringArray toolbarClicks;
        /** What menu buttons reported directly: the button's name and " down" or " up" by
            its state at the call. */
        juce::StringArray menuButtonReports;

        void menuButtonReported (juce::Button& button) override;

        /** Marks the start of quitting, as the shell's quit confirmation does. */
        using SxMainComponentServices::setQuitting;

        void paint (juce::Graphics& g) override;

    protected:
        void disableToolbar() override;
        void enableToolbar() override;

    private:
        struct ToolbarButton : public juce::TextButton
        {
            ToolbarButton (HostWindow& owner, const juce::String& name, const juce::String& text);
            void mouseUp (const juce::MouseEvent& e) override;
            HostWindow& owner;
        };

        SxMainLookAndFeel lookAndFeel;
        juce::Component toolbar;
        ToolbarButton openButton, saveButton;
        HostCanvas canvas;
        SxColorComponent effectPanel;

        JUCE_DECLARE_NON_COPYABLE (HostWindow)
    };
}
