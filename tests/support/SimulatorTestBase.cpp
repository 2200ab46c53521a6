#include "tests/support/SimulatorTestBase.h"

SimulatorLibrary& Simulator() {
    static SimulatorLibrary simulator;
    return simulator;
}
