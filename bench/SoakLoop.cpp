#include "bench/BenchTiming.h"
#include "bench/SoakLoop.h"

#include "volume/PageVolumeControl.h"

#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

constexpr std::uint32_t kDevice = 1;
constexpr std::uint32_t kNotificationCodes = 9;
constexpr DWORD kDeviceChangeTimeoutMs = 5000;

void DispatchOne(MSG& message) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

// Dispatches until `done` holds or the time is up; true when it holds.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const double until = NowMs() + timeoutMs;
    while (!done()) {
        if (NowMs() > until)
            return false;
        MSG message;
        if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchOne(message);
        else
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
    return true;
}

int CountThreadWindows() {
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM counter) -> BOOL {
            ++*reinterpret_cast<int*>(counter);
            EnumChildWindows(
                window,
                [](HWND, LPARAM inner) -> BOOL {
                    ++*reinterpret_cast<int*>(inner);
                    return TRUE;
                },
                counter);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

// Where the platform counts no GDI objects (Wine's GetGuiResources answers 0), the handle
// table is walked: a handle's low word is its index there, and the type of an index's live
// object answers for the bare index.
void CountGdiObjects(ProcessResources& resources) {
    resources.gdiObjects = static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
    const bool platformCounts = resources.gdiObjects != 0;
    for (ULONG_PTR index = 1; index <= 0xFFFF; ++index) {
        const DWORD type = GetObjectType(reinterpret_cast<HGDIOBJ>(index));
        if (type == 0)
            continue;
        if (!platformCounts)
            ++resources.gdiObjects;
        if (type == OBJ_BITMAP)
            ++resources.bitmaps;
    }
}

// Live allocations, as opposed to the working set, which also holds the pages a heap
// keeps after a free.
SIZE_T CountHeapBytesInUse() {
    HANDLE heaps[64];
    const DWORD count = std::min<DWORD>(GetProcessHeaps(64, heaps), 64);
    SIZE_T inUse = 0;
    for (DWORD k = 0; k < count; ++k) {
        if (!HeapLock(heaps[k]))
            continue;
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heaps[k], &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                inUse += entry.cbData;
        HeapUnlock(heaps[k]);
    }
    return inUse;
}

// Runs the body of a RunInModalDialog from the dialog's own modal loop.
struct ModalRun {
    HWND owner = nullptr;
    const std::function<void(HWND)>* inside = nullptr;
    bool ran = false;
};
ModalRun* currentRun = nullptr;

void CALLBACK RunWhenTheDialogIsUp(HWND, UINT, UINT_PTR timer, DWORD) {
    if (currentRun == nullptr || currentRun->ran)
        return;
    HWND dialog = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM found) -> BOOL {
            if (GetWindow(window, GW_OWNER) != currentRun->owner || !IsWindowVisible(window))
                return TRUE;
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&dialog));
    if (dialog == nullptr)
        return;
    KillTimer(nullptr, timer);
    currentRun->ran = true;
    (*currentRun->inside)(dialog);
    SendMessageW(dialog, WM_CLOSE, 0, 0);
}

HWND ShowPageAt(MainPropSheetDlg& window, int index) {
    SendMessageW(window.Hwnd(), PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
    PumpUntilQuiet(0);
    return reinterpret_cast<HWND>(SendMessageW(window.Hwnd(), PSM_GETCURRENTPAGEHWND, 0, 0));
}

// The device leaves and comes back; true when it was gone and is open again.
bool PlugCycle(SoakWindow& window, SimulatorLibrary& simulator) {
    simulator.Command(L"unplug " + std::to_wstring(kDevice));
    const bool gone = PumpUntil([&] { return window.OpenedDevice() == 0; }, kDeviceChangeTimeoutMs);
    simulator.Command(L"plug " + std::to_wstring(kDevice));
    const bool back = PumpUntil([&] { return window.OpenedDevice() != 0; }, kDeviceChangeTimeoutMs);
    PumpUntilQuiet(0);
    return gone && back;
}

// Every code in turn, all queued before the window reads one; the driver keeps what its
// queue holds.
void Burst(SimulatorLibrary& simulator, int size, std::set<std::uint32_t>& codesSent) {
    for (int k = 0; k < size; ++k) {
        const std::uint32_t code = static_cast<std::uint32_t>(k) % kNotificationCodes + 1;
        simulator.Command(L"notify " + std::to_wstring(kDevice) + L" " + std::to_wstring(code));
        codesSent.insert(code);
    }
    PumpUntilQuiet(20);
}

bool OpenVolumeDialog(SoakWindow& window) {
    const int index = window.PageIndex(PageVolumeControl::IDD);
    if (index < 0)
        return false;
    const HWND page = ShowPageAt(window, index);
    return RunInModalDialog(window.Hwnd(), page, PageVolumeControl::kFirstButton,
                            [](HWND) { PumpUntilQuiet(0); });
}

// Runs each phase `rounds` times (or its count for the full soak) and adds its time.
struct Phases {
    SoakWindow& window;
    SimulatorLibrary& simulator;
    SoakResult& result;

    void Plug(int cycles) {
        const double start = NowMs();
        for (int i = 0; i < cycles; ++i)
            result.plugCyclesDone += PlugCycle(window, simulator) ? 1 : 0;
        result.times.plugMs += NowMs() - start;
    }
    void Bursts(int bursts, int size) {
        const double start = NowMs();
        for (int i = 0; i < bursts; ++i)
            Burst(simulator, size, result.codesSent);
        result.times.burstMs += NowMs() - start;
    }
    void Volume(int openings) {
        const double start = NowMs();
        for (int i = 0; i < openings; ++i)
            result.volumeDialogsOpened += OpenVolumeDialog(window) ? 1 : 0;
        result.times.volumeMs += NowMs() - start;
    }
    void Tabs(int changes) {
        const double start = NowMs();
        for (int i = 0; i < changes; ++i)
            ShowPageAt(window, i % std::max(1, window.PageCount()));
        result.times.tabMs += NowMs() - start;
    }
};

} // namespace

