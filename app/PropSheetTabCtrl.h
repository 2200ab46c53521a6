#pragma once

#include "framework/MessageMap.h"
#include "framework/SubclassedWindow.h"

// The property sheet's tab control. Whenever its position or size changes it recomputes
// its rows of tabs (by clearing and setting its multi-line style), asks the sheet to
// recalculate its page sizes and sends MSG_FIT_PAGE to the sheet.
class PropSheetTabCtrl : public SubclassedWindow {
public:
    BEGIN_MSG_MAP(PropSheetTabCtrl)
    MESSAGE_HANDLER(WM_WINDOWPOSCHANGED, OnWindowPosChanged)
    END_MSG_MAP()

private:
    LRESULT OnWindowPosChanged(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
};
