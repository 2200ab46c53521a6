// The simulated driver against the driver API conventions the program relies on, entry
// point by entry point, on the built-in default scenario (device 0 the stereo DAC,
// 1 the multichannel interface, 2 the MIDI-only controller; ASIO instances 0 and 1).

#include "app/AppMessages.h"
#include "sim/SimStatus.h"
#include "tests/support/SimulatorTestBase.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

constexpr std::uint32_t kDac = 0, kInterface = 1, kMidi = 2;

class SimConformance : public SimulatorTestBase {};

TEST_F(SimConformance, ExportsEveryEntryPointAndTheVariantLacksOnlyTheGatedOne) {
    SimulatorLibrary variant(SimulatorVariantDllPath());
    ASSERT_TRUE(variant.Loaded());
    ASSERT_NE(variant.Module(), Simulator().Module());
    for (const EntryPointInfo& entry : kEntryPoints) {
        EXPECT_NE(GetProcAddress(Simulator().Module(), entry.name), nullptr) << entry.name;
        bool gated = std::string(entry.name) == "KORVELINE_SetVirtualSoundDeviceProfile";
        EXPECT_EQ(GetProcAddress(variant.Module(), entry.name) == nullptr, gated) << entry.name;
    }
}

TEST_F(SimConformance, VersionAndCheckFollowTheScenario) {
    EXPECT_EQ(KORVELINE_GetApiVersion(), KorvelineApiVersion(5, 16));
    EXPECT_NE(KORVELINE_CheckApiVersion(5, 16), 0u);
    EXPECT_NE(KORVELINE_CheckApiVersion(5, 2), 0u);
    EXPECT_EQ(KORVELINE_CheckApiVersion(5, 17), 0u);
    EXPECT_EQ(KORVELINE_CheckApiVersion(6, 0), 0u);

    ASSERT_EQ(Simulator()
                  .LoadScenarioText(R"(<Scenario apiVersion="4.2" versionCheck="accept"/>)")
                  .status,
              0u);
    EXPECT_EQ(KORVELINE_GetApiVersion(), KorvelineApiVersion(4, 2));
    EXPECT_NE(KORVELINE_CheckApiVersion(5, 16), 0u);
    ASSERT_EQ(Simulator()
                  .LoadScenarioText(R"(<Scenario apiVersion="6.0" versionCheck="refuse"/>)")
                  .status,
              0u);
    EXPECT_EQ(KORVELINE_GetApiVersion(), KorvelineApiVersion(6, 0));
    EXPECT_EQ(KORVELINE_CheckApiVersion(5, 16), 0u);
}

TEST_F(SimConformance, DeviceListHandlesAndClose) {
    EXPECT_EQ(KORVELINE_EnumerateDevices(), 0u);
    EXPECT_EQ(KORVELINE_GetDeviceCount(), 3u);
    DeviceHandle a = Open(kDac), b = Open(kDac);
    EXPECT_NE(a, b) << "every open gives its own handle";

    DeviceHandle none = 0;
    EXPECT_NE(KORVELINE_OpenDeviceByIndex(3, &none), 0u);
    EXPECT_EQ(none, 0u);
    EXPECT_NE(KORVELINE_OpenDeviceByIndex(0, nullptr), 0u);

    EXPECT_EQ(KORVELINE_CloseDevice(a), 0u);
    std::uint32_t rate = 0;
    EXPECT_EQ(KORVELINE_GetCurrentSampleRate(a, &rate), kSimInvalidHandle);
    EXPECT_NE(KORVELINE_CloseDevice(a), 0u);
    EXPECT_EQ(KORVELINE_GetCurrentSampleRate(0, &rate), kSimInvalidHandle);
    EXPECT_EQ(KORVELINE_GetCurrentSampleRate(b, &rate), 0u);
}

