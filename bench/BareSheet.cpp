// The yardsticks of the start-up benchmark: a bare modeless property sheet with one page,
// created hidden and then shown, built with the same toolchain and flags as the panel.
// Plain, its page is empty and it does nothing else, so its start-up time is the floor
// for any sheet program. Built as the panel's window (CPL_BARE_SHEET_PANEL_WINDOW), it
// carries the panel's resources and shows the status page's template (its controls left
// empty) with the panel's window icons, title and frame, and no other code: beside the
// panel, it leaves what the panel's own code costs.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <cstring>

#ifdef CPL_BARE_SHEET_PANEL_WINDOW
#include "app/MainWindowFrame.h"
#include "framework/ModuleIcon.h"
#include "resources/dialogs/PageStatus.h"
#include "resources/resource.h"
#endif

#ifdef CPL_STARTUP_TIMELINE
#define CPL_STARTUP_TIMELINE_VARIABLE L"BARESHEET_TIMELINE"
#include "app/StartupTimelineRecorder.h"
#else
#include "framework/StartupTimeline.h"
namespace {
void StartStartupTimeline() {}
} // namespace
#endif

namespace {

#ifdef CPL_BARE_SHEET_PANEL_WINDOW
void ChoosePage(PROPSHEETPAGEW& page) {
    page.pszTemplate = MAKEINTRESOURCEW(IDD_PAGE_STATUS);
}

void ChooseIcon(PROPSHEETHEADERW& header) {
    header.dwFlags |= PSH_USEICONID | PSH_NOCONTEXTHELP;
    header.pszIcon = MAKEINTRESOURCEW(IDI_APP);
}

// Where the panel sets them: once the sheet is initialised. The panel's English title.
void OnSheetInitialized(HWND sheet) {
    SetWindowIcons(sheet, IDI_APP);
    FrameMainWindow(sheet, L"Korveline Control Panel");
}
#else
// An empty 200x120 dialog-unit page template, aligned as DLGTEMPLATE requires.
struct alignas(4) PageTemplate {
    DLGTEMPLATE dialog{WS_CHILD | DS_CONTROL | DS_SETFONT, 0, 0, 0, 0, 200, 120};
    WORD menu = 0, windowClass = 0, title = 0, pointSize = 8;
    wchar_t font[13] = L"MS Shell Dlg";
};

void ChoosePage(PROPSHEETPAGEW& page) {
    static PageTemplate pageTemplate;
    page.dwFlags |= PSP_DLGINDIRECT;
    page.pResource = &pageTemplate.dialog;
}

void ChooseIcon(PROPSHEETHEADERW&) {}
void OnSheetInitialized(HWND) {}
#endif

int CALLBACK SheetCallback(HWND sheet, UINT message, LPARAM lParam) {
    if (message == PSCB_PRECREATE) {
        auto* dialog = reinterpret_cast<DLGTEMPLATE*>(lParam);
        dialog->style = (dialog->style & ~WS_VISIBLE) | WS_THICKFRAME;
    }
    if (message == PSCB_INITIALIZED)
        OnSheetInitialized(sheet);
    return 0;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    StartStartupTimeline();
    MarkStartupStep(L"entry");
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_BAR_CLASSES;
    InitCommonControlsEx(&controls);
    MarkStartupStep(L"common controls");
    PROPSHEETPAGEW page{};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_USETITLE;
    page.hInstance = instance;
    ChoosePage(page);
    page.pszTitle = L"Page";
    page.pfnDlgProc = [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; };
    PROPSHEETHEADERW header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_MODELESS | PSH_USECALLBACK | PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW;
    header.hInstance = instance;
    ChooseIcon(header);
    header.pszCaption = L"Bare sheet";
    header.nPages = 1;
    header.ppsp = &page;
    header.pfnCallback = SheetCallback;
    HWND sheet = reinterpret_cast<HWND>(PropertySheetW(&header));
    MarkStartupStep(L"property sheet created");
    if (!sheet)
        return 1;
    ShowWindow(sheet, SW_SHOWNORMAL);
    MarkStartupStep(L"window shown");
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!PropSheet_IsDialogMessage(sheet, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (!PropSheet_GetCurrentPageHwnd(sheet))
            break;
    }
    DestroyWindow(sheet);
    return 0;
}
