// The main window driven by real key presses (SendInput), on a device with every page:
// the focus follows every change of the tab, Tab walks each page in visual order, and no
// key ever acts on a page that is not shown; selectors open with Alt+Down, the access
// keys of a translation work, and long lists keep the focused row in view.
#include "app/PageTable.h"
#include "pages/PageAsioDevice.h"
#include "pages/PageBufferSettings.h"
#include "pages/PageClockSource.h"
#include "pages/PageSampleRate.h"
#include "sim/SimFaults.h"
#include "tests/support/EveryPageDevice.h"
#include "tests/support/ListViewProbe.h"
#include "tests/support/MainWindowFixture.h"

#include <algorithm>
#include <functional>

namespace {

constexpr UINT kRatePage = PageSampleRate::IDD;
constexpr UINT kClockPage = PageClockSource::IDD;

constexpr int kLongListRows = 30;

// One ASIO instance offered to 30 devices, the first of which has 30 clock sources.
std::string LongListsXml() {
    std::string sources;
    for (int id = 1; id <= kLongListRows; ++id)
        sources += "<ClockSource id=\"" + std::to_string(id) + "\" unitId=\"" +
                   std::to_string(15 + id) + "\" name=\"Source " + std::to_string(id) + "\"/>";
    std::string devices = "<AsioInstance number=\"0\" name=\"Main\" bufferSizes=\"64 128\"/>";
    for (int id = 1; id <= kLongListRows; ++id)
        devices +=
            DeviceXml(id, "Dev " + std::to_string(id), "S-" + std::to_string(id),
                      "asioInstance=\"0\" asioAllowed=\"0\"",
                      id == 1 ? "<ClockSources current=\"1\">" + sources + "</ClockSources>" : "");
    return devices;
}

class Keyboard : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        WnUiLanguageTextForTest().ApplyTranslation(translation_);
        if (devicesXml_ == EveryPageDeviceXml()) {
            OpenWithEveryPage();
        } else {
            ShowEveryPage(settings);
            OpenWithDevice(devicesXml_);
        }
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
             {L"KORVELINE_SetSampleRate", L"KORVELINE_SetCurrentClockSource",
              L"KORVELINE_SetCurrentStreamFormat", L"KORVELINE_SetDeviceStreamingMode",
              L"KORVELINE_SetSoundDeviceProfile", L"KORVELINE_SetVirtualSoundDeviceProfile",
              L"KORVELINE_SetPreferredASIODevice", L"KORVELINE_SetASIOBufferPreferredSize",
              L"KORVELINE_SetVolume", L"KORVELINE_SetMute"}) {
            for (const std::wstring& call : Calls(setter))
                writes.push_back(call);
        }
        return writes;
    }

    std::string devicesXml_ = EveryPageDeviceXml();
    std::string translation_;
};

// Access keys given by a translation, on a label, a group box and a check box.
class KeyboardWithAccessKeys : public Keyboard {
protected:
    void SetUp() override {
        translation_ = "\xEF\xBB\xBF"
                       "PAGE_SAMPLE_RATE_SECTION_TITLE=Sample &Rate\n"
                       "PAGE_CLOCK_SOURCE_TABLE_TITLE=&Clock:\n"
                       "PAGE_ASIO_INSTANCE_SELECTOR_LABEL=&Instance:\n"
                       "PAGE_BUFFER_SETTINGS_SECTION_SAFE_MODE=&Safe\n";
        Keyboard::SetUp();
    }
};

