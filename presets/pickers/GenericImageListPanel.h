#pragma once

#include "EaseComponentAnimator.h"
#include "GenericImageList.h"
#include "SxControlChangedCallback.h"

#include <vector>

class SxCheckbox;
class SxScroller;

/** The thumbnail picker every owner uses: the opener shows the current choice; a click on
    it slides a panel of numbered thumbnails in over the effect panel from the right
    (306 px wide, its last 50 px beyond the window's edge, modal); a picked thumbnail
    becomes the choice and is reported to callback.

    Thumbnails are the items of a resource-archive group ("Thumbnail_Tolva_Backgrounds"),
    named by their file stems, in columns of (scroller width - 16) / columns - 12 pixels
    with even gaps; with 3 columns in the 254-px scroller that is 67 px with 13-px gaps,
    rows at y = 5, 85, 165...

    Timeline: the open slides for 300 ms (back out), then timer 100 pins the panel to the
    window's right edge. A close slides for 300 ms (back in); then timer 101 parks and
    detaches the panel and timer 103 ends its modal state. A pick with the shared
    "shouldCloseImageList" setting on (the default) closes the panel and timer 102 reports
    350 ms after the click; with it off the report follows at once and the panel stays.
    Reports always arrive through the message loop, never inside the click. Opening or
    closing while the panel slides is ignored; Escape and a click outside close it.

    Only this form is built: the panel beside the effect panel, the archive as the store,
    and every owner's settings (opensAsPanel, 3 columns, numbers, frame, backgrounds).
    The main component is reached through SxMainComponentServices. Message thread only.
*/
class GenericImageListPanel : public GenericImageList,
                              public juce::Button::Listener,
                              public juce::MultiTimer,
                              public juce::AsyncUpdater,
                              public SxControlChangedCallback,
                              public juce::KeyListener
{
public:
    enum TimerId
    {
        dockTimer = 100,
        parkTimer = 101,
        reportTimer = 102,
        leaveModalTimer = 103
    };

    static constexpr int slideMs = 300, reportDelayMs = 350;
    /** The panel's top (below the toolbar), its width over the effect panel, and the part
        that stays beyond the window's edge, so the back-out overshoot shows no gap. */
    static constexpr int panelTop = 33, panelWidth = 256, offScreenPart = 50;
    /** The height used when there is no effect panel to match. */
    static constexpr int fallbackHeight = 256;

    /** The shared setting: close the panel when a thumbnail is picked. */
    static constexpr const char* autoCloseKey = "shouldCloseImageList";

    GenericImageListPanel();
    ~GenericImageListPanel() override;

    /** What the application installs with GenericImageList::installMaker: a picker for the
        one form built here (every flag of variant false), null for any other. */
    static std::unique_ptr<GenericImageList> make (const Variant& variant);

    /** A shadow card behind each thumbnail. */
    bool itemBackgrounds = true;

    //==============================================================================
    bool isOpen() const override                { return open; }
    void toggle() override;
    /** Builds the opener and the panel once; later calls change nothing. */
    void rebuild() override;
    /** Reads the item names of the archive group; a non-empty store gives no items. */
    void setContent (const juce::String& group, const juce::String& store) override;
    void setSelectedIndex (int index) override;
    void selectItemNamed (const juce::String& name) override;
    int getSelectedIndex() const override       { return selectedIndex; }
    void dismiss() override;

    /** Slides the panel out; ignored while it slides or when it is not open. */
    void closePanel();

    void buttonClicked (juce::Button* button) override;
    /** The auto-close checkbox: stores its state in the settings file at once. */
    void controlChanged (juce::Component* control) override;
    /** Escape closes the panel as its Close button does. */
    bool keyPressed (const juce::KeyPress& key, juce::Component* originatingComponent) override;
    using juce::Component::keyPressed;
    void handleAsyncUpdate() override;
    void timerCallback (int timerId) override;

    //==============================================================================
    // What tests and the gallery look at

    const juce::StringArray& getItemNames() const noexcept  { return itemNames; }
    int getItemCount() const noexcept                       { return itemCount; }
    /** The sliding panel; null before rebuild. Owned here, a child of the main component
        while it is shown. */
    juce::Component* getSlidePanel() const noexcept         { return slidePanel.getComponent(); }
    SxScroller* getScroller() const noexcept;
    /** The thumbnail grid inside the scroller. */
    juce::Component* getGrid() const;
    int getNumItemButtons() const noexcept                  { return (int) itemButtons.size(); }
    /** Thumbnail button i; null outside the built buttons. */
    juce::Button* getItemButton (int index) const;
    juce::Component* getSelectionFrame() const noexcept     { return selectionFrame.getComponent(); }
    juce::Button* getOpenerButton() const noexcept          { return openerButton.getComponent(); }
    juce::Button* getCloseButton() const noexcept           { return closeButton.getComponent(); }
    SxCheckbox* getAutoCloseCheckbox() const noexcept;
    /** Where the grid is scrolled when the panel next opens. */
    juce::Point<int> getSavedViewPosition() const noexcept  { return savedViewPosition; }

    /** Slides the panel; public so that a test or the gallery can drive it. */
    EaseComponentAnimator animator;

private:
    juce::StringArray itemNames;
    int itemCount = 0;
    juce::String groupName, storeName;
    int selectedIndex = 0;
    bool open = false;
    juce::Point<int> savedViewPosition;

    // The parts live in the panel, which may be deleted with the main component while it is
    // shown there: every pointer into it is a safe one.
    juce::Component::SafePointer<juce::Component> slidePanel;
    juce::Component::SafePointer<juce::Component> scroller;
    std::vector<juce::Component::SafePointer<juce::Button>> itemButtons;
    juce::Component::SafePointer<juce::Component> selectionFrame;
    juce::Component::SafePointer<juce::ImageButton> openerButton;
    juce::Component::SafePointer<juce::Button> closeButton;
    juce::Component::SafePointer<juce::Component> autoCloseCheckbox;

    void buildOpener();
    void buildSlidePanel();
    void buildGrid();
    void buildCloseControls (juce::Component& panel);
    void destroyPanel();

    void openPanel();
    void slideOut (bool evenWhileSliding);
    void choose (juce::Button& button);
    void moveSelectionFrameTo (juce::Point<int> topLeft);

    /** Item i's picture from the image cache, loaded from the archive on a miss; null when
        it cannot be loaded or i is out of range. */
    juce::Image pictureOf (int index) const;
    void showOnOpener (const juce::Image& picture);

    static bool readAutoClose();
    static void writeAutoClose (bool shouldClose);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GenericImageListPanel)
};
