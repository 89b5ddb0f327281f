#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The dark look of SxComboBox and its popup list: a flat (65, 65, 65) box with two small
    grey arrows (none while disabled), white 13-pixel text, and a popup of the same grey
    whose hovered item turns (119, 119, 119). Shortcut texts are never drawn; the popup's
    scroll arrows are cyan. Each box owns one. */
class SxComboBoxLookAndFeel : public juce::LookAndFeel_V2
{
public:
    SxComboBoxLookAndFeel();

    void drawBubble (juce::Graphics& g, juce::BubbleComponent& bubble,
                     const juce::Point<float>& tip, const juce::Rectangle<float>& body) override;

    void drawPopupMenuBackground (juce::Graphics& g, int width, int height) override;
    void drawPopupMenuItem (juce::Graphics& g, const juce::Rectangle<int>& area,
                            bool isSeparator, bool isActive, bool isHighlighted, bool isTicked, bool hasSubMenu,
                            const juce::String& text, const juce::String& shortcutKeyText,
                            const juce::Drawable* icon, const juce::Colour* textColour) override;
    juce::Font getPopupMenuFont() override;
    void drawPopupMenuUpDownArrow (juce::Graphics& g, int width, int height, bool isScrollUpArrow) override;
    void getIdealPopupMenuItemSize (const juce::String& text, bool isSeparator, int standardMenuItemHeight,
                                    int& idealWidth, int& idealHeight) override;
    /** A popup placed inside the window (SxComboBox's height limit) gets no extra frame. */
    void drawResizableFrame (juce::Graphics&, int, int, const juce::BorderSize<int>&) override {}

    void drawComboBox (juce::Graphics& g, int width, int height, bool isButtonDown,
                       int buttonX, int buttonY, int buttonW, int buttonH, juce::ComboBox& box) override;
    juce::Font getComboBoxFont (juce::ComboBox& box) override;
    juce::Label* createComboBoxTextBox (juce::ComboBox& box) override;
    void positionComboBoxText (juce::ComboBox& box, juce::Label& label) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxComboBoxLookAndFeel)
};
