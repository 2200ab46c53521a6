// The driver API entry points of the simulated driver. Each one logs its call, returns an
// injected code if one is set, checks its pointers and fills the caller's records from
// the simulator's state.

#include "driver/DriverApi.h"
#include "sim/SimRecordWriter.h"
#include "sim/SimRuntime.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

#define SIM_EXPORT extern "C"

namespace {

// --- the steps the entry points share ----------------------------------------------------
// The SimCall has logged the call. Then come, in this order: an injected failure, the
// device behind the handle, the entry point's own argument checks, and the out pointer
// that the body writes through.

template <typename Body> StatusCode Run(const SimCall& call, Body body) {
    if (call.Injected())
        return *call.Injected();
    return body();
}

// In the fuzz mode a delivered record is replaced by a random one.
template <typename Out> StatusCode Delivered(SimCall& call, StatusCode status, Out& out) {
    if (SimFuzz* fuzz = call.Fuzz(); fuzz && status == 0)
        fuzz->Scramble(out);
    return status;
}

// The answer of a counted call: the scenario's elements, or in the fuzz mode a random
// count with random elements in the caller's room.
template <typename Element, typename Write>
StatusCode Counted(SimCall& call, std::size_t total, std::uint32_t maxCount, Element* elements,
                   std::uint32_t* count, Write write) {
    StatusCode status = PutCounted(call.Listed(total), maxCount, elements, count,
                                   call.Misbehaves(kMisbehaveCounts), write);
    SimFuzz* fuzz = call.Fuzz();
    if (!fuzz || status == kSimInvalidParameter)
        return status;
    *count = fuzz->Count(maxCount);
    for (std::uint32_t i = 0; i < std::min(*count, maxCount); ++i)
        fuzz->Scramble(elements[i]);
    return 0;
}

// Runs `body(*out)` with an out pointer that is not null.
template <typename Out, typename Body>
StatusCode RunInto(const SimCall& call, Out* out, Body body) {
    return Run(call, [&]() -> StatusCode {
        if (!out)
            return kSimInvalidParameter;
        return body(*out);
    });
}

// Runs `body(device)` with the device behind `handle`.
template <typename Body> StatusCode RunOnDevice(SimCall& call, DeviceHandle handle, Body body) {
    return Run(call, [&]() -> StatusCode {
        const SimDevice* device = nullptr;
        if (StatusCode status = call.Driver().Lookup(handle, device))
            return status;
        return body(*device);
    });
}

// Runs `body(device, *out)`: the device first, then the out pointer.
template <typename Out, typename Body>
StatusCode RunOnDeviceInto(SimCall& call, DeviceHandle handle, Out* out, Body body) {
    return RunOnDevice(call, handle, [&](const SimDevice& device) -> StatusCode {
        if (!out)
            return kSimInvalidParameter;
        return Delivered(call, body(device, *out), *out);
    });
}

// Runs `body(channel, *out)`; `channel` is null for a channel without name and controls.
template <typename Out, typename Body>
StatusCode RunOnChannelInto(SimCall& call, DeviceHandle handle, std::uint32_t direction,
                            std::uint32_t channel, Out* out, Body body) {
    return RunOnDevice(call, handle, [&](const SimDevice& device) -> StatusCode {
        const SimChannel* found = nullptr;
        if (StatusCode status = SimDriver::FindChannel(device, direction, channel, found))
            return status;
        if (!out)
            return kSimInvalidParameter;
        return Delivered(call, body(found, *out), *out);
    });
}

// --- reading the simulator's state into records ------------------------------------------

// A body for RunOnDeviceInto that copies one value of the device.
auto DeviceValue(std::uint32_t SimDevice::*value) {
    return [value](const SimDevice& device, std::uint32_t& out) {
        out = device.*value;
        return 0;
    };
}

const SimStreamFormat* CurrentFormat(const SimDirection& direction) {
    for (const auto& format : direction.formats)
        if (format.id == direction.currentFormat)
            return &format;
    return nullptr;
}

const SimStreamFormat* FindFormat(const SimDevice& device, std::uint32_t formatId) {
    for (std::uint32_t direction : {kDirectionInput, kDirectionOutput})
        for (const auto& format : device.Direction(direction).formats)
            if (format.id == formatId)
                return &format;
    return nullptr;
}

const SimProfile* FindProfile(const std::vector<SimProfile>& profiles, const std::wstring& id) {
    for (const auto& profile : profiles)
        if (profile.id == id)
            return &profile;
    return nullptr;
}

void PutProfile(SoundDeviceProfileInfo& info, const SimProfile& profile, bool unterminated) {
    PutText(info.id, profile.id, unterminated);
    PutText(info.name, profile.name, unterminated);
}

void PutClockSource(ClockSourceInfo& info, const SimDevice& device, const SimClockSource& source,
                    bool unterminated) {
    info.id = source.id;
    info.unitId = source.unitId;
    info.valid = source.valid ? 1 : 0;
    info.sampleRate = source.valid ? SimDriver::ClockRate(device, source) : 0;
    PutText(info.name, source.name, unterminated);
    info.flags = source.settled ? kClockSourceFlagValiditySettled : 0;
}

void PutStreamFormat(StreamFormatInfo& info, const SimStreamFormat& format) {
    info.id = format.id;
    info.bitsPerSample = format.bitsPerSample;
    info.channelCount = format.channelCount;
    info.sampleFormatType = format.sampleFormatType;
}

// The profile id of a request, which must be terminated inside its array.
bool RequestProfileId(const SoundDeviceProfileRequest& request, std::wstring& id) {
    std::size_t length = wcsnlen(request.profileId, std::size(request.profileId));
    if (length == std::size(request.profileId))
        return false;
    id.assign(request.profileId, length);
    return true;
}

StatusCode DirectionArgument(std::uint32_t direction) {
    return direction == kDirectionInput || direction == kDirectionOutput ? 0 : kSimInvalidParameter;
}

} // namespace

