// The stream formats page against the simulated driver.
#include "pages/PageStreamFormats.h"
#include "tests/support/MainWindowFixture.h"

namespace {

using Texts = std::vector<std::wstring>;
constexpr UINT kPage = PageStreamFormats::IDD;

std::string Format(int id, int bits, int channels, const std::string& type = "pcm") {
    return "<StreamFormat id=\"" + std::to_string(id) + "\" bits=\"" + std::to_string(bits) +
           "\" channels=\"" + std::to_string(channels) + "\" type=\"" + type + "\"/>";
}
const std::string kInput =
    "<Input currentFormat=\"2\">" + Format(1, 24, 2) + Format(2, 32, 8, "float") + "</Input>";
const std::string kOutput =
    "<Output currentFormat=\"11\">" + Format(11, 16, 2) + Format(12, 24, 6, "other") + "</Output>";

std::string Device(const std::string& sides, const std::string& attributes = "") {
    return DeviceXml(1, "Alpha DAC", "A-1", attributes, sides);
}

class StreamFormats : public MainWindowTest {
protected:
    HWND Upper() const { return PageControl(kPage, PageStreamFormats::kUpperSelector); }
    HWND Lower() const { return PageControl(kPage, PageStreamFormats::kLowerSelector); }
    std::wstring GroupText(int id) const {
        wchar_t text[64] = {};
        GetWindowTextW(PageControl(kPage, id), text, 64);
        return IsWindowVisible(PageControl(kPage, id)) ? text : L"(hidden)";
    }
    std::wstring ListRead(int direction) const {
        return DeviceCall(L"KORVELINE_GetSupportedStreamFormats",
                          std::to_wstring(direction) + L", 32, ptr, ptr");
    }
};

TEST_F(StreamFormats, BothSidesListTheirFormatsWithTheCurrentOnesSelected) {
    OpenWithDevice(Device(kInput + kOutput));
    ASSERT_NE(ShowPage(kPage), nullptr);
    EXPECT_EQ(GroupText(PageStreamFormats::kUpperGroup), L"Input");
    EXPECT_EQ(ComboTexts(Upper()),
              (Texts{L"2 channel(s), 24 bits", L"8 channel(s), 32 bits (float)"}));
    EXPECT_EQ(ComboItemData(Upper()), (std::vector<std::uint32_t>{1, 2}));
    EXPECT_EQ(ComboSelectedText(Upper()), L"8 channel(s), 32 bits (float)");
    EXPECT_EQ(GroupText(PageStreamFormats::kLowerGroup), L"Output");
    EXPECT_EQ(ComboTexts(Lower()),
              (Texts{L"2 channel(s), 16 bits", L"6 channel(s), 24 bits (other)"}));
    EXPECT_EQ(ComboSelectedText(Lower()), L"2 channel(s), 16 bits");
    EXPECT_TRUE(IsWindowEnabled(Upper()) && IsWindowEnabled(Lower()));
    const HWND page = GetParent(Upper());
    EXPECT_EQ(GetNextDlgTabItem(page, nullptr, FALSE), Upper());
    EXPECT_EQ(GetNextDlgTabItem(page, Upper(), FALSE), Lower()) << "Tab goes on to the output";
}

TEST_F(StreamFormats, ASingleSideTakesTheUpperSection) {
    settings.streamFormatsPage = Visibility::Visible;
    for (const std::string& side : {kInput, kOutput}) {
        OpenWithDevice(Device(side));
        ShowPage(kPage);
        EXPECT_EQ(GroupText(PageStreamFormats::kUpperGroup), side == kInput ? L"Input" : L"Output");
        EXPECT_EQ(ComboTexts(Upper()).size(), 2u);
        EXPECT_EQ(GroupText(PageStreamFormats::kLowerGroup), L"(hidden)");
        EXPECT_FALSE(IsWindowVisible(Lower()));
        window.reset();
    }
}

TEST_F(StreamFormats, AChoiceWritesItsDirectionAndIdOnce) {
    OpenWithDevice(Device(kInput + kOutput));
    ShowPage(kPage);
    ClearCalls();
    ChooseComboEntry(Lower(), 1);
    EXPECT_EQ(Calls(L"KORVELINE_SetCurrentStreamFormat"),
              Texts{DeviceCall(L"KORVELINE_SetCurrentStreamFormat", L"0, 12")});
    EXPECT_EQ(ComboSelectedText(Lower()), L"6 channel(s), 24 bits (other)");

    FocusControl(Upper());
    ClearCalls();
    PressKey(VK_UP);
    EXPECT_EQ(Calls(L"KORVELINE_SetCurrentStreamFormat"),
              Texts{DeviceCall(L"KORVELINE_SetCurrentStreamFormat", L"1, 1")})
        << "keyboard";
    EXPECT_TRUE(ErrorBoxes().empty());
}

TEST_F(StreamFormats, ASwitchWhileInUseShowsTheInUseTextAndRereadsOnlyThatSide) {
    OpenWithDevice(Device(kInput + kOutput));
    ShowPage(kPage);
    Simulator().Command(L"set-clients 1 1 1 0");
    Pump();
    ClearCalls();
    ChooseComboEntry(Lower(), 1);
    ASSERT_EQ(ErrorBoxes().size(), 1u);
    EXPECT_EQ(ErrorBoxes()[0].text,
              L"Switching stream format is not allowed while the device is in use.");
    EXPECT_EQ(ComboSelectedText(Lower()), L"2 channel(s), 16 bits");
    EXPECT_EQ(Calls(L"KORVELINE_GetSupportedStreamFormats"), Texts{ListRead(0)});

    Simulator().Fail("KORVELINE_SetCurrentStreamFormat", 0xEE00100E, kSimFailOnce);
    ChooseComboEntry(Upper(), 0);
    ASSERT_EQ(ErrorBoxes().size(), 2u);
    EXPECT_EQ(ErrorBoxes()[1].text, ErrorBoxes()[0].text);
}

TEST_F(StreamFormats, OtherSelectionModesAndSingleFormatsKeepTheSelectorsDisabled) {
    OpenWithDevice(Device(kInput + kOutput, "formatSelectionMode=\"2\""));
    ShowPage(kPage);
    EXPECT_EQ(ComboSelectedText(Upper()), L"8 channel(s), 32 bits (float)");
    EXPECT_FALSE(IsWindowEnabled(Upper()));
    EXPECT_FALSE(IsWindowEnabled(Lower()));
    window.reset();

    settings.streamFormatsPage = Visibility::Visible;
    OpenWithDevice(Device("<Output>" + Format(11, 16, 2) + "</Output>"));
    ShowPage(kPage);
    EXPECT_EQ(ComboSelectedText(Upper()), L"2 channel(s), 16 bits");
    EXPECT_FALSE(IsWindowEnabled(Upper())) << "one format offers no choice";
}

TEST_F(StreamFormats, APartialListIsShownAsDelivered) {
    std::string formats;
    for (int id = 1; id <= 33; ++id)
        formats += Format(id, 24, id % 2 == 0 ? 2 : 8);
    OpenWithDevice(Device("<Input currentFormat=\"3\">" + formats + "</Input>"));
    ASSERT_NE(ShowPage(kPage), nullptr);
    EXPECT_EQ(GroupText(PageStreamFormats::kUpperGroup), L"Input");
    EXPECT_EQ(ComboTexts(Upper()).size(), 32u);
    EXPECT_EQ(ComboSelectedText(Upper()), L"8 channel(s), 24 bits");
}

TEST_F(StreamFormats, FailedAndUnavailableReadsAreSilentUnavailableWritesReported) {
    OwnBinding().KORVELINE_SetCurrentStreamFormat = nullptr;
    OpenWithDevice(Device(kInput + kOutput));
    ShowPage(kPage);
    Simulator().Fail("KORVELINE_GetCurrentStreamFormat", 0xEE000123, kSimFailOnce);
    Simulator().Command(L"notify 1 5");
    Pump();
    EXPECT_TRUE(ComboTexts(Upper()).empty()) << "the failed side stays empty";
    EXPECT_FALSE(IsWindowEnabled(Upper()));
    EXPECT_EQ(ComboTexts(Lower()).size(), 2u);
    EXPECT_TRUE(ErrorBoxes().empty());

    ChooseComboEntry(Lower(), 1);
    ASSERT_EQ(ErrorBoxes().size(), 1u);
    EXPECT_NE(ErrorBoxes()[0].text.find(
                  L"\"SaveSelectedStreamFormat: KORVELINE_SetCurrentStreamFormat -> 0xEE000030\""),
              std::wstring::npos);
}

TEST_F(StreamFormats, AutoNeedsFormatsWithDifferentChannelCounts) {
    OpenWithDevice(Device("<Output>" + Format(11, 16, 2) + Format(12, 24, 2) + "</Output>"));
    EXPECT_FALSE(HasPage(kPage));
    window.reset();
    OpenWithDevice(Device(kOutput));
    EXPECT_TRUE(HasPage(kPage));
}

} // namespace
