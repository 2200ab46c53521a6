#include "pages/PageAsioDevice.h"

#include "config/UiTextIds.h"
#include "driver/DriverBuffers.h"
#include "driver/DriverQueries.h"
#include "driver/UniqueDevice.h"
#include "framework/ScopedFlag.h"

#include <algorithm>

namespace {

AsioDeviceRow RowOf(const AsioDeviceEntry& entry) {
    const DeviceProperties& properties = entry.properties;
    return {DriverString(properties.product), DriverString(properties.serialNumber),
            GetUiText((properties.flags & kDeviceFlagAsioCurrent) ? PAGE_ASIO_DEVICE_CURRENT
                                                                  : PAGE_ASIO_DEVICE_NOT_CURRENT),
            GetUiText(entry.asioClients != 0 ? PAGE_ASIO_DEVICE_IN_USE : PAGE_ASIO_DEVICE_UNUSED),
            (properties.flags & kDeviceFlagAsioPreferred) != 0};
}

} // namespace

PageAsioDevice::PageAsioDevice(PageHost& host)
    : PageT(host, PAGE_ASIO_DEVICE_TITLE), list_(host.ScreenDpi()) {}

void PageAsioDevice::InitControls() {
    list_.Attach(Control(kDeviceList));
    instances_.Attach(Control(kInstanceSelector));
    ShowDeviceInfo(-1);

    instances_.FillInstances(Host().Api(), Host().OpenedDevice());
    selectorShown_ = instances_.HasChoice();
    if (!selectorShown_)
        HideAndMoveUp({kInstanceLabel, kInstanceSelector},
                      {kTitle, kDeviceList, kInfoGroup, kInfoLines[0], kInfoLines[1], kInfoLines[2],
                       kInfoLines[3]});
}

// The devices are opened by index, with or without a device open in the main window.
void PageAsioDevice::RefreshContents(DeviceHandle, const KorvelineApiDll& api) {
    const std::uint32_t count = ListableDeviceCount(api);
    entries_.clear();
    currentInstance_ = instances_.CurrentInstance(selectorShown_);
    for (std::uint32_t index = 0; index < count; ++index) {
        bool allowed = true;
        AsioDeviceEntry entry = ReadEntry(index, allowed);
        if (allowed)
            entries_.push_back(entry);
    }

    std::vector<AsioDeviceRow> rows;
    std::transform(entries_.begin(), entries_.end(), std::back_inserter(rows), RowOf);
    {
        const ScopedFlag refilling(listReady_, false);
        list_.SetRows(rows);
    }
    list_.AutoSizeLastColumn();

    list_.SetLockChecks(Host().Settings().asioDeviceDisableIfInUse && AnyInstanceInUse());
}

// A device that cannot be opened is listed without identity and marks; the other reads
// keep what they left in the zero-filled entry.
AsioDeviceEntry PageAsioDevice::ReadEntry(std::uint32_t deviceIndex, bool& allowed) const {
    const KorvelineApiDll& api = Host().Api();
    AsioDeviceEntry entry;
    entry.deviceIndex = deviceIndex;
    UniqueDevice owner(api);
    if (owner.OpenByIndex(deviceIndex) != 0)
        return entry;
    const DeviceHandle device = owner.Get();
    CallEntryPoint(api.KORVELINE_GetDeviceProperties, device, &entry.properties);
    CallEntryPoint(api.KORVELINE_GetClientInfo, device, nullptr, nullptr, &entry.asioClients);
    std::uint32_t relation = kNoAsioInstance;
    if (CallEntryPoint(api.KORVELINE_GetASIORelation, device, &relation) == 0 &&
        relation != static_cast<std::uint32_t>(currentInstance_))
        entry.properties.flags &= ~(kDeviceFlagAsioCurrent | kDeviceFlagAsioPreferred);
    std::uint32_t allowedValue = 1;
    CallEntryPoint(api.KORVELINE_GetASIOInstanceAllowed, device,
                   static_cast<std::uint32_t>(currentInstance_), &allowedValue);
    allowed = allowedValue != 0;
    return entry;
}

