#include "framework/ModuleIcon.h"

#include "framework/Module.h"

HICON ModuleIcon(int id, IconSize size) {
    const bool large = size == IconSize::Large;
    return static_cast<HICON>(LoadImageW(GetModule().Instance(), MAKEINTRESOURCEW(id), IMAGE_ICON,
                                         GetSystemMetrics(large ? SM_CXICON : SM_CXSMICON),
                                         GetSystemMetrics(large ? SM_CYICON : SM_CYSMICON),
                                         LR_SHARED));
}

void SetWindowIcons(HWND window, int id) {
    SendMessageW(window, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(ModuleIcon(id, IconSize::Large)));
    SendMessageW(window, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(ModuleIcon(id, IconSize::Small)));
}
