#pragma once

#include "app/AppMessages.h"
#include "framework/Module.h"
#include "framework/ShellFunctions.h"
#include "framework/UniqueAny.h"
#include "resources/resource.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <string>

// The notification-area icon of the main window T (a Window). While it is installed the
// window can be brought back from the icon; T supplies the menu texts (PrepareTrayMenu)
// and the work before a hidden window is shown (OnBeforeShow).
template <class T> class WtlTrayIcon {
public:
    static constexpr std::size_t kMaxTooltipLength = 127;

    WtlTrayIcon() { data_.uCallbackMessage = MSG_TRAY_NOTIFY; }
    virtual ~WtlTrayIcon() { RemoveIcon(); }
    WtlTrayIcon(const WtlTrayIcon&) = delete;
    WtlTrayIcon& operator=(const WtlTrayIcon&) = delete;

    virtual void PrepareTrayMenu(HMENU) {}
    virtual void OnBeforeShow() {}

    // Adds the icon once; false when the platform refuses it. A longer tooltip is cut.
    bool AddIcon(HICON icon, const std::wstring& tooltip) {
        if (installed_)
            return true;
        data_.cbSize = sizeof(data_);
        data_.hWnd = Window();
        data_.uID = IDR_TRAY_MENU; // the icon's id is its context menu's
        data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        data_.hIcon = icon;
        const std::size_t length = std::min(tooltip.size(), kMaxTooltipLength);
        std::fill(std::copy_n(tooltip.begin(), length, data_.szTip), std::end(data_.szTip), L'\0');
        installed_ = ShellNotifyIcon(NIM_ADD, &data_) != FALSE;
        return installed_;
    }

    // Uses only the record, so that it also works while the window object goes away.
    void RemoveIcon() {
        if (!installed_)
            return;
        data_.uFlags = 0;
        ShellNotifyIcon(NIM_DELETE, &data_);
        installed_ = false;
    }

    bool IsIconInstalled() const { return installed_; }
    const NOTIFYICONDATAW& IconData() const { return data_; }

    // MSG_TRAY_NOTIFY: wParam the icon id, low word of lParam the mouse message.
    LRESULT OnTrayNotify(UINT, WPARAM wParam, LPARAM lParam, bool&) {
        if (!installed_ || wParam != IDR_TRAY_MENU)
            return 0;
        switch (LOWORD(lParam)) {
        case WM_RBUTTONUP:
            ShowMenu();
            break;
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
            ShowFromIcon();
            break;
        default:
            break;
        }
        return 0;
    }

private:
    HWND Window() const { return static_cast<const T*>(this)->Hwnd(); }

    // Restoring a minimised window makes it visible, so OnBeforeShow is then left out.
    void ShowFromIcon() {
        const HWND window = Window();
        if (IsIconic(window))
            ShowWindow(window, SW_RESTORE);
        if (!IsWindowVisible(window))
            OnBeforeShow();
        ShowWindow(window, SW_SHOW);
        SetForegroundWindow(window);
    }

    // The chosen item arrives as WM_COMMAND at the window.
    void ShowMenu() {
        const HWND window = Window();
        const UniqueMenu menu(LoadMenuW(GetModule().Instance(), MAKEINTRESOURCEW(IDR_TRAY_MENU)));
        if (!menu)
            return;
        if (const HMENU popup = GetSubMenu(menu.Get(), 0)) {
            POINT cursor{};
            GetCursorPos(&cursor);
            SetForegroundWindow(window);
            PrepareTrayMenu(popup);
            if (MonitorFromPoint(cursor, MONITOR_DEFAULTTONULL) == nullptr) {
                MONITORINFO monitor{};
                monitor.cbSize = sizeof(monitor);
                if (GetMonitorInfoW(MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST), &monitor))
                    cursor.x = std::clamp(cursor.x, monitor.rcWork.left, monitor.rcWork.right);
            }
            TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_LEFTBUTTON, cursor.x, cursor.y, 0, window,
                           nullptr);
            // Lets the menu close properly when the user clicks elsewhere.
            PostMessageW(window, WM_NULL, 0, 0);
        }
    }

    bool installed_ = false;
    NOTIFYICONDATAW data_{};
};