// --- library and device list ------------------------------------------------------------

SIM_EXPORT std::uint32_t KORVELINE_CALL KORVELINE_GetApiVersion() {
    SimCall call("KORVELINE_GetApiVersion");
    return Run(call, [&] { return call.Driver().Scenario().apiVersion; });
}

SIM_EXPORT std::uint32_t KORVELINE_CALL KORVELINE_CheckApiVersion(std::uint32_t major,
                                                                  std::uint32_t minor) {
    SimCall call("KORVELINE_CheckApiVersion", major, minor);
    return Run(call, [&] { return call.Driver().CheckApiVersion(major, minor); });
}

SIM_EXPORT StatusCode KORVELINE_CALL KORVELINE_RegisterPnpNotification(void* reserved1,
                                                                       void* reserved2, HWND window,
                                                                       std::uint32_t message,
                                                                       std::uint32_t flags) {
    SimCall call("KORVELINE_RegisterPnpNotification", reserved1, reserved2, window, message, flags);
    return Run(call, [&] { return call.Driver().RegisterPnp(window, message); });
}

SIM_EXPORT StatusCode KORVELINE_CALL KORVELINE_UnregisterPnpNotification() {
    SimCall call("KORVELINE_UnregisterPnpNotification");
    return Run(call, [&] {
        call.Driver().UnregisterPnp();
        return 0;
    });
}

SIM_EXPORT StatusCode KORVELINE_CALL KORVELINE_EnumerateDevices() {
    SimCall call("KORVELINE_EnumerateDevices");
    return Run(call, [&] {
        call.Driver().Enumerate();
        return 0;
    });
}

SIM_EXPORT std::uint32_t KORVELINE_CALL KORVELINE_GetDeviceCount() {
    SimCall call("KORVELINE_GetDeviceCount");
    return Run(call, [&] {
        SimFuzz* fuzz = call.Fuzz();
        return fuzz ? fuzz->Number()
                    : static_cast<std::uint32_t>(call.Listed(call.Driver().DeviceCount()));
    });
}

SIM_EXPORT StatusCode KORVELINE_CALL KORVELINE_OpenDeviceByIndex(std::uint32_t index,
                                                                 DeviceHandle* device) {
    SimCall call("KORVELINE_OpenDeviceByIndex", index, device);
    return RunInto(call, device,
                   [&](DeviceHandle& opened) { return call.Driver().Open(index, opened); });
}

SIM_EXPORT StatusCode KORVELINE_CALL KORVELINE_CloseDevice(DeviceHandle device) {
    SimCall call("KORVELINE_CloseDevice", device);
    return Run(call, [&] { return call.Driver().Close(device); });
}

SIM_EXPORT StatusCode KORVELINE_CALL KORVELINE_GetDeviceProperties(DeviceHandle device,
                                                                   DeviceProperties* properties) {
    SimCall call("KORVELINE_GetDeviceProperties", device, properties);
    return RunOnDeviceInto(call, device, properties,
                           [&](const SimDevice& d, DeviceProperties& out) {
                               bool unterminated = call.Misbehaves(kMisbehaveStrings);
                               out.vendorId = d.vendorId;
                               out.productId = d.productId;
                               out.revision = d.revision;
                               PutText(out.serialNumber, d.serialNumber, unterminated);
                               PutText(out.manufacturer, d.manufacturer, unterminated);
                               PutText(out.product, d.product, unterminated);
                               out.flags = call.Driver().DeviceFlags(d);
                               return 0;
                           });
}

SIM_EXPORT StatusCode KORVELINE_CALL KORVELINE_GetDeviceUsbMode(DeviceHandle device,
                                                                std::uint32_t* mode) {
    SimCall call("KORVELINE_GetDeviceUsbMode", device, mode);
    return RunOnDeviceInto(call, device, mode, DeviceValue(&SimDevice::usbMode));
}

