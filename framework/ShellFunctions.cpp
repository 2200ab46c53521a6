#include "framework/ShellFunctions.h"

namespace {

template <typename Function> Function ShellFunction(const char* name) {
    static const HMODULE shell =
        LoadLibraryExW(L"shell32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return shell == nullptr ? nullptr
                            : reinterpret_cast<Function>(
                                  reinterpret_cast<void*>(GetProcAddress(shell, name)));
}

} // namespace

BOOL ShellNotifyIcon(DWORD message, NOTIFYICONDATAW* data) {
    using Function = BOOL(WINAPI*)(DWORD, NOTIFYICONDATAW*);
    static const auto notifyIcon = ShellFunction<Function>("Shell_NotifyIconW");
    return notifyIcon != nullptr && notifyIcon(message, data);
}

HRESULT ShellGetFolderPath(int folder, DWORD flags, wchar_t (&path)[MAX_PATH]) {
    using Function = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPWSTR);
    static const auto getFolderPath = ShellFunction<Function>("SHGetFolderPathW");
    return getFolderPath != nullptr ? getFolderPath(nullptr, folder, nullptr, flags, path)
                                    : E_NOTIMPL;
}
