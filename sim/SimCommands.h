#pragma once

// The control commands, one language for the KORVELINESIM_Command export, the control
// pipe and korvelinesim.exe ("help" lists them; sim/README.md explains them).

#include "driver/DriverRecords.h"

#include <string>

class SimRuntime;

struct SimCommandResult {
    StatusCode status = 0;
    std::wstring text;
};

// Runs one command line; the caller holds the simulator's lock.
SimCommandResult RunSimCommand(SimRuntime& runtime, const std::wstring& commandLine);
