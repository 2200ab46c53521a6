// Drives a running control panel from outside, the way a user would, for the headless
// demo tour: waits for its window, opens the device list, picks a device, switches tabs
// (by position or by page id), chooses an entry of a page's list and prints the selected
// one, resizes the window, opens a page's dialog and closes it again.
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
constexpr int kAsioInstanceSelectorId = 1099; // ASIO device and buffer settings pages
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

// Picks an entry of a drop-down list of the current page, as the user's choice arrives.
bool ChooseEntry(HWND panel, int controlId, int position) {
    HWND page = CurrentPage(panel);
    HWND selector = page ? GetDlgItem(page, controlId) : nullptr;
    if (!selector || SendMessageW(selector, CB_SETCURSEL, position, 0) == CB_ERR)
        return false;
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(controlId, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(selector));
    return true;
}

// Prints the selected entry of a drop-down list on the current page.
bool PrintSelectedEntry(HWND panel, int controlId) {
    HWND page = CurrentPage(panel);
    HWND list = page ? GetDlgItem(page, controlId) : nullptr;
    const LRESULT selection = list ? SendMessageW(list, CB_GETCURSEL, 0, 0) : CB_ERR;
    if (selection < 0)
        return false;
    wchar_t text[256] = {};
    if (SendMessageW(list, CB_GETLBTEXTLEN, selection, 0) >= 256)
        return false;
    SendMessageW(list, CB_GETLBTEXT, selection, reinterpret_cast<LPARAM>(text));
    wprintf(L"%ls\n", text);
    return true;
}

// The first device entry that starts with the name (entries add the serial number).
bool SelectDeviceNamed(HWND panel, const wchar_t* name) {
    HWND page = CurrentPage(panel);
    HWND selector = page ? GetDlgItem(page, kDeviceSelectorId) : nullptr;
    const LRESULT position = selector
                                 ? SendMessageW(selector, CB_FINDSTRING, static_cast<WPARAM>(-1),
                                                reinterpret_cast<LPARAM>(name))
                                 : CB_ERR;
    return position != CB_ERR && ChooseEntry(panel, kDeviceSelectorId, static_cast<int>(position));
}

bool ShowDeviceList(HWND panel, bool show) {
    HWND page = CurrentPage(panel);
    HWND selector = page ? GetDlgItem(page, kDeviceSelectorId) : nullptr;
    return selector && SendMessageW(selector, CB_SHOWDROPDOWN, show, 0);
}

bool SelectPage(HWND panel, int index) {
    return SendMessageW(panel, PSM_SETCURSEL, index, 0) != 0;
}

// The page whose dialog template has this id.
bool SelectPageById(HWND panel, int dialogId) {
    const LRESULT index = SendMessageW(panel, PSM_IDTOINDEX, 0, dialogId);
    return index >= 0 && SelectPage(panel, static_cast<int>(index));
}

// size: "WIDTHxHEIGHT" in pixels.
bool ResizePanel(HWND panel, const wchar_t* size) {
    const wchar_t* separator = size ? wcschr(size, L'x') : nullptr;
    return separator && SetWindowPos(panel, nullptr, 0, 0, _wtoi(size), _wtoi(separator + 1),
                                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE) != 0;
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

bool Run(const std::wstring& command, const wchar_t* argument, const wchar_t* second) {
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
        return ChooseEntry(panel, kDeviceSelectorId, number);
    if (command == L"select-device-named")
        return argument && SelectDeviceNamed(panel, argument);
    if (command == L"choose-instance")
        return ChooseEntry(panel, kAsioInstanceSelectorId, number);
    if (command == L"show-list")
        return ShowDeviceList(panel, number != 0);
    if (command == L"select-page")
        return SelectPage(panel, number);
    if (command == L"select-page-id")
        return SelectPageById(panel, number);
    if (command == L"choose")
        return ChooseEntry(panel, number, second ? _wtoi(second) : 0);
    if (command == L"selected-entry")
        return PrintSelectedEntry(panel, number);
    if (command == L"resize")
        return ResizePanel(panel, argument);
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

int ArgumentCount(const std::wstring& command) {
    if (command == L"choose")
        return 2; // control id, position
    for (const wchar_t* withOne :
         {L"wait-visible", L"sleep", L"select-device", L"select-device-named", L"choose-instance",
          L"show-list", L"select-page", L"select-page-id", L"selected-entry", L"resize",
          L"click-button", L"wait-dialog", L"close-dialog"}) {
        if (command == withOne)
            return 1;
    }
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    for (int i = 1; i < argc; ++i) {
        std::wstring command = argv[i];
        if (command == L"--title" && i + 1 < argc) {
            title = argv[++i];
            continue;
        }
        const wchar_t* arguments[2] = {};
        for (int n = 0; n < ArgumentCount(command) && i + 1 < argc; ++n)
            arguments[n] = argv[++i];
        if (!Run(command, arguments[0], arguments[1])) {
            fwprintf(stderr, L"paneldriver: %ls failed\n", command.c_str());
            return 1;
        }
        fflush(stdout);
    }
    return 0;
}
