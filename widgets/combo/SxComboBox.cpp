#include "SxComboBox.h"

namespace
{
    /** A transparent stand-in for the screen: the framework caps a popup at its parent
        area's height less 24, so an area of the wanted height plus that gives the limit. */
    class PopupArea : public juce::Component
    {
    public:
        PopupArea()
        {
            setInterceptsMouseClicks (false, true);
            setAlwaysOnTop (true);
        }
    };
}

SxComboBox::SxComboBox (const juce::String& componentName, int maxHeight)
    : juce::ComboBox (componentName),
      maxPopupHeight (maxHeight),
      lookAndFeel (std::make_unique<SxComboBoxLookAndFeel>())
{
    setLookAndFeel (lookAndFeel.get());

    setColour (juce::ComboBox::backgroundColourId, juce::Colour (65, 65, 65));
    setColour (juce::ComboBox::textColourId, juce::Colours::white);
    setColour (juce::BubbleComponent::backgroundColourId, juce::Colour (65, 65, 65));
}

SxComboBox::~SxComboBox()
{
    // The popup and the text label stop using the look before it goes.
    hidePopup();
    removePopupArea();
    setLookAndFeel (nullptr);
}

juce::Label* SxComboBox::getTextLabel() const
{
    for (auto* child : getChildren())
        if (auto* label = dynamic_cast<juce::Label*> (child))
            return label;

    return nullptr;
}

void SxComboBox::setScrollWheelEnabled (bool enabled) noexcept
{
    wheelEnabled = enabled;
    juce::ComboBox::setScrollWheelEnabled (enabled);
}

//==============================================================================
void SxComboBox::setSelectedId (int itemId, juce::NotificationType notification)
{
    select (itemId, notification, Origin::code);
}

void SxComboBox::setSelectedItemIndex (int index, juce::NotificationType notification)
{
    select (getItemId (index), notification, Origin::code);
}

void SxComboBox::select (int itemId, juce::NotificationType notification, Origin origin)
{
    const auto text = itemId != 0 ? getItemText (indexOfItemId (itemId)) : juce::String();
    auto* label = getTextLabel();
    const auto previousId = lastSelectedId;

    if (label == nullptr || (itemId == previousId && label->getText() == text))
        return;

    label->setFont (juce::Font (17.0f));
    lastSelectedId = itemId;

    // Only a first selection made in code is silent.
    const bool tell = origin == Origin::user || previousId != 0;
    juce::ComboBox::setSelectedId (itemId, tell ? notification : juce::dontSendNotification);
}

void SxComboBox::valueChanged (juce::Value& value)
{
    // The selected-id value was set from outside: as the framework does, but through select.
    if (const int id = value.getValue(); id != lastSelectedId)
        select (id, juce::sendNotificationAsync, Origin::code);
}

bool SxComboBox::nudge (int delta)
{
    for (int i = getSelectedItemIndex() + delta; juce::isPositiveAndBelow (i, getNumItems()); i += delta)
    {
        if (isItemEnabled (getItemId (i)))
        {
            select (getItemId (i), juce::sendNotificationAsync, Origin::user);
            return true;
        }
    }

    return false;
}

bool SxComboBox::keyPressed (const juce::KeyPress& key)
{
    if (key == juce::KeyPress::upKey || key == juce::KeyPress::leftKey)
    {
        nudge (-1);
        return true;
    }

    if (key == juce::KeyPress::downKey || key == juce::KeyPress::rightKey)
    {
        nudge (1);
        return true;
    }

    return juce::ComboBox::keyPressed (key);
}

void SxComboBox::mouseWheelMove (const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel)
{
    if (isPopupActive() || ! wheelEnabled || e.eventComponent != this || wheel.deltaY == 0.0f)
    {
        juce::Component::mouseWheelMove (e, wheel);
        return;
    }

    wheelAccumulator += wheel.deltaY * 5.0f;

    for (; wheelAccumulator > 1.0f; wheelAccumulator -= 1.0f)
        nudge (-1);

    for (; wheelAccumulator < -1.0f; wheelAccumulator += 1.0f)
        nudge (1);
}

//==============================================================================
juce::PopupMenu::Options SxComboBox::popupOptions()
{
    auto options = getLookAndFeel().getOptionsForComboBoxPopupMenu (*this, *getTextLabel());
    auto* window = getTopLevelComponent();
    removePopupArea();

    if (maxPopupHeight < 0 || window == this)
        return options;

    const int border = getLookAndFeel().getPopupMenuBorderSizeWithOptions (options);
    const int height = maxPopupHeight + 24 + 2 * border;
    const auto box = window->getLocalArea (this, getLocalBounds());

    // The area begins on the box's last row (or ends on its first), so the framework opens
    // the popup right below (or above) the box, capped at the wanted height.
    const juce::Rectangle<int> below (0, box.getBottom() - 1 - border, window->getWidth(), height);
    const juce::Rectangle<int> above (0, box.getY() + 1 + border - height, window->getWidth(), height);
    const auto roomBelow = window->getHeight() - below.getY(), roomAbove = above.getBottom();
    const auto chosen = (roomBelow >= height || roomBelow >= roomAbove) ? below : above;

    auto* area = new PopupArea();
    popupArea = area;
    window->addAndMakeVisible (area);
    area->setBounds (chosen.getIntersection (window->getLocalBounds()));
    return options.withParentComponent (area);
}

void SxComboBox::removePopupArea()
{
    delete popupArea.getComponent();
    popupArea = nullptr;
}

void SxComboBox::showPopup()
{
    auto menu = *getRootMenu();

    if (menu.getNumItems() > 0)
    {
        const auto selectedId = getSelectedId();

        for (juce::PopupMenu::MenuItemIterator iterator (menu, true); iterator.next();)
        {
            auto& item = iterator.getItem();

            if (item.itemID != 0)
                item.isTicked = item.itemID == selectedId;
        }
    }
    else
    {
        menu.addItem (1, getTextWhenNoChoicesAvailable(), false, false);
    }

    menu.setLookAndFeel (&getLookAndFeel());
    menu.showMenuAsync (popupOptions(), [safe = juce::Component::SafePointer<SxComboBox> (this)] (int result)
    {
        if (auto* box = safe.getComponent())
        {
            box->hidePopup();
            box->removePopupArea();

            if (result != 0)
                box->select (result, juce::sendNotificationAsync, Origin::user);
        }
    });
}
