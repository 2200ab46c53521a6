// The main window driven by real key presses (SendInput), on a device with every page:
// the focus follows every change of the tab, Tab walks each page in visual order, and no
// key ever acts on a page that is not shown.
#include "pages/PageClockSource.h"
#include "pages/PageSampleRate.h"
#include "tests/support/EveryPageDevice.h"
#include "tests/support/MainWindowFixture.h"

#include <algorithm>
#include <functional>

namespace {

constexpr UINT kRatePage = PageSampleRate::IDD;
constexpr UINT kClockPage = PageClockSource::IDD;

class Keyboard : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        ShowEveryPage(settings);
        OpenWithDevice(EveryPageDeviceXml());
        ASSERT_EQ(window->PageCount(), 12);
    }

    HWND CurrentPage() const {
        return reinterpret_cast<HWND>(SendMessageW(Hwnd(), PSM_GETCURRENTPAGEHWND, 0, 0));
    }

    // The focus is on a visible control of the page shown, or on the tab row.
    testing::AssertionResult FocusIsOnTheShownPage() const {
        const HWND focus = GetFocus();
        if (focus == window->TabControl())
            return testing::AssertionSuccess();
        if (focus == nullptr)
            return testing::AssertionFailure() << "no focus";
        if (!IsChild(CurrentPage(), focus))
            return testing::AssertionFailure()
                   << "the focus is on control " << GetDlgCtrlID(focus) << " of another page";
        if (!IsWindowVisible(focus))
            return testing::AssertionFailure() << "the focus is on a hidden control";
        return testing::AssertionSuccess();
    }

    // Every visible, enabled tab stop of the page, in the order Tab reaches them.
    std::vector<HWND> TabWalk() {
        std::vector<HWND> walk;
        FocusControl(window->TabControl());
        for (int step = 0; step < 40; ++step) {
            PressKey(VK_TAB);
            const HWND focus = GetFocus();
            if (focus == window->TabControl() || focus == nullptr ||
                std::find(walk.begin(), walk.end(), focus) != walk.end())
                break;
            walk.push_back(focus);
        }
        return walk;
    }

    std::vector<std::wstring> Writes() const {
        std::vector<std::wstring> writes;
        for (const wchar_t* setter :
             {L"KORVELINE_SetSampleRate", L"KORVELINE_SetClockSource", L"KORVELINE_SetStreamFormat",
              L"KORVELINE_SetStreamingMode", L"KORVELINE_SetSoundDeviceProfile",
              L"KORVELINE_SetAsioPreferredDevice", L"KORVELINE_SetAsioPreferredBufferSize"}) {
            for (const std::wstring& call : Calls(setter))
                writes.push_back(call);
        }
        return writes;
    }
};

TEST_F(Keyboard, UpOnTheClockSourcePageAfterCtrlTabWritesNoSampleRate) {
    ShowPage(kRatePage);
    FocusControl(PageControl(kRatePage, PageSampleRate::kRateSelector));
    ASSERT_EQ(window->CurrentPageId(), kRatePage);
    ClearCalls();
    PressKey(VK_TAB, {VK_CONTROL});
    ASSERT_EQ(window->CurrentPageId(), kClockPage);
    EXPECT_EQ(GetFocus(), PageControl(kClockPage, PageClockSource::kSourceList))
        << "the focus is on the new page's first tab stop";
    PressKey(VK_UP);
    EXPECT_TRUE(Calls(L"KORVELINE_SetSampleRate").empty());
}

