#pragma once

#include "ActivityIndicator.h"
#include "SxComponent.h"

class SxImageComponent;

/** The busy overlay: a dark 236 x 169 card with a spinner and a one-line status text, shown
    in the middle of the document canvas while long work runs (ThreadedActivityWindow, and the
    main component's own "Rendering..." overlay).

    Children back to front: the card, the title label ("SxActivityContainerTitleLabel"), the
    spinner. Owns them (SxComponent). Takes no keys. */
class SxActivityContainer : public SxComponent
{
public:
    static constexpr int cardWidth = 236, cardHeight = 169;

    SxActivityContainer();

    /** The spinner turns from its first step. */
    void startSpinner();
    /** The spinner stops at its last angle. */
    void stopSpinner();
    void setSpinnerFrozen (bool frozen);
    /** Shows text on the title label (with a change notification). */
    void setMessage (const juce::String& text);

    juce::String getMessage() const                     { return titleLabel->getText(); }

    /** Takes every key and does nothing: while the overlay waits, no key reaches what it
        blocks through it. */
    bool keyPressed (const juce::KeyPress&) override    { return true; }
    juce::Label& getTitleLabel() const noexcept         { return *titleLabel; }
    ActivityIndicator& getSpinner() const noexcept      { return *spinner; }

private:
    SxImageComponent* background = nullptr;
    juce::Label* titleLabel = nullptr;
    ActivityIndicator* spinner = nullptr;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxActivityContainer)
};
