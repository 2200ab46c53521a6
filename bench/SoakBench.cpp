// The soak at full length, with the real main window and the simulated driver in this
// process: 1000 removals and arrivals of the open device, 100 bursts of 1000
// notifications, 200 openings and closings of the volume dialog, 1000 tab changes; what
// the process holds before and after (working set and live heap blocks, phase by phase),
// and the time of each phase.
//   soakbench.exe [DIVISOR]   every count divided by DIVISOR (default 1), for a quick try
#include "bench/BenchEnvironment.h"
#include "bench/SoakLoop.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <utility>

namespace {

void PrintResources(const wchar_t* what, int start, int end) {
    wprintf(L"%-44ls %8d %8d\n", what, start, end);
}

void PrintPhase(const wchar_t* what, int count, double ms) {
    wprintf(L"%-44ls %8d %8.2f\n", what, count, count ? ms / count : 0.0);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const int divisor = argc > 1 ? std::max(1, _wtoi(argv[1])) : 1;
    SoakCounts counts;
    counts.plugCycles /= divisor;
    counts.bursts /= divisor;
    counts.volumeOpenings /= divisor;
    counts.tabChanges /= divisor;

    BenchEnvironment bench(ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES);
    if (!bench.Ready())
        return 1;
    SimulatorLibrary& simulator = bench.Simulator();
    SoakWindow window;
    if (!OpenOnSoakDevice(window, simulator))
        return 1;

    const SoakResult result = RunSoak(window, simulator, counts);
    wprintf(L"== soak (%d pages)\n", window.PageCount());
    wprintf(L"%-44ls %8ls %8ls\n", L"phase", L"count", L"ms each");
    PrintPhase(L"device removed and back, device open", result.plugCyclesDone, result.times.plugMs);
    PrintPhase(L"bursts of notifications (1000 queued each)", counts.bursts, result.times.burstMs);
    PrintPhase(L"volume dialog opened and closed", result.volumeDialogsOpened,
               result.times.volumeMs);
    PrintPhase(L"tab changes", counts.tabChanges, result.times.tabMs);
    wprintf(L"%-44ls %zu of %zu\n", L"notification codes that reached the pages",
            result.codesReached.size(), result.codesSent.size());
    wprintf(L"%-44ls %8ls %8ls\n", L"held by the process", L"start", L"end");
    PrintResources(L"windows", result.start.windows, result.end.windows);
    PrintResources(L"GDI objects (counted in the handle table)", result.start.gdiObjects,
                   result.end.gdiObjects);
    PrintResources(L"bitmaps", result.start.bitmaps, result.end.bitmaps);
    if (result.start.kernelHandles == 0 && result.end.kernelHandles == 0)
        wprintf(L"%-44ls %17ls\n", L"kernel handles", L"not counted here");
    else
        PrintResources(L"kernel handles", static_cast<int>(result.start.kernelHandles),
                       static_cast<int>(result.end.kernelHandles));
    wprintf(L"%-44ls %8zu %8zu\n", L"working set, kB", result.start.workingSetBytes / 1024,
            result.end.workingSetBytes / 1024);
    wprintf(L"%-44ls %8zu %8zu\n", L"heap in use, kB", result.start.heapBytesInUse / 1024,
            result.end.heapBytesInUse / 1024);
    wprintf(L"%-44ls %8ls %8ls\n", L"after each phase, kB", L"working", L"heap");
    const std::pair<const wchar_t*, const ProcessResources*> phases[] = {
        {L"  start", &result.start},
        {L"  after the plug cycles", &result.afterPlug},
        {L"  after the bursts", &result.afterBursts},
        {L"  after the volume dialogs", &result.afterVolume},
        {L"  after the tab changes (end)", &result.end}};
    for (const auto& [what, resources] : phases)
        wprintf(L"%-44ls %8zu %8zu\n", what, resources->workingSetBytes / 1024,
                resources->heapBytesInUse / 1024);

    // The figures are out before the window and the driver binding go.
    fflush(stdout);
    DestroyWindow(window.Hwnd());
    return 0;
}
