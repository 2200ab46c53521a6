#pragma once

#include <windows.h>

// The work area (the screen less the taskbar) of the monitor that shows most of `window`,
// or of the primary screen when the monitor cannot be asked.
RECT WorkAreaOf(HWND window);
