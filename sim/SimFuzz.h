#pragma once

// The fuzz mode of the simulator: with a seed, every answer that delivers data carries
// random records instead of the scenario's (counts up to beyond the caller's room, ids
// that repeat or are 0, strings of any length with or without terminator, any flags), so
// the program meets driver data of every shape in a repeatable order. Status codes stay
// the scenario's; nothing is ever written beyond the caller's buffers.

#include "driver/DriverRecords.h"

#include <cstdint>
#include <random>

class SimFuzz {
public:
    explicit SimFuzz(std::uint32_t seed) : random_(seed), seed_(seed) {}

    std::uint32_t Seed() const { return seed_; }

    // Mostly small, sometimes just past a buffer's room, now and then absurd.
    std::uint32_t Number();
    // Few distinct values, so that ids repeat and 0 comes up.
    std::uint32_t Id();
    std::uint32_t Flags();
    // A count for a caller that has room for `room` elements (any value may come back).
    std::uint32_t Count(std::uint32_t room);

    template <std::size_t N> void Text(wchar_t (&text)[N]) {
        const std::uint32_t length = Pick(4) == 0 ? N : Number() % (N + 1);
        for (std::size_t i = 0; i < N; ++i)
            text[i] = i < length ? Character() : L'\0';
    }

    void Scramble(std::uint32_t& value) { value = Number(); }
    void Scramble(std::int16_t& value) { value = static_cast<std::int16_t>(random_()); }
    void Scramble(DeviceProperties& record);
    void Scramble(ClockSourceInfo& record);
    void Scramble(StreamFormatInfo& record);
    void Scramble(ChannelInfo& record) { Text(record.name); }
    void Scramble(VolumeMuteInfo& record);
    void Scramble(DriverInfo& record);
    void Scramble(ControlPanelOptions& record) { record.options = Flags(); }
    void Scramble(AsioInstanceDetails& record);
    void Scramble(AsioInstanceInfo& record);
    void Scramble(SoundDeviceProfileInfo& record);

private:
    std::uint32_t Pick(std::uint32_t choices) { return random_() % choices; }
    wchar_t Character();

    std::mt19937 random_;
    std::uint32_t seed_;
};
