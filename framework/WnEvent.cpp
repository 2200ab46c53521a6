#include "framework/WnEvent.h"

DWORD WnEvent::Create() {
    Close();
    HANDLE event = CreateEventW(nullptr, manualReset_ ? TRUE : FALSE, FALSE, nullptr);
    if (event == nullptr)
        return GetLastError();
    Attach(event);
    return 0;
}

DWORD WnEvent::Set() {
    if (Get() == nullptr)
        return ERROR_INVALID_HANDLE;
    return SetEvent(Get()) ? 0 : GetLastError();
}

DWORD WnEvent::Reset() {
    if (Get() == nullptr)
        return ERROR_INVALID_HANDLE;
    return ResetEvent(Get()) ? 0 : GetLastError();
}
