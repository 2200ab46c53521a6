// Device arrival and removal to pages rebuilt and status page refilled, with the real main
// window and the simulated driver in this process, for 1, 8 and 64 devices. One device of
// the set is unplugged and plugged again; each change is timed from the command (the
// driver then posts its message from its own thread) to the moment the selector lists the
// set and the window's queue has been idle. Prints p50 / p95 / max in milliseconds and
// the driver calls of each change (from the simulator's call log).
#include "app/MainPropSheetDlg.h"
#include "bench/BenchTiming.h"
#include "bench/BenchEnvironment.h"
#include "bench/SoakLoop.h"
#include "sim/client/SimulatorLibrary.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kRounds = 100;
constexpr DWORD kQuietMs = 20;

std::string Scenario(int devices) {
    std::string xml = "<Scenario apiVersion=\"5.16\">";
    for (int id = 1; id <= devices; ++id)
        xml += "<Device id=\"" + std::to_string(id) + "\" serial=\"SN" + std::to_string(id) +
               "\" product=\"Bench device " + std::to_string(id) + "\"" +
               (id == devices ? " plugged=\"false\"" : "") +
               "><SampleRates current=\"48000\">44100 48000</SampleRates></Device>";
    return xml + "</Scenario>";
}

int DeviceEntries(HWND selector) {
    const int count = static_cast<int>(SendMessageW(selector, CB_GETCOUNT, 0, 0));
    int devices = 0;
    for (int i = 0; i < count; ++i)
        if (static_cast<std::uint32_t>(SendMessageW(selector, CB_GETITEMDATA, i, 0)) !=
            PageStatus::kPlaceholderItemData)
            ++devices;
    return devices;
}

// Dispatches until the selector lists `devices` devices and nothing is left to do.
bool PumpUntilListed(HWND selector, int devices) {
    const double limit = NowMs() + 10000;
    while (NowMs() < limit) {
        MSG message;
        if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
            continue;
        }
        if (DeviceEntries(selector) == devices)
            return true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
    return false;
}

struct ChangeFigures {
    std::vector<double> ms;
    std::size_t driverCalls = 0;
};

// Runs `change`, then dispatches until the selector lists `devices` and the queue is idle.
bool TimeChange(SimulatorLibrary& simulator, HWND selector, int devices,
                const std::function<void()>& change, ChangeFigures& figures) {
    simulator.ClearCallLog();
    const double start = NowMs();
    change();
    if (!PumpUntilListed(selector, devices))
        return false;
    const double listed = NowMs();
    figures.ms.push_back(std::max(listed, PumpUntilQuiet(kQuietMs)) - start);
    figures.driverCalls += simulator.CallLog().size();
    return true;
}

void Print(const std::wstring& label, const ChangeFigures& figures) {
    if (figures.ms.empty()) {
        wprintf(L"%-26ls  never rebuilt\n", label.c_str());
        return;
    }
    wprintf(L"%-26ls %6zu %8.1f %8.1f %8.1f %8.1f\n", label.c_str(), figures.ms.size(),
            Percentile(figures.ms, 0.50), Percentile(figures.ms, 0.95),
            *std::max_element(figures.ms.begin(), figures.ms.end()),
            double(figures.driverCalls) / double(figures.ms.size()));
}

} // namespace

int wmain() {
    BenchEnvironment bench(ICC_BAR_CLASSES);
    if (!bench.Ready())
        return 1;
    SimulatorLibrary& simulator = bench.Simulator();
    wprintf(L"%-26ls %6ls %8ls %8ls %8ls %8ls\n", L"device change to rebuilt", L"rounds", L"p50 ms",
            L"p95 ms", L"max ms", L"calls");
    for (int devices : {1, 8, 64}) {
        simulator.Reset();
        simulator.LoadScenarioText(Scenario(devices));
        MainPropSheetDlg window;
        if (!window.Create())
            return 1;
        ShowWindow(window.Hwnd(), SW_SHOW);
        HWND selector = GetDlgItem(window.StatusPage().Hwnd(), PageStatus::kDeviceSelector);
        const auto id = static_cast<std::uint32_t>(devices);
        PumpUntilListed(selector, devices - 1);
        PumpUntilQuiet(kQuietMs);
        ChangeFigures arrivals, removals;
        for (int round = 0; round < kRounds; ++round) {
            if (!TimeChange(
                    simulator, selector, devices, [&] { simulator.Plug(id); }, arrivals) ||
                !TimeChange(
                    simulator, selector, devices - 1, [&] { simulator.Unplug(id); }, removals))
                break;
        }
        DestroyWindow(window.Hwnd());
        const std::wstring set = std::to_wstring(devices) + L" device(s)";
        Print(L"arrival, " + set, arrivals);
        Print(L"removal, " + set, removals);
    }
    return 0;
}
