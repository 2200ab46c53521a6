// The ASIO device page against the simulator: which devices an instance lists with which
// marks, the preferred device set and cleared from the check boxes, and the info lines.
#include "framework/PropertySheetImpl.h"
#include "pages/PageAsioDevice.h"
#include "sim/SimFaults.h"
#include "tests/support/MainWindowFixture.h"

#include <commctrl.h>

namespace {

using Texts = std::vector<std::wstring>;
using Page = PageAsioDevice;

std::string Instance(int number, const std::string& name, const std::string& attributes = "") {
    return "<AsioInstance number=\"" + std::to_string(number) + "\" name=\"" + name +
           "\" bufferSizes=\"64 128\" " + attributes + "/>";
}

std::string AsioDevice(int id, int relation, const std::string& allowed,
                       const std::string& asioClients = "0", const std::string& serial = "") {
    return DeviceXml(
        id, "Dev " + std::to_string(id), serial.empty() ? "S-" + std::to_string(id) : serial,
        "asioInstance=\"" + std::to_string(relation) + "\" asioAllowed=\"" + allowed + "\"",
        "<Clients asio=\"" + asioClients + "\"/>");
}

// Dev 1 (instance 0, preferred there, in use), Dev 2 (instance 1), Dev 3 (not for instance 0).
const std::string kTwoInstances = Instance(0, "Main", "preferredDevice=\"1\"") +
                                  Instance(1, "Second") + AsioDevice(1, 0, "0 1", "1") +
                                  AsioDevice(2, 1, "0 1") + AsioDevice(3, 1, "1");

class AsioDevicePage : public MainWindowTest {
protected:
    void Open(const std::string& scenarioXml) {
        OpenWithDevice(scenarioXml);
        ASSERT_NE(ShowPage(Page::IDD), nullptr) << "no ASIO device page";
    }
    HWND Item(int id) const { return PageControl(Page::IDD, id); }
    HWND List() const { return list ? list : Item(Page::kDeviceList); }
    int RowCount() const { return static_cast<int>(SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0)); }
    std::wstring Cell(int row, int column) const {
        wchar_t text[256] = {};
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = 256;
        SendMessageW(List(), LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&item));
        return text;
    }
    // Per row: product, serial, current, in use, and "checked" or "".
    std::vector<Texts> Rows() const {
        std::vector<Texts> rows;
        for (int row = 0; row < RowCount(); ++row)
            rows.push_back({Cell(row, 1), Cell(row, 2), Cell(row, 3), Cell(row, 4),
                            Checked(row) ? L"checked" : L""});
        return rows;
    }
    bool Checked(int row) const {
        const auto state =
            SendMessageW(List(), LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK);
        return (state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
    }
    void SetChecked(int row, bool checked) {
        LVITEMW item{};
        item.stateMask = LVIS_STATEIMAGEMASK;
        item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
        SendMessageW(List(), LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&item));
        Pump();
    }
    void Select(int row) {
        LVITEMW item{};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = row < 0 ? 0 : LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(List(), LVM_SETITEMSTATE, static_cast<WPARAM>(row < 0 ? -1 : row),
                     reinterpret_cast<LPARAM>(&item));
        Pump();
    }
    std::wstring Text(int id) const {
        wchar_t text[256] = {};
        GetWindowTextW(Item(id), text, 256);
        return text;
    }
    Texts InfoLines() const {
        Texts lines;
        for (const int id : Page::kInfoLines)
            lines.push_back(Text(id));
        return lines;
    }
    int Top(int id) const {
        RECT rect{};
        GetWindowRect(Item(id), &rect);
        MapWindowPoints(nullptr, GetParent(Item(id)), reinterpret_cast<POINT*>(&rect), 2);
        return rect.top;
    }

    HWND list = nullptr; // a page outside the main window
};

