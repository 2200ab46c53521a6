// The yardstick of the start-up benchmark: a bare modeless property sheet with one empty
// page, created hidden and then shown, built with the same toolchain and flags as the
// panel. It does nothing else, so its start-up time is the floor for any sheet program.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <cstring>

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

// An empty 200x120 dialog-unit page template, aligned as DLGTEMPLATE requires.
struct alignas(4) PageTemplate {
    DLGTEMPLATE dialog{WS_CHILD | DS_CONTROL | DS_SETFONT, 0, 0, 0, 0, 200, 120};
    WORD menu = 0, windowClass = 0, title = 0, pointSize = 8;
    wchar_t font[13] = L"MS Shell Dlg";
};

int CALLBACK SheetCallback(HWND, UINT message, LPARAM lParam) {
    if (message == PSCB_PRECREATE) {
        auto* dialog = reinterpret_cast<DLGTEMPLATE*>(lParam);
        dialog->style = (dialog->style & ~WS_VISIBLE) | WS_THICKFRAME;
    }
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
    static PageTemplate pageTemplate;
    PROPSHEETPAGEW page{};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_DLGINDIRECT | PSP_USETITLE;
    page.hInstance = instance;
    page.pResource = &pageTemplate.dialog;
    page.pszTitle = L"Page";
    page.pfnDlgProc = [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; };
    PROPSHEETHEADERW header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_MODELESS | PSH_USECALLBACK | PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW;
    header.hInstance = instance;
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