TEST_F(SimConformance, DevicePropertiesIdentityAndFlags) {
    DeviceProperties dac{};
    ASSERT_EQ(KORVELINE_GetDeviceProperties(Open(kDac), &dac), 0u);
    EXPECT_EQ(dac.vendorId, 0x2FC0u);
    EXPECT_EQ(dac.productId, 0x0101u);
    EXPECT_EQ(dac.revision, 0x0104u);
    EXPECT_STREQ(dac.serialNumber, L"KVD2-00417");
    EXPECT_STREQ(dac.manufacturer, L"Korveline Audio");
    EXPECT_STREQ(dac.product, L"Korveline D2 Stereo DAC");
    // Audio function, and the current and preferred device of ASIO instance 0.
    EXPECT_EQ(dac.flags,
              kDeviceFlagAudioFunction | kDeviceFlagAsioCurrent | kDeviceFlagAsioPreferred);

    DeviceProperties midi{};
    ASSERT_EQ(KORVELINE_GetDeviceProperties(Open(kMidi), &midi), 0u);
    EXPECT_EQ(midi.flags & kDeviceFlagAudioFunction, 0u);
    EXPECT_STREQ(midi.serialNumber, L"");
    EXPECT_NE(KORVELINE_GetDeviceProperties(Open(kMidi), nullptr), 0u);

    std::uint32_t mode = 7;
    EXPECT_EQ(KORVELINE_GetDeviceUsbMode(Open(kDac), &mode), 0u);
    EXPECT_NE(mode, kDeviceUsbModeHidden);
    ControlPanelOptions options{};
    EXPECT_EQ(KORVELINE_GetControlPanelOptions(Open(kInterface), &options), 0u);
    EXPECT_EQ(options.options,
              kControlPanelOptionSampleRatePage | kControlPanelOptionSoundDeviceProfilesPage);
    DriverInfo info{};
    EXPECT_EQ(KORVELINE_GetDriverInfo(&info), 0u);
    EXPECT_EQ(info.versionMajor, 4u);
    EXPECT_EQ(info.versionMinor, 71u);
    EXPECT_EQ(info.flags & kDriverInfoFlagDebugBuild, 0u);
}

TEST_F(SimConformance, SampleRatesHonourTheCallersMaximum) {
    DeviceHandle dac = Open(kDac);
    std::uint32_t rates[kMaxSampleRates] = {};
    std::uint32_t count = 0;
    ASSERT_EQ(KORVELINE_GetSupportedSampleRates(dac, kMaxSampleRates, rates, &count), 0u);
    ASSERT_EQ(count, 8u);
    EXPECT_EQ(rates[0], 44100u);
    EXPECT_EQ(rates[7], 384000u);

    std::uint32_t small[3] = {0, 0, 0xCAFE};
    EXPECT_EQ(KORVELINE_GetSupportedSampleRates(dac, 2, small, &count), kSimPartialList);
    EXPECT_EQ(count, 2u);
    EXPECT_EQ(small[2], 0xCAFEu) << "nothing written beyond the maximum";
    EXPECT_NE(KORVELINE_GetSupportedSampleRates(dac, 64, rates, nullptr), 0u);

    std::uint32_t rate = 0;
    EXPECT_EQ(KORVELINE_GetCurrentSampleRate(dac, &rate), 0u);
    EXPECT_EQ(rate, 44100u);
    EXPECT_EQ(KORVELINE_SetSampleRate(dac, 96000), 0u);
    EXPECT_NE(KORVELINE_SetSampleRate(dac, 12345), 0u) << "not a supported rate";
    EXPECT_EQ(KORVELINE_GetCurrentSampleRate(dac, &rate), 0u);
    EXPECT_EQ(rate, 96000u);
}

