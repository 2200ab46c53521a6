#pragma once

#include "driver/KorvelineApiDll.h"

#include <utility>

// The owner of an open DeviceHandle: closes it through the binding when replaced or
// destroyed (a library without KORVELINE_CloseDevice leaves it open: nothing else can
// close it). 0 means no device.
class UniqueDevice {
public:
    explicit UniqueDevice(const KorvelineApiDll& api, DeviceHandle device = 0)
        : api_(&api), device_(device) {}
    UniqueDevice(UniqueDevice&& other) noexcept
        : api_(other.api_), device_(std::exchange(other.device_, 0)) {}
    UniqueDevice(const UniqueDevice&) = delete;
    UniqueDevice& operator=(const UniqueDevice&) = delete;
    UniqueDevice& operator=(UniqueDevice&&) = delete;
    ~UniqueDevice() { Reset(); }

    DeviceHandle Get() const { return device_; }
    void Reset(DeviceHandle device = 0) {
        if (device_ != 0 && api_->KORVELINE_CloseDevice)
            api_->KORVELINE_CloseDevice(device_);
        device_ = device;
    }

private:
    const KorvelineApiDll* api_;
    DeviceHandle device_;
};
