#pragma once

// The entry points of the driver API library: one function pointer type per entry point
// (PFN_<name>), and the table of exported names with their row numbers and API-version
// gates, in binding order. The binding (KorvelineApiDll) and the simulated driver both
// build on this list.
//
// Calling convention: every entry point is a plain C function with the platform's C
// calling convention, KORVELINE_CALL (__cdecl; on x64 and ARM64 the only convention).
//
// Entry points that the program never calls have signatures of our own choosing, marked
// "(not called)"; a library may implement them in any way that matches.

#include <windows.h>

#include <array>
#include <cstdint>

#include "driver/DriverRecords.h"

#define KORVELINE_CALL __cdecl

// API version as KORVELINE_GetApiVersion returns it: major in the upper 16 bits, minor in
// the lower 16 bits. Comparing two such values compares (major, minor).
constexpr std::uint32_t KorvelineApiVersion(std::uint32_t major, std::uint32_t minor) {
    return (major << 16) | (minor & 0xFFFF);
}
constexpr std::uint32_t ApiVersionMajor(std::uint32_t version) {
    return version >> 16;
}
constexpr std::uint32_t ApiVersionMinor(std::uint32_t version) {
    return version & 0xFFFF;
}

// The version this program is built for, passed to KORVELINE_CheckApiVersion.
constexpr std::uint32_t kRequiredApiMajor = 5;
constexpr std::uint32_t kRequiredApiMinor = 16;

// A gate is the lowest library API version for which an entry point is looked up at all.
constexpr std::uint32_t kGateAlways = 0;
constexpr bool GatePasses(std::uint32_t gate, std::uint32_t apiVersion) {
    return apiVersion >= gate;
}