TEST_F(SimConformance, ClockSourcesSettleAndSwitch) {
    DeviceHandle dac = Open(kDac);
    ClockSourceInfo sources[kMaxClockSources] = {};
    std::uint32_t count = 0;
    ASSERT_EQ(KORVELINE_GetSupportedClockSources(dac, kMaxClockSources, sources, &count), 0u);
    ASSERT_EQ(count, 2u);
    EXPECT_EQ(sources[0].id, 1u);
    EXPECT_EQ(sources[0].unitId, 16u);
    EXPECT_STREQ(sources[0].name, L"Internal");
    EXPECT_NE(sources[0].valid, 0u);
    EXPECT_EQ(sources[0].sampleRate, 44100u) << "the internal clock runs at the device's rate";
    EXPECT_NE(sources[0].flags & kClockSourceFlagValiditySettled, 0u);
    EXPECT_STREQ(sources[1].name, L"S/PDIF In");
    EXPECT_EQ(sources[1].flags & kClockSourceFlagValiditySettled, 0u) << "settles after arrival";
    EXPECT_EQ(sources[1].valid, 0u);

    ClockSourceInfo current{};
    EXPECT_EQ(KORVELINE_GetCurrentClockSource(dac, &current), 0u);
    EXPECT_EQ(current.id, 1u);
    EXPECT_EQ(KORVELINE_SetCurrentClockSource(dac, 2), 0u);
    EXPECT_EQ(KORVELINE_SetCurrentClockSource(dac, 99), kSimNotFound);
    EXPECT_EQ(KORVELINE_GetCurrentClockSource(dac, &current), 0u);
    EXPECT_EQ(current.id, 2u);
    std::uint32_t rate = 1;
    EXPECT_EQ(KORVELINE_GetCurrentSampleRate(dac, &rate), 0u);
    EXPECT_EQ(rate, 0u) << "no valid rate while the current source settles";

    // A short settling ends on the simulator's thread; wait for it with a generous limit.
    ASSERT_EQ(Simulator().Command(L"clock-state 1 2 settling 20").status, 0u);
    for (int i = 0; i < 500 && !(sources[1].flags & kClockSourceFlagValiditySettled); ++i) {
        Sleep(10);
        KORVELINE_GetSupportedClockSources(dac, kMaxClockSources, sources, &count);
    }
    EXPECT_NE(sources[1].flags & kClockSourceFlagValiditySettled, 0u);
    EXPECT_NE(sources[1].valid, 0u);
    EXPECT_EQ(sources[1].sampleRate, 48000u);
    EXPECT_EQ(KORVELINE_GetCurrentSampleRate(dac, &rate), 0u);
    EXPECT_EQ(rate, 48000u) << "the device follows its external clock";
}

TEST_F(SimConformance, StreamFormatsPerDirectionAndSwitchRefusedWhileInUse) {
    DeviceHandle mx = Open(kInterface);
    StreamFormatInfo formats[kMaxStreamFormats] = {};
    std::uint32_t count = 0;
    ASSERT_EQ(KORVELINE_GetSupportedStreamFormats(mx, kDirectionInput, kMaxStreamFormats, formats,
                                                  &count),
              0u);
    ASSERT_EQ(count, 4u);
    EXPECT_EQ(formats[0].channelCount, 10u);
    EXPECT_EQ(formats[1].channelCount, 8u);
    EXPECT_EQ(formats[3].sampleFormatType, kSampleFormatFloat);
    ASSERT_EQ(KORVELINE_GetSupportedStreamFormats(mx, kDirectionOutput, kMaxStreamFormats, formats,
                                                  &count),
              0u);
    EXPECT_EQ(formats[0].channelCount, 12u);
    EXPECT_EQ(formats[0].bitsPerSample, 24u);
    EXPECT_NE(KORVELINE_GetSupportedStreamFormats(mx, 2, kMaxStreamFormats, formats, &count), 0u);

    std::uint32_t mode = 0;
    EXPECT_EQ(KORVELINE_GetStreamFormatSelectionMode(mx, &mode), 0u);
    EXPECT_EQ(mode, kStreamFormatSelectionUserChoice);

    StreamFormatInfo current{};
    EXPECT_EQ(KORVELINE_GetCurrentStreamFormat(mx, kDirectionOutput, &current), 0u);
    EXPECT_EQ(current.id, 11u);
    EXPECT_EQ(KORVELINE_SetCurrentStreamFormat(mx, kDirectionOutput, 12), 0u);
    EXPECT_EQ(KORVELINE_SetCurrentStreamFormat(mx, kDirectionOutput, 1), kSimNotFound)
        << "an input format";

    ASSERT_EQ(Simulator().Command(L"set-clients 2 1 1 0").status, 0u);
    EXPECT_EQ(KORVELINE_SetCurrentStreamFormat(mx, kDirectionOutput, 13),
              kStatusStreamFormatSwitchNotAllowed);
    EXPECT_EQ(KORVELINE_GetCurrentStreamFormat(mx, kDirectionOutput, &current), 0u);
    EXPECT_EQ(current.id, 12u);

    // The DAC has no input formats.
    EXPECT_EQ(KORVELINE_GetSupportedStreamFormats(Open(kDac), kDirectionInput, kMaxStreamFormats,
                                                  formats, &count),
              0u);
    EXPECT_EQ(count, 0u);
}

