#pragma once

#include <windows.h>

// Base of every window class of the program. It owns nothing but the handle of the window
// it is attached to: it never creates or destroys that window itself. Messages reach the
// class through ProcessWindowMessage, which each class writes with the message map macros
// of MessageMap.h, so that the messages a class handles are listed in one place.
class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window() = default;

    HWND Hwnd() const { return hwnd_; }

    // Returns true when the message was handled; `result` is then the message's result.
    // Unhandled messages get the window's default processing.
    virtual bool ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                      LRESULT& result);

protected:
    // Set by the class that attaches the object (dialog procedure, subclass procedure).
    void SetHwnd(HWND hwnd) { hwnd_ = hwnd; }

private:
    HWND hwnd_ = nullptr;
};
