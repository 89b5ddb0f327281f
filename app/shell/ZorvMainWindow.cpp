#include "ZorvMainWindow.h"

#include "BinaryData.h"
#include "GenericAppComponent.h"
#include "GenericApplication.h"
#include "SettingsKeys.h"

namespace
{
    juce::Image loadIcon()
    {
        int size = 0;
        const auto* data = BinaryData::getNamedResource ("icon_png", size);
        return data != nullptr ? juce::ImageFileFormat::loadFrom (data, (size_t) size) : juce::Image();
    }
}

ZorvMainWindow::ZorvMainWindow()
    : juce::DocumentWindow ("ZorvMainWindow", juce::Colour (211, 211, 211), juce::DocumentWindow::allButtons, true)
{
    setResizable (true, false);
    setResizeLimits (minimumWidth, minimumHeight, maximumSize, maximumSize);
    setTitleBarHeight (22);

    auto* app = GenericApplication::getApplication();
    jassert (app != nullptr);
    mainComponent = app->createMainComponent();
    app->setMainComponent (mainComponent);

    mainComponent->startUp();
    mainComponent->createUI();
    mainComponent->setButtonTooltips();

    // The native title bar first: switching to it later keeps the window's bounds and
    // hands the room of the framework's own title bar and border to the content.
    lookAndFeel = std::make_unique<SxMainWindowLookAndFeel>();
    setLookAndFeel (lookAndFeel.get());
    setUsingNativeTitleBar (true);
    setIcon (loadIcon());

    const auto size = computeContentSize (getUsableDesktopWidth());
    mainComponent->setSize (size.x, size.y);
    setContentOwned (mainComponent, true);
    centreWithSize (getWidth(), getHeight());

    if (auto* settings = mainComponent->getSettings())
    {
        if (const auto state = settings->get (SettingsKeys::windowSavedState); state.isNotEmpty())
            restoreWindowStateFromString (state);
        settings->set (SettingsKeys::freshProject, true);
    }
    windowStateRestored = true;

    setVisible (true);
}

ZorvMainWindow::~ZorvMainWindow()
{
    setMenuBar (nullptr);

    if (auto* app = GenericApplication::getApplication(); app != nullptr && app->getMainComponent() == mainComponent)
        app->setMainComponent (nullptr);
    clearContentComponent();
    mainComponent = nullptr;

    if (openGLContext != nullptr)
        openGLContext->detach();

    setLookAndFeel (nullptr);
}

juce::Point<int> ZorvMainWindow::computeContentSize (int usableWidth)
{
    const auto w0 = (int) (0.3 * usableWidth);
    return { juce::jmax (juce::jmin (w0, 1920), 1024), juce::jmax ((int) (0.65 * w0), 601) };
}

int ZorvMainWindow::getUsableDesktopWidth()
{
    juce::Rectangle<int> area;
    for (const auto& display : juce::Desktop::getInstance().getDisplays().displays)
        area = area.isEmpty() ? display.userArea : area.getUnion (display.userArea);
    return area.getWidth();
}

void ZorvMainWindow::attachFrameworkOpenGL (juce::OpenGLContext& context)
{
    openGLContext = &context;
    context.attachTo (*this);
}

void ZorvMainWindow::storeWindowState()
{
    if (mainComponent == nullptr || ! windowStateRestored)
        return;

    if (auto* settings = mainComponent->getSettings())
    {
        settings->set (SettingsKeys::windowSavedState, getWindowStateAsString());
        settings->saveIfNeeded();
    }
}

void ZorvMainWindow::resized()
{
    storeWindowState();
    juce::DocumentWindow::resized();
}

void ZorvMainWindow::moved()
{
    storeWindowState();
    juce::DocumentWindow::moved();
}

void ZorvMainWindow::closeButtonPressed()
{
    if (auto* app = juce::JUCEApplication::getInstance())
        app->systemRequestedQuit();
}
