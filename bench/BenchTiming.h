#pragma once

// Clocks and order statistics the benchmarks share: wall time, the process's CPU time
// (which the load of other programs on the machine hardly changes) and percentiles.

#include <vector>

// Milliseconds of a monotonic wall clock.
double NowMs();
// User and kernel time of this process so far, in milliseconds.
double ProcessCpuMs();
// The value below which `fraction` (0..1) of the values lie; 0 for none.
double Percentile(std::vector<double> values, double fraction);
