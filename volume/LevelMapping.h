#pragma once

#include "driver/DriverRecords.h"

#include <cstdint>
#include <string>

// The range and step of one volume control, in 1/256 dB; a step of 0 allows any value.
struct LevelMapping {
    std::int16_t minimum = 0;
    std::int16_t maximum = 0;
    std::uint16_t step = 0;

    bool operator==(const LevelMapping&) const = default;
};

inline LevelMapping LevelMappingOf(const VolumeMuteInfo& info) {
    return {info.minimumVolume, info.maximumVolume, info.resolution};
}

// Turns a volume into a slider position and a slider position into a volume: the value
// mirrored within the range (the top of a vertical slider is the loudest setting), snapped
// to the nearest multiple of the step (a tie takes the higher one) and kept in the range.
std::int16_t MapLevel(const LevelMapping& mapping, int value);

// The level in whole decibels, truncated toward zero: -383 reads "-1", -128 reads "0".
std::wstring LevelText(std::int16_t volume);
