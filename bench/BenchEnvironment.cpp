#include "bench/BenchEnvironment.h"

#include "driver/KorvelineApiDll.h"
#include "framework/Module.h"

#include <commctrl.h>

#include <cstdio>

BenchEnvironment::BenchEnvironment(DWORD controlClasses) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = controlClasses;
    InitCommonControlsEx(&controls);
    texts_.BuildTextTable();
    ready_ = simulator_.Loaded() &&
             TheKorvelineApiDll().LoadFromPath(SimulatorDllPath(), true, 5, 16) == 0;
    if (!ready_)
        fwprintf(stderr, L"the simulated driver could not be bound\n");
    GetModule().AddMessageLoop(&loop_);
}

BenchEnvironment::~BenchEnvironment() {
    GetModule().RemoveMessageLoop();
}
