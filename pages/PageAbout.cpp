#include "pages/PageAbout.h"

#include "config/UiTextIds.h"
#include "framework/DpiBitmap.h"
#include "framework/Module.h"

#include <vector>

namespace {

// "Version 1.2.3", or the prefix with the configured version in place of the numbers.
std::wstring VersionText(const DriverInfo& info, const std::wstring& customVersion) {
    const std::wstring prefix = GetUiText(PAGE_ABOUT_TABLE_DRIVER_INFO_ROW_VERSION_VERSION_PREFIX);
    if (!customVersion.empty())
        return prefix + L" " + customVersion;
    return prefix +
           FormatNumbers(L" %u.%u.%u", info.versionMajor, info.versionMinor, info.versionBuild);
}

} // namespace

PageAbout::PageAbout(PageHost& host) : PageT(host, PAGE_ABOUT_TITLE) {}

void PageAbout::InitControls() {
    const ConfigSettings& settings = Host().Settings();
    values_.Attach(Control(kValueList), false);
    picture_.Reset(LoadBitmapForDpi(GetModule().Instance(), kPictureBitmap, Host().ScreenDpi()));
    if (settings.aboutDisplayVersion)
        values_.AddRow(kVersion, L"");
    values_.AddRow(kBuildType, L"");
    if (settings.aboutDisplayCopyright)
        values_.AddRow(kCopyright, L"");
    SendDlgItemMessageW(Hwnd(), kPicture, STM_SETIMAGE, IMAGE_BITMAP,
                        reinterpret_cast<LPARAM>(picture_.Get()));
}

// Only while a device is open, although the driver info belongs to no device. A failed
// read leaves the values empty and is not reported.
void PageAbout::RefreshContents(DeviceHandle device, const KorvelineApiDll& api) {
    std::vector<PropertyValue> values;
    if (DriverInfo info{}; device != 0 && CallEntryPoint(api.KORVELINE_GetDriverInfo, &info) == 0) {
        const ConfigSettings& settings = Host().Settings();
        if (settings.aboutDisplayVersion)
            values.push_back({kVersion, VersionText(info, settings.aboutCustomVersion)});
        values.push_back(
            {kBuildType,
             GetUiText((info.flags & kDriverInfoFlagDebugBuild) != 0
                           ? PAGE_ABOUT_TABLE_DRIVER_INFO_ROW_BUILDTYPE_TEXT_IF_DEBUG
                           : PAGE_ABOUT_TABLE_DRIVER_INFO_ROW_BUILDTYPE_TEXT_IF_RELEASE)});
        if (settings.aboutDisplayCopyright)
            values.push_back({kCopyright, GetUiText(PAGE_ABOUT_TABLE_DRIVER_INFO_ROW_COPYRIGHT)});
    }
    values_.ShowValues(values);
}

// The picture control lets go of the bitmap before the page deletes it.
LRESULT PageAbout::OnDestroy(UINT, WPARAM, LPARAM, bool& handled) {
    SendDlgItemMessageW(Hwnd(), kPicture, STM_SETIMAGE, IMAGE_BITMAP, 0);
    handled = false;
    return 0;
}
