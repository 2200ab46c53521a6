#pragma once

#include <windows.h>

#include <string>

// The main window's frame as the user sees it, set once its sheet is initialised: the
// title, no button row (the sheet's OK and Cancel hidden and the row cut off below the
// tab area) and the window centred on the work area of its monitor.
void FrameMainWindow(HWND sheet, const std::wstring& title);
