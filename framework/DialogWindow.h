#pragma once

#include "framework/DropDownChoice.h"
#include "framework/Window.h"

// The non-template part of every dialog class: creating a dialog from a template of the
// module's resources or from an in-memory DLGTEMPLATE, modal or modeless, with the object
// passed through the init lParam and kept in the dialog's DWLP_USER slot, and routing the
// dialog's messages to ProcessWindowMessage with the dialog manager's result conventions.
// The object is attached from WM_INITDIALOG until WM_NCDESTROY; messages before that get
// the dialog manager's default processing. A choice in a selector's open list reaches the
// dialog once, when the list closes (DropDownChoice).
class DialogWindow : public Window {
public:
    // Detaches from a window that still exists; the window then gets default processing.
    ~DialogWindow() override;

    // Runs a modal dialog; returns the value given to EndDialog, or -1 when the dialog
    // cannot be created or this object already has a window.
    INT_PTR DoModal(HWND parent, UINT dialogId);
    INT_PTR DoModal(HWND parent, const DLGTEMPLATE* dialogTemplate);

    // Creates a modeless dialog; null when it cannot be created or this object already
    // has a window. The creator destroys it with DestroyWindow.
    HWND Create(HWND parent, UINT dialogId);
    HWND Create(HWND parent, const DLGTEMPLATE* dialogTemplate);

protected:
    // Hands a message to `self` and converts the handler's result for the dialog manager.
    // On WM_INITDIALOG `self` is attached; on WM_NCDESTROY it is detached.
    static INT_PTR Dispatch(DialogWindow* self, HWND hwnd, UINT message, WPARAM wParam,
                            LPARAM lParam);

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Detach();

    DropDownChoice dropDownChoice_;
};
