// What a screen reader reads on every page of a device with every page: each control a
// user can operate has a name, either its own (buttons, check boxes) or that of the label
// that stands before it in the dialog (selectors, lists), which is how the system's
// accessibility library names a control without a text of its own.
#include "tests/support/AccessibleName.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/WindowQueries.h"

namespace {

bool OwnText(HWND control) {
    return ClassOf(control) == L"Button";
}

using AccessibleNames = MainWindowTest;

TEST_F(AccessibleNames, EveryUsableControlOfEveryPageHasAName) {
    OpenWithEveryPage();
    ForEveryPage([&](HWND page) {
        for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (!(GetWindowLongW(child, GWL_STYLE) & WS_TABSTOP) || !IsWindowVisible(child) ||
                !IsWindowEnabled(child))
                continue;
            SCOPED_TRACE("page " + std::to_string(*window->CurrentPageId()) + ", control " +
                         std::to_string(GetDlgCtrlID(child)));
            if (OwnText(child)) {
                EXPECT_NE(AccessibleName(child), L"");
            } else {
                EXPECT_NE(LabelBefore(child), L"") << "no label stands before it";
            }
        }
    });
}

} // namespace
