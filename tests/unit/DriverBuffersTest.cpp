#include "driver/DriverBuffers.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "driver/KorvelineApiDll.h"
#include "sim/SimFaults.h"
#include "sim/client/SimulatorLibrary.h"

TEST(CountedArray, ReadsNoMoreThanItsOwnRoomWhateverCountIsReported) {
    CountedArray<std::uint32_t, kMaxSampleRates> rates;
    EXPECT_TRUE(rates.Delivered().empty());
    for (std::uint32_t i = 0; i < rates.Capacity(); ++i)
        rates.Data()[i] = 44100 + i;
    *rates.CountOut() = 3;
    ASSERT_EQ(rates.Delivered().size(), 3u);
    EXPECT_EQ(rates.Delivered()[2], 44102u);
    for (std::uint32_t reported : {64u, 65u, 1000u, 0xFFFFFFFFu}) {
        *rates.CountOut() = reported;
        EXPECT_EQ(rates.Delivered().size(), 64u) << reported;
        EXPECT_EQ(rates.Delivered().back(), 44100u + 63u);
    }
    CountedArray<ClockSourceInfo, kMaxClockSources> sources;
    *sources.CountOut() = 33;
    EXPECT_EQ(sources.Delivered().size(), 32u);
}

TEST(ByteCountedArray, CountsOnlyWholeRecordsInsideTheBuffer) {
    SoundDeviceProfileList profiles;
    EXPECT_EQ(profiles.SizeInBytes(), 8u * 384u);
    EXPECT_TRUE(profiles.Delivered().empty());
    struct Case {
        std::uint32_t bytes;
        std::size_t records;
    };
    for (const Case& c : {Case{384, 1}, Case{383, 0}, Case{1000, 2}, Case{8 * 384, 8},
                          Case{8 * 384 + 100, 8}, Case{0xFFFFFFFF, 8}}) {
        *profiles.BytesReturnedOut() = c.bytes;
        EXPECT_EQ(profiles.Delivered().size(), c.records) << c.bytes;
    }
    CurrentSoundDeviceProfile current;
    *current.BytesReturnedOut() = 2 * 384;
    EXPECT_EQ(current.Delivered().size(), 1u);
}

TEST(SelectableBufferSizes, OffersAllFortyAndNeverMore) {
    AsioInstanceInfo info{};
    for (std::uint32_t i = 0; i < kMaxAsioBufferSizes; ++i)
        info.bufferSizes[i] = 16u << (i % 8);
    info.bufferSizeCount = 40;
    const auto sizes = SelectableBufferSizes(info);
    ASSERT_EQ(sizes.size(), 40u);
    EXPECT_EQ(sizes.data(), info.bufferSizes);
    info.bufferSizeCount = 41;
    EXPECT_EQ(SelectableBufferSizes(info).size(), 40u);
    info.bufferSizeCount = 0xFFFFFFFF;
    EXPECT_EQ(SelectableBufferSizes(info).size(), 40u);
    info.bufferSizeCount = 0;
    EXPECT_TRUE(SelectableBufferSizes(info).empty());
}

TEST(DriverString, StopsAtTheTerminatorOrTheEndOfTheArray) {
    DeviceProperties properties{};
    EXPECT_EQ(DriverString(properties.product), L"");
    std::wcscpy(properties.product, L"DAC");
    EXPECT_EQ(DriverString(properties.product), L"DAC");
    // No terminator anywhere in the array: the next field must not leak in.
    std::fill(std::begin(properties.manufacturer), std::end(properties.manufacturer), L'M');
    EXPECT_EQ(DriverString(properties.manufacturer), std::wstring(128, L'M'));
    ClockSourceInfo clock{};
    std::fill(std::begin(clock.name), std::end(clock.name), L'c');
    clock.flags = 0x00410041; // "AA" if read as text
    EXPECT_EQ(DriverString(clock.name), std::wstring(132, L'c'));
}

TEST(MakeSoundDeviceProfileRequest, CopiesIdsUpTo63Characters) {
    SoundDeviceProfileInfo profile{};
    const std::wstring id63(63, L'p');
    std::copy(id63.begin(), id63.end(), profile.id);
    std::fill(std::begin(profile.name), std::end(profile.name), L'n');
    SoundDeviceProfileRequest request = MakeSoundDeviceProfileRequest(7, profile);
    EXPECT_EQ(request.selector, 7u);
    EXPECT_EQ(DriverString(request.profileId), id63);
    EXPECT_EQ(request.profileId[63], L'\0');
    // An id filling all 64 units without a terminator is cut to 63.
    std::fill(std::begin(profile.id), std::end(profile.id), L'q');
    request = MakeSoundDeviceProfileRequest(kDirectionInput, profile);
    EXPECT_EQ(DriverString(request.profileId), std::wstring(63, L'q'));
    EXPECT_EQ(request.profileId[63], L'\0');
}