class KeyboardOnLongLists : public Keyboard {
protected:
    void SetUp() override {
        devicesXml_ = LongListsXml();
        Keyboard::SetUp();
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
             SendMessageW(Hwnd(), MSG_SHOW_PAGE, PageBufferSettings::IDD, 0);
             Pump();
             EXPECT_EQ(window->CurrentPageId(), PageBufferSettings::IDD);
         }},
        {"the pages rebuilt after a device change", [&] {
             ASSERT_EQ(Simulator().Unplug(1), 0u);
             Pump();
             ASSERT_EQ(Simulator().Plug(1), 0u);
             Pump();
             EXPECT_EQ(static_cast<std::size_t>(window->PageCount()), PageTable().size());
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

TEST_F(Keyboard, AltDownOpensASelectorsListAndTheChoiceMadeInItIsWrittenOnce) {
    ShowPage(kRatePage);
    const HWND selector = PageControl(kRatePage, PageSampleRate::kRateSelector);
    const struct {
        const char* name;
        WORD key;
        std::initializer_list<WORD> held;
        bool chooses;
    } closings[] = {{"Enter", VK_RETURN, {}, true},
                    {"Alt+Up", VK_UP, {VK_MENU}, true},
                    {"Escape", VK_ESCAPE, {}, false}};
    for (const auto& closing : closings) {
        SCOPED_TRACE(closing.name);
        FocusControl(selector);
        const std::wstring before = ComboSelectedText(selector);
        const bool atEnd = SendMessageW(selector, CB_GETCURSEL, 0, 0) ==
                           SendMessageW(selector, CB_GETCOUNT, 0, 0) - 1;
        ClearCalls();
        PressKey(VK_DOWN, {VK_MENU});
        EXPECT_TRUE(SendMessageW(selector, CB_GETDROPPEDSTATE, 0, 0)) << "the list is open";
        for (const WORD key : {VK_UP, VK_DOWN, atEnd ? VK_HOME : VK_END})
            PressKey(key);
        EXPECT_EQ(Writes(), std::vector<std::wstring>{}) << "nothing written while it is open";
        PressKey(closing.key, closing.held);
        EXPECT_FALSE(SendMessageW(selector, CB_GETDROPPEDSTATE, 0, 0));
        // Written once if the list closed on another entry; the entry shown is the one written.
        const std::wstring shown = ComboSelectedText(selector);
        if (closing.chooses) {
            EXPECT_NE(shown, before);
        }
        ASSERT_EQ(Writes().size(), shown != before ? 1u : 0u);
        if (shown != before) {
            EXPECT_TRUE(Writes()[0].ends_with(L", " + shown.substr(0, shown.find(L' ')) + L")"))
                << Writes()[0];
        }
    }
}

TEST_F(KeyboardWithAccessKeys, AltAndTheKeyReachTheControlAfterTheLabelOrPressTheButton) {
    const struct {
        UINT page;
        WORD key;
        int reached;
        const wchar_t* written; // by pressing a button
    } keys[] = {
        {kRatePage, 'R', PageSampleRate::kRateSelector, nullptr},
        {kClockPage, 'C', PageClockSource::kSourceList, nullptr},
        {PageBufferSettings::IDD, 'I', PageBufferSettings::kInstanceSelector, nullptr},
        {PageBufferSettings::IDD, 'S', PageBufferSettings::kSafeMode,
         L"KORVELINE_SetASIOBufferPreferredSize"},
    };
    for (const auto& key : keys) {
        SCOPED_TRACE(testing::Message() << "Alt+" << static_cast<char>(key.key));
        ShowPage(key.page);
        FocusControl(window->TabControl());
        ClearCalls();
        PressKey(key.key, {VK_MENU});
        EXPECT_EQ(GetFocus(), PageControl(key.page, key.reached));
        if (key.written != nullptr) {
            EXPECT_EQ(Calls(key.written).size(), 1u);
        } else {
            EXPECT_EQ(Writes(), std::vector<std::wstring>{});
        }
    }
}

TEST_F(KeyboardOnLongLists, ArrowsKeepTheFocusedRowInViewAndARefusedCheckStaysUnchecked) {
    const struct {
        UINT page;
        int list;
        const char* setter;
    } lists[] = {
        {kClockPage, PageClockSource::kSourceList, "KORVELINE_SetCurrentClockSource"},
        {PageAsioDevice::IDD, PageAsioDevice::kDeviceList, "KORVELINE_SetPreferredASIODevice"},
    };
    for (const auto& list : lists) {
        SCOPED_TRACE(list.setter);
        ShowPage(list.page);
        const HWND rows = PageControl(list.page, list.list);
        ASSERT_EQ(ListView_GetItemCount(rows), kLongListRows);
        const int visible = ListView_GetCountPerPage(rows);
        ASSERT_LT(visible, kLongListRows) << "the list scrolls";
        FocusControl(rows);
        for (int press = 0; press < kLongListRows; ++press) {
            PressKey(VK_DOWN);
            const int focused = ListView_GetNextItem(rows, -1, LVNI_FOCUSED);
            const int top = ListView_GetTopIndex(rows);
            EXPECT_TRUE(focused >= top && focused < top + visible) << "row " << focused;
        }
        ASSERT_EQ(ListView_GetNextItem(rows, -1, LVNI_FOCUSED), kLongListRows - 1);
        const std::vector<bool> checks = ListChecks(rows);
        Simulator().Fail(list.setter, 0xEE000123, kSimFailOnce);
        ClearCalls();
        PressKey(VK_SPACE);
        const std::string setter = list.setter;
        EXPECT_EQ(Calls(std::wstring(setter.begin(), setter.end())).size(), 1u);
        EXPECT_EQ(ListChecks(rows), checks) << "the refused row stays unchecked";
    }
}

} // namespace
