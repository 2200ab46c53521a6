// Cost of the clock source page's poll tick, with the real main window and the simulated
// driver in this process: one device with 4 and with 32 clock sources, one of them
// settling (so the page keeps polling). Each tick is the page's timer message. Between
// "one changed" ticks one source's validity flips; between "all changed" ticks every
// source's does, so every row's validity and rate cells change. The driver's notifications
// of those changes are left undispatched, so each tick is the timer's refresh alone.
// Prints what each tick sends to the list view (cell writes, other writes, reads, paints)
// and the process's CPU time and the wall time per tick.
#include "app/AppMessages.h"
#include "app/MainPropSheetDlg.h"
#include "bench/BenchEnvironment.h"
#include "bench/BenchTiming.h"
#include "pages/PageClockSource.h"
#include "sim/client/SimulatorLibrary.h"

#include <commctrl.h>

#include <cstdio>
#include <string>

namespace {

constexpr int kTicks = 200;

std::string Scenario(int sources) {
    std::string xml = "<Scenario apiVersion=\"5.16\"><Device id=\"1\" serial=\"SN1\" "
                      "product=\"Bench DAC\"><SampleRates current=\"48000\">44100 48000"
                      "</SampleRates><ClockSources current=\"1\">";
    for (int id = 1; id <= sources; ++id)
        xml += "<ClockSource id=\"" + std::to_string(id) + "\" unitId=\"" +
               std::to_string(id + 15) + "\" name=\"Source " + std::to_string(id) +
               "\" rate=\"48000\"" + (id == sources ? " settleMs=\"600000\"" : "") + "/>";
    return xml + "</ClockSources></Device></Scenario>";
}

void PumpQueue() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == MSG_DEVICE_NOTIFICATION)
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

enum class Change { None, One, All };

struct Counts {
    int cellWrites = 0;
    int otherWrites = 0; // state, item data, column width, insertions, deletions
    int reads = 0;
    int paints = 0;
};

bool IsListWrite(UINT message) {
    switch (message) {
    case LVM_SETITEMSTATE:
    case LVM_SETITEMW:
    case LVM_SETCOLUMNWIDTH:
    case LVM_INSERTITEMW:
    case LVM_DELETEITEM:
    case LVM_DELETEALLITEMS:
    case LVM_SETEXTENDEDLISTVIEWSTYLE:
        return true;
    default:
        return false;
    }
}

LRESULT CALLBACK CountMessages(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR refData) {
    auto* counts = reinterpret_cast<Counts*>(refData);
    if (message == LVM_SETITEMTEXTW)
        ++counts->cellWrites;
    else if (IsListWrite(message))
        ++counts->otherWrites;
    else if (message >= LVM_FIRST && message < LVM_FIRST + 0x100)
        ++counts->reads;
    if (message == WM_PAINT)
        ++counts->paints;
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

// Flips the validity of the sources that `change` names, so that the next tick sees it.
void ChangeSources(SimulatorLibrary& simulator, Change change, int sources, int tick) {
    const std::wstring state = tick % 2 ? L" valid" : L" invalid";
    const int last = change == Change::All ? sources : change == Change::One ? 1 : 0;
    for (int id = 1; id <= last; ++id)
        simulator.Command(L"clock-state 1 " + std::to_wstring(id) + state);
}

const wchar_t* ChangeLabel(Change change) {
    return change == Change::None  ? L"unchanged"
           : change == Change::One ? L"one changed"
                                   : L"all changed";
}

} // namespace

int wmain() {
    BenchEnvironment bench(ICC_LISTVIEW_CLASSES);
    if (!bench.Ready())
        return 1;
    SimulatorLibrary& simulator = bench.Simulator();
    wprintf(L"%-26ls %5ls %6ls %7ls %6ls %6ls %8ls %8ls\n", L"clock source poll tick", L"ticks",
            L"cells", L"writes", L"reads", L"paints", L"CPU ms", L"wall ms");
    for (int sources : {4, 32}) {
        simulator.Reset();
        simulator.LoadScenarioText(Scenario(sources));
        MainPropSheetDlg window;
        if (!window.Create())
            return 1;
        ShowWindow(window.Hwnd(), SW_SHOW);
        PumpQueue();
        SendMessageW(window.Hwnd(), PSM_SETCURSEL, window.PageIndex(PageClockSource::IDD), 0);
        PumpQueue();
        const HWND page =
            reinterpret_cast<HWND>(SendMessageW(window.Hwnd(), PSM_GETCURRENTPAGEHWND, 0, 0));
        const HWND list = GetDlgItem(page, PageClockSource::kSourceList);
        if (list == nullptr) {
            fwprintf(stderr, L"the clock source page is missing\n");
            return 1;
        }
        for (const Change change : {Change::None, Change::One, Change::All}) {
            Counts counts;
            SetWindowSubclass(list, CountMessages, 1, reinterpret_cast<DWORD_PTR>(&counts));
            double wall = 0;
            double cpu = 0;
            for (int tick = 0; tick < kTicks; ++tick) {
                ChangeSources(simulator, change, sources, tick);
                const double cpuStart = ProcessCpuMs();
                const double start = NowMs();
                SendMessageW(page, WM_TIMER, PageClockSource::kPollTimer, 0);
                UpdateWindow(list);
                PumpQueue();
                wall += NowMs() - start;
                cpu += ProcessCpuMs() - cpuStart;
            }
            RemoveWindowSubclass(list, CountMessages, 1);
            const std::wstring label =
                std::to_wstring(sources) + L" sources, " + ChangeLabel(change);
            wprintf(L"%-26ls %5d %6.1f %7.1f %6.1f %6.1f %8.3f %8.3f\n", label.c_str(), kTicks,
                    double(counts.cellWrites) / kTicks, double(counts.otherWrites) / kTicks,
                    double(counts.reads) / kTicks, double(counts.paints) / kTicks, cpu / kTicks,
                    wall / kTicks);
        }
        DestroyWindow(window.Hwnd());
    }
    return 0;
}
