#include "SegmentController.h"

#include "SxRelativeBounds.h"

SegmentController::SegmentController (bool full)
    : fullWidth (full)
{
}

SegmentController::~SegmentController()
{
    forgetSegments();
}

void SegmentController::addSegments (const juce::String& label, int count)
{
    for (int i = 0; i < count; ++i)
        labels.add (label.isNotEmpty() ? label : juce::String (labels.size() + 1));
}

void SegmentController::build()
{
    forgetSegments();
    container.reset();

    const int n = labels.size();

    if (n == 0)
        return;

    const int width = getWidth(), height = getHeight();
    const int segmentWidth = (fullWidth ? width : width - 10) / n;

    container = std::make_unique<SxComponent> ("segmentContainer");
    addAndMakeVisible (*container);
    SxRelativeBounds::apply (*container, "0, 0, parent.width, parent.height");

    for (int i = 0; i < n; ++i)
    {
        const int x = i * segmentWidth;
        // The last segment reaches the right edge whatever the division left over.
        const int w = (n > 1 && i == n - 1 && x + segmentWidth < width) ? width - x : segmentWidth;
        auto& segment = addSegment (*container, i, n, { x, 0, w, height }, w - 5, fontHeight);
        segment.setTooltip (segmentTooltip);
    }

    select (*buttons.getFirst());
}

void SegmentController::setSelectedIndex (int index)
{
    if (buttons.isEmpty())
        return;

    select (*buttons[juce::jlimit (0, buttons.size() - 1, index)]);
}

void SegmentController::buttonClicked (juce::Button* button)
{
    if (! acceptsClicks || button == selectedButton || buttons.isEmpty())
        return;

    const int index = button->getName().getIntValue();
    select (*buttons[juce::jlimit (0, buttons.size() - 1, index)]);

    if (callback != nullptr)
        callback->segmentChanged (index, this);
}

void SegmentController::segmentChosenByKey (int index)
{
    buttonClicked (buttons[index]);
}
