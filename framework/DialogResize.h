#pragma once

#include "framework/DialogResizer.h"

#include <windows.h>

#include <span>

// Dialog resizing as a mix-in of a window class T (a Window). T calls InitResize from its
// initialisation with its rule table and chains its message map to this one:
//   CHAIN_MSG_MAP(DialogResize<MyPage>)
// Handled here: WM_SIZE (re-layout), WM_DPICHANGED (new DPI from the low word of wParam,
// then re-layout), WM_DPICHANGED_AFTERPARENT (a child's new DPI from its window) and
// WM_GETMINMAXINFO (taken when a minimum size is kept). The others still get the window's
// own processing afterwards (for example the system's move to a suggested rectangle).
template <class T> class DialogResize {
public:
    void InitResize(std::span<const ResizeRule> rules, bool sizeGrip, bool minimumTrackSize) {
        resizer_.Init(static_cast<T*>(this)->Hwnd(), rules, {sizeGrip, minimumTrackSize});
    }

    const DialogResizer& Resizer() const { return resizer_; }
    // Moves a control after InitResize so that the layout keeps its new place.
    void MoveControl(int controlId, int dx, int dy) { resizer_.MoveControl(controlId, dx, dy); }

    bool ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                              LRESULT& result) {
        switch (message) {
        case WM_SIZE:
            resizer_.OnSize(wParam);
            break;
        case WM_DPICHANGED:
            resizer_.OnDpiChanged(LOWORD(wParam));
            break;
        case WM_DPICHANGED_AFTERPARENT:
            resizer_.OnDpiChanged(GetDpiForWindow(hwnd));
            break;
        case WM_GETMINMAXINFO:
            // Taken, so that no later processing overrides the minimum size.
            if (resizer_.FillMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam))) {
                result = 0;
                return true;
            }
            break;
        default:
            break;
        }
        return false;
    }

private:
    DialogResizer resizer_;
};