SIM_EXPORT StatusCode KORVELINE_CALL
KORVELINE_GetControlPanelOptions(DeviceHandle device, ControlPanelOptions* options) {
    SimCall call("KORVELINE_GetControlPanelOptions", device, options);
    return RunOnDeviceInto(call, device, options, [](const SimDevice& d, ControlPanelOptions& out) {
        out.options = d.panelOptions;
        return 0;
    });
}

SIM_EXPORT StatusCode KORVELINE_CALL KORVELINE_GetDriverInfo(DriverInfo* info) {
    SimCall call("KORVELINE_GetDriverInfo", info);
    return RunInto(call, info, [&](DriverInfo& out) {
        const SimScenario& scenario = call.Driver().Scenario();
        out.versionMajor = scenario.driverMajor;
        out.versionMinor = scenario.driverMinor;
        out.versionBuild = scenario.driverBuild;
        out.flags = scenario.driverDebug ? kDriverInfoFlagDebugBuild : 0;
        return Delivered(call, 0, out);
    });
}

// --- device notifications ----------------------------------------------------------------

SIM_EXPORT StatusCode KORVELINE_CALL KORVELINE_RegisterDeviceNotification(
    DeviceHandle device, std::uint32_t categoryMask, HANDLE event, std::uint32_t flags) {
    SimCall call("KORVELINE_RegisterDeviceNotification", device, categoryMask, event, flags);
    return Run(call,
               [&] { return call.Driver().RegisterNotifications(device, categoryMask, event); });
}

SIM_EXPORT StatusCode KORVELINE_CALL
KORVELINE_ReadDeviceNotification(DeviceHandle device, std::uint32_t* eventId, void* data,
                                 std::uint32_t dataSize, std::uint32_t* bytesReturned) {
    SimCall call("KORVELINE_ReadDeviceNotification", device, eventId, data, dataSize,
                 bytesReturned);
    return Run(call, [&]() -> StatusCode {
        if (!eventId || (dataSize && !data))
            return kSimInvalidParameter;
        SimNotificationEntry entry;
        StatusCode status = call.Driver().ReadNotification(device, entry);
        if (status == kSimQueueEmpty && call.Misbehaves(kMisbehaveEndlessQueue)) {
            entry = SimNotificationEntry{kDeviceNotificationSampleRate, {}, 0};
            status = 0;
        }
        if (status)
            return status;
        std::uint32_t size = std::min(entry.size, dataSize);
        if (size)
            std::memcpy(data, entry.data.data(), size);
        *eventId = entry.id;
        if (bytesReturned)
            *bytesReturned = size;
        return 0;
    });
}

// --- sample rate and clock source --------------------------------------------------------

SIM_EXPORT StatusCode KORVELINE_CALL KORVELINE_GetSupportedSampleRates(DeviceHandle device,
                                                                       std::uint32_t maxCount,
                                                                       std::uint32_t* rates,
                                                                       std::uint32_t* count) {
    SimCall call("KORVELINE_GetSupportedSampleRates", device, maxCount, rates, count);
    return RunOnDevice(call, device, [&](const SimDevice& d) {
        return Counted(call, d.sampleRates.size(), maxCount, rates, count,
                       [&](std::size_t i, std::uint32_t& rate) { rate = d.sampleRates[i]; });
    });
}

SIM_EXPORT StatusCode KORVELINE_CALL KORVELINE_GetCurrentSampleRate(DeviceHandle device,
                                                                    std::uint32_t* rate) {
    SimCall call("KORVELINE_GetCurrentSampleRate", device, rate);
    return RunOnDeviceInto(call, device, rate, [](const SimDevice& d, std::uint32_t& out) {
        out = SimDriver::EffectiveSampleRate(d);
        return 0;
    });
}

SIM_EXPORT StatusCode KORVELINE_CALL KORVELINE_SetSampleRate(DeviceHandle device,
                                                             std::uint32_t rate) {
    SimCall call("KORVELINE_SetSampleRate", device, rate);
    return Run(call, [&] { return call.Driver().SetSampleRate(device, rate); });
}

SIM_EXPORT StatusCode KORVELINE_CALL KORVELINE_GetSupportedClockSources(DeviceHandle device,
                                                                        std::uint32_t maxCount,
                                                                        ClockSourceInfo* sources,
                                                                        std::uint32_t* count) {
    SimCall call("KORVELINE_GetSupportedClockSources", device, maxCount, sources, count);
    return RunOnDevice(call, device, [&](const SimDevice& d) {
        bool unterminated = call.Misbehaves(kMisbehaveStrings);
        return Counted(call, d.clockSources.size(), maxCount, sources, count,
                       [&](std::size_t i, ClockSourceInfo& info) {
                           PutClockSource(info, d, d.clockSources[i], unterminated);
                       });
    });
}

