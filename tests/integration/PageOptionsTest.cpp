// The options page (streaming mode) against the simulated driver.
#include "pages/PageOptions.h"
#include "tests/support/MainWindowFixture.h"

namespace {

using Texts = std::vector<std::wstring>;
constexpr UINT kPage = PageOptions::IDD;

std::string Device(const std::string& mode = "2") {
    return DeviceXml(1, "Alpha DAC", "A-1", "streamingMode=\"" + mode + "\"");
}

class Options : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        settings.optionsPage = Visibility::Visible;
    }
    HWND Modes() const { return PageControl(kPage, PageOptions::kModeSelector); }
    std::wstring SetCall(int mode) const {
        return DeviceCall(L"KORVELINE_SetDeviceStreamingMode", std::to_wstring(mode) + L", 1");
    }
};

TEST_F(Options, ShowsTheTwoModesWithTheDriversOneSelected) {
    OpenWithDevice(Device("2"));
    ASSERT_NE(ShowPage(kPage), nullptr);
    EXPECT_EQ(ComboTexts(Modes()), (Texts{L"On when Needed", L"Always On"}));
    EXPECT_EQ(ComboItemData(Modes()), (std::vector<std::uint32_t>{1, 2}));
    EXPECT_EQ(ComboSelectedText(Modes()), L"Always On");
    EXPECT_TRUE(IsWindowEnabled(Modes()));
    EXPECT_EQ(GetNextDlgTabItem(GetParent(Modes()), nullptr, FALSE), Modes());

    Simulator().Command(L"set-streaming-mode 1 1");
    Pump();
    EXPECT_EQ(ComboSelectedText(Modes()), L"On when Needed") << "a change at the device";
}

TEST_F(Options, AChoiceWritesItsModeOnceAndReadsItBack) {
    OpenWithDevice(Device("1"));
    ShowPage(kPage);
    ClearCalls();
    ChooseComboEntry(Modes(), 1);
    EXPECT_EQ(Calls(L"KORVELINE_SetDeviceStreamingMode"), Texts{SetCall(2)});
    EXPECT_FALSE(Calls(L"KORVELINE_GetDeviceStreamingMode").empty());
    EXPECT_EQ(ComboSelectedText(Modes()), L"Always On");

    FocusControl(Modes());
    ClearCalls();
    PressKey(VK_UP);
    EXPECT_EQ(Calls(L"KORVELINE_SetDeviceStreamingMode"), Texts{SetCall(1)}) << "keyboard";
    EXPECT_EQ(ComboSelectedText(Modes()), L"On when Needed");
    EXPECT_TRUE(ErrorBoxes().empty());
}

TEST_F(Options, ARefusedModeIsReportedOnceAndTheDriversModeSelectedAgain) {
    OpenWithDevice(Device("1"));
    ShowPage(kPage);
    Simulator().Fail("KORVELINE_SetDeviceStreamingMode", 0xEE000002, kSimFailOnce);
    ChooseComboEntry(Modes(), 1);
    ASSERT_EQ(ErrorBoxes().size(), 1u);
    EXPECT_NE(ErrorBoxes()[0].text.find(
                  L"\"SaveSelectedStreamingMode: KORVELINE_SetDeviceStreamingMode -> 0xEE000002\""),
              std::wstring::npos)
        << ErrorBoxes()[0].text;
    EXPECT_EQ(ComboSelectedText(Modes()), L"On when Needed");
}

TEST_F(Options, AnUnreadableModeSelectsNothingAndIsNotReported) {
    OpenWithDevice(Device());
    ShowPage(kPage);
    Simulator().Fail("KORVELINE_GetDeviceStreamingMode", 0xEE000123, kSimFailOnce);
    Simulator().Command(L"notify 1 6");
    Pump();
    EXPECT_EQ(ComboSelectedText(Modes()), L"");
    EXPECT_EQ(ComboTexts(Modes()).size(), 2u) << "the entries are never rebuilt";
    EXPECT_TRUE(IsWindowEnabled(Modes()));
    EXPECT_TRUE(ErrorBoxes().empty());
}

TEST_F(Options, AnOlderLibraryIsSilentOnReadAndReportedOnWrite) {
    OwnBinding().KORVELINE_GetDeviceStreamingMode = nullptr;
    OwnBinding().KORVELINE_SetDeviceStreamingMode = nullptr;
    OpenWithDevice(Device());
    ShowPage(kPage);
    EXPECT_EQ(ComboSelectedText(Modes()), L"");
    EXPECT_TRUE(ErrorBoxes().empty());
    ChooseComboEntry(Modes(), 0);
    ASSERT_EQ(ErrorBoxes().size(), 1u);
    EXPECT_NE(ErrorBoxes()[0].text.find(L"KORVELINE_SetDeviceStreamingMode -> 0xEE000030"),
              std::wstring::npos);
}

TEST_F(Options, OnlyVisibleShowsThePageAutoCountsAsHidden) {
    for (const Visibility visibility : {Visibility::Auto, Visibility::Hidden}) {
        settings.optionsPage = visibility;
        OpenWithDevice(Device());
        EXPECT_FALSE(HasPage(kPage));
        window.reset();
    }
}

} // namespace
