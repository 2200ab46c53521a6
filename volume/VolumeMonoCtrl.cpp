#include "volume/VolumeMonoCtrl.h"

#include "config/UiTextIds.h"

VolumeMonoCtrl::VolumeMonoCtrl(PageHost& host, bool input, std::uint32_t channel,
                               const VolumeMuteInfo& info)
    : VolumeCtrlBase(host, input), channel_(channel), info_(info) {}

void VolumeMonoCtrl::Destroy() {
    if (Hwnd() != nullptr)
        DestroyWindow(Hwnd());
}

LRESULT VolumeMonoCtrl::OnInitDialog(UINT, WPARAM, LPARAM, bool&) {
    slider_ = GetDlgItem(Hwnd(), kSlider);
    level_ = GetDlgItem(Hwnd(), kLevel);
    muteButton_ = GetDlgItem(Hwnd(), kMuteButton);
    zeroDbButton_ = GetDlgItem(Hwnd(), kZeroDbButton);
    LoadBitmaps(
        {kBitmapMuted, kBitmapNotMuted, kBitmapNoMute, kBitmapZeroDb, kBitmapZeroDbDisabled});
    const std::wstring name = GetChannelName(channel_);
    SetDlgItemTextW(Hwnd(), kName, name.c_str());
    NameSlider(slider_, GetDlgItem(Hwnd(), kSliderLabel), name);
    NameButton(muteButton_, VOLUME_DIALOG_MUTE_BUTTON_NAME, name);
    NameButton(zeroDbButton_, VOLUME_DIALOG_ZERO_DB_BUTTON_NAME, name);
    if (Host().OpenedDevice() != 0) {
        hasVolume_ = (info_.flags & kVolumeMuteFlagHasVolume) != 0;
        hasMute_ = (info_.flags & kVolumeMuteFlagHasMute) != 0;
        if (hasVolume_) {
            mapping_ = LevelMappingOf(info_);
            SetUpSlider(slider_, mapping_);
        }
    }
    SetInitialized();
    Update();
    return FALSE;
}

void VolumeMonoCtrl::Update() {
    if (!IsInitialized())
        return;
    ReadMute();
    GetVolume(channel_, volume_, hasVolume_);
    ShowState();
}

void VolumeMonoCtrl::ReadMute() {
    bool muted = false;
    if (GetMute(channel_, muted, hasMute_) == 0)
        muted_ = muted;
}

void VolumeMonoCtrl::ShowState() {
    ShowOnSlider(slider_, mapping_, volume_);
    ShowLevel(volume_, level_);
    UpdateButtons();
}

void VolumeMonoCtrl::UpdateButtons() {
    ShowMuteButton(muteButton_, hasMute_, muted_);
    ShowZeroDbButton(zeroDbButton_, hasVolume_ && !muted_ && volume_ != 0);
    EnableWindow(slider_, hasVolume_ && !muted_);
    EnableWindow(level_, hasVolume_ && !muted_);
}

LRESULT VolumeMonoCtrl::OnSliderMoved(UINT, WPARAM request, LPARAM, bool&) {
    if (!IsSliderMove(request))
        return 0;
    const std::int16_t volume = MapLevel(mapping_, SliderPosition(slider_));
    // A position that keeps the volume (the thumb's release, a nudge within one step)
    // writes nothing.
    if (volume == volume_)
        return 0;
    volume_ = volume;
    SetVolume(channel_, volume_, hasVolume_);
    ShowLevel(volume_, level_);
    UpdateButtons();
    return 0;
}

LRESULT VolumeMonoCtrl::OnZeroDbClicked(WORD, WORD, HWND, bool&) {
    if (muted_ || volume_ == 0)
        return 0;
    volume_ = 0;
    SetVolume(channel_, 0, hasVolume_);
    GetVolume(channel_, volume_, hasVolume_);
    ShowState();
    return 0;
}

LRESULT VolumeMonoCtrl::OnMuteClicked(WORD, WORD, HWND, bool&) {
    if (!hasMute_)
        return 0;
    SetMute(channel_, !muted_, hasMute_);
    ReadMute();
    ShowState();
    return 0;
}
