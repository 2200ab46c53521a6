#include "sim/SimCommands.h"

#include "sim/SimDefaultScenario.h"
#include "sim/SimRuntime.h"
#include "sim/SimText.h"

#include <functional>
#include <optional>
#include <vector>

namespace {

using Args = std::vector<std::wstring>;

// Ends a command with a usage error; caught in RunSimCommand.
struct UsageFault {
    std::wstring message;
};

std::uint32_t U32(const std::wstring& text, const wchar_t* what) {
    auto value = ParseU32(text);
    if (!value)
        throw UsageFault{std::wstring(what) + L" '" + text + L"' is not an unsigned number"};
    return *value;
}

std::int16_t I16(const std::wstring& text, const wchar_t* what) {
    auto value = ParseI32(text);
    if (!value || *value < -32768 || *value > 32767)
        throw UsageFault{std::wstring(what) + L" '" + text +
                         L"' is not a number from -32768 to 32767"};
    return static_cast<std::int16_t>(*value);
}

std::uint32_t Direction(const std::wstring& text) {
    if (text == L"in" || text == L"input" || text == L"1")
        return kDirectionInput;
    if (text == L"out" || text == L"output" || text == L"0")
        return kDirectionOutput;
    throw UsageFault{L"direction '" + text + L"' is not in or out"};
}

bool OnOff(const std::wstring& text) {
    if (text == L"on" || text == L"1")
        return true;
    if (text == L"off" || text == L"0")
        return false;
    throw UsageFault{L"'" + text + L"' is not on or off"};
}

std::wstring DeviceLine(const SimDriver& driver, const SimDevice& device) {
    return std::to_wstring(device.id) + L"  " + (device.plugged ? L"plugged  " : L"unplugged") +
           L"  " + std::to_wstring(driver.OpenHandleCount(device.id)) + L" open  rate " +
           std::to_wstring(device.currentSampleRate) + L"  clock " +
           std::to_wstring(device.currentClockSource) + L"  clients " +
           std::to_wstring(device.streamingState) + L"/" + std::to_wstring(device.wdmClients) +
           L"/" + std::to_wstring(device.asioClients) + L"  " + device.product;
}

struct Command {
    const wchar_t* name;
    const wchar_t* arguments;
    std::size_t minimum; // argument counts
    std::size_t maximum;
    std::function<SimCommandResult(SimRuntime&, const Args&)> run;
};

SimCommandResult Status(StatusCode status) {
    return {status, status ? L"refused: " + HexU32(status) : L""};
}

// "NAME DEVICE": a change of one device, answered with the driver's status.
Command DeviceCommand(const wchar_t* name, StatusCode (SimDriver::*change)(std::uint32_t)) {
    return {name, L"DEVICE", 1, 1, [change](SimRuntime& r, const Args& a) {
                return Status((r.Driver().*change)(U32(a[0], L"device")));
            }};
}

// "NAME DEVICE VALUE": the same with one number, `what` naming it in usage errors.
Command DeviceValueCommand(const wchar_t* name, const wchar_t* arguments, const wchar_t* what,
                           StatusCode (SimDriver::*change)(std::uint32_t, std::uint32_t)) {
    return {name, arguments, 2, 2, [change, what](SimRuntime& r, const Args& a) {
                return Status((r.Driver().*change)(U32(a[0], L"device"), U32(a[1], what)));
            }};
}

const std::vector<Command>& Commands();

SimCommandResult Help() {
    std::wstring text = L"commands:";
    for (const auto& command : Commands())
        text += L"\n  " + std::wstring(command.name) +
                (*command.arguments ? L" " + std::wstring(command.arguments) : L"");
    return {0, text};
}

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {L"help", L"", 0, 0, [](SimRuntime&, const Args&) { return Help(); }},
        {L"status", L"", 0, 0,
         [](SimRuntime& r, const Args&) {
             const SimScenario& s = r.Driver().Scenario();
             std::wstring text =
                 r.DescribeScenario() + L"\napi version " + std::to_wstring(s.apiVersion >> 16) +
                 L"." + std::to_wstring(s.apiVersion & 0xFFFF) + L", version check " +
                 (s.versionCheck == SimVersionCheck::Auto     ? L"auto"
                  : s.versionCheck == SimVersionCheck::Accept ? L"accept"
                                                              : L"refuse") +
                 L"\npnp window " + (r.Driver().PnpRegistered() ? L"registered" : L"none") +
                 L"\nlisted devices " + std::to_wstring(r.Driver().DeviceCount()) +
                 L"\ncalls logged " + std::to_wstring(r.Log().Size()) + L"\n" +
                 r.Faults().Describe();
             return SimCommandResult{0, text};
         }},
        {L"list", L"", 0, 0,
         [](SimRuntime& r, const Args&) {
             std::wstring text = L"id  state      handles  values  product";
             for (const auto& device : r.Driver().Scenario().devices)
                 text += L"\n" + DeviceLine(r.Driver(), device);
             return SimCommandResult{0, text};
         }},
        {L"load", L"FILE | default", 1, 1,
         [](SimRuntime& r, const Args& a) {
             std::wstring error;
             StatusCode status = a[0] == L"default" ? r.LoadScenarioText(DefaultSimScenarioXml(),
                                                                         L"built-in default", error)
                                                    : r.LoadScenarioFile(a[0], error);
             return SimCommandResult{status, error};
         }},
        {L"reset", L"", 0, 0,
         [](SimRuntime& r, const Args&) {
             r.Reset();
             return SimCommandResult{};
         }},
        DeviceCommand(L"plug", &SimDriver::Plug),
        DeviceCommand(L"unplug", &SimDriver::Unplug),
        DeviceValueCommand(L"set-rate", L"DEVICE HZ", L"rate", &SimDriver::ExternalSampleRate),
        DeviceValueCommand(L"set-clock", L"DEVICE SOURCE", L"source",
                           &SimDriver::ExternalClockSource),
        {L"clock-state", L"DEVICE SOURCE valid|invalid|settling [MS]", 3, 4,
         [](SimRuntime& r, const Args& a) {
             SimDriver::ClockState state;
             if (a[2] == L"valid")
                 state = SimDriver::ClockState::Valid;
             else if (a[2] == L"invalid")
                 state = SimDriver::ClockState::Invalid;
             else if (a[2] == L"settling")
                 state = SimDriver::ClockState::Settling;
             else
                 throw UsageFault{L"clock state '" + a[2] + L"' is not valid, invalid or settling"};
             std::uint32_t ms = a.size() > 3 ? U32(a[3], L"settling time") : 3000;
             return Status(r.Driver().ExternalClockState(U32(a[0], L"device"), U32(a[1], L"source"),
                                                         state, ms));
         }},
        {L"set-clients", L"DEVICE STREAMING WDM ASIO", 4, 4,
         [](SimRuntime& r, const Args& a) {
             return Status(
                 r.Driver().ExternalClients(U32(a[0], L"device"), U32(a[1], L"streaming state"),
                                            U32(a[2], L"WDM clients"), U32(a[3], L"ASIO clients")));
         }},
        {L"set-format", L"DEVICE in|out FORMAT", 3, 3,
         [](SimRuntime& r, const Args& a) {
             return Status(r.Driver().ExternalStreamFormat(U32(a[0], L"device"), Direction(a[1]),
                                                           U32(a[2], L"format")));
         }},
        {L"set-volume", L"DEVICE in|out CHANNEL VALUE", 4, 4,
         [](SimRuntime& r, const Args& a) {
             return Status(r.Driver().ExternalVolume(U32(a[0], L"device"), Direction(a[1]),
                                                     U32(a[2], L"channel"), I16(a[3], L"volume")));
         }},
        {L"set-mute", L"DEVICE in|out CHANNEL on|off", 4, 4,
         [](SimRuntime& r, const Args& a) {
             return Status(r.Driver().ExternalMute(U32(a[0], L"device"), Direction(a[1]),
                                                   U32(a[2], L"channel"), OnOff(a[3])));
         }},
        DeviceValueCommand(L"set-streaming-mode", L"DEVICE MODE", L"mode",
                           &SimDriver::ExternalStreamingMode),
        {L"notify", L"DEVICE ID [COUNT]", 2, 3,
         [](SimRuntime& r, const Args& a) {
             std::uint32_t count = a.size() > 2 ? U32(a[2], L"count") : 1;
             return Status(
                 r.Driver().ExternalNotify(U32(a[0], L"device"), U32(a[1], L"id"), count));
         }},
        {L"fail", L"ENTRY_POINT CODE [once|always|call N] | ENTRY_POINT off | all off", 2, 4,
         [](SimRuntime& r, const Args& a) {
             if (a[0] == L"all" && a[1] == L"off" && a.size() == 2) {
                 r.Faults().ClearAll();
                 return SimCommandResult{};
             }
             std::string name = WideToUtf8(a[0]);
             if (!SimFaults::CanFail(name))
                 throw UsageFault{L"'" + a[0] + L"' is not an entry point that returns a value"};
             if (a[1] == L"off" && a.size() == 2) {
                 r.Faults().Clear(name);
                 return SimCommandResult{};
             }
             std::uint32_t code = U32(a[1], L"code");
             std::wstring mode = a.size() > 2 ? a[2] : L"always";
             if (mode == L"call" && a.size() == 4) {
                 std::uint32_t call = U32(a[3], L"call number");
                 if (call == 0)
                     throw UsageFault{L"calls are counted from 1"};
                 r.Faults().FailCall(name, code, call);
                 return SimCommandResult{};
             }
             if ((mode != L"once" && mode != L"always") || a.size() > 3)
                 throw UsageFault{L"'" + mode + L"' is not once, always or call N"};
             r.Faults().Fail(name, code, mode == L"once");
             return SimCommandResult{};
         }},
        {L"misbehave", L"counts|strings|queue|lists|all on|off | fuzz SEED|off", 2, 2,
         [](SimRuntime& r, const Args& a) {
             if (a[0] == L"fuzz") {
                 r.Faults().SetFuzz(a[1] == L"off" ? std::nullopt
                                                   : std::optional(U32(a[1], L"seed")));
                 return SimCommandResult{};
             }
             std::uint32_t mode = 0;
             if (a[0] == L"counts")
                 mode = kMisbehaveCounts;
             else if (a[0] == L"strings")
                 mode = kMisbehaveStrings;
             else if (a[0] == L"queue")
                 mode = kMisbehaveEndlessQueue;
             else if (a[0] == L"lists")
                 mode = kMisbehaveShiftingLists;
             else if (a[0] == L"all")
                 mode = kMisbehaveAll;
             if (!mode)
                 throw UsageFault{L"'" + a[0] + L"' is not counts, strings, queue, lists or all"};
             std::uint32_t flags = r.Faults().Misbehaviour();
             r.Faults().SetMisbehaviour(OnOff(a[1]) ? flags | mode : flags & ~mode);
             return SimCommandResult{};
         }},
        {L"log", L"[on|off]", 0, 1,
         [](SimRuntime& r, const Args& a) {
             if (a.empty())
                 return SimCommandResult{0, r.Log().Text()};
             r.Log().SetRecording(OnOff(a[0]));
             return SimCommandResult{};
         }},
        {L"clear-log", L"", 0, 0,
         [](SimRuntime& r, const Args&) {
             r.Log().Clear();
             return SimCommandResult{};
         }},
    };
    return commands;
}

} // namespace

SimCommandResult RunSimCommand(SimRuntime& runtime, const std::wstring& commandLine) {
    Args tokens = SplitCommandLine(commandLine);
    if (tokens.empty())
        return {kSimBadCommand, L"empty command; try help"};
    for (const auto& command : Commands()) {
        if (tokens[0] != command.name)
            continue;
        Args arguments(tokens.begin() + 1, tokens.end());
        std::wstring usage = L"usage: " + std::wstring(command.name) + L" " + command.arguments;
        if (arguments.size() < command.minimum || arguments.size() > command.maximum)
            return {kSimBadCommand, usage};
        try {
            return command.run(runtime, arguments);
        } catch (const UsageFault& fault) {
            return {kSimBadCommand, fault.message + L"\n" + usage};
        }
    }
    return {kSimBadCommand, L"unknown command '" + tokens[0] + L"'; try help"};
}
