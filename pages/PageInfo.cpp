#include "pages/PageInfo.h"

#include "config/UiTextIds.h"
#include "driver/DriverBuffers.h"

#include <vector>

namespace {

// One row of the table: its key, the configuration flag that shows it, its name and how
// its value is read from the device's properties.
struct InfoRow {
    std::uint32_t key;
    bool ConfigSettings::*shown;
    const UiTextHandle& name;
    std::wstring (*value)(const DeviceProperties& properties);
};

const InfoRow kInfoRows[] = {
    {1, &ConfigSettings::infoDisplayManufacturer,
     PAGE_INFO_TABLE_DEVICE_INFO_ROW_MANUFACTURER_TITLE,
     [](const DeviceProperties& p) { return DriverString(p.manufacturer); }},
    {2, &ConfigSettings::infoDisplayProduct, PAGE_INFO_TABLE_DEVICE_INFO_ROW_PRODUCT_TITLE,
     [](const DeviceProperties& p) { return DriverString(p.product); }},
    {3, &ConfigSettings::infoDisplayVidPid, PAGE_INFO_TABLE_DEVICE_INFO_ROW_VID_PID_TITLE,
     [](const DeviceProperties& p) {
         return FormatNumbers(L"0x%04X/0x%04X", p.vendorId, p.productId);
     }},
    {4, &ConfigSettings::infoDisplayRevision, PAGE_INFO_TABLE_DEVICE_INFO_ROW_REVISION_TITLE,
     [](const DeviceProperties& p) {
         return FormatNumbers(L"v%X.%02X", (p.revision >> 8) & 0xFFu, p.revision & 0xFFu);
     }},
    {5, &ConfigSettings::infoDisplaySerialNumber, PAGE_INFO_TABLE_DEVICE_INFO_ROW_SERIAL_NO_TITLE,
     [](const DeviceProperties& p) { return DriverString(p.serialNumber); }},
};

} // namespace

PageInfo::PageInfo(PageHost& host) : PageT(host, PAGE_INFO_TITLE) {}

void PageInfo::InitControls() {
    values_.Attach(Control(kValueList), true);
    for (const InfoRow& row : kInfoRows) {
        if (Host().Settings().*row.shown)
            values_.AddRow(row.key, GetUiText(row.name));
    }
}

// A failed read leaves the values empty and is not reported.
void PageInfo::RefreshContents(DeviceHandle device, const KorvelineApiDll& api) {
    std::vector<PropertyValue> values;
    if (DeviceProperties properties{};
        device != 0 &&
        CallEntryPoint(api.KORVELINE_GetDeviceProperties, device, &properties) == 0) {
        for (const InfoRow& row : kInfoRows) {
            if (Host().Settings().*row.shown)
                values.push_back({row.key, row.value(properties)});
        }
    }
    values_.ShowValues(values);
}
