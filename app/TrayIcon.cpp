#include "app/TrayIcon.h"

#include "app/AppMessages.h"
#include "framework/Module.h"
#include "framework/ShellFunctions.h"
#include "framework/UniqueAny.h"
#include "resources/resource.h"

#include <algorithm>

TrayIcon::TrayIcon() {
    data_.uCallbackMessage = MSG_TRAY_NOTIFY;
}

bool TrayIcon::Add(HWND owner, HICON icon, const std::wstring& tooltip) {
    if (installed_)
        return true;
    data_.cbSize = sizeof(data_);
    data_.hWnd = owner;
    data_.uID = IDR_TRAY_MENU;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.hIcon = icon;
    const std::size_t length = std::min(tooltip.size(), kMaxTooltipLength);
    std::fill(std::copy_n(tooltip.begin(), length, data_.szTip), std::end(data_.szTip), L'\0');
    installed_ = ShellNotifyIcon(NIM_ADD, &data_) != FALSE;
    return installed_;
}

void TrayIcon::Remove() {
    if (!installed_)
        return;
    data_.uFlags = 0;
    ShellNotifyIcon(NIM_DELETE, &data_);
    installed_ = false;
}

TrayIcon::Request TrayIcon::RequestOf(WPARAM wParam, LPARAM lParam) const {
    if (!installed_ || wParam != IDR_TRAY_MENU)
        return Request::None;
    switch (LOWORD(lParam)) {
    case WM_RBUTTONUP:
        return Request::ShowMenu;
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        return Request::ShowWindow;
    default:
        return Request::None;
    }
}

void TrayIcon::ShowMenu(void (*prepare)(HMENU)) const {
    const HWND owner = data_.hWnd;
    const UniqueMenu menu(LoadMenuW(GetModule().Instance(), MAKEINTRESOURCEW(IDR_TRAY_MENU)));
    if (!menu)
        return;
    const HMENU popup = GetSubMenu(menu.Get(), 0);
    if (popup == nullptr)
        return;
    POINT cursor{};
    GetCursorPos(&cursor);
    SetForegroundWindow(owner);
    prepare(popup);
    if (MonitorFromPoint(cursor, MONITOR_DEFAULTTONULL) == nullptr) {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        if (GetMonitorInfoW(MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST), &monitor))
            cursor.x = std::clamp(cursor.x, monitor.rcWork.left, monitor.rcWork.right);
    }
    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_LEFTBUTTON, cursor.x, cursor.y, 0, owner, nullptr);
    // Lets the menu close properly when the user clicks elsewhere.
    PostMessageW(owner, WM_NULL, 0, 0);
}
