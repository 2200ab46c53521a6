#pragma once

#include "framework/MessageMap.h"
#include "framework/SubclassedWindow.h"

#include <prsht.h>

// Keeps the keyboard focus of a property sheet on the page it shows. The sheet's own page
// change (Ctrl+Tab, a tab click, PSM_SETCURSEL, a removed page) leaves the focus where it
// was, on a control of the page just hidden, so that Tab and the arrows would act on a page
// nobody sees. After each of those changes, and when the sheet is activated again, a focus
// that is not on a visible control of the current page or on the tab row moves to the
// current page's first tab stop (the tab row when the page has none).
class SheetFocusKeeper : public SubclassedWindow {
public:
    BEGIN_MSG_MAP(SheetFocusKeeper)
    MESSAGE_HANDLER(PSM_SETCURSEL, AfterPageChange)
    MESSAGE_HANDLER(PSM_SETCURSELID, AfterPageChange)
    MESSAGE_HANDLER(PSM_REMOVEPAGE, AfterPageChange)
    MESSAGE_HANDLER(PSM_ISDIALOGMESSAGE, AfterPageChange)
    MESSAGE_HANDLER(WM_NOTIFY, AfterPageChange)
    MESSAGE_HANDLER(WM_ACTIVATE, AfterPageChange)
    END_MSG_MAP()

private:
    // Moves the focus as described above; nothing happens while another window is active.
    void KeepFocusOnCurrentPage() const;
    LRESULT AfterPageChange(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    static bool MayHaveChangedPage(UINT message, WPARAM wParam, LPARAM lParam);
};
