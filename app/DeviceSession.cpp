#include "app/DeviceSession.h"

#include "app/DeviceNotificationWatcher.h"
#include "driver/DeviceNotifications.h"

#include <algorithm>
#include <array>

StatusCode DeviceSession::Open(std::uint32_t index, HWND target) {
    if (StatusCode status = device_.OpenByIndex(index))
        return status;
    const DeviceHandle device = device_.Get();
    target_ = target;
    StatusCode status = event_.Create();
    if (status == 0)
        status = CallEntryPoint(api_.KORVELINE_RegisterDeviceNotification, device,
                                kAllDeviceNotifications, event_.Get(), 0u);
    if (status == 0)
        status = StartThread(THREAD_PRIORITY_NORMAL, 0, 0);
    if (status != 0)
        Close();
    return status;
}

void DeviceSession::Close() {
    StopThread(INFINITE);
    if (device_.Get() != 0 && api_.KORVELINE_RegisterDeviceNotification)
        api_.KORVELINE_RegisterDeviceNotification(device_.Get(), 0, nullptr, 0);
    device_.Reset();
    event_.Close();
    waitingCodes_.clear();
}

void DeviceSession::ReadNotifications() {
    if (device_.Get() == 0)
        return;
    int read = 0;
    for (; read < kMaxNotificationReads; ++read) {
        std::uint32_t code = 0;
        std::array<std::uint8_t, kDeviceNotificationDataSize> data{};
        std::uint32_t bytesReturned = 0;
        if (CallEntryPoint(api_.KORVELINE_ReadDeviceNotification, device_.Get(), &code, data.data(),
                           kDeviceNotificationDataSize, &bytesReturned) != 0)
            break;
        if (std::find(waitingCodes_.begin(), waitingCodes_.end(), code) == waitingCodes_.end())
            waitingCodes_.push_back(code);
    }
    // The rest stays queued, and the driver signals its auto-reset event only for new
    // notifications: signal it again, so the watcher posts once more after its pause and
    // the window reads on between other messages.
    if (read == kMaxNotificationReads)
        event_.Set();
}

bool DeviceSession::HandOnNotifications(const std::function<void(std::uint32_t)>& handOn,
                                        const std::function<bool()>& sliceOver) {
    // A code's handling may open an error box, whose loop hands on codes itself (only
    // requests wait for a modal window), so the queue is asked afresh for every code.
    while (!waitingCodes_.empty()) {
        const std::uint32_t code = waitingCodes_.front();
        waitingCodes_.pop_front();
        handOn(code);
        if (sliceOver())
            break;
    }
    return !waitingCodes_.empty();
}

DWORD DeviceSession::ThreadMain() {
    return RunDeviceNotificationWatcher(StopEvent(), event_.Get(), target_);
}
