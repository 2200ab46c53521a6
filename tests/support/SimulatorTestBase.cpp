#include "tests/support/SimulatorTestBase.h"

SimulatorLibrary& Simulator() {
    static SimulatorLibrary simulator;
    EXPECT_TRUE(simulator.Loaded()) << testing::PrintToString(simulator.Problem());
    return simulator;
}
