#include "SxSegmentedControl.h"

SxSegmentedControl::SxSegmentedControl()
{
    setWantsKeyboardFocus (true);
    // Hears presses on its segments too, to drop the keyboard focus ring.
    addMouseListener (this, true);
}

SxSegmentedControl::~SxSegmentedControl()
{
    removeMouseListener (this);
}

void SxSegmentedControl::setEnabled (bool shouldAcceptClicks)
{
    acceptsClicks = shouldAcceptClicks;
    // A control that takes no keys is no Tab stop either.
    setWantsKeyboardFocus (shouldAcceptClicks);

    if (! shouldAcceptClicks && hasKeyboardFocus (true))
        giveAwayKeyboardFocus();
}

int SxSegmentedControl::getSelectedIndex() const
{
    return selectedButton != nullptr ? buttons.indexOf (selectedButton) : -1;
}

SxSegmentButton& SxSegmentedControl::addSegment (juce::Component& parent, int index, int count,
                                                 juce::Rectangle<int> bounds, int labelWidth, int fontHeight)
{
    auto* segment = SxSegmentButton::create (index, count);
    segment->owner = this;
    parent.addAndMakeVisible (segment);
    segment->setBounds (bounds);
    segment->addListener (this);
    segment->addTextLabel (labels[index], fontHeight, labelWidth);
    buttons.add (segment);
    return *segment;
}

void SxSegmentedControl::select (SxSegmentButton& segment)
{
    if (&segment == selectedButton)
        return;

    if (selectedButton != nullptr)
        selectedButton->setSelected (false);

    segment.setSelected (true);
    selectedButton = &segment;
}

void SxSegmentedControl::forgetSegments()
{
    buttons.clear();
    selectedButton = nullptr;
}

bool SxSegmentedControl::keyPressed (const juce::KeyPress& key)
{
    const bool left = key == juce::KeyPress::leftKey, right = key == juce::KeyPress::rightKey;

    if (! (left || right) || ! acceptsClicks || buttons.isEmpty())
        return false;

    const int next = getSelectedIndex() + (right ? 1 : -1);

    if (juce::isPositiveAndBelow (next, buttons.size()))
        segmentChosenByKey (next);

    return true;
}

void SxSegmentedControl::focusGained (FocusChangeType cause)
{
    focusMark.focusGained (*this, cause);
}

void SxSegmentedControl::focusLost (FocusChangeType)
{
    focusMark.clear (*this);
}

void SxSegmentedControl::mouseDown (const juce::MouseEvent&)
{
    focusMark.clear (*this);
}

void SxSegmentedControl::paintOverChildren (juce::Graphics& g)
{
    if (focusMark.isShown (*this))
        SxKeyboardFocusMark::draw (g, getFocusArea().toFloat(), 6.0f);
}
