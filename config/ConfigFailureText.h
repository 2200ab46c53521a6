#pragma once

#include "config/ConfigStatus.h"

#include <optional>
#include <string>

// The caption of the start-up boxes about the configuration file. It is a fixed text: a
// file that cannot be used gives no language texts either.
inline constexpr wchar_t kConfigFailureCaption[] = L"USB Audio Device Control Panel";

// The text of the box for a failed configuration load: one for a file that is not
// compatible, one for a file that cannot be opened, and nothing (a silent end) for every
// other non-zero status.
std::optional<std::wstring> ConfigLoadFailureText(StatusCode status);
