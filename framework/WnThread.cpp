#include "framework/WnThread.h"

#include <process.h>

namespace {

unsigned __stdcall ThreadEntry(void* callback) {
    return static_cast<WnThreadCallbackInterface*>(callback)->ThreadRoutine();
}

constexpr DWORD kWaitSliceMs = 1000;

} // namespace

DWORD WnThread::Start(WnThreadCallbackInterface* callback, unsigned stackSize,
                      unsigned creationFlags) {
    if (Get() != nullptr)
        return ERROR_ALREADY_EXISTS;
    if (callback == nullptr)
        return ERROR_INVALID_PARAMETER;
    unsigned id = 0;
    uintptr_t thread =
        _beginthreadex(nullptr, stackSize, ThreadEntry, callback, creationFlags, &id);
    if (thread == 0) {
        DWORD error = GetLastError();
        return error != 0 ? error : ERROR_NOT_ENOUGH_MEMORY;
    }
    Attach(reinterpret_cast<HANDLE>(thread));
    id_ = id;
    return 0;
}

DWORD WnThread::Wait(DWORD timeLimitMs) {
    if (Get() == nullptr)
        return 0;
    DWORD outcome = WAIT_TIMEOUT;
    if (timeLimitMs == kNoTimeLimit) {
        do
            outcome = WaitForSingleObject(Get(), kWaitSliceMs);
        while (outcome == WAIT_TIMEOUT);
    } else {
        outcome = WaitForSingleObject(Get(), timeLimitMs);
    }
    if (outcome == WAIT_OBJECT_0) {
        Close();
        return 0;
    }
    return outcome == WAIT_FAILED ? GetLastError() : outcome;
}

void WnThread::Close() {
    WnHandle::Close();
    id_ = 0;
}

DWORD WnThread::SetPriority(int priority) {
    if (Get() == nullptr)
        return ERROR_INVALID_HANDLE;
    return SetThreadPriority(Get(), priority) ? 0 : GetLastError();
}
