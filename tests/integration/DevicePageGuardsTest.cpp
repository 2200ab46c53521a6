// What the device pages with selectors share: the driver is read only for a page that was
// shown, is current, in a visible window, for codes other than volume and mute, and never
// without a device.
#include "pages/PageOptions.h"
#include "pages/PageSampleRate.h"
#include "pages/PageSoundDeviceProfiles.h"
#include "pages/PageStreamFormats.h"
#include "tests/support/MainWindowFixture.h"

namespace {

struct GuardCase {
    const char* name;
    UINT page;
    std::wstring notification; // a code the page refreshes on
    std::wstring read;         // an entry point every refresh of the page calls
    bool controlsShownWithoutDevice;
};

void PrintTo(const GuardCase& guardCase, std::ostream* out) {
    *out << guardCase.name;
}

const std::string kDevice = DeviceXml(
    1, "Alpha DAC", "A-1", "",
    "<SampleRates current=\"48000\">44100 48000</SampleRates>"
    "<Input><StreamFormat id=\"1\" channels=\"2\"><Profile id=\"a\"/></StreamFormat></Input>"
    "<Output><StreamFormat id=\"11\" channels=\"2\"><Profile id=\"b\"/></StreamFormat></Output>");

const GuardCase kCases[] = {
    {"SampleRate", PageSampleRate::IDD, L"notify 1 1", L"KORVELINE_GetSupportedSampleRates", false},
    {"Options", PageOptions::IDD, L"notify 1 6", L"KORVELINE_GetDeviceStreamingMode", true},
    {"StreamFormats", PageStreamFormats::IDD, L"notify 1 5", L"KORVELINE_GetCurrentStreamFormat",
     false},
    {"Profiles", PageSoundDeviceProfiles::IDD, L"notify 1 8", L"KORVELINE_GetExtendedInfo", false},
};

class DevicePageGuards : public MainWindowTest, public testing::WithParamInterface<GuardCase> {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        settings.optionsPage = settings.sampleRatePage = settings.streamFormatsPage =
            settings.soundDeviceProfilesPage = Visibility::Visible;
        OpenWithDevice(kDevice);
    }
    std::size_t Reads() const { return Calls(GetParam().read).size(); }
    void Notify(const std::wstring& command) {
        Simulator().Command(command);
        Pump();
    }
};

TEST_P(DevicePageGuards, ReadOnlyWhenShownCurrentAndVisibleAndNotForVolumeOrMute) {
    ClearCalls();
    Notify(GetParam().notification);
    Page(GetParam().page)->RefreshPage();
    EXPECT_EQ(Reads(), 0u) << "a page never shown";

    ASSERT_NE(ShowPage(GetParam().page), nullptr);
    EXPECT_GT(Reads(), 0u) << "activation";
    ClearCalls();
    Notify(L"notify 1 3");
    Notify(L"notify 1 4");
    EXPECT_EQ(Reads(), 0u) << "volume and mute";
    Notify(GetParam().notification);
    EXPECT_GT(Reads(), 0u);

    ShowPage(PageStatus::IDD);
    ClearCalls();
    Notify(GetParam().notification);
    EXPECT_EQ(Reads(), 0u) << "not the current page";

    ShowPage(GetParam().page);
    ShowWindow(Hwnd(), SW_HIDE);
    ClearCalls();
    Notify(GetParam().notification);
    EXPECT_EQ(Reads(), 0u) << "window hidden";
    Page(GetParam().page)->RefreshPage();
    EXPECT_GT(Reads(), 0u) << "the refresh before showing the window is forced";
}

TEST_P(DevicePageGuards, WithoutADeviceNothingIsReadOrSelected) {
    LoseDeviceWhileHidden(1);
    ClearCalls();
    const HWND page = ShowPage(GetParam().page);
    ASSERT_NE(page, nullptr);
    Page(GetParam().page)->RefreshPage();
    EXPECT_EQ(Reads(), 0u);
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[32] = {};
        GetClassNameW(child, className, 32);
        if (lstrcmpiW(className, L"ComboBox") != 0)
            continue;
        EXPECT_EQ(ComboSelectedText(child), L"");
        // The window is hidden, so the control's own style tells whether it is shown.
        EXPECT_EQ((GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE) != 0,
                  GetParam().controlsShownWithoutDevice);
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, DevicePageGuards, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<GuardCase>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
