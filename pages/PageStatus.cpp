#include "pages/PageStatus.h"

#include "app/AppMessages.h"
#include "config/UiTextIds.h"
#include "driver/DriverBuffers.h"
#include "pages/ComboBoxItems.h"

namespace {

// A driver may claim any device count; the list never tries more indices than this.
constexpr std::uint32_t kMaxListedDevices = 256;

bool ShowsSerialNumber(Visibility visibility, std::uint32_t driverDeviceCount) {
    return visibility == Visibility::Visible ||
           (visibility == Visibility::Auto && driverDeviceCount > 1);
}

std::wstring DeviceEntryText(const DeviceProperties& properties, bool showSerialNumber) {
    std::wstring text = DriverString(properties.product);
    const std::wstring serialNumber = DriverString(properties.serialNumber);
    if (showSerialNumber && !serialNumber.empty())
        text += L" (" + serialNumber + L")";
    return text;
}

} // namespace

PageStatus::PageStatus(PageHost& host) : PageT(host, PAGE_STATUS_TITLE) {}

void PageStatus::InitControls() {
    selector_ = Control(kDeviceSelector);
    sampleRateLine_ = Control(kSampleRateLine);
    SetDlgItemTextW(Hwnd(), kDeviceGroup, GetUiText(PAGE_STATUS_SECTION_DEVICE_TITLE).c_str());
    SetDlgItemTextW(Hwnd(), kSampleRateGroup,
                    GetUiText(PAGE_STATUS_SECTION_SAMPLE_RATE_TITLE).c_str());
}

StatusCode PageStatus::FillDeviceSelection() {
    if (!IsInitialized())
        return 0;
    SendMessageW(selector_, CB_RESETCONTENT, 0, 0);
    SetWindowTextW(sampleRateLine_, L"");

    const KorvelineApiDll& api = Host().Api();
    const ConfigSettings& settings = Host().Settings();
    const std::uint32_t deviceCount =
        api.KORVELINE_GetDeviceCount ? api.KORVELINE_GetDeviceCount() : 0;
    const bool showSerialNumber = ShowsSerialNumber(settings.statusSerialNumber, deviceCount);
    StatusCode firstError = 0;
    const auto record = [&firstError](StatusCode status) {
        if (firstError == 0)
            firstError = status;
    };

    for (std::uint32_t index = 0; index < std::min(deviceCount, kMaxListedDevices); ++index) {
        DeviceHandle device = 0;
        if (StatusCode status = CallEntryPoint(api.KORVELINE_OpenDeviceByIndex, index, &device)) {
            record(status);
            continue;
        }
        const auto close = [&api, device] {
            if (api.KORVELINE_CloseDevice)
                api.KORVELINE_CloseDevice(device);
        };
        std::uint32_t usbMode = 0;
        if (StatusCode status = CallEntryPoint(api.KORVELINE_GetDeviceUsbMode, device, &usbMode)) {
            close();
            record(status);
            continue;
        }
        if (usbMode == kDeviceUsbModeHidden) {
            close();
            continue;
        }
        DeviceProperties properties{};
        if (StatusCode status =
                CallEntryPoint(api.KORVELINE_GetDeviceProperties, device, &properties)) {
            close();
            record(status);
            continue;
        }
        close();
        if (!settings.showMidiOnlyDevices && (properties.flags & kDeviceFlagAudioFunction) == 0)
            continue;
        combo_box::Add(selector_, DeviceEntryText(properties, showSerialNumber), index);
    }

    switch (combo_box::Count(selector_)) {
    case 0:
        combo_box::Insert(selector_, 0,
                          GetUiText(PAGE_STATUS_SECTION_DEVICE_SELECTION_ENTRY_NO_DEVICE),
                          kPlaceholderItemData);
        EnableWindow(selector_, FALSE);
        break;
    case 1:
        // The single device is shown but cannot be changed.
        EnableWindow(selector_, FALSE);
        break;
    default:
        combo_box::Insert(selector_, 0,
                          GetUiText(PAGE_STATUS_SECTION_DEVICE_SELECTION_ENTRY_PLEASE_SELECT),
                          kPlaceholderItemData);
        EnableWindow(selector_, TRUE);
        break;
    }
    SendMessageW(selector_, CB_SETCURSEL, 0, 0);
    PostSelectionChanged();
    return firstError;
}

std::int32_t PageStatus::GetSelectedDeviceIndex() const {
    const auto itemData = combo_box::SelectedItemData(selector_);
    if (!itemData || *itemData == kPlaceholderItemData)
        return -1;
    return static_cast<std::int32_t>(*itemData);
}

StatusCode PageStatus::RefreshContents(bool) {
    SetWindowTextW(sampleRateLine_, L"");
    const DeviceHandle device = Host().OpenedDevice();
    if (device == 0)
        return 0;
    std::uint32_t rate = 0;
    if (CallEntryPoint(Host().Api().KORVELINE_GetCurrentSampleRate, device, &rate) != 0)
        return 0;
    std::wstring text;
    if (rate == 0) {
        text = GetUiText(PAGE_STATUS_SECTION_NO_VALID_SAMPLE_RATE);
    } else {
        text = GetUiText(PAGE_STATUS_SECTION_SAMPLE_RATE_UNIT);
        SubstitutePlaceholder(text, L"${SampleRate}", L"%u", rate);
    }
    SetWindowTextW(sampleRateLine_, text.c_str());
    return 0;
}

// Choosing a device removes the "Please select a device." placeholder.
LRESULT PageStatus::OnSelectionChanged(WORD, WORD, HWND, bool&) {
    const int count = combo_box::Count(selector_);
    const auto selection = combo_box::Selection(selector_);
    const auto itemData = combo_box::SelectedItemData(selector_);
    if (count > 1 && selection && *selection > 0 && itemData && *itemData != kPlaceholderItemData) {
        for (int index = 0; index < count; ++index) {
            if (combo_box::ItemData(selector_, index) == kPlaceholderItemData) {
                SendMessageW(selector_, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
                break;
            }
        }
    }
    PostSelectionChanged();
    return 0;
}

void PageStatus::PostSelectionChanged() const {
    PostMessageW(Host().MainWindow(), MSG_DEVICE_SELECTION_CHANGED, 0, 0);
}
