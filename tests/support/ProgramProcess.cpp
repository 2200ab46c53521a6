#include "tests/support/ProgramProcess.h"

#include <cstdio>
#include <filesystem>

ProgramProcess::ProgramProcess(const std::wstring& program, const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!arguments.empty())
        commandLine += L" " + arguments;
    std::wstring folder = std::filesystem::path(program).parent_path().wstring();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    // Wine now and then refuses a start of a program that is there, while the machine is
    // busy: such a start is tried again, and each refusal is printed with its code. A
    // program that is not there is not tried again.
    constexpr int kAttempts = 3;
    for (int attempt = 1; attempt <= kAttempts; ++attempt) {
        if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           folder.empty() ? nullptr : folder.c_str(), &startup, &started)) {
            CloseHandle(started.hThread);
            process_ = started.hProcess;
            id_ = started.dwProcessId;
            return;
        }
        startError_ = GetLastError();
        if (startError_ == ERROR_FILE_NOT_FOUND || startError_ == ERROR_PATH_NOT_FOUND)
            return;
        std::fprintf(stderr, "start of %ls refused (error %lu), attempt %d of %d\n",
                     program.c_str(), startError_, attempt, kAttempts);
        if (attempt < kAttempts)
            Sleep(200);
    }
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

ConsoleRun RunConsoleProgram(const std::wstring& program, const std::wstring& arguments,
                             DWORD limitMs) {
    ConsoleRun run;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        return run;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                        CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process);
    CloseHandle(writeEnd);
    if (started) {
        char buffer[4096];
        DWORD read = 0;
        while (ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) && read > 0)
            run.output.append(buffer, read);
        DWORD code = 0;
        if (WaitForSingleObject(process.hProcess, limitMs) == WAIT_OBJECT_0 &&
            GetExitCodeProcess(process.hProcess, &code))
            run.exitCode = code;
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(readEnd);
    return run;
}
