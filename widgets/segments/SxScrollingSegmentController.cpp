#include "SxScrollingSegmentController.h"

#include "SxRelativeBounds.h"
#include "SxWidgetArt.h"

namespace
{
    constexpr int arrowWidth = 30;

    /** Expression numbers in the framework's own formatting: the same under every locale. */
    juce::String number (double value)
    {
        return juce::String (value, 6);
    }

    /** An arrow button at the strip's end, hidden until the strip scrolls that way. */
    juce::ImageButton* makeArrow (juce::Component& container, juce::Button::Listener& listener,
                                  const juce::String& name, const juce::String& bounds, const juce::String& title,
                                  const WidgetArt::Png& normal, const WidgetArt::Png& over, const WidgetArt::Png& pressed)
    {
        auto* arrow = new juce::ImageButton (name);
        const auto none = juce::Colours::transparentBlack;
        arrow->setImages (false, true, true,
                          SxWidgetArt::get (normal), 1.0f, none,
                          SxWidgetArt::get (over), 1.0f, none,
                          SxWidgetArt::get (pressed), 1.0f, none, 0.0f);
        // The strip is the one keyboard stop; Left and Right move the selection instead.
        arrow->setWantsKeyboardFocus (false);
        arrow->setTitle (title);
        container.addChildComponent (arrow);
        SxRelativeBounds::apply (*arrow, bounds);
        arrow->addListener (&listener);
        return arrow;
    }
}

SxScrollingSegmentController::SxScrollingSegmentController (bool c)
    : centred (c)
{
}

SxScrollingSegmentController::~SxScrollingSegmentController()
{
    if (scroller != nullptr)
        scroller->scrollerCallback = nullptr;

    forgetSegments();
}

void SxScrollingSegmentController::addSegmentLabel (const juce::String& label)
{
    labels.add (label);
}

void SxScrollingSegmentController::build()
{
    if (scroller != nullptr)
        scroller->scrollerCallback = nullptr;

    forgetSegments();
    container.reset();
    scroller = nullptr;
    content = nullptr;
    leftArrow = rightArrow = nullptr;

    const int n = labels.size();
    const auto height = juce::String (getHeight());

    container = std::make_unique<SxComponent> ("segmentStripContainer");
    addAndMakeVisible (*container);
    SxRelativeBounds::apply (*container, "0, 0, left + parent.width, top + parent.height");

    scroller = new SxScroller ("SxScrollingSegementControllerScroller");
    scroller->setComponentID ("PresetScrollerComponent");
    container->addAndMakeVisible (scroller);
    SxRelativeBounds::apply (*scroller, "40, 0, left + parent.width-80, top + parent.height");
    scroller->setScrollBarsShown (false, true);
    scroller->setScrollBarThickness (0);
    scroller->horizontal = true;
    scroller->setAlwaysOnTop (true);
    // The strip is the one keyboard stop: the arrow keys choose, they do not scroll the view.
    scroller->setWantsKeyboardFocus (false);

    // Sized, not placed by an expression: an expression naming the content's own edges would
    // pull it back to 0 each time the view moves it, and the strip could not scroll.
    content = new SxComponent ("segmentStrip");
    scroller->setViewedComponent (content, true);
    content->setSize (segmentWidth * n, getHeight());
    content->setVisible (true);

    auto* background = new juce::ImageComponent ("segmentStripBackground");
    background->setImage (SxWidgetArt::get (WidgetArt::segmentStripBackground), juce::RectanglePlacement::stretchToFit);
    background->setInterceptsMouseClicks (false, false);
    container->addAndMakeVisible (background);
    SxRelativeBounds::apply (*background, "1, 0, left + parent.width - 2, top + " + height);

    leftArrow = makeArrow (*container, *this, "leftArrowButton", "0, 0, left + 30, top + " + height, "Scroll left",
                           WidgetArt::stripArrowLeft, WidgetArt::stripArrowLeftOver, WidgetArt::stripArrowLeftPressed);
    rightArrow = makeArrow (*container, *this, "rightArrowButton", "parent.width-30, 0, left + 30, top + " + height, "Scroll right",
                            WidgetArt::stripArrowRight, WidgetArt::stripArrowRightOver, WidgetArt::stripArrowRightPressed);

    for (int i = 0; i < n; ++i)
        addSegment (*content, i, n, { i * segmentWidth, 0, segmentWidth, getHeight() }, segmentWidth - 5, 12);

    if (centred)
    {
        const double total = segmentWidth * n;
        SxRelativeBounds::apply (*scroller, "(parent.width / 2) - " + number (total / 2.0) + ", 0, left + "
                                              + number (total) + ", top + parent.height");
    }

    if (n > 0)
        select (*buttons.getFirst());

    // Only now does the callback start: the strip is complete.
    scroller->scrollerCallback = this;
    resized();
}

