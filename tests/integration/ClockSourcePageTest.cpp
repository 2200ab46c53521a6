// The clock source page against the simulated driver: its rows, the single-check rules of
// its list, the switch and its refusal, and the poll while a source settles.
#include "app/AppMessages.h"
#include "pages/PageClockSource.h"
#include "pages/PageStatus.h"
#include "sim/SimFaults.h"
#include "tests/support/ListViewProbe.h"
#include "tests/support/MainWindowFixture.h"

namespace {

using Rows = std::vector<std::vector<std::wstring>>;
using Checks = std::vector<bool>;

std::string ClockDevice(const std::string& sources, const std::string& current = "1") {
    return DeviceXml(1, "Alpha DAC", "A-1", "",
                     "<SampleRates current=\"44100\">44100 48000</SampleRates>"
                     "<ClockSources current=\"" +
                         current + "\">" + sources + "</ClockSources>");
}

const std::string kThreeSources =
    "<ClockSource id=\"1\" unitId=\"16\" name=\"Internal\"/>"
    "<ClockSource id=\"2\" unitId=\"17\" name=\"\" rate=\"48000\"/>"
    "<ClockSource id=\"3\" unitId=\"18\" name=\"Word Clock\" rate=\"96000\" valid=\"false\"/>";

class ClockSourcePage : public MainWindowTest {
protected:
    HWND OpenPage(const std::string& devicesXml) {
        OpenWithDevice(devicesXml);
        page = ShowPage(PageClockSource::IDD);
        list = PageControl(PageClockSource::IDD, PageClockSource::kSourceList);
        return page;
    }
    // Dispatches messages for this long, timer ticks included.
    void PumpFor(DWORD ms) {
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < ms)
            Pump(20);
    }
    size_t SourceReads() const { return Calls(L"KORVELINE_GetSupportedClockSources").size(); }
    std::vector<std::wstring> Switches() const { return Calls(L"KORVELINE_SetCurrentClockSource"); }
    // True when the poll timer was running; it is stopped afterwards.
    bool TakePollTimer() const { return KillTimer(page, PageClockSource::kPollTimer) != FALSE; }

    HWND page = nullptr;
    HWND list = nullptr;
};

TEST_F(ClockSourcePage, RowsShowNameValidityAndRateWithTheCurrentSourceChecked) {
    ASSERT_NE(OpenPage(ClockDevice(kThreeSources)), nullptr);
    EXPECT_EQ(ListRows(list, 4), (Rows{{L"Internal", L"stable", L"44100 Hz"},
                                       {L"Clock Source (ID 17)", L"stable", L"48000 Hz"},
                                       {L"Word Clock", L"not valid", L""}}));
    EXPECT_EQ(ListChecks(list), (Checks{true, false, false}));
    EXPECT_FALSE(TakePollTimer()) << "every source has settled";

    // Reachable with Tab, and named for screen readers by the title line before it.
    EXPECT_TRUE(GetWindowLongW(list, GWL_STYLE) & WS_TABSTOP);
    const HWND label = GetWindow(list, GW_HWNDPREV);
    wchar_t text[64] = {};
    GetWindowTextW(label, text, 64);
    EXPECT_EQ(GetDlgCtrlID(label), PageClockSource::kTitleLine);
    EXPECT_STREQ(text, L"Select Clock Source:");
}