TEST_F(SimConformance, ChannelsVolumeAndMute) {
    DeviceHandle mx = Open(kInterface);
    VolumeMuteInfo info{};
    for (std::uint32_t channel = 0; channel <= 12; ++channel) {
        info = {};
        EXPECT_EQ(KORVELINE_GetVolumeMuteInfo(mx, kDirectionOutput, channel, &info), 0u) << channel;
        EXPECT_NE(info.flags & kVolumeMuteFlagHasVolume, 0u) << channel;
    }
    // Channels beyond the largest format (15 channels) do not exist.
    EXPECT_NE(KORVELINE_GetVolumeMuteInfo(mx, kDirectionOutput, 16, &info), 0u);
    info = {};
    EXPECT_EQ(KORVELINE_GetVolumeMuteInfo(mx, kDirectionInput, 9, &info), 0u);
    EXPECT_EQ(info.flags, kVolumeMuteFlagHasMute);
    info = {};
    EXPECT_EQ(KORVELINE_GetVolumeMuteInfo(mx, kDirectionOutput, 0, &info), 0u);
    EXPECT_EQ(info.minimumVolume, -32512);
    EXPECT_EQ(info.maximumVolume, 0);
    EXPECT_EQ(info.resolution, 256u);

    ChannelInfo name{};
    EXPECT_EQ(KORVELINE_GetChannelInfo(mx, kDirectionInput, 1, &name), 0u);
    EXPECT_STREQ(name.name, L"Mic/Line 1");

    std::int16_t volume = 0;
    EXPECT_EQ(KORVELINE_GetVolume(mx, kDirectionOutput, 0, &volume), 0u);
    EXPECT_EQ(volume, -1536);
    EXPECT_EQ(KORVELINE_SetVolume(mx, kDirectionOutput, 0, -2560), 0u);
    EXPECT_EQ(KORVELINE_SetVolume(mx, kDirectionOutput, 1, 1000), 0u);
    EXPECT_EQ(KORVELINE_GetVolume(mx, kDirectionOutput, 0, &volume), 0u);
    EXPECT_EQ(volume, -2560);
    EXPECT_EQ(KORVELINE_GetVolume(mx, kDirectionOutput, 1, &volume), 0u);
    EXPECT_EQ(volume, 0) << "clamped to the channel's maximum";
    EXPECT_EQ(KORVELINE_GetVolume(mx, kDirectionInput, 9, &volume), kSimNotSupported);

    std::uint32_t muted = 5;
    EXPECT_EQ(KORVELINE_GetMute(mx, kDirectionInput, 7, &muted), 0u);
    EXPECT_EQ(muted, 1u);
    EXPECT_EQ(KORVELINE_SetMute(mx, kDirectionInput, 7, 0), 0u);
    EXPECT_EQ(KORVELINE_GetMute(mx, kDirectionInput, 7, &muted), 0u);
    EXPECT_EQ(muted, 0u);
    EXPECT_EQ(KORVELINE_SetMute(mx, kDirectionInput, 7, 2), kSimInvalidParameter);
    EXPECT_EQ(KORVELINE_SetMute(Open(kDac), kDirectionOutput, 1, 1), kSimNotSupported);
}

TEST_F(SimConformance, ClientInfoAcceptsNullPointersAndStreamingMode) {
    DeviceHandle mx = Open(kInterface);
    ASSERT_EQ(Simulator().Command(L"set-clients 2 1 2 3").status, 0u);
    std::uint32_t asio = 0;
    EXPECT_EQ(KORVELINE_GetClientInfo(mx, nullptr, nullptr, &asio), 0u);
    EXPECT_EQ(asio, 3u);
    std::uint32_t streaming = 0, wdm = 0;
    EXPECT_EQ(KORVELINE_GetClientInfo(mx, &streaming, &wdm, nullptr), 0u);
    EXPECT_EQ(streaming, 1u);
    EXPECT_EQ(wdm, 2u);

    std::uint32_t mode = 0;
    EXPECT_EQ(KORVELINE_GetDeviceStreamingMode(mx, &mode), 0u);
    EXPECT_EQ(mode, 2u);
    EXPECT_EQ(KORVELINE_SetDeviceStreamingMode(mx, 1, 1), 0u);
    EXPECT_EQ(KORVELINE_SetDeviceStreamingMode(mx, 2, 0), kSimInvalidParameter);
    EXPECT_EQ(KORVELINE_SetDeviceStreamingMode(mx, 3, 1), kSimInvalidParameter);
    EXPECT_EQ(KORVELINE_GetDeviceStreamingMode(mx, &mode), 0u);
    EXPECT_EQ(mode, 1u);
}

