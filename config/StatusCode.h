#pragma once

#include <cstdint>

// Result of every driver call and of the program's own operations: 0 is success, otherwise
// a Win32 error code or a code of the form 0xEE00xxxx. The codes with a fixed meaning
// live with the part that gives it (config/ConfigStatus.h, driver/DriverRecords.h).
using StatusCode = std::uint32_t;
