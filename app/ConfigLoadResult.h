#pragma once

#include <optional>
#include <string>

#include "config/ConfigStatus.h"

// The caption of the start-up boxes about the configuration file. It is a fixed text: a
// file that cannot be used gives no language texts either.
inline constexpr wchar_t kConfigFailureCaption[] = L"USB Audio Device Control Panel";

// The text of the box for a failed configuration load: one for a file that is not
// compatible, one for a file that cannot be opened, and nothing (a silent end) for every
// other non-zero status.
std::optional<std::wstring> ConfigLoadFailureText(StatusCode status);

// The entry function's handling of the load's status: nothing for 0 (start-up goes on);
// otherwise the ownerless error box, if the status has one, and the exit code 1.
std::optional<StatusCode> HandleConfigLoadResult(StatusCode status);