TEST_F(SimConformance, SoundDeviceProfilesRealAndVirtual) {
    DeviceHandle mx = Open(kInterface);
    std::uint32_t in = 11; // output format, 12 channels
    SoundDeviceProfileInfo profiles[kMaxSoundDeviceProfiles] = {};
    std::uint32_t bytes = 0;
    ASSERT_EQ(KORVELINE_GetExtendedInfo(mx, kExtendedInfoSoundDeviceProfiles, &in, 4, profiles,
                                        sizeof profiles, &bytes),
              0u);
    ASSERT_EQ(bytes / sizeof(SoundDeviceProfileInfo), 3u);
    EXPECT_STREQ(profiles[1].id, L"surround714");
    EXPECT_STREQ(profiles[1].name, L"7.1.4 surround");
    EXPECT_EQ(KORVELINE_GetExtendedInfo(mx, kExtendedInfoSoundDeviceProfiles, &in, 4, profiles,
                                        2 * 384, &bytes),
              kSimPartialList);
    EXPECT_EQ(bytes, 2u * 384);

    SoundDeviceProfileRequest request{};
    request.selector = 11;
    wcscpy(request.profileId, L"pairs6");
    EXPECT_EQ(KORVELINE_SetSoundDeviceProfile(mx, &request, 1), 0u);
    SoundDeviceProfileInfo current{};
    ASSERT_EQ(KORVELINE_GetExtendedInfo(mx, kExtendedInfoCurrentSoundDeviceProfile, &in, 4,
                                        &current, sizeof current, &bytes),
              0u);
    EXPECT_EQ(bytes, 384u);
    EXPECT_STREQ(current.id, L"pairs6");
    wcscpy(request.profileId, L"PAIRS6");
    EXPECT_EQ(KORVELINE_SetSoundDeviceProfile(mx, &request, 1), kSimNotFound)
        << "ids are case-sensitive";
    std::fill(std::begin(request.profileId), std::end(request.profileId), L'x');
    EXPECT_EQ(KORVELINE_SetSoundDeviceProfile(mx, &request, 1), kSimInvalidParameter)
        << "unterminated id";

    // Virtual profiles of the DAC's input side, which has no formats.
    DeviceHandle dac = Open(kDac);
    std::uint32_t direction = kDirectionInput;
    ASSERT_EQ(KORVELINE_GetExtendedInfo(dac, kExtendedInfoVirtualSoundDeviceProfiles, &direction, 4,
                                        profiles, sizeof profiles, &bytes),
              0u);
    EXPECT_EQ(bytes / 384, 2u);
    SoundDeviceProfileRequest virtualRequest{};
    virtualRequest.selector = kDirectionInput;
    wcscpy(virtualRequest.profileId, L"off");
    EXPECT_EQ(KORVELINE_SetVirtualSoundDeviceProfile(dac, &virtualRequest, 1), 0u);
    ASSERT_EQ(KORVELINE_GetExtendedInfo(dac, kExtendedInfoCurrentVirtualSoundDeviceProfile,
                                        &direction, 4, &current, sizeof current, &bytes),
              0u);
    EXPECT_STREQ(current.id, L"off");
    EXPECT_EQ(KORVELINE_GetExtendedInfo(dac, 11, &direction, 4, &current, sizeof current, &bytes),
              kSimNotSupported);
    EXPECT_EQ(KORVELINE_GetExtendedInfo(dac, kExtendedInfoVirtualSoundDeviceProfiles, nullptr, 0,
                                        profiles, sizeof profiles, &bytes),
              kSimInvalidParameter);
}