SIM_EXPORT StatusCode KORVELINE_CALL KORVELINE_GetCurrentClockSource(DeviceHandle device,
                                                                     ClockSourceInfo* source) {
    SimCall call("KORVELINE_GetCurrentClockSource", device, source);
    return RunOnDeviceInto(
        call, device, source, [&](const SimDevice& d, ClockSourceInfo& out) -> StatusCode {
            for (const auto& s : d.clockSources)
                if (s.id == d.currentClockSource) {
                    PutClockSource(out, d, s, call.Misbehaves(kMisbehaveStrings));
                    return 0;
                }
            // A current id that is none of the listed sources (a scenario may say so).
            out.id = d.currentClockSource;
            return d.clockSources.empty() ? kSimNotFound : 0;
        });
}

SIM_EXPORT StatusCode KORVELINE_CALL KORVELINE_SetCurrentClockSource(DeviceHandle device,
                                                                     std::uint32_t clockSourceId) {
    SimCall call("KORVELINE_SetCurrentClockSource", device, clockSourceId);
    return Run(call, [&] { return call.Driver().SetClockSource(device, clockSourceId); });
}

// --- stream formats ----------------------------------------------------------------------

SIM_EXPORT StatusCode KORVELINE_CALL KORVELINE_GetSupportedStreamFormats(DeviceHandle device,
                                                                         std::uint32_t direction,
                                                                         std::uint32_t maxCount,
                                                                         StreamFormatInfo* formats,
                                                                         std::uint32_t* count) {
    SimCall call("KORVELINE_GetSupportedStreamFormats", device, direction, maxCount, formats,
                 count);
    return RunOnDevice(call, device, [&](const SimDevice& d) {
        if (StatusCode status = DirectionArgument(direction))
            return status;
        const auto& list = d.Direction(direction).formats;
        return Counted(
            call, list.size(), maxCount, formats, count,
            [&](std::size_t i, StreamFormatInfo& info) { PutStreamFormat(info, list[i]); });
    });
}

SIM_EXPORT StatusCode KORVELINE_CALL KORVELINE_GetCurrentStreamFormat(DeviceHandle device,
                                                                      std::uint32_t direction,
                                                                      StreamFormatInfo* format) {
    SimCall call("KORVELINE_GetCurrentStreamFormat", device, direction, format);
    return RunOnDevice(call, device, [&](const SimDevice& d) -> StatusCode {
        if (StatusCode status = DirectionArgument(direction))
            return status;
        if (!format)
            return kSimInvalidParameter;
        const SimDirection& side = d.Direction(direction);
        if (side.formats.empty())
            return kSimNotFound;
        if (const SimStreamFormat* current = CurrentFormat(side))
            PutStreamFormat(*format, *current);
        else
            format->id = side.currentFormat;
        return Delivered(call, 0, *format);
    });
}

SIM_EXPORT StatusCode KORVELINE_CALL KORVELINE_SetCurrentStreamFormat(
    DeviceHandle device, std::uint32_t direction, std::uint32_t streamFormatId) {
    SimCall call("KORVELINE_SetCurrentStreamFormat", device, direction, streamFormatId);
    return Run(call,
               [&] { return call.Driver().SetStreamFormat(device, direction, streamFormatId); });
}

SIM_EXPORT StatusCode KORVELINE_CALL KORVELINE_GetStreamFormatSelectionMode(DeviceHandle device,
                                                                            std::uint32_t* mode) {
    SimCall call("KORVELINE_GetStreamFormatSelectionMode", device, mode);
    return RunOnDeviceInto(call, device, mode, DeviceValue(&SimDevice::formatSelectionMode));
}

// --- channels, volume and mute -----------------------------------------------------------

SIM_EXPORT StatusCode KORVELINE_CALL KORVELINE_GetChannelInfo(DeviceHandle device,
                                                              std::uint32_t direction,
                                                              std::uint32_t channel,
                                                              ChannelInfo* info) {
    SimCall call("KORVELINE_GetChannelInfo", device, direction, channel, info);
    return RunOnChannelInto(
        call, device, direction, channel, info, [&](const SimChannel* c, ChannelInfo& out) {
            PutText(out.name, c ? c->name : std::wstring(), call.Misbehaves(kMisbehaveStrings));
            return 0;
        });
}

SIM_EXPORT StatusCode KORVELINE_CALL KORVELINE_GetVolumeMuteInfo(DeviceHandle device,
                                                                 std::uint32_t direction,
                                                                 std::uint32_t channel,
                                                                 VolumeMuteInfo* info) {
    SimCall call("KORVELINE_GetVolumeMuteInfo", device, direction, channel, info);
    return RunOnChannelInto(call, device, direction, channel, info,
                            [](const SimChannel* c, VolumeMuteInfo& out) {
                                out.flags = 0;
                                if (c && c->hasVolume) {
                                    out.flags |= kVolumeMuteFlagHasVolume;
                                    out.minimumVolume = c->minimum;
                                    out.maximumVolume = c->maximum;
                                    out.resolution = c->resolution;
                                }
                                if (c && c->hasMute)
                                    out.flags |= kVolumeMuteFlagHasMute;
                                return 0;
                            });
}

