// The volume dialog of the default scenario's multichannel interface (output: master,
// seven pairs and an odd channel), with the real main window and the simulated driver in
// this process:
//   - opened and closed 200 times: the process's GDI objects, its windows, and the button bitmaps
//   of each closed dialog still alive;
//   - the master slider dragged across its whole range one raw position at a time: the
//     position changes against the volume writes.
#include "app/MainPropSheetDlg.h"
#include "bench/BenchTiming.h"
#include "bench/BenchEnvironment.h"
#include "bench/SoakLoop.h"
#include "sim/client/SimulatorLibrary.h"
#include "volume/PageVolumeControl.h"
#include "volume/VolumeMonoCtrl.h"

#include <commctrl.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kOpenings = 200;
constexpr std::uint32_t kInterfaceIndex = 1;

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

// The bitmaps on every button of the dialog's strips.
std::vector<HGDIOBJ> ButtonBitmaps(HWND dialog) {
    std::vector<HGDIOBJ> bitmaps;
    for (HWND strip : Children(dialog)) {
        for (HWND control : Children(strip)) {
            const auto bitmap =
                reinterpret_cast<HGDIOBJ>(SendMessageW(control, BM_GETIMAGE, IMAGE_BITMAP, 0));
            if (bitmap != nullptr)
                bitmaps.push_back(bitmap);
        }
    }
    return bitmaps;
}

int CountCalls(const SimulatorLibrary& simulator, const std::wstring& entryPoint) {
    int calls = 0;
    for (const std::wstring& line : simulator.CallLog())
        calls += line.rfind(entryPoint + L"(", 0) == 0 ? 1 : 0;
    return calls;
}

} // namespace

int wmain() {
    BenchEnvironment bench(ICC_BAR_CLASSES);
    if (!bench.Ready())
        return 1;
    SimulatorLibrary& simulator = bench.Simulator();
    simulator.Reset();
    MainPropSheetDlg window;
    if (!window.Create()) {
        fwprintf(stderr, L"the main window could not be created\n");
        return 1;
    }
    ShowWindow(window.Hwnd(), SW_SHOW);
    PumpUntilQuiet(100);
    const HWND selector = GetDlgItem(window.StatusPage().Hwnd(), PageStatus::kDeviceSelector);
    const int entries = static_cast<int>(SendMessageW(selector, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < entries; ++i) {
        if (static_cast<std::uint32_t>(SendMessageW(selector, CB_GETITEMDATA, i, 0)) ==
            kInterfaceIndex) {
            SendMessageW(selector, CB_SETCURSEL, i, 0);
            SendMessageW(window.StatusPage().Hwnd(), WM_COMMAND,
                         MAKEWPARAM(PageStatus::kDeviceSelector, CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(selector));
        }
    }
    PumpUntilQuiet(100);
    const int pageIndex = window.PageIndex(PageVolumeControl::IDD);
    if (pageIndex < 0) {
        fwprintf(stderr, L"the interface has no volume page\n");
        return 1;
    }
    SendMessageW(window.Hwnd(), PSM_SETCURSEL, pageIndex, 0);
    PumpUntilQuiet(100);
    const HWND page =
        reinterpret_cast<HWND>(SendMessageW(window.Hwnd(), PSM_GETCURRENTPAGEHWND, 0, 0));
    // The interface has input controls too: the output dialog is on the second button.
    const int outputButton = PageVolumeControl::kSecondButton;

    // One opening first, so that what the platform creates once (brushes, fonts, themes)
    // does not count as left behind.
    RunInModalDialog(window.Hwnd(), page, outputButton, [](HWND) {});
    PumpUntilQuiet(100);
    const ProcessResources before = MeasureProcessResources();
    int opened = 0;
    int bitmapsAlive = 0;
    int strips = 0;
    const double start = NowMs();
    for (int i = 0; i < kOpenings; ++i) {
        std::vector<HGDIOBJ> bitmaps;
        opened += RunInModalDialog(window.Hwnd(), page, outputButton, [&](HWND dialog) {
            bitmaps = ButtonBitmaps(dialog);
            strips = static_cast<int>(Children(dialog).size());
        });
        for (HGDIOBJ bitmap : bitmaps)
            bitmapsAlive += GetObjectType(bitmap) != 0 ? 1 : 0;
    }
    const double elapsed = NowMs() - start;
    PumpUntilQuiet(100);
    const ProcessResources after = MeasureProcessResources();

    wprintf(L"== volume dialog opened and closed %d times (%d strips each)\n", opened, strips);
    wprintf(L"%-44ls %8.1f\n", L"per opening and closing, ms", elapsed / (opened ? opened : 1));
    wprintf(L"%-44ls %4d / %d\n", L"GDI objects before / after", before.gdiObjects,
            after.gdiObjects);
    wprintf(L"%-44ls %4d / %d\n", L"windows of the process before / after", before.windows,
            after.windows);
    wprintf(L"%-44ls %8d\n", L"button bitmaps alive after their dialog closed", bitmapsAlive);
    fflush(stdout);

    int positions = 0;
    int writes = 0;
    RunInModalDialog(window.Hwnd(), page, outputButton, [&](HWND dialog) {
        const HWND master = Children(dialog).front();
        const HWND slider = GetDlgItem(master, VolumeMonoCtrl::kSlider);
        const int minimum = static_cast<int>(SendMessageW(slider, TBM_GETRANGEMIN, 0, 0));
        const int maximum = static_cast<int>(SendMessageW(slider, TBM_GETRANGEMAX, 0, 0));
        simulator.ClearCallLog();
        for (int position = minimum; position <= maximum; ++position) {
            SendMessageW(slider, TBM_SETPOS, TRUE, position);
            SendMessageW(master, WM_VSCROLL, MAKEWPARAM(TB_THUMBTRACK, position),
                         reinterpret_cast<LPARAM>(slider));
            ++positions;
        }
        SendMessageW(master, WM_VSCROLL, MAKEWPARAM(TB_THUMBPOSITION, maximum),
                     reinterpret_cast<LPARAM>(slider));
        SendMessageW(master, WM_VSCROLL, TB_ENDTRACK, reinterpret_cast<LPARAM>(slider));
        writes = CountCalls(simulator, L"KORVELINE_SetVolume");
    });
    wprintf(L"\n== master slider dragged across its range\n");
    wprintf(L"%-44ls %8d\n", L"position changes", positions);
    wprintf(L"%-44ls %8d\n", L"volume writes", writes);
    wprintf(L"%-44ls %8.4f\n", L"writes per position change",
            positions ? double(writes) / positions : 0.0);

    // The figures are out before the window and the driver binding go.
    fflush(stdout);
    DestroyWindow(window.Hwnd());
    return 0;
}