// A main window with no device open, for the page alone in a sheet of its own.
class HostWithoutDevice : public PageHost {
public:
    DeviceHandle OpenedDevice() const override { return 0; }
    bool IsMainWindowVisible() const override { return true; }
    UINT ScreenDpi() const override { return 96; }
    HWND MainWindow() const override { return nullptr; }
    const KorvelineApiDll& Api() const override { return TheKorvelineApiDll(); }
    const ConfigSettings& Settings() const override { return settings; }
    bool ReportError(const std::wstring&, const std::wstring&, StatusCode) override {
        ++reports;
        return false;
    }
    void RunModal(const std::function<void()>& run, std::function<void()>) override { run(); }
    void PostDeviceSelectionChanged() override {}
    void PostFitPage() override {}

    ConfigSettings settings;
    int reports = 0;
};

class Sheet : public PropertySheetImpl<Sheet> {};

TEST_F(AsioDevicePage, ListsTheDevicesTheInstanceMayUseWithItsOwnMarksOnly) {
    Open(kTwoInstances);
    EXPECT_TRUE(IsWindowVisible(Item(Page::kInstanceSelector)));
    EXPECT_EQ(ComboSelectedText(Item(Page::kInstanceSelector)), L"ASIO 1: Main");
    EXPECT_EQ(Rows(), (std::vector<Texts>{{L"Dev 1", L"S-1", L"current", L"in use", L"checked"},
                                          {L"Dev 2", L"S-2", L"", L"", L""}}))
        << "Dev 3 is not allowed; Dev 2 belongs to the other instance";

    ChooseComboEntry(Item(Page::kInstanceSelector), 1);
    EXPECT_EQ(Rows(), (std::vector<Texts>{{L"Dev 1", L"S-1", L"", L"in use", L""},
                                          {L"Dev 2", L"S-2", L"current", L"", L""},
                                          {L"Dev 3", L"S-3", L"", L"", L""}}));
}

TEST_F(AsioDevicePage, InstanceNumbersThatAreNotPositionsAreChosenAndListedByNumber) {
    Open(Instance(5, "Five") + Instance(9, "Nine") + AsioDevice(1, 9, "5 9") +
         AsioDevice(2, 5, "5"));
    const HWND selector = Item(Page::kInstanceSelector);
    EXPECT_EQ(ComboTexts(selector), (Texts{L"ASIO 6: Five", L"ASIO 10: Nine"}));
    EXPECT_EQ(ComboSelectedText(selector), L"ASIO 10: Nine") << "the open device belongs to 9";
    ClearCalls();
    Page(Page::IDD)->RefreshPage();
    const Texts allowed = Calls(L"KORVELINE_GetASIOInstanceAllowed");
    ASSERT_EQ(allowed.size(), 2u);
    for (const std::wstring& call : allowed)
        EXPECT_NE(call.find(L", 9, ptr)"), std::wstring::npos) << call;
    EXPECT_EQ(Rows(), (std::vector<Texts>{{L"Dev 1", L"S-1", L"current", L"", L""}}));
}

TEST_F(AsioDevicePage, AnAbsurdDeviceCountListsTheDevicesThatOpen) {
    Open(kTwoInstances);
    const std::vector<Texts> rows = Rows();
    // An error code returned where the count belongs.
    Simulator().Fail("KORVELINE_GetDeviceCount", 0xEE000005, kSimFailAlways);
    ClearCalls();
    Page(Page::IDD)->RefreshPage();
    EXPECT_EQ(Rows(), rows);
    EXPECT_EQ(Calls(L"KORVELINE_OpenDeviceByIndex").size(), 4u + 3u)
        << "up to the first index that does not open, then each device once";
}

