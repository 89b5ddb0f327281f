#pragma once

#include "GenericAppDocumentMouseInterceptCallback.h"
#include "SxCallOutBox.h"
#include "SxColorPickerCallback.h"
#include "SxColorSelector.h"
#include "SxControlChangedCallback.h"
#include "SxKeyboardFocusMark.h"
#include "SxUpdateComponent.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

class SxDocumentCanvasServices;

/** A colour swatch button. A click (or Return while it has the focus) opens a call-out with
    a colour selector beside it; while that is open, a click on the image in the document
    canvas picks the pixel's colour (eyedropper), and the canvas's tool gets nothing.

        auto* swatch = new SxColorPicker ("paperTintColor", juce::Colours::white, juce::Colours::white);
        swatch->boundColour = &settings.paperTint;   // a colour word, not owned
        swatch->callback = this;                     // SxColorPickerCallback, not owned
        swatch->setTooltip ("Select a new color.");

    A change in the selector (or a pick) is written into boundColour first, then reported to
    callback with alpha 255 unless the swatch shows alpha. Without alpha every colour it
    takes is made opaque, as the selector makes it. The call-out closes on Escape, on a click
    outside it other than on the canvas image, when hidden, and on a canvas click beside the
    image; closing reports the colour once more and gives the canvas back to its tools and
    the focus back to the swatch. setColour and update show a colour without telling anybody.

    Destroying the picker while it is open closes the call-out first.
*/
class SxColorPicker : public GenericAppDocumentMouseInterceptCallback,
                      public juce::Button,
                      public SxUpdateComponent,
                      public juce::ChangeListener,
                      public juce::Button::Listener,
                      public SxControlChangedCallback
{
public:
    SxColorPicker (const juce::String& componentName, juce::Colour colour, juce::Colour borderColour);
    ~SxColorPicker() override;

    /** Told of every new colour; not owned, may be null. */
    SxColorPickerCallback* callback = nullptr;
    /** The colour word the picker writes and update reads; not owned, may be null. */
    juce::uint32* boundColour = nullptr;

    /** Shows the colour word's colour, in the swatch and the selector, telling nobody. */
    void setColour (juce::uint32 colourWord);
    using juce::Component::setColour;

    /** The colour shown, its alpha as it was given. */
    juce::Colour getCurrentColour() const noexcept  { return colour; }

    /** Whether the selector offers alpha and the swatch shows it (a transparent colour over
        a checkerboard). Changing it closes an open call-out. */
    virtual void setShowsAlpha (bool show);
    bool getShowsAlpha() const noexcept  { return showsAlpha; }

    bool isOpen() const noexcept                 { return callOut != nullptr; }
    SxCallOutBox* getCallOut() const noexcept    { return callOut.getComponent(); }
    SxColorSelector& getSelector() const noexcept { return *selector; }

    /** What a row holding a swatch does with the colour the swatch reports: a word that
        differs from field is written into it, then listener (may be null) hears
        controlChanged (row), then the row shows it again with update, unless the listener
        deleted the row. The same word changes nothing and tells nobody (closing the
        call-out reports the colour once more). */
    template <typename Row>
    static void storeReportedColour (juce::uint32 colourWord, juce::uint32& field, SxControlChangedCallback* listener, Row& row)
    {
        if (colourWord == field)
            return;

        field = colourWord;
        const juce::WeakReference<juce::Component> stillThere (&row);

        if (listener != nullptr)
            listener->controlChanged (&row);

        if (stillThere != nullptr)
            row.update();
    }

    /** Shows the bound colour word again, when one is bound. */
    void update() override;

    /** The eyedropper: a release on the canvas while the picker intercepts it. Releases on
        the swatch itself go to the button. */
    void mouseUp (const juce::MouseEvent& e) override;
    void mouseDown (const juce::MouseEvent& e) override;

    void paintButton (juce::Graphics& g, bool isMouseOverButton, bool isButtonDown) override;
    void controlChanged (juce::Component* control) override;
    void buttonClicked (juce::Button* button) override;
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;

    void focusGained (FocusChangeType cause) override;
    void focusLost (FocusChangeType cause) override;

private:
    juce::Colour colour, borderColour;
    std::unique_ptr<SxColorSelector> selector;
    juce::Component::SafePointer<SxCallOutBox> callOut;
    bool showsAlpha = false;
    bool focusReturns = false, markReturns = false;
    SxKeyboardFocusMark focusMark;

    void makeSelector();
    /** The word reported to callback: alpha 255 unless alpha is shown. */
    juce::uint32 reportedWord (juce::Colour c) const;
    SxDocumentCanvasServices* canvas() const;
    void pickAt (SxDocumentCanvasServices& canvas, juce::Point<float> viewPoint);
    void stopIntercepting();
    void closeCallOutSilently();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxColorPicker)
};
