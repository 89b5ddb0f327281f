#include "HostWindow.h"

#include "SxRelativeBounds.h"
#include "TestFonts.h"

namespace sxgui
{
    HostWindow::ToolbarButton::ToolbarButton (HostWindow& o, const juce::String& name, const juce::String& text)
        : juce::TextButton (text), owner (o)
    {
        setName (name);
        onClick = [this] { owner.toolbarClicks.add (getName()); };
    }

    void HostWindow::ToolbarButton::mouseUp (const juce::MouseEvent& e)
    {
        owner.toolbarMouseUps.add (getName());
        juce::TextButton::mouseUp (e);
    }

    HostWindow::HostWindow()
        : juce::Component ("mainComponent"),
          openButton (*this, "getPhotoButton", "Open"),
          saveButton (*this, "savePhotoButton", "Save")
    {
        pinFonts (lookAndFeel);
        lookAndFeel.alertSound = [this] { ++alertsSounded; };
        setLookAndFeel (&lookAndFeel);
        juce::LookAndFeel::setDefaultLookAndFeel (&lookAndFeel);

        setSize (windowWidth, windowHeight);

        toolbar.setComponentID ("topBar");
        addAndMakeVisible (toolbar);
        SxRelativeBounds::apply (toolbar, "0, 0, left + parent.width, top + 33");
        toolbar.addAndMakeVisible (openButton);
        toolbar.addAndMakeVisible (saveButton);
        SxRelativeBounds::apply (openButton, "16, 1, left + 50, top + 30");
        SxRelativeBounds::apply (saveButton, "82, 1, left + 50, top + 30");

        effectPanel.setComponentID ("effectControlComponent");
        effectPanel.setColour (0x343434FFu);
        addAndMakeVisible (effectPanel);
        SxRelativeBounds::apply (effectPanel, "parent.width - 256, topBar.height, left + 256, parent.height");

        addAndMakeVisible (canvas);
        SxRelativeBounds::apply (canvas, "0, topBar.height, effectControlComponent.left, parent.height");
    }

    HostWindow::~HostWindow()
    {
        // Whatever a test added and left behind belongs to the window, as it would to the shell.
        auto leftBehind = [this]() -> juce::Component*
        {
            for (auto* child : getChildren())
                if (child != &toolbar && child != &canvas && child != &effectPanel)
                    return child;

            return nullptr;
        };

        while (auto* child = leftBehind())
            delete child;

        if (&juce::LookAndFeel::getDefaultLookAndFeel() == &lookAndFeel)
            juce::LookAndFeel::setDefaultLookAndFeel (nullptr);

        setLookAndFeel (nullptr);
    }

    void HostWindow::show()
    {
        setTopLeftPosition (0, 0);
        addToDesktop (juce::ComponentPeer::windowAppearsOnTaskbar);
        setVisible (true);
    }

    bool HostWindow::isToolbarEnabled() const
    {
        return openButton.isEnabled() && saveButton.isEnabled();
    }

    void HostWindow::paint (juce::Graphics& g)
    {
        g.fillAll (juce::Colour (120, 120, 120));
    }

    void HostWindow::disableToolbar()
    {
        toolbarCalls.add ("disable");
        openButton.setEnabled (false);
        saveButton.setEnabled (false);
    }

    void HostWindow::enableToolbar()
    {
        toolbarCalls.add ("enable");

        if (! imageOpen)
            return;

        openButton.setEnabled (true);
        saveButton.setEnabled (true);
    }
}
