#pragma once

#include <windows.h>
#include <shellapi.h>

#include <cstddef>
#include <string>

// The main window's notification-area icon. While it is installed the window can be
// brought back from it; the icon's id is its context menu's resource id.
class TrayIcon {
public:
    static constexpr std::size_t kMaxTooltipLength = 127;

    // What a MSG_TRAY_NOTIFY asks of the window.
    enum class Request { None, ShowMenu, ShowWindow };

    TrayIcon();
    ~TrayIcon() { Remove(); }
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Adds the icon once; false when the platform refuses it. A longer tooltip is cut.
    bool Add(HWND owner, HICON icon, const std::wstring& tooltip);
    // Uses only the record, so that it also works while the owner goes away.
    void Remove();
    bool IsInstalled() const { return installed_; }
    const NOTIFYICONDATAW& Data() const { return data_; }

    // MSG_TRAY_NOTIFY: wParam the icon id, low word of lParam the mouse message.
    Request RequestOf(WPARAM wParam, LPARAM lParam) const;
    // The context menu at the cursor, its texts set by `prepare`; the chosen item arrives
    // at the owner as WM_COMMAND.
    void ShowMenu(void (*prepare)(HMENU)) const;

private:
    bool installed_ = false;
    NOTIFYICONDATAW data_{};
};
