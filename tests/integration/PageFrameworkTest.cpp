// The shared page patterns (refresh guards, selection write-back) on a page of this test,
// in a sheet of its own, with a host whose driver is a set of functions of this test.
#include "framework/PropertySheetImpl.h"
#include "pages/ComboBoxItems.h"
#include "pages/PageT.h"
#include "resources/dialogs/PageStatus.h"
#include "tests/support/MessagePump.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

std::vector<std::uint32_t> g_setCalls;
StatusCode g_setResult = 0;

StatusCode KORVELINE_CALL FakeSetSampleRate(DeviceHandle, std::uint32_t rate) {
    g_setCalls.push_back(rate);
    return g_setResult;
}

struct Report {
    std::wstring operation;
    std::wstring step;
    StatusCode code;
};

class FakeHost : public PageHost {
public:
    DeviceHandle OpenedDevice() const override { return device; }
    bool IsMainWindowVisible() const override { return visible; }
    UINT ScreenDpi() const override { return 96; }
    HWND MainWindow() const override { return nullptr; }
    const KorvelineApiDll& Api() const override { return api; }
    const ConfigSettings& Settings() const override { return settings; }
    bool ReportError(const std::wstring& operation, const std::wstring& step,
                     StatusCode code) override {
        reports.push_back({operation, step, code});
        return false;
    }
    void RunModal(const std::function<void()>& run, std::function<void()>) override { run(); }
    void PostDeviceSelectionChanged() override {}
    void PostFitPage() override {}

    DeviceHandle device = 0;
    bool visible = true;
    KorvelineApiDll api;
    ConfigSettings settings;
    std::vector<Report> reports;
};

// A page on the status page's template whose refresh only counts, and whose selector
// writes the chosen item data back through the shared pattern.
class CountingPage : public PageT<CountingPage> {
public:
    static constexpr UINT IDD = IDD_PAGE_STATUS;
    static constexpr ResizeRule kResizeRules[] = {
        {IDC_STATUS_DEVICE_SELECTION, kStretchX | kRepaint}};

    explicit CountingPage(PageHost& host) : PageT(host, UiTextHandle()) {}

    void Save() {
        WriteBack(combo_box::SelectedItemData(selector), L"SaveSelectedSampleRate",
                  L"KORVELINE_SetSampleRate", Host().Api().KORVELINE_SetSampleRate);
    }

    std::vector<bool> refreshes; // per refresh: the window was hidden, so it was forced
    int refreshRequests = 0;     // the hook runs before the guards
    HWND selector = nullptr;

private:
    void InitControls() override { selector = Control(IDC_STATUS_DEVICE_SELECTION); }
    void OnRefreshRequested() override { ++refreshRequests; }
    void RefreshContents(DeviceHandle, const KorvelineApiDll&) override {
        refreshes.push_back(!Host().IsMainWindowVisible());
    }
};

class Sheet : public PropertySheetImpl<Sheet> {};

class PageFramework : public testing::Test {
protected:
    PageFramework() {
        g_setCalls.clear();
        g_setResult = 0;
        host.api.KORVELINE_SetSampleRate = FakeSetSampleRate;
    }
    ~PageFramework() override {
        if (IsWindow(sheet.Hwnd()))
            DestroyWindow(sheet.Hwnd());
    }
    // The sheet opens on `first`, so `second` stays unshown until selected.
    void Open() {
        ASSERT_TRUE(sheet.AddPage(first));
        ASSERT_TRUE(sheet.AddPage(second));
        ASSERT_NE(sheet.Create(), nullptr);
        PumpPendingMessages();
    }

    FakeHost host;
    CountingPage first{host};
    CountingPage second{host};
    Sheet sheet;
};

TEST_F(PageFramework, APageNeverShownIgnoresNotificationsAndRefreshes) {
    Open();
    second.OnDeviceNotification(7);
    second.RefreshPage();
    EXPECT_FALSE(second.IsInitialized());
    EXPECT_TRUE(second.refreshes.empty());
}

