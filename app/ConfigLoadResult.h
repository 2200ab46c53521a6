#pragma once

#include "config/ConfigFailureText.h"

#include <optional>

// The entry function's handling of the load's status: nothing for 0 (start-up goes on);
// otherwise the ownerless error box, if the status has one, and the exit code 1.
std::optional<StatusCode> HandleConfigLoadResult(StatusCode status);