// clang-format off
using PFN_KORVELINE_GetApiVersion = std::uint32_t(KORVELINE_CALL*)();
// Non-zero when the library serves a program built for that version.
using PFN_KORVELINE_CheckApiVersion = std::uint32_t(KORVELINE_CALL*)(std::uint32_t major, std::uint32_t minor);
// The first two arguments are always null; the library posts `message` to `window`.
using PFN_KORVELINE_RegisterPnpNotification = StatusCode(KORVELINE_CALL*)(void* reserved1, void* reserved2, HWND window, std::uint32_t message, std::uint32_t flags);
using PFN_KORVELINE_UnregisterPnpNotification = StatusCode(KORVELINE_CALL*)();
using PFN_KORVELINE_EnumerateDevices = StatusCode(KORVELINE_CALL*)();
// The number of devices, not a status.
using PFN_KORVELINE_GetDeviceCount = std::uint32_t(KORVELINE_CALL*)();
using PFN_KORVELINE_OpenDeviceByIndex = StatusCode(KORVELINE_CALL*)(std::uint32_t index, DeviceHandle* device);
// (not called)
using PFN_KORVELINE_OpenDeviceByChannelIdString = StatusCode(KORVELINE_CALL*)(const wchar_t* channelId, DeviceHandle* device);
using PFN_KORVELINE_CloseDevice = StatusCode(KORVELINE_CALL*)(DeviceHandle device);
using PFN_KORVELINE_GetDeviceProperties = StatusCode(KORVELINE_CALL*)(DeviceHandle device, DeviceProperties* properties);
// (not called) `text` has room for `textChars` characters including the terminator.
using PFN_KORVELINE_GetDeviceInstanceIdString = StatusCode(KORVELINE_CALL*)(DeviceHandle device, wchar_t* text, std::uint32_t textChars);
// (not called)
using PFN_KORVELINE_GetDeviceContainerIdString = StatusCode(KORVELINE_CALL*)(DeviceHandle device, wchar_t* text, std::uint32_t textChars);
// (not called)
using PFN_KORVELINE_GetChannelIndexForChannelIdString = StatusCode(KORVELINE_CALL*)(DeviceHandle device, const wchar_t* channelId, std::uint32_t* direction, std::uint32_t* channel);
// (not called)
using PFN_KORVELINE_GetChannelIdString = StatusCode(KORVELINE_CALL*)(DeviceHandle device, std::uint32_t direction, std::uint32_t channel, wchar_t* text, std::uint32_t textChars);
// Mask kAllDeviceNotifications with an auto-reset event registers; mask 0 and a null
// event end the registration.
using PFN_KORVELINE_RegisterDeviceNotification = StatusCode(KORVELINE_CALL*)(DeviceHandle device, std::uint32_t categoryMask, HANDLE event, std::uint32_t flags);
// Non-zero when the queue is empty.
using PFN_KORVELINE_ReadDeviceNotification = StatusCode(KORVELINE_CALL*)(DeviceHandle device, std::uint32_t* eventId, void* data, std::uint32_t dataSize, std::uint32_t* bytesReturned);
using PFN_KORVELINE_GetSupportedSampleRates = StatusCode(KORVELINE_CALL*)(DeviceHandle device, std::uint32_t maxCount, std::uint32_t* rates, std::uint32_t* count);
// 0 Hz means no valid rate.
using PFN_KORVELINE_GetCurrentSampleRate = StatusCode(KORVELINE_CALL*)(DeviceHandle device, std::uint32_t* rate);
using PFN_KORVELINE_SetSampleRate = StatusCode(KORVELINE_CALL*)(DeviceHandle device, std::uint32_t rate);
using PFN_KORVELINE_GetSupportedClockSources = StatusCode(KORVELINE_CALL*)(DeviceHandle device, std::uint32_t maxCount, ClockSourceInfo* sources, std::uint32_t* count);
// (not called)
using PFN_KORVELINE_GetClockSourceStatus = StatusCode(KORVELINE_CALL*)(DeviceHandle device, std::uint32_t clockSourceId, ClockSourceInfo* source);
using PFN_KORVELINE_GetCurrentClockSource = StatusCode(KORVELINE_CALL*)(DeviceHandle device, ClockSourceInfo* source);
using PFN_KORVELINE_SetCurrentClockSource = StatusCode(KORVELINE_CALL*)(DeviceHandle device, std::uint32_t clockSourceId);
// May answer kStatusPartialStreamFormatList with the formats delivered so far.
using PFN_KORVELINE_GetSupportedStreamFormats = StatusCode(KORVELINE_CALL*)(DeviceHandle device, std::uint32_t direction, std::uint32_t maxCount, StreamFormatInfo* formats, std::uint32_t* count);
using PFN_KORVELINE_GetCurrentStreamFormat = StatusCode(KORVELINE_CALL*)(DeviceHandle device, std::uint32_t direction, StreamFormatInfo* format);
using PFN_KORVELINE_SetCurrentStreamFormat = StatusCode(KORVELINE_CALL*)(DeviceHandle device, std::uint32_t direction, std::uint32_t streamFormatId);
using PFN_KORVELINE_GetStreamFormatSelectionMode = StatusCode(KORVELINE_CALL*)(DeviceHandle device, std::uint32_t* mode);
// (not called)
using PFN_KORVELINE_GetChannelProperties = StatusCode(KORVELINE_CALL*)(DeviceHandle device, std::uint32_t direction, std::uint32_t channel, void* data, std::uint32_t dataSize, std::uint32_t* bytesReturned);
using PFN_KORVELINE_GetChannelInfo = StatusCode(KORVELINE_CALL*)(DeviceHandle device, std::uint32_t direction, std::uint32_t channel, ChannelInfo* info);
using PFN_KORVELINE_GetVolumeMuteInfo = StatusCode(KORVELINE_CALL*)(DeviceHandle device, std::uint32_t direction, std::uint32_t channel, VolumeMuteInfo* info);
using PFN_KORVELINE_GetVolume = StatusCode(KORVELINE_CALL*)(DeviceHandle device, std::uint32_t direction, std::uint32_t channel, std::int16_t* volume);
using PFN_KORVELINE_SetVolume = StatusCode(KORVELINE_CALL*)(DeviceHandle device, std::uint32_t direction, std::uint32_t channel, std::int16_t volume);
// Non-zero mute means muted.
using PFN_KORVELINE_GetMute = StatusCode(KORVELINE_CALL*)(DeviceHandle device, std::uint32_t direction, std::uint32_t channel, std::uint32_t* mute);
using PFN_KORVELINE_SetMute = StatusCode(KORVELINE_CALL*)(DeviceHandle device, std::uint32_t direction, std::uint32_t channel, std::uint8_t mute);
// (not called)
using PFN_KORVELINE_GetUsbConfigDescriptor = StatusCode(KORVELINE_CALL*)(DeviceHandle device, void* data, std::uint32_t dataSize, std::uint32_t* bytesReturned);
// (not called)
using PFN_KORVELINE_GetUsbStringDescriptorString = StatusCode(KORVELINE_CALL*)(DeviceHandle device, std::uint32_t descriptorIndex, std::uint32_t languageId, wchar_t* text, std::uint32_t textChars);
// (not called)
using PFN_KORVELINE_AudioControlRequestSet = StatusCode(KORVELINE_CALL*)(DeviceHandle device, std::uint32_t entityId, std::uint32_t request, std::uint32_t controlSelector, std::uint32_t channel, const void* data, std::uint32_t dataSize);
// (not called)
using PFN_KORVELINE_AudioControlRequestGet = StatusCode(KORVELINE_CALL*)(DeviceHandle device, std::uint32_t entityId, std::uint32_t request, std::uint32_t controlSelector, std::uint32_t channel, void* data, std::uint32_t dataSize, std::uint32_t* bytesReturned);
// (not called)
using PFN_KORVELINE_ClassVendorRequestOut = StatusCode(KORVELINE_CALL*)(DeviceHandle device, std::uint32_t requestType, std::uint32_t request, std::uint32_t value, std::uint32_t index, const void* data, std::uint32_t dataSize);
// (not called)
using PFN_KORVELINE_ClassVendorRequestIn = StatusCode(KORVELINE_CALL*)(DeviceHandle device, std::uint32_t requestType, std::uint32_t request, std::uint32_t value, std::uint32_t index, void* data, std::uint32_t dataSize, std::uint32_t* bytesReturned);
// Needs no device.
using PFN_KORVELINE_GetDriverInfo = StatusCode(KORVELINE_CALL*)(DriverInfo* info);
using PFN_KORVELINE_GetASIOInstanceInfo = StatusCode(KORVELINE_CALL*)(std::uint32_t instance, AsioInstanceInfo* info);
// `cookie` is AsioInstanceInfo::bufferSizeCookie; `options` the instance's option bits with
// kAsioOptionSafeMode set or cleared. The result is not used.
using PFN_KORVELINE_SetASIOBufferPreferredSize = StatusCode(KORVELINE_CALL*)(std::uint32_t instance, std::uint32_t cookie, std::uint32_t bufferSize, std::uint32_t options);
using PFN_KORVELINE_GetDeviceUsbMode = StatusCode(KORVELINE_CALL*)(DeviceHandle device, std::uint32_t* mode);
// Each out pointer may be null.
using PFN_KORVELINE_GetClientInfo = StatusCode(KORVELINE_CALL*)(DeviceHandle device, std::uint32_t* streamingState, std::uint32_t* wdmClients, std::uint32_t* asioClients);
using PFN_KORVELINE_GetDeviceStreamingMode = StatusCode(KORVELINE_CALL*)(DeviceHandle device, std::uint32_t* mode);
// `apply` is always 1.
using PFN_KORVELINE_SetDeviceStreamingMode = StatusCode(KORVELINE_CALL*)(DeviceHandle device, std::uint32_t mode, std::uint32_t apply);
// (not called)
using PFN_KORVELINE_LoadFirmwareImageFromBuffer = StatusCode(KORVELINE_CALL*)(const void* image, std::uint32_t imageSize);
// (not called)
using PFN_KORVELINE_LoadFirmwareImageFromFile = StatusCode(KORVELINE_CALL*)(const wchar_t* path);
// (not called)
using PFN_KORVELINE_GetFirmwareImageSize = StatusCode(KORVELINE_CALL*)(std::uint32_t* imageSize);
// (not called)
using PFN_KORVELINE_UnloadFirmwareImage = StatusCode(KORVELINE_CALL*)();
// (not called)
using PFN_KORVELINE_GetFirmwareImage = StatusCode(KORVELINE_CALL*)(void* image, std::uint32_t imageSize, std::uint32_t* bytesReturned);
// (not called)
using PFN_KORVELINE_StartDfuDownload = StatusCode(KORVELINE_CALL*)(DeviceHandle device);
// (not called)
using PFN_KORVELINE_StartDfuUpload = StatusCode(KORVELINE_CALL*)(DeviceHandle device);
// (not called)
using PFN_KORVELINE_StartDfuRevertToFactoryImage = StatusCode(KORVELINE_CALL*)(DeviceHandle device);
// (not called)
using PFN_KORVELINE_GetDfuStatus = StatusCode(KORVELINE_CALL*)(DeviceHandle device, std::uint32_t* state, std::uint32_t* bytesDone, std::uint32_t* bytesTotal, StatusCode* completion);
// (not called)
using PFN_KORVELINE_EndDfuProc = StatusCode(KORVELINE_CALL*)(DeviceHandle device);
// (not called)
using PFN_KORVELINE_GetDspProperty = StatusCode(KORVELINE_CALL*)(DeviceHandle device, std::uint32_t propertyId, void* data, std::uint32_t dataSize, std::uint32_t* bytesReturned);
// (not called)
using PFN_KORVELINE_SetDspProperty = StatusCode(KORVELINE_CALL*)(DeviceHandle device, std::uint32_t propertyId, const void* data, std::uint32_t dataSize);
// (not called)
using PFN_KORVELINE_QueryDriverStatistics = StatusCode(KORVELINE_CALL*)(void* data, std::uint32_t dataSize, std::uint32_t* bytesReturned);
// (not called)
using PFN_KORVELINE_ResetDriverStatistics = StatusCode(KORVELINE_CALL*)();
// (not called; codes are shown as numbers) A static text owned by the library.
using PFN_KORVELINE_StatusCodeStringW = const wchar_t*(KORVELINE_CALL*)(StatusCode code);
// (not called)
using PFN_KORVELINE_StatusCodeStringA = const char*(KORVELINE_CALL*)(StatusCode code);
using PFN_KORVELINE_SetPreferredASIODevice = StatusCode(KORVELINE_CALL*)(DeviceHandle device, std::uint32_t instance);
using PFN_KORVELINE_ClearPreferredASIODevice = StatusCode(KORVELINE_CALL*)(std::uint32_t instance);
// (not called)
using PFN_KORVELINE_QueryDeviceStatistics = StatusCode(KORVELINE_CALL*)(DeviceHandle device, void* data, std::uint32_t dataSize, std::uint32_t* bytesReturned);
using PFN_KORVELINE_GetControlPanelOptions = StatusCode(KORVELINE_CALL*)(DeviceHandle device, ControlPanelOptions* options);
// Request codes kExtendedInfo*; the in buffer is one u32, the out buffer holds
// SoundDeviceProfileInfo elements (bytesReturned / 384 of them).
using PFN_KORVELINE_GetExtendedInfo = StatusCode(KORVELINE_CALL*)(DeviceHandle device, std::uint32_t requestCode, const void* in, std::uint32_t inSize, void* out, std::uint32_t outSize, std::uint32_t* bytesReturned);
// `apply` is always 1.
using PFN_KORVELINE_SetSoundDeviceProfile = StatusCode(KORVELINE_CALL*)(DeviceHandle device, const SoundDeviceProfileRequest* request, std::uint32_t apply);
// (not called)
using PFN_KORVELINE_SetHwChannelHiddenFlags = StatusCode(KORVELINE_CALL*)(DeviceHandle device, std::uint32_t direction, std::uint32_t channel, std::uint32_t hiddenFlags);
// (not called)
using PFN_KORVELINE_GetCustomString = StatusCode(KORVELINE_CALL*)(DeviceHandle device, std::uint32_t stringId, wchar_t* text, std::uint32_t textChars);
// Needs no device.
using PFN_KORVELINE_GetASIOInstanceCount = StatusCode(KORVELINE_CALL*)(std::uint32_t* count);
using PFN_KORVELINE_GetASIOInstanceDetails = StatusCode(KORVELINE_CALL*)(std::uint32_t instanceIndex, AsioInstanceDetails* details);
// kNoAsioInstance when the device belongs to none.
using PFN_KORVELINE_GetASIORelation = StatusCode(KORVELINE_CALL*)(DeviceHandle device, std::uint32_t* instance);
using PFN_KORVELINE_GetASIOInstanceAllowed = StatusCode(KORVELINE_CALL*)(DeviceHandle device, std::uint32_t instance, std::uint32_t* allowed);
// (not called)
using PFN_KORVELINE_GetStreamChannelCount = StatusCode(KORVELINE_CALL*)(DeviceHandle device, std::uint32_t direction, std::uint32_t* count);
// (not called)
using PFN_KORVELINE_GetStreamChannelIds = StatusCode(KORVELINE_CALL*)(DeviceHandle device, std::uint32_t direction, std::uint32_t maxCount, std::uint32_t* channelIds, std::uint32_t* count);
// (not called)
using PFN_KORVELINE_EnablePeakMeters = StatusCode(KORVELINE_CALL*)(DeviceHandle device);
// (not called)
using PFN_KORVELINE_DisablePeakMeters = StatusCode(KORVELINE_CALL*)(DeviceHandle device);
// (not called)
using PFN_KORVELINE_GetPeakMeters = StatusCode(KORVELINE_CALL*)(DeviceHandle device, std::uint32_t direction, std::uint32_t maxCount, std::uint32_t* levels, std::uint32_t* count);
// `apply` is always 1; the request's selector is the direction.
using PFN_KORVELINE_SetVirtualSoundDeviceProfile = StatusCode(KORVELINE_CALL*)(DeviceHandle device, const SoundDeviceProfileRequest* request, std::uint32_t apply);

