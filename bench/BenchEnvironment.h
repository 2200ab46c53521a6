#pragma once

// What every benchmark of the real windows needs: the common controls, the built-in
// English texts, the simulated driver bound through the process's binding, and a message
// loop registered with the module for the main window's filter and idle handler.

#include "config/WnUiLanguageText.h"
#include "framework/MessageLoop.h"
#include "sim/client/SimulatorLibrary.h"

#include <windows.h>

class BenchEnvironment {
public:
    // `controlClasses`: the ICC_ classes the benchmark's windows use.
    explicit BenchEnvironment(DWORD controlClasses);
    ~BenchEnvironment();
    BenchEnvironment(const BenchEnvironment&) = delete;
    BenchEnvironment& operator=(const BenchEnvironment&) = delete;

    // False (with a message on stderr) when the simulated driver could not be bound.
    bool Ready() const { return ready_; }
    SimulatorLibrary& Simulator() { return simulator_; }

private:
    WnUiLanguageText texts_;
    SimulatorLibrary simulator_;
    MessageLoop loop_;
    bool ready_ = false;
};
