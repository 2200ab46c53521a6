// Every user action of the road of one request, with the real main window and the
// simulated driver in this process: the input message a control sends is given to the
// page, and the time runs until the page shows what the driver read back and the queue
// has been idle (the driver's notification of the change handled too). Each action
// alternates between two values, so every repetition changes the device. Prints p50 and
// p95 of the time and the driver calls per action (from the simulator's call log), the
// notification reads among them.
//   actionbench.exe [REPETITIONS]   (default 100)
#include "app/MainPropSheetDlg.h"
#include "app/PageTable.h"
#include "bench/BenchEnvironment.h"
#include "bench/BenchTiming.h"
#include "bench/SoakLoop.h"
#include "pages/PageAsioDevice.h"
#include "pages/PageBufferSettings.h"
#include "pages/PageClockSource.h"
#include "pages/PageOptions.h"
#include "pages/PageSampleRate.h"
#include "pages/PageSoundDeviceProfiles.h"
#include "pages/PageStreamFormats.h"
#include "volume/PageVolumeControl.h"
#include "volume/VolumeMonoCtrl.h"

#include <commctrl.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

// Longer than the notification watcher's pause after a post, so a second post counts.
constexpr DWORD kSettledQuietMs = 60;

// Every page shown, whatever its "auto" test says.
ConfigSettings AllPagesVisible() {
    ConfigSettings settings;
    for (const PageRow& row : DevicePageRows())
        settings.*row.visibility = Visibility::Visible;
    return settings;
}

struct ActionFigures {
    std::vector<double> ms;
    std::size_t driverCalls = 0;
    std::size_t notificationReads = 0;
};

// Runs `act` (repetition number) `repetitions` times; each is timed until settled.
ActionFigures Measure(SimulatorLibrary& simulator, int repetitions,
                      const std::function<void(int)>& act) {
    ActionFigures figures;
    act(repetitions); // once unmeasured, so first-use costs do not count
    PumpUntilQuiet(kSettledQuietMs);
    for (int repetition = 0; repetition < repetitions; ++repetition) {
        simulator.ClearCallLog();
        const double start = NowMs();
        act(repetition);
        const double settled = PumpUntilQuiet(kSettledQuietMs);
        figures.ms.push_back(settled - start);
        for (const std::wstring& call : simulator.CallLog()) {
            ++figures.driverCalls;
            if (call.rfind(L"KORVELINE_ReadDeviceNotification(", 0) == 0)
                ++figures.notificationReads;
        }
    }
    return figures;
}

void Print(const wchar_t* action, const ActionFigures& figures) {
    const double n = figures.ms.empty() ? 1.0 : double(figures.ms.size());
    wprintf(L"%-34ls %5zu %8.1f %8.1f %7.1f %6.1f\n", action, figures.ms.size(),
            Percentile(figures.ms, 0.50), Percentile(figures.ms, 0.95),
            double(figures.driverCalls) / n, double(figures.notificationReads) / n);
}

void ChooseEntry(HWND page, int selectorId, int position) {
    const HWND selector = GetDlgItem(page, selectorId);
    SendMessageW(selector, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(selectorId, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(selector));
}

void ClickButton(HWND parent, int buttonId) {
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(parent, buttonId)));
}

void SetRowCheck(HWND page, int listId, int row, bool checked) {
    ListView_SetItemState(GetDlgItem(page, listId), row, INDEXTOSTATEIMAGEMASK(checked ? 2 : 1),
                          LVIS_STATEIMAGEMASK);
}

HWND ShowPage(MainPropSheetDlg& window, UINT dialogId) {
    SendMessageW(window.Hwnd(), PSM_SETCURSEL, static_cast<WPARAM>(window.PageIndex(dialogId)), 0);
    PumpUntilQuiet(kSettledQuietMs);
    return reinterpret_cast<HWND>(SendMessageW(window.Hwnd(), PSM_GETCURRENTPAGEHWND, 0, 0));
}

struct PageAction {
    const wchar_t* name;
    UINT page;
    std::function<void(HWND page, int repetition)> act;
};

} // namespace

