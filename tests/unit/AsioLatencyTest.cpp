// Latency in samples shown as milliseconds with two decimals.
#include "pages/AsioLatency.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    std::uint32_t samples;
    std::uint32_t rate;
    std::uint32_t whole;
    std::uint32_t hundredths;
};

void ExpectLatency(const Case& c) {
    const LatencyMilliseconds latency = LatencyFromSamples(c.samples, c.rate);
    EXPECT_EQ(latency.whole, c.whole) << c.samples << " samples at " << c.rate << " Hz";
    EXPECT_EQ(latency.hundredths, c.hundredths) << c.samples << " samples at " << c.rate << " Hz";
}

TEST(AsioLatency, TruncatedMicrosecondsRoundTheHundredthsWithFiveRoundingDown) {
    ExpectLatency({256, 48000, 5, 33});   // 5333 us
    ExpectLatency({441, 44100, 10, 0});   // 10000 us
    ExpectLatency({128, 44100, 2, 90});   // 2902 us
    ExpectLatency({100, 96000, 1, 4});    // 1041 us
    ExpectLatency({1046, 1000000, 1, 5}); // 1046 us
    ExpectLatency({1045, 1000000, 1, 4}); // 1045 us
    ExpectLatency({0, 48000, 0, 0});
}

TEST(AsioLatency, RoundingUpToAFullMillisecondCarries) {
    ExpectLatency({2999, 1000000, 3, 0}); // would read 2.100 ms without the carry
    ExpectLatency({2996, 1000000, 3, 0});
    ExpectLatency({2995, 1000000, 2, 99});
    ExpectLatency({144, 48000, 3, 0}); // exactly 3000 us
}

TEST(AsioLatency, LargeLatenciesNeedTheWideProduct) {
    // 4 295 000 * 1 000 000 does not fit 32 bits; the quotient does.
    ExpectLatency({4295000, 48000, 89479, 17}); // 89479166 us
}

} // namespace