TEST_F(ClockSourcePage, SingleCheckRulesRefuseUncheckAndSelectionAndReportANewCheckOnce) {
    ASSERT_NE(OpenPage(ClockDevice(kThreeSources)), nullptr);
    ClearCalls();

    ClickCheckBox(list, 0, false);
    Pump();
    EXPECT_EQ(ListChecks(list), (Checks{true, false, false})) << "the checked box stays checked";
    EXPECT_TRUE(Switches().empty());

    ListView_SetItemState(list, 1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_FALSE(IsRowSelected(list, 1)) << "no row can be selected";

    ClickCheckBox(list, 1, true);
    Pump();
    ASSERT_EQ(Switches().size(), 1u);
    EXPECT_TRUE(Switches()[0].ends_with(L", 2)")) << Switches()[0];
    EXPECT_EQ(ListChecks(list), (Checks{false, true, false}));
    EXPECT_TRUE(ErrorBoxes().empty());
}

TEST_F(ClockSourcePage, RefusedSwitchIsReportedOnceAndThePreviousSourceCheckedAgain) {
    ASSERT_NE(OpenPage(ClockDevice(kThreeSources)), nullptr);
    Simulator().Fail("KORVELINE_SetCurrentClockSource", 0xEE000123, kSimFailOnce);

    ClickCheckBox(list, 2, true);
    Pump();
    ASSERT_EQ(ErrorBoxes().size(), 1u);
    EXPECT_NE(ErrorBoxes()[0].text.find(L"OnClockSourceChanged"), std::wstring::npos);
    EXPECT_NE(ErrorBoxes()[0].text.find(L"KORVELINE_SetCurrentClockSource"), std::wstring::npos);
    EXPECT_EQ(ListChecks(list), (Checks{true, false, false}));
}

TEST_F(ClockSourcePage, SourceWithIdZeroIsShownButNeverCheckedOrReported) {
    ASSERT_NE(OpenPage(ClockDevice("<ClockSource id=\"1\" unitId=\"16\" name=\"Internal\"/>"
                                   "<ClockSource id=\"0\" unitId=\"5\" name=\"Loose\"/>")),
              nullptr);
    ClearCalls();
    ClickCheckBox(list, 1, true);
    Pump();
    EXPECT_EQ(ListChecks(list), (Checks{true, false}));
    EXPECT_TRUE(Switches().empty());
    EXPECT_EQ(ListRows(list, 2), (Rows{{L"Internal"}, {L"Loose"}}));
}

TEST_F(ClockSourcePage, SpaceChecksTheFocusedRowUnderTheSameRules) {
    ASSERT_NE(OpenPage(ClockDevice(kThreeSources)), nullptr);
    FocusControl(list);
    ClearCalls();
    EXPECT_EQ(GetFocus(), list);
    EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_FOCUSED), 0) << "focus on the checked row";
    PressKey(VK_SPACE);
    EXPECT_TRUE(Switches().empty());

    PressKey(VK_DOWN);
    EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_FOCUSED), 1);
    EXPECT_FALSE(IsRowSelected(list, 1));
    PressKey(VK_SPACE);
    ASSERT_EQ(Switches().size(), 1u);
    EXPECT_TRUE(Switches()[0].ends_with(L", 2)")) << Switches()[0];
    EXPECT_EQ(ListChecks(list), (Checks{false, true, false}));
}

TEST_F(ClockSourcePage, SettlingSourceIsPolledUntilItsValiditySettles) {
    ASSERT_NE(OpenPage(ClockDevice("<ClockSource id=\"1\" unitId=\"16\" name=\"Internal\"/>"
                                   "<ClockSource id=\"2\" unitId=\"17\" name=\"S/PDIF In\" "
                                   "rate=\"48000\" settleMs=\"2500\"/>")),
              nullptr);
    EXPECT_EQ(ListRows(list, 4)[1], (std::vector<std::wstring>{L"S/PDIF In", L"not valid", L""}));
    ClearCalls();
    PumpFor(1300);
    EXPECT_GE(SourceReads(), 1u) << "polled once a second while settling";

    PumpFor(2000);
    EXPECT_EQ(ListRows(list, 4)[1],
              (std::vector<std::wstring>{L"S/PDIF In", L"stable", L"48000 Hz"}));
    ClearCalls();
    PumpFor(1300);
    EXPECT_EQ(SourceReads(), 0u) << "no poll once every source has settled";
    EXPECT_FALSE(TakePollTimer());
}

TEST_F(ClockSourcePage, LeavingThePageOrHidingTheWindowStopsThePoll) {
    ASSERT_NE(OpenPage(ClockDevice("<ClockSource id=\"1\" unitId=\"16\" name=\"Internal\"/>"
                                   "<ClockSource id=\"2\" unitId=\"17\" name=\"S/PDIF In\" "
                                   "rate=\"48000\" settleMs=\"60000\"/>")),
              nullptr);
    ShowPage(PageStatus::IDD);
    ClearCalls();
    PumpFor(1300);
    EXPECT_EQ(SourceReads(), 0u);
    EXPECT_FALSE(TakePollTimer()) << "deactivation stops the poll";

    ShowPage(PageClockSource::IDD);
    EXPECT_EQ(SourceReads(), 1u) << "coming back refreshes at once";
    ShowWindow(Hwnd(), SW_HIDE);
    ClearCalls();
    PumpFor(1300);
    EXPECT_EQ(SourceReads(), 0u) << "the tick of a hidden window reads nothing";
    EXPECT_FALSE(TakePollTimer()) << "and stops the poll";

    Command(CMD_SHOW);
    EXPECT_EQ(SourceReads(), 1u);
    EXPECT_TRUE(TakePollTimer()) << "showing the window polls again";
}

