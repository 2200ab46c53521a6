#pragma once

#include "pages/PageT.h"
#include "resources/dialogs/PageVolumeControl.h"
#include "volume/VolumeControlDlg.h"

#include <memory>
#include <optional>

// The volume page: one button per direction with volume or mute controls, each opening
// the modal volume dialog of its direction through the host's modal scope. While a dialog
// is open the page hands it every device notification; a device change or a page switch
// asked for meanwhile closes it and waits until it has gone.
class PageVolumeControl : public PageT<PageVolumeControl> {
public:
    static constexpr UINT IDD = IDD_PAGE_VOLUME;
    static constexpr int kFirstButton = IDC_VOLUME_FIRST_BUTTON;
    static constexpr int kSecondButton = IDC_VOLUME_SECOND_BUTTON;
    static constexpr int kChannelsGroup = IDC_VOLUME_CHANNELS_GROUP;
    static constexpr ResizeRule kResizeRules[] = {
        {kFirstButton, kStretchX | kRepaint, 1},
        {kSecondButton, kStretchX | kRepaint, 1},
        {kChannelsGroup, kStretchX | kRepaint},
    };

    explicit PageVolumeControl(PageHost& host);

    // Every code, volume and mute included, goes to the strips of an open dialog.
    void OnDeviceNotification(std::uint32_t code) override;

    BEGIN_MSG_MAP(PageVolumeControl)
    COMMAND_HANDLER(kFirstButton, BN_CLICKED, OnButtonClicked)
    COMMAND_HANDLER(kSecondButton, BN_CLICKED, OnButtonClicked)
    CHAIN_MSG_MAP(PageT<PageVolumeControl>)
    END_MSG_MAP()

private:
    void InitControls() override;
    // The page shows nothing that the device changes.
    void RefreshContents(DeviceHandle, const KorvelineApiDll&) override {}
    LRESULT OnDeactivate() override;

    // Gives the next free button to the direction when it has controls.
    void AssignButton(bool input, const UiTextHandle& text);
    LRESULT OnButtonClicked(WORD, WORD id, HWND, bool&);
    void OpenVolumeDialog(bool input);
    void CloseVolumeDialog();

    int assignedButtons_ = 0;
    // The direction of each button, input = true; none while a button is unused.
    std::optional<bool> buttonIsInput_[2];
    // The open dialog: it is modal, so there is at most one.
    std::unique_ptr<VolumeControlDlg> dialog_;
};
