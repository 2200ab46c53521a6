#include "volume/VolumeStereoCtrl.h"

#include "config/UiTextIds.h"

#include <commctrl.h>

VolumeStereoCtrl::VolumeStereoCtrl(PageHost& host, bool input, std::uint32_t pair,
                                   const VolumeMuteInfo& left, const VolumeMuteInfo& right)
    : VolumeCtrlBase(host, input), pair_(pair) {
    left_.channel = 2 * pair - 1;
    left_.info = left;
    right_.channel = 2 * pair;
    right_.info = right;
}

void VolumeStereoCtrl::Destroy() {
    if (Hwnd() != nullptr)
        DestroyWindow(Hwnd());
}

std::wstring VolumeStereoCtrl::PairName(std::wstring_view separator) const {
    std::wstring name = GetUiText(StereoChannelNameText(Direction(), pair_));
    if (name.empty())
        name = GetChannelName(left_.channel) + std::wstring(separator) +
               GetChannelName(right_.channel);
    return name;
}

LRESULT VolumeStereoCtrl::OnInitDialog(UINT, WPARAM, LPARAM, bool&) {
    left_.slider = GetDlgItem(Hwnd(), kLeftSlider);
    left_.level = GetDlgItem(Hwnd(), kLeftLevel);
    right_.slider = GetDlgItem(Hwnd(), kRightSlider);
    right_.level = GetDlgItem(Hwnd(), kRightLevel);
    muteButton_ = GetDlgItem(Hwnd(), kMuteButton);
    zeroDbButton_ = GetDlgItem(Hwnd(), kZeroDbButton);
    linkButton_ = GetDlgItem(Hwnd(), kLinkButton);
    LoadBitmaps({kBitmapMuted, kBitmapNotMuted, kBitmapNoMute, kBitmapLinked, kBitmapNotLinked,
                 kBitmapLinkedDisabled, kBitmapNotLinkedDisabled, kBitmapZeroDb,
                 kBitmapZeroDbDisabled});
    SetDlgItemTextW(Hwnd(), kName, PairName(L"\n").c_str());
    const std::wstring pairName = PairName(L" / ");
    NameSlider(left_.slider, GetDlgItem(Hwnd(), kLeftSliderLabel), GetChannelName(left_.channel));
    NameSlider(right_.slider, GetDlgItem(Hwnd(), kRightSliderLabel),
               GetChannelName(right_.channel));
    NameButton(linkButton_, VOLUME_DIALOG_LINK_BUTTON_NAME, pairName);
    NameButton(muteButton_, VOLUME_DIALOG_MUTE_BUTTON_NAME, pairName);
    NameButton(zeroDbButton_, VOLUME_DIALOG_ZERO_DB_BUTTON_NAME, pairName);
    hasMute_ = (left_.info.flags & kVolumeMuteFlagHasMute) != 0 &&
               (right_.info.flags & kVolumeMuteFlagHasMute) != 0;
    for (Side* side : {&left_, &right_}) {
        side->hasVolume = (side->info.flags & kVolumeMuteFlagHasVolume) != 0;
        if (side->hasVolume) {
            side->mapping = LevelMappingOf(side->info);
            SetUpSlider(side->slider, side->mapping);
        }
    }
    hasLink_ = left_.hasVolume && right_.hasVolume && left_.mapping == right_.mapping;
    linked_ = hasLink_;
    SetInitialized();
    Update();
    return FALSE;
}

void VolumeStereoCtrl::ShowState() {
    ShowOnSliders();
    ShowLevels();
    UpdateButtons();
}

void VolumeStereoCtrl::Update() {
    if (!IsInitialized())
        return;
    ReadMute();
    ReadVolumes();
    ShowState();
}

void VolumeStereoCtrl::ReadMute() {
    bool leftMuted = false;
    bool rightMuted = false;
    const StatusCode leftStatus = GetMute(left_.channel, leftMuted, hasMute_);
    const StatusCode rightStatus = GetMute(right_.channel, rightMuted, hasMute_);
    if (leftStatus == 0 && rightStatus == 0)
        muted_ = leftMuted && rightMuted;
}

