#include "app/PageTable.h"

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
#include "pages/PageStatus.h"
#include "pages/PageStreamFormats.h"
#include "volume/PageVolumeControl.h"

namespace {

// Only the page object is made here; its window is created when the page is first shown.
template <class Page> std::unique_ptr<PageBase> CreatePage(PageHost& host) {
    return std::make_unique<Page>(host);
}

template <class Page>
PageRow DevicePage(const wchar_t* name, PageScope scope, Visibility ConfigSettings::*visibility,
                   bool (*autoTest)(const KorvelineApiDll&, DeviceHandle) = nullptr) {
    return {name, Page::IDD, Page::kResizeRules, CreatePage<Page>, scope, visibility, autoTest};
}

} // namespace

bool IsPageShown(const PageRow& row, const ConfigSettings& settings, const KorvelineApiDll& api,
                 DeviceHandle device, bool audioFunction) {
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

std::span<const PageRow> PageTable() {
    using enum PageScope;
    using S = ConfigSettings;
    static const PageRow rows[] = {
        {L"PageStatus", PageStatus::IDD, PageStatus::kResizeRules, nullptr, Always, nullptr,
         nullptr},
        DevicePage<PageOptions>(L"PageOptions", AudioDevice, &S::optionsPage),
        DevicePage<PageStreamFormats>(L"PageStreamFormats", AudioDevice, &S::streamFormatsPage,
                                      StreamFormatsAutoTest),
        DevicePage<PageSoundDeviceProfiles>(L"PageSoundDeviceProfiles", AudioDevice,
                                            &S::soundDeviceProfilesPage,
                                            SoundDeviceProfilesAutoTest),
        DevicePage<PageSampleRate>(L"PageSampleRate", AudioDevice, &S::sampleRatePage,
                                   SampleRateAutoTest),
        DevicePage<PageClockSource>(L"PageClockSource", AudioDevice, &S::clockSourcePage,
                                    ClockSourceAutoTest),
        DevicePage<PageAsioDevice>(L"PageAsioDevice", AudioDevice, &S::asioDevicePage,
                                   AsioDeviceAutoTest),
        DevicePage<PageBufferSettings>(L"PageBufferSettings", AudioDevice, &S::bufferSettingsPage,
                                       BufferSettingsAutoTest),
        DevicePage<PageVolumeControl>(L"PageVolumeControl", AudioDevice, &S::volumePage,
                                      VolumeControlAutoTest),
        DevicePage<PageClientInfo>(L"PageClientInfo", OpenDevice, &S::clientInfoPage),
        DevicePage<PageInfo>(L"PageInfo", OpenDevice, &S::infoPage),
        DevicePage<PageAbout>(L"PageAbout", Always, &S::aboutPage),
    };
    return rows;
}

std::span<const PageRow> DevicePageRows() {
    return PageTable().subspan(1);
}
