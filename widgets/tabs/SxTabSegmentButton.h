#pragma once

#include "SxImageButton.h"
#include "SxKeyboardFocusMark.h"

/** A picture tab of the tab row (SxTabSegmentController), standing for one control page.

    It keeps its three pictures so the row can swap them: normalImage while its page is not
    shown (also under the mouse), downImage while pressed, selectedImage while its page is
    shown. message is the text the floating message shows when the tab is clicked (the
    page's name). Focusable: Return on a focused tab clicks it, and a tab reached with the
    Tab key wears the focus ring.
*/
class SxTabSegmentButton : public SxImageButton
{
public:
    explicit SxTabSegmentButton (const juce::String& componentName);

    juce::Image normalImage, downImage, selectedImage;
    juce::String message;

    /** Takes a page-tab pair: normal for the normal and hover looks, pressed for the
        pressed and selected looks; sizes the tab to half the pictures' pixel size and shows
        the normal look. */
    void setPictures (const juce::Image& normal, const juce::Image& pressed);

    /** Normal and hover show normalImage, pressed shows downImage. */
    void showNormalLook();
    /** Every state shows selectedImage. */
    void showSelectedLook();

    void focusGained (FocusChangeType cause) override;
    void focusLost (FocusChangeType cause) override;
    void mouseDown (const juce::MouseEvent& e) override;

protected:
    void paintButton (juce::Graphics& g, bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;

private:
    SxKeyboardFocusMark focusMark;

    void showImages (const juce::Image& normal, const juce::Image& over, const juce::Image& down);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxTabSegmentButton)
};