SIM_EXPORT StatusCode KORVELINE_CALL KORVELINE_GetVolume(DeviceHandle device,
                                                         std::uint32_t direction,
                                                         std::uint32_t channel,
                                                         std::int16_t* volume) {
    SimCall call("KORVELINE_GetVolume", device, direction, channel, volume);
    return RunOnChannelInto(call, device, direction, channel, volume,
                            [](const SimChannel* c, std::int16_t& out) -> StatusCode {
                                if (!c || !c->hasVolume)
                                    return kSimNotSupported;
                                out = c->volume;
                                return 0;
                            });
}

SIM_EXPORT StatusCode KORVELINE_CALL KORVELINE_SetVolume(DeviceHandle device,
                                                         std::uint32_t direction,
                                                         std::uint32_t channel,
                                                         std::int16_t volume) {
    SimCall call("KORVELINE_SetVolume", device, direction, channel, volume);
    return Run(call, [&] { return call.Driver().SetVolume(device, direction, channel, volume); });
}

SIM_EXPORT StatusCode KORVELINE_CALL KORVELINE_GetMute(DeviceHandle device, std::uint32_t direction,
                                                       std::uint32_t channel, std::uint32_t* mute) {
    SimCall call("KORVELINE_GetMute", device, direction, channel, mute);
    return RunOnChannelInto(call, device, direction, channel, mute,
                            [](const SimChannel* c, std::uint32_t& out) -> StatusCode {
                                if (!c || !c->hasMute)
                                    return kSimNotSupported;
                                out = c->muted ? 1 : 0;
                                return 0;
                            });
}

SIM_EXPORT StatusCode KORVELINE_CALL KORVELINE_SetMute(DeviceHandle device, std::uint32_t direction,
                                                       std::uint32_t channel, std::uint8_t mute) {
    SimCall call("KORVELINE_SetMute", device, direction, channel, mute);
    return Run(call, [&] {
        if (mute > 1)
            return kSimInvalidParameter;
        return call.Driver().SetMute(device, direction, channel, mute == 1);
    });
}

// --- clients and streaming mode ----------------------------------------------------------

SIM_EXPORT StatusCode KORVELINE_CALL KORVELINE_GetClientInfo(DeviceHandle device,
                                                             std::uint32_t* streamingState,
                                                             std::uint32_t* wdmClients,
                                                             std::uint32_t* asioClients) {
    SimCall call("KORVELINE_GetClientInfo", device, streamingState, wdmClients, asioClients);
    // Every out pointer is optional.
    return RunOnDevice(call, device, [&](const SimDevice& d) {
        if (streamingState)
            *streamingState = d.streamingState;
        if (wdmClients)
            *wdmClients = d.wdmClients;
        if (asioClients)
            *asioClients = d.asioClients;
        for (std::uint32_t* out : {streamingState, wdmClients, asioClients})
            if (out)
                Delivered(call, 0, *out);
        return 0;
    });
}

SIM_EXPORT StatusCode KORVELINE_CALL KORVELINE_GetDeviceStreamingMode(DeviceHandle device,
                                                                      std::uint32_t* mode) {
    SimCall call("KORVELINE_GetDeviceStreamingMode", device, mode);
    return RunOnDeviceInto(call, device, mode, DeviceValue(&SimDevice::streamingMode));
}

SIM_EXPORT StatusCode KORVELINE_CALL KORVELINE_SetDeviceStreamingMode(DeviceHandle device,
                                                                      std::uint32_t mode,
                                                                      std::uint32_t apply) {
    SimCall call("KORVELINE_SetDeviceStreamingMode", device, mode, apply);
    return Run(call, [&] {
        if (apply != 1)
            return kSimInvalidParameter;
        return call.Driver().SetStreamingMode(device, mode);
    });
}

// --- sound device profiles ---------------------------------------------------------------

