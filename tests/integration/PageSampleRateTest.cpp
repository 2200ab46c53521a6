// The sample rate page against the simulated driver.
#include "pages/PageSampleRate.h"
#include "tests/support/MainWindowFixture.h"

namespace {

using Texts = std::vector<std::wstring>;
using ItemData = std::vector<std::uint32_t>;
constexpr UINT kPage = PageSampleRate::IDD;

std::string Device(const std::string& options = "panelOptions=\"0x1\"",
                   const std::string& rates = "96000 44100 48000") {
    return DeviceXml(1, "Alpha DAC", "A-1", options,
                     "<SampleRates current=\"48000\">" + rates + "</SampleRates>");
}

class SampleRate : public MainWindowTest {
protected:
    HWND Rates() const { return PageControl(kPage, PageSampleRate::kRateSelector); }
    std::wstring SetCall(std::uint32_t rate) const {
        return DeviceCall(L"KORVELINE_SetSampleRate", std::to_wstring(rate));
    }
};

TEST_F(SampleRate, ListsTheRatesInDriverOrderWithTheCurrentOneSelected) {
    OpenWithDevice(Device());
    ASSERT_NE(ShowPage(kPage), nullptr);
    EXPECT_EQ(ComboTexts(Rates()), (Texts{L"96000 Hz", L"44100 Hz", L"48000 Hz"}));
    EXPECT_EQ(ComboItemData(Rates()), (ItemData{96000, 44100, 48000}));
    EXPECT_EQ(ComboSelectedText(Rates()), L"48000 Hz");
    EXPECT_TRUE(IsWindowVisible(Rates()));
    EXPECT_TRUE(IsWindowEnabled(Rates()));
    EXPECT_EQ(GetNextDlgTabItem(GetParent(Rates()), nullptr, FALSE), Rates())
        << "Tab reaches the selector";

    // A rate the driver does not list, set at the device: the list stays, nothing selected.
    Simulator().Command(L"set-rate 1 22050");
    Pump();
    EXPECT_EQ(ComboTexts(Rates()).size(), 3u);
    EXPECT_EQ(ComboSelectedText(Rates()), L"");
}

TEST_F(SampleRate, AChoiceIsWrittenOnceAndTheAppliedRateReadBack) {
    OpenWithDevice(Device());
    ShowPage(kPage);
    ClearCalls();
    ChooseComboEntry(Rates(), 0);
    EXPECT_EQ(Calls(L"KORVELINE_SetSampleRate"), Texts{SetCall(96000)});
    EXPECT_FALSE(Calls(L"KORVELINE_GetCurrentSampleRate").empty()) << "read back";
    EXPECT_EQ(ComboSelectedText(Rates()), L"96000 Hz");
    EXPECT_TRUE(ErrorBoxes().empty());
}

TEST_F(SampleRate, TheKeyboardWritesOncePerChange) {
    OpenWithDevice(Device());
    ShowPage(kPage);
    FocusControl(Rates());
    ASSERT_EQ(GetFocus(), Rates());
    ClearCalls();
    PressKey(VK_UP);
    EXPECT_EQ(Calls(L"KORVELINE_SetSampleRate"), Texts{SetCall(44100)});
    EXPECT_EQ(ComboSelectedText(Rates()), L"44100 Hz");
    EXPECT_EQ(GetFocus(), Rates()) << "the refresh after the write keeps the focus";
    ClearCalls();
    PressKey(VK_UP);
    EXPECT_EQ(Calls(L"KORVELINE_SetSampleRate"), Texts{SetCall(96000)});
}

TEST_F(SampleRate, ARefusedRateIsReportedOnceAndTheDriversRateSelectedAgain) {
    OpenWithDevice(Device());
    ShowPage(kPage);
    Simulator().Fail("KORVELINE_SetSampleRate", 0xEE00000A, kSimFailOnce);
    ChooseComboEntry(Rates(), 1);
    ASSERT_EQ(ErrorBoxes().size(), 1u);
    EXPECT_NE(ErrorBoxes()[0].text.find(
                  L"\"SaveSelectedSampleRate: KORVELINE_SetSampleRate -> 0xEE00000A\""),
              std::wstring::npos)
        << ErrorBoxes()[0].text;
    EXPECT_EQ(ComboSelectedText(Rates()), L"48000 Hz");
}

TEST_F(SampleRate, FailedReadsLeaveTheSelectorEmptyAndAreNotReported) {
    OpenWithDevice(Device());
    ShowPage(kPage);
    for (const char* entryPoint :
         {"KORVELINE_GetSupportedSampleRates", "KORVELINE_GetCurrentSampleRate"}) {
        Simulator().Fail(entryPoint, 0xEE000123, kSimFailOnce);
        Simulator().Command(L"notify 1 1");
        Pump();
        EXPECT_TRUE(ComboTexts(Rates()).empty()) << entryPoint;
        EXPECT_FALSE(IsWindowEnabled(Rates())) << entryPoint;
    }
    EXPECT_TRUE(ErrorBoxes().empty());
}

TEST_F(SampleRate, AnOlderLibraryIsSilentOnReadAndReportedOnWrite) {
    OwnBinding().KORVELINE_SetSampleRate = nullptr;
    OpenWithDevice(Device());
    ShowPage(kPage);
    EXPECT_EQ(ComboTexts(Rates()).size(), 3u);
    ChooseComboEntry(Rates(), 0);
    ASSERT_EQ(ErrorBoxes().size(), 1u);
    EXPECT_NE(ErrorBoxes()[0].text.find(L"KORVELINE_SetSampleRate -> 0xEE000030"),
              std::wstring::npos);
    EXPECT_EQ(ComboSelectedText(Rates()), L"48000 Hz");
    window.reset();

    OwnBinding().KORVELINE_GetCurrentSampleRate = nullptr;
    OpenMainWindow();
    ShowPage(kPage);
    EXPECT_TRUE(ComboTexts(Rates()).empty());
    EXPECT_EQ(ErrorBoxes().size(), 1u) << "reads report nothing";
}

TEST_F(SampleRate, AutoFollowsTheDriversPanelOptions) {
    OpenWithDevice(Device("panelOptions=\"0x2\""));
    EXPECT_FALSE(HasPage(kPage));
    window.reset();
    settings.sampleRatePage = Visibility::Visible;
    OpenMainWindow();
    EXPECT_TRUE(HasPage(kPage));
    window.reset();

    settings.sampleRatePage = Visibility::Auto;
    OpenWithDevice(Device("panelOptions=\"0x1\""));
    EXPECT_TRUE(HasPage(kPage));
    Simulator().Fail("KORVELINE_GetControlPanelOptions", 0xEE000123, kSimFailAlways);
    window.reset();
    OpenMainWindow();
    EXPECT_FALSE(HasPage(kPage)) << "a failed options read hides the page";
}

} // namespace
