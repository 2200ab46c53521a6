// A storm of device notifications on the real main window with the simulated driver in
// this process: a second thread queues 10,000 notifications of 32 distinct codes (the
// driver's notification mask has 32 bits) as fast as the driver takes them, while the
// window runs as usual on a device with its full page set. A third thread asks the window
// for an answer (a sent WM_NULL) every millisecond. Prints the notification messages the
// window received per 50 ms window, the longest time the window did not answer, and how
// many distinct codes reached the pages.
#include "app/AppMessages.h"
#include "bench/BenchEnvironment.h"
#include "bench/BenchTiming.h"
#include "bench/SoakLoop.h"

#include <commctrl.h>
#include <prsht.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <map>
#include <string>
#include <thread>

namespace {

constexpr int kNotifications = 10000;
constexpr std::uint32_t kDistinctCodes = 32;
constexpr double kWindowMs = 50;

struct StormFigures {
    double burstMs = 0;
    int messages = 0;      // notification messages the window received
    int busiestWindow = 0; // the most of them in one 50 ms window
    double longestUnansweredMs = 0;
    std::size_t codesReached = 0;
};

StormFigures RunStorm(SoakWindow& window, SimulatorLibrary& simulator) {
    window.codesReached.clear();
    StormFigures figures;
    std::atomic<bool> feeding{true};
    std::atomic<double> longestUnansweredMs{0};
    const double start = NowMs();
    std::thread feeder([&] {
        for (int k = 0; k < kNotifications; ++k)
            simulator.Command(L"notify 1 " + std::to_wstring(k % kDistinctCodes + 1));
        feeding = false;
    });
    const HWND target = window.Hwnd();
    std::thread prober([&] {
        while (feeding) {
            const double asked = NowMs();
            SendMessageW(target, WM_NULL, 0, 0);
            longestUnansweredMs = std::max(longestUnansweredMs.load(), NowMs() - asked);
            Sleep(1);
        }
    });
    std::map<int, int> messagesPerWindow;
    while (feeding) {
        PumpUntilQuiet(5, [&](const MSG& message) {
            if (message.message != MSG_DEVICE_NOTIFICATION)
                return;
            ++figures.messages;
            ++messagesPerWindow[static_cast<int>((NowMs() - start) / kWindowMs)];
        });
    }
    figures.burstMs = NowMs() - start;
    feeder.join();
    prober.join();
    PumpUntilQuiet(200);
    for (const auto& [window50, count] : messagesPerWindow)
        figures.busiestWindow = std::max(figures.busiestWindow, count);
    figures.longestUnansweredMs = longestUnansweredMs.load();
    figures.codesReached = window.codesReached.size();
    return figures;
}

} // namespace

int wmain() {
    BenchEnvironment bench(ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES);
    if (!bench.Ready())
        return 1;
    SimulatorLibrary& simulator = bench.Simulator();
    SoakWindow window;
    if (!OpenOnSoakDevice(window, simulator))
        return 1;
    wprintf(L"== notification storms: %d notifications of %u codes each, on each page\n",
            kNotifications, kDistinctCodes);
    wprintf(L"%-16ls %8ls %8ls %10ls %10ls %12ls %7ls\n", L"page shown", L"burst ms", L"messages",
            L"per 50 ms", L"most/50 ms", L"unanswered ms", L"codes");
    for (int index = 0; index < window.PageCount(); ++index) {
        SendMessageW(window.Hwnd(), PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
        PumpUntilQuiet(100);
        const StormFigures storm = RunStorm(window, simulator);
        wchar_t title[64] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = title;
        item.cchTextMax = 64;
        SendMessageW(PropSheet_GetTabControl(window.Hwnd()), TCM_GETITEMW, index,
                     reinterpret_cast<LPARAM>(&item));
        wprintf(L"%-16ls %8.0f %8d %10.2f %10d %12.1f %4zu/%u\n", title, storm.burstMs,
                storm.messages, storm.messages / std::max(1.0, storm.burstMs / kWindowMs),
                storm.busiestWindow, storm.longestUnansweredMs, storm.codesReached, kDistinctCodes);
    }
    fflush(stdout);
    DestroyWindow(window.Hwnd());
    return 0;
}
