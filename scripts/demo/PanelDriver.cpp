// Drives a running control panel from outside, the way a user would, for the headless
// demo tour: waits for its window, opens the device list, switches tabs by position,
// chooses an entry of a named list and prints the selected one, resizes the window, opens
// a page's dialog and closes it again. The tour switches to a page by name with a second
// start ("-page NAME"), which arrives a little later: what looks for a control on the
// current page waits for it a while.
// Usage: paneldriver <command> [argument] ...; commands run in order; exit code 0 when
// every command succeeded, 1 otherwise (the failing command is named on stderr).
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include "resources/dialogs/PageAsioDevice.h"
#include "resources/dialogs/PageBufferSettings.h"
#include "resources/dialogs/PageSampleRate.h"
#include "resources/dialogs/PageStatus.h"

#include <cstdio>
#include <cwchar>
#include <functional>
#include <string>

namespace {

static_assert(IDC_ASIO_DEVICE_INSTANCE == IDC_BUFFER_ASIO_INSTANCE,
              "one name stands for the instance list of both ASIO pages");

// The lists the tour names.
struct NamedList {
    const wchar_t* name;
    int controlId;
};
constexpr NamedList kLists[] = {
    {L"device", IDC_STATUS_DEVICE_SELECTION},
    {L"asio-instance", IDC_ASIO_DEVICE_INSTANCE},
    {L"sample-rate", IDC_SAMPLE_RATE_SELECTION},
};
constexpr DWORD kControlWaitMs = 10000;
const wchar_t* title = L"Korveline Control Panel";

int ListId(const wchar_t* name) {
    for (const NamedList& list : kLists) {
        if (name && wcscmp(name, list.name) == 0)
            return list.controlId;
    }
    return 0;
}

// Polls until `found` gives a window or the time is up.
HWND WaitFor(const std::function<HWND()>& found, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        if (HWND window = found())
            return window;
        if (GetTickCount64() > end)
            return nullptr;
        Sleep(100);
    }
}

HWND FindPanel() {
    HWND window = FindWindowW(L"#32770", title);
    return window && IsWindowVisible(window) ? window : nullptr;
}

HWND CurrentPage(HWND panel) {
    return reinterpret_cast<HWND>(SendMessageW(panel, PSM_GETCURRENTPAGEHWND, 0, 0));
}

// The control of the current page, once that page is shown.
HWND WaitForControl(HWND panel, int controlId) {
    if (!controlId)
        return nullptr;
    return WaitFor(
        [&] {
            HWND page = CurrentPage(panel);
            return page ? GetDlgItem(page, controlId) : nullptr;
        },
        kControlWaitMs);
}

// Picks an entry of a drop-down list of the current page, as the user's choice arrives.
bool ChooseEntry(HWND panel, int controlId, int position) {
    HWND selector = WaitForControl(panel, controlId);
    if (!selector || SendMessageW(selector, CB_SETCURSEL, position, 0) == CB_ERR)
        return false;
    SendMessageW(GetParent(selector), WM_COMMAND, MAKEWPARAM(controlId, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(selector));
    return true;
}

// Prints the selected entry of a drop-down list on the current page.
bool PrintSelectedEntry(HWND panel, int controlId) {
    HWND list = WaitForControl(panel, controlId);
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
    HWND selector = WaitForControl(panel, IDC_STATUS_DEVICE_SELECTION);
    const LRESULT position = selector
                                 ? SendMessageW(selector, CB_FINDSTRING, static_cast<WPARAM>(-1),
                                                reinterpret_cast<LPARAM>(name))
                                 : CB_ERR;
    return position != CB_ERR &&
           ChooseEntry(panel, IDC_STATUS_DEVICE_SELECTION, static_cast<int>(position));
}

bool ShowDeviceList(HWND panel, bool show) {
    HWND selector = WaitForControl(panel, IDC_STATUS_DEVICE_SELECTION);
    return selector && SendMessageW(selector, CB_SHOWDROPDOWN, show, 0);
}

bool SelectPage(HWND panel, int index) {
    return SendMessageW(panel, PSM_SETCURSEL, index, 0) != 0;
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
    const HWND button = WaitFor(
        [&]() -> HWND {
            HWND page = CurrentPage(panel);
            for (HWND child = page ? GetWindow(page, GW_CHILD) : nullptr; child;
                 child = GetWindow(child, GW_HWNDNEXT)) {
                wchar_t caption[128] = {};
                GetWindowTextW(child, caption, 128);
                if (wcscmp(caption, text) == 0 && IsWindowEnabled(child))
                    return child;
            }
            return nullptr;
        },
        kControlWaitMs);
    return button && PostMessageW(GetParent(button), WM_COMMAND,
                                  MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                                  reinterpret_cast<LPARAM>(button)) != FALSE;
}

HWND WaitForDialog(const wchar_t* caption) {
    return WaitFor(
        [&]() -> HWND {
            HWND dialog = FindWindowW(L"#32770", caption);
            return dialog && IsWindowVisible(dialog) ? dialog : nullptr;
        },
        kControlWaitMs);
}

int PageCount(HWND panel) {
    HWND tabs = reinterpret_cast<HWND>(SendMessageW(panel, PSM_GETTABCONTROL, 0, 0));
    return tabs ? static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0)) : 0;
}

bool Run(const std::wstring& command, const wchar_t* argument, const wchar_t* second) {
    int number = argument ? _wtoi(argument) : 0;
    if (command == L"wait-visible")
        return WaitFor(FindPanel, argument ? number : 30000) != nullptr;
    if (command == L"sleep") {
        Sleep(number);
        return true;
    }
    HWND panel = FindPanel();
    if (!panel)
        return false;
    if (command == L"select-device-named")
        return argument && SelectDeviceNamed(panel, argument);
    if (command == L"show-list")
        return ShowDeviceList(panel, number != 0);
    if (command == L"select-page")
        return SelectPage(panel, number);
    if (command == L"choose")
        return ChooseEntry(panel, ListId(argument), second ? _wtoi(second) : 0);
    if (command == L"selected-entry")
        return PrintSelectedEntry(panel, ListId(argument));
    if (command == L"resize")
        return ResizePanel(panel, argument);
    if (command == L"click-button")
        return argument && ClickButton(panel, argument);
    if (command == L"wait-dialog")
        return argument && WaitForDialog(argument);
    if (command == L"close-dialog") {
        HWND dialog = argument ? WaitForDialog(argument) : nullptr;
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
        return 2; // list name, position
    for (const wchar_t* withOne :
         {L"wait-visible", L"sleep", L"select-device-named", L"show-list", L"select-page",
          L"selected-entry", L"resize", L"click-button", L"wait-dialog", L"close-dialog"}) {
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