TEST_F(Keyboard, CtrlTabAndCtrlPageKeysTurnThroughEveryTabWithTheFocus) {
    struct Way {
        const char* name;
        WORD key;
        std::initializer_list<WORD> held;
        int step;
    };
    const Way ways[] = {{"Ctrl+Tab", VK_TAB, {VK_CONTROL}, 1},
                        {"Ctrl+Shift+Tab", VK_TAB, {VK_CONTROL, VK_SHIFT}, -1},
                        {"Ctrl+Page Down", VK_NEXT, {VK_CONTROL}, 1},
                        {"Ctrl+Page Up", VK_PRIOR, {VK_CONTROL}, -1}};
    const int count = window->PageCount();
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        ShowPage(kRatePage);
        FocusControl(PageControl(kRatePage, PageSampleRate::kRateSelector));
        const int start = window->ActivePageIndex();
        ClearCalls();
        for (int turn = 1; turn <= count; ++turn) {
            PressKey(way.key, way.held);
            EXPECT_EQ(window->ActivePageIndex(),
                      ((start + way.step * turn) % count + count) % count);
            EXPECT_TRUE(FocusIsOnTheShownPage()) << "page " << *window->CurrentPageId();
        }
        EXPECT_EQ(Writes(), std::vector<std::wstring>{}) << "nothing written by turning pages";
    }
}

TEST_F(Keyboard, ClickAsioRequestAndRebuildLeaveTheFocusOnTheShownPage) {
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"a click on a tab",
         [&] {
             RECT tab{};
             const int index = window->PageIndex(kClockPage);
             TabCtrl_GetItemRect(window->TabControl(), index, &tab);
             MapWindowPoints(window->TabControl(), nullptr, reinterpret_cast<POINT*>(&tab), 2);
             SetCursorPos((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
             INPUT click[2] = {};
             click[0].type = click[1].type = INPUT_MOUSE;
             click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
             click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
             SendInput(2, click, sizeof(INPUT));
             // Away again: over a tab the tab row's hot-tracking timer ticks without end.
             SetCursorPos(0, 0);
             Pump();
             EXPECT_EQ(window->CurrentPageId(), kClockPage);
         }},
        {"the ASIO page requested",
         [&] {
             SendMessageW(Hwnd(), MSG_SHOW_ASIO_PAGE, 0, 0);
             Pump();
             EXPECT_EQ(window->CurrentPageId(), MainPropSheetDlg::kBufferSettingsPageId);
         }},
        {"the pages rebuilt after a device change", [&] {
             ASSERT_EQ(Simulator().Unplug(1), 0u);
             Pump();
             ASSERT_EQ(Simulator().Plug(1), 0u);
             Pump();
             EXPECT_EQ(window->PageCount(), 12);
         }}};
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        ShowPage(kRatePage);
        FocusControl(PageControl(kRatePage, PageSampleRate::kRateSelector));
        change();
        EXPECT_TRUE(FocusIsOnTheShownPage());
        ClearCalls();
        PressKey(VK_UP);
        if (window->CurrentPageId() != kRatePage) {
            EXPECT_TRUE(Calls(L"KORVELINE_SetSampleRate").empty());
        }
    }
}

TEST_F(Keyboard, TabWalksEveryPageInVisualOrderThroughEveryUsableControl) {
    for (int index = 0; index < window->PageCount(); ++index) {
        SendMessageW(Hwnd(), PSM_SETCURSEL, index, 0);
        Pump();
        const HWND page = CurrentPage();
        SCOPED_TRACE("page " + std::to_string(*window->CurrentPageId()));
        const std::vector<HWND> walk = TabWalk();
        std::vector<HWND> usable;
        for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if ((GetWindowLongW(child, GWL_STYLE) & WS_TABSTOP) && IsWindowVisible(child) &&
                IsWindowEnabled(child))
                usable.push_back(child);
        }
        std::vector<HWND> reached = walk;
        std::sort(reached.begin(), reached.end());
        std::sort(usable.begin(), usable.end());
        EXPECT_EQ(reached, usable) << "Tab reaches every usable control and nothing else";
        for (std::size_t step = 1; step < walk.size(); ++step) {
            RECT before{}, after{};
            GetWindowRect(walk[step - 1], &before);
            GetWindowRect(walk[step], &after);
            const bool below = after.top >= before.bottom - 2;
            const bool rightOnTheSameRow =
                after.left >= before.right - 2 && after.top < before.bottom;
            EXPECT_TRUE(below || rightOnTheSameRow) << "control " << GetDlgCtrlID(walk[step])
                                                    << " after " << GetDlgCtrlID(walk[step - 1]);
        }
    }
}

} // namespace
