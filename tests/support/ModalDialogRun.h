#pragma once

// Runs test code inside a modal dialog's own loop, where the program spends the dialog's
// life: a timer finds the dialog once it is up and runs the body there.

#include <windows.h>

#include <functional>

// `open` starts the dialog and pumps until it has gone; the body runs once the dialog (a
// visible dialog owned by `owner` that is no message box) is up, and the dialog is closed
// after it unless the body closed it. Answers whether the dialog came up.
bool RunInModalDialog(HWND owner, UINT pollMs, const std::function<void()>& open,
                      const std::function<void(HWND dialog)>& body);
