// Which device pages the main window adds: the visibility rules and the "auto" tests,
// against the fake driver.
#include "app/PageTable.h"
#include "app/PageAutoTests.h"
#include "tests/support/FakeDriver.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class DevicePageRules : public testing::Test {
protected:
    FakeDriver driver;
    FakeDriverState& fake = driver.state;
    KorvelineApiDll& api = driver.api;
};

TEST_F(DevicePageRules, StreamFormatsNeedTwoFormatsWithDifferentChannelCounts) {
    fake.outputChannels = {2, 2};
    EXPECT_FALSE(StreamFormatsAutoTest(api, 1));
    fake.outputChannels = {2, 8};
    EXPECT_TRUE(StreamFormatsAutoTest(api, 1));
    fake.outputChannels = {8};
    fake.inputChannels = {2, 2, 10};
    EXPECT_TRUE(StreamFormatsAutoTest(api, 1)) << "the input direction counts too";
    fake.status = kStatusPartialStreamFormatList;
    EXPECT_TRUE(StreamFormatsAutoTest(api, 1)) << "a partial list keeps the page";
    fake.inputChannels = {};
    fake.outputChannels = std::vector<std::uint32_t>(40, 2);
    fake.outputChannels[31] = 8;
    EXPECT_TRUE(StreamFormatsAutoTest(api, 1)) << "the 32 delivered of 40 formats differ";
}

TEST_F(DevicePageRules, PanelOptionsDecideSampleRateAndProfiles) {
    fake.panelOptions = kControlPanelOptionSampleRatePage;
    EXPECT_TRUE(SampleRateAutoTest(api, 1));
    EXPECT_FALSE(SoundDeviceProfilesAutoTest(api, 1));
    fake.panelOptions = kControlPanelOptionSoundDeviceProfilesPage;
    EXPECT_FALSE(SampleRateAutoTest(api, 1));
    EXPECT_TRUE(SoundDeviceProfilesAutoTest(api, 1));
    fake.panelOptions = 0x3;
    fake.status = 5;
    EXPECT_FALSE(SampleRateAutoTest(api, 1));
    EXPECT_FALSE(SoundDeviceProfilesAutoTest(api, 1));
    api.KORVELINE_GetControlPanelOptions = nullptr;
    fake.status = 0;
    EXPECT_FALSE(SampleRateAutoTest(api, 1)) << "an unbound entry point fails the test";
}

TEST_F(DevicePageRules, ClockSourceNeedsMoreThanOneSource) {
    fake.clockSources = 1;
    EXPECT_FALSE(ClockSourceAutoTest(api, 1));
    fake.clockSources = 2;
    EXPECT_TRUE(ClockSourceAutoTest(api, 1));
    fake.clockSources = 1000;
    EXPECT_TRUE(ClockSourceAutoTest(api, 1)) << "a count beyond the array is clamped, not lost";
}

TEST_F(DevicePageRules, AsioPagesFollowTheInstanceAndDeviceCounts) {
    struct Case {
        std::optional<std::uint32_t> instances;
        std::uint32_t devices;
        bool asioDevice;
        bool bufferSettings;
    };
    const Case cases[] = {
        {0u, 5, false, false}, {1u, 1, false, true},           {1u, 2, true, true},
        {2u, 1, true, true},   {std::nullopt, 2, true, false}, {std::nullopt, 1, false, false},
    };
    for (const Case& c : cases) {
        fake.asioInstances = c.instances;
        fake.devices = c.devices;
        EXPECT_EQ(AsioDeviceAutoTest(api, 1), c.asioDevice)
            << c.instances.value_or(99) << " " << c.devices;
        EXPECT_EQ(BufferSettingsAutoTest(api, 1), c.bufferSettings) << c.instances.value_or(99);
    }
}

TEST_F(DevicePageRules, VolumeLooksFromTheMasterToTheLastChannelOfEachDirection) {
    fake.inputChannels = {2};
    fake.outputChannels = {4, 2};
    EXPECT_FALSE(VolumeControlAutoTest(api, 1));
    EXPECT_EQ(fake.volumeQueries.size(), 3u + 5u) << "channels 0..2 in, 0..4 out";
    EXPECT_EQ(fake.volumeQueries.front(), std::make_pair(kDirectionInput, 0u));

    fake.channels[{kDirectionOutput, 4}].flags = kVolumeMuteFlagHasMute;
    EXPECT_TRUE(VolumeControlAutoTest(api, 1)) << "the last channel is included";
    fake.channels.clear();
    fake.channels[{kDirectionInput, 0}].flags = kVolumeMuteFlagHasMute;
    fake.inputChannels = {};
    EXPECT_TRUE(VolumeControlAutoTest(api, 1)) << "a master channel without formats";
}

std::unique_ptr<PageBase> NoPage(PageHost&) {
    return nullptr;
}
bool Holds(const KorvelineApiDll&, DeviceHandle) {
    return true;
}

TEST_F(DevicePageRules, ScopeAndVisibilityDecideBeforeTheAutoTest) {
    ConfigSettings settings;
    const auto row = [](PageScope scope, Visibility ConfigSettings::*visibility,
                        bool (*autoTest)(const KorvelineApiDll&, DeviceHandle)) {
        return PageRow{L"", 0, {}, NoPage, scope, visibility, autoTest};
    };
    const PageRow audio = row(PageScope::AudioDevice, &ConfigSettings::clockSourcePage, Holds);
    const PageRow anyDevice = row(PageScope::OpenDevice, &ConfigSettings::infoPage, nullptr);
    const PageRow always = row(PageScope::Always, &ConfigSettings::aboutPage, nullptr);

    settings.clockSourcePage = Visibility::Auto;
    EXPECT_TRUE(IsPageShown(audio, settings, api, 7, true));
    EXPECT_FALSE(IsPageShown(audio, settings, api, 7, false)) << "a MIDI-only device";
    EXPECT_FALSE(IsPageShown(audio, settings, api, 0, true)) << "no device open";
    settings.clockSourcePage = Visibility::Hidden;
    EXPECT_FALSE(IsPageShown(audio, settings, api, 7, true));

    settings.infoPage = Visibility::Visible;
    EXPECT_TRUE(IsPageShown(anyDevice, settings, api, 7, false));
    EXPECT_FALSE(IsPageShown(anyDevice, settings, api, 0, false));
    settings.infoPage = Visibility::Auto;
    EXPECT_FALSE(IsPageShown(anyDevice, settings, api, 7, true)) << "auto counts as hidden";

    settings.aboutPage = Visibility::Visible;
    EXPECT_TRUE(IsPageShown(always, settings, api, 0, false));
}

} // namespace
