#pragma once

#include <windows.h>

#include <string>

// The name a screen reader reads for a window: the accName of its client object, as the
// system's accessibility library gives it through AccessibleObjectFromWindow; empty when
// the library gives none.
std::wstring AccessibleName(HWND window);

// The text of the label right before the control in the dialog (a static or a group box),
// by which the system's accessibility library names a control without a text of its own;
// empty when no label stands there.
std::wstring LabelBefore(HWND control);
