#include "driver/DriverQueries.h"

#include <gtest/gtest.h>

#include <vector>

// The queries against a binding whose entry points are functions of this test.
namespace {

struct FakeDriver {
    StatusCode status = 0;
    std::vector<std::uint32_t> channelCounts; // one stream format per entry
    std::uint32_t reportedCount = 0;          // the count the driver claims
    std::vector<VolumeMuteInfo> volumeInfo;   // per channel
    std::vector<std::uint32_t> queriedChannels;
};
FakeDriver fake;

StatusCode KORVELINE_CALL FakeGetSupportedStreamFormats(DeviceHandle, std::uint32_t,
                                                        std::uint32_t maxCount,
                                                        StreamFormatInfo* formats,
                                                        std::uint32_t* count) {
    for (std::uint32_t i = 0; i < fake.channelCounts.size() && i < maxCount; ++i)
        formats[i].channelCount = fake.channelCounts[i];
    *count = fake.reportedCount;
    return fake.status;
}

StatusCode KORVELINE_CALL FakeGetVolumeMuteInfo(DeviceHandle, std::uint32_t, std::uint32_t channel,
                                                VolumeMuteInfo* info) {
    fake.queriedChannels.push_back(channel);
    if (channel < fake.volumeInfo.size())
        *info = fake.volumeInfo[channel];
    return fake.status;
}

class DriverQueries : public testing::Test {
protected:
    void SetUp() override {
        fake = FakeDriver{};
        api.KORVELINE_GetSupportedStreamFormats = FakeGetSupportedStreamFormats;
        api.KORVELINE_GetVolumeMuteInfo = FakeGetVolumeMuteInfo;
    }
    void Formats(std::vector<std::uint32_t> channels) {
        fake.channelCounts = std::move(channels);
        fake.reportedCount = static_cast<std::uint32_t>(fake.channelCounts.size());
    }
    KorvelineApiDll api;
};

VolumeMuteInfo Controls(std::uint32_t flags) {
    VolumeMuteInfo info{};
    info.flags = flags;
    info.minimumVolume = -100 * 256;
    info.maximumVolume = 0;
    info.resolution = 256;
    return info;
}

} // namespace

TEST_F(DriverQueries, ChannelCountIsTheLargestAmongTheFormats) {
    Formats({2, 12, 8});
    EXPECT_EQ(GetChannelCount(api, 1, kDirectionOutput), 12u);
    EXPECT_EQ(StreamFormatCount(api, 1, kDirectionOutput), 3u);
    Formats({});
    EXPECT_EQ(GetChannelCount(api, 1, kDirectionOutput), 0u);
    EXPECT_EQ(StreamFormatCount(api, 1, kDirectionOutput), 0u);
}

TEST_F(DriverQueries, AnyFailureCountsAsNoFormats) {
    Formats({2, 4});
    for (StatusCode status : {1u, 0xEE000034u}) {
        fake.status = status;
        EXPECT_EQ(GetChannelCount(api, 1, kDirectionInput), 0u) << status;
        EXPECT_EQ(StreamFormatCount(api, 1, kDirectionInput), 0u) << status;
    }
    api.KORVELINE_GetSupportedStreamFormats = nullptr;
    fake.status = 0;
    EXPECT_EQ(GetChannelCount(api, 1, kDirectionInput), 0u);
    EXPECT_EQ(StreamFormatCount(api, 1, kDirectionInput), 0u);
}

TEST_F(DriverQueries, ACountAboveTheMaximumReadsOnlyThe32Formats) {
    std::vector<std::uint32_t> channels(32, 2);
    channels[31] = 6;
    Formats(channels);
    fake.reportedCount = 5000;
    EXPECT_EQ(StreamFormatCount(api, 1, kDirectionOutput), 32u);
    EXPECT_EQ(GetChannelCount(api, 1, kDirectionOutput), 6u);
}

TEST_F(DriverQueries, VolumeControlsNeedAFlagBitOnOneOfTheChannels) {
    // Ranges without a flag bit are no controls.
    fake.volumeInfo = {Controls(0), Controls(0), Controls(0)};
    EXPECT_FALSE(HasVolumeControls(api, 1, kDirectionOutput, 3));
    EXPECT_EQ(fake.queriedChannels, (std::vector<std::uint32_t>{0, 1, 2}));

    fake.queriedChannels.clear();
    fake.volumeInfo = {Controls(0), Controls(kVolumeMuteFlagHasMute), Controls(0)};
    EXPECT_TRUE(HasVolumeControls(api, 1, kDirectionOutput, 3));
    EXPECT_EQ(fake.queriedChannels, (std::vector<std::uint32_t>{0, 1}));

    fake.volumeInfo = {Controls(kVolumeMuteFlagHasVolume)};
    EXPECT_TRUE(HasVolumeControls(api, 1, kDirectionOutput, 1));
    // Channels beyond the count are not asked.
    fake.volumeInfo = {Controls(0), Controls(kVolumeMuteFlagHasVolume)};
    EXPECT_FALSE(HasVolumeControls(api, 1, kDirectionOutput, 1));
    fake.queriedChannels.clear();
    EXPECT_FALSE(HasVolumeControls(api, 1, kDirectionOutput, 0));
    EXPECT_TRUE(fake.queriedChannels.empty());
}

TEST_F(DriverQueries, FailedOrUnavailableVolumeInfoIsNoControl) {
    fake.volumeInfo = {Controls(kVolumeMuteFlagHasVolume | kVolumeMuteFlagHasMute)};
    fake.status = 0xEE000001;
    EXPECT_FALSE(HasVolumeControls(api, 1, kDirectionInput, 1));
    fake.status = 0;
    api.KORVELINE_GetVolumeMuteInfo = nullptr;
    EXPECT_FALSE(HasVolumeControls(api, 1, kDirectionInput, 1));
}

TEST_F(DriverQueries, AnAbsurdChannelCountIsBounded) {
    Formats({2, 0xFFFFFFFFu});
    EXPECT_EQ(GetChannelCount(api, 1, 0), kMaxChannelCount);
    EXPECT_FALSE(HasVolumeControls(api, 1, 0, GetChannelCount(api, 1, 0) + 1));
    EXPECT_EQ(fake.queriedChannels.size(), kMaxChannelCount + 1);
}
