#pragma once

#include "driver/KorvelineApiDll.h"
#include "framework/UniqueAny.h"

// Closes a device through the binding (a library without KORVELINE_CloseDevice leaves it
// open: nothing else can close it).
struct CloseDeviceThrough {
    const KorvelineApiDll* api = nullptr;
    void operator()(DeviceHandle device) const {
        if (api->KORVELINE_CloseDevice)
            api->KORVELINE_CloseDevice(device);
    }
};

// The owner of an open DeviceHandle; 0 means no device.
class UniqueDevice : public UniqueAny<DeviceHandle, CloseDeviceThrough> {
public:
    explicit UniqueDevice(const KorvelineApiDll& api, DeviceHandle device = 0)
        : UniqueAny(device, CloseDeviceThrough{&api}), api_(&api) {}

    // Closes the device held, then opens the one at this enumeration index; holds none when
    // the driver refuses. The driver's code.
    StatusCode OpenByIndex(std::uint32_t index) {
        Reset();
        DeviceHandle device = 0;
        const StatusCode status = CallEntryPoint(api_->KORVELINE_OpenDeviceByIndex, index, &device);
        if (status == 0)
            Reset(device);
        return status;
    }

private:
    const KorvelineApiDll* api_;
};
