#pragma once

// Queries that several parts of the program derive from the entry points. A failed or
// unavailable call counts as "nothing there".

#include <cstdint>

#include "driver/KorvelineApiDll.h"

// A USB audio channel cluster describes at most 255 channels; a larger count from the
// driver is not trusted, so per-channel loops stay bounded.
constexpr std::uint32_t kMaxChannelCount = 255;

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
