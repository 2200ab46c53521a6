#pragma once

#include <windows.h>

// The worker thread's loop while a device is open: waits on [stop event, device
// notification event]. The stop event ends it with 0. The notification event (auto-reset)
// posts MSG_DEVICE_NOTIFICATION (0, 0) to `target` and sleeps 50 ms, so a burst of signals
// gives few messages; the receiver drains the driver's whole queue on each one. A failed
// wait sleeps 100 ms and tries again, unless the stop event alone shows it is signalled.
DWORD RunDeviceNotificationWatcher(HANDLE stopEvent, HANDLE notificationEvent, HWND target);