TEST_F(SimConformance, AsioInstancesRelationsAndBufferSizes) {
    std::uint32_t count = 0;
    ASSERT_EQ(KORVELINE_GetASIOInstanceCount(&count), 0u);
    ASSERT_EQ(count, 2u);
    AsioInstanceDetails details{};
    EXPECT_EQ(KORVELINE_GetASIOInstanceDetails(1, &details), 0u);
    EXPECT_EQ(details.instanceNumber, 1u);
    EXPECT_STREQ(details.name, L"Korveline ASIO MX");
    EXPECT_EQ(KORVELINE_GetASIOInstanceDetails(2, &details), kSimNotFound);

    AsioInstanceInfo info{};
    ASSERT_EQ(KORVELINE_GetASIOInstanceInfo(0, &info), 0u);
    EXPECT_EQ(info.sampleRate, 44100u) << "the rate of the instance's current device";
    EXPECT_EQ(info.preferredBufferSize, 256u);
    EXPECT_EQ(info.bufferSizeCount, 7u);
    EXPECT_EQ(info.bufferSizes[6], 2048u);
    EXPECT_EQ(info.inputLatency, 256u + 24);
    EXPECT_EQ(info.inUse, 0u);
    EXPECT_EQ(KORVELINE_SetASIOBufferPreferredSize(0, info.bufferSizeCookie, 512,
                                                   info.options | kAsioOptionSafeMode),
              0u);
    EXPECT_EQ(KORVELINE_SetASIOBufferPreferredSize(0, info.bufferSizeCookie + 1, 64, info.options),
              kSimInvalidParameter)
        << "the cookie must come back unchanged";
    EXPECT_EQ(KORVELINE_SetASIOBufferPreferredSize(0, info.bufferSizeCookie, 100, info.options),
              kSimInvalidParameter);
    ASSERT_EQ(KORVELINE_GetASIOInstanceInfo(0, &info), 0u);
    EXPECT_EQ(info.preferredBufferSize, 512u);
    EXPECT_NE(info.options & kAsioOptionSafeMode, 0u);

    DeviceHandle dac = Open(kDac), mx = Open(kInterface), midi = Open(kMidi);
    std::uint32_t relation = 7, allowed = 7;
    EXPECT_EQ(KORVELINE_GetASIORelation(mx, &relation), 0u);
    EXPECT_EQ(relation, 1u);
    EXPECT_EQ(KORVELINE_GetASIORelation(midi, &relation), 0u);
    EXPECT_EQ(relation, kNoAsioInstance);
    EXPECT_EQ(KORVELINE_GetASIOInstanceAllowed(dac, 1, &allowed), 0u);
    EXPECT_EQ(allowed, 0u);
    EXPECT_EQ(KORVELINE_GetASIOInstanceAllowed(mx, 0, &allowed), 0u);
    EXPECT_EQ(allowed, 1u);
    EXPECT_EQ(KORVELINE_SetPreferredASIODevice(dac, 1), kSimInvalidParameter) << "not allowed";

    // The interface becomes the preferred and current device of instance 0.
    EXPECT_EQ(KORVELINE_SetPreferredASIODevice(mx, 0), 0u);
    DeviceProperties properties{};
    KORVELINE_GetDeviceProperties(mx, &properties);
    EXPECT_EQ(properties.flags & (kDeviceFlagAsioCurrent | kDeviceFlagAsioPreferred),
              kDeviceFlagAsioCurrent | kDeviceFlagAsioPreferred);
    properties = {};
    KORVELINE_GetDeviceProperties(dac, &properties);
    EXPECT_EQ(properties.flags & (kDeviceFlagAsioCurrent | kDeviceFlagAsioPreferred), 0u);
    EXPECT_EQ(KORVELINE_ClearPreferredASIODevice(0), 0u);
    properties = {};
    KORVELINE_GetDeviceProperties(mx, &properties);
    EXPECT_EQ(properties.flags & kDeviceFlagAsioPreferred, 0u);
    EXPECT_EQ(KORVELINE_ClearPreferredASIODevice(5), kSimNotFound);
}