TEST_F(PageFramework, RefreshesRunOnlyWhileActiveAndVisibleUnlessForced) {
    Open();
    ASSERT_TRUE(first.IsInitialized());
    ASSERT_TRUE(first.IsActive());
    EXPECT_EQ(first.refreshes, std::vector<bool>{false}) << "activation refreshes once";

    first.refreshes.clear();
    for (std::uint32_t code : {7u, 3u, 4u, 5u})
        first.OnDeviceNotification(code);
    EXPECT_EQ(first.refreshes, (std::vector<bool>{false, false})) << "codes 3 and 4 are left out";

    first.refreshes.clear();
    first.refreshRequests = 0;
    host.visible = false;
    first.OnDeviceNotification(7);
    first.RefreshPage();
    EXPECT_EQ(first.refreshes, std::vector<bool>{true}) << "only the forced refresh runs";
    EXPECT_EQ(first.refreshRequests, 2) << "the hook runs even when the guards stop";

    host.visible = true;
    SendMessageW(sheet.Hwnd(), PSM_SETCURSEL, 1, 0);
    first.refreshes.clear();
    first.OnDeviceNotification(7);
    first.RefreshPage();
    EXPECT_FALSE(first.IsActive());
    EXPECT_TRUE(first.refreshes.empty()) << "an inactive page stays as it is";
}

TEST_F(PageFramework, WriteBackWithoutDeviceCallsNothingButRefreshes) {
    Open();
    combo_box::Add(first.selector, L"48000", 48000);
    SendMessageW(first.selector, CB_SETCURSEL, 0, 0);
    first.refreshes.clear();
    first.Save();
    EXPECT_TRUE(g_setCalls.empty());
    EXPECT_TRUE(host.reports.empty());
    EXPECT_EQ(first.refreshes, std::vector<bool>{false});
}

TEST_F(PageFramework, WriteBackSendsTheSelectedValueAndReportsAFailureByName) {
    Open();
    host.device = 0x10001;
    combo_box::Add(first.selector, L"48000", 48000);
    first.Save();
    EXPECT_TRUE(g_setCalls.empty()) << "nothing selected";

    SendMessageW(first.selector, CB_SETCURSEL, 0, 0);
    first.Save();
    EXPECT_EQ(g_setCalls, std::vector<std::uint32_t>{48000});
    EXPECT_TRUE(host.reports.empty());

    g_setResult = 0xEE000123;
    first.Save();
    host.api.KORVELINE_SetSampleRate = nullptr;
    first.refreshes.clear();
    first.Save();
    ASSERT_EQ(host.reports.size(), 2u);
    EXPECT_EQ(host.reports[0].operation, L"SaveSelectedSampleRate");
    EXPECT_EQ(host.reports[0].step, L"KORVELINE_SetSampleRate");
    EXPECT_EQ(host.reports[0].code, 0xEE000123u);
    EXPECT_EQ(host.reports[1].code, kStatusEntryPointUnavailable) << "an unbound entry point";
    EXPECT_EQ(first.refreshes, std::vector<bool>{false}) << "the page shows what was applied";
}

TEST_F(PageFramework, AnEmptyOrMissingSelectorHasNoSelection) {
    Open();
    EXPECT_EQ(combo_box::SelectedItemData(first.selector), std::nullopt) << "an empty list";
    EXPECT_EQ(combo_box::SelectedItemData(nullptr), std::nullopt) << "no window";
    HWND gone = first.selector;
    DestroyWindow(sheet.Hwnd());
    EXPECT_EQ(combo_box::SelectedItemData(gone), std::nullopt) << "a destroyed window";
}

TEST_F(PageFramework, SelectorsFillAndSelectByItemData) {
    Open();
    const combo_box::Entry entries[] = {{L"48000 Hz", 48000}, {L"44100 Hz", 44100}};
    combo_box::Fill(first.selector, entries);
    EXPECT_TRUE(IsWindowEnabled(first.selector));
    EXPECT_TRUE(combo_box::SelectItemData(first.selector, 44100));
    EXPECT_EQ(combo_box::SelectedItemData(first.selector), 44100u);
    EXPECT_FALSE(combo_box::SelectItemData(first.selector, 96000));
    EXPECT_EQ(combo_box::Selection(first.selector), std::nullopt) << "no match selects none";
    combo_box::Fill(first.selector, {});
    EXPECT_FALSE(IsWindowEnabled(first.selector));
}

} // namespace
