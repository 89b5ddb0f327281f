#pragma once

/** The desktop's alert sound: the X server's bell at its configured volume. */
namespace SystemBell
{
    /** Rings the bell; does nothing when no X display can be opened. Message thread only. */
    void ring();
}
