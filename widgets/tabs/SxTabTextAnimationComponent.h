#pragma once

#include "SxComponent.h"

class SxImageComponent;
class SxLabel;

/** The floating message of a tab click: a small dark picture with the page's name, shown in
    the main component above the clicked tab. It fades in, stays a second, fades out and
    deletes itself:

        auto* message = new SxTabTextAnimationComponent();   // lives until it deletes itself
        message->setText ("Adjust");
        message->placeAbove (tab, -5);
        message->show (300);

    With show (300): fully visible 300 ms later, fading out from 1300 ms (timer holdTimerId),
    deleted at 1650 ms (timer endTimerId). The fades run on the framework's component
    animator; show fades in from whatever alpha the picture has, so showing again while it
    fades does not flash.

    The message itself is never on screen; its picture is, as a child of the main component,
    and it takes no clicks. Whoever deletes the main component first takes the picture with
    it; the message then deletes nothing more.
*/
class SxTabTextAnimationComponent : public SxComponent,
                                    public juce::MultiTimer
{
public:
    static constexpr int holdTimerId = 101, endTimerId = 103;
    static constexpr int pictureHeight = 20;

    SxTabTextAnimationComponent();
    ~SxTabTextAnimationComponent() override;

    /** How long the message stays fully visible after fading in. */
    int holdTime = 1000;

    /** The text, without notification. */
    void setText (const juce::String& text);

    /** Sizes the picture to the text plus 30 pixels and puts it centred above target, its
        bottom edge 4 - yOffset pixels above the target, inside the main component. */
    void placeAbove (juce::Component* target, int yOffset);

    /** Fades the picture in over fadeInMs from its current alpha, and fades it out
        holdTime later. */
    void show (int fadeInMs);

    /** Fades the picture out over ms; the message deletes itself 50 ms after. */
    void fadeOut (int ms);

    bool isFadingOut() const noexcept  { return fadingOut; }

    /** The picture in the main component; null once someone else deleted it. */
    SxImageComponent* getPicture() const noexcept;
    /** The label on the picture; null with the picture. */
    SxLabel* getLabel() const noexcept;
    juce::ComponentAnimator& getAnimator() noexcept  { return animator; }

    void timerCallback (int timerId) override;

private:
    juce::Component::SafePointer<SxImageComponent> picture;
    juce::Component::SafePointer<SxLabel> label;
    bool fadingOut = false;
    juce::ComponentAnimator animator;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxTabTextAnimationComponent)
};
