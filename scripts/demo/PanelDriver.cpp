// Drives a running control panel from outside, the way a user would, for the headless
// demo tour: waits for its window, opens the device list, picks a device, switches tabs,
// opens a page's dialog and closes it again.
// Usage: paneldriver <command> [argument] ...; commands run in order; exit code 0 when
// every command succeeded, 1 otherwise (the failing command is named on stderr).
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

constexpr int kDeviceSelectorId = 1021;
const wchar_t* title = L"Korveline Control Panel";

HWND FindPanel() {
    HWND window = FindWindowW(L"#32770", title);
    return window && IsWindowVisible(window) ? window : nullptr;
}

bool WaitVisible(DWORD timeoutMs) {
    ULONGLONG end = GetTickCount64() + timeoutMs;
    while (!FindPanel()) {
        if (GetTickCount64() > end)
            return false;
        Sleep(100);
    }
    return true;
}

HWND CurrentPage(HWND panel) {
    return reinterpret_cast<HWND>(SendMessageW(panel, PSM_GETCURRENTPAGEHWND, 0, 0));
}

bool SelectDevice(HWND panel, int position) {
    HWND page = CurrentPage(panel);
    HWND selector = page ? GetDlgItem(page, kDeviceSelectorId) : nullptr;
    if (!selector || SendMessageW(selector, CB_SETCURSEL, position, 0) == CB_ERR)
        return false;
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(kDeviceSelectorId, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(selector));
    return true;
}

bool ShowDeviceList(HWND panel, bool show) {
    HWND page = CurrentPage(panel);
    HWND selector = page ? GetDlgItem(page, kDeviceSelectorId) : nullptr;
    return selector && SendMessageW(selector, CB_SHOWDROPDOWN, show, 0);
}

bool SelectPage(HWND panel, int index) {
    return SendMessageW(panel, PSM_SETCURSEL, index, 0) != 0;
}

// The first entry that starts with the name (entries add the serial number).
bool SelectDeviceNamed(HWND panel, const wchar_t* name) {
    HWND page = CurrentPage(panel);
    HWND selector = page ? GetDlgItem(page, kDeviceSelectorId) : nullptr;
    const LRESULT position = selector
                                 ? SendMessageW(selector, CB_FINDSTRING, static_cast<WPARAM>(-1),
                                                reinterpret_cast<LPARAM>(name))
                                 : CB_ERR;
    return position != CB_ERR && SelectDevice(panel, static_cast<int>(position));
}

bool SelectPageById(HWND panel, int dialogId) {
    const LRESULT index = SendMessageW(panel, PSM_IDTOINDEX, 0, dialogId);
    return index >= 0 && SelectPage(panel, static_cast<int>(index));
}

// Posts the click of the current page's button with this text: a button that opens a
// modal dialog must not hold the driver.
bool ClickButton(HWND panel, const wchar_t* text) {
    HWND page = CurrentPage(panel);
    for (HWND child = page ? GetWindow(page, GW_CHILD) : nullptr; child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t caption[128] = {};
        GetWindowTextW(child, caption, 128);
        if (wcscmp(caption, text) == 0 && IsWindowEnabled(child)) {
            return PostMessageW(page, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(child), BN_CLICKED),
                                reinterpret_cast<LPARAM>(child)) != FALSE;
        }
    }
    return false;
}

HWND WaitForDialog(const wchar_t* caption, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        HWND dialog = FindWindowW(L"#32770", caption);
        if (dialog && IsWindowVisible(dialog))
            return dialog;
        if (GetTickCount64() > end)
            return nullptr;
        Sleep(100);
    }
}

int PageCount(HWND panel) {
    HWND tabs = reinterpret_cast<HWND>(SendMessageW(panel, PSM_GETTABCONTROL, 0, 0));
    return tabs ? static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0)) : 0;
}

bool Run(const std::wstring& command, const wchar_t* argument) {
    int number = argument ? _wtoi(argument) : 0;
    if (command == L"wait-visible")
        return WaitVisible(argument ? number : 30000);
    if (command == L"sleep") {
        Sleep(number);
        return true;
    }
    HWND panel = FindPanel();
    if (!panel)
        return false;
    if (command == L"select-device")
        return SelectDevice(panel, number);
    if (command == L"show-list")
        return ShowDeviceList(panel, number != 0);
    if (command == L"select-page")
        return SelectPage(panel, number);
    if (command == L"select-device-named")
        return argument && SelectDeviceNamed(panel, argument);
    if (command == L"select-page-id")
        return SelectPageById(panel, number);
    if (command == L"click-button")
        return argument && ClickButton(panel, argument);
    if (command == L"wait-dialog")
        return argument && WaitForDialog(argument, 10000);
    if (command == L"close-dialog") {
        HWND dialog = argument ? WaitForDialog(argument, 10000) : nullptr;
        return dialog && PostMessageW(dialog, WM_CLOSE, 0, 0);
    }
    if (command == L"page-count") {
        wprintf(L"%d\n", PageCount(panel));
        return true;
    }
    if (command == L"pid") {
        DWORD pid = 0;
        GetWindowThreadProcessId(panel, &pid);
        wprintf(L"%lu\n", pid);
        return true;
    }
    return false;
}

bool TakesArgument(const std::wstring& command) {
    return command == L"wait-visible" || command == L"sleep" || command == L"select-device" ||
           command == L"show-list" || command == L"select-page" ||
           command == L"select-device-named" || command == L"select-page-id" ||
           command == L"click-button" || command == L"wait-dialog" || command == L"close-dialog";
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    for (int i = 1; i < argc; ++i) {
        std::wstring command = argv[i];
        if (command == L"--title" && i + 1 < argc) {
            title = argv[++i];
            continue;
        }
        const wchar_t* argument = nullptr;
        if (TakesArgument(command) && i + 1 < argc)
            argument = argv[++i];
        if (!Run(command, argument)) {
            fwprintf(stderr, L"paneldriver: %ls failed\n", command.c_str());
            return 1;
        }
        fflush(stdout);
    }
    return 0;
}
