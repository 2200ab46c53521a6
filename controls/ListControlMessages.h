#pragma once

#include <windows.h>

// Private messages of the list controls: to the control itself, or sent synchronously to
// the page that owns it. Their numbers sit in the program's one table of WM_APP messages
// (app/AppMessages.h lists the others) and must not be reused there.
inline constexpr UINT MSG_FIT_LAST_COLUMN = WM_APP + 6;         // list control -> itself
inline constexpr UINT MSG_CLOCK_SOURCE_CHECKED = WM_APP + 8;    // clock source list -> its page
inline constexpr UINT MSG_ASIO_CHECK_CHANGED = WM_APP + 11;     // ASIO device list -> its page
inline constexpr UINT MSG_ASIO_SELECTION_CHANGED = WM_APP + 12; // ASIO device list -> its page