// Every entry point as X(row, name, gate), in binding order. Rows are numbered from 1;
// gates never decrease along the list, so binding the rows in order binds the gated
// groups in order.
#define KORVELINE_ENTRY_POINTS(X) \
    X(1, KORVELINE_GetApiVersion, kGateAlways) \
    X(2, KORVELINE_CheckApiVersion, kGateAlways) \
    X(3, KORVELINE_RegisterPnpNotification, KorvelineApiVersion(5, 0)) \
    X(4, KORVELINE_UnregisterPnpNotification, KorvelineApiVersion(5, 0)) \
    X(5, KORVELINE_EnumerateDevices, KorvelineApiVersion(5, 0)) \
    X(6, KORVELINE_GetDeviceCount, KorvelineApiVersion(5, 0)) \
    X(7, KORVELINE_OpenDeviceByIndex, KorvelineApiVersion(5, 0)) \
    X(8, KORVELINE_OpenDeviceByChannelIdString, KorvelineApiVersion(5, 0)) \
    X(9, KORVELINE_CloseDevice, KorvelineApiVersion(5, 0)) \
    X(10, KORVELINE_GetDeviceProperties, KorvelineApiVersion(5, 0)) \
    X(11, KORVELINE_GetDeviceInstanceIdString, KorvelineApiVersion(5, 0)) \
    X(12, KORVELINE_GetDeviceContainerIdString, KorvelineApiVersion(5, 0)) \
    X(13, KORVELINE_GetChannelIndexForChannelIdString, KorvelineApiVersion(5, 0)) \
    X(14, KORVELINE_GetChannelIdString, KorvelineApiVersion(5, 0)) \
    X(15, KORVELINE_RegisterDeviceNotification, KorvelineApiVersion(5, 0)) \
    X(16, KORVELINE_ReadDeviceNotification, KorvelineApiVersion(5, 0)) \
    X(17, KORVELINE_GetSupportedSampleRates, KorvelineApiVersion(5, 0)) \
    X(18, KORVELINE_GetCurrentSampleRate, KorvelineApiVersion(5, 0)) \
    X(19, KORVELINE_SetSampleRate, KorvelineApiVersion(5, 0)) \
    X(20, KORVELINE_GetSupportedClockSources, KorvelineApiVersion(5, 0)) \
    X(21, KORVELINE_GetClockSourceStatus, KorvelineApiVersion(5, 0)) \
    X(22, KORVELINE_GetCurrentClockSource, KorvelineApiVersion(5, 0)) \
    X(23, KORVELINE_SetCurrentClockSource, KorvelineApiVersion(5, 0)) \
    X(24, KORVELINE_GetSupportedStreamFormats, KorvelineApiVersion(5, 0)) \
    X(25, KORVELINE_GetCurrentStreamFormat, KorvelineApiVersion(5, 0)) \
    X(26, KORVELINE_SetCurrentStreamFormat, KorvelineApiVersion(5, 0)) \
    X(27, KORVELINE_GetStreamFormatSelectionMode, KorvelineApiVersion(5, 0)) \
    X(28, KORVELINE_GetChannelProperties, KorvelineApiVersion(5, 0)) \
    X(29, KORVELINE_GetChannelInfo, KorvelineApiVersion(5, 0)) \
    X(30, KORVELINE_GetVolumeMuteInfo, KorvelineApiVersion(5, 0)) \
    X(31, KORVELINE_GetVolume, KorvelineApiVersion(5, 0)) \
    X(32, KORVELINE_SetVolume, KorvelineApiVersion(5, 0)) \
    X(33, KORVELINE_GetMute, KorvelineApiVersion(5, 0)) \
    X(34, KORVELINE_SetMute, KorvelineApiVersion(5, 0)) \
    X(35, KORVELINE_GetUsbConfigDescriptor, KorvelineApiVersion(5, 0)) \
    X(36, KORVELINE_GetUsbStringDescriptorString, KorvelineApiVersion(5, 0)) \
    X(37, KORVELINE_AudioControlRequestSet, KorvelineApiVersion(5, 0)) \
    X(38, KORVELINE_AudioControlRequestGet, KorvelineApiVersion(5, 0)) \
    X(39, KORVELINE_ClassVendorRequestOut, KorvelineApiVersion(5, 0)) \
    X(40, KORVELINE_ClassVendorRequestIn, KorvelineApiVersion(5, 0)) \
    X(41, KORVELINE_GetDriverInfo, KorvelineApiVersion(5, 0)) \
    X(42, KORVELINE_GetASIOInstanceInfo, KorvelineApiVersion(5, 0)) \
    X(43, KORVELINE_SetASIOBufferPreferredSize, KorvelineApiVersion(5, 0)) \
    X(44, KORVELINE_GetDeviceUsbMode, KorvelineApiVersion(5, 0)) \
    X(45, KORVELINE_GetClientInfo, KorvelineApiVersion(5, 0)) \
    X(46, KORVELINE_GetDeviceStreamingMode, KorvelineApiVersion(5, 0)) \
    X(47, KORVELINE_SetDeviceStreamingMode, KorvelineApiVersion(5, 0)) \
    X(48, KORVELINE_LoadFirmwareImageFromBuffer, KorvelineApiVersion(5, 0)) \
    X(49, KORVELINE_LoadFirmwareImageFromFile, KorvelineApiVersion(5, 0)) \
    X(50, KORVELINE_GetFirmwareImageSize, KorvelineApiVersion(5, 0)) \
    X(51, KORVELINE_UnloadFirmwareImage, KorvelineApiVersion(5, 0)) \
    X(52, KORVELINE_GetFirmwareImage, KorvelineApiVersion(5, 0)) \
    X(53, KORVELINE_StartDfuDownload, KorvelineApiVersion(5, 0)) \
    X(54, KORVELINE_StartDfuUpload, KorvelineApiVersion(5, 0)) \
    X(55, KORVELINE_StartDfuRevertToFactoryImage, KorvelineApiVersion(5, 0)) \
    X(56, KORVELINE_GetDfuStatus, KorvelineApiVersion(5, 0)) \
    X(57, KORVELINE_EndDfuProc, KorvelineApiVersion(5, 0)) \
    X(58, KORVELINE_GetDspProperty, KorvelineApiVersion(5, 0)) \
    X(59, KORVELINE_SetDspProperty, KorvelineApiVersion(5, 0)) \
    X(60, KORVELINE_QueryDriverStatistics, KorvelineApiVersion(5, 0)) \
    X(61, KORVELINE_ResetDriverStatistics, KorvelineApiVersion(5, 0)) \
    X(62, KORVELINE_StatusCodeStringW, KorvelineApiVersion(5, 0)) \
    X(63, KORVELINE_StatusCodeStringA, KorvelineApiVersion(5, 0)) \
    X(64, KORVELINE_SetPreferredASIODevice, KorvelineApiVersion(5, 1)) \
    X(65, KORVELINE_ClearPreferredASIODevice, KorvelineApiVersion(5, 1)) \
    X(66, KORVELINE_QueryDeviceStatistics, KorvelineApiVersion(5, 2)) \
    X(67, KORVELINE_GetControlPanelOptions, KorvelineApiVersion(5, 4)) \
    X(68, KORVELINE_GetExtendedInfo, KorvelineApiVersion(5, 5)) \
    X(69, KORVELINE_SetSoundDeviceProfile, KorvelineApiVersion(5, 6)) \
    X(70, KORVELINE_SetHwChannelHiddenFlags, KorvelineApiVersion(5, 7)) \
    X(71, KORVELINE_GetCustomString, KorvelineApiVersion(5, 8)) \
    X(72, KORVELINE_GetASIOInstanceCount, KorvelineApiVersion(5, 9)) \
    X(73, KORVELINE_GetASIOInstanceDetails, KorvelineApiVersion(5, 9)) \
    X(74, KORVELINE_GetASIORelation, KorvelineApiVersion(5, 9)) \
    X(75, KORVELINE_GetASIOInstanceAllowed, KorvelineApiVersion(5, 9)) \
    X(76, KORVELINE_GetStreamChannelCount, KorvelineApiVersion(5, 10)) \
    X(77, KORVELINE_GetStreamChannelIds, KorvelineApiVersion(5, 10)) \
    X(78, KORVELINE_EnablePeakMeters, KorvelineApiVersion(5, 10)) \
    X(79, KORVELINE_DisablePeakMeters, KorvelineApiVersion(5, 10)) \
    X(80, KORVELINE_GetPeakMeters, KorvelineApiVersion(5, 10)) \
    X(81, KORVELINE_SetVirtualSoundDeviceProfile, KorvelineApiVersion(5, 12))
// clang-format on

struct EntryPointInfo {
    std::uint32_t row;
    const char* name; // the exported name
    std::uint32_t gate;
};

constexpr std::size_t kEntryPointCount = 81;

#define KORVELINE_ENTRY_POINT_INFO(row, name, gate) EntryPointInfo{row, #name, gate},
inline constexpr std::array<EntryPointInfo, kEntryPointCount> kEntryPoints = {
    KORVELINE_ENTRY_POINTS(KORVELINE_ENTRY_POINT_INFO)};
#undef KORVELINE_ENTRY_POINT_INFO

// The binding relies on rows 1..81 in order with gates that never decrease.
constexpr bool EntryPointTableIsOrdered() {
    for (std::size_t i = 0; i < kEntryPoints.size(); ++i) {
        if (kEntryPoints[i].row != i + 1)
            return false;
        if (i > 0 && kEntryPoints[i].gate < kEntryPoints[i - 1].gate)
            return false;
    }
    return true;
}
static_assert(EntryPointTableIsOrdered());
