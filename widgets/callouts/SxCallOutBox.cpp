#include "SxCallOutBox.h"

#include "SxClock.h"
#include "SxMainComponentServices.h"

namespace
{
    juce::Rectangle<int> fitAreaFor (juce::Component* parent, juce::Rectangle<int> areaToPointTo)
    {
        if (parent != nullptr)
            return parent->getLocalBounds();

        return juce::Desktop::getInstance().getDisplays().getDisplayForRect (areaToPointTo)->userArea;
    }
}

SxCallOutBox::SxCallOutBox (juce::Component& c, juce::Rectangle<int> areaToPointTo, juce::Component* parent, bool vertical)
    : juce::CallOutBox (c, areaToPointTo, parent),
      juce::ComponentMovementWatcher (this),
      content (c),
      verticalOnly (vertical),
      createdAt (SxClock::getMillisecondCounter())
{
    // The framework placed the box by its own rule while this class was not yet in place.
    SxCallOutBox::updatePosition (areaToPointTo, fitAreaFor (parent, areaToPointTo));
}

SxCallOutBox::~SxCallOutBox() = default;

void SxCallOutBox::inputAttemptOutsideModal()
{
    dismissed = true;

    auto* main = SxMainComponentServices::getInstance();

    if (main != nullptr && main->isQuitting())
        return;

    if (main != nullptr)
        main->exitModal (this);
    else
        exitModalState (1);

    setVisible (false);

    // Last: the listener may delete the box.
    if (auto* told = std::exchange (listener, nullptr))
        told->controlChanged (this);
}

void SxCallOutBox::updatePosition (const juce::Rectangle<int>& areaToPointTo, const juce::Rectangle<int>& areaToFitIn)
{
    keepAreas (areaToPointTo, areaToFitIn);

    if (verticalOnly)
        placeOn (SxCallOutPlacement::verticalSides);
    else
        placeOn (SxCallOutPlacement::anySide);
}

void SxCallOutBox::reposition()
{
    updatePosition (targetArea, availableArea);
}

void SxCallOutBox::keepAreas (const juce::Rectangle<int>& areaToPointTo, const juce::Rectangle<int>& areaToFitIn)
{
    targetArea = areaToPointTo;
    availableArea = areaToFitIn;
}

void SxCallOutBox::placeOn (std::span<const SxCallOutPlacement::Side> sides)
{
    SxCallOutPlacement::Geometry geometry;
    geometry.target = targetArea;
    geometry.fitIn = availableArea;
    geometry.contentWidth = content.getWidth();
    geometry.contentHeight = content.getHeight();
    geometry.border = getBorderSize();
    geometry.arrow = arrowSize;

    const auto placed = SxCallOutPlacement::place (geometry, sides);
    tip = placed.tip;
    side = placed.side;
    setBounds (placed.bounds);
    // Same bounds, other tip: the outline changes all the same.
    refreshPath();
}

void SxCallOutBox::setArrowSize (float newSize)
{
    arrowSize = newSize;
    refreshPath();
}

int SxCallOutBox::getBorderSize() const noexcept
{
    return juce::jmax (minimumBorder, (int) arrowSize);
}

void SxCallOutBox::refreshPath()
{
    repaint();
    outline.clear();

    // As the framework draws its bubble: the body hugs the content, the arrow reaches the tip.
    const float gap = 4.5f;
    outline.addBubble (getLocalArea (&content, content.getLocalBounds().toFloat()).expanded (gap, gap),
                       getLocalBounds().toFloat(),
                       tip - getPosition().toFloat(),
                       cornerSize, arrowSize * 0.7f);
}

void SxCallOutBox::paint (juce::Graphics& g)
{
    g.setColour (juce::Colour (58, 58, 58));
    g.fillPath (outline);
    g.setColour (juce::Colours::white.withAlpha ((juce::uint8) 204));
    g.strokePath (outline, juce::PathStrokeType (2.0f, juce::PathStrokeType::mitered, juce::PathStrokeType::butt));
}

bool SxCallOutBox::hitTest (int x, int y)
{
    return outline.contains ((float) x, (float) y);
}

void SxCallOutBox::resized()
{
    const auto border = getBorderSize();
    content.setTopLeftPosition (border, border);
    refreshPath();
}

void SxCallOutBox::moved()
{
    refreshPath();
}

void SxCallOutBox::childBoundsChanged (juce::Component*)
{
    reposition();
}

bool SxCallOutBox::keyPressed (const juce::KeyPress& key)
{
    if (! key.isKeyCode (juce::KeyPress::escapeKey))
        return false;

    inputAttemptOutsideModal();
    return true;
}

void SxCallOutBox::inputAttemptWhenModal()
{
    reactToBlockedInput (*this, [this]
    {
        // As the framework's call-out: a press on the area the box points at (its swatch)
        // closes it a moment later, so the press is used up instead of opening it again,
        // unless the box has only just opened (the press that opened it); any other press
        // hides it at once and goes on to what it hit. The release or a drop ends in
        // inputAttemptOutsideModal.
        if (targetArea.contains (getMouseXYRelative() + getPosition()))
        {
            if (SxClock::getMillisecondCounter() - createdAt > targetPressGraceMs)
                dismiss();
        }
        else
        {
            exitModalState (0);
            setVisible (false);
        }
    });
}

bool SxCallOutBox::canModalEventBeSentToComponent (const juce::Component* target)
{
    if (! passesCanvasEvents || target == nullptr)
        return false;

    auto* main = SxMainComponentServices::getInstance();
    return main != nullptr && target == main->getDocumentCanvasComponent();
}

void SxCallOutBox::componentVisibilityChanged()
{
    if (! dismissed && ! isShowing())
        inputAttemptOutsideModal();
}
