#pragma once

#include "framework/Dialog.h"
#include "framework/MessageMap.h"
#include "resources/dialogs/PageVolumeControl.h"
#include "volume/VolumeCtrlBase.h"

#include <string_view>

// The strip of a channel pair (2k-1, 2k): two sliders with their read-outs, the name on
// two lines, one mute button for both, a 0 dB button and a link button that moves both
// sliders together while the two channels have the same range. A child dialog of the
// volume dialog.
class VolumeStereoCtrl : public Dialog<VolumeStereoCtrl>, public VolumeCtrlBase {
public:
    static constexpr UINT IDD = IDD_VOLUME_STEREO_STRIP;
    static constexpr int kLeftSlider = IDC_STRIP_LEFT_SLIDER;
    static constexpr int kRightSlider = IDC_STRIP_RIGHT_SLIDER;
    static constexpr int kLeftSliderLabel = IDC_STRIP_SLIDER_LABEL;
    static constexpr int kRightSliderLabel = IDC_STRIP_RIGHT_SLIDER_LABEL;
    static constexpr int kLeftLevel = IDC_STRIP_LEVEL;
    static constexpr int kRightLevel = IDC_STRIP_RIGHT_LEVEL;
    static constexpr int kName = IDC_STRIP_NAME;
    static constexpr int kMuteButton = IDC_STRIP_MUTE;
    static constexpr int kZeroDbButton = IDC_STRIP_ZERO_DB;
    static constexpr int kLinkButton = IDC_STRIP_LINK;

    // pair is k = 1, 2, ...: the channels 2k-1 and 2k with their records.
    VolumeStereoCtrl(PageHost& host, bool input, std::uint32_t pair, const VolumeMuteInfo& left,
                     const VolumeMuteInfo& right);

    void Destroy() override;
    void Update() override;

    BEGIN_MSG_MAP(VolumeStereoCtrl)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    MESSAGE_HANDLER(WM_VSCROLL, OnSliderMoved)
    COMMAND_HANDLER(kLinkButton, BN_CLICKED, OnLinkClicked)
    COMMAND_HANDLER(kZeroDbButton, BN_CLICKED, OnZeroDbClicked)
    COMMAND_HANDLER(kMuteButton, BN_CLICKED, OnMuteClicked)
    END_MSG_MAP()

private:
    // One channel of the pair.
    struct Side {
        std::uint32_t channel = 0;
        VolumeMuteInfo info{};
        bool hasVolume = false;
        LevelMapping mapping;
        std::int16_t volume = 0;
        HWND slider = nullptr;
        HWND level = nullptr;
    };

    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnSliderMoved(UINT, WPARAM request, LPARAM slider, bool&);
    LRESULT OnLinkClicked(WORD, WORD, HWND, bool&);
    LRESULT OnZeroDbClicked(WORD, WORD, HWND, bool&);
    LRESULT OnMuteClicked(WORD, WORD, HWND, bool&);

    std::wstring PairName(std::wstring_view separator) const;
    void ReadMute();
    // Both volumes; a difference ends the link. The first failure.
    StatusCode ReadVolumes();
    void WriteVolumes();
    // Sliders, level texts and buttons from the state read last.
    void ShowState();
    void ShowOnSliders();
    void ShowLevels();
    void UpdateButtons();

    std::uint32_t pair_;
    Side left_;
    Side right_;
    bool hasMute_ = false;
    bool hasLink_ = false;
    bool linked_ = false;
    bool muted_ = false;
    HWND muteButton_ = nullptr;
    HWND zeroDbButton_ = nullptr;
    HWND linkButton_ = nullptr;
};
