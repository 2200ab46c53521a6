#include "driver/DriverQueries.h"

#include <algorithm>
#include <optional>

#include "driver/DriverBuffers.h"
#include "driver/UniqueDevice.h"

namespace {

using StreamFormatList = CountedArray<StreamFormatInfo, kMaxStreamFormats>;

// The direction's formats; nothing on any failure, a partial list included.
std::optional<StreamFormatList> ReadStreamFormats(const KorvelineApiDll& api, DeviceHandle device,
                                                  std::uint32_t direction) {
    StreamFormatList formats;
    if (CallEntryPoint(api.KORVELINE_GetSupportedStreamFormats, device, direction,
                       formats.Capacity(), formats.Data(), formats.CountOut()) != 0)
        return std::nullopt;
    return formats;
}

} // namespace

std::uint32_t ListableDeviceCount(const KorvelineApiDll& api) {
    const std::uint32_t count = api.KORVELINE_GetDeviceCount ? api.KORVELINE_GetDeviceCount() : 0;
    if (count <= kMaxDeviceCount)
        return count;
    std::uint32_t opened = 0;
    for (UniqueDevice closedAtOnce(api); opened < kMaxDeviceCount; ++opened) {
        if (closedAtOnce.OpenByIndex(opened) != 0)
            break;
    }
    return opened;
}

std::uint32_t GetChannelCount(const KorvelineApiDll& api, DeviceHandle device,
                              std::uint32_t direction) {
    std::uint32_t channels = 0;
    if (const auto formats = ReadStreamFormats(api, device, direction)) {
        for (const StreamFormatInfo& format : formats->Delivered())
            channels = std::max(channels, format.channelCount);
    }
    return std::min(channels, kMaxChannelCount);
}

std::uint32_t StreamFormatCount(const KorvelineApiDll& api, DeviceHandle device,
                                std::uint32_t direction) {
    const auto formats = ReadStreamFormats(api, device, direction);
    return formats ? static_cast<std::uint32_t>(formats->Delivered().size()) : 0;
}

bool HasVolumeControls(const KorvelineApiDll& api, DeviceHandle device, std::uint32_t direction,
                       std::uint32_t channelCount) {
    for (std::uint32_t channel = 0; channel < channelCount; ++channel) {
        VolumeMuteInfo info{};
        const StatusCode status =
            CallEntryPoint(api.KORVELINE_GetVolumeMuteInfo, device, direction, channel, &info);
        if (status == 0 && (info.flags & (kVolumeMuteFlagHasVolume | kVolumeMuteFlagHasMute)) != 0)
            return true;
    }
    return false;
}
