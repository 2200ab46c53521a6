#include "volume/VolumeCtrlBase.h"

#include "config/UiTextIds.h"
#include "driver/DriverBuffers.h"
#include "framework/DpiBitmap.h"
#include "framework/Module.h"

#include <commctrl.h>

#include <algorithm>

namespace {

// One value of a channel, 0 while no device is open or the control is known to be missing;
// a failed read marks it missing.
template <typename Read, typename Value>
StatusCode ReadChannelValue(const PageHost& host, Read read, std::uint32_t direction,
                            std::uint32_t channel, Value& value, bool& available) {
    value = 0;
    const DeviceHandle device = host.OpenedDevice();
    if (device == 0 || !available)
        return 0;
    const StatusCode status = CallEntryPoint(read, device, direction, channel, &value);
    if (status != 0) {
        available = false;
        value = 0;
    }
    return status;
}

// A control's name for screen readers: `text` with ${ChannelName} filled in.
std::wstring ControlName(const UiTextHandle& text, const std::wstring& channelName) {
    return SubstitutePlaceholders(GetUiText(text), {{L"${ChannelName}", channelName}});
}

} // namespace

std::uint32_t VolumeCtrlBase::Direction() const {
    return input_ ? kDirectionInput : kDirectionOutput;
}

StatusCode VolumeCtrlBase::GetMute(std::uint32_t channel, bool& muted, bool& hasMute) const {
    std::uint32_t value = 0;
    const StatusCode status = ReadChannelValue(host_, host_.Api().KORVELINE_GetMute, Direction(),
                                               channel, value, hasMute);
    muted = value != 0;
    return status;
}

StatusCode VolumeCtrlBase::GetVolume(std::uint32_t channel, std::int16_t& volume,
                                     bool& hasVolume) const {
    return ReadChannelValue(host_, host_.Api().KORVELINE_GetVolume, Direction(), channel, volume,
                            hasVolume);
}

StatusCode VolumeCtrlBase::SetMute(std::uint32_t channel, bool mute, bool& hasMute) const {
    const DeviceHandle device = host_.OpenedDevice();
    if (device == 0 || !hasMute)
        return 0;
    const StatusCode status = CallEntryPoint(host_.Api().KORVELINE_SetMute, device, Direction(),
                                             channel, static_cast<std::uint8_t>(mute ? 1 : 0));
    if (status != 0) {
        hasMute = false;
        host_.ReportError(L"SetMute", L"KORVELINE_SetMute", status);
    }
    return status;
}

StatusCode VolumeCtrlBase::SetVolume(std::uint32_t channel, std::int16_t volume,
                                     bool& hasVolume) const {
    const DeviceHandle device = host_.OpenedDevice();
    if (device == 0 || !hasVolume)
        return 0;
    const StatusCode status =
        CallEntryPoint(host_.Api().KORVELINE_SetVolume, device, Direction(), channel, volume);
    if (status != 0) {
        // Cleared before the box comes up, so that what is dispatched meanwhile cannot
        // write again.
        hasVolume = false;
        host_.ReportError(L"SetVolume", L"KORVELINE_SetVolume", status);
    }
    return status;
}

std::wstring VolumeCtrlBase::GetChannelName(std::uint32_t channel) const {
    std::wstring name = GetUiText(ChannelNameText(Direction(), channel));
    const DeviceHandle device = host_.OpenedDevice();
    if (name.empty() && device != 0 && channel != 0) {
        ChannelInfo info{};
        if (CallEntryPoint(host_.Api().KORVELINE_GetChannelInfo, device, Direction(), channel,
                           &info) == 0)
            name = DriverString(info.name);
    }
    if (name.empty())
        name = FormatNumbers(L"%ls %u", input_ ? L"Input" : L"Output", channel);
    return name;
}

void VolumeCtrlBase::ShowLevel(std::int16_t volume, HWND readOut) {
    SetWindowTextW(readOut, LevelText(volume).c_str());
}

void VolumeCtrlBase::SetUpSlider(HWND slider, const LevelMapping& mapping) {
    SendMessageW(slider, TBM_SETRANGEMIN, FALSE, mapping.minimum);
    SendMessageW(slider, TBM_SETRANGEMAX, TRUE, mapping.maximum);
    const int line = mapping.step != 0 ? mapping.step : 256;
    SendMessageW(slider, TBM_SETLINESIZE, 0, line);
    SendMessageW(slider, TBM_SETPAGESIZE, 0, 6 * line);
}

void VolumeCtrlBase::ShowOnSlider(HWND slider, const LevelMapping& mapping, std::int16_t volume) {
    SendMessageW(slider, TBM_SETPOS, TRUE, MapLevel(mapping, volume));
}

int VolumeCtrlBase::SliderPosition(HWND slider) {
    return static_cast<int>(SendMessageW(slider, TBM_GETPOS, 0, 0));
}

bool VolumeCtrlBase::IsSliderMove(WPARAM scrollRequest) {
    return LOWORD(scrollRequest) <= TB_BOTTOM;
}

void VolumeCtrlBase::LoadBitmaps(std::initializer_list<UINT> ids) {
    for (const UINT id : ids) {
        if (bitmaps_.count(id) != 0)
            continue;
        const HBITMAP bitmap = LoadBitmapForDpi(GetModule().Instance(), id, host_.ScreenDpi());
        if (bitmap != nullptr)
            bitmaps_[id].Reset(bitmap);
    }
}

void VolumeCtrlBase::ShowButton(HWND button, bool enabled, UINT bitmapId) const {
    EnableWindow(button, enabled);
    const auto found = bitmaps_.find(bitmapId);
    const HBITMAP bitmap = found != bitmaps_.end() ? found->second.Get() : nullptr;
    if (reinterpret_cast<HBITMAP>(SendMessageW(button, BM_GETIMAGE, IMAGE_BITMAP, 0)) != bitmap)
        SendMessageW(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
}

void VolumeCtrlBase::ShowMuteButton(HWND button, bool hasMute, bool muted) const {
    ShowButton(button, hasMute, !hasMute ? kBitmapNoMute : muted ? kBitmapMuted : kBitmapNotMuted);
    const WPARAM state = hasMute && muted ? BST_CHECKED : BST_UNCHECKED;
    if (SendMessageW(button, BM_GETCHECK, 0, 0) != static_cast<LRESULT>(state))
        SendMessageW(button, BM_SETCHECK, state, 0);
}

void VolumeCtrlBase::ShowZeroDbButton(HWND button, bool enabled) const {
    ShowButton(button, enabled, enabled ? kBitmapZeroDb : kBitmapZeroDbDisabled);
}

void VolumeCtrlBase::NameButton(HWND button, const UiTextHandle& text,
                                const std::wstring& channelName) {
    const std::wstring name = ControlName(text, channelName);
    SetWindowTextW(button, name.c_str());
    if (toolTips_ == nullptr)
        toolTips_ =
            CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                            GetParent(button), nullptr, GetModule().Instance(), nullptr);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(button);
    tool.uId = reinterpret_cast<UINT_PTR>(button);
    tool.lpszText = const_cast<wchar_t*>(name.c_str());
    SendMessageW(toolTips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void VolumeCtrlBase::NameSlider(HWND slider, HWND label, const std::wstring& channelName) {
    const std::wstring name = ControlName(VOLUME_DIALOG_SLIDER_NAME, channelName);
    SetWindowTextW(slider, name.c_str());
    SetWindowTextW(label, name.c_str());
}
