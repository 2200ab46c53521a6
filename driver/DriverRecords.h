#pragma once

// The records exchanged with the driver API library, byte for byte. Every record is
// zero-filled by the caller before a call (value-initialise it: `DeviceProperties p{};`),
// so fields the library does not write stay zero. Wide strings are inline UTF-16 arrays
// that the library should terminate but that are read only up to the array's end
// (DriverBuffers.h).

#include "config/StatusCode.h"

#include <cstddef>
#include <cstdint>

static_assert(sizeof(wchar_t) == 2, "driver records carry UTF-16 arrays");

// Handle of an open device; 0 means that no device is open (the library never returns 0).
using DeviceHandle = std::uint32_t;

// The operation was deferred and runs later; never shown.
constexpr StatusCode kStatusDeferred = 0xEE000009;
// The entry point is not bound in the loaded library's API version (never from the library).
constexpr StatusCode kStatusEntryPointUnavailable = 0xEE000030;
// Partial list from KORVELINE_GetSupportedStreamFormats (the stream format page accepts it).
constexpr StatusCode kStatusPartialStreamFormatList = 0xEE000034;
// Conflicting command-line switches. A locale the system rejects has the same code under
// its own name, kStatusLocaleUnknown (config/ConfigStatus.h): two refusals, one value.
constexpr StatusCode kStatusConflictingRequest = 0xEE000041;
// The driver's configuration for the device is invalid.
constexpr StatusCode kStatusDriverApiDllWithInvalidIni = 0xEE000052;
// KORVELINE_CheckApiVersion refused the required version.
constexpr StatusCode kStatusApiNotCompatible = 0xEE000060;
// A driver failure the user is not told about.
constexpr StatusCode kStatusNotShown = 0xEE000071;
// The driver has no configuration for the device.
constexpr StatusCode kStatusDriverApiDllWithoutIni = 0xEE001006;
// Switching the stream format is not allowed while the device is in use (the driver
// answers with either code).
constexpr StatusCode kStatusStreamFormatSwitchNotAllowed = 0xEE00100B;
constexpr StatusCode kStatusStreamFormatSwitchNotAllowedAlt = 0xEE00100E;

// Direction argument of every stream-format, channel, volume and mute call.
constexpr std::uint32_t kDirectionOutput = 0; // playback
constexpr std::uint32_t kDirectionInput = 1;  // recording

// Channel index 0 is the master channel of a direction.
constexpr std::uint32_t kMasterChannel = 0;

// ASIO instance number meaning "none" (KORVELINE_GetASIORelation and the pages).
constexpr std::uint32_t kNoAsioInstance = 0xFFFFFFFF;

// Caller-side maxima of the counted array calls.
constexpr std::uint32_t kMaxSampleRates = 64;
constexpr std::uint32_t kMaxClockSources = 32;
constexpr std::uint32_t kMaxStreamFormats = 32;
constexpr std::uint32_t kMaxAsioBufferSizes = 40;
constexpr std::uint32_t kMaxSoundDeviceProfiles = 8;
// Data buffer of KORVELINE_ReadDeviceNotification.
constexpr std::uint32_t kDeviceNotificationDataSize = 64;

// Argument values the program passes.
constexpr std::uint32_t kAllDeviceNotifications = 0xFFFFFFFF;
constexpr std::uint32_t kStreamFormatSelectionUserChoice = 1;
constexpr std::uint32_t kDeviceUsbModeHidden = 1; // the device list leaves such a device out

// Request codes of KORVELINE_GetExtendedInfo; each takes one u32 in value.
constexpr std::uint32_t kExtendedInfoSoundDeviceProfiles = 9;               // in: stream format id
constexpr std::uint32_t kExtendedInfoCurrentSoundDeviceProfile = 10;        // in: stream format id
constexpr std::uint32_t kExtendedInfoVirtualSoundDeviceProfiles = 12;       // in: direction
constexpr std::uint32_t kExtendedInfoCurrentVirtualSoundDeviceProfile = 13; // in: direction

