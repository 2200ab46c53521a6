#pragma once

#include <windows.h>

#include <string>

// The hidden top-level window through which later starts of the program reach this one.
// Its window class name is the instance name, so another process finds it with a search
// by class name and posts it WM_COMMAND CMD_SHOW, CMD_SHOW_ASIO_PAGE, CMD_SHOW_PAGE or
// CMD_EXIT, which the listener posts on to the target (the main window):
//   CMD_SHOW           -> WM_COMMAND CMD_SHOW (lParam 0)
//   CMD_SHOW_ASIO_PAGE -> MSG_SHOW_PAGE (the buffer settings page, lParam unchanged), then
//                         WM_COMMAND CMD_SHOW
//   CMD_SHOW_PAGE      -> MSG_SHOW_PAGE (lParam as the page, 0), then WM_COMMAND CMD_SHOW
//   CMD_EXIT           -> WM_COMMAND CMD_EXIT (lParam 0)
// The whole wParam must equal the command. Everything else gets default handling.
class RemoteCommandListener {
public:
    RemoteCommandListener(HINSTANCE instance, HWND target, std::wstring instanceName);
    RemoteCommandListener(const RemoteCommandListener&) = delete;
    RemoteCommandListener& operator=(const RemoteCommandListener&) = delete;
    // Stops listening, so that the window never refers to a destroyed listener.
    ~RemoteCommandListener();

    // Registers the class and creates the window; 0 or the system's error (a class of the
    // same name already registered in this process gives 1410).
    DWORD StartListening();
    // Closes the window and unregisters the class this listener registered.
    void StopListening();

    virtual LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND ListenerWindow() const { return window_; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HINSTANCE instance_;
    HWND target_;
    HWND window_ = nullptr;
    std::wstring className_;
    bool classRegistered_ = false;
};
