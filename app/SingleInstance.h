#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "app/CommandLine.h"
#include "driver/DriverRecords.h"

// How running instances of the program find each other. The instance name names both the
// single-instance mutex and the window class of the running instance's listener window.

enum class InstanceClaim {
    FirstInstance,  // the mutex was created anew: this process is the running instance
    AlreadyRunning, // the mutex exists, or could not be created
};

// Creates the single-instance mutex (the bare name, default security, not owned). A new
// mutex stays open until the process ends, so the name is taken for as long as this
// instance lives, however start-up or shut-down go on.
InstanceClaim ClaimSingleInstance(const std::wstring& instanceName);

enum class HandOffResult {
    Sent,          // the request was posted to the running instance's listener
    NoWindow,      // no listener window was found; nothing was sent
    NothingToSend, // a hidden start asks nothing of a running instance
};

// Hands this start's request to the running instance: finds its listener window by class
// name, lets its process take the foreground and posts WM_COMMAND CMD_SHOW (lParam 0),
// CMD_SHOW_ASIO_PAGE for a page asked for with an ASIO instance (lParam the instance) or
// CMD_SHOW_PAGE (lParam the page's dialog id). Never waits for the receiver.
HandOffResult HandOffToRunningInstance(const std::wstring& instanceName,
                                       const StartRequest& request);

constexpr DWORD kExitAllPauseMs = 500;
constexpr StatusCode kExitAllGaveUp = 100;

// Asks every running instance to end, one after another: posts WM_COMMAND CMD_EXIT to the
// listener window found by class name, runs `pause` (kExitAllPauseMs in the program) and
// looks again. Returns 0 when no window is left, and kExitAllGaveUp when the same window
// is still there after 21 requests.
StatusCode RequestExitOfAllInstances(const std::wstring& instanceName,
                                     const std::function<void()>& pause);
