#pragma once

#include <optional>
#include <string>

#include "driver/DriverRecords.h"
#include "driver/ErrorReport.h"

// The text of the box the start-up shows when loading the driver library failed with a
// non-zero result: plain texts for a missing (2) and an incompatible library, the technical
// report "_tWinMain" / "Load" for every other result.
std::wstring DriverLoadFailureText(StatusCode result,
                                   const ErrorReportTexts& texts = UiErrorReportTexts());

// The entry function's handling of Load's result: nothing for 0 (start-up goes on);
// otherwise an ownerless error box, and the exit code to end with (the result itself).
std::optional<StatusCode>
HandleDriverLoadResult(StatusCode result, const ErrorReportTexts& texts = UiErrorReportTexts());
