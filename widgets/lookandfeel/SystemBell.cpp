#include "SystemBell.h"

// Xlib's macros (None, Bool, KeyPress...) clash with framework names: this file includes
// nothing else.
#include <X11/Xlib.h>

namespace SystemBell
{
    void ring()
    {
        // A connection of our own: the framework's display is private to its windowing code.
        // Opened on first use and kept for the rest of the run.
        static Display* const display = XOpenDisplay (nullptr);

        if (display == nullptr)
            return;

        XBell (display, 0);
        XFlush (display);
    }
}