StatusCode VolumeStereoCtrl::ReadVolumes() {
    const StatusCode leftStatus = GetVolume(left_.channel, left_.volume, left_.hasVolume);
    const StatusCode rightStatus = GetVolume(right_.channel, right_.volume, right_.hasVolume);
    if (left_.volume != right_.volume)
        linked_ = false;
    return leftStatus != 0 ? leftStatus : rightStatus;
}

void VolumeStereoCtrl::WriteVolumes() {
    SetVolume(left_.channel, left_.volume, left_.hasVolume);
    SetVolume(right_.channel, right_.volume, right_.hasVolume);
}

void VolumeStereoCtrl::ShowOnSliders() {
    ShowOnSlider(left_.slider, left_.mapping, left_.volume);
    ShowOnSlider(right_.slider, right_.mapping, right_.volume);
}

void VolumeStereoCtrl::ShowLevels() {
    ShowLevel(left_.volume, left_.level);
    ShowLevel(right_.volume, right_.level);
}

void VolumeStereoCtrl::UpdateButtons() {
    ShowMuteButton(muteButton_, hasMute_, muted_);
    if (!hasLink_ || muted_)
        ShowButton(linkButton_, false, linked_ ? kBitmapLinkedDisabled : kBitmapNotLinkedDisabled);
    else
        ShowButton(linkButton_, true, linked_ ? kBitmapLinked : kBitmapNotLinked);
    ShowZeroDbButton(zeroDbButton_, (left_.hasVolume || right_.hasVolume) && !muted_ &&
                                        (left_.volume != 0 || right_.volume != 0));
    for (const Side* side : {&left_, &right_}) {
        EnableWindow(side->slider, side->hasVolume && !muted_);
        EnableWindow(side->level, side->hasVolume && !muted_);
    }
}

LRESULT VolumeStereoCtrl::OnSliderMoved(UINT, WPARAM request, LPARAM slider, bool&) {
    if (!IsSliderMove(request))
        return 0;
    Side& moved = reinterpret_cast<HWND>(slider) == right_.slider ? right_ : left_;
    Side& other = &moved == &left_ ? right_ : left_;
    const int position = SliderPosition(moved.slider);
    const std::int16_t volume = MapLevel(moved.mapping, position);
    if (linked_)
        SendMessageW(other.slider, TBM_SETPOS, TRUE, position);
    // Each channel whose volume changed is written once; a position that keeps both (the
    // thumb's release, a nudge within one step) writes nothing.
    const bool movedChanged = volume != moved.volume;
    const bool otherChanged = linked_ && volume != other.volume;
    if (!movedChanged && !otherChanged)
        return 0;
    moved.volume = volume;
    if (linked_)
        other.volume = volume;
    if (movedChanged)
        SetVolume(moved.channel, moved.volume, moved.hasVolume);
    if (otherChanged)
        SetVolume(other.channel, other.volume, other.hasVolume);
    ShowLevels();
    UpdateButtons();
    return 0;
}

LRESULT VolumeStereoCtrl::OnLinkClicked(WORD, WORD, HWND, bool&) {
    if (!hasLink_ || muted_)
        return 0;
    linked_ = !linked_;
    if (linked_) {
        const int position = (SliderPosition(left_.slider) + SliderPosition(right_.slider)) / 2;
        left_.volume = MapLevel(left_.mapping, position);
        right_.volume = MapLevel(right_.mapping, position);
        WriteVolumes();
        ReadVolumes();
    }
    ShowState();
    return 0;
}

LRESULT VolumeStereoCtrl::OnZeroDbClicked(WORD, WORD, HWND, bool&) {
    if (muted_ || (left_.volume == 0 && right_.volume == 0))
        return 0;
    for (Side* side : {&left_, &right_}) {
        if (side->hasVolume)
            side->volume = 0;
    }
    WriteVolumes();
    ReadVolumes();
    ShowState();
    return 0;
}

LRESULT VolumeStereoCtrl::OnMuteClicked(WORD, WORD, HWND, bool&) {
    if (!hasMute_)
        return 0;
    const bool mute = !muted_;
    SetMute(left_.channel, mute, hasMute_);
    SetMute(right_.channel, mute, hasMute_);
    ReadMute();
    ShowLevels();
    UpdateButtons();
    return 0;
}
