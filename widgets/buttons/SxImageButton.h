#pragma once

#include "SxImagePlacement.h"
#include "SxKeyboardFocusMark.h"
#include "SxUpdateComponent.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** A framework image button named at construction, owning its children like SxComponent;
    the base of the kit's image buttons.

    It paints like the framework's image button: a disabled button is neither over nor
    pressed; the down picture shows while pressed or toggled on, the over picture while the
    mouse is over it, else the normal one; the look-and-feel draws it with that state's
    overlay colour and opacity. Subclasses change only where the picture goes (paintPlaced).

    Set the pictures through this class's setImages, which remembers the settings it needs
    for that: calling juce::ImageButton::setImages directly bypasses it.
*/
class SxImageButton : public juce::ImageButton,
                      public SxUpdateComponent
{
public:
    explicit SxImageButton (const juce::String& componentName);
    ~SxImageButton() override;

    void update() override {}

    /** The framework's setImages (same arguments, same effect), remembered for placing. */
    void setImages (bool resizeButtonNowToFitThisImage, bool rescaleImagesWhenButtonSizeChanges,
                    bool preserveImageProportions,
                    const juce::Image& normalImage, float imageOpacityWhenNormal, juce::Colour overlayColourWhenNormal,
                    const juce::Image& overImage, float imageOpacityWhenOver, juce::Colour overlayColourWhenOver,
                    const juce::Image& downImage, float imageOpacityWhenDown, juce::Colour overlayColourWhenDown,
                    float hitTestAlphaThreshold = 0.0f);

    /** Where the picture was drawn last (empty before the first paint). */
    juce::Rectangle<int> getImageBounds() const noexcept  { return imageBounds; }

    /** A ring of the accent while the button holds focus that came by Tab. */
    void focusGained (FocusChangeType cause) override  { focusMark.focusGained (*this, cause); }
    void focusLost (FocusChangeType) override           { focusMark.clear (*this); }
    void mouseDown (const juce::MouseEvent& e) override { focusMark.clear (*this); juce::Button::mouseDown (e); }
    bool showsKeyboardFocus() const                     { return focusMark.isShown (*this); }

protected:
    /** Centred and fitted, as the framework places it. */
    void paintButton (juce::Graphics& g, bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;

    /** Draws the current picture placed by fit. */
    void paintPlaced (juce::Graphics& g, bool over, bool down, SxImagePlacement::Fit fit);

    bool hitTest (int x, int y) override;

private:
    struct StateLook
    {
        float opacity = 1.0f;
        juce::Colour overlay;
    };

    SxImagePlacement::Scaling scaling = SxImagePlacement::Scaling::keepProportions;
    StateLook normalLook, overLook, downLook;
    juce::uint8 alphaThreshold = 0;
    juce::Rectangle<int> imageBounds;
    SxKeyboardFocusMark focusMark;

    juce::Image currentImage() const;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxImageButton)
};
