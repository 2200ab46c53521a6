// Device arrival to pages rebuilt and status page refilled, with the real main window and
// the simulated driver in this process, for 1, 8 and 64 devices. One device of the set
// is unplugged and plugged again; each arrival is timed from the plug command (the driver
// then posts its message from its own thread) to the moment the selector lists the whole
// set and the window's queue is empty. Prints min / median / max in milliseconds.
#include "app/MainPropSheetDlg.h"
#include "bench/BenchTiming.h"
#include "bench/BenchEnvironment.h"
#include "sim/client/SimulatorLibrary.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kRounds = 15;

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

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int wmain() {
    BenchEnvironment bench(ICC_BAR_CLASSES);
    if (!bench.Ready())
        return 1;
    SimulatorLibrary& simulator = bench.Simulator();
    wprintf(L"%-34ls %6ls %8ls %9ls %8ls\n", L"device arrival to pages rebuilt", L"rounds",
            L"min ms", L"median ms", L"max ms");
    for (int devices : {1, 8, 64}) {
        simulator.Reset();
        simulator.LoadScenarioText(Scenario(devices));
        MainPropSheetDlg window;
        if (!window.Create())
            return 1;
        ShowWindow(window.Hwnd(), SW_SHOW);
        HWND selector = GetDlgItem(window.StatusPage().Hwnd(), PageStatus::kDeviceSelector);
        const int listed = devices;
        const int beforeArrival = devices - 1;
        PumpUntilListed(selector, beforeArrival);
        std::vector<double> times;
        for (int round = 0; round < kRounds; ++round) {
            const double start = NowMs();
            simulator.Plug(static_cast<std::uint32_t>(devices));
            if (!PumpUntilListed(selector, listed))
                break;
            times.push_back(NowMs() - start);
            simulator.Unplug(static_cast<std::uint32_t>(devices));
            PumpUntilListed(selector, beforeArrival);
        }
        DestroyWindow(window.Hwnd());
        if (times.empty()) {
            wprintf(L"%-34ls  never rebuilt\n", (std::to_wstring(devices) + L" devices").c_str());
            continue;
        }
        wprintf(L"%-34ls %6zu %8.1f %9.1f %8.1f\n",
                (std::to_wstring(devices) + L" device(s)").c_str(), times.size(),
                *std::min_element(times.begin(), times.end()), Median(times),
                *std::max_element(times.begin(), times.end()));
    }
    return 0;
}