TEST_F(AsioDevicePage, ACheckIsActedOnAfterTheNotificationWhileTheListChangesSize) {
    Open(Instance(0, "Main", "preferredDevice=\"1\"") + AsioDevice(1, 0, "0") +
         AsioDevice(2, 0, "0"));
    ASSERT_EQ(Rows().size(), 2u);
    ClearCalls();
    ASSERT_EQ(Simulator().SetMisbehaviour(kMisbehaveShiftingLists), 0u);
    LVITEMW item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(2);
    SendMessageW(List(), LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_TRUE(Calls(L"KORVELINE_SetPreferredASIODevice").empty())
        << "nothing is written inside the list's notification";
    Pump();
    EXPECT_EQ(Calls(L"KORVELINE_SetPreferredASIODevice").size(), 1u);
    // Counts alternate between one and two devices; the list shows the last one.
    const size_t reads = Calls(L"KORVELINE_GetDeviceCount").size();
    ASSERT_GE(reads, 1u);
    std::vector<Texts> rows{{L"Dev 1", L"S-1", L"", L"", L""}};
    if (reads % 2 == 0)
        rows.push_back({L"Dev 2", L"S-2", L"current", L"", L"checked"});
    EXPECT_EQ(Rows(), rows) << reads << " reads";
    EXPECT_TRUE(ErrorBoxes().empty());
}

TEST_F(AsioDevicePage, CheckingSetsThePreferredDeviceAndUncheckingClearsIt) {
    Open(kTwoInstances);
    ClearCalls();
    SetChecked(1, true);
    const Texts set = Calls(L"KORVELINE_SetPreferredASIODevice");
    ASSERT_EQ(set.size(), 1u);
    EXPECT_NE(set[0].find(L", 0)"), std::wstring::npos) << set[0];
    EXPECT_EQ(Rows(), (std::vector<Texts>{{L"Dev 1", L"S-1", L"", L"in use", L""},
                                          {L"Dev 2", L"S-2", L"current", L"", L"checked"}}))
        << "the chosen device now belongs to the instance and is its current one";

    ClearCalls();
    SetChecked(1, false);
    EXPECT_EQ(Calls(L"KORVELINE_ClearPreferredASIODevice"),
              Texts{L"KORVELINE_ClearPreferredASIODevice(0)"});
    EXPECT_TRUE(Calls(L"KORVELINE_SetPreferredASIODevice").empty());
    EXPECT_FALSE(Checked(0));
    EXPECT_FALSE(Checked(1));
    EXPECT_TRUE(ErrorBoxes().empty());
}

TEST_F(AsioDevicePage, UncheckingClearsNothingWithoutAnOpenDevice) {
    // One instance, so that the page works on it without a device to relate it to.
    LoadDevices(Instance(0, "Main", "preferredDevice=\"1\"") + AsioDevice(1, 0, "0") +
                AsioDevice(2, 0, "0"));
    HostWithoutDevice host;
    PageAsioDevice page(host);
    Sheet sheet;
    ASSERT_TRUE(sheet.AddPage(page));
    ASSERT_NE(sheet.Create(), nullptr);
    Pump();
    list = GetDlgItem(page.Hwnd(), Page::kDeviceList);
    ASSERT_TRUE(Checked(0)) << "Dev 1 is preferred";
    ClearCalls();
    SetChecked(0, false);
    EXPECT_TRUE(Calls(L"KORVELINE_ClearPreferredASIODevice").empty());
    EXPECT_TRUE(Checked(0)) << "the rebuild shows the unchanged preference";
    EXPECT_EQ(host.reports, 0);
    DestroyWindow(sheet.Hwnd());
}

TEST_F(AsioDevicePage, ARefusedChangeIsReportedOnceAndUndone) {
    Open(kTwoInstances);
    Simulator().Fail("KORVELINE_SetPreferredASIODevice", 0xEE000123, kSimFailOnce);
    SetChecked(1, true);
    const auto boxes = ErrorBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find(L"OnAsioDeviceChanged"), std::wstring::npos) << boxes[0].text;
    EXPECT_NE(boxes[0].text.find(L"update preferred ASIO device"), std::wstring::npos);
    EXPECT_TRUE(Checked(0));
    EXPECT_FALSE(Checked(1));
}

TEST_F(AsioDevicePage, InUseInstanceLocksTheChecksWhenConfigured) {
    settings.asioDeviceDisableIfInUse = true;
    Open(kTwoInstances);
    ClearCalls();
    SetChecked(1, true);
    SetChecked(0, false);
    EXPECT_TRUE(Calls(L"KORVELINE_SetPreferredASIODevice").empty());
    EXPECT_TRUE(Calls(L"KORVELINE_ClearPreferredASIODevice").empty());
    EXPECT_TRUE(Checked(0));
    EXPECT_FALSE(Checked(1));
}

