#include "app/DeviceNotificationWatcher.h"

#include "app/AppMessages.h"

namespace {
constexpr DWORD kCoalesceMs = 50;
constexpr DWORD kRetryMs = 100;
} // namespace

DWORD RunDeviceNotificationWatcher(HANDLE stopEvent, HANDLE notificationEvent, HWND target) {
    const HANDLE handles[] = {stopEvent, notificationEvent};
    for (;;) {
        DWORD outcome = WaitForMultipleObjects(2, handles, FALSE, INFINITE);
        if (outcome == WAIT_OBJECT_0)
            return 0;
        if (outcome == WAIT_OBJECT_0 + 1) {
            PostMessageW(target, MSG_DEVICE_NOTIFICATION, 0, 0);
            Sleep(kCoalesceMs);
            continue;
        }
        // A bad notification handle fails every wait on the pair; stopping must still work.
        if (WaitForSingleObject(stopEvent, 0) == WAIT_OBJECT_0)
            return 0;
        Sleep(kRetryMs);
    }
}
