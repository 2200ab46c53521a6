#include "sim/client/SimulatorLibrary.h"

#include <cstring>

namespace {

std::wstring ExecutableDirectory() {
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring text(path, length);
    return text.substr(0, text.find_last_of(L"\\/") + 1);
}

} // namespace

template <typename Pfn> void SimulatorLibrary::Resolve(const char* name, Pfn& pointer) {
    pointer = reinterpret_cast<Pfn>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
    if (pointer == nullptr)
        problem_ += L"missing export " + std::wstring(name, name + strlen(name)) + L"; ";
}

std::wstring SimulatorDirectory() {
    return ExecutableDirectory() + L"..\\sim\\";
}

std::wstring SimulatorDllPath() {
    return SimulatorDirectory() + L"korvelineapi.dll";
}

std::wstring SimulatorVariantDllPath() {
    return SimulatorDirectory() + L"no-virtual-profile\\korvelineapi.dll";
}

std::wstring SimulatorCliPath() {
    return SimulatorDirectory() + L"korvelinesim.exe";
}

SimulatorLibrary::SimulatorLibrary(const std::wstring& path) {
    module_ = LoadLibraryW(path.c_str());
    if (!module_) {
        problem_ = L"cannot load " + path;
        return;
    }
    Resolve("KORVELINESIM_Command", command_);
    Resolve("KORVELINESIM_LoadScenarioText", loadText_);
    Resolve("KORVELINESIM_Reset", reset_);
    Resolve("KORVELINESIM_PlugDevice", plug_);
    Resolve("KORVELINESIM_UnplugDevice", unplug_);
    Resolve("KORVELINESIM_FailEntryPoint", fail_);
    Resolve("KORVELINESIM_FailEntryPointCall", failCall_);
    Resolve("KORVELINESIM_SetMisbehaviour", misbehave_);
    Resolve("KORVELINESIM_SetFuzz", fuzz_);
    Resolve("KORVELINESIM_GetCallLog", getLog_);
    Resolve("KORVELINESIM_ClearCallLog", clearLog_);
}

SimulatorLibrary::~SimulatorLibrary() {
    if (module_)
        FreeLibrary(module_);
}

void SimulatorLibrary::Reset() const {
    reset_();
}

SimReply SimulatorLibrary::Command(const std::wstring& commandLine) const {
    // A command runs once, so the buffer is sized for every reply but the call log's
    // (CallLog() reads that one).
    std::uint32_t length = 0;
    std::vector<wchar_t> buffer(64 * 1024);
    SimReply reply;
    reply.status = command_(commandLine.c_str(), buffer.data(),
                            static_cast<std::uint32_t>(buffer.size()), &length);
    reply.text = buffer.data();
    return reply;
}

SimReply SimulatorLibrary::LoadScenarioText(const std::string& utf8Xml) const {
    wchar_t error[1024] = {};
    SimReply reply;
    reply.status = loadText_(utf8Xml.c_str(), error, 1024);
    reply.text = error;
    return reply;
}

StatusCode SimulatorLibrary::Plug(std::uint32_t deviceId) const {
    return plug_(deviceId);
}

StatusCode SimulatorLibrary::Unplug(std::uint32_t deviceId) const {
    return unplug_(deviceId);
}

StatusCode SimulatorLibrary::Fail(const char* entryPoint, StatusCode code,
                                  std::uint32_t mode) const {
    return fail_(entryPoint, code, mode);
}

StatusCode SimulatorLibrary::FailCall(const char* entryPoint, StatusCode code,
                                      std::uint32_t callNumber) const {
    return failCall_(entryPoint, code, callNumber);
}

StatusCode SimulatorLibrary::SetFuzz(bool on, std::uint32_t seed) const {
    return fuzz_(on ? 1 : 0, seed);
}

StatusCode SimulatorLibrary::SetMisbehaviour(std::uint32_t flags) const {
    return misbehave_(flags);
}

std::vector<std::wstring> SimulatorLibrary::CallLog() const {
    std::uint32_t length = 0;
    getLog_(nullptr, 0, &length);
    std::vector<wchar_t> buffer(length + 1);
    getLog_(buffer.data(), length + 1, &length);
    std::vector<std::wstring> lines;
    std::wstring text(buffer.data());
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find(L'\n', start);
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

void SimulatorLibrary::ClearCallLog() const {
    clearLog_();
}
