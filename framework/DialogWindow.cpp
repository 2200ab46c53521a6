#include "framework/DialogWindow.h"

#include "framework/Module.h"

namespace {

// Messages whose dialog-procedure return value is the result itself rather than a flag.
bool ReturnsResultDirectly(UINT message) {
    switch (message) {
    case WM_INITDIALOG:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
        return true;
    default:
        return false;
    }
}

} // namespace

DialogWindow::~DialogWindow() {
    Detach();
}

void DialogWindow::Detach() {
    if (Hwnd() == nullptr)
        return;
    SetWindowLongPtrW(Hwnd(), DWLP_USER, 0);
    SetHwnd(nullptr);
}

INT_PTR DialogWindow::DoModal(HWND parent, UINT dialogId) {
    if (Hwnd() != nullptr)
        return -1;
    return DialogBoxParamW(GetModule().Instance(), MAKEINTRESOURCEW(dialogId), parent, DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

INT_PTR DialogWindow::DoModal(HWND parent, const DLGTEMPLATE* dialogTemplate) {
    if (Hwnd() != nullptr || dialogTemplate == nullptr)
        return -1;
    return DialogBoxIndirectParamW(GetModule().Instance(), dialogTemplate, parent, DialogProc,
                                   reinterpret_cast<LPARAM>(this));
}

HWND DialogWindow::Create(HWND parent, UINT dialogId) {
    if (Hwnd() != nullptr)
        return nullptr;
    return CreateDialogParamW(GetModule().Instance(), MAKEINTRESOURCEW(dialogId), parent,
                              DialogProc, reinterpret_cast<LPARAM>(this));
}

HWND DialogWindow::Create(HWND parent, const DLGTEMPLATE* dialogTemplate) {
    if (Hwnd() != nullptr || dialogTemplate == nullptr)
        return nullptr;
    return CreateDialogIndirectParamW(GetModule().Instance(), dialogTemplate, parent, DialogProc,
                                      reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK DialogWindow::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    DialogWindow* self = message == WM_INITDIALOG
                             ? reinterpret_cast<DialogWindow*>(lParam)
                             : reinterpret_cast<DialogWindow*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    return Dispatch(self, hwnd, message, wParam, lParam);
}

INT_PTR DialogWindow::Dispatch(DialogWindow* self, HWND hwnd, UINT message, WPARAM wParam,
                               LPARAM lParam) {
    if (self == nullptr)
        return FALSE;
    if (message == WM_INITDIALOG) {
        self->SetHwnd(hwnd);
        SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    }
    if (message == WM_COMMAND && !self->dropDownChoice_.Pass(wParam, lParam))
        return FALSE;
    LRESULT result = 0;
    bool handled = self->ProcessWindowMessage(hwnd, message, wParam, lParam, result);
    if (WPARAM choice = 0; message == WM_COMMAND &&
                           self->dropDownChoice_.TakeChoiceAfterClosing(wParam, lParam, choice)) {
        LRESULT ignored = 0;
        self->ProcessWindowMessage(hwnd, WM_COMMAND, choice, lParam, ignored);
    }
    if (message == WM_NCDESTROY)
        self->Detach();
    if (!handled)
        return FALSE;
    if (ReturnsResultDirectly(message))
        return static_cast<INT_PTR>(result);
    SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}