bool PageAsioDevice::AnyInstanceInUse() const {
    return std::any_of(instances_.Instances().begin(), instances_.Instances().end(),
                       [this](const AsioInstanceDetails& instance) {
                           AsioInstanceInfo info{};
                           return CallEntryPoint(Host().Api().KORVELINE_GetASIOInstanceInfo,
                                                 instance.instanceNumber, &info) == 0 &&
                                  info.inUse != 0;
                       });
}

void PageAsioDevice::OnAsioDeviceChanged(std::intptr_t entryIndex) {
    const KorvelineApiDll& api = Host().Api();
    const auto instance = static_cast<std::uint32_t>(currentInstance_);
    StatusCode status = 0;
    if (entryIndex < 0) {
        // Clearing needs a device open in the main window.
        if (Host().OpenedDevice() != 0)
            status = CallEntryPoint(api.KORVELINE_ClearPreferredASIODevice, instance);
    } else if (static_cast<std::size_t>(entryIndex) < entries_.size()) {
        UniqueDevice device(api);
        status = device.OpenByIndex(entries_[static_cast<std::size_t>(entryIndex)].deviceIndex);
        if (status == 0)
            status = CallEntryPoint(api.KORVELINE_SetPreferredASIODevice, device.Get(), instance);
    }
    if (status != 0)
        Host().ReportError(L"OnAsioDeviceChanged", L"update preferred ASIO device", status);
    Refresh(false);
}

void PageAsioDevice::ShowDeviceInfo(std::intptr_t entryIndex) {
    static const UiTextHandle* const kTexts[] = {
        &PAGE_ASIO_DEVICE_SECTION_INFO_TEXT1, &PAGE_ASIO_DEVICE_SECTION_INFO_TEXT2,
        &PAGE_ASIO_DEVICE_SECTION_INFO_TEXT3, &PAGE_ASIO_DEVICE_SECTION_INFO_TEXT4};
    const bool known = entryIndex >= 0 && static_cast<std::size_t>(entryIndex) < entries_.size();
    for (std::size_t line = 0; line < std::size(kInfoLines); ++line) {
        std::wstring text;
        if (known) {
            const DeviceProperties& p = entries_[static_cast<std::size_t>(entryIndex)].properties;
            const std::wstring serial = DriverString(p.serialNumber);
            text = SubstitutePlaceholders(
                GetUiText(*kTexts[line]),
                {{L"${Manufacturer}", DriverString(p.manufacturer)},
                 {L"${Product}", DriverString(p.product)},
                 {L"${VID}", FormatNumbers(L"0x%04X", p.vendorId)},
                 {L"${PID}", FormatNumbers(L"0x%04X", p.productId)},
                 {L"${Revison}",
                  FormatNumbers(L"v%X.%02X", (p.revision >> 8) & 0xFF, p.revision & 0xFF)},
                 {L"${SerialNo}", serial.empty()
                                      ? GetUiText(PAGE_ASIO_DEVICE_SECTION_INFO_TEXT_NO_SERIAL_NO)
                                      : serial}});
        }
        SetDlgItemTextW(Hwnd(), kInfoLines[line], text.c_str());
    }
}

LRESULT PageAsioDevice::OnCheckChanged(UINT, WPARAM wParam, LPARAM, bool&) {
    // The list's own changes while the page refills it are no choice of the user. The
    // write, its report and the rebuild wait until the list has left its notification.
    if (listReady_)
        RunAfterThisMessage(
            [this, entry = static_cast<std::intptr_t>(wParam)] { OnAsioDeviceChanged(entry); });
    return 0;
}

LRESULT PageAsioDevice::OnSelectionChanged(UINT, WPARAM wParam, LPARAM, bool&) {
    ShowDeviceInfo(static_cast<std::intptr_t>(wParam));
    return 0;
}
