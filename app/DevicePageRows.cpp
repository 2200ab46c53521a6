#include "app/DevicePageRows.h"

#include "app/PageAutoTests.h"
#include "pages/PageAbout.h"
#include "pages/PageClientInfo.h"
#include "pages/PageClockSource.h"
#include "pages/PageInfo.h"

#include <vector>

namespace {

template <class Page> std::unique_ptr<PageBase> CreatePage(PageHost& host) {
    return std::make_unique<Page>(host);
}

} // namespace

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
        {CreatePage<PageClockSource>, PageScope::AudioDevice, &ConfigSettings::clockSourcePage,
         ClockSourceAutoTest},
        {CreatePage<PageClientInfo>, PageScope::OpenDevice, &ConfigSettings::clientInfoPage,
         nullptr},
        {CreatePage<PageInfo>, PageScope::OpenDevice, &ConfigSettings::infoPage, nullptr},
        {CreatePage<PageAbout>, PageScope::Always, &ConfigSettings::aboutPage, nullptr},
    };
    return rows;
}
