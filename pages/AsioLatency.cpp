#include "pages/AsioLatency.h"

LatencyMilliseconds LatencyFromSamples(std::uint32_t samples, std::uint32_t sampleRate) {
    // The product needs 64 bits; the quotient is taken as a 32-bit value.
    const auto micros = static_cast<std::uint32_t>(std::uint64_t{samples} * 1000000u / sampleRate);
    LatencyMilliseconds latency{micros / 1000, (micros % 1000) / 10};
    if (micros % 10 > 5)
        ++latency.hundredths;
    if (latency.hundredths == 100) {
        ++latency.whole;
        latency.hundredths = 0;
    }
    return latency;
}
