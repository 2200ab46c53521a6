#include "pages/PageStatus.h"

#include "config/UiTextIds.h"
#include "driver/DriverBuffers.h"
#include "driver/DriverQueries.h"
#include "driver/UniqueDevice.h"
#include "pages/ComboBoxItems.h"

#include <algorithm>
#include <utility>

namespace {

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
}

StatusCode PageStatus::FillDeviceSelection() {
    if (!IsInitialized())
        return 0;
    combo_box::Clear(selector_);
    choiceToSettle_.reset();
    SetWindowTextW(sampleRateLine_, L"");

    StatusCode firstError = 0;
    combo_box::Fill(selector_, ReadDeviceEntries(firstError));
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
    Host().PostDeviceSelectionChanged();
    return firstError;
}

std::vector<combo_box::Entry> PageStatus::ReadDeviceEntries(StatusCode& firstError) const {
    const KorvelineApiDll& api = Host().Api();
    const ConfigSettings& settings = Host().Settings();
    const std::uint32_t deviceCount = ListableDeviceCount(api);
    const bool showSerialNumber = ShowsSerialNumber(settings.statusSerialNumber, deviceCount);
    const auto record = [&firstError](StatusCode status) {
        if (firstError == 0)
            firstError = status;
    };

    std::vector<combo_box::Entry> entries;
    for (std::uint32_t index = 0; index < deviceCount; ++index) {
        UniqueDevice device(api);
        if (StatusCode status = device.OpenByIndex(index)) {
            record(status);
            continue;
        }
        const DeviceHandle handle = device.Get();
        std::uint32_t usbMode = 0;
        if (StatusCode status = CallEntryPoint(api.KORVELINE_GetDeviceUsbMode, handle, &usbMode)) {
            record(status);
            continue;
        }
        if (usbMode == kDeviceUsbModeHidden)
            continue;
        DeviceProperties properties{};
        if (StatusCode status =
                CallEntryPoint(api.KORVELINE_GetDeviceProperties, handle, &properties)) {
            record(status);
            continue;
        }
        device.Reset();
        if (!settings.showMidiOnlyDevices && (properties.flags & kDeviceFlagAudioFunction) == 0)
            continue;
        entries.push_back({DeviceEntryText(properties, showSerialNumber), index});
    }
    return entries;
}

std::int32_t PageStatus::GetSelectedDeviceIndex() const {
    const auto itemData = combo_box::SelectedItemData(selector_);
    if (!itemData || *itemData == kPlaceholderItemData)
        return -1;
    return static_cast<std::int32_t>(*itemData);
}

void PageStatus::RefreshContents(DeviceHandle device, const KorvelineApiDll& api) {
    SetWindowTextW(sampleRateLine_, L"");
    std::uint32_t rate = 0;
    if (device == 0 || CallEntryPoint(api.KORVELINE_GetCurrentSampleRate, device, &rate) != 0)
        return;
    std::wstring text;
    if (rate == 0) {
        text = GetUiText(PAGE_STATUS_SECTION_NO_VALID_SAMPLE_RATE);
    } else {
        text = GetUiText(PAGE_STATUS_SECTION_SAMPLE_RATE_UNIT);
        SubstitutePlaceholder(text, L"${SampleRate}", L"%u", rate);
    }
    SetWindowTextW(sampleRateLine_, text.c_str());
}

// The list is still handling the user's key or click here, and sets its own selection
// index again afterwards; removing the placeholder now would shift that index onto the
// next device. So a chosen device is remembered by its item data and the placeholder
// removed once the list is done.
void PageStatus::RememberChosenDevice() {
    const auto itemData = combo_box::SelectedItemData(selector_);
    const bool deviceChosen = combo_box::Count(selector_) > 1 &&
                              combo_box::Selection(selector_) > 0 && itemData &&
                              *itemData != kPlaceholderItemData;
    choiceToSettle_ = deviceChosen ? itemData : std::nullopt;
    PostMessageW(Hwnd(), MSG_SETTLE_SELECTION, 0, 0);
}

// Choosing a device removes the "Please select a device." placeholder.
LRESULT PageStatus::OnSettleSelection(UINT, WPARAM, LPARAM, bool&) {
    const auto settle = std::exchange(choiceToSettle_, std::nullopt);
    if (!settle)
        return 0;
    if (const auto chosen = *settle) {
        const int count = combo_box::Count(selector_);
        for (int index = 0; index < count; ++index) {
            if (combo_box::ItemData(selector_, index) == kPlaceholderItemData) {
                SendMessageW(selector_, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
                break;
            }
        }
        combo_box::SelectItemData(selector_, chosen);
    }
    Host().PostDeviceSelectionChanged();
    return 0;
}
