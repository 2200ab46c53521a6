// Arrivals, removals and device notifications as the simulated driver delivers them.
#include "app/AppMessages.h"
#include "pages/PageClockSource.h"
#include "pages/PageSampleRate.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/MessageBoxWatcher.h"

#include "tests/support/MessagePump.h"

#include <commctrl.h>

#include <algorithm>
#include <numeric>
#include <thread>

namespace {

using DeviceChanges = MainWindowTest;
using Texts = std::vector<std::wstring>;

const std::string kRates = "<SampleRates current=\"44100\">44100 48000</SampleRates>";

std::string TwoDevicesOneUnplugged() {
    return DeviceXml(1, "Alpha DAC", "A-1", "", kRates) +
           DeviceXml(2, "Beta Interface", "B-2", "plugged=\"false\"", kRates);
}

TEST_F(DeviceChanges, ArrivalAndRemovalWhileVisibleUpdateTheList) {
    LoadDevices(TwoDevicesOneUnplugged());
    OpenMainWindow();
    ASSERT_NE(window->OpenedDevice(), 0u);

    ASSERT_EQ(Simulator().Plug(2), 0u);
    Pump();
    EXPECT_EQ(SelectorTexts(),
              (Texts{L"Please select a device.", L"Alpha DAC (A-1)", L"Beta Interface (B-2)"}));
    EXPECT_EQ(window->OpenedDevice(), 0u) << "with two devices the user chooses again";

    ChooseEntry(2);
    ASSERT_NE(window->OpenedDevice(), 0u);
    ASSERT_EQ(Simulator().Unplug(2), 0u);
    Pump();
    EXPECT_EQ(SelectorTexts(), Texts{L"Alpha DAC (A-1)"});
    EXPECT_NE(window->OpenedDevice(), 0u) << "the remaining device is reopened at once";
    EXPECT_EQ(window->CurrentPageId(), PageStatus::IDD);
}

TEST_F(DeviceChanges, ArrivalWhileHiddenWaitsUntilTheWindowIsShownAndRunsOnce) {
    LoadDevices(TwoDevicesOneUnplugged());
    OpenMainWindow(false);
    Simulator().ClearCallLog();

    ASSERT_EQ(Simulator().Plug(2), 0u);
    ASSERT_EQ(Simulator().Unplug(2), 0u);
    ASSERT_EQ(Simulator().Plug(2), 0u);
    Pump();
    EXPECT_TRUE(Calls(L"KORVELINE_EnumerateDevices").empty())
        << "a hidden window enumerates nothing";
    EXPECT_TRUE(window->IsUpdatePending());
    EXPECT_EQ(window->OpenedDevice(), 0u) << "the device is closed while the update waits";

    Command(CMD_SHOW);
    EXPECT_TRUE(IsWindowVisible(Hwnd()));
    EXPECT_EQ(Calls(L"KORVELINE_EnumerateDevices").size(), 1u);
    EXPECT_FALSE(window->IsUpdatePending());
    EXPECT_EQ(SelectorTexts().size(), 3u);
}

// Neither an arrival nor a device selection runs inside the box's loop: both wait for it.
TEST_F(DeviceChanges, ArrivalAndSelectionWhileAnErrorBoxIsOpenRunWhenItCloses) {
    LoadDevices(TwoDevicesOneUnplugged());
    OpenMainWindow();
    MessageBoxWatcher& watcher = Boxes();
    const HWND mainWindow = Hwnd();
    std::atomic<bool> plugged{false};
    std::atomic<std::size_t> enumerationsWhileOpen{99}, opensWhileOpen{99};
    std::thread helper = WithErrorBoxHeldOpen([&] {
        plugged = Simulator().Plug(2) == 0;
        PostMessageW(mainWindow, MSG_DEVICE_SELECTION_CHANGED, 0, 0);
        Sleep(300);
        enumerationsWhileOpen = Calls(L"KORVELINE_EnumerateDevices").size();
        opensWhileOpen = Calls(L"KORVELINE_OpenDeviceByIndex").size();
    });
    Simulator().ClearCallLog();
    Simulator().Fail("KORVELINE_OpenDeviceByIndex", 0xEE000123, kSimFailOnce);
    ChooseEntry(0);
    Pump();
    helper.join();

    ASSERT_EQ(watcher.Seen().size(), 1u);
    EXPECT_NE(
        watcher.Seen()[0].text.find(L"\"OnDeviceSelectionChanged: OpenDevice -> 0xEE000123\""),
        std::wstring::npos)
        << watcher.Seen()[0].text;
    EXPECT_EQ(watcher.Seen()[0].icon, SeenMessageBox::Icon::Error);
    EXPECT_EQ(watcher.Seen()[0].owner, Hwnd());
    EXPECT_TRUE(plugged);
    EXPECT_EQ(enumerationsWhileOpen, 0u) << "nothing is enumerated while the box is open";
    EXPECT_EQ(opensWhileOpen, 1u) << "nothing but the failed open while the box is open";
    EXPECT_EQ(Calls(L"KORVELINE_EnumerateDevices").size(), 1u) << "the update ran after it";
    EXPECT_EQ(SelectorTexts().size(), 3u);
}

TEST_F(DeviceChanges, ReportsWhileTheBoxIsOpenAreDropped) {
    OpenWithDevice(DeviceXml(1, "Alpha DAC", "A-1", "panelOptions=\"0x1\"", kRates));
    const HWND page = ShowPage(PageSampleRate::IDD);
    const HWND rates = GetDlgItem(page, PageSampleRate::kRateSelector);
    MessageBoxWatcher& watcher = Boxes();
    std::thread helper = WithErrorBoxHeldOpen([page, rates] {
        // A second failing write, handled inside the box's modal loop.
        SendMessageW(rates, CB_SETCURSEL, 0, 0);
        SendMessageW(page, WM_COMMAND, MAKEWPARAM(PageSampleRate::kRateSelector, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(rates));
    });
    Simulator().Fail("KORVELINE_SetSampleRate", 0xEE000123, kSimFailAlways);
    Simulator().ClearCallLog();
    ChooseComboEntry(rates, 1);
    helper.join();
    Simulator().Fail("KORVELINE_SetSampleRate", 0, kSimFailOff);

    EXPECT_EQ(watcher.Seen().size(), 1u);
    EXPECT_EQ(Calls(L"KORVELINE_SetSampleRate").size(), 2u) << "both writes were tried";
}

// The sheet gives up no tab while it lives: the pages behind the tabs kept.
LRESULT CALLBACK RefuseRemoval(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR) {
    if (message == PSM_REMOVEPAGE)
        return 0;
    return DefSubclassProc(window, message, wParam, lParam);
}

TEST_F(DeviceChanges, APageWhoseTabTheSheetKeepsIsNotDeleted) {
    OpenWithDevice(DeviceXml(1, "Alpha DAC", "A-1", "",
                             kRates + "<ClockSources><ClockSource id=\"1\"/>"
                                      "<ClockSource id=\"2\"/></ClockSources>"));
    const HWND clockPage = ShowPage(PageClockSource::IDD);
    ASSERT_NE(clockPage, nullptr);
    SendMessageW(Hwnd(), PSM_SETCURSEL, 0, 0);
    const int tabs = window->PageCount();

    ASSERT_TRUE(SetWindowSubclass(Hwnd(), RefuseRemoval, 1, 0));
    SendMessageW(Hwnd(), MSG_DEVICE_SELECTION_CHANGED, 0, 0);
    RemoveWindowSubclass(Hwnd(), RefuseRemoval, 1);
    Pump();
    ASSERT_EQ(window->PageCount(), 2 * tabs - 1) << "the old tabs stay beside the new ones";

    // The kept page still answers its tab: its object is alive and reads the driver.
    ClearCalls();
    const auto index =
        SendMessageW(Hwnd(), PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(clockPage), 0);
    ASSERT_GE(index, 0);
    SendMessageW(Hwnd(), PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
    Pump();
    EXPECT_TRUE(IsWindow(clockPage));
    EXPECT_FALSE(Calls(L"KORVELINE_GetSupportedClockSources").empty());
}

TEST_F(DeviceChanges, SampleRateLineShowsTheCurrentRate) {
    LoadDevices(DeviceXml(1, "Alpha DAC", "A-1", "",
                          kRates + "<ClockSources current=\"1\"><ClockSource id=\"1\" unitId=\"9\" "
                                   "name=\"Internal\"/></ClockSources>"));
    OpenMainWindow();
    EXPECT_EQ(SampleRateLine(), L"44100 Hz");

    ASSERT_EQ(Simulator().Command(L"clock-state 1 1 invalid").status, 0u);
    Pump();
    EXPECT_EQ(SampleRateLine(), L"No valid sample rate");

    ASSERT_EQ(Simulator().Command(L"clock-state 1 1 valid").status, 0u);
    ASSERT_EQ(Simulator().Command(L"set-rate 1 48000").status, 0u);
    Pump();
    EXPECT_EQ(SampleRateLine(), L"48000 Hz");

    Simulator().Fail("KORVELINE_GetCurrentSampleRate", 0xEE000123, kSimFailAlways);
    ASSERT_EQ(Simulator().Command(L"notify 1 7").status, 0u);
    Pump();
    EXPECT_EQ(SampleRateLine(), L"") << "a failed read leaves the line empty";
}

TEST_F(DeviceChanges, RepeatedCodesReachThePagesOnceAndCodesThreeAndFourRefreshNothing) {
    LoadDevices(DeviceXml(1, "Alpha DAC", "A-1", "", kRates));
    OpenMainWindow();
    struct Case {
        std::vector<int> codes;
        std::size_t refreshes;
    };
    const Case cases[] = {{{7, 7, 9, 7}, 2}, {{3, 4, 3}, 0}, {{4, 5, 4}, 1}};
    for (const Case& c : cases) {
        Simulator().ClearCallLog();
        for (int code : c.codes)
            ASSERT_EQ(Simulator().Command(L"notify 1 " + std::to_wstring(code)).status, 0u);
        Pump();
        EXPECT_GE(Calls(L"KORVELINE_ReadDeviceNotification").size(), c.codes.size() + 1)
            << "the queue is drained until empty";
        EXPECT_EQ(Calls(L"KORVELINE_GetCurrentSampleRate").size(), c.refreshes) << c.codes[0];
    }
}

TEST_F(DeviceChanges, NotificationsWhileHiddenRefreshNothing) {
    LoadDevices(DeviceXml(1, "Alpha DAC", "A-1", "", kRates));
    OpenMainWindow();
    ShowWindow(Hwnd(), SW_HIDE);
    Simulator().ClearCallLog();
    ASSERT_EQ(Simulator().Command(L"notify 1 7").status, 0u);
    Pump();
    EXPECT_FALSE(Calls(L"KORVELINE_ReadDeviceNotification").empty());
    EXPECT_TRUE(Calls(L"KORVELINE_GetCurrentSampleRate").empty());

    Command(CMD_SHOW);
    EXPECT_EQ(Calls(L"KORVELINE_GetCurrentSampleRate").size(), 1u)
        << "showing the window refreshes the page once";
}

// The window reads at most kMaxNotificationReads per message; what is left must still
// arrive, although the driver signals its event only for new notifications.
class RecordingSheet : public MainPropSheetDlg {
public:
    using MainPropSheetDlg::MainPropSheetDlg;
    void OnDeviceNotification(std::uint32_t code) override {
        codes.push_back(code);
        if (handlingMs != 0)
            Sleep(handlingMs);
        MainPropSheetDlg::OnDeviceNotification(code);
    }
    std::vector<std::uint32_t> codes;
    DWORD handlingMs = 0; // what each code costs the pages
};

// The main window, shown, with one device open and the codes it hands on recorded.
class RecordedNotifications : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        LoadDevices(DeviceXml(1, "Alpha DAC", "A-1", "", kRates));
        auto sheet = std::make_unique<RecordingSheet>(TheKorvelineApiDll(), settings);
        recording_ = sheet.get();
        window = std::move(sheet);
        ASSERT_NE(window->Create(), nullptr);
        ShowWindow(Hwnd(), SW_SHOW);
        Pump();
    }
    RecordingSheet& Recording() { return *recording_; }

private:
    RecordingSheet* recording_ = nullptr;
};

TEST_F(RecordedNotifications, ABurstLongerThanOneReadDeliversEveryCode) {
    RecordingSheet& recording = Recording();
    recording.codes.clear();
    // 1000 notifications, 50 of each code in a row, queued within a few milliseconds: the
    // watcher posts at the first and once more after its pause, so the codes after the
    // first two reads arrive only if the window asks again itself.
    for (int code = 1; code <= 20; ++code)
        ASSERT_EQ(Simulator().Command(L"notify 1 " + std::to_wstring(code) + L" 50").status, 0u);
    Pump();
    std::vector<std::uint32_t> distinct = recording.codes;
    std::sort(distinct.begin(), distinct.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    std::vector<std::uint32_t> all(20);
    std::iota(all.begin(), all.end(), 1u);
    EXPECT_EQ(distinct, all);
}

// Each code refreshes the page shown, so a drain of many codes must not hold the window:
// it hands them on in slices, the rest after other messages, and what still waits when
// the device closes goes with it.
TEST_F(RecordedNotifications, ALongDrainIsHandedOnInSlicesAndDroppedWithTheDevice) {
    RecordingSheet& recording = Recording();
    recording.handlingMs = 10;
    std::vector<std::uint32_t> all(12);
    std::iota(all.begin(), all.end(), 1u);

    // Queues every code, then lets the window handle the watcher's one message alone.
    const auto queueAndHandleOneDrain = [&] {
        recording.codes.clear();
        for (const std::uint32_t code : all)
            ASSERT_EQ(Simulator().Command(L"notify 1 " + std::to_wstring(code)).status, 0u);
        MSG message{};
        const ULONGLONG limit = GetTickCount64() + 2000;
        while (!PeekMessageW(&message, Hwnd(), MSG_DEVICE_NOTIFICATION, MSG_DEVICE_NOTIFICATION,
                             PM_REMOVE)) {
            ASSERT_LT(GetTickCount64(), limit) << "the watcher posted nothing";
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_POSTMESSAGE);
        }
        DispatchMessageW(&message);
        EXPECT_GE(recording.codes.size(), 1u);
        EXPECT_LT(recording.codes.size(), all.size()) << "one message handed on every code";
    };

    queueAndHandleOneDrain();
    Pump();
    EXPECT_EQ(recording.codes, all) << "every code once, in order of arrival";

    queueAndHandleOneDrain();
    const std::size_t handedOn = recording.codes.size();
    SendMessageW(Hwnd(), MSG_DEVICE_SELECTION_CHANGED, 0, 0); // closes and reopens the device
    Pump();
    EXPECT_NE(window->OpenedDevice(), 0u);
    EXPECT_EQ(recording.codes.size(), handedOn) << "codes of the closed device went on";
}

TEST_F(DeviceChanges, AQueueThatNeverEmptiesLeavesTheWindowAnswering) {
    LoadDevices(DeviceXml(1, "Alpha DAC", "A-1", "", kRates));
    OpenMainWindow();
    ASSERT_EQ(Simulator().Command(L"misbehave queue on").status, 0u);
    Simulator().ClearCallLog();
    ASSERT_EQ(Simulator().Command(L"notify 1 7").status, 0u);

    // Another thread asks the window for an answer while it reads on and on.
    DWORD_PTR answer = 0;
    LRESULT answered = 0;
    std::thread asker([&] {
        Sleep(300);
        answered = SendMessageTimeoutW(Hwnd(), WM_GETDLGCODE, 0, 0, SMTO_NORMAL, 2000, &answer);
    });
    PumpMessagesFor(1500);
    asker.join();
    EXPECT_NE(answered, 0) << "the window did not answer within 2 s";
    const std::size_t reads = Calls(L"KORVELINE_ReadDeviceNotification").size();
    EXPECT_GT(reads, 2u * DeviceSession::kMaxNotificationReads) << "reading goes on";
    EXPECT_EQ(reads % DeviceSession::kMaxNotificationReads, 0u) << reads;
    EXPECT_EQ(SampleRateLine(), L"44100 Hz");
    ASSERT_EQ(Simulator().Command(L"misbehave queue off").status, 0u);
    Pump();
}

} // namespace