TEST_F(ClockSourcePage, PollTickWithUnchangedSourcesWritesNoCellAndPaintsNothing) {
    ASSERT_NE(
        OpenPage(ClockDevice(kThreeSources + "<ClockSource id=\"4\" unitId=\"19\" name=\"ADAT\" "
                                             "rate=\"48000\" settleMs=\"60000\"/>")),
        nullptr);
    PumpFor(300);
    ListWriteCounter counter(list);
    ClearCalls();
    PumpFor(2300);
    EXPECT_GE(SourceReads(), 2u);
    EXPECT_EQ(counter.CellWrites(), 0);
    EXPECT_EQ(counter.Paints(), 0);

    ASSERT_EQ(Simulator().Command(L"clock-state 1 4 valid").status, 0u);
    Pump();
    EXPECT_EQ(counter.CellWrites(), 2) << "the validity and the rate of one row";
    EXPECT_EQ(ListRows(list, 4)[3], (std::vector<std::wstring>{L"ADAT", L"stable", L"48000 Hz"}));
}

TEST_F(ClockSourcePage, AnUnreadableOrUnlistedCurrentSourceLeavesNoRowChecked) {
    ASSERT_NE(OpenPage(ClockDevice(kThreeSources)), nullptr);
    ASSERT_EQ(ListChecks(list), (Checks{true, false, false}));
    Simulator().Fail("KORVELINE_GetCurrentClockSource", 0xEE000123, kSimFailAlways);
    Page(PageClockSource::IDD)->RefreshPage();
    EXPECT_EQ(ListChecks(list), (Checks{false, false, false}));
    Simulator().Fail("KORVELINE_GetCurrentClockSource", 0, kSimFailOff);
    Page(PageClockSource::IDD)->RefreshPage();
    EXPECT_EQ(ListChecks(list), (Checks{true, false, false}));

    // The next read leaves out the last source, which is the current one.
    ASSERT_EQ(Simulator().Command(L"set-clock 1 3").status, 0u);
    Pump();
    ASSERT_EQ(ListChecks(list), (Checks{false, false, true}));
    ASSERT_EQ(Simulator().SetMisbehaviour(kMisbehaveShiftingLists), 0u);
    Page(PageClockSource::IDD)->RefreshPage();
    EXPECT_EQ(ListChecks(list), (Checks{false, false}));
    EXPECT_TRUE(ErrorBoxes().empty());
}

TEST_F(ClockSourcePage, RepeatedIdsAndIdZeroKeepTheirOwnRowsAndAnUnchangedTickRebuildsNothing) {
    scenarioAttributes = "oddData=\"true\"";
    ASSERT_NE(OpenPage(ClockDevice("<ClockSource id=\"2\" name=\"Word A\"/>"
                                   "<ClockSource id=\"2\" name=\"Word B\" rate=\"48000\"/>"
                                   "<ClockSource id=\"0\" name=\"Zero\" settleMs=\"60000\"/>",
                                   "2")),
              nullptr);
    const Rows rows{{L"Word A", L"stable", L"44100 Hz"},
                    {L"Word B", L"stable", L"48000 Hz"},
                    {L"Zero", L"not valid", L""}};
    EXPECT_EQ(ListRows(list, 4), rows);
    EXPECT_EQ(ListChecks(list), (Checks{true, false, false})) << "the first row of the id";
    ListWriteCounter counter(list);
    ClearCalls();
    PumpFor(1300);
    ASSERT_GE(SourceReads(), 1u) << "the source of id 0 keeps the page polling";
    EXPECT_EQ(counter.CellWrites(), 0) << "no rebuild";
    EXPECT_EQ(counter.Paints(), 0);
    EXPECT_EQ(ListRows(list, 4), rows);
}

TEST_F(ClockSourcePage, ACheckIsActedOnAfterTheNotificationWhileTheListChangesSize) {
    ASSERT_NE(OpenPage(ClockDevice(kThreeSources)), nullptr);
    ClearCalls();
    ASSERT_EQ(Simulator().SetMisbehaviour(kMisbehaveShiftingLists), 0u);
    ClickCheckBox(list, 1, true);
    EXPECT_TRUE(Switches().empty()) << "nothing is written inside the list's notification";
    Pump();
    ASSERT_EQ(Switches().size(), 1u);
    EXPECT_TRUE(Switches()[0].ends_with(L", 2)")) << Switches()[0];
    // Reads alternate between two and three sources; the list shows the last one.
    const size_t reads = SourceReads();
    ASSERT_GE(reads, 1u);
    EXPECT_EQ(ListChecks(list), reads % 2 ? (Checks{false, true}) : (Checks{false, true, false}))
        << reads << " reads";
    EXPECT_TRUE(ErrorBoxes().empty());
}

} // namespace
