// Every page's resize rules against the dialog template it is built from: a rule that names
// a control the template lacks would leave that control unplaced without an error.
#include "app/PageTable.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

// The ids of the page's resize rules that its template has no control for.
std::vector<int> MissingControls(const PageRow& row) {
    // A page template is a child dialog, so it needs a parent.
    const HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 600, 400, nullptr,
                                        nullptr, GetModuleHandleW(nullptr), nullptr);
    const HWND page = CreateDialogParamW(GetModuleHandleW(nullptr),
                                         MAKEINTRESOURCEW(row.dialogId), parent, PlainDialogProc, 0);
    if (page == nullptr) {
        DestroyWindow(parent);
        return {-static_cast<int>(row.dialogId)};
    }
    std::vector<int> missing;
    for (const ResizeRule& rule : row.resizeRules) {
        if (GetDlgItem(page, rule.controlId) == nullptr)
            missing.push_back(rule.controlId);
    }
    DestroyWindow(parent);
    return missing;
}

TEST(PageTemplates, EveryResizedControlExistsInThePagesTemplate) {
    const INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
    for (const PageRow& row : PageTable())
        EXPECT_EQ(MissingControls(row), std::vector<int>()) << "page " << row.dialogId;
}

} // namespace
