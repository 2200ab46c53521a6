#pragma once

// Queries that several parts of the program derive from the entry points. A failed or
// unavailable call counts as "nothing there".

#include <cstdint>

#include "driver/KorvelineApiDll.h"

// A USB audio channel cluster describes at most 255 channels; a larger count from the
// driver is not trusted, so per-channel loops stay bounded.
constexpr std::uint32_t kMaxChannelCount = 255;

// A USB host addresses at most 127 devices, hubs included: a larger count is an error code
// read as a count, not a device list.
constexpr std::uint32_t kMaxDeviceCount = 127;

// The number of device indexes to list: KORVELINE_GetDeviceCount while it is at most
// kMaxDeviceCount; above it, the indexes from 0 that open, up to the first that does not
// (the driver's indexes have no gaps); 0 when the entry point is missing.
std::uint32_t ListableDeviceCount(const KorvelineApiDll& api);

// The largest channel count among the direction's stream formats, at most
// kMaxChannelCount; 0 on failure or when there are none.
std::uint32_t GetChannelCount(const KorvelineApiDll& api, DeviceHandle device,
                              std::uint32_t direction);

// The number of stream formats of the direction; 0 on failure.
std::uint32_t StreamFormatCount(const KorvelineApiDll& api, DeviceHandle device,
                                std::uint32_t direction);

// True when one of the channels 0 .. channelCount - 1 has a volume or a mute control.
// Callers pass GetChannelCount + 1 so that the master channel is included.
bool HasVolumeControls(const KorvelineApiDll& api, DeviceHandle device, std::uint32_t direction,
                       std::uint32_t channelCount);