TEST_F(AsioDevicePage, OneInstanceHidesTheSelectorAndTheMovedLayoutSurvivesAResize) {
    Open(Instance(0, "Main") + AsioDevice(1, 0, "0") + AsioDevice(2, 0, "0"));
    EXPECT_FALSE(IsWindowVisible(Item(Page::kInstanceSelector)));
    EXPECT_FALSE(IsWindowVisible(Item(Page::kInstanceLabel))) << "the label goes with it";
    const int selectorTop = Top(Page::kInstanceSelector);
    EXPECT_EQ(Top(Page::kTitle), selectorTop);
    EXPECT_EQ(RowCount(), 2);

    RECT frame{};
    GetWindowRect(Hwnd(), &frame);
    SetWindowPos(Hwnd(), nullptr, 0, 0, frame.right - frame.left + 80,
                 frame.bottom - frame.top + 60, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    EXPECT_EQ(Top(Page::kTitle), selectorTop);
    EXPECT_EQ(Top(Page::kDeviceList), selectorTop + (Top(Page::kDeviceList) - Top(Page::kTitle)));
    EXPECT_GT(Top(Page::kInfoGroup), Top(Page::kDeviceList));
}

TEST_F(AsioDevicePage, WithoutInstancesTheListIsBuiltForNone) {
    settings.asioDevicePage = Visibility::Visible;
    Open(AsioDevice(1, 0, "0"));
    EXPECT_FALSE(IsWindowVisible(Item(Page::kInstanceSelector)));
    const Texts allowed = Calls(L"KORVELINE_GetASIOInstanceAllowed");
    ASSERT_FALSE(allowed.empty());
    EXPECT_NE(allowed.back().find(L", 4294967295, ptr)"), std::wstring::npos) << allowed.back();
}

TEST_F(AsioDevicePage, TheSelectedDeviceFillsTheInfoLines) {
    Open(Instance(0, "Main") + AsioDevice(1, 0, "0") +
         DeviceXml(2, "Dev 2", "", "asioInstance=\"0\" asioAllowed=\"0\" revision=\"0x0A05\""));
    EXPECT_EQ(InfoLines(), (Texts{L"", L"", L"", L""}));
    Select(0);
    EXPECT_EQ(InfoLines(), (Texts{L"Dev 1", L"Serial No: S-1", L"", L""}));
    Select(-1);
    EXPECT_EQ(InfoLines(), (Texts{L"", L"", L"", L""}));
}

TEST_F(AsioDevicePage, TranslatedInfoLinesTakeEveryPlaceholderAndTheNoSerialText) {
    WnUiLanguageTextForTest().ApplyTranslation(
        "\xEF\xBB\xBF"
        "PAGE_ASIO_DEVICE_SECTION_INFO_TEXT3=${Manufacturer} ${VID}:${PID} ${Revison}\n"
        "PAGE_ASIO_DEVICE_SECTION_INFO_TEXT_NO_SERIAL_NO=none\n");
    Open(Instance(0, "Main") + AsioDevice(1, 0, "0") +
         DeviceXml(2, "Dev 2", "", "asioInstance=\"0\" asioAllowed=\"0\" revision=\"0x0A05\""));
    Select(1);
    EXPECT_EQ(InfoLines(), (Texts{L"Dev 2", L"Serial No: none", L"Test 0x2FC0:0x0100 vA.05", L""}));
}

TEST_F(AsioDevicePage, TheKeyboardSelectsAndChecksADevice) {
    Open(kTwoInstances);
    FocusControl(Item(Page::kInstanceSelector));
    PressKey(VK_TAB);
    ASSERT_EQ(GetFocus(), List());
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    EXPECT_EQ(InfoLines(), (Texts{L"Dev 2", L"Serial No: S-2", L"", L""}));
    ClearCalls();
    PressKey(VK_SPACE);
    EXPECT_EQ(Calls(L"KORVELINE_SetPreferredASIODevice").size(), 1u);
    EXPECT_TRUE(Checked(1));
}

} // namespace
