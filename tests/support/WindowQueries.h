#pragma once

// What a test reads of a window: its text, its class and its children.

#include <windows.h>

#include <string>
#include <vector>

std::wstring WindowText(HWND window);
std::wstring ClassOf(HWND window);
// The direct children, in z-order (the dialog's tab order).
std::vector<HWND> Children(HWND parent);
