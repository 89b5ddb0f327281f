#include "SxNamingDialog.h"

#include "SxMainComponentServices.h"
#include "SxNameDialogPassMessage.h"
#include "SxRelativeBounds.h"
#include "SxRoundRectangleButton.h"

namespace
{
    constexpr int slideInMs = 450, slideOutMs = 400;
    const juce::Colour ink (250, 250, 250);

    // Colour words: bytes alpha, red, green, blue in memory, so 0xd4c34fff is (79, 195, 212).
    constexpr juce::uint32 turquoise = 0xd4c34fffu, turquoiseLight = 0xd4c451ffu, turquoiseDown = 0xc0b03dffu;
    constexpr juce::uint32 grey75 = 0x4b4b4bffu, grey59 = 0x3b3b3bffu;
}

SxNamingDialog::SxNamingDialog (const juce::String& componentName, SxNamingDialogCallback* callback, const juce::String& caption)
    : namingCallback (callback)
{
    setName (componentName);
    setFocusContainerType (juce::Component::FocusContainerType::keyboardFocusContainer);

    setSize (400, 150);
    auto* main = SxMainComponentServices::getInstance();
    if (main != nullptr)
        main->getMainComponent().addAndMakeVisible (this, -1);
    SxRelativeBounds::apply (*this, "(parent.width / 2) - (width / 2), -151, left+400, top+150");
    setTitle ({});
    buildPanel();

    auto* label = new juce::Label ("savePresetLabel", caption);
    label->setFont (juce::Font (12.0f));
    label->setColour (juce::Label::textColourId, ink);
    label->setJustificationType (juce::Justification::centred);
    label->setInterceptsMouseClicks (false, false);
    label->setSize (190, 23);
    addAndMakeVisible (label);
    label->setCentreRelative (0.5f, 0.3f);

    nameBox = new juce::TextEditor ("presetNameBox");
    nameBox->setFont (juce::Font (13.0f));
    nameBox->setColour (juce::TextEditor::backgroundColourId, juce::Colour (53, 53, 53));
    nameBox->setColour (juce::TextEditor::outlineColourId, juce::Colour (77, 77, 77));
    nameBox->setColour (juce::TextEditor::focusedOutlineColourId, juce::Colour (79, 195, 212));
    nameBox->setColour (juce::TextEditor::textColourId, ink);
    nameBox->setColour (juce::TextEditor::highlightColourId, juce::Colour (79, 195, 212).withAlpha (0.45f));
    nameBox->setColour (juce::CaretComponent::caretColourId, ink);
    nameBox->setEscapeAndReturnKeysConsumed (false);
    nameBox->setInputRestrictions (maximumLength, allowedCharacters);
    nameBox->setExplicitFocusOrder (1);
    nameBox->setSize (150, 25);
    addAndMakeVisible (nameBox);
    SxRelativeBounds::apply (*nameBox, "parent.width / 2 - (width / 2), 60, left+150, top+25");

    const auto buttonTop = nameBox->getBottom() + 12;

    okButton = new SxRoundRectangleButton ("savePresetDoneButton", "Ok", {}, 3, turquoise, turquoise, turquoiseLight, turquoiseDown);
    okButton->addListener (this);
    okButton->setExplicitFocusOrder (2);
    addAndMakeVisible (okButton);
    okButton->setBounds (getWidth() / 2 + 5, buttonTop, 71, 22);

    cancelButton = new SxRoundRectangleButton ("cancelPresetDoneButton", "Cancel", {}, 3, grey75, grey75, turquoise, grey59);
    cancelButton->addListener (this);
    cancelButton->setExplicitFocusOrder (3);
    addAndMakeVisible (cancelButton);
    cancelButton->setBounds (getWidth() / 2 - 76, buttonTop, 71, 22);

    if (nameBox->isShowing())
        nameBox->grabKeyboardFocus();

    SxRelativeBounds::detach (*this);
    const auto start = getBounds();
    animator.animateComponent (this, start.withY (start.getY() + start.getHeight() - 24), slideInMs, false, 10, 1.0f, 0.0, 0.0);

    if (main != nullptr)
        main->enterModal (this, true);
    else
        enterModalState (false);
}

SxNamingDialog::~SxNamingDialog()
{
    animator.removeChangeListener (this);
}

juce::String SxNamingDialog::deliveredName (const juce::String& typed)
{
    return typed.trim().isEmpty() ? juce::String() : typed;
}

bool SxNamingDialog::keyPressed (const juce::KeyPress& key)
{
    if (key.isKeyCode (juce::KeyPress::escapeKey))
    {
        buttonClicked (cancelButton);
        return true;
    }

    if (key.isKeyCode (juce::KeyPress::returnKey))
    {
        buttonClicked (okButton);
        return true;
    }

    return false;
}

void SxNamingDialog::buttonClicked (juce::Button* button)
{
    // Sliding in or out, or already closed by an earlier press.
    if (animator.isAnimating (this) || closing || button == nullptr)
        return;

    SxRelativeBounds::detach (*this);
    const auto from = getBounds();
    animator.animateComponent (this, from.withY (from.getY() - from.getHeight() - 47), slideOutMs, false, 9, 1.0f, 0.5, 0.5);

    juce::Component::unfocusAllComponents();
    closing = true;
    closingButton = button;
    animator.addChangeListener (this);

    if (auto* main = SxMainComponentServices::getInstance())
        main->exitModal (this);
    else
        exitModalState (1);
}

void SxNamingDialog::changeListenerCallback (juce::ChangeBroadcaster*)
{
    // Change messages also come when a slide starts; only the end of the slide-up counts.
    if (! closing || animator.isAnimating (this) || nameBox == nullptr)
        return;

    // The animator is inside its own call here: the dialog that owns it goes afterwards.
    if (closingButton != okButton)
    {
        nameBox = nullptr;
        juce::MessageManager::callAsync ([self = juce::Component::SafePointer<SxNamingDialog> (this)]
                                         { delete self.getComponent(); });
        return;
    }

    const auto name = deliveredName (nameBox->getText());
    deleteAllChildren();
    nameBox = nullptr;
    okButton = cancelButton = nullptr;
    closingButton = nullptr;
    (new SxNameDialogPassMessage (*this, name))->post();
}
