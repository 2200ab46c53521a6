#include "app/DevicePageRows.h"

#include "app/PageAutoTests.h"
#include "pages/PageAbout.h"
#include "pages/PageAsioDevice.h"
#include "pages/PageBufferSettings.h"
#include "pages/PageClientInfo.h"
#include "pages/PageClockSource.h"
#include "pages/PageInfo.h"
#include "pages/PageOptions.h"
#include "pages/PageSampleRate.h"
#include "pages/PageSoundDeviceProfiles.h"
#include "pages/PageStreamFormats.h"
#include "volume/PageVolumeControl.h"

#include <vector>

namespace {

// Only the page object is made here; its window is created when the page is first shown.
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
        {CreatePage<PageOptions>, PageScope::AudioDevice, &ConfigSettings::optionsPage, nullptr},
        {CreatePage<PageStreamFormats>, PageScope::AudioDevice, &ConfigSettings::streamFormatsPage,
         StreamFormatsAutoTest},
        {CreatePage<PageSoundDeviceProfiles>, PageScope::AudioDevice,
         &ConfigSettings::soundDeviceProfilesPage, SoundDeviceProfilesAutoTest},
        {CreatePage<PageSampleRate>, PageScope::AudioDevice, &ConfigSettings::sampleRatePage,
         SampleRateAutoTest},
        {CreatePage<PageClockSource>, PageScope::AudioDevice, &ConfigSettings::clockSourcePage,
         ClockSourceAutoTest},
        {CreatePage<PageAsioDevice>, PageScope::AudioDevice, &ConfigSettings::asioDevicePage,
         AsioDeviceAutoTest},
        {CreatePage<PageBufferSettings>, PageScope::AudioDevice,
         &ConfigSettings::bufferSettingsPage, BufferSettingsAutoTest},
        {CreatePage<PageVolumeControl>, PageScope::AudioDevice, &ConfigSettings::volumePage,
         VolumeControlAutoTest},
        {CreatePage<PageClientInfo>, PageScope::OpenDevice, &ConfigSettings::clientInfoPage,
         nullptr},
        {CreatePage<PageInfo>, PageScope::OpenDevice, &ConfigSettings::infoPage, nullptr},
        {CreatePage<PageAbout>, PageScope::Always, &ConfigSettings::aboutPage, nullptr},
    };
    return rows;
}
