#pragma once

// Serves the control pipe of this process (SimPipeProtocol.h) on a thread of its own:
// each request runs as a control command under the simulator's lock. When the pipe name
// is taken (a second copy of the simulator in the same process) no server runs.

class SimRuntime;

void StartSimPipeServer(SimRuntime& runtime);