void SxScrollingSegmentController::setSelectedIndex (int index)
{
    if (juce::isPositiveAndBelow (index, buttons.size()))
        select (*buttons[index]);
}

bool SxScrollingSegmentController::segmentsFit() const
{
    return content->getWidth() < getWidth() - 2 * arrowWidth;
}

void SxScrollingSegmentController::resized()
{
    if (content == nullptr || scroller == nullptr)
        return;

    if (segmentsFit())
        SxRelativeBounds::apply (*scroller, "(parent.width / 2) - (width / 2), 0, left + "
                                              + juce::String (content->getWidth()) + ", top + parent.height");
    else
        SxRelativeBounds::apply (*scroller, "30, 0, left + parent.width-60, top + parent.height");

    updateArrows();
}

void SxScrollingSegmentController::scrolled (juce::Viewport*, juce::Rectangle<int>)
{
    updateArrows();
}

void SxScrollingSegmentController::updateArrows()
{
    if (content == nullptr || scroller == nullptr)
        return;

    if (segmentsFit())
    {
        leftArrow->setVisible (false);
        rightArrow->setVisible (false);
        return;
    }

    const auto area = scroller->getViewArea();
    leftArrow->setVisible (area.getX() != 0);
    rightArrow->setVisible (area.getRight() < content->getWidth());
}

void SxScrollingSegmentController::scrollByOneSegment (bool forwards)
{
    if (segmentWidth <= 0)
        return;

    // To the next segment edge in that direction, so the strip comes to rest on a segment.
    const int x = scroller->getViewPositionX();
    const int target = forwards ? (x / segmentWidth + 1) * segmentWidth
                                : ((x + segmentWidth - 1) / segmentWidth - 1) * segmentWidth;
    scroller->animateScrollTo ({ target, 0 }, false, true);
}

void SxScrollingSegmentController::scrollIntoView (int index)
{
    const auto area = scroller->getViewArea();
    const int left = index * segmentWidth, right = left + segmentWidth;

    if (left < area.getX())
        scroller->animateScrollTo ({ left, 0 }, false, true);
    else if (right > area.getRight())
        scroller->animateScrollTo ({ right - area.getWidth(), 0 }, false, true);
}

void SxScrollingSegmentController::buttonClicked (juce::Button* button)
{
    if (button == leftArrow || button == rightArrow)
    {
        scrollByOneSegment (button == rightArrow);
        return;
    }

    if (! acceptsClicks)
        return;

    const int index = button->getName().getIntValue();

    if (juce::isPositiveAndBelow (index, buttons.size()))
        select (*buttons[index]);

    if (callback != nullptr)
        callback->segmentChanged (index, this);
}

void SxScrollingSegmentController::segmentChosenByKey (int index)
{
    scrollIntoView (index);
    buttonClicked (buttons[index]);
}

juce::Rectangle<int> SxScrollingSegmentController::getFocusArea() const
{
    return scroller != nullptr ? getLocalArea (scroller, scroller->getLocalBounds()) : getLocalBounds();
}
