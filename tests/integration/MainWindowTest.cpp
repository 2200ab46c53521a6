// The main window itself: creation, layout, the tray icon, commands and tear-down.
#include "app/PageFitting.h"
#include "pages/PageBufferSettings.h"
#include "pages/PageSampleRate.h"
#include "resources/resource.h"
#include "tests/support/EveryPageDevice.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/MessageBoxWatcher.h"
#include "tests/support/WindowQueries.h"
#include "framework/WorkArea.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <thread>

namespace {

using MainWindow = MainWindowTest;
using Texts = std::vector<std::wstring>;

const std::string kOneDevice =
    DeviceXml(1, "Alpha DAC", "A-1", "", "<SampleRates current=\"44100\">44100</SampleRates>");

RECT ScreenRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

// The translation file bytes for one text id (UTF-8 with its byte-order mark).
std::string Translation(const std::string& lines) {
    return "\xEF\xBB\xBF" + lines;
}

TEST_F(MainWindow, StartsHiddenResizableTitledAndWithoutTheButtonRow) {
    LoadDevices(kOneDevice);
    OpenMainWindow(false);
    EXPECT_FALSE(IsWindowVisible(Hwnd()));
    EXPECT_TRUE(window->IsInitializationCompleted());
    EXPECT_NE(GetWindowLongW(Hwnd(), GWL_STYLE) & WS_THICKFRAME, 0);
    EXPECT_EQ(WindowText(Hwnd()), L"Korveline Control Panel");
    EXPECT_EQ(GetParent(Hwnd()), nullptr);
    EXPECT_EQ(GetWindow(Hwnd(), GW_OWNER), nullptr);

    const HWND ok = GetDlgItem(Hwnd(), IDOK);
    ASSERT_NE(ok, nullptr);
    EXPECT_FALSE(IsWindowVisible(ok));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(Hwnd(), IDCANCEL)));
    EXPECT_EQ(ScreenRect(Hwnd()).bottom, ScreenRect(ok).top + 7) << "the button row is cut off";
    const RECT work = WorkAreaOf(Hwnd());
    const RECT placed = ScreenRect(Hwnd());
    EXPECT_LE(std::abs((placed.top - work.top) - (work.bottom - placed.bottom)), 1)
        << "centred with the height it keeps";
    EXPECT_LE(std::abs((placed.left - work.left) - (work.right - placed.right)), 1);

    EXPECT_EQ(GetDlgCtrlID(window->TabControl()), MainPropSheetDlg::kTabControlId);
    EXPECT_NE(window->Resizer().SizeGrip(), nullptr);
    MINMAXINFO limits{};
    SendMessageW(Hwnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    const RECT frame = ScreenRect(Hwnd());
    EXPECT_EQ(limits.ptMinTrackSize.x, frame.right - frame.left);
    EXPECT_EQ(limits.ptMinTrackSize.y, frame.bottom - frame.top);

    EXPECT_TRUE(reinterpret_cast<HICON>(SendMessageW(Hwnd(), WM_GETICON, ICON_SMALL, 0)));
    EXPECT_EQ(window->CurrentPageId(), PageStatus::IDD);
    EXPECT_FALSE(window->IsIconInstalled()) << "the icon is off by default";

    SendMessageW(Hwnd(), MSG_STARTUP_CHECK, 0, 0);
    Pump();
    EXPECT_TRUE(IsWindow(Hwnd())) << "the start-up check passes";
    EXPECT_FALSE(quitCode);
}

// The page fills the tab control's display area as the main window fits it.
void ExpectPageFitsTabs(const MainPropSheetDlg& sheet, HWND page) {
    const HWND tabs = sheet.TabControl();
    const RECT area = ScreenRect(tabs);
    const int rows = static_cast<int>(SendMessageW(tabs, TCM_GETROWCOUNT, 0, 0));
    const SIZE expected =
        FittedPageSize({area.right - area.left, area.bottom - area.top}, rows, sheet.ScreenDpi());
    const RECT placed = ScreenRect(page);
    EXPECT_EQ(placed.right - placed.left, expected.cx);
    EXPECT_EQ(placed.bottom - placed.top, expected.cy);
}