// Against the simulated driver in its misbehaving modes: counts above the caller's maximum
// and strings that fill their arrays without a terminator.
class DriverBuffersWithMisbehavingDriver : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sim.Loaded());
        sim.Reset();
        ASSERT_EQ(api.LoadFromPath(SimulatorDllPath(), true, kRequiredApiMajor, kRequiredApiMinor),
                  0u);
        ASSERT_EQ(api.KORVELINE_EnumerateDevices(), 0u);
        ASSERT_GT(api.KORVELINE_GetDeviceCount(), 0u);
        ASSERT_EQ(sim.SetMisbehaviour(kMisbehaveAll), 0u);
    }

    // Every device of the default scenario, opened.
    std::vector<DeviceHandle> OpenAll() {
        std::vector<DeviceHandle> devices;
        for (std::uint32_t i = 0; i < api.KORVELINE_GetDeviceCount(); ++i) {
            DeviceHandle device = 0;
            if (api.KORVELINE_OpenDeviceByIndex(i, &device) == 0)
                devices.push_back(device);
        }
        return devices;
    }

    void TearDown() override {
        for (DeviceHandle device : opened)
            api.KORVELINE_CloseDevice(device);
        api.Unload();
        sim.Reset();
    }

    const SimulatorLibrary sim;
    KorvelineApiDll api;
    std::vector<DeviceHandle> opened;
};

TEST_F(DriverBuffersWithMisbehavingDriver, CountedListsStayInsideTheirArrays) {
    opened = OpenAll();
    ASSERT_FALSE(opened.empty());
    std::size_t listsRead = 0;
    std::size_t longestClockName = 0;
    for (DeviceHandle device : opened) {
        CountedArray<std::uint32_t, kMaxSampleRates> rates;
        if (api.KORVELINE_GetSupportedSampleRates(device, rates.Capacity(), rates.Data(),
                                                  rates.CountOut()) == 0) {
            ++listsRead;
            EXPECT_GT(*rates.CountOut(), kMaxSampleRates);
            EXPECT_EQ(rates.Delivered().size(), kMaxSampleRates);
        }
        CountedArray<ClockSourceInfo, kMaxClockSources> sources;
        if (api.KORVELINE_GetSupportedClockSources(device, sources.Capacity(), sources.Data(),
                                                   sources.CountOut()) == 0) {
            ++listsRead;
            EXPECT_EQ(sources.Delivered().size(), kMaxClockSources);
            // Devices without clock sources leave the array zero; the others fill whole names.
            longestClockName =
                std::max(longestClockName, DriverString(sources.Delivered()[0].name).size());
        }
        CountedArray<StreamFormatInfo, kMaxStreamFormats> formats;
        if (api.KORVELINE_GetSupportedStreamFormats(device, kDirectionOutput, formats.Capacity(),
                                                    formats.Data(), formats.CountOut()) == 0) {
            EXPECT_EQ(formats.Delivered().size(), kMaxStreamFormats);
        }
        DeviceProperties properties{};
        if (api.KORVELINE_GetDeviceProperties(device, &properties) == 0) {
            EXPECT_EQ(DriverString(properties.serialNumber).size(), 128u);
            EXPECT_EQ(DriverString(properties.product).size(), 128u);
        }
    }
    EXPECT_GT(listsRead, 0u);
    EXPECT_EQ(longestClockName, 132u);
}

TEST_F(DriverBuffersWithMisbehavingDriver, ProfilesAndBufferSizesStayInsideTheirRecords) {
    opened = OpenAll();
    std::size_t profileListsRead = 0;
    for (DeviceHandle device : opened) {
        for (std::uint32_t direction : {kDirectionOutput, kDirectionInput}) {
            SoundDeviceProfileList profiles;
            if (api.KORVELINE_GetExtendedInfo(
                    device, kExtendedInfoVirtualSoundDeviceProfiles, &direction, sizeof(direction),
                    profiles.Data(), profiles.SizeInBytes(), profiles.BytesReturnedOut()) != 0)
                continue;
            ++profileListsRead;
            EXPECT_GT(*profiles.BytesReturnedOut(), profiles.SizeInBytes());
            EXPECT_EQ(profiles.Delivered().size(), kMaxSoundDeviceProfiles);
        }
    }
    EXPECT_GT(profileListsRead, 0u) << "the default scenario has virtual profiles";

    std::uint32_t instances = 0;
    ASSERT_EQ(api.KORVELINE_GetASIOInstanceCount(&instances), 0u);
    ASSERT_GT(instances, 0u);
    AsioInstanceInfo info{};
    ASSERT_EQ(api.KORVELINE_GetASIOInstanceInfo(0, &info), 0u);
    EXPECT_GT(info.bufferSizeCount, kMaxAsioBufferSizes);
    EXPECT_EQ(SelectableBufferSizes(info).size(), kMaxAsioBufferSizes);
}