SIM_EXPORT StatusCode KORVELINE_CALL KORVELINE_GetExtendedInfo(DeviceHandle device,
                                                               std::uint32_t requestCode,
                                                               const void* in, std::uint32_t inSize,
                                                               void* out, std::uint32_t outSize,
                                                               std::uint32_t* bytesReturned) {
    SimCall call("KORVELINE_GetExtendedInfo", device, requestCode, in, inSize, out, outSize,
                 bytesReturned);
    return RunOnDevice(call, device, [&](const SimDevice& d) -> StatusCode {
        if (!in || inSize < sizeof(std::uint32_t) || !bytesReturned || (outSize && !out))
            return kSimInvalidParameter;
        std::uint32_t value;
        std::memcpy(&value, in, sizeof value);
        bool unterminated = call.Misbehaves(kMisbehaveStrings);

        const std::vector<SimProfile>* profiles = nullptr;
        const std::wstring* current = nullptr;
        switch (requestCode) {
        case kExtendedInfoSoundDeviceProfiles:
        case kExtendedInfoCurrentSoundDeviceProfile: {
            const SimStreamFormat* format = FindFormat(d, value);
            if (!format)
                return kSimNotFound;
            profiles = &format->profiles;
            current = &format->currentProfile;
            break;
        }
        case kExtendedInfoVirtualSoundDeviceProfiles:
        case kExtendedInfoCurrentVirtualSoundDeviceProfile:
            if (StatusCode status = DirectionArgument(value))
                return status;
            profiles = &d.Direction(value).virtualProfiles;
            current = &d.Direction(value).currentVirtualProfile;
            break;
        default:
            return kSimNotSupported;
        }

        auto* elements = static_cast<SoundDeviceProfileInfo*>(out);
        std::uint32_t room = outSize / sizeof(SoundDeviceProfileInfo);
        if (requestCode == kExtendedInfoSoundDeviceProfiles ||
            requestCode == kExtendedInfoVirtualSoundDeviceProfiles) {
            std::uint32_t count = 0;
            StatusCode status = Counted(call, profiles->size(), room, elements, &count,
                                        [&](std::size_t i, SoundDeviceProfileInfo& info) {
                                            PutProfile(info, (*profiles)[i], unterminated);
                                        });
            *bytesReturned = count * static_cast<std::uint32_t>(sizeof(SoundDeviceProfileInfo));
            return status;
        }
        const SimProfile* profile = FindProfile(*profiles, *current);
        if (!profile)
            return kSimNotFound;
        if (room == 0)
            return kSimBufferTooSmall;
        PutProfile(elements[0], *profile, unterminated);
        *bytesReturned = sizeof(SoundDeviceProfileInfo);
        return Delivered(call, 0, elements[0]);
    });
}

SIM_EXPORT StatusCode KORVELINE_CALL KORVELINE_SetSoundDeviceProfile(
    DeviceHandle device, const SoundDeviceProfileRequest* request, std::uint32_t apply) {
    SimCall call("KORVELINE_SetSoundDeviceProfile", device, request, apply);
    return Run(call, [&] {
        std::wstring id;
        if (!request || apply != 1 || !RequestProfileId(*request, id))
            return kSimInvalidParameter;
        return call.Driver().SetProfile(device, request->selector, id);
    });
}

SIM_EXPORT StatusCode KORVELINE_CALL KORVELINE_SetVirtualSoundDeviceProfile(
    DeviceHandle device, const SoundDeviceProfileRequest* request, std::uint32_t apply) {
    SimCall call("KORVELINE_SetVirtualSoundDeviceProfile", device, request, apply);
    return Run(call, [&] {
        std::wstring id;
        if (!request || apply != 1 || !RequestProfileId(*request, id))
            return kSimInvalidParameter;
        return call.Driver().SetVirtualProfile(device, request->selector, id);
    });
}

// --- ASIO --------------------------------------------------------------------------------

SIM_EXPORT StatusCode KORVELINE_CALL KORVELINE_GetASIOInstanceCount(std::uint32_t* count) {
    SimCall call("KORVELINE_GetASIOInstanceCount", count);
    return RunInto(call, count, [&](std::uint32_t& out) {
        out =
            static_cast<std::uint32_t>(call.Listed(call.Driver().Scenario().asioInstances.size()));
        return Delivered(call, 0, out);
    });
}

SIM_EXPORT StatusCode KORVELINE_CALL
KORVELINE_GetASIOInstanceDetails(std::uint32_t instanceIndex, AsioInstanceDetails* details) {
    SimCall call("KORVELINE_GetASIOInstanceDetails", instanceIndex, details);
    return Run(call, [&]() -> StatusCode {
        const auto& instances = call.Driver().Scenario().asioInstances;
        if (instanceIndex >= instances.size())
            return kSimNotFound;
        if (!details)
            return kSimInvalidParameter;
        details->instanceNumber = instances[instanceIndex].number;
        PutText(details->name, instances[instanceIndex].name, call.Misbehaves(kMisbehaveStrings));
        return Delivered(call, 0, *details);
    });
}

SIM_EXPORT StatusCode KORVELINE_CALL KORVELINE_GetASIOInstanceInfo(std::uint32_t instance,
                                                                   AsioInstanceInfo* info) {
    SimCall call("KORVELINE_GetASIOInstanceInfo", instance, info);
    return Run(call, [&]() -> StatusCode {
        const SimAsioInstance* asio = call.Driver().FindAsio(instance);
        if (!asio)
            return kSimNotFound;
        if (!info)
            return kSimInvalidParameter;
        const SimDevice* current = call.Driver().AsioCurrentDevice(*asio);
        std::uint32_t buffer = asio->preferredBufferSize;
        info->sampleRate = current ? SimDriver::EffectiveSampleRate(*current) : 0;
        info->bufferSizeCookie = asio->cookie;
        info->inUse = current && current->asioClients ? 1 : 0;
        info->streamFlags = info->inUse && asio->dsd ? kAsioStreamFlagDsd : 0;
        info->options = asio->options;
        info->inputLatency = buffer + asio->inputLatencyExtra;
        // Safe mode adds one buffer on the output side.
        info->outputLatency =
            buffer + asio->outputLatencyExtra + (asio->options & kAsioOptionSafeMode ? buffer : 0);
        info->preferredBufferSize = buffer;
        std::uint32_t count = 0;
        PutCounted(call.Listed(asio->bufferSizes.size()), kMaxAsioBufferSizes, info->bufferSizes,
                   &count, call.Misbehaves(kMisbehaveCounts),
                   [&](std::size_t i, std::uint32_t& size) { size = asio->bufferSizes[i]; });
        info->bufferSizeCount = count;
        return Delivered(call, 0, *info);
    });
}

