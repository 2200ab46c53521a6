#include "tests/support/ChildModes.h"

#include <windows.h>

#include <map>

namespace {

std::map<std::wstring, ChildModeFunction>& Modes() {
    static std::map<std::wstring, ChildModeFunction> modes;
    return modes;
}

const std::wstring kPrefix = L"--child=";

} // namespace

bool RegisterChildMode(const std::wstring& name, ChildModeFunction function) {
    Modes()[name] = std::move(function);
    return true;
}

bool RunChildModeIfRequested(int argc, wchar_t** argv, int& exitCode) {
    if (argc < 2)
        return false;
    std::wstring first = argv[1];
    if (first.rfind(kPrefix, 0) != 0)
        return false;
    auto it = Modes().find(first.substr(kPrefix.size()));
    exitCode = it == Modes().end() ? 99 : it->second(argc - 1, argv + 1);
    return true;
}

void* StartSelfAsChild(const std::wstring& mode, const std::wstring& arguments) {
    wchar_t self[MAX_PATH];
    if (!GetModuleFileNameW(nullptr, self, MAX_PATH))
        return nullptr;
    std::wstring commandLine = L"\"" + std::wstring(self) + L"\" " + kPrefix + mode;
    if (!arguments.empty())
        commandLine += L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(self, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

unsigned long RunSelfAsChild(const std::wstring& mode, const std::wstring& arguments,
                             unsigned long timeoutMs) {
    HANDLE process = StartSelfAsChild(mode, arguments);
    if (!process)
        return ~0ul;
    DWORD code = ~0ul;
    if (WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(process, &code);
    else
        TerminateProcess(process, ~0u);
    CloseHandle(process);
    return code;
}
