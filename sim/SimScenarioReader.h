#pragma once

// Reads a scenario from its XML text. A scenario that cannot be used is refused as a
// whole with a message naming the line and the element or attribute at fault.

#include "driver/DriverRecords.h"
#include "sim/SimScenario.h"

#include <optional>
#include <string>
#include <string_view>

struct SimScenarioReadResult {
    StatusCode status = 0;               // kSimBadScenario, or the system's error for a file
    std::optional<SimScenario> scenario; // empty when refused
    std::wstring error;                  // "line N: ..." when refused
};

SimScenarioReadResult ReadSimScenario(std::string_view utf8Xml);
SimScenarioReadResult ReadSimScenarioFile(const std::wstring& path);
