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
        : UniqueAny(device, CloseDeviceThrough{&api}) {}
};