const char kSoakScenario[] = R"(<Scenario apiVersion="5.16">
  <AsioInstance number="0" name="Soak ASIO" bufferSizes="64 128 256" preferredBufferSize="128"/>
  <Device id="1" serial="SOAK-1" product="Soak device" panelOptions="0x3" asioInstance="0"
          asioAllowed="0">
    <SampleRates current="48000">44100 48000 96000</SampleRates>
    <ClockSources current="1"><ClockSource id="1" unitId="16" name="Internal"/>
      <ClockSource id="2" unitId="17" name="S/PDIF In" rate="48000"/></ClockSources>
    <Input currentFormat="1">
      <StreamFormat id="1" channels="2"><Profile id="st" name="Stereo"/></StreamFormat>
      <StreamFormat id="2" channels="8"><Profile id="m8" name="8 channels"/></StreamFormat>
      <VirtualProfile id="off" name="Off"/>
      <Channel index="0" name="Master" controls="volume mute"/>
      <Channel index="1" controls="volume mute"/><Channel index="2" controls="volume mute"/>
    </Input>
    <Output currentFormat="11">
      <StreamFormat id="11" channels="2"><Profile id="st" name="Stereo"/></StreamFormat>
      <StreamFormat id="12" channels="8"/>
      <Channel index="0" name="Master" controls="volume mute"/>
    </Output>
  </Device>
</Scenario>)";

void SoakWindow::OnDeviceNotification(std::uint32_t code) {
    codesReached.insert(code);
    MainPropSheetDlg::OnDeviceNotification(code);
}

ProcessResources MeasureProcessResources() {
    ProcessResources resources;
    resources.windows = CountThreadWindows();
    CountGdiObjects(resources);
    GetProcessHandleCount(GetCurrentProcess(), &resources.kernelHandles);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory))
        resources.workingSetBytes = memory.WorkingSetSize;
    resources.heapBytesInUse = CountHeapBytesInUse();
    return resources;
}

bool OpenOnSoakDevice(MainPropSheetDlg& window, SimulatorLibrary& simulator) {
    simulator.Reset();
    if (simulator.LoadScenarioText(kSoakScenario).status != 0) {
        fwprintf(stderr, L"the soak scenario was refused\n");
        return false;
    }
    if (!window.Create()) {
        fwprintf(stderr, L"the main window could not be created\n");
        return false;
    }
    ShowWindow(window.Hwnd(), SW_SHOW);
    PumpUntilQuiet(100);
    if (window.OpenedDevice() == 0) {
        fwprintf(stderr, L"the soak device is not open\n");
        return false;
    }
    return true;
}

SoakResult RunSoak(SoakWindow& window, SimulatorLibrary& simulator, const SoakCounts& counts) {
    SoakResult result;
    Phases phases{window, simulator, result};
    phases.Plug(1);
    phases.Bursts(1, kNotificationCodes);
    phases.Volume(1);
    phases.Tabs(window.PageCount());
    // The simulator lives in this process: its call log records nothing during the loop, so
    // that its lines do not count as the panel's memory.
    simulator.Command(L"log off");
    simulator.ClearCallLog();
    result = SoakResult{};
    window.codesReached.clear();

    result.start = MeasureProcessResources();
    phases.Plug(counts.plugCycles);
    result.afterPlug = MeasureProcessResources();
    phases.Bursts(counts.bursts, counts.burstSize);
    result.afterBursts = MeasureProcessResources();
    phases.Volume(counts.volumeOpenings);
    result.afterVolume = MeasureProcessResources();
    phases.Tabs(counts.tabChanges);
    PumpUntilQuiet(50);
    result.end = MeasureProcessResources();
    result.codesReached = window.codesReached;
    simulator.Command(L"log on");
    return result;
}

double PumpUntilQuiet(DWORD quietMs, const std::function<void(const MSG&)>& seen) {
    double lastHandled = NowMs();
    double quietUntil = lastHandled + quietMs;
    for (;;) {
        MSG message;
        if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (seen)
                seen(message);
            DispatchOne(message);
            lastHandled = NowMs();
            quietUntil = lastHandled + quietMs;
            continue;
        }
        if (NowMs() >= quietUntil)
            return lastHandled;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
}

bool RunInModalDialog(HWND owner, HWND page, int button, const std::function<void(HWND)>& inside) {
    ModalRun run{owner, &inside};
    currentRun = &run;
    const UINT_PTR timer = SetTimer(nullptr, 0, 1, RunWhenTheDialogIsUp);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, button)));
    KillTimer(nullptr, timer);
    currentRun = nullptr;
    return run.ran;
}
