#include "driver/DriverQueries.h"
#include "tests/support/FakeDriver.h"

#include <gtest/gtest.h>

#include <vector>

// The queries against the fake driver.
namespace {

class DriverQueries : public testing::Test {
protected:
    void Formats(std::vector<std::uint32_t> channels) {
        fake.outputChannels = fake.inputChannels = channels;
    }
    // Channel i of both directions gets the i-th record.
    void Channels(const std::vector<VolumeMuteInfo>& infos) {
        fake.channels.clear();
        for (std::uint32_t i = 0; i < infos.size(); ++i)
            fake.channels[{kDirectionOutput, i}] = fake.channels[{kDirectionInput, i}] = infos[i];
    }
    std::vector<std::uint32_t> QueriedChannels() const {
        std::vector<std::uint32_t> channels;
        for (const auto& query : fake.volumeQueries)
            channels.push_back(query.second);
        return channels;
    }
    FakeDriver driver;
    FakeDriverState& fake = driver.state;
    KorvelineApiDll& api = driver.api;
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
    fake.claimedFormatCount = 5000;
    EXPECT_EQ(StreamFormatCount(api, 1, kDirectionOutput), 32u);
    EXPECT_EQ(GetChannelCount(api, 1, kDirectionOutput), 6u);
}

TEST_F(DriverQueries, VolumeControlsNeedAFlagBitOnOneOfTheChannels) {
    // Ranges without a flag bit are no controls.
    Channels({Controls(0), Controls(0), Controls(0)});
    EXPECT_FALSE(HasVolumeControls(api, 1, kDirectionOutput, 3));
    EXPECT_EQ(QueriedChannels(), (std::vector<std::uint32_t>{0, 1, 2}));

    fake.volumeQueries.clear();
    Channels({Controls(0), Controls(kVolumeMuteFlagHasMute), Controls(0)});
    EXPECT_TRUE(HasVolumeControls(api, 1, kDirectionOutput, 3));
    EXPECT_EQ(QueriedChannels(), (std::vector<std::uint32_t>{0, 1}));

    Channels({Controls(kVolumeMuteFlagHasVolume)});
    EXPECT_TRUE(HasVolumeControls(api, 1, kDirectionOutput, 1));
    // Channels beyond the count are not asked.
    Channels({Controls(0), Controls(kVolumeMuteFlagHasVolume)});
    EXPECT_FALSE(HasVolumeControls(api, 1, kDirectionOutput, 1));
    fake.volumeQueries.clear();
    EXPECT_FALSE(HasVolumeControls(api, 1, kDirectionOutput, 0));
    EXPECT_TRUE(fake.volumeQueries.empty());
}

TEST_F(DriverQueries, FailedOrUnavailableVolumeInfoIsNoControl) {
    Channels({Controls(kVolumeMuteFlagHasVolume | kVolumeMuteFlagHasMute)});
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
    EXPECT_EQ(fake.volumeQueries.size(), kMaxChannelCount + 1);
}
