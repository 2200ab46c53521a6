#include "app/RemoteCommandListener.h"

#include "app/AppMessages.h"
#include "resources/dialogs/PageBufferSettings.h"

RemoteCommandListener::RemoteCommandListener(HINSTANCE instance, HWND target,
                                             std::wstring instanceName)
    : instance_(instance), target_(target), className_(std::move(instanceName)) {}

RemoteCommandListener::~RemoteCommandListener() {
    StopListening();
}

DWORD RemoteCommandListener::StartListening() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance_;
    windowClass.lpszClassName = className_.c_str();
    if (RegisterClassW(&windowClass) == 0)
        return GetLastError();
    classRegistered_ = true;

    window_ = CreateWindowExW(0, className_.c_str(), L"", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                              instance_, nullptr);
    if (window_ == nullptr) {
        DWORD error = GetLastError();
        UnregisterClassW(className_.c_str(), instance_);
        classRegistered_ = false;
        return error;
    }
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return 0;
}

void RemoteCommandListener::StopListening() {
    if (window_ != nullptr) {
        SendMessageW(window_, WM_CLOSE, 0, 0);
        window_ = nullptr;
    }
    if (classRegistered_) {
        UnregisterClassW(className_.c_str(), instance_);
        classRegistered_ = false;
    }
}

LRESULT RemoteCommandListener::HandleMessage(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    if (message == WM_COMMAND) {
        switch (wParam) {
        case CMD_SHOW:
            PostMessageW(target_, WM_COMMAND, CMD_SHOW, 0);
            return 0;
        case CMD_SHOW_ASIO_PAGE:
            PostMessageW(target_, MSG_SHOW_PAGE, IDD_PAGE_BUFFER_SETTINGS, lParam);
            PostMessageW(target_, WM_COMMAND, CMD_SHOW, 0);
            return 0;
        case CMD_SHOW_PAGE:
            PostMessageW(target_, MSG_SHOW_PAGE, static_cast<WPARAM>(lParam), 0);
            PostMessageW(target_, WM_COMMAND, CMD_SHOW, 0);
            return 0;
        case CMD_EXIT:
            PostMessageW(target_, WM_COMMAND, CMD_EXIT, 0);
            return 0;
        default:
            break;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK RemoteCommandListener::WindowProc(HWND window, UINT message, WPARAM wParam,
                                                   LPARAM lParam) {
    auto* listener =
        reinterpret_cast<RemoteCommandListener*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (listener == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    return listener->HandleMessage(window, message, wParam, lParam);
}
