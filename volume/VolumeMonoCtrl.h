#pragma once

#include "framework/Dialog.h"
#include "framework/MessageMap.h"
#include "resources/dialogs/PageVolumeControl.h"
#include "volume/VolumeCtrlBase.h"

// The strip of one channel: a slider with its level read-out, the name, a mute button and
// a 0 dB button. A child dialog of the volume dialog.
class VolumeMonoCtrl : public Dialog<VolumeMonoCtrl>, public VolumeCtrlBase {
public:
    static constexpr UINT IDD = IDD_VOLUME_MONO_STRIP;
    static constexpr int kSlider = IDC_STRIP_SLIDER;
    static constexpr int kSliderLabel = IDC_STRIP_SLIDER_LABEL;
    static constexpr int kLevel = IDC_STRIP_LEVEL;
    static constexpr int kName = IDC_STRIP_NAME;
    static constexpr int kMuteButton = IDC_STRIP_MUTE;
    static constexpr int kZeroDbButton = IDC_STRIP_ZERO_DB;

    VolumeMonoCtrl(PageHost& host, bool input, std::uint32_t channel, const VolumeMuteInfo& info);

    void Destroy() override;
    void Update() override;

    BEGIN_MSG_MAP(VolumeMonoCtrl)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    MESSAGE_HANDLER(WM_VSCROLL, OnSliderMoved)
    COMMAND_HANDLER(kZeroDbButton, BN_CLICKED, OnZeroDbClicked)
    COMMAND_HANDLER(kMuteButton, BN_CLICKED, OnMuteClicked)
    END_MSG_MAP()

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnSliderMoved(UINT, WPARAM request, LPARAM, bool&);
    LRESULT OnZeroDbClicked(WORD, WORD, HWND, bool&);
    LRESULT OnMuteClicked(WORD, WORD, HWND, bool&);

    void ReadMute();
    // Slider, read-out and buttons from the stored state.
    void ShowState();
    void UpdateButtons();

    std::uint32_t channel_;
    VolumeMuteInfo info_;
    bool hasVolume_ = false;
    bool hasMute_ = false;
    LevelMapping mapping_;
    bool muted_ = false;
    std::int16_t volume_ = 0;
    HWND slider_ = nullptr;
    HWND level_ = nullptr;
    HWND muteButton_ = nullptr;
    HWND zeroDbButton_ = nullptr;
};
