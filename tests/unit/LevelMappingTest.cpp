// The mapping between volumes and slider positions, and the level read-out.
#include "volume/LevelMapping.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

constexpr LevelMapping kOutput{-32768, 0, 256};

std::int16_t RoundTrip(const LevelMapping& mapping, int volume) {
    return MapLevel(mapping, MapLevel(mapping, volume));
}

} // namespace

TEST(MapLevel, MirrorsTheRangeSoThatTheTopIsLoudest) {
    EXPECT_EQ(MapLevel(kOutput, 0), -32768);
    EXPECT_EQ(MapLevel(kOutput, -32768), 0);
    EXPECT_EQ(MapLevel({-16384, 6144, 128}, 6144), -16384);
    EXPECT_EQ(MapLevel({-16384, 6144, 128}, -16384), 6144);
}

TEST(MapLevel, SnapsToTheNearestMultipleOfTheStepOnBothSidesOfZero) {
    // -300 is nearer -256 than -512: the level must not jump by a whole step.
    EXPECT_EQ(MapLevel(kOutput, -300), -32512);
    EXPECT_EQ(RoundTrip(kOutput, -300), -256);
    EXPECT_EQ(RoundTrip(kOutput, -1000), -1024);
    EXPECT_EQ(RoundTrip(kOutput, -400), -512);
    // A tie takes the higher multiple, below zero and above.
    EXPECT_EQ(MapLevel(kOutput, -384), -32256);
    EXPECT_EQ(MapLevel({0, 1024, 256}, 640), 512);
    EXPECT_EQ(MapLevel({0, 1024, 256}, 1024 - 130), 256);
    for (int volume = -32768; volume <= 0; volume += 97) {
        const int mapped = RoundTrip(kOutput, volume);
        EXPECT_EQ(mapped % 256, 0) << volume;
        EXPECT_LE(std::abs(mapped - volume), 128) << volume;
    }
}

TEST(MapLevel, ClampsToTheRangeAtItsEdges) {
    EXPECT_EQ(MapLevel(kOutput, 500), -32768);
    EXPECT_EQ(MapLevel(kOutput, -40000), 0);
    EXPECT_EQ(RoundTrip(kOutput, 0), 0);
    EXPECT_EQ(RoundTrip(kOutput, -32768), -32768);
    // A maximum that is no multiple of the step stays reachable.
    const LevelMapping full{-32768, 32767, 256};
    EXPECT_EQ(RoundTrip(full, 32767), 32767);
    EXPECT_EQ(RoundTrip(full, -32768), -32768);
    EXPECT_EQ(RoundTrip(full, 32700), 32767);
    // A range upside down from the driver is taken as a single value.
    EXPECT_EQ(MapLevel({0, -256, 256}, -100), 0);
}

TEST(MapLevel, LeavesValuesUnsnappedForStepZero) {
    const LevelMapping free{-24576, 0, 0};
    EXPECT_EQ(MapLevel(free, -301), -24275);
    EXPECT_EQ(RoundTrip(free, -301), -301);
    EXPECT_EQ(RoundTrip(free, -1), -1);
    EXPECT_EQ(RoundTrip(free, 7), 0);
}

TEST(LevelText, ShowsWholeDecibelsTruncatedTowardZero) {
    EXPECT_EQ(LevelText(-128), L"0");
    EXPECT_EQ(LevelText(-383), L"-1");
    EXPECT_EQ(LevelText(-384), L"-1");
    EXPECT_EQ(LevelText(512), L"2");
    EXPECT_EQ(LevelText(-32768), L"-128");
    EXPECT_EQ(LevelText(32767), L"127");
}
