#include "volume/PageVolumeControl.h"

#include "config/UiTextIds.h"
#include "driver/DriverQueries.h"

PageVolumeControl::PageVolumeControl(PageHost& host) : PageT(host, PAGE_VOLUME_TITLE) {}

void PageVolumeControl::InitControls() {
    EnableWindow(Control(kFirstButton), FALSE);
    EnableWindow(Control(kSecondButton), FALSE);
    if (Host().OpenedDevice() == 0)
        return;
    AssignButton(true, PAGE_VOLUME_SECTION_CHANNELS_BUTTON_INPUT);
    AssignButton(false, PAGE_VOLUME_SECTION_CHANNELS_BUTTON_OUTPUT);
}

void PageVolumeControl::AssignButton(bool input, const UiTextHandle& text) {
    const DeviceHandle device = Host().OpenedDevice();
    const std::uint32_t direction = input ? kDirectionInput : kDirectionOutput;
    // Channel 0 is the master channel, so the channels run from 0 to the count.
    if (!HasVolumeControls(Host().Api(), device, direction,
                           GetChannelCount(Host().Api(), device, direction) + 1))
        return;
    const HWND button = Control(assignedButtons_ == 0 ? kFirstButton : kSecondButton);
    SetWindowTextW(button, GetUiText(text).c_str());
    EnableWindow(button, TRUE);
    ShowWindow(button, SW_SHOW);
    buttonIsInput_[assignedButtons_++] = input;
}

LRESULT PageVolumeControl::OnButtonClicked(WORD, WORD id, HWND, bool&) {
    if (const auto input = buttonIsInput_[id == kFirstButton ? 0 : 1])
        OpenVolumeDialog(*input);
    return 0;
}

void PageVolumeControl::OpenVolumeDialog(bool input) {
    dialog_ = std::make_unique<VolumeControlDlg>(Host(), input);
    const HWND active = GetActiveWindow();
    const HWND owner = active != nullptr ? active : Host().MainWindow();
    Host().RunModal([this, owner] { dialog_->DoModal(owner); }, [this] { CloseVolumeDialog(); });
    dialog_.reset();
}

void PageVolumeControl::CloseVolumeDialog() {
    if (dialog_)
        dialog_->Close();
}

void PageVolumeControl::OnDeviceNotification(std::uint32_t code) {
    if (MayRefresh(false) && dialog_)
        dialog_->OnDeviceNotification(code);
}

LRESULT PageVolumeControl::OnDeactivate() {
    CloseVolumeDialog();
    return PageT::OnDeactivate();
}
