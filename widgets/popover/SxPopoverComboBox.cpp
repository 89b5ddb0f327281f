#include "SxPopoverComboBox.h"

#include "SxCallOutBox.h"
#include "SxImageButton.h"
#include "SxImageComponent.h"
#include "SxMainComponentServices.h"
#include "SxRelativeBounds.h"
#include "SxScroller.h"
#include "SxWidgetArt.h"

SxPopoverComboBox::SxPopoverComboBox (const juce::String& componentName, int width, int maxHeight, bool vertical)
    : SxComponent (componentName),
      listWidth (width),
      maxListHeight (maxHeight),
      verticalOnly (vertical)
{
}

SxPopoverComboBox::~SxPopoverComboBox()
{
    closeSilently();

    // A call-out still waiting for deletion must not keep the list, which goes with this box.
    if (scroller != nullptr)
        if (auto* holder = scroller->getParentComponent())
            holder->removeChildComponent (scroller.get());
}

//==============================================================================
SxComponent& SxPopoverComboBox::getList()
{
    if (scroller == nullptr)
    {
        scroller = std::make_unique<SxScroller> ("SxPopoverComponentScroller");
        scroller->setInterceptsMouseClicks (true, true);
        scroller->setScrollBarsShown (true, false);
        scroller->setScrollBarThickness (scrollBarThickness);
        scroller->horizontal = false;
        // A quiet thumb: the list, not its bar, should catch the eye.
        scroller->getVerticalScrollBar().setColour (juce::ScrollBar::thumbColourId, juce::Colour (250, 250, 250).withAlpha (0.45f));

        listContent = new SxComponent ("SxLayoutComponentScrollerInsideComponent");
        listContent->setWantsKeyboardFocus (true);
        listContent->addKeyListener (this);
        scroller->setViewedComponent (listContent, true);
    }

    return *listContent;
}

SxImageButton& SxPopoverComboBox::addRow (const juce::String& text)
{
    const int index = (int) items.size();
    auto& list = getList();

    auto* row = new SxImageButton (juce::String (index));
    row->setTitle (text);
    row->addListener (this);
    // The list keeps the keyboard focus, so Up and Down keep working after a click.
    row->setWantsKeyboardFocus (false);
    row->setMouseClickGrabsKeyboardFocus (false);
    list.addAndMakeVisible (row);

    auto* label = new juce::Label ("popovercomboBoxLabel" + juce::String (index), text);
    label->setFont (juce::Font (14.0f));
    label->setColour (juce::Label::textColourId, juce::Colour (250, 250, 250));
    label->setJustificationType (juce::Justification::centred);
    label->setInterceptsMouseClicks (false, false);
    label->setAccessible (false);
    row->addAndMakeVisible (label);
    SxRelativeBounds::apply (*label, "0, 0, left + parent.width, top + parent.height");

    auto* separator = new SxImageComponent (juce::String());
    separator->setImage (SxWidgetArt::get (WidgetArt::popoverSeparator), juce::RectanglePlacement::stretchToFit);
    separator->setInterceptsMouseClicks (false, false);
    separator->setComponentID ("separator" + juce::String (index));
    list.addAndMakeVisible (separator);

    items.push_back ({ text, row });
    return *row;
}

void SxPopoverComboBox::addItem (const juce::String& text)
{
    const auto highlight = SxWidgetArt::get (WidgetArt::popoverHighlight);
    const juce::Colour none;
    addRow (text).setImages (false, true, false, highlight, 0.0f, none, highlight, 1.0f, none, highlight, 1.0f, none);
}

void SxPopoverComboBox::addItem (const juce::String& text, const juce::Image& image)
{
    const juce::Colour none;
    addRow (text).setImages (false, true, false, image, 0.9f, none, image, 1.0f, none, image, 1.0f, none);
}

void SxPopoverComboBox::setRowHeight (int height)
{
    rowHeight = height;
}

void SxPopoverComboBox::setItemEnabled (const juce::String& text, bool enabled)
{
    for (auto& item : items)
        if (item.text == text && item.row != nullptr)
            item.row->setEnabled (enabled);
}

int SxPopoverComboBox::getListHeight() const noexcept
{
    return juce::jmin ((rowHeight + rowGap) * (int) items.size(), maxListHeight);
}

//==============================================================================
void SxPopoverComboBox::layOutRows()
{
    const int n = (int) items.size();
    const int contentHeight = (rowHeight + rowGap) * n;
    const int listHeight = getListHeight();
    // Rows that scroll keep clear of the scroll bar, so their text stays centred in view.
    const int rowWidth = contentHeight > listHeight ? listWidth - scrollBarThickness : listWidth;
    const int separatorHeight = SxWidgetArt::get (WidgetArt::popoverSeparator).getHeight() / 2;

    scroller->setBounds (0, 0, listWidth, listHeight);
    listContent->setSize (rowWidth, contentHeight);

    for (int i = 0, y = 0; i < n; ++i, y += rowHeight + rowGap)
    {
        if (auto* row = items[(size_t) i].row.getComponent())
        {
            row->setBounds (0, y, rowWidth, rowHeight);
            row->setState (juce::Button::buttonNormal);
        }

        if (auto* separator = listContent->findChildWithID ("separator" + juce::String (i)))
            separator->setBounds (3, y + rowHeight + 1, rowWidth - 6, separatorHeight);
    }

    scroller->setViewPosition (0, 0);
    keyboardRow = -1;
}

