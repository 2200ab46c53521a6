#include "framework/SubclassedWindow.h"

#include <commctrl.h>

SubclassedWindow::~SubclassedWindow() {
    Unsubclass();
}

bool SubclassedWindow::Subclass(HWND hwnd) {
    if (Hwnd() != nullptr || !IsWindow(hwnd))
        return false;
    // The object's address is the subclass id, so several objects may share a window.
    if (!SetWindowSubclass(hwnd, SubclassProc, reinterpret_cast<UINT_PTR>(this),
                           reinterpret_cast<DWORD_PTR>(this)))
        return false;
    SetHwnd(hwnd);
    return true;
}

void SubclassedWindow::Unsubclass() {
    if (Hwnd() == nullptr)
        return;
    RemoveWindowSubclass(Hwnd(), SubclassProc, reinterpret_cast<UINT_PTR>(this));
    SetHwnd(nullptr);
}

LRESULT SubclassedWindow::DefaultProcessing(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefSubclassProc(Hwnd(), message, wParam, lParam);
}

LRESULT CALLBACK SubclassedWindow::SubclassProc(HWND hwnd, UINT message, WPARAM wParam,
                                                LPARAM lParam, UINT_PTR, DWORD_PTR refData) {
    auto* self = reinterpret_cast<SubclassedWindow*>(refData);
    LRESULT result = 0;
    bool handled = self->ProcessWindowMessage(hwnd, message, wParam, lParam, result);
    if (message == WM_NCDESTROY) {
        self->Unsubclass();
        handled = false;
    }
    return handled ? result : DefSubclassProc(hwnd, message, wParam, lParam);
}
