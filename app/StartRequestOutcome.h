#pragma once

#include <functional>
#include <optional>
#include <string>

#include "app/CommandLine.h"

// Settles what the switches asked for against the instances already running: runs the
// exit-all loop (with `exitAllPause` between its requests), ends a start the switches
// refused, or claims the single instance and, when another instance holds it, hands this
// start's request to that one. Returns the exit code when this process ends here, and
// nothing when it goes on as a running control panel (holding the instance name unless
// "-multi" was given).
std::optional<StatusCode> SettleStartRequest(const StartRequest& request,
                                             const std::wstring& instanceName,
                                             const std::function<void()>& exitAllPause);