void SxPopoverComboBox::showPopup (juce::Component* anchor)
{
    auto* main = SxMainComponentServices::getInstance();
    auto* window = main != nullptr ? main->getMainWindow() : nullptr;

    if (anchor == nullptr || window == nullptr || items.empty())
        return;

    closeSilently();
    getList();
    layOutRows();

    auto* box = new SxCallOutBox (*scroller, window->getLocalArea (anchor, anchor->getLocalBounds()), window, verticalOnly);
    box->listener = this;
    callOut = box;
    main->enterModal (box, false);
    listContent->grabKeyboardFocus();
}

bool SxPopoverComboBox::isPopupShowing() const noexcept
{
    return callOut != nullptr;
}

SxCallOutBox* SxPopoverComboBox::getCallOut() const noexcept
{
    return callOut.getComponent();
}

juce::String SxPopoverComboBox::getItemText (int index) const
{
    return juce::isPositiveAndBelow (index, (int) items.size()) ? items[(size_t) index].text : juce::String();
}

SxImageButton* SxPopoverComboBox::getRowButton (int index) const
{
    return juce::isPositiveAndBelow (index, (int) items.size()) ? items[(size_t) index].row.getComponent() : nullptr;
}

//==============================================================================
void SxPopoverComboBox::buttonClicked (juce::Button* button)
{
    const int index = button->getName().getIntValue();
    closeSilently();

    // Last: the owner may delete this box.
    if (callback != nullptr)
        callback->popoverItemChosen (this, index);
}

void SxPopoverComboBox::controlChanged (juce::Component* control)
{
    auto* box = callOut.getComponent();

    if (box == nullptr || control != box)
        return;

    // The call-out has left the modal state and the screen already.
    callOut = nullptr;
    deleteAfterThisEvent (box);

    if (callback != nullptr)
        callback->popoverClosed (this);
}

void SxPopoverComboBox::closeSilently()
{
    auto* box = callOut.getComponent();

    if (box == nullptr)
        return;

    callOut = nullptr;
    box->listener = nullptr;
    box->inputAttemptOutsideModal();
    deleteAfterThisEvent (box);
}

void SxPopoverComboBox::deleteAfterThisEvent (SxCallOutBox* box)
{
    // Not at once: the call-out may be the caller (its dismissal reports to controlChanged).
    juce::MessageManager::callAsync ([box = juce::Component::SafePointer<SxCallOutBox> (box)]
    {
        delete box.getComponent();
    });
}

//==============================================================================
bool SxPopoverComboBox::keyPressed (const juce::KeyPress& key, juce::Component*)
{
    if (key.isKeyCode (juce::KeyPress::downKey))
    {
        moveKeyboardRow (1);
        return true;
    }

    if (key.isKeyCode (juce::KeyPress::upKey))
    {
        moveKeyboardRow (-1);
        return true;
    }

    if (key.isKeyCode (juce::KeyPress::returnKey))
    {
        if (auto* row = getRowButton (keyboardRow); row != nullptr && row->isEnabled())
            buttonClicked (row);

        return true;
    }

    if (key.isKeyCode (juce::KeyPress::escapeKey))
    {
        if (auto* box = callOut.getComponent())
            box->inputAttemptOutsideModal();

        return true;
    }

    return false;
}

void SxPopoverComboBox::moveKeyboardRow (int step)
{
    const int n = (int) items.size();
    int index = keyboardRow;

    // From no row, Down starts at the top and Up at the bottom; disabled rows are skipped.
    for (int tries = 0; tries < n; ++tries)
    {
        index = index < 0 ? (step > 0 ? 0 : n - 1) : index + step;

        if (! juce::isPositiveAndBelow (index, n))
            return;

        if (auto* row = getRowButton (index); row != nullptr && row->isEnabled())
        {
            lightRow (index);
            return;
        }
    }
}

void SxPopoverComboBox::lightRow (int index)
{
    if (auto* previous = getRowButton (keyboardRow))
        previous->setState (juce::Button::buttonNormal);

    keyboardRow = index;
    auto* row = getRowButton (index);
    row->setState (juce::Button::buttonOver);

    // Keep the lit row in view.
    const int viewTop = scroller->getViewPositionY(), viewHeight = scroller->getViewHeight();
    if (row->getY() < viewTop)
        scroller->setViewPosition (0, row->getY());
    else if (row->getBottom() > viewTop + viewHeight)
        scroller->setViewPosition (0, row->getBottom() - viewHeight);
}
