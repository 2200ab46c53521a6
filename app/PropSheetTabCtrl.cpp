#include "app/PropSheetTabCtrl.h"

#include "app/AppMessages.h"

#include <commctrl.h>
#include <prsht.h>

LRESULT PropSheetTabCtrl::OnWindowPosChanged(UINT message, WPARAM wParam, LPARAM lParam, bool&) {
    const LRESULT result = DefaultProcessing(message, wParam, lParam);
    const auto* position = reinterpret_cast<const WINDOWPOS*>(lParam);
    constexpr UINT kUnchanged = SWP_NOSIZE | SWP_NOMOVE;
    if ((position->flags & kUnchanged) == kUnchanged)
        return result;
    const LONG_PTR style = GetWindowLongPtrW(Hwnd(), GWL_STYLE);
    SetWindowLongPtrW(Hwnd(), GWL_STYLE, style & ~static_cast<LONG_PTR>(TCS_MULTILINE));
    SetWindowLongPtrW(Hwnd(), GWL_STYLE, style | TCS_MULTILINE);
    const HWND sheet = GetParent(Hwnd());
    SendMessageW(sheet, PSM_RECALCPAGESIZES, 0, 0);
    SendMessageW(sheet, MSG_FIT_PAGE, 0, 0);
    return result;
}