TEST_F(MainWindow, ResizingStretchesTheTabsAndFitsThePageIntoThem) {
    LoadDevices(kOneDevice);
    OpenMainWindow();
    const HWND page = window->StatusPage().Hwnd();
    const RECT selectorBefore = ScreenRect(Selector());
    const RECT frame = ScreenRect(Hwnd());
    SetWindowPos(Hwnd(), nullptr, 0, 0, frame.right - frame.left + 120,
                 frame.bottom - frame.top + 60, SWP_NOMOVE | SWP_NOZORDER);
    Pump();

    ExpectPageFitsTabs(*window, page);
    const RECT selectorAfter = ScreenRect(Selector());
    EXPECT_EQ(selectorAfter.left, selectorBefore.left);
    EXPECT_GT(selectorAfter.right, selectorBefore.right + 100) << "the page's controls stretch";

    SendMessageW(Hwnd(), WM_SIZE, SIZE_MAXIMIZED, 0);
    EXPECT_FALSE(IsWindowVisible(window->Resizer().SizeGrip()));
    SendMessageW(Hwnd(), WM_SIZE, SIZE_RESTORED, 0);
    EXPECT_TRUE(IsWindowVisible(window->Resizer().SizeGrip()));
}

// The page shown lies below every tab row.
void ExpectPageBelowTheTabs(const MainPropSheetDlg& sheet, HWND page) {
    const HWND tabs = sheet.TabControl();
    const int count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
    LONG rowsBottom = 0;
    for (int item = 0; item < count; ++item) {
        RECT tab{};
        SendMessageW(tabs, TCM_GETITEMRECT, item, reinterpret_cast<LPARAM>(&tab));
        MapWindowPoints(tabs, nullptr, reinterpret_cast<POINT*>(&tab), 2);
        rowsBottom = std::max(rowsBottom, tab.bottom);
    }
    EXPECT_GE(ScreenRect(page).top, rowsBottom) << "the page covers a tab row";
}

// A device's pages take the tab row to two rows and back; the status page stays shown
// throughout and must lie below the tabs and fit them each time.
TEST_F(MainWindow, ThePageShownFitsTheTabsAsADeviceComesAndGoes) {
    ShowEveryPage(settings);
    LoadDevices(EveryPageDeviceXml());
    OpenMainWindow();
    const HWND page = window->StatusPage().Hwnd();
    const auto expectPlaced = [&](bool twoRows) {
        ASSERT_EQ(SendMessageW(window->TabControl(), TCM_GETROWCOUNT, 0, 0) > 1, twoRows);
        EXPECT_EQ(window->CurrentPageId(), PageStatus::IDD);
        ExpectPageFitsTabs(*window, page);
        ExpectPageBelowTheTabs(*window, page);
    };
    expectPlaced(true);
    ASSERT_EQ(Simulator().Unplug(1), 0u);
    Pump();
    expectPlaced(false);
    ASSERT_EQ(Simulator().Plug(1), 0u);
    Pump();
    expectPlaced(true);
}

TEST_F(MainWindow, APageShownFirstAfterAResizeFitsTheTabs) {
    OpenWithDevice(DeviceXml(1, "Alpha DAC", "A-1", "panelOptions=\"0x1\"",
                             "<SampleRates current=\"48000\">44100 48000</SampleRates>"));
    ASSERT_TRUE(HasPage(PageSampleRate::IDD));
    const RECT frame = ScreenRect(Hwnd());
    SetWindowPos(Hwnd(), nullptr, 0, 0, frame.right - frame.left + 150,
                 frame.bottom - frame.top + 80, SWP_NOMOVE | SWP_NOZORDER);
    Pump();

    const HWND page = ShowPage(PageSampleRate::IDD);
    ASSERT_NE(page, nullptr);
    ExpectPageFitsTabs(*window, page);
}

TEST_F(MainWindow, WithoutTheIconOkCancelAndCloseEndTheProgram) {
    LoadDevices(kOneDevice);
    struct Case {
        UINT message;
        WPARAM wParam;
        int exitCode;
    };
    const Case cases[] = {{WM_COMMAND, IDOK, 1},
                          {WM_COMMAND, IDCANCEL, 2},
                          {WM_COMMAND, CMD_EXIT, 2},
                          {WM_SYSCOMMAND, SC_CLOSE, 2}};
    for (const Case& c : cases) {
        quitCode.reset();
        OpenMainWindow();
        Simulator().ClearCallLog();
        SendMessageW(Hwnd(), c.message, c.wParam, 0);
        Pump();
        EXPECT_FALSE(IsWindow(Hwnd())) << c.wParam;
        EXPECT_EQ(quitCode, c.exitCode) << c.wParam;
        EXPECT_EQ(Calls(L"KORVELINE_UnregisterPnpNotification").size(), 1u);
        EXPECT_EQ(Calls(L"KORVELINE_CloseDevice").size(), 1u) << "the open device is closed";
        window.reset();
    }
}

