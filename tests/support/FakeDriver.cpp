#include "tests/support/FakeDriver.h"

namespace {

FakeDriverState g_state;

StatusCode KORVELINE_CALL GetControlPanelOptions(DeviceHandle, ControlPanelOptions* options) {
    options->options = g_state.panelOptions;
    return g_state.status;
}

StatusCode KORVELINE_CALL GetSupportedStreamFormats(DeviceHandle, std::uint32_t direction,
                                                    std::uint32_t maxCount,
                                                    StreamFormatInfo* formats,
                                                    std::uint32_t* count) {
    const auto& channels =
        direction == kDirectionInput ? g_state.inputChannels : g_state.outputChannels;
    for (std::uint32_t i = 0; i < channels.size() && i < maxCount; ++i)
        formats[i].channelCount = channels[i];
    *count = g_state.claimedFormatCount.value_or(static_cast<std::uint32_t>(channels.size()));
    return g_state.status;
}

StatusCode KORVELINE_CALL GetSupportedClockSources(DeviceHandle, std::uint32_t, ClockSourceInfo*,
                                                   std::uint32_t* count) {
    *count = g_state.clockSources;
    return g_state.status;
}

StatusCode KORVELINE_CALL GetASIOInstanceCount(std::uint32_t* count) {
    *count = g_state.asioInstances.value_or(0);
    return g_state.asioInstances ? 0 : 1;
}

std::uint32_t KORVELINE_CALL GetDeviceCount() {
    return g_state.devices;
}

StatusCode KORVELINE_CALL GetVolumeMuteInfo(DeviceHandle, std::uint32_t direction,
                                            std::uint32_t channel, VolumeMuteInfo* info) {
    g_state.volumeQueries.emplace_back(direction, channel);
    if (const auto found = g_state.channels.find({direction, channel});
        found != g_state.channels.end())
        *info = found->second;
    return g_state.status;
}

} // namespace

FakeDriver::FakeDriver() : state(g_state) {
    g_state = FakeDriverState{};
    api.KORVELINE_GetControlPanelOptions = GetControlPanelOptions;
    api.KORVELINE_GetSupportedStreamFormats = GetSupportedStreamFormats;
    api.KORVELINE_GetSupportedClockSources = GetSupportedClockSources;
    api.KORVELINE_GetASIOInstanceCount = GetASIOInstanceCount;
    api.KORVELINE_GetDeviceCount = GetDeviceCount;
    api.KORVELINE_GetVolumeMuteInfo = GetVolumeMuteInfo;
}

FakeDriver::~FakeDriver() {
    g_state = FakeDriverState{};
}
