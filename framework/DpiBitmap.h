#pragma once

#include <windows.h>

// The module's bitmap resources are drawn for 96 DPI. At another DPI a bitmap is stretched
// by the factor the dialogs around it are scaled by, so that a picture keeps its share of
// its button or frame. The caller deletes the bitmap; null when it cannot be loaded.
HBITMAP LoadBitmapForDpi(HINSTANCE module, UINT bitmapId, UINT dpi);