TEST_F(SimConformance, SettersQueueNotificationsAndSignalTheEvent) {
    DeviceHandle dac = Open(kDac);
    HANDLE event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    ASSERT_EQ(KORVELINE_RegisterDeviceNotification(dac, kAllDeviceNotifications, event, 0), 0u);
    EXPECT_EQ(KORVELINE_SetSampleRate(dac, 48000), 0u);
    EXPECT_EQ(KORVELINE_SetVolume(dac, kDirectionOutput, 0, -512), 0u);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);

    std::uint32_t id = 0, bytes = 0;
    std::uint8_t data[kDeviceNotificationDataSize] = {};
    EXPECT_EQ(KORVELINE_ReadDeviceNotification(dac, &id, data, sizeof data, &bytes), 0u);
    EXPECT_EQ(id, kDeviceNotificationSampleRate);
    EXPECT_EQ(KORVELINE_ReadDeviceNotification(dac, &id, data, sizeof data, &bytes), 0u);
    EXPECT_EQ(id, kDeviceNotificationVolume);
    EXPECT_NE(KORVELINE_ReadDeviceNotification(dac, &id, data, sizeof data, &bytes), 0u) << "empty";

    // Unchanged values and other devices queue nothing.
    EXPECT_EQ(KORVELINE_SetSampleRate(dac, 48000), 0u);
    EXPECT_EQ(KORVELINE_SetSampleRate(Open(kInterface), 96000), 0u);
    EXPECT_NE(KORVELINE_ReadDeviceNotification(dac, &id, data, sizeof data, &bytes), 0u);

    // An external change at the device is queued like a setter's.
    ASSERT_EQ(Simulator().Command(L"set-clients 1 1 1 0").status, 0u);
    EXPECT_EQ(KORVELINE_ReadDeviceNotification(dac, &id, data, sizeof data, &bytes), 0u);
    EXPECT_EQ(id, kDeviceNotificationClientInfo);

    EXPECT_EQ(KORVELINE_RegisterDeviceNotification(dac, 0, nullptr, 0), 0u);
    EXPECT_EQ(KORVELINE_SetSampleRate(dac, 44100), 0u);
    EXPECT_NE(KORVELINE_ReadDeviceNotification(dac, &id, data, sizeof data, &bytes), 0u);
    EXPECT_EQ(KORVELINE_RegisterDeviceNotification(dac, kAllDeviceNotifications, nullptr, 0),
              kSimInvalidParameter);
    CloseHandle(event);
}

// A hidden window that records the PnP messages it receives.
struct PnpWindow {
    static inline std::vector<WPARAM> received;
    HWND window = nullptr;

    PnpWindow() {
        received.clear();
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
            if (m == MSG_PNP_CHANGED)
                received.push_back(w);
            return DefWindowProcW(h, m, w, l);
        };
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"SimConformancePnp";
        RegisterClassW(&windowClass);
        window = CreateWindowW(L"SimConformancePnp", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               windowClass.hInstance, nullptr);
    }
    ~PnpWindow() { DestroyWindow(window); }

    // Pumps messages until `count` PnP messages arrived or `limitMs` passed.
    void WaitFor(std::size_t count, int limitMs = 5000) {
        for (int i = 0; i < limitMs / 10 && received.size() < count; ++i) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&msg);
            if (received.size() < count)
                Sleep(10);
        }
    }
};

TEST_F(SimConformance, PlugAndUnplugPostThePnpMessageAndInvalidateHandles) {
    PnpWindow pnp;
    ASSERT_EQ(KORVELINE_RegisterPnpNotification(nullptr, nullptr, pnp.window, MSG_PNP_CHANGED, 0),
              0u);
    DeviceHandle dac = Open(kDac);

    ASSERT_EQ(Simulator().Unplug(1), 0u);
    EXPECT_TRUE(PnpWindow::received.empty()) << "posted, not sent";
    pnp.WaitFor(1);
    ASSERT_EQ(PnpWindow::received.size(), 1u);
    EXPECT_EQ(PnpWindow::received[0], 2u);
    std::uint32_t rate = 0;
    EXPECT_EQ(KORVELINE_GetCurrentSampleRate(dac, &rate), kSimDeviceRemoved);
    EXPECT_EQ(KORVELINE_CloseDevice(dac), 0u);
    EXPECT_EQ(Simulator().Unplug(1), kSimBadCommand);

    EXPECT_EQ(KORVELINE_EnumerateDevices(), 0u);
    EXPECT_EQ(KORVELINE_GetDeviceCount(), 2u);
    DeviceProperties first{};
    KORVELINE_GetDeviceProperties(Open(0), &first);
    EXPECT_STREQ(first.product, L"Korveline MX-1012 Interface");

    ASSERT_EQ(Simulator().Plug(1), 0u);
    pnp.WaitFor(2);
    ASSERT_EQ(PnpWindow::received.size(), 2u);
    EXPECT_EQ(PnpWindow::received[1], 1u);
    EXPECT_EQ(KORVELINE_EnumerateDevices(), 0u);
    EXPECT_EQ(KORVELINE_GetDeviceCount(), 3u);

    EXPECT_EQ(KORVELINE_UnregisterPnpNotification(), 0u);
    ASSERT_EQ(Simulator().Unplug(2), 0u);
    pnp.WaitFor(3, 200);
    EXPECT_EQ(PnpWindow::received.size(), 2u) << "no message after unregistering";
}

