#pragma once

// The soak: device removals and arrivals with a device open, bursts of device
// notifications, openings of the volume dialog and tab changes, run on the real main
// window against the simulated driver, with what the process holds counted before and
// after. The benchmark runs it at full length and prints the figures; a test runs it
// short and checks them.

#include "app/MainPropSheetDlg.h"
#include "sim/client/SimulatorLibrary.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <set>

struct SoakCounts {
    int plugCycles = 1000;
    int bursts = 100;
    int burstSize = 1000;
    int volumeOpenings = 200;
    int tabChanges = 1000;
};

// What the process holds at one moment.
struct ProcessResources {
    int windows = 0;         // of this thread, child windows included
    int gdiObjects = 0;      // live GDI objects of the process
    int bitmaps = 0;         // of them, bitmaps
    DWORD kernelHandles = 0; // 0 where the platform does not count them
    SIZE_T workingSetBytes = 0;
    SIZE_T heapBytesInUse = 0; // busy blocks of every heap of the process
};
ProcessResources MeasureProcessResources();

struct SoakPhaseTimes {
    double plugMs = 0;
    double burstMs = 0;
    double volumeMs = 0;
    double tabMs = 0;
};

struct SoakResult {
    // After one warm-up round of every phase, so that first-use caches do not count.
    ProcessResources start;
    ProcessResources afterPlug, afterBursts, afterVolume; // phase by phase, to place growth
    ProcessResources end;
    std::set<std::uint32_t> codesSent;
    std::set<std::uint32_t> codesReached; // handed to the pages
    int plugCyclesDone = 0;               // the device was gone and open again
    int volumeDialogsOpened = 0;
    SoakPhaseTimes times;
};

// The main window of the soak: it records every notification code handed to its pages.
class SoakWindow : public MainPropSheetDlg {
public:
    using MainPropSheetDlg::MainPropSheetDlg;
    void OnDeviceNotification(std::uint32_t code) override;

    std::set<std::uint32_t> codesReached;
};

// One device (scenario id 1) with every page of the shipped configuration: sample rates,
// two clock sources, formats of two channel counts both ways with profiles, volume and
// mute controls, one ASIO instance.
extern const char kSoakScenario[];

// Resets the simulator to kSoakScenario, creates and shows `window` and waits until it
// has the device open; false, with the reason on stderr, when any step fails.
bool OpenOnSoakDevice(MainPropSheetDlg& window, SimulatorLibrary& simulator);

// Runs the soak on a shown `window` that has device 1 of kSoakScenario open.
SoakResult RunSoak(SoakWindow& window, SimulatorLibrary& simulator, const SoakCounts& counts);

// Dispatches messages until none came for `quietMs`, showing each to `seen` first;
// returns the time (NowMs) at which the last message's handling ended, or the call's start
// when none came.
double PumpUntilQuiet(DWORD quietMs, const std::function<void(const MSG&)>& seen = {});

// Clicks `button` on `page`, runs `inside` with the modal dialog that opens (owned by
// `owner`), then closes it; false when no dialog opened.
bool RunInModalDialog(HWND owner, HWND page, int button, const std::function<void(HWND)>& inside);
