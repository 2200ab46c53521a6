// The buffer settings page against the simulator: sizes, safe mode, status lines, the
// instance selector and the write of a chosen setting.
#include "pages/PageBufferSettings.h"
#include "sim/SimFaults.h"
#include "tests/support/MainWindowFixture.h"

namespace {

using Texts = std::vector<std::wstring>;
using Page = PageBufferSettings;

std::string Instance(int number, const std::string& name, const std::string& sizes,
                     const std::string& attributes = "") {
    return "<AsioInstance number=\"" + std::to_string(number) + "\" name=\"" + name +
           "\" bufferSizes=\"" + sizes + "\" " + attributes + "/>";
}

// A device of instance `relation` at 48 kHz.
std::string AsioDevice(int id, int relation, const std::string& clients = "0") {
    return DeviceXml(id, "Dev " + std::to_string(id), "S-" + std::to_string(id),
                     "asioInstance=\"" + std::to_string(relation) + "\" asioAllowed=\"0 1\"",
                     "<SampleRates current=\"48000\">48000</SampleRates><Clients asio=\"" +
                         clients + "\"/>");
}

class BufferSettingsPage : public MainWindowTest {
protected:
    void Open(const std::string& scenarioXml, std::uint32_t deviceIndex = 0) {
        OpenWithDevice(scenarioXml, deviceIndex);
        ASSERT_NE(ShowPage(Page::IDD), nullptr) << "no buffer settings page";
    }
    HWND Item(int id) const { return PageControl(Page::IDD, id); }
    std::wstring Text(int id) const {
        wchar_t text[256] = {};
        GetWindowTextW(Item(id), text, 256);
        return text;
    }
    Texts StatusLines() const {
        return {Text(Page::kSampleRateLine), Text(Page::kInputLatencyLine),
                Text(Page::kOutputLatencyLine), Text(Page::kStateLine)};
    }
    bool SafeModeChecked() const {
        return SendMessageW(Item(Page::kSafeMode), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    int Top(int id) const {
        RECT rect{};
        GetWindowRect(Item(id), &rect);
        MapWindowPoints(nullptr, GetParent(Item(id)), reinterpret_cast<POINT*>(&rect), 2);
        return rect.top;
    }
};

TEST_F(BufferSettingsPage, ShowsTheInstanceOfTheDeviceAndSwitchesWithTheSelector) {
    Open(
        Instance(0, "Main", "64 128 256", "preferredBufferSize=\"256\" outputLatencyExtra=\"32\"") +
            Instance(1, "Second", "32 64", "preferredBufferSize=\"64\" safeMode=\"true\"") +
            AsioDevice(1, 0) + AsioDevice(2, 1),
        1);
    const HWND instances = Item(Page::kInstanceSelector);
    EXPECT_TRUE(IsWindowVisible(instances));
    EXPECT_EQ(ComboTexts(instances), (Texts{L"ASIO 1: Main", L"ASIO 2: Second"}));
    EXPECT_EQ(ComboSelectedText(instances), L"ASIO 2: Second") << "the device's own instance";
    EXPECT_EQ(ComboTexts(Item(Page::kBufferSizeSelector)), (Texts{L"32 samples", L"64 samples"}));
    EXPECT_EQ(ComboSelectedText(Item(Page::kBufferSizeSelector)), L"64 samples");
    EXPECT_TRUE(SafeModeChecked());

    ChooseComboEntry(instances, 0);
    EXPECT_EQ(ComboTexts(Item(Page::kBufferSizeSelector)),
              (Texts{L"64 samples", L"128 samples", L"256 samples"}));
    EXPECT_EQ(ComboSelectedText(Item(Page::kBufferSizeSelector)), L"256 samples");
    EXPECT_FALSE(SafeModeChecked());
    EXPECT_EQ(StatusLines(),
              (Texts{L"Current Sample Rate: 48000 Hz", L"Input Latency: 256 samples (5.33 ms)",
                     L"Output Latency: 288 samples (6.00 ms)", L"ASIO not used"}));
    EXPECT_TRUE(IsWindowEnabled(Item(Page::kBufferSizeSelector)));
}

TEST_F(BufferSettingsPage, ChosenSizeAndSafeModeAreWrittenWithTheCookieAndReadBack) {
    Open(Instance(0, "Main", "64 128 256", "preferredBufferSize=\"128\" cookie=\"0x1234\"") +
         AsioDevice(1, 0));
    ClearCalls();
    ChooseComboEntry(Item(Page::kBufferSizeSelector), 2);
    EXPECT_EQ(Calls(L"KORVELINE_SetASIOBufferPreferredSize"),
              Texts{L"KORVELINE_SetASIOBufferPreferredSize(0, 4660, 256, 0)"});
    EXPECT_EQ(Text(Page::kInputLatencyLine), L"Input Latency: 256 samples (5.33 ms)");

    ClearCalls();
    SendMessageW(Item(Page::kSafeMode), BM_CLICK, 0, 0);
    Pump();
    EXPECT_EQ(Calls(L"KORVELINE_SetASIOBufferPreferredSize"),
              Texts{L"KORVELINE_SetASIOBufferPreferredSize(0, 4660, 256, 65536)"});
    EXPECT_TRUE(SafeModeChecked());

    // A refused write is not reported; the page snaps back to what the driver keeps.
    Simulator().Fail("KORVELINE_SetASIOBufferPreferredSize", 0xEE000001, kSimFailOnce);
    ChooseComboEntry(Item(Page::kBufferSizeSelector), 0);
    EXPECT_EQ(ComboSelectedText(Item(Page::kBufferSizeSelector)), L"256 samples");
    EXPECT_TRUE(ErrorBoxes().empty());
}

TEST_F(BufferSettingsPage, HiddenSafeModeStillSendsTheDriversBitBack) {
    settings.bufferSettingsDisplaySafeMode = false;
    Open(Instance(0, "Main", "64 128", "safeMode=\"true\"") + AsioDevice(1, 0));
    EXPECT_FALSE(IsWindowVisible(Item(Page::kSafeMode)));
    ClearCalls();
    ChooseComboEntry(Item(Page::kBufferSizeSelector), 1);
    EXPECT_EQ(Calls(L"KORVELINE_SetASIOBufferPreferredSize"),
              Texts{L"KORVELINE_SetASIOBufferPreferredSize(0, 1509949440, 128, 65536)"});
}

TEST_F(BufferSettingsPage, OneInstanceHidesTheSelectorAndMovesThePageUpForGood) {
    LoadDevices(Instance(0, "Main", "64 128") + AsioDevice(1, 0));
    OpenMainWindow();
    ShowPage(Page::IDD);
    const int selectorTop = Top(Page::kInstanceSelector);
    EXPECT_FALSE(IsWindowVisible(Item(Page::kInstanceSelector)));
    EXPECT_EQ(Top(Page::kBufferGroup), selectorTop);
    const int lineTop = Top(Page::kStateLine);

    RECT frame{};
    GetWindowRect(Hwnd(), &frame);
    SetWindowPos(Hwnd(), nullptr, 0, 0, frame.right - frame.left + 80,
                 frame.bottom - frame.top + 60, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    EXPECT_EQ(Top(Page::kBufferGroup), selectorTop) << "the layout keeps the moved places";
    EXPECT_EQ(Top(Page::kStateLine), lineTop);
    EXPECT_EQ(ComboTexts(Item(Page::kBufferSizeSelector)), (Texts{L"64 samples", L"128 samples"}));
}

TEST_F(BufferSettingsPage, WithoutInstancesThePageAsksForNoneAndStaysEmptyAndDisabled) {
    settings.bufferSettingsPage = Visibility::Visible;
    Open(AsioDevice(1, 0));
    EXPECT_FALSE(IsWindowVisible(Item(Page::kInstanceSelector)));
    EXPECT_EQ(Calls(L"KORVELINE_GetASIOInstanceInfo").back(),
              L"KORVELINE_GetASIOInstanceInfo(4294967295, ptr)");
    EXPECT_TRUE(ComboTexts(Item(Page::kBufferSizeSelector)).empty());
    EXPECT_EQ(StatusLines(), (Texts{L"", L"", L"", L""}));
    EXPECT_FALSE(IsWindowEnabled(Item(Page::kSafeMode)));
    EXPECT_FALSE(IsWindowEnabled(Item(Page::kStatusGroup)));
    EXPECT_TRUE(ErrorBoxes().empty());
}

TEST_F(BufferSettingsPage, FortySizesAreListedAndALargerCountReadsNoFurther) {
    std::string sizes;
    for (int size = 1; size <= 40; ++size)
        sizes += std::to_string(size * 16) + " ";
    LoadDevices(Instance(0, "Main", sizes, "preferredBufferSize=\"640\"") + AsioDevice(1, 0));
    OpenMainWindow();
    ShowPage(Page::IDD);
    const HWND sizeSelector = Item(Page::kBufferSizeSelector);
    ASSERT_EQ(ComboTexts(sizeSelector).size(), 40u);
    EXPECT_EQ(ComboTexts(sizeSelector).back(), L"640 samples");
    EXPECT_EQ(ComboSelectedText(sizeSelector), L"640 samples");

    Simulator().SetMisbehaviour(kMisbehaveCounts);            // claims 45 sizes
    ASSERT_EQ(Simulator().Command(L"notify 1 9").status, 0u); // ASIO settings changed
    Pump();
    Simulator().SetMisbehaviour(0);
    EXPECT_EQ(ComboTexts(sizeSelector).size(), 40u);
}

TEST_F(BufferSettingsPage, ASingleSizeIsShownButCannotBeChosenAndAnUnofferedPreferenceSelectsNone) {
    Open(Instance(0, "Main", "256") +
         Instance(1, "Second", "64 128", "preferredBufferSize=\"96\"") + AsioDevice(1, 0));
    EXPECT_EQ(ComboSelectedText(Item(Page::kBufferSizeSelector)), L"256 samples");
    EXPECT_FALSE(IsWindowEnabled(Item(Page::kBufferSizeSelector)));

    ChooseComboEntry(Item(Page::kInstanceSelector), 1);
    EXPECT_EQ(ComboTexts(Item(Page::kBufferSizeSelector)), (Texts{L"64 samples", L"128 samples"}));
    EXPECT_EQ(ComboSelectedText(Item(Page::kBufferSizeSelector)), L"");
    EXPECT_TRUE(IsWindowEnabled(Item(Page::kBufferSizeSelector)));
}

TEST_F(BufferSettingsPage, InUseLinesAndTheLockFollowTheDriversNotifications) {
    settings.bufferSettingsDisableIfInUse = true;
    Open(Instance(0, "Main", "64 128", "dsd=\"true\"") + AsioDevice(1, 0));
    EXPECT_EQ(Text(Page::kStateLine), L"ASIO not used");
    EXPECT_TRUE(IsWindowEnabled(Item(Page::kSafeMode)));

    ASSERT_EQ(Simulator().Command(L"set-clients 1 1 0 1").status, 0u);
    Pump();
    EXPECT_EQ(Text(Page::kStateLine), L"ASIO in use (DSD mode)");
    EXPECT_FALSE(IsWindowEnabled(Item(Page::kBufferSizeSelector)));
    EXPECT_FALSE(IsWindowEnabled(Item(Page::kSafeMode)));
    EXPECT_TRUE(IsWindowEnabled(Item(Page::kStateLine)));
}

TEST_F(BufferSettingsPage, PcmUseWithoutTheLockKeepsTheControls) {
    Open(Instance(0, "Main", "64 128") + AsioDevice(1, 0, "2"));
    EXPECT_EQ(Text(Page::kStateLine), L"ASIO in use (PCM mode)");
    EXPECT_TRUE(IsWindowEnabled(Item(Page::kBufferSizeSelector)));
    EXPECT_TRUE(IsWindowEnabled(Item(Page::kSafeMode)));
}

TEST_F(BufferSettingsPage, RateZeroShowsNoLatencies) {
    Open(Instance(0, "Main", "64 128") +
         DeviceXml(1, "Dev 1", "S-1", "asioInstance=\"0\"",
                   "<SampleRates current=\"0\">48000</SampleRates>"));
    EXPECT_EQ(StatusLines(), (Texts{L"No valid sample rate", L"", L"", L""}));
}

TEST_F(BufferSettingsPage, TheKeyboardReachesEveryControlAndChangesTheSettings) {
    Open(Instance(0, "Main", "64 128 256", "preferredBufferSize=\"64\"") +
         Instance(1, "Second", "32 64") + AsioDevice(1, 0));
    FocusControl(Item(Page::kInstanceSelector));
    ASSERT_EQ(GetFocus(), Item(Page::kInstanceSelector));
    PressKey(VK_TAB);
    ASSERT_EQ(GetFocus(), Item(Page::kBufferSizeSelector));
    ClearCalls();
    PressKey(VK_DOWN);
    EXPECT_EQ(Calls(L"KORVELINE_SetASIOBufferPreferredSize"),
              Texts{L"KORVELINE_SetASIOBufferPreferredSize(0, 1509949440, 128, 0)"});
    EXPECT_EQ(ComboSelectedText(Item(Page::kBufferSizeSelector)), L"128 samples");

    PressKey(VK_TAB);
    ASSERT_EQ(GetFocus(), Item(Page::kSafeMode));
    PressKey(VK_SPACE);
    EXPECT_TRUE(SafeModeChecked());
    EXPECT_EQ(Calls(L"KORVELINE_SetASIOBufferPreferredSize").back(),
              L"KORVELINE_SetASIOBufferPreferredSize(0, 1509949440, 128, 65536)");
}

} // namespace
