#pragma once

#include <windows.h>

#include <string>

// The name a screen reader reads for a window: the accName of its client object, as the
// system's accessibility library gives it through AccessibleObjectFromWindow; empty when
// the library gives none.
std::wstring AccessibleName(HWND window);