struct DeviceProperties {
    std::uint32_t vendorId;  // shown as "0x%04X"
    std::uint32_t productId; // shown as "0x%04X"
    std::uint32_t revision;  // BCD: bits 8-15 major, bits 0-7 minor
    wchar_t serialNumber[128];
    wchar_t manufacturer[128];
    wchar_t product[128];
    std::uint32_t flags; // kDeviceFlag*
    std::uint8_t reserved[256];
};
constexpr std::uint32_t kDeviceFlagAudioFunction = 0x4; // clear: a MIDI-only device
constexpr std::uint32_t kDeviceFlagAsioCurrent = 0x1000;
constexpr std::uint32_t kDeviceFlagAsioPreferred = 0x2000;
static_assert(sizeof(DeviceProperties) == 1040);
static_assert(offsetof(DeviceProperties, vendorId) == 0);
static_assert(offsetof(DeviceProperties, productId) == 4);
static_assert(offsetof(DeviceProperties, revision) == 8);
static_assert(offsetof(DeviceProperties, serialNumber) == 12);
static_assert(offsetof(DeviceProperties, manufacturer) == 268);
static_assert(offsetof(DeviceProperties, product) == 524);
static_assert(offsetof(DeviceProperties, flags) == 780);
static_assert(offsetof(DeviceProperties, reserved) == 784);

struct ClockSourceInfo {
    std::uint32_t id;     // argument of KORVELINE_SetCurrentClockSource, matching key
    std::uint32_t unitId; // shown when the name is empty
    std::uint32_t reserved1;
    std::uint32_t valid;      // non-zero: the clock is stable
    std::uint32_t sampleRate; // Hz, meaningful only when valid
    wchar_t name[132];
    std::uint32_t flags; // kClockSourceFlag*
    std::uint8_t reserved2[52];
};
// Clear while the validity of the source is still changing.
constexpr std::uint32_t kClockSourceFlagValiditySettled = 0x8;
static_assert(sizeof(ClockSourceInfo) == 340);
static_assert(offsetof(ClockSourceInfo, id) == 0);
static_assert(offsetof(ClockSourceInfo, unitId) == 4);
static_assert(offsetof(ClockSourceInfo, reserved1) == 8);
static_assert(offsetof(ClockSourceInfo, valid) == 12);
static_assert(offsetof(ClockSourceInfo, sampleRate) == 16);
static_assert(offsetof(ClockSourceInfo, name) == 20);
static_assert(offsetof(ClockSourceInfo, flags) == 284);
static_assert(offsetof(ClockSourceInfo, reserved2) == 288);

struct StreamFormatInfo {
    std::uint32_t id; // argument of KORVELINE_SetCurrentStreamFormat and the profile queries
    std::uint32_t bitsPerSample;
    std::uint32_t channelCount;
    std::uint8_t reserved1[256];
    std::uint32_t sampleFormatType; // kSampleFormat*; any other value is integer PCM
    std::uint8_t reserved2[60];
};
constexpr std::uint32_t kSampleFormatFloat = 1;
constexpr std::uint32_t kSampleFormatOther = 1000000;
static_assert(sizeof(StreamFormatInfo) == 332);
static_assert(offsetof(StreamFormatInfo, id) == 0);
static_assert(offsetof(StreamFormatInfo, bitsPerSample) == 4);
static_assert(offsetof(StreamFormatInfo, channelCount) == 8);
static_assert(offsetof(StreamFormatInfo, reserved1) == 12);
static_assert(offsetof(StreamFormatInfo, sampleFormatType) == 268);
static_assert(offsetof(StreamFormatInfo, reserved2) == 272);

struct ChannelInfo {
    std::uint32_t reserved;
    wchar_t name[160]; // may be empty
};
static_assert(sizeof(ChannelInfo) == 324);
static_assert(offsetof(ChannelInfo, reserved) == 0);
static_assert(offsetof(ChannelInfo, name) == 4);

struct VolumeMuteInfo {
    std::uint32_t flags;        // kVolumeMuteFlag*
    std::int16_t minimumVolume; // 1/256 dB
    std::int16_t maximumVolume; // 1/256 dB
    std::uint16_t resolution;   // step, 1/256 dB
    std::uint8_t reserved[6];
};
constexpr std::uint32_t kVolumeMuteFlagHasVolume = 0x1;
constexpr std::uint32_t kVolumeMuteFlagHasMute = 0x2;
static_assert(sizeof(VolumeMuteInfo) == 16);
static_assert(offsetof(VolumeMuteInfo, flags) == 0);
static_assert(offsetof(VolumeMuteInfo, minimumVolume) == 4);
static_assert(offsetof(VolumeMuteInfo, maximumVolume) == 6);
static_assert(offsetof(VolumeMuteInfo, resolution) == 8);
static_assert(offsetof(VolumeMuteInfo, reserved) == 10);

