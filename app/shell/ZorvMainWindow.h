#pragma once

#include "SxMainWindowLookAndFeel.h"

#include <juce_gui_basics/juce_gui_basics.h>
#include <juce_opengl/juce_opengl.h>

#include <memory>

class GenericAppComponent;

/** The application's one top-level window. Its constructor makes and starts the main
    component through the application, sizes itself from the desktop, restores the
    placement the user left it in and shows itself; from then on every move and resize is
    kept in the settings. Closing it is a quit request.
*/
class ZorvMainWindow : public juce::DocumentWindow
{
public:
    static constexpr int minimumWidth = 1024, minimumHeight = 660, maximumSize = 15000;

    /** Needs the running GenericApplication, which makes the main component. */
    ZorvMainWindow();
    /** Deletes the main component, then lets go of the framework's OpenGL context. */
    ~ZorvMainWindow() override;

    /** The main component's first size for displays whose usable areas span usableWidth
        pixels: w0 = int (0.3 * usableWidth); width max (min (w0, 1920), 1024); height
        max (int (0.65 * w0), 601), from the unclamped w0. */
    static juce::Point<int> computeContentSize (int usableWidth);

    /** Width of the rectangle enclosing the usable areas of all connected displays. */
    static int getUsableDesktopWidth();

    GenericAppComponent* getMainComponent() const noexcept  { return mainComponent; }

    /** Paints the window through context until the window goes. */
    void attachFrameworkOpenGL (juce::OpenGLContext& context);

    /** True once the saved placement has been restored; moves before that are not kept. */
    bool isWindowStateRestored() const noexcept             { return windowStateRestored; }

    void resized() override;
    void moved() override;
    void closeButtonPressed() override;

private:
    GenericAppComponent* mainComponent = nullptr;
    std::unique_ptr<SxMainWindowLookAndFeel> lookAndFeel;
    juce::OpenGLContext* openGLContext = nullptr;
    bool windowStateRestored = false;

    void storeWindowState();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ZorvMainWindow)
};
