#include "app/DevicePageRows.h"

#include "app/PageAutoTests.h"
#include "volume/PageVolumeControl.h"

#include <vector>

bool IsPageShown(const DevicePageRow& row, const ConfigSettings& settings,
                 const KorvelineApiDll& api, DeviceHandle device, bool audioFunction) {
    if (row.scope != PageScope::Always && device == 0)
        return false;
    if (row.scope == PageScope::AudioDevice && !audioFunction)
        return false;
    switch (settings.*row.visibility) {
    case Visibility::Visible:
        return true;
    case Visibility::Auto:
        return row.autoTest != nullptr && row.autoTest(api, device);
    case Visibility::Hidden:
        break;
    }
    return false;
}

std::span<const DevicePageRow> DevicePageRows() {
    static const std::vector<DevicePageRow> rows = {
        {[](PageHost& host) -> std::unique_ptr<PageBase> {
             return std::make_unique<PageVolumeControl>(host);
         },
         PageScope::AudioDevice, &ConfigSettings::volumePage, VolumeControlAutoTest},
    };
    return rows;
}