struct DriverInfo {
    std::uint8_t reserved[8];
    std::uint32_t versionMajor;
    std::uint32_t versionMinor;
    std::uint32_t versionBuild; // third number
    std::uint32_t flags;        // kDriverInfoFlag*
};
constexpr std::uint32_t kDriverInfoFlagDebugBuild = 0x1;
static_assert(sizeof(DriverInfo) == 24);
static_assert(offsetof(DriverInfo, reserved) == 0);
static_assert(offsetof(DriverInfo, versionMajor) == 8);
static_assert(offsetof(DriverInfo, versionMinor) == 12);
static_assert(offsetof(DriverInfo, versionBuild) == 16);
static_assert(offsetof(DriverInfo, flags) == 20);

struct ControlPanelOptions {
    std::uint32_t options; // kControlPanelOption*
    std::uint8_t reserved[132];
};
constexpr std::uint32_t kControlPanelOptionSampleRatePage = 0x1;
constexpr std::uint32_t kControlPanelOptionSoundDeviceProfilesPage = 0x2;
static_assert(sizeof(ControlPanelOptions) == 136);
static_assert(offsetof(ControlPanelOptions, options) == 0);
static_assert(offsetof(ControlPanelOptions, reserved) == 4);

struct AsioInstanceDetails {
    std::uint8_t reserved[128];
    std::uint32_t instanceNumber; // 0-based, shown as number + 1
    wchar_t name[102];
};
static_assert(sizeof(AsioInstanceDetails) == 336);
static_assert(offsetof(AsioInstanceDetails, reserved) == 0);
static_assert(offsetof(AsioInstanceDetails, instanceNumber) == 128);
static_assert(offsetof(AsioInstanceDetails, name) == 132);

struct AsioInstanceInfo {
    std::uint32_t sampleRate;       // Hz, 0 when there is no valid rate
    std::uint32_t bufferSizeCookie; // handed back to KORVELINE_SetASIOBufferPreferredSize
    std::uint32_t inUse;            // non-zero while an ASIO client uses the instance
    std::uint32_t streamFlags;      // kAsioStreamFlag*, meaningful only while in use
    std::uint32_t options;          // kAsioOption*
    std::uint32_t inputLatency;     // samples
    std::uint32_t outputLatency;    // samples
    std::uint32_t preferredBufferSize;
    std::uint32_t bufferSizeCount; // read through SelectableBufferSizes()
    std::uint32_t bufferSizes[kMaxAsioBufferSizes];
};
constexpr std::uint32_t kAsioStreamFlagDsd = 0x1;
constexpr std::uint32_t kAsioOptionSafeMode = 0x10000;
static_assert(sizeof(AsioInstanceInfo) == 196);
static_assert(offsetof(AsioInstanceInfo, sampleRate) == 0);
static_assert(offsetof(AsioInstanceInfo, bufferSizeCookie) == 4);
static_assert(offsetof(AsioInstanceInfo, inUse) == 8);
static_assert(offsetof(AsioInstanceInfo, streamFlags) == 12);
static_assert(offsetof(AsioInstanceInfo, options) == 16);
static_assert(offsetof(AsioInstanceInfo, inputLatency) == 20);
static_assert(offsetof(AsioInstanceInfo, outputLatency) == 24);
static_assert(offsetof(AsioInstanceInfo, preferredBufferSize) == 28);
static_assert(offsetof(AsioInstanceInfo, bufferSizeCount) == 32);
static_assert(offsetof(AsioInstanceInfo, bufferSizes) == 36);

struct SoundDeviceProfileInfo {
    wchar_t id[64]; // compared exactly to find the current profile
    wchar_t name[128];
};
static_assert(sizeof(SoundDeviceProfileInfo) == 384);
static_assert(offsetof(SoundDeviceProfileInfo, id) == 0);
static_assert(offsetof(SoundDeviceProfileInfo, name) == 128);

struct SoundDeviceProfileRequest {
    // KORVELINE_SetSoundDeviceProfile: the stream format id the profile belongs to;
    // KORVELINE_SetVirtualSoundDeviceProfile: the direction.
    std::uint32_t selector;
    wchar_t profileId[64];
};
static_assert(sizeof(SoundDeviceProfileRequest) == 132);
static_assert(offsetof(SoundDeviceProfileRequest, selector) == 0);
static_assert(offsetof(SoundDeviceProfileRequest, profileId) == 4);
