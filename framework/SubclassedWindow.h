#pragma once

#include "framework/Window.h"

// Attaches a Window object to an existing window (a control, or a window whose procedure
// belongs to the system, such as a property sheet) with SetWindowSubclass. Messages go to
// ProcessWindowMessage first; unhandled ones continue to the window's own procedure.
// The subclass ends by Unsubclass, by the object's destruction, or when the window is
// destroyed (after the object has seen WM_NCDESTROY).
class SubclassedWindow : public Window {
public:
    ~SubclassedWindow() override;

    // False when the object is already attached or the subclass cannot be installed.
    bool Subclass(HWND hwnd);
    void Unsubclass();

protected:
    // The window's own processing of a message; for use inside a handler.
    LRESULT DefaultProcessing(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR subclassId, DWORD_PTR refData);
};
