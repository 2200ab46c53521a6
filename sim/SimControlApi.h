#pragma once

// The control exports of the simulated driver for tests in the same process, looked up
// with GetProcAddress like the driver entry points. Texts are UTF-16 unless named utf8;
// `chars` counts the buffer's characters including the terminator; a length out-pointer
// receives the full length of the text, which may be longer than what was copied.

#include "driver/DriverRecords.h"

#include <cstdint>

// Runs one control command of the command language (sim/README.md).
using PFN_KORVELINESIM_Command = StatusCode (*)(const wchar_t* commandLine, wchar_t* reply,
                                                std::uint32_t replyChars,
                                                std::uint32_t* replyLength);
// Replace the scenario; on failure the old one stays and `error` says why.
using PFN_KORVELINESIM_LoadScenarioText = StatusCode (*)(const char* utf8Xml, wchar_t* error,
                                                         std::uint32_t errorChars);
using PFN_KORVELINESIM_LoadScenarioFile = StatusCode (*)(const wchar_t* path, wchar_t* error,
                                                         std::uint32_t errorChars);
// Default scenario, no faults, no misbehaviour, empty call log, no PnP window.
using PFN_KORVELINESIM_Reset = StatusCode (*)();
// Devices are addressed by their scenario id.
using PFN_KORVELINESIM_PlugDevice = StatusCode (*)(std::uint32_t deviceId);
using PFN_KORVELINESIM_UnplugDevice = StatusCode (*)(std::uint32_t deviceId);
// mode: 0 ends the rule, 1 fails the next call, 2 fails every call.
using PFN_KORVELINESIM_FailEntryPoint = StatusCode (*)(const char* entryPoint, StatusCode code,
                                                       std::uint32_t mode);
// Lets `callNumber` - 1 calls of the entry point through and fails the next one (from 1).
using PFN_KORVELINESIM_FailEntryPointCall = StatusCode (*)(const char* entryPoint, StatusCode code,
                                                           std::uint32_t callNumber);
// SimMisbehaviour flags (sim/SimFaults.h).
using PFN_KORVELINESIM_SetMisbehaviour = StatusCode (*)(std::uint32_t flags);
// on 1: every answer carries seeded random records (counts, ids, strings, flags); 0 ends it.
using PFN_KORVELINESIM_SetFuzz = StatusCode (*)(std::uint32_t on, std::uint32_t seed);
using PFN_KORVELINESIM_GetCallLog = StatusCode (*)(wchar_t* text, std::uint32_t chars,
                                                   std::uint32_t* length);
using PFN_KORVELINESIM_ClearCallLog = StatusCode (*)();

constexpr std::uint32_t kSimFailOff = 0;
constexpr std::uint32_t kSimFailOnce = 1;
constexpr std::uint32_t kSimFailAlways = 2;
