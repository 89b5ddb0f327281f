#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The busy spinner: a 130 x 130 picture turned a sixteenth of a turn every 50 ms about the
    centre of its bounds (a full turn every 800 ms). Stopped, it keeps its last angle; frozen,
    it shows the still picture and does not turn even while its timer runs. */
class ActivityIndicator : public juce::Component,
                          private juce::Timer
{
public:
    ActivityIndicator();
    ~ActivityIndicator() override;

    /** Back to the first step and turning. */
    void start();
    /** Stops turning where it is. */
    void stop();
    void setFrozen (bool shouldBeFrozen);

    bool isFrozen() const noexcept              { return frozen; }
    bool isSpinning() const noexcept            { return isTimerRunning(); }
    /** The sixteenth of a turn the next tick shows, 0-15. */
    int getStep() const noexcept                { return step; }
    /** The picture paint draws now. */
    const juce::Image& getShownImage() const noexcept  { return frozen ? stillImage : spinningImage; }

    /** One 50 ms step (public so that a test can drive it). */
    void timerCallback() override;

    void paint (juce::Graphics& g) override;

private:
    juce::Image spinningImage, stillImage;
    int step = 0;
    bool frozen = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ActivityIndicator)
};
