#pragma once

#include <cstdint>

// How the volume dialog holds its channel strips, whatever their kind.
class VolumeCtrlInterface {
public:
    // Destroys the strip's window; the dialog deletes the object afterwards.
    virtual void Destroy() = 0;
    // Reads the device again and shows what it reports.
    virtual void Update() = 0;
    // Any device notification code, volume and mute included.
    virtual void OnDeviceNotification(std::uint32_t code) = 0;
    virtual ~VolumeCtrlInterface() = default;
};
