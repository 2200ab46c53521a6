#include "volume/VolumeControlDlg.h"

#include "config/UiTextIds.h"
#include "driver/DriverQueries.h"
#include "framework/ModuleIcon.h"
#include "framework/WorkArea.h"
#include "resources/resource.h"
#include "volume/VolumeMonoCtrl.h"
#include "volume/VolumeStereoCtrl.h"

#include <algorithm>

namespace {

// Centred over `over`, but never beyond the work area, so a wide dialog keeps its title
// bar and its left edge on the screen.
void CentreOver(HWND window, HWND over) {
    RECT outer{};
    RECT own{};
    if (over == nullptr || !GetWindowRect(over, &outer) || !GetWindowRect(window, &own))
        return;
    const RECT work = WorkAreaOf(over);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    const int left = outer.left + (outer.right - outer.left - width) / 2;
    const int top = outer.top + (outer.bottom - outer.top - height) / 2;
    SetWindowPos(
        window, nullptr,
        std::max(std::min(left, static_cast<int>(work.right) - width), static_cast<int>(work.left)),
        std::max(std::min(top, static_cast<int>(work.bottom) - height), static_cast<int>(work.top)),
        0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

VolumeControlDlg::VolumeControlDlg(PageHost& host, bool input) : host_(host), input_(input) {}

VolumeControlDlg::~VolumeControlDlg() {
    DestroyStrips();
}

void VolumeControlDlg::OnDeviceNotification(std::uint32_t code) {
    // An error box of the initialisation lets notifications in before the strips exist.
    if (!initialized_)
        return;
    for (const auto& strip : strips_)
        strip->OnDeviceNotification(code);
}

void VolumeControlDlg::Close() {
    // Ends the modal loop after the message being handled, before anything posted later.
    if (Hwnd() != nullptr)
        EndDialog(Hwnd(), IDCANCEL);
}

int VolumeControlDlg::Scaled(int pixels) const {
    return MulDiv(pixels, static_cast<int>(host_.ScreenDpi()), 96);
}

LRESULT VolumeControlDlg::OnInitDialog(UINT, WPARAM, LPARAM, bool&) {
    SetWindowIcons(Hwnd(), IDI_APP);
    SetWindowTextW(Hwnd(), GetUiText(input_ ? PAGE_VOLUME_DIALOG_INPUT_VOLUME_TITLE
                                            : PAGE_VOLUME_DIALOG_OUTPUT_VOLUME_TITLE)
                               .c_str());
    ReadVolumeMuteInfo();
    CreateStrips();
    FitToStrips();
    CentreOver(Hwnd(), host_.MainWindow());
    initialized_ = true;
    for (const auto& strip : strips_)
        strip->Update();
    return TRUE;
}

void VolumeControlDlg::ReadVolumeMuteInfo() {
    const DeviceHandle device = host_.OpenedDevice();
    if (device == 0)
        return;
    const std::uint32_t direction = input_ ? kDirectionInput : kDirectionOutput;
    const std::uint32_t channels = GetChannelCount(host_.Api(), device, direction);
    StatusCode firstFailure = 0;
    for (std::uint32_t channel = 0; channel <= channels; ++channel) {
        VolumeMuteInfo info{};
        const StatusCode status = CallEntryPoint(host_.Api().KORVELINE_GetVolumeMuteInfo, device,
                                                 direction, channel, &info);
        if (status != 0) {
            // The strip still comes, from a record without controls.
            info = VolumeMuteInfo{};
            if (firstFailure == 0)
                firstFailure = status;
        }
        records_.push_back(info);
    }
    // One box per opening: a box per failing channel would stand between the user and
    // the dialog once for each of up to 256 channels.
    if (firstFailure != 0)
        host_.ReportError(L"OnInitDialog", L"KORVELINE_GetVolumeMuteInfo", firstFailure);
}

void VolumeControlDlg::CreateStrips() {
    nextLeft_ = Scaled(kStripLeft);
    stripsRight_ = 0;
    if (records_.empty())
        return;
    const std::uint32_t channels = static_cast<std::uint32_t>(records_.size() - 1);
    AddStrip(std::make_unique<VolumeMonoCtrl>(host_, input_, 0, records_[0]));
    for (std::uint32_t pair = 1; pair <= channels / 2; ++pair) {
        AddStrip(std::make_unique<VolumeStereoCtrl>(host_, input_, pair, records_[2 * pair - 1],
                                                    records_[2 * pair]));
    }
    if (channels % 2 != 0)
        AddStrip(std::make_unique<VolumeMonoCtrl>(host_, input_, channels, records_[channels]));
}

template <class Strip> void VolumeControlDlg::AddStrip(std::unique_ptr<Strip> strip) {
    const HWND window = strip->Create(Hwnd());
    strips_.push_back(std::move(strip));
    if (window == nullptr)
        return;
    RECT bounds{};
    GetWindowRect(window, &bounds);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    SetWindowPos(window, nullptr, nextLeft_, Scaled(kStripTop), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(window, SW_SHOWNA);
    if (strips_.size() == 1)
        masterHeight_ = height;
    stripsRight_ = nextLeft_ + width;
    nextLeft_ = stripsRight_ + Scaled(kStripGap);
}

void VolumeControlDlg::FitToStrips() {
    const int rowWidth = strips_.empty() ? 0 : stripsRight_ + Scaled(kMargin);
    RECT frame{0, 0, rowWidth, Scaled(kStripTop) + masterHeight_};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(Hwnd(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(Hwnd(), GWL_EXSTYLE)));
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    int viewWidth = rowWidth;
    // A row wider than the screen (a device with hundreds of channels) scrolls sideways,
    // so that every strip can still be reached.
    const RECT work = WorkAreaOf(host_.MainWindow() != nullptr ? host_.MainWindow() : Hwnd());
    if (const int widest = work.right - work.left; width > widest) {
        viewWidth -= width - widest;
        width = widest;
        height += GetSystemMetrics(SM_CYHSCROLL);
    }
    SetWindowPos(Hwnd(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    scroller_.SetExtent(Hwnd(), rowWidth, viewWidth);
}

LRESULT VolumeControlDlg::OnHorizontalScroll(UINT, WPARAM wParam, LPARAM lParam, bool& handled) {
    // The strips' sliders are vertical; only the dialog's own scroll bar comes here.
    if (lParam != 0) {
        handled = false;
        return 0;
    }
    scroller_.OnScroll(wParam);
    return 0;
}

LRESULT VolumeControlDlg::OnNextControl(UINT, WPARAM, LPARAM, bool& handled) {
    // Tab moves the focus during this message; the strip it lands in is brought into
    // view once it has.
    PostMessageW(Hwnd(), MSG_SHOW_FOCUSED_STRIP, 0, 0);
    handled = false;
    return 0;
}

LRESULT VolumeControlDlg::OnShowFocus(UINT, WPARAM, LPARAM, bool&) {
    const HWND focus = GetFocus();
    for (HWND strip = focus; strip != nullptr && strip != Hwnd(); strip = GetParent(strip)) {
        if (GetParent(strip) == Hwnd()) {
            scroller_.ScrollIntoView(strip, Scaled(kMargin));
            break;
        }
    }
    return 0;
}

LRESULT VolumeControlDlg::OnEnd(WORD, WORD id, HWND, bool&) {
    EndDialog(Hwnd(), id);
    return 0;
}

LRESULT VolumeControlDlg::OnDestroy(UINT, WPARAM, LPARAM, bool& handled) {
    DestroyStrips();
    handled = false;
    return 0;
}

void VolumeControlDlg::DestroyStrips() {
    for (const auto& strip : strips_)
        strip->Destroy();
    strips_.clear();
}
