#pragma once

#include "SxComboBoxLookAndFeel.h"
#include "SxUpdateComponent.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

/** The kit's drop-down list (the layer panel's blend modes), in its own dark look
    (SxComboBoxLookAndFeel) with a popup no taller than maxPopupHeight, which scrolls when
    the items need more room.

        auto* modes = new SxComboBox ("paintComboBox", 120);
        modes->addItemList (blendModeNames, 1);
        modes->setSelectedId (layer.blendMode + 1);   // silent: the first selection in code
        modes->addListener (this);

    Selection. A selection made in code notifies the box's listeners as asked, except the
    first one after construction, which only shows the item; a user's choice (from the
    popup, by the arrow keys or the wheel) always notifies, the first one included.
    Selecting the id already shown does nothing; an id no item has shows no text and is
    kept. Keys are the framework's: Return opens the popup, the arrows step through items.

    Limited popups open inside the box's window, just below the box (above it when the
    window has no room below); -1 keeps the framework's rule, a desktop popup as tall as
    the screen allows.
*/
class SxComboBox : public juce::ComboBox,
                   public SxUpdateComponent
{
public:
    SxComboBox (const juce::String& componentName, int maxPopupHeight);
    ~SxComboBox() override;

    /** Selects the item with this id (see above). */
    virtual void setSelectedId (int itemId, juce::NotificationType notification = juce::sendNotificationAsync);
    /** Selects the item at index (none for an index out of range), as setSelectedId does. */
    void setSelectedItemIndex (int index, juce::NotificationType notification = juce::sendNotificationAsync);

    /** Shows nothing new: the owner selects the bound mode itself. */
    void update() override {}

    int getMaxPopupHeight() const noexcept  { return maxPopupHeight; }

    /** The text label the box shows its selection in (the framework makes it anew when the
        look changes). */
    juce::Label* getTextLabel() const;

    /** The component a limited popup opens in while it is open; null otherwise. */
    juce::Component* getPopupArea() const noexcept  { return popupArea.getComponent(); }

    void showPopup() override;
    bool keyPressed (const juce::KeyPress& key) override;
    void mouseWheelMove (const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel) override;
    void valueChanged (juce::Value& value) override;
    void setScrollWheelEnabled (bool enabled) noexcept;

private:
    enum class Origin { code, user };

    const int maxPopupHeight;
    std::unique_ptr<SxComboBoxLookAndFeel> lookAndFeel;
    // A child of the box's window, which may delete it first.
    juce::Component::SafePointer<juce::Component> popupArea;
    int lastSelectedId = 0;
    float wheelAccumulator = 0.0f;
    bool wheelEnabled = true;

    void select (int itemId, juce::NotificationType notification, Origin origin);
    bool nudge (int delta);
    juce::PopupMenu::Options popupOptions();
    void removePopupArea();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxComboBox)
};
