#pragma once

#include <windows.h>

// The size of the current page inside the sheet's tab control: the tab control's size
// less an 8-pixel margin, and less 18 pixels per row of tabs, both at 96 DPI and scaled
// to `dpi` (multiply, then divide, rounded). Never negative.
SIZE FittedPageSize(SIZE tabControl, int tabRows, UINT dpi);