int wmain(int argc, wchar_t** argv) {
    const int repetitions = argc > 1 ? std::max(1, _wtoi(argv[1])) : 100;
    BenchEnvironment bench(ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES);
    if (!bench.Ready())
        return 1;
    SimulatorLibrary& simulator = bench.Simulator();
    const ConfigSettings settings = AllPagesVisible();
    MainPropSheetDlg window(TheKorvelineApiDll(), settings);
    if (!OpenOnSoakDevice(window, simulator))
        return 1;

    const PageAction actions[] = {
        {L"sample rate chosen", PageSampleRate::IDD,
         [](HWND page, int i) { ChooseEntry(page, PageSampleRate::kRateSelector, i % 2); }},
        {L"input format chosen", PageStreamFormats::IDD,
         [](HWND page, int i) { ChooseEntry(page, PageStreamFormats::kUpperSelector, i % 2); }},
        {L"output format chosen", PageStreamFormats::IDD,
         [](HWND page, int i) { ChooseEntry(page, PageStreamFormats::kLowerSelector, i % 2); }},
        {L"streaming mode chosen", PageOptions::IDD,
         [](HWND page, int i) { ChooseEntry(page, PageOptions::kModeSelector, i % 2); }},
        {L"input profile chosen", PageSoundDeviceProfiles::IDD,
         [](HWND page, int i) {
             ChooseEntry(page, PageSoundDeviceProfiles::kUpperSelector, i % 2);
         }},
        {L"clock source checked", PageClockSource::IDD,
         [](HWND page, int i) { SetRowCheck(page, PageClockSource::kSourceList, i % 2, true); }},
        {L"ASIO device checked / unchecked", PageAsioDevice::IDD,
         [](HWND page, int i) { SetRowCheck(page, PageAsioDevice::kDeviceList, 0, i % 2 == 0); }},
        {L"buffer size chosen", PageBufferSettings::IDD,
         [](HWND page, int i) {
             ChooseEntry(page, PageBufferSettings::kBufferSizeSelector, i % 2);
         }},
        {L"safe mode clicked", PageBufferSettings::IDD,
         [](HWND page, int i) {
             const HWND box = GetDlgItem(page, PageBufferSettings::kSafeMode);
             SendMessageW(box, BM_SETCHECK, i % 2 ? BST_UNCHECKED : BST_CHECKED, 0);
             ClickButton(page, PageBufferSettings::kSafeMode);
         }},
    };

    wprintf(L"%-34ls %5ls %8ls %8ls %7ls %6ls\n", L"user action to read-back, idle", L"reps",
            L"p50 ms", L"p95 ms", L"calls", L"reads");
    for (const PageAction& action : actions) {
        if (window.PageIndex(action.page) < 0) {
            wprintf(L"%-34ls  page missing\n", action.name);
            continue;
        }
        const HWND page = ShowPage(window, action.page);
        Print(action.name, Measure(simulator, repetitions, [&](int i) { action.act(page, i); }));
    }

    // The volume dialog of the input side: its master strip.
    const HWND volumePage = ShowPage(window, PageVolumeControl::IDD);
    RunInModalDialog(window.Hwnd(), volumePage, PageVolumeControl::kFirstButton, [&](HWND dialog) {
        PumpUntilQuiet(kSettledQuietMs);
        const HWND master = GetWindow(dialog, GW_CHILD);
        const HWND slider = GetDlgItem(master, VolumeMonoCtrl::kSlider);
        Print(L"slider moved (master)", Measure(simulator, repetitions, [&](int i) {
                  const int position = i % 2 ? -2560 : -5120;
                  SendMessageW(slider, TBM_SETPOS, TRUE, position);
                  SendMessageW(master, WM_VSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position),
                               reinterpret_cast<LPARAM>(slider));
                  SendMessageW(master, WM_VSCROLL, TB_ENDTRACK, reinterpret_cast<LPARAM>(slider));
              }));
        Print(L"mute clicked (master)", Measure(simulator, repetitions, [&](int) {
                  ClickButton(master, VolumeMonoCtrl::kMuteButton);
              }));
    });

    fflush(stdout);
    DestroyWindow(window.Hwnd());
    return 0;
}
