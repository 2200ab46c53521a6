#include "sim/SimRuntime.h"

#include "sim/SimDefaultScenario.h"
#include "sim/SimDriverThread.h"
#include "sim/SimPipeServer.h"
#include "sim/SimScenarioReader.h"

#include <vector>

SimRuntime& SimRuntime::Instance() {
    static SimRuntime* runtime = [] {
        // Threads of this module run until the process ends, so the module must stay.
        HMODULE self = nullptr;
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                           reinterpret_cast<LPCWSTR>(&SimRuntime::Instance), &self);
        auto* created = new SimRuntime();
        StartSimPipeServer(*created);
        return created;
    }();
    return *runtime;
}

SimRuntime::SimRuntime() : driver_(*this), thread_(new SimDriverThread()) {
    LoadStartupScenario();
}

void SimRuntime::LoadStartupScenario() {
    // KORVELINESIM_SCENARIO names a scenario file for a whole process (and its children).
    std::vector<wchar_t> path(32768);
    DWORD length = GetEnvironmentVariableW(L"KORVELINESIM_SCENARIO", path.data(),
                                           static_cast<DWORD>(path.size()));
    if (length > 0 && length < path.size()) {
        std::wstring error;
        if (LoadScenarioFile(std::wstring(path.data(), length), error) == 0)
            return;
        startupError_ = error;
        OutputDebugStringW((L"korvelinesim: scenario not used: " + error + L"\n").c_str());
    }
    std::wstring error;
    LoadScenarioText(DefaultSimScenarioXml(), L"built-in default", error);
}

StatusCode SimRuntime::LoadScenarioText(std::string_view utf8Xml, const std::wstring& source,
                                        std::wstring& error) {
    SimScenarioReadResult result = ReadSimScenario(utf8Xml);
    if (!result.scenario) {
        error = result.error;
        return result.status;
    }
    driver_.Load(std::move(*result.scenario));
    scenarioSource_ = source;
    return 0;
}

StatusCode SimRuntime::LoadScenarioFile(const std::wstring& path, std::wstring& error) {
    SimScenarioReadResult result = ReadSimScenarioFile(path);
    if (!result.scenario) {
        error = path + L": " + result.error;
        return result.status;
    }
    driver_.Load(std::move(*result.scenario));
    scenarioSource_ = path;
    return 0;
}

void SimRuntime::Reset() {
    driver_.UnregisterPnp();
    std::wstring error;
    LoadScenarioText(DefaultSimScenarioXml(), L"built-in default", error);
    faults_.ClearAll();
    faults_.SetMisbehaviour(0);
    faults_.SetFuzz(std::nullopt);
    log_.Clear();
    log_.SetRecording(true);
}

std::wstring SimRuntime::DescribeScenario() const {
    std::wstring text = L"scenario: " + scenarioSource_;
    if (!startupError_.empty())
        text += L"\nstart-up scenario not used: " + startupError_;
    return text;
}

void SimRuntime::PostPnp(HWND window, UINT message, WPARAM change) {
    thread_->Schedule(0, [=] { PostMessageW(window, message, change, 0); });
}

void SimRuntime::ScheduleSettle(std::uint32_t device, std::uint32_t source, std::uint32_t ticket,
                                std::uint32_t ms) {
    thread_->Schedule(ms, [=, this] {
        auto lock = Lock();
        driver_.FinishSettling(device, source, ticket);
    });
}

void SimCall::Start(const char* name, std::wstring line) {
    runtime_.Log().Add(std::move(line));
    injected_ = runtime_.Faults().Take(name);
}
