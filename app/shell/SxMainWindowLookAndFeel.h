#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The main window's menus and bubbles: dark grey panels with white-smoke text. Everything
    else is LookAndFeel_V2's. */
class SxMainWindowLookAndFeel : public juce::LookAndFeel_V2
{
public:
    SxMainWindowLookAndFeel() = default;

    /** The framework's bubble outline filled with grey 58 and stroked in white at alpha
        0.8, two pixels wide. */
    void drawBubble (juce::Graphics&, juce::BubbleComponent&,
                     const juce::Point<float>& tip, const juce::Rectangle<float>& body) override;

    /** Grey 64. */
    void drawPopupMenuBackground (juce::Graphics&, int width, int height) override;

    /** Separators as a dark and a light hairline; items in white smoke on grey 94 when
        highlighted, at opacity 0.3 when inactive, laid out like the framework's own. */
    void drawPopupMenuItem (juce::Graphics&, const juce::Rectangle<int>& area,
                            bool isSeparator, bool isActive, bool isHighlighted, bool isTicked,
                            bool hasSubMenu, const juce::String& text, const juce::String& shortcutKeyText,
                            const juce::Drawable* icon, const juce::Colour* textColour) override;

    /** Grey 40. */
    void drawMenuBarBackground (juce::Graphics&, int width, int height, bool isMouseOverBar,
                                juce::MenuBarComponent&) override;

    /** White smoke, on grey 64 under the mouse or while its menu is open; a disabled bar
        shows the pop-up text colour at half alpha. */
    void drawMenuBarItem (juce::Graphics&, int width, int height, int itemIndex, const juce::String& itemText,
                          bool isMouseOverItem, bool isMenuOpen, bool isMouseOverBar,
                          juce::MenuBarComponent&) override;

    static inline const juce::Colour whiteSmoke { 245, 245, 245 };

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxMainWindowLookAndFeel)
};