TEST_F(SimConformance, CallLogRecordsNamesAndArguments) {
    DeviceHandle mx = Open(kInterface);
    Simulator().ClearCallLog();
    KORVELINE_SetSampleRate(mx, 96000);
    std::uint32_t asio = 0;
    KORVELINE_GetClientInfo(mx, nullptr, nullptr, &asio);
    SoundDeviceProfileRequest request{};
    request.selector = 12;
    wcscpy(request.profileId, L"mch8");
    KORVELINE_SetSoundDeviceProfile(mx, &request, 1);
    KORVELINE_SetVolume(mx, kDirectionOutput, 3, -768);

    std::wstring h = std::to_wstring(mx);
    std::vector<std::wstring> expected = {L"KORVELINE_SetSampleRate(" + h + L", 96000)",
                                          L"KORVELINE_GetClientInfo(" + h + L", null, null, ptr)",
                                          L"KORVELINE_SetSoundDeviceProfile(" + h +
                                              L", {12, \"mch8\"}, 1)",
                                          L"KORVELINE_SetVolume(" + h + L", 0, 3, -768)"};
    EXPECT_EQ(Simulator().CallLog(), expected);
    Simulator().ClearCallLog();
    EXPECT_TRUE(Simulator().CallLog().empty());

    // Off records nothing until on again; a reset turns it on.
    EXPECT_EQ(Simulator().Command(L"log off").status, 0u);
    KORVELINE_SetSampleRate(mx, 48000);
    EXPECT_TRUE(Simulator().CallLog().empty());
    Simulator().Reset();
    KORVELINE_GetDeviceCount();
    EXPECT_EQ(Simulator().CallLog(), std::vector<std::wstring>{L"KORVELINE_GetDeviceCount()"});
}

TEST_F(SimConformance, InjectedFailuresOnceAlwaysAndOff) {
    DeviceHandle dac = Open(kDac);
    ASSERT_EQ(Simulator().Fail("KORVELINE_SetSampleRate", 0xEE001006, kSimFailOnce), 0u);
    EXPECT_EQ(KORVELINE_SetSampleRate(dac, 48000), 0xEE001006u);
    EXPECT_EQ(KORVELINE_SetSampleRate(dac, 48000), 0u);
    std::uint32_t rate = 0;
    KORVELINE_GetCurrentSampleRate(dac, &rate);
    EXPECT_EQ(rate, 48000u) << "a failed call changes nothing";

    ASSERT_EQ(Simulator().Fail("KORVELINE_GetDeviceCount", 0, kSimFailAlways), 0u);
    EXPECT_EQ(KORVELINE_GetDeviceCount(), 0u)
        << "a count entry point returns the code as its value";
    EXPECT_EQ(KORVELINE_GetDeviceCount(), 0u);
    ASSERT_EQ(Simulator().Fail("KORVELINE_GetDeviceCount", 0, kSimFailOff), 0u);
    EXPECT_EQ(KORVELINE_GetDeviceCount(), 3u);

    EXPECT_EQ(Simulator().Fail("KORVELINE_NoSuchThing", 1, kSimFailAlways), kSimInvalidParameter);
    EXPECT_EQ(Simulator().Command(L"fail KORVELINE_GetMute 0xEE000071 sometimes").status,
              kSimBadCommand);
    ASSERT_EQ(Simulator().Command(L"fail KORVELINE_GetMute 0xEE000071").status, 0u);
    std::uint32_t muted = 0;
    EXPECT_EQ(KORVELINE_GetMute(dac, kDirectionOutput, 0, &muted), 0xEE000071u);
    ASSERT_EQ(Simulator().Command(L"fail all off").status, 0u);
    EXPECT_EQ(KORVELINE_GetMute(dac, kDirectionOutput, 0, &muted), 0u);
}

TEST_F(SimConformance, EntryPointsWithoutArgumentListAnswerNotSupported) {
    auto dfu = Simulator().Entry<PFN_KORVELINE_StartDfuDownload>("KORVELINE_StartDfuDownload");
    auto peaks = Simulator().Entry<PFN_KORVELINE_EnablePeakMeters>("KORVELINE_EnablePeakMeters");
    ASSERT_NE(dfu, nullptr);
    ASSERT_NE(peaks, nullptr);
    EXPECT_EQ(dfu(Open(kDac)), kSimNotSupported);
    EXPECT_EQ(peaks(Open(kDac)), kSimNotSupported);
}

} // namespace
