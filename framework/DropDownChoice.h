#pragma once

#include <windows.h>

// A drop-down list reports every entry the arrow keys pass while it is open
// (CBN_SELCHANGE each time), so a dialog that acts on each report would act once per key.
// DropDownChoice holds those reports back and, when the list closes on another entry than
// the one it opened on, hands the dialog one CBN_SELCHANGE: a choice made in an open list
// counts once, when it is made. Reports while no list is open pass as they come.
class DropDownChoice {
public:
    // Called with each WM_COMMAND of the dialog; false when the dialog does not see it.
    bool Pass(WPARAM wParam, LPARAM lParam);
    // After the dialog handled a CBN_CLOSEUP: the report to hand it, if any.
    bool TakeChoiceAfterClosing(WPARAM wParam, LPARAM lParam, WPARAM& choiceWParam);

private:
    HWND list_ = nullptr; // the selector whose list is open
    LRESULT openedOn_ = CB_ERR;
    bool moved_ = false;
};
