// The read-only name/value pages (client info, info, about) against the simulated driver:
// which rows exist, what they show, and that failed reads leave them empty unreported.
#include "pages/PageAbout.h"
#include "pages/PageClientInfo.h"
#include "pages/PageInfo.h"
#include "tests/support/ListViewProbe.h"
#include "tests/support/MainWindowFixture.h"

namespace {

using Rows = std::vector<std::vector<std::wstring>>;

class PropertyPages : public MainWindowTest {
protected:
    // The {name, value} rows of a page's list once the page is shown.
    Rows ShowRows(UINT dialogId, int listId) {
        if (ShowPage(dialogId) == nullptr)
            return {{L"no page"}};
        return ListRows(PageControl(dialogId, listId), 3);
    }
};

std::string InfoDevice(const std::string& vid, const std::string& pid, const std::string& revision,
                       const std::string& serial = "") {
    return "<Device id=\"1\" vid=\"" + vid + "\" pid=\"" + pid + "\" revision=\"" + revision +
           "\" serial=\"" + serial +
           "\" manufacturer=\"Maker &amp; Co\" product=\"Alpha DAC\">"
           "<Clients streaming=\"1\" wdm=\"1\" asio=\"0\"/></Device>";
}

TEST_F(PropertyPages, ClientInfoShowsTheStateAndCountsAndFollowsNotifications) {
    OpenWithDevice(
        DeviceXml(1, "Alpha DAC", "A-1", "", "<Clients streaming=\"3\" wdm=\"2\" asio=\"1\"/>"));
    EXPECT_EQ(ShowRows(PageClientInfo::IDD, PageClientInfo::kValueList),
              (Rows{{L"Streaming State:", L"Active"},
                    {L"Number of Active WDM Clients:", L"2"},
                    {L"Number of Active ASIO Clients:", L"1"}}));

    ASSERT_EQ(Simulator().Command(L"set-clients 1 0 0 4").status, 0u);
    Pump();
    EXPECT_EQ(ListRows(PageControl(PageClientInfo::IDD, PageClientInfo::kValueList), 3),
              (Rows{{L"Streaming State:", L"Stopped"},
                    {L"Number of Active WDM Clients:", L"0"},
                    {L"Number of Active ASIO Clients:", L"4"}}));
}

TEST_F(PropertyPages, FailedReadsLeaveTheNamesWithEmptyValuesUnreported) {
    OpenWithDevice(InfoDevice("0x1234", "0xAB", "0x0A10"));
    Simulator().Fail("KORVELINE_GetClientInfo", 0xEE000123, kSimFailAlways);
    Simulator().Fail("KORVELINE_GetDeviceProperties", 0xEE000123, kSimFailAlways);
    EXPECT_EQ(ShowRows(PageClientInfo::IDD, PageClientInfo::kValueList),
              (Rows{{L"Streaming State:", L""},
                    {L"Number of Active WDM Clients:", L""},
                    {L"Number of Active ASIO Clients:", L""}}));
    const Rows info = ShowRows(PageInfo::IDD, PageInfo::kValueList);
    ASSERT_EQ(info.size(), 5u);
    for (const auto& row : info)
        EXPECT_EQ(row[1], L"") << row[0];
    EXPECT_TRUE(ErrorBoxes().empty());
}

TEST_F(PropertyPages, InfoShowsTheRowsTheConfigurationAsksFor) {
    OpenWithDevice(InfoDevice("0x1234", "0xAB", "0x0A10"));
    EXPECT_EQ(ShowRows(PageInfo::IDD, PageInfo::kValueList),
              (Rows{{L"Manufacturer:", L"Maker & Co"},
                    {L"Product:", L"Alpha DAC"},
                    {L"VID/PID:", L"0x1234/0x00AB"},
                    {L"Revision:", L"vA.10"},
                    {L"Serial No:", L""}}));
    window.reset();

    settings.infoDisplayManufacturer = settings.infoDisplayProduct = false;
    settings.infoDisplaySerialNumber = false;
    OpenWithDevice(InfoDevice("0x12345", "0x1", "0x0200", "A-1"));
    EXPECT_EQ(ShowRows(PageInfo::IDD, PageInfo::kValueList),
              (Rows{{L"VID/PID:", L"0x12345/0x0001"}, {L"Revision:", L"v2.00"}}));
    window.reset();

    settings.infoDisplayVidPid = settings.infoDisplayRevision = false;
    OpenWithDevice(DeviceXml(1, "Alpha DAC", "A-1"));
    ClearCalls();
    EXPECT_EQ(ShowRows(PageInfo::IDD, PageInfo::kValueList), Rows{});
    EXPECT_EQ(Calls(L"KORVELINE_GetDeviceProperties").size(), 1u)
        << "the page still reads the device";
}

TEST_F(PropertyPages, AboutShowsVersionAndBuildTypeWithoutNamesAboveThePicture) {
    driverXml = "<Driver version=\"4.71.2\" debug=\"false\"/>";
    OpenWithDevice(DeviceXml(1, "Alpha DAC", "A-1"));
    EXPECT_EQ(ShowRows(PageAbout::IDD, PageAbout::kValueList),
              (Rows{{L"", L"Version 4.71.2"}, {L"", L"Release Build"}}));
    const HWND list = PageControl(PageAbout::IDD, PageAbout::kValueList);
    EXPECT_EQ(ListView_GetColumnWidth(list, 1), 0) << "the name column is hidden";

    const HWND picture = PageControl(PageAbout::IDD, PageAbout::kPicture);
    const auto bitmap =
        reinterpret_cast<HBITMAP>(SendMessageW(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(bitmap, nullptr);
    BITMAP size{};
    GetObjectW(bitmap, sizeof size, &size);
    RECT frame{};
    GetClientRect(picture, &frame);
    EXPECT_GE(frame.right, size.bmWidth) << "the picture keeps its frame and is centred in it";
    window.reset();
    EXPECT_EQ(GetObjectType(bitmap), 0u) << "the page releases its bitmap";
}

TEST_F(PropertyPages, AboutWithCustomVersionDebugBuildAndCopyrightOnSeveralLines) {
    driverXml = "<Driver version=\"4.71.2\" debug=\"true\"/>";
    settings.aboutCustomVersion = L"2026 Edition";
    settings.aboutDisplayCopyright = true;
    WnUiLanguageTextForTest().ApplyTranslation(
        "\xEF\xBB\xBFPAGE_ABOUT_TABLE_DRIVER_INFO_ROW_COPYRIGHT=(c) Maker${UI_NL}All rights\n");
    OpenWithDevice(DeviceXml(1, "Alpha DAC", "A-1"));
    EXPECT_EQ(ShowRows(PageAbout::IDD, PageAbout::kValueList),
              (Rows{{L"", L"Version 2026 Edition"},
                    {L"", L"Debug Build"},
                    {L"", L"(c) Maker\nAll rights"}}));
    window.reset();

    settings.aboutDisplayVersion = settings.aboutDisplayCopyright = false;
    OpenWithDevice(DeviceXml(1, "Alpha DAC", "A-1"));
    EXPECT_EQ(ShowRows(PageAbout::IDD, PageAbout::kValueList), (Rows{{L"", L"Debug Build"}}));
}

TEST_F(PropertyPages, AboutWithoutADeviceIsPresentWithEmptyValues) {
    LoadDevices("");
    OpenMainWindow();
    ClearCalls();
    EXPECT_EQ(ShowRows(PageAbout::IDD, PageAbout::kValueList), (Rows{{L"", L""}, {L"", L""}}));
    EXPECT_TRUE(Calls(L"KORVELINE_GetDriverInfo").empty());
    EXPECT_FALSE(HasPage(PageInfo::IDD));
    EXPECT_FALSE(HasPage(PageClientInfo::IDD));
}

} // namespace
