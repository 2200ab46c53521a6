#include "app/SingleInstance.h"

#include "app/AppMessages.h"
#include "framework/UniqueAny.h"

namespace {

// One window that ignores the request gets it at most this often.
constexpr int kMaxRepeatedExitRequests = 20;

} // namespace

InstanceClaim ClaimSingleInstance(const std::wstring& instanceName) {
    UniqueHandle mutex(CreateMutexW(nullptr, FALSE, instanceName.c_str()));
    if (mutex && GetLastError() != ERROR_ALREADY_EXISTS) {
        // Deliberately kept open: the end of the process releases the name.
        mutex.Release();
        return InstanceClaim::FirstInstance;
    }
    return InstanceClaim::AlreadyRunning;
}

HandOffResult HandOffToRunningInstance(const std::wstring& instanceName,
                                       const StartRequest& request) {
    if (request.kind == StartRequest::Kind::Hidden)
        return HandOffResult::NothingToSend;
    HWND listener = FindWindowW(instanceName.c_str(), nullptr);
    if (!listener)
        return HandOffResult::NoWindow;
    DWORD processId = 0;
    GetWindowThreadProcessId(listener, &processId);
    AllowSetForegroundWindow(processId);
    if (request.kind != StartRequest::Kind::Page)
        PostMessageW(listener, WM_COMMAND, CMD_SHOW, 0);
    else if (request.asioInstance)
        PostMessageW(listener, WM_COMMAND, CMD_SHOW_ASIO_PAGE, *request.asioInstance);
    else
        PostMessageW(listener, WM_COMMAND, CMD_SHOW_PAGE, static_cast<LPARAM>(request.pageId));
    return HandOffResult::Sent;
}

StatusCode RequestExitOfAllInstances(const std::wstring& instanceName,
                                     const std::function<void()>& pause) {
    HWND last = nullptr;
    int repeats = 0;
    for (;;) {
        HWND listener = FindWindowW(instanceName.c_str(), nullptr);
        if (!listener)
            return 0;
        if (listener != last)
            repeats = 0;
        else if (++repeats > kMaxRepeatedExitRequests)
            return kExitAllGaveUp;
        PostMessageW(listener, WM_COMMAND, CMD_EXIT, 0);
        pause();
        last = listener;
    }
}
