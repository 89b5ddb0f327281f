#include "SxTool.h"

#include "SxDocumentCanvasServices.h"
#include "SxMainComponentServices.h"
#include "SxRelativeBounds.h"
#include "SxToolCallback.h"

SxTool::SxTool (const juce::String& name, const juce::Image& normal, const juce::Image& over, const juce::Image& down)
    : SxImageButton (name),
      toolUIComponent (std::make_unique<SxComponent> ("toolUIComponent")),
      normalImage (normal), overImage (over), downImage (down)
{
    SxRelativeBounds::apply (*toolUIComponent, "0, 0, left + parent.width, top + parent.height");
    showImages (normalImage, overImage, downImage);
    addListener (this);
}

SxTool::~SxTool()
{
    removeListener (this);
    toolCallback = nullptr;
    secondToolCallback = nullptr;

    if (auto* canvas = getDocument(); canvas != nullptr && canvas->activeTool == this)
        canvas->activeTool = nullptr;
}

void SxTool::setDocument (SxDocumentCanvasServices* canvas)
{
    document = canvas;
    canvasComponent = canvas != nullptr ? &canvas->getCanvasComponent() : nullptr;
}

void SxTool::showImages (const juce::Image& normal, const juce::Image& over, const juce::Image& down)
{
    setImages (false, true, true, normal, 1.0f, {}, over, 1.0f, {}, down, 1.0f, {}, 0.0f);
}

void SxTool::toggleCurrent()
{
    if (auto* main = SxMainComponentServices::getInstance())
        main->selectTool (active ? nullptr : this);
}

void SxTool::buttonClicked (juce::Button*)
{
    toggleCurrent();
}

void SxTool::setActive (bool shouldBeActive)
{
    const bool wasActive = active;
    active = shouldBeActive;

    for (auto* callback : { toolCallback, secondToolCallback })
        if (callback != nullptr)
            callback->toolActivated (this, active);

    // The current tool's button stays pressed, also under the mouse.
    if (active)
        showImages (downImage, downImage, downImage);
    else
        showImages (normalImage, overImage, downImage);

    auto* canvas = getDocument();
    if (canvas == nullptr)
        return;

    if (wasActive && ! active && canvas->activeTool == this)
        canvas->activeTool = nullptr;

    if (! active)
        canvas->getCanvasComponent().setMouseCursor (juce::MouseCursor::NormalCursor);
}

void SxTool::updateToolUI()
{
    for (auto* child : toolUIComponent->getChildren())
        if (auto* control = dynamic_cast<SxUpdateComponent*> (child))
            control->update();
}

void SxTool::repaintDocument()
{
    if (auto* canvas = getDocument())
        canvas->getCanvasComponent().repaint();
}
