#pragma once

#include <cstdint>

// A latency in samples as milliseconds with two decimals, as the buffer settings page
// shows it ("5.33 ms").
struct LatencyMilliseconds {
    std::uint32_t whole = 0;
    std::uint32_t hundredths = 0; // 0 to 99
};

// The microseconds are truncated; their last digit rounds the hundredths, a 5 rounding
// down (1045 us reads 1.04 ms, 1046 us 1.05 ms). A rounding up to 100 hundredths carries
// into the milliseconds (2999 us reads 3.00 ms). sampleRate must not be 0.
LatencyMilliseconds LatencyFromSamples(std::uint32_t samples, std::uint32_t sampleRate);
