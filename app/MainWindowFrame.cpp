#include "app/MainWindowFrame.h"

#include "framework/WorkArea.h"

namespace {

// The button row is cut off this many pixels below the top of the OK button.
constexpr int kButtonRowCut = 7;

// One move: the window is centred with the height it keeps. Centred before the cut, it
// would sit half a button row above the middle.
void CutOffButtonRowAndCentre(HWND sheet) {
    RECT frame{};
    if (!GetWindowRect(sheet, &frame))
        return;
    const int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    RECT ok{};
    if (const HWND okButton = GetDlgItem(sheet, IDOK);
        okButton != nullptr && GetWindowRect(okButton, &ok))
        height = ok.top + kButtonRowCut - frame.top;
    // The window has no owner: it is centred on the work area of its monitor.
    const RECT work = WorkAreaOf(sheet);
    SetWindowPos(sheet, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

void FrameMainWindow(HWND sheet, const std::wstring& title) {
    SetWindowTextW(sheet, title.c_str());
    ShowWindow(GetDlgItem(sheet, IDOK), SW_HIDE);
    ShowWindow(GetDlgItem(sheet, IDCANCEL), SW_HIDE);
    CutOffButtonRowAndCentre(sheet);
}