TEST_F(MainWindow, WithTheIconOkCancelAndCloseOnlyHideTheWindow) {
    settings.notificationAreaEnabled = true;
    LoadDevices(kOneDevice);
    OpenMainWindow();
    ASSERT_TRUE(window->IsIconInstalled());
    const NOTIFYICONDATAW& icon = window->IconData();
    EXPECT_EQ(icon.hWnd, Hwnd());
    EXPECT_EQ(icon.uID, 201u);
    EXPECT_EQ(icon.uCallbackMessage, MSG_TRAY_NOTIFY);
    EXPECT_EQ(icon.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(icon.hIcon, reinterpret_cast<HICON>(SendMessageW(Hwnd(), WM_GETICON, ICON_SMALL, 0)));
    EXPECT_STREQ(icon.szTip, L"Korveline Control Panel");

    for (const WPARAM command : {IDOK, IDCANCEL}) {
        ShowWindow(Hwnd(), SW_SHOW);
        Command(static_cast<UINT>(command));
        EXPECT_FALSE(IsWindowVisible(Hwnd())) << command;
    }
    ShowWindow(Hwnd(), SW_SHOW);
    SendMessageW(Hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump();
    EXPECT_FALSE(IsWindowVisible(Hwnd()));
    EXPECT_TRUE(IsWindow(Hwnd()));
    EXPECT_FALSE(quitCode);

    Command(CMD_EXIT);
    EXPECT_FALSE(IsWindow(Hwnd()));
    EXPECT_EQ(quitCode, 2);
    EXPECT_FALSE(window->IsIconInstalled()) << "the icon goes with the window";
}

TEST_F(MainWindow, ALeftClickOnTheIconShowsTheWindowWithItsPagesRefreshed) {
    settings.notificationAreaEnabled = true;
    LoadDevices(kOneDevice);
    OpenMainWindow();
    Command(IDCANCEL);
    ASSERT_FALSE(IsWindowVisible(Hwnd()));

    Simulator().ClearCallLog();
    SendMessageW(Hwnd(), MSG_TRAY_NOTIFY, 202, WM_LBUTTONUP);
    EXPECT_FALSE(IsWindowVisible(Hwnd())) << "another icon's message is ignored";
    SendMessageW(Hwnd(), MSG_TRAY_NOTIFY, 201, WM_MOUSEMOVE);
    EXPECT_FALSE(IsWindowVisible(Hwnd()));

    SendMessageW(Hwnd(), MSG_TRAY_NOTIFY, 201, WM_LBUTTONUP);
    Pump();
    EXPECT_TRUE(IsWindowVisible(Hwnd()));
    EXPECT_EQ(Calls(L"KORVELINE_GetCurrentSampleRate").size(), 1u);

    Simulator().ClearCallLog();
    SendMessageW(Hwnd(), MSG_TRAY_NOTIFY, 201, WM_LBUTTONDBLCLK);
    Pump();
    EXPECT_TRUE(Calls(L"KORVELINE_GetCurrentSampleRate").empty())
        << "a visible window is only brought to the front";
}

TEST_F(MainWindow, TheTooltipIsCutTo127Characters) {
    settings.notificationAreaEnabled = true;
    WnUiLanguageTextForTest().ApplyTranslation(
        Translation("APP_TITLE=" + std::string(200, 'T') + "\n"));
    LoadDevices("");
    OpenMainWindow();
    ASSERT_TRUE(window->IsIconInstalled());
    EXPECT_EQ(std::wstring(window->IconData().szTip), std::wstring(127, L'T'));
}

TEST_F(MainWindow, TheTrayMenuTakesItsTextsFromTheLanguageTable) {
    LoadDevices("");
    OpenMainWindow();
    const auto menuTexts = [this] {
        const HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_TRAY_MENU));
        const HMENU popup = GetSubMenu(menu, 0);
        window->PrepareTrayMenu(popup);
        Texts texts;
        for (int i = 0; i < GetMenuItemCount(popup); ++i) {
            wchar_t text[64] = {};
            GetMenuStringW(popup, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
            texts.push_back(std::to_wstring(GetMenuItemID(popup, i)) + L" " + text);
        }
        DestroyMenu(menu);
        return texts;
    };
    EXPECT_EQ(menuTexts(), (Texts{L"32772 Show", L"57665 Exit"}));
    WnUiLanguageTextForTest().ApplyTranslation(
        Translation("NOTIFICATION_AREA_MENU_ENTRY_SHOW=Anzeigen\n"
                    "NOTIFICATION_AREA_MENU_ENTRY_EXIT=Beenden\n"));
    EXPECT_EQ(menuTexts(), (Texts{L"32772 Anzeigen", L"57665 Beenden"}));
}

// The popup menu runs its own loop; a second thread reads it and ends it.
TEST_F(MainWindow, ARightClickOnTheIconShowsTheTwoItemMenu) {
    settings.notificationAreaEnabled = true;
    LoadDevices("");
    OpenMainWindow();
    Texts seen;
    std::thread reader([&seen] {
        for (int attempt = 0; attempt < 500; ++attempt, Sleep(10)) {
            const HWND popup = FindWindowW(L"#32768", nullptr);
            if (popup == nullptr || !IsWindowVisible(popup))
                continue;
            const auto menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
            for (int i = 0; i < GetMenuItemCount(menu); ++i) {
                wchar_t text[64] = {};
                GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
                seen.push_back(text);
            }
            break;
        }
        EndMenu();
    });
    SendMessageW(Hwnd(), MSG_TRAY_NOTIFY, 201, WM_RBUTTONUP);
    reader.join();
    Pump();
    EXPECT_EQ(seen, (Texts{L"Show", L"Exit"}));
    EXPECT_TRUE(IsWindow(Hwnd())) << "closing the menu chooses nothing";
}

TEST_F(MainWindow, AskingForAPageTheDeviceLacksChangesNothing) {
    LoadDevices(kOneDevice);
    OpenMainWindow();
    const int pages = window->PageCount();
    SendMessageW(Hwnd(), MSG_SHOW_PAGE, PageBufferSettings::IDD, 5);
    Pump();
    EXPECT_EQ(window->CurrentPageId(), PageStatus::IDD);
    EXPECT_EQ(window->PageCount(), pages);
}

TEST_F(MainWindow, OnlyASessionThatEndsTakesTheWindowDown) {
    LoadDevices(kOneDevice);
    OpenMainWindow();
    SendMessageW(Hwnd(), WM_ENDSESSION, FALSE, 0);
    Pump();
    EXPECT_TRUE(IsWindowVisible(Hwnd()));
    SendMessageW(Hwnd(), WM_ENDSESSION, TRUE, 0);
    Pump();
    EXPECT_FALSE(IsWindow(Hwnd()));
    EXPECT_FALSE(quitCode) << "the system ends the process";
}

TEST_F(MainWindow, AFailedPnpRegistrationOpensTheWindowWithoutDevices) {
    LoadDevices(kOneDevice);
    Simulator().Fail("KORVELINE_RegisterPnpNotification", 0xEE000123, kSimFailOnce);
    MessageBoxWatcher& watcher = Boxes();
    OpenMainWindow();
    ASSERT_EQ(watcher.Seen().size(), 1u);
    EXPECT_NE(watcher.Seen()[0].text.find(
                  L"\"Initialize: KORVELINE_RegisterPnpNotification -> 0xEE000123\""),
              std::wstring::npos);
    EXPECT_EQ(watcher.Seen()[0].caption, L"Korveline Control Panel");
    EXPECT_TRUE(Calls(L"KORVELINE_EnumerateDevices").empty());
    EXPECT_TRUE(IsWindow(Hwnd()));
}

// The tray menu's Exit, chosen while a start-up box holds the sheet in its initialisation,
// ends the program once the box is closed, not inside it.
TEST_F(MainWindow, AnExitDuringAStartUpBoxEndsTheProgramWhenTheBoxCloses) {
    settings.notificationAreaEnabled = true;
    LoadDevices(kOneDevice);
    Simulator().Fail("KORVELINE_RegisterPnpNotification", 0xEE000123, kSimFailOnce);
    std::atomic<bool> keptWhileOpen{false};
    std::thread helper = WithErrorBoxHeldOpen([&] {
        const HWND sheet = Boxes().Seen()[0].owner;
        PostMessageW(sheet, WM_COMMAND, CMD_EXIT, 0);
        Sleep(300);
        keptWhileOpen = IsWindow(sheet) != FALSE;
    });
    OpenMainWindow(false);
    helper.join();
    Pump();
    EXPECT_TRUE(keptWhileOpen);
    EXPECT_FALSE(IsWindow(Hwnd()));
    EXPECT_EQ(quitCode, 2);
}

TEST_F(MainWindow, DestroyingTheObjectClosesTheDeviceAndStopsWatchingIt) {
    LoadDevices(kOneDevice);
    OpenMainWindow();
    const HWND hwnd = Hwnd();
    const std::wstring device = std::to_wstring(window->OpenedDevice());
    Simulator().ClearCallLog();
    window.reset();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(Simulator().CallLog(),
              (Texts{L"KORVELINE_UnregisterPnpNotification()",
                     L"KORVELINE_RegisterDeviceNotification(" + device + L", 0, null, 0)",
                     L"KORVELINE_CloseDevice(" + device + L")"}));
}

} // namespace
