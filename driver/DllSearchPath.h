#pragma once

#include "driver/DriverRecords.h"

// Takes the current directory and PATH out of the program's own DLL search, so that a
// library planted there is never picked up. The entry function calls it first; a failure
// (the system's error) leaves the default search in place and is not fatal.
StatusCode RestrictDllSearchPath();
