#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

/** The program's own look-and-feel, made once by the main component, installed on it and made
    the framework's default. It draws popup menus, the menu bar and tooltips its own way and
    leaves everything else, every font and every colour to LookAndFeel_V2 (no colour is set
    on it, so menus are V2's: white with pale stripes and a blue highlight).

    The alert for a press on a component blocked by the modal state is heard only while the
    main component allows it (SxMainComponentServices::alertOnBlockedInput).

    Everything here is called by the framework on the message thread.
*/
class SxMainLookAndFeel : public juce::LookAndFeel_V2
{
public:
    SxMainLookAndFeel();

    /** What a permitted alert does: rings the X bell unless replaced (tests count it). */
    std::function<void()> alertSound;

    void playAlertSound() override;

    //==============================================================================
    /** Plain background with a pale stripe on every third row from the top; no outline. */
    void drawPopupMenuBackground (juce::Graphics& g, int width, int height) override;

    /** An item: highlight, tick or icon in a square left column, the text left-aligned after
        it, the shortcut right-aligned, the sub-menu arrow at the right. A separator is two
        hairlines whatever the item's state. The menu font shrinks to fit low items. */
    void drawPopupMenuItem (juce::Graphics& g, const juce::Rectangle<int>& area,
                            bool isSeparator, bool isActive, bool isHighlighted, bool isTicked,
                            bool hasSubMenu, const juce::String& text, const juce::String& shortcutKeyText,
                            const juce::Drawable* icon, const juce::Colour* textColour) override;

    /** The scroll arrow at the top or bottom of a menu too tall for the screen. */
    void drawPopupMenuUpDownArrow (juce::Graphics& g, int width, int height, bool isScrollUpArrow) override;

    //==============================================================================
    /** A square shiny bar whose side outlines fall outside the component; one flat colour
        while the bar is disabled. */
    void drawMenuBarBackground (juce::Graphics& g, int width, int height, bool isMouseOverBar,
                                juce::MenuBarComponent& menuBar) override;

    void drawMenuBarItem (juce::Graphics& g, int width, int height, int itemIndex, const juce::String& itemText,
                          bool isMouseOverItem, bool isMenuOpen, bool isMouseOverBar,
                          juce::MenuBarComponent& menuBar) override;

    //==============================================================================
    /** A tip's text as it is measured and drawn: bold 13, left-aligned, wrapped into lines of
        similar length no wider than 300 pixels. */
    static juce::TextLayout layoutTooltipText (const juce::String& tipText, juce::Colour colour);

    /** The tip's size: its text plus 8 pixels each way (an empty tip is 8 x 8). The framework
        no longer asks for it by this name: getTooltipBounds does. */
    static void getTooltipSize (const juce::String& tipText, int& width, int& height);

    /** That size, placed beside the pointer as LookAndFeel_V2 places tips: right of and
        below it, or left of and above it past the middle of the area, kept inside the area. */
    juce::Rectangle<int> getTooltipBounds (const juce::String& tipText, juce::Point<int> screenPos,
                                           juce::Rectangle<int> parentArea) override;

    /** Dark grey with a white frame and white text. */
    void drawTooltip (juce::Graphics& g, const juce::String& text, int width, int height) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxMainLookAndFeel)
};
