#include "SxColorPicker.h"

#include "SxColorComponent.h"
#include "SxDocumentCanvasServices.h"
#include "SxMainComponentServices.h"

SxColorPicker::SxColorPicker (const juce::String& componentName, juce::Colour c, juce::Colour border)
    : juce::Button (componentName),
      colour (c),
      borderColour (border)
{
    setName (componentName);
    addListener (this);
    makeSelector();
    repaint();
}

SxColorPicker::~SxColorPicker()
{
    closeCallOutSilently();
    stopIntercepting();
    selector->removeChangeListener (this);
    removeListener (this);
}

void SxColorPicker::makeSelector()
{
    if (selector != nullptr)
        selector->removeChangeListener (this);

    selector = std::make_unique<SxColorSelector> (showsAlpha);
    selector->setCurrentColour (colour, juce::dontSendNotification);
    selector->addChangeListener (this);
}

void SxColorPicker::setColour (juce::uint32 colourWord)
{
    colour = SxColorComponent::colourFromWord (colourWord);
    selector->setCurrentColour (colour, juce::dontSendNotification);
    repaint();
}

void SxColorPicker::setShowsAlpha (bool show)
{
    if (show == showsAlpha)
        return;

    // The selector's sections are fixed when it is made, and the open call-out shows it.
    if (auto* box = callOut.getComponent())
        box->inputAttemptOutsideModal();

    closeCallOutSilently();
    showsAlpha = show;
    makeSelector();
    repaint();
}

void SxColorPicker::update()
{
    if (boundColour != nullptr)
        setColour (*boundColour);
}

juce::uint32 SxColorPicker::reportedWord (juce::Colour c) const
{
    return SxColorComponent::wordFromColour (showsAlpha ? c : c.withAlpha ((juce::uint8) 255));
}

//==============================================================================
void SxColorPicker::buttonClicked (juce::Button* button)
{
    if (button != this || callOut != nullptr)
        return;

    auto* main = SxMainComponentServices::getInstance();
    auto* window = main != nullptr ? main->getMainWindow() : nullptr;

    selector->setBounds (0, 0, 300, 300);
    const auto area = window != nullptr ? window->getLocalArea (this, getLocalBounds()) : getScreenBounds();

    auto* box = new SxCallOutBox (*selector, area, window, false);
    box->dismissed = false;
    box->passesCanvasEvents = true;
    box->listener = this;
    callOut = box;

    if (auto* c = canvas())
        c->mouseInterceptor = this;

    focusReturns = hasKeyboardFocus (false);
    markReturns = focusMark.isShown (*this);

    if (main != nullptr)
        main->enterModal (box, false);
    else
        box->enterModalState (false);
}

void SxColorPicker::controlChanged (juce::Component* control)
{
    auto* box = callOut.getComponent();

    if (control == nullptr || control != box)
        return;

    stopIntercepting();
    callOut = nullptr;
    delete box;

    if (focusReturns && isShowing() && ! hasKeyboardFocus (false))
        grabKeyboardFocus();

    if (markReturns)
        focusMark.focusGained (*this, focusChangedByTabKey);

    // Last: the owner may rebuild its panel, this picker with it.
    if (callback != nullptr)
        callback->colourChanged (this, reportedWord (selector->getCurrentColour()));
}

void SxColorPicker::closeCallOutSilently()
{
    auto* box = callOut.getComponent();
    callOut = nullptr;

    if (box == nullptr)
        return;

    box->listener = nullptr;

    if (! box->dismissed)
        box->inputAttemptOutsideModal();

    delete box;
    stopIntercepting();
}

void SxColorPicker::changeListenerCallback (juce::ChangeBroadcaster*)
{
    colour = selector->getCurrentColour();
    repaint();

    if (boundColour != nullptr)
        *boundColour = SxColorComponent::wordFromColour (colour);

    if (callback != nullptr)
        callback->colourChanged (this, reportedWord (colour));
}

//==============================================================================
SxDocumentCanvasServices* SxColorPicker::canvas() const
{
    auto* main = SxMainComponentServices::getInstance();
    return main != nullptr ? main->getDocumentCanvas() : nullptr;
}

void SxColorPicker::stopIntercepting()
{
    if (auto* c = canvas(); c != nullptr && c->mouseInterceptor == this)
        c->mouseInterceptor = nullptr;
}

void SxColorPicker::mouseUp (const juce::MouseEvent& e)
{
    auto* c = canvas();

    if (c != nullptr && e.eventComponent == &c->getCanvasComponent() && e.eventComponent != this)
        pickAt (*c, e.position);
    else
        juce::Button::mouseUp (e);
}

void SxColorPicker::mouseDown (const juce::MouseEvent& e)
{
    // Presses on the canvas do nothing while the picker intercepts them.
    if (e.eventComponent != this)
        return;

    focusMark.clear (*this);
    juce::Button::mouseDown (e);
}

void SxColorPicker::pickAt (SxDocumentCanvasServices& c, juce::Point<float> position)
{
    SxPoint viewPoint;
    viewPoint.x = position.x;
    viewPoint.y = position.y;

    const auto imagePoint = c.viewToDocument (viewPoint);
    const auto size = c.getImageSize();

    if (imagePoint.x < 0.0f || imagePoint.y < 0.0f || imagePoint.x >= size.x || imagePoint.y >= size.y)
    {
        // Beside the image: there is nothing to pick.
        if (auto* box = callOut.getComponent())
            box->inputAttemptOutsideModal();

        return;
    }

    const auto word = c.getImageColorAt (viewPoint);

    if ((word & 0xffu) != 0)
        selector->setCurrentColour (SxColorComponent::colourFromWord (word), juce::sendNotification);
}

//==============================================================================
void SxColorPicker::paintButton (juce::Graphics& g, bool isMouseOverButton, bool isButtonDown)
{
    const auto w = getWidth(), h = getHeight();
    const auto shown = showsAlpha ? colour : colour.withAlpha (1.0f);

    // A colour that is not opaque lies over a checkerboard, so the swatch never takes on the
    // panel behind it.
    if (! shown.isOpaque())
        g.fillCheckerBoard (juce::Rectangle<float> (-1.0f, -1.0f, (float) w + 1.0f, (float) h + 1.0f),
                            2.0f, 2.0f, juce::Colours::white, juce::Colours::black);

    g.fillAll (shown);

    if (isButtonDown)
        g.fillAll (juce::Colour ((juce::uint8) 51, 51, 51, (juce::uint8) 89));
    else if (isMouseOverButton)
        g.fillAll (juce::Colour ((juce::uint8) 255, 255, 255, (juce::uint8) 89));

    if (borderColour == juce::Colours::black)
    {
        g.setColour (juce::Colours::black);
        g.drawRect (0, 0, w, h, 1);
    }
    else
    {
        g.setColour (juce::Colours::black);
        g.drawRect (1, 1, w - 2, h - 2, 1);
        g.setColour (borderColour);
        g.drawRect (0, 0, w, h, 1);
    }

    if (focusMark.isShown (*this))
        SxKeyboardFocusMark::draw (g, getLocalBounds().toFloat(), 2.0f);
}

void SxColorPicker::focusGained (FocusChangeType cause)
{
    focusMark.focusGained (*this, cause);
    juce::Button::focusGained (cause);
}

void SxColorPicker::focusLost (FocusChangeType cause)
{
    focusMark.clear (*this);
    juce::Button::focusLost (cause);
}
