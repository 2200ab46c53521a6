#pragma once

// The simulated driver as tests use it: its build outputs, and the DLL loaded by full
// path with its control exports resolved. The simulator keeps its state for the life of
// the test process, so a test starts with Reset().

#include "driver/DriverRecords.h"
#include "sim/SimControlApi.h"

#include <windows.h>

#include <string>
#include <vector>

// <build>/sim/, found from the test executable's folder <build>/tests/.
std::wstring SimulatorDirectory();
std::wstring SimulatorDllPath();
// The variant without KORVELINE_SetVirtualSoundDeviceProfile.
std::wstring SimulatorVariantDllPath();
std::wstring SimulatorCliPath();

struct SimReply {
    StatusCode status = 0;
    std::wstring text;
};

class SimulatorLibrary {
public:
    explicit SimulatorLibrary(const std::wstring& path = SimulatorDllPath());
    ~SimulatorLibrary();
    SimulatorLibrary(const SimulatorLibrary&) = delete;
    SimulatorLibrary& operator=(const SimulatorLibrary&) = delete;

    // Loaded with every control export; otherwise Problem() says what is wrong.
    bool Loaded() const { return module_ != nullptr && problem_.empty(); }
    const std::wstring& Problem() const { return problem_; }
    HMODULE Module() const { return module_; }

    // A driver entry point by name, typed by the caller (PFN_... of driver/DriverApi.h).
    template <typename Pfn> Pfn Entry(const char* name) const {
        return reinterpret_cast<Pfn>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
    }

    void Reset() const;
    SimReply Command(const std::wstring& commandLine) const;
    SimReply LoadScenarioText(const std::string& utf8Xml) const;
    StatusCode Plug(std::uint32_t deviceId) const;
    StatusCode Unplug(std::uint32_t deviceId) const;
    StatusCode Fail(const char* entryPoint, StatusCode code, std::uint32_t mode) const;
    // Only the call with this number from now (1 is the next call) fails.
    StatusCode FailCall(const char* entryPoint, StatusCode code, std::uint32_t callNumber) const;
    StatusCode SetMisbehaviour(std::uint32_t flags) const;
    // Seeded random records in every answer while on.
    StatusCode SetFuzz(bool on, std::uint32_t seed) const;
    std::vector<std::wstring> CallLog() const;
    void ClearCallLog() const;

private:
    template <typename Pfn> void Resolve(const char* name, Pfn& pointer);

    HMODULE module_ = nullptr;
    std::wstring problem_;
    PFN_KORVELINESIM_Command command_ = nullptr;
    PFN_KORVELINESIM_LoadScenarioText loadText_ = nullptr;
    PFN_KORVELINESIM_Reset reset_ = nullptr;
    PFN_KORVELINESIM_PlugDevice plug_ = nullptr;
    PFN_KORVELINESIM_UnplugDevice unplug_ = nullptr;
    PFN_KORVELINESIM_FailEntryPoint fail_ = nullptr;
    PFN_KORVELINESIM_FailEntryPointCall failCall_ = nullptr;
    PFN_KORVELINESIM_SetFuzz fuzz_ = nullptr;
    PFN_KORVELINESIM_SetMisbehaviour misbehave_ = nullptr;
    PFN_KORVELINESIM_GetCallLog getLog_ = nullptr;
    PFN_KORVELINESIM_ClearCallLog clearLog_ = nullptr;
};
