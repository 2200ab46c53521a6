// The KORVELINESIM_* exports: control of the simulator from a test in the same process.
// Everything here is also reachable through KORVELINESIM_Command with the command
// language of the control pipe.

#include "sim/SimCommands.h"
#include "sim/SimControlApi.h"
#include "sim/SimRuntime.h"

#include <algorithm>
#include <cwchar>
#include <type_traits>

#define SIM_EXPORT extern "C"

namespace {

// Copies as much as fits (always terminated when there is room) and reports the full length.
StatusCode PutReply(const std::wstring& text, wchar_t* buffer, std::uint32_t chars,
                    std::uint32_t* length) {
    if (length)
        *length = static_cast<std::uint32_t>(text.size());
    if (!buffer || !chars)
        return 0;
    std::size_t copied = std::min<std::size_t>(text.size(), chars - 1);
    std::copy_n(text.data(), copied, buffer);
    buffer[copied] = L'\0';
    return 0;
}

} // namespace

// Runs one control command (sim/README.md); `reply` receives its text.
SIM_EXPORT StatusCode KORVELINESIM_Command(const wchar_t* commandLine, wchar_t* reply,
                                           std::uint32_t replyChars, std::uint32_t* replyLength) {
    SimRuntime& runtime = SimRuntime::Instance();
    auto lock = runtime.Lock();
    SimCommandResult result = RunSimCommand(runtime, commandLine ? commandLine : L"");
    PutReply(result.text, reply, replyChars, replyLength);
    return result.status;
}

SIM_EXPORT StatusCode KORVELINESIM_LoadScenarioText(const char* utf8Xml, wchar_t* error,
                                                    std::uint32_t errorChars) {
    SimRuntime& runtime = SimRuntime::Instance();
    auto lock = runtime.Lock();
    std::wstring message;
    StatusCode status =
        utf8Xml ? runtime.LoadScenarioText(utf8Xml, L"text", message) : kSimInvalidParameter;
    PutReply(message, error, errorChars, nullptr);
    return status;
}

SIM_EXPORT StatusCode KORVELINESIM_LoadScenarioFile(const wchar_t* path, wchar_t* error,
                                                    std::uint32_t errorChars) {
    SimRuntime& runtime = SimRuntime::Instance();
    auto lock = runtime.Lock();
    std::wstring message;
    StatusCode status = path ? runtime.LoadScenarioFile(path, message) : kSimInvalidParameter;
    PutReply(message, error, errorChars, nullptr);
    return status;
}

SIM_EXPORT StatusCode KORVELINESIM_Reset() {
    SimRuntime& runtime = SimRuntime::Instance();
    auto lock = runtime.Lock();
    runtime.Reset();
    return 0;
}

SIM_EXPORT StatusCode KORVELINESIM_PlugDevice(std::uint32_t deviceId) {
    SimRuntime& runtime = SimRuntime::Instance();
    auto lock = runtime.Lock();
    return runtime.Driver().Plug(deviceId);
}

SIM_EXPORT StatusCode KORVELINESIM_UnplugDevice(std::uint32_t deviceId) {
    SimRuntime& runtime = SimRuntime::Instance();
    auto lock = runtime.Lock();
    return runtime.Driver().Unplug(deviceId);
}

// mode 0 ends the rule, 1 fails the next call only, 2 fails every call.
SIM_EXPORT StatusCode KORVELINESIM_FailEntryPoint(const char* entryPoint, StatusCode code,
                                                  std::uint32_t mode) {
    if (!entryPoint || !SimFaults::CanFail(entryPoint) || mode > kSimFailAlways)
        return kSimInvalidParameter;
    SimRuntime& runtime = SimRuntime::Instance();
    auto lock = runtime.Lock();
    if (mode == kSimFailOff)
        runtime.Faults().Clear(entryPoint);
    else
        runtime.Faults().Fail(entryPoint, code, mode == kSimFailOnce);
    return 0;
}

// The call with this number from now (1 is the next call) fails; the others pass.
SIM_EXPORT StatusCode KORVELINESIM_FailEntryPointCall(const char* entryPoint, StatusCode code,
                                                      std::uint32_t callNumber) {
    if (!entryPoint || !SimFaults::CanFail(entryPoint) || callNumber == 0)
        return kSimInvalidParameter;
    SimRuntime& runtime = SimRuntime::Instance();
    auto lock = runtime.Lock();
    runtime.Faults().FailCall(entryPoint, code, callNumber);
    return 0;
}

// Flags of SimMisbehaviour: 1 counts above the maximum, 2 unterminated strings,
// 4 a notification queue that never empties, 8 lists whose size changes between reads.
SIM_EXPORT StatusCode KORVELINESIM_SetMisbehaviour(std::uint32_t flags) {
    if (flags & ~static_cast<std::uint32_t>(kMisbehaveAll))
        return kSimInvalidParameter;
    SimRuntime& runtime = SimRuntime::Instance();
    auto lock = runtime.Lock();
    runtime.Faults().SetMisbehaviour(flags);
    return 0;
}

// on 1: seeded random records in every answer (sim/SimFuzz.h); 0 ends the fuzz.
SIM_EXPORT StatusCode KORVELINESIM_SetFuzz(std::uint32_t on, std::uint32_t seed) {
    if (on > 1)
        return kSimInvalidParameter;
    SimRuntime& runtime = SimRuntime::Instance();
    auto lock = runtime.Lock();
    runtime.Faults().SetFuzz(on ? std::optional(seed) : std::nullopt);
    return 0;
}

// The call log, one line per call; `length` receives the full length in characters.
SIM_EXPORT StatusCode KORVELINESIM_GetCallLog(wchar_t* text, std::uint32_t chars,
                                              std::uint32_t* length) {
    SimRuntime& runtime = SimRuntime::Instance();
    auto lock = runtime.Lock();
    return PutReply(runtime.Log().Text(), text, chars, length);
}

SIM_EXPORT StatusCode KORVELINESIM_ClearCallLog() {
    SimRuntime& runtime = SimRuntime::Instance();
    auto lock = runtime.Lock();
    runtime.Log().Clear();
    return 0;
}

#define SIM_CHECK_CONTROL(name)                                                                    \
    static_assert(std::is_same_v<decltype(&name), PFN_##name>, #name " signature");
SIM_CHECK_CONTROL(KORVELINESIM_Command)
SIM_CHECK_CONTROL(KORVELINESIM_LoadScenarioText)
SIM_CHECK_CONTROL(KORVELINESIM_LoadScenarioFile)
SIM_CHECK_CONTROL(KORVELINESIM_Reset)
SIM_CHECK_CONTROL(KORVELINESIM_PlugDevice)
SIM_CHECK_CONTROL(KORVELINESIM_UnplugDevice)
SIM_CHECK_CONTROL(KORVELINESIM_FailEntryPoint)
SIM_CHECK_CONTROL(KORVELINESIM_FailEntryPointCall)
SIM_CHECK_CONTROL(KORVELINESIM_SetMisbehaviour)
SIM_CHECK_CONTROL(KORVELINESIM_SetFuzz)
SIM_CHECK_CONTROL(KORVELINESIM_GetCallLog)
SIM_CHECK_CONTROL(KORVELINESIM_ClearCallLog)
#undef SIM_CHECK_CONTROL
