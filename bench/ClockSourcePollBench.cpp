// Cost of the clock source page's poll tick, with the real main window and the simulated
// driver in this process: one device with 4 and with 32 clock sources, one of them
// settling (so the page keeps polling). Each tick is the page's timer message; between
// "changed" ticks one source's validity flips, so its validity and rate cells change.
// Prints cells written and list paints per tick, and the time per tick.
#include "app/MainPropSheetDlg.h"
#include "bench/BenchEnvironment.h"
#include "pages/PageClockSource.h"
#include "sim/client/SimulatorLibrary.h"

#include <commctrl.h>

#include <cstdio>
#include <string>

namespace {

constexpr int kTicks = 50;

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

double NowMs() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return 1000.0 * double(now.QuadPart) / double(frequency.QuadPart);
}

void PumpQueue() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

struct Counts {
    int cellWrites = 0;
    int paints = 0;
};

LRESULT CALLBACK CountWrites(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                             DWORD_PTR refData) {
    auto* counts = reinterpret_cast<Counts*>(refData);
    if (message == LVM_SETITEMTEXTW)
        ++counts->cellWrites;
    if (message == WM_PAINT)
        ++counts->paints;
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

} // namespace

int wmain() {
    BenchEnvironment bench(ICC_LISTVIEW_CLASSES);
    if (!bench.Ready())
        return 1;
    SimulatorLibrary& simulator = bench.Simulator();
    wprintf(L"%-30ls %6ls %12ls %12ls %10ls\n", L"clock source poll tick", L"ticks", L"cells/tick",
            L"paints/tick", L"ms/tick");
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
        for (const bool changed : {false, true}) {
            Counts counts;
            SetWindowSubclass(list, CountWrites, 1, reinterpret_cast<DWORD_PTR>(&counts));
            double elapsed = 0;
            for (int tick = 0; tick < kTicks; ++tick) {
                if (changed)
                    simulator.Command(L"clock-state 1 1 " +
                                      std::wstring(tick % 2 ? L"valid" : L"invalid"));
                const double start = NowMs();
                SendMessageW(page, WM_TIMER, PageClockSource::kPollTimer, 0);
                UpdateWindow(list);
                PumpQueue();
                elapsed += NowMs() - start;
            }
            RemoveWindowSubclass(list, CountWrites, 1);
            const std::wstring label = std::to_wstring(sources) + L" sources, " +
                                       (changed ? L"one changed" : L"unchanged");
            wprintf(L"%-30ls %6d %12.1f %12.1f %10.2f\n", label.c_str(), kTicks,
                    double(counts.cellWrites) / kTicks, double(counts.paints) / kTicks,
                    elapsed / kTicks);
        }
        DestroyWindow(window.Hwnd());
    }
    return 0;
}
