#include "app/PageAutoTests.h"

#include "driver/DriverBuffers.h"
#include "driver/DriverQueries.h"

#include <algorithm>
#include <optional>

namespace {

std::optional<std::uint32_t> PanelOptions(const KorvelineApiDll& api, DeviceHandle device) {
    ControlPanelOptions options{};
    if (CallEntryPoint(api.KORVELINE_GetControlPanelOptions, device, &options) != 0)
        return std::nullopt;
    return options.options;
}

std::optional<std::uint32_t> AsioInstanceCount(const KorvelineApiDll& api) {
    std::uint32_t count = 0;
    if (CallEntryPoint(api.KORVELINE_GetASIOInstanceCount, &count) != 0)
        return std::nullopt;
    return count;
}

bool HasFormatsWithDifferentChannelCounts(const KorvelineApiDll& api, DeviceHandle device,
                                          std::uint32_t direction) {
    // Only what is delivered counts, not the call's status: a partial list (more formats
    // than the 32 asked for) keeps the page.
    CountedArray<StreamFormatInfo, kMaxStreamFormats> formats;
    CallEntryPoint(api.KORVELINE_GetSupportedStreamFormats, device, direction, formats.Capacity(),
                   formats.Data(), formats.CountOut());
    const auto delivered = formats.Delivered();
    return delivered.size() >= 2 &&
           std::any_of(delivered.begin(), delivered.end(), [&](const StreamFormatInfo& format) {
               return format.channelCount != delivered.front().channelCount;
           });
}

} // namespace

bool StreamFormatsAutoTest(const KorvelineApiDll& api, DeviceHandle device) {
    return HasFormatsWithDifferentChannelCounts(api, device, kDirectionInput) ||
           HasFormatsWithDifferentChannelCounts(api, device, kDirectionOutput);
}

bool SoundDeviceProfilesAutoTest(const KorvelineApiDll& api, DeviceHandle device) {
    const auto options = PanelOptions(api, device);
    return options && (*options & kControlPanelOptionSoundDeviceProfilesPage) != 0;
}

bool SampleRateAutoTest(const KorvelineApiDll& api, DeviceHandle device) {
    const auto options = PanelOptions(api, device);
    return options && (*options & kControlPanelOptionSampleRatePage) != 0;
}

bool ClockSourceAutoTest(const KorvelineApiDll& api, DeviceHandle device) {
    CountedArray<ClockSourceInfo, kMaxClockSources> sources;
    CallEntryPoint(api.KORVELINE_GetSupportedClockSources, device, sources.Capacity(),
                   sources.Data(), sources.CountOut());
    return sources.Delivered().size() > 1;
}

bool AsioDeviceAutoTest(const KorvelineApiDll& api, DeviceHandle) {
    const auto instances = AsioInstanceCount(api);
    if (instances == 0u)
        return false;
    const std::uint32_t devices = api.KORVELINE_GetDeviceCount ? api.KORVELINE_GetDeviceCount() : 0;
    return devices > 1 || (instances && *instances > 1);
}

bool BufferSettingsAutoTest(const KorvelineApiDll& api, DeviceHandle) {
    const auto instances = AsioInstanceCount(api);
    return instances && *instances >= 1;
}

bool VolumeControlAutoTest(const KorvelineApiDll& api, DeviceHandle device) {
    for (const std::uint32_t direction : {kDirectionInput, kDirectionOutput}) {
        // Channel 0 is the master channel, so the channels run from 0 to the count.
        if (HasVolumeControls(api, device, direction, GetChannelCount(api, device, direction) + 1))
            return true;
    }
    return false;
}
