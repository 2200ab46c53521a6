#include "tests/support/ProgramProcess.h"

#include <filesystem>

ProgramProcess::ProgramProcess(const std::wstring& program, const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!arguments.empty())
        commandLine += L" " + arguments;
    std::wstring folder = std::filesystem::path(program).parent_path().wstring();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &started)) {
        startError_ = GetLastError();
        return;
    }
    CloseHandle(started.hThread);
    process_ = started.hProcess;
    id_ = started.dwProcessId;
}

ProgramProcess::~ProgramProcess() {
    if (!process_)
        return;
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_, ~0u);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
}

std::optional<DWORD> ProgramProcess::WaitForExit(DWORD limitMs) {
    if (!process_ || WaitForSingleObject(process_, limitMs) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    if (!GetExitCodeProcess(process_, &code))
        return std::nullopt;
    return code;
}

ProgramOutcome RunProgram(const std::wstring& program, const std::wstring& arguments,
                          DWORD limitMs) {
    ProgramProcess process(program, arguments);
    if (!process.Started())
        return {};
    // A box that opens before the watcher looks stays open until it is seen.
    MessageBoxWatcher watcher(process.Id());
    ProgramOutcome outcome;
    outcome.exitCode = process.WaitForExit(limitMs);
    outcome.messageBoxes = watcher.Seen();
    return outcome;
}
