#pragma once

#include "app/WorkerThread.h"
#include "driver/UniqueDevice.h"
#include "framework/WnEvent.h"

#include <cstdint>
#include <deque>
#include <functional>

// The one device the main window works with: opened by its enumeration index, watched by
// the worker thread, closed again, in that order. While it is open the driver signals the
// notification event for each of its notifications, and the worker thread posts
// MSG_DEVICE_NOTIFICATION to the target window. Closing stops the thread with no time
// limit before the device and then the event go; the thread never touches the device, so
// no lock guards it.
class DeviceSession : private WorkerThread {
public:
    // At most this many notifications are read per drain, so that a driver whose queue
    // never reports empty cannot hold the window; the rest is read after the next post.
    static constexpr int kMaxNotificationReads = 256;

    explicit DeviceSession(const KorvelineApiDll& api) : api_(api) {}
    ~DeviceSession() override { Close(); }
    DeviceSession(const DeviceSession&) = delete;
    DeviceSession& operator=(const DeviceSession&) = delete;

    // Opens the device, creates its event, registers it and starts the thread that posts to
    // `target`; on a failure the session is closed again and the code returned.
    StatusCode Open(std::uint32_t index, HWND target);
    // Stops the thread, unregisters and closes the device, closes the event.
    void Close();
    // 0 while no device is open.
    DeviceHandle Device() const { return device_.Get(); }
    // Drains the driver's queue into the codes waiting to be handed on: each distinct code
    // once, in order of first arrival. A code already waiting keeps its place.
    void ReadNotifications();
    // Hands on the waiting codes in order, each taken out before it is handed on, until none
    // is left or `sliceOver` (asked after each code) ends the slice. True while codes wait.
    // Closing the device drops them: they describe a device that is gone.
    bool HandOnNotifications(const std::function<void(std::uint32_t)>& handOn,
                             const std::function<bool()>& sliceOver);

private:
    DWORD ThreadMain() override;

    const KorvelineApiDll& api_;
    UniqueDevice device_{api_};
    WnAutoResetEvent event_;
    HWND target_ = nullptr;
    std::deque<std::uint32_t> waitingCodes_;
};
