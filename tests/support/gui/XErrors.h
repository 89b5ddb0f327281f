#pragma once

namespace sxgui
{
    /** Lets the program live through X protocol errors, as the framework does for an
        application (it installs its handler only there): without a window manager some of
        the window properties it sets name atoms that do not exist, and Xlib's default
        handler would end the process. Call before the first window is made. */
    void ignoreXErrors();
}
