#pragma once

#include <windows.h>

enum class IconSize { Large, Small };

// The module's icon resource `id` at the system's large or small icon size. The system
// keeps one copy of it for the module (LR_SHARED): nobody destroys it.
HICON ModuleIcon(int id, IconSize size);

// Sets the window's large and small icon to the module's icon resource `id`.
void SetWindowIcons(HWND window, int id);
