#pragma once

#include "framework/DialogWindow.h"

// A dialog class over its own type: T names its template with `static constexpr UINT IDD`,
// so `dialog.DoModal(owner)` and `dialog.Create(owner)` need no id. The DialogWindow
// overloads with an explicit id or an in-memory template stay available.
template <class T> class Dialog : public DialogWindow {
public:
    using DialogWindow::Create;
    using DialogWindow::DoModal;

    INT_PTR DoModal(HWND parent = nullptr) { return DialogWindow::DoModal(parent, T::IDD); }
    HWND Create(HWND parent) { return DialogWindow::Create(parent, T::IDD); }
};
