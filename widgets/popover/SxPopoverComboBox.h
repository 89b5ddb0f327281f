#pragma once

#include "SxComponent.h"
#include "SxControlChangedCallback.h"
#include "SxPopoverComboBoxCallback.h"

#include <memory>
#include <vector>

class SxCallOutBox;
class SxImageButton;
class SxScroller;

/** A menu that drops out of a toolbar or panel button: a call-out box holding a vertically
    scrolling list of text rows. Choosing a row reports its index.

        auto* menu = new SxPopoverComboBox ("openProjectImageComboBox", 100, 150, true);
        menu->callback = this;
        menu->addItem ("Open Image");
        menu->addItem ("Open Project");
        menu->showPopup (openButton);

    Rows are rowHeight high (32) with 3 pixels and a separator line between them; the list is
    as high as its rows up to maxListHeight and scrolls beyond. A row lights up under the
    mouse. Up and Down move the light over the rows that are enabled, Return chooses the lit
    row, Escape closes the list as a click outside it does.

    While shown the call-out is modal (entered through the main component without the alert,
    so the toolbar is disabled). Closing takes the call-out out of the modal state and off
    the screen first, then reports (popoverItemChosen for a row, popoverClosed otherwise), and
    deletes the call-out after the current event: the callback may delete this box.

    Ownership: the box owns the scroller; the rows live in the list inside it; the call-out
    belongs to the main window until it is deleted. showPopup may be called again, also while
    the list is open: the list is laid out anew with the rows it has.
*/
class SxPopoverComboBox : public SxComponent,
                          public juce::Button::Listener,
                          public SxControlChangedCallback,
                          private juce::KeyListener
{
public:
    SxPopoverComboBox (const juce::String& componentName, int listWidth, int maxListHeight, bool verticalOnly);
    ~SxPopoverComboBox() override;

    /** Told about the choice or the closing; not owned; set it before showing the list. */
    SxPopoverComboBoxCallback* callback = nullptr;

    /** A row's click (or Return on it): closes the list, then reports the row's index. */
    void buttonClicked (juce::Button* button) override;

    virtual void setRowHeight (int height);

    /** The call-out closed itself (a click outside it, Escape, hidden): reports popoverClosed. */
    void controlChanged (juce::Component* control) override;

    /** Appends a row that lights up with the highlight picture under the mouse. */
    virtual void addItem (const juce::String& text);

    /** Appends a row that shows image (slightly faded until the mouse is over it). */
    virtual void addItem (const juce::String& text, const juce::Image& image);

    /** Shows the list in a call-out pointing at anchor, in the main window. Nothing without
        an anchor, rows or a main component. */
    virtual void showPopup (juce::Component* anchor);

    /** Enables or disables every row whose text is exactly text. A disabled row is dimmed and
        cannot be chosen. */
    virtual void setItemEnabled (const juce::String& text, bool enabled);

    //==============================================================================
    bool isPopupShowing() const noexcept;
    /** The open call-out, null when the list is closed. */
    SxCallOutBox* getCallOut() const noexcept;
    /** Null before the first showing. */
    SxScroller* getScroller() const noexcept              { return scroller.get(); }
    int getRowHeight() const noexcept                      { return rowHeight; }
    int getNumItems() const noexcept                       { return (int) items.size(); }
    juce::String getItemText (int index) const;
    SxImageButton* getRowButton (int index) const;
    /** The row Up and Down have lit, -1 for none. */
    int getKeyboardRow() const noexcept                    { return keyboardRow; }

    /** Height of the list for the rows it has: min ((rowHeight + 3) x rows, maxListHeight). */
    int getListHeight() const noexcept;

private:
    struct Item
    {
        juce::String text;
        juce::Component::SafePointer<SxImageButton> row;
    };

    const int listWidth, maxListHeight;
    const bool verticalOnly;
    std::vector<Item> items;
    juce::Component::SafePointer<SxCallOutBox> callOut;
    std::unique_ptr<SxScroller> scroller;
    SxComponent* listContent = nullptr;
    int rowHeight = 32;
    int keyboardRow = -1;

    static constexpr int rowGap = 3, scrollBarThickness = 10;

    SxComponent& getList();
    SxImageButton& addRow (const juce::String& text);
    void layOutRows();
    void moveKeyboardRow (int step);
    void lightRow (int index);

    /** Takes the call-out out of the modal state and off the screen without a report, and
        deletes it after the current event. */
    void closeSilently();
    static void deleteAfterThisEvent (SxCallOutBox* box);

    bool keyPressed (const juce::KeyPress& key, juce::Component* originatingComponent) override;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxPopoverComboBox)
};
