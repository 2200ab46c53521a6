#include "framework/SheetFocusKeeper.h"

#include <commctrl.h>
#include <prsht.h>

LRESULT SheetFocusKeeper::AfterPageChange(UINT message, WPARAM wParam, LPARAM lParam, bool&) {
    const LRESULT result = DefaultProcessing(message, wParam, lParam);
    if (MayHaveChangedPage(message, wParam, lParam) && IsWindow(Hwnd()))
        KeepFocusOnCurrentPage();
    return result;
}

bool SheetFocusKeeper::MayHaveChangedPage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NOTIFY:
        return reinterpret_cast<const NMHDR*>(lParam)->code == TCN_SELCHANGE;
    case WM_ACTIVATE:
        return LOWORD(wParam) != WA_INACTIVE;
    case PSM_ISDIALOGMESSAGE: {
        // Only a key (Ctrl+Tab, Ctrl+Page Down, ...) turns the page here.
        const UINT keyMessage = reinterpret_cast<const MSG*>(lParam)->message;
        return keyMessage == WM_KEYDOWN || keyMessage == WM_SYSKEYDOWN;
    }
    default:
        return true;
    }
}

void SheetFocusKeeper::KeepFocusOnCurrentPage() const {
    const HWND sheet = Hwnd();
    if (GetActiveWindow() != sheet || !IsWindowVisible(sheet))
        return;
    const auto page = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    const auto tabs = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
    if (page == nullptr || tabs == nullptr)
        return;
    const HWND focus = GetFocus();
    if (focus != nullptr && (focus == tabs || (IsChild(page, focus) && IsWindowVisible(focus))))
        return;
    HWND target = GetNextDlgTabItem(page, nullptr, FALSE);
    if (target == nullptr || !IsChild(page, target))
        target = tabs;
    SendMessageW(sheet, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(target), TRUE);
}
