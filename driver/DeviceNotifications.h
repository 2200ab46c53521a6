#pragma once

#include <cstdint>

// The codes the driver hands out with KORVELINE_ReadDeviceNotification, and the wParam of
// its device-change message. The program and the simulated driver share them. The pages
// pass codes on unchanged; only volume and mute have a meaning of their own to the
// program: they concern the channel strips alone, so the other pages do not refresh on them.
enum DeviceNotificationCode : std::uint32_t {
    kDeviceNotificationSampleRate = 1,
    kDeviceNotificationClockSource = 2,
    kDeviceNotificationVolume = 3,
    kDeviceNotificationMute = 4,
    kDeviceNotificationStreamFormat = 5,
    kDeviceNotificationStreamingMode = 6,
    kDeviceNotificationClientInfo = 7,
    kDeviceNotificationSoundDeviceProfile = 8,
    kDeviceNotificationAsio = 9,
};

constexpr bool IsLevelNotification(std::uint32_t code) {
    return code == kDeviceNotificationVolume || code == kDeviceNotificationMute;
}

// wParam of the device-change message: the set of devices changed.
constexpr std::uintptr_t kDeviceChangeArrival = 1;
constexpr std::uintptr_t kDeviceChangeRemoval = 2;

constexpr bool IsDeviceSetChange(std::uintptr_t wParam) {
    return wParam == kDeviceChangeArrival || wParam == kDeviceChangeRemoval;
}
