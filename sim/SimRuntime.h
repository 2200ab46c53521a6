#pragma once

// The simulator inside one process: the state machine, injected faults, the call log,
// the simulator's own thread and the control pipe, all behind one lock. The program calls
// in on its main thread while the pipe server and the simulator's thread run beside it.
//
// Created on the first call into the library and kept for the life of the process: the
// module pins itself then, so its threads never run in unmapped code after a FreeLibrary.

#include "sim/SimCallFormat.h"
#include "sim/SimCallLog.h"
#include "sim/SimDriver.h"
#include "sim/SimFaults.h"

#include <mutex>
#include <string>
#include <string_view>

class SimDriverThread;

class SimRuntime final : public SimDriverEvents {
public:
    static SimRuntime& Instance();

    std::unique_lock<std::mutex> Lock() { return std::unique_lock(mutex_); }

    // The members below need the lock.
    SimDriver& Driver() { return driver_; }
    SimFaults& Faults() { return faults_; }
    SimCallLog& Log() { return log_; }

    // Replaces the scenario; on failure nothing changes and `error` says why.
    StatusCode LoadScenarioText(std::string_view utf8Xml, const std::wstring& source,
                                std::wstring& error);
    StatusCode LoadScenarioFile(const std::wstring& path, std::wstring& error);
    // The default scenario, no faults, no misbehaviour, an empty log, no PnP window.
    void Reset();
    // Where the scenario came from, and why the one named at start-up was not used.
    std::wstring DescribeScenario() const;

    void PostPnp(HWND window, UINT message, WPARAM change) override;
    void ScheduleSettle(std::uint32_t device, std::uint32_t source, std::uint32_t ticket,
                        std::uint32_t ms) override;

private:
    SimRuntime();
    ~SimRuntime() = delete;
    void LoadStartupScenario();

    std::mutex mutex_;
    SimDriver driver_;
    SimFaults faults_;
    SimCallLog log_;
    SimDriverThread* thread_;
    std::wstring scenarioSource_;
    std::wstring startupError_;
};

// One entry point call: holds the lock for its duration, writes the call log line and
// looks up an injected failure.
class SimCall {
public:
    template <typename... Args>
    explicit SimCall(const char* name, const Args&... args)
        : runtime_(SimRuntime::Instance()), lock_(runtime_.Lock()) {
        Start(name, FormatCall(name, args...));
    }

    // The code to return at once instead of running the entry point.
    const std::optional<std::uint32_t>& Injected() const { return injected_; }
    SimDriver& Driver() { return runtime_.Driver(); }
    bool Misbehaves(SimMisbehaviour mode) const { return runtime_.Faults().Misbehaves(mode); }
    // The size this read gives a list of `total` entries (see kMisbehaveShiftingLists).
    std::size_t Listed(std::size_t total) { return runtime_.Faults().ListedCount(total); }
    // The fuzz mode's generator, or null while it is off.
    SimFuzz* Fuzz() { return runtime_.Faults().Fuzz(); }

private:
    void Start(const char* name, std::wstring line);

    SimRuntime& runtime_;
    std::unique_lock<std::mutex> lock_;
    std::optional<std::uint32_t> injected_;
};
