#include "framework/DropDownChoice.h"

bool DropDownChoice::Pass(WPARAM wParam, LPARAM lParam) {
    const auto selector = reinterpret_cast<HWND>(lParam);
    switch (HIWORD(wParam)) {
    case CBN_DROPDOWN:
        list_ = selector;
        openedOn_ = SendMessageW(selector, CB_GETCURSEL, 0, 0);
        moved_ = false;
        return true;
    case CBN_SELCHANGE:
        if (selector == list_ && SendMessageW(selector, CB_GETDROPPEDSTATE, 0, 0)) {
            moved_ = true;
            return false;
        }
        return true;
    default:
        return true;
    }
}

bool DropDownChoice::TakeChoiceAfterClosing(WPARAM wParam, LPARAM lParam, WPARAM& choiceWParam) {
    const auto selector = reinterpret_cast<HWND>(lParam);
    if (HIWORD(wParam) != CBN_CLOSEUP || selector != list_)
        return false;
    const bool chosen = moved_ && SendMessageW(selector, CB_GETCURSEL, 0, 0) != openedOn_;
    list_ = nullptr;
    moved_ = false;
    choiceWParam = MAKEWPARAM(LOWORD(wParam), CBN_SELCHANGE);
    return chosen;
}