SIM_EXPORT StatusCode KORVELINE_CALL KORVELINE_SetASIOBufferPreferredSize(std::uint32_t instance,
                                                                          std::uint32_t cookie,
                                                                          std::uint32_t bufferSize,
                                                                          std::uint32_t options) {
    SimCall call("KORVELINE_SetASIOBufferPreferredSize", instance, cookie, bufferSize, options);
    return Run(call,
               [&] { return call.Driver().SetAsioBuffer(instance, cookie, bufferSize, options); });
}

SIM_EXPORT StatusCode KORVELINE_CALL KORVELINE_GetASIORelation(DeviceHandle device,
                                                               std::uint32_t* instance) {
    SimCall call("KORVELINE_GetASIORelation", device, instance);
    return RunOnDeviceInto(call, device, instance, DeviceValue(&SimDevice::asioRelation));
}

SIM_EXPORT StatusCode KORVELINE_CALL KORVELINE_GetASIOInstanceAllowed(DeviceHandle device,
                                                                      std::uint32_t instance,
                                                                      std::uint32_t* allowed) {
    SimCall call("KORVELINE_GetASIOInstanceAllowed", device, instance, allowed);
    return RunOnDeviceInto(
        call, device, allowed, [&](const SimDevice& d, std::uint32_t& out) -> StatusCode {
            if (!call.Driver().FindAsio(instance))
                return kSimNotFound;
            const auto& list = d.asioAllowed;
            out = std::find(list.begin(), list.end(), instance) != list.end() ? 1 : 0;
            return 0;
        });
}

SIM_EXPORT StatusCode KORVELINE_CALL KORVELINE_SetPreferredASIODevice(DeviceHandle device,
                                                                      std::uint32_t instance) {
    SimCall call("KORVELINE_SetPreferredASIODevice", device, instance);
    return Run(call, [&] { return call.Driver().SetPreferredAsioDevice(device, instance); });
}

SIM_EXPORT StatusCode KORVELINE_CALL KORVELINE_ClearPreferredASIODevice(std::uint32_t instance) {
    SimCall call("KORVELINE_ClearPreferredASIODevice", instance);
    return Run(call, [&] { return call.Driver().ClearPreferredAsioDevice(instance); });
}

// --- entry points the simulator does not model -------------------------------------------
// They keep the signatures of driver/DriverApi.h, are logged without arguments and
// answer kSimNotSupported. SIM_NOT_MODELLED names each one once, so the logged name is
// always the exported one.

namespace {
StatusCode NotModelled(const char* name) {
    SimCall call(name);
    return Run(call, [] { return kSimNotSupported; });
}
} // namespace

