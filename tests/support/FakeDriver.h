#pragma once

// A driver binding whose entry points are functions of the test process, for the logic
// that only reads the driver (queries, "auto" tests). The functions answer from one
// process-wide state, so one FakeDriver exists at a time; it starts empty.

#include "driver/KorvelineApiDll.h"

#include <map>
#include <optional>
#include <utility>
#include <vector>

struct FakeDriverState {
    StatusCode status = 0; // what every faked call returns
    std::uint32_t panelOptions = 0;
    // One stream format per entry, with this channel count.
    std::vector<std::uint32_t> inputChannels;
    std::vector<std::uint32_t> outputChannels;
    std::optional<std::uint32_t> claimedFormatCount; // the count the driver claims, if not the size
    std::uint32_t clockSources = 0;
    std::optional<std::uint32_t> asioInstances; // none: the call fails
    std::uint32_t devices = 1;
    // (direction, channel) -> its volume and mute record; others answer a zero record.
    std::map<std::pair<std::uint32_t, std::uint32_t>, VolumeMuteInfo> channels;
    // Every (direction, channel) asked for a volume and mute record, in order.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> volumeQueries;
};

class FakeDriver {
public:
    FakeDriver();
    ~FakeDriver();
    FakeDriver(const FakeDriver&) = delete;
    FakeDriver& operator=(const FakeDriver&) = delete;

    FakeDriverState& state;
    KorvelineApiDll api;
};