#define SIM_NOT_MODELLED(name, ...)                                                                \
    SIM_EXPORT StatusCode KORVELINE_CALL name(__VA_ARGS__) {                                       \
        return NotModelled(#name);                                                                 \
    }

SIM_NOT_MODELLED(KORVELINE_OpenDeviceByChannelIdString, const wchar_t*, DeviceHandle*)
SIM_NOT_MODELLED(KORVELINE_GetDeviceInstanceIdString, DeviceHandle, wchar_t*, std::uint32_t)
SIM_NOT_MODELLED(KORVELINE_GetDeviceContainerIdString, DeviceHandle, wchar_t*, std::uint32_t)
SIM_NOT_MODELLED(KORVELINE_GetChannelIndexForChannelIdString, DeviceHandle, const wchar_t*,
                 std::uint32_t*, std::uint32_t*)
SIM_NOT_MODELLED(KORVELINE_GetChannelIdString, DeviceHandle, std::uint32_t, std::uint32_t, wchar_t*,
                 std::uint32_t)
SIM_NOT_MODELLED(KORVELINE_GetClockSourceStatus, DeviceHandle, std::uint32_t, ClockSourceInfo*)
SIM_NOT_MODELLED(KORVELINE_GetChannelProperties, DeviceHandle, std::uint32_t, std::uint32_t, void*,
                 std::uint32_t, std::uint32_t*)
SIM_NOT_MODELLED(KORVELINE_GetUsbConfigDescriptor, DeviceHandle, void*, std::uint32_t,
                 std::uint32_t*)
SIM_NOT_MODELLED(KORVELINE_GetUsbStringDescriptorString, DeviceHandle, std::uint32_t, std::uint32_t,
                 wchar_t*, std::uint32_t)
SIM_NOT_MODELLED(KORVELINE_AudioControlRequestSet, DeviceHandle, std::uint32_t, std::uint32_t,
                 std::uint32_t, std::uint32_t, const void*, std::uint32_t)
SIM_NOT_MODELLED(KORVELINE_AudioControlRequestGet, DeviceHandle, std::uint32_t, std::uint32_t,
                 std::uint32_t, std::uint32_t, void*, std::uint32_t, std::uint32_t*)
SIM_NOT_MODELLED(KORVELINE_ClassVendorRequestOut, DeviceHandle, std::uint32_t, std::uint32_t,
                 std::uint32_t, std::uint32_t, const void*, std::uint32_t)
SIM_NOT_MODELLED(KORVELINE_ClassVendorRequestIn, DeviceHandle, std::uint32_t, std::uint32_t,
                 std::uint32_t, std::uint32_t, void*, std::uint32_t, std::uint32_t*)
SIM_NOT_MODELLED(KORVELINE_LoadFirmwareImageFromBuffer, const void*, std::uint32_t)
SIM_NOT_MODELLED(KORVELINE_LoadFirmwareImageFromFile, const wchar_t*)
SIM_NOT_MODELLED(KORVELINE_GetFirmwareImageSize, std::uint32_t*)
SIM_NOT_MODELLED(KORVELINE_UnloadFirmwareImage)
SIM_NOT_MODELLED(KORVELINE_GetFirmwareImage, void*, std::uint32_t, std::uint32_t*)
SIM_NOT_MODELLED(KORVELINE_StartDfuDownload, DeviceHandle)
SIM_NOT_MODELLED(KORVELINE_StartDfuUpload, DeviceHandle)
SIM_NOT_MODELLED(KORVELINE_StartDfuRevertToFactoryImage, DeviceHandle)
SIM_NOT_MODELLED(KORVELINE_GetDfuStatus, DeviceHandle, std::uint32_t*, std::uint32_t*,
                 std::uint32_t*, StatusCode*)
SIM_NOT_MODELLED(KORVELINE_EndDfuProc, DeviceHandle)
SIM_NOT_MODELLED(KORVELINE_GetDspProperty, DeviceHandle, std::uint32_t, void*, std::uint32_t,
                 std::uint32_t*)
SIM_NOT_MODELLED(KORVELINE_SetDspProperty, DeviceHandle, std::uint32_t, const void*, std::uint32_t)
SIM_NOT_MODELLED(KORVELINE_QueryDriverStatistics, void*, std::uint32_t, std::uint32_t*)
SIM_NOT_MODELLED(KORVELINE_ResetDriverStatistics)
SIM_NOT_MODELLED(KORVELINE_QueryDeviceStatistics, DeviceHandle, void*, std::uint32_t,
                 std::uint32_t*)
SIM_NOT_MODELLED(KORVELINE_SetHwChannelHiddenFlags, DeviceHandle, std::uint32_t, std::uint32_t,
                 std::uint32_t)
SIM_NOT_MODELLED(KORVELINE_GetCustomString, DeviceHandle, std::uint32_t, wchar_t*, std::uint32_t)
SIM_NOT_MODELLED(KORVELINE_GetStreamChannelCount, DeviceHandle, std::uint32_t, std::uint32_t*)
SIM_NOT_MODELLED(KORVELINE_GetStreamChannelIds, DeviceHandle, std::uint32_t, std::uint32_t,
                 std::uint32_t*, std::uint32_t*)
SIM_NOT_MODELLED(KORVELINE_EnablePeakMeters, DeviceHandle)
SIM_NOT_MODELLED(KORVELINE_DisablePeakMeters, DeviceHandle)
SIM_NOT_MODELLED(KORVELINE_GetPeakMeters, DeviceHandle, std::uint32_t, std::uint32_t,
                 std::uint32_t*, std::uint32_t*)

#undef SIM_NOT_MODELLED

// Status texts: the simulator has none of its own and gives the empty text.
SIM_EXPORT const wchar_t* KORVELINE_CALL KORVELINE_StatusCodeStringW(StatusCode) {
    SimCall call("KORVELINE_StatusCodeStringW");
    return L"";
}
SIM_EXPORT const char* KORVELINE_CALL KORVELINE_StatusCodeStringA(StatusCode) {
    SimCall call("KORVELINE_StatusCodeStringA");
    return "";
}

// Every entry point of the table exists here with the binding's exact signature.
#define SIM_CHECK_SIGNATURE(row, name, gate)                                                       \
    static_assert(std::is_same_v<decltype(&name), PFN_##name>, #name " signature");
KORVELINE_ENTRY_POINTS(SIM_CHECK_SIGNATURE)
#undef SIM_CHECK_SIGNATURE
