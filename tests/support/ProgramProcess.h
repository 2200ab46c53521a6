#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/support/MessageBoxWatcher.h"

// A program started from the test process with CreateProcessW, so that its full 32-bit
// exit code is seen (a Unix parent of wine sees only the low 8 bits). The process is
// ended if it still runs when the object goes.
class ProgramProcess {
public:
    // Runs `"<program>" <arguments>`, or `"<program>"` alone when arguments is empty, in
    // the program's folder. Note that the C runtime drops the blanks between the program
    // name and the first argument: leading spaces of `arguments` never reach the program.
    ProgramProcess(const std::wstring& program, const std::wstring& arguments);
    ~ProgramProcess();
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    bool Started() const { return process_ != nullptr; }
    DWORD StartError() const { return startError_; }
    DWORD Id() const { return id_; }

    // The exit code once the process has ended, or nothing when it still runs after
    // limitMs (it keeps running; the destructor ends it).
    std::optional<DWORD> WaitForExit(DWORD limitMs);

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
    DWORD startError_ = 0;
};

// What a run of the program left behind: its exit code (nothing when it did not start or
// did not end within the limit; it is then ended) and the message boxes it showed, each
// dismissed with its OK button.
struct ProgramOutcome {
    std::optional<DWORD> exitCode;
    std::vector<SeenMessageBox> messageBoxes;
};

ProgramOutcome RunProgram(const std::wstring& program, const std::wstring& arguments,
                          DWORD limitMs);

// A console program's run: its exit code (none when it did not end within the limit) and
// what it wrote to its standard output and error, as bytes.
struct ConsoleRun {
    std::optional<DWORD> exitCode;
    std::string output;
};

// Runs `"<program>" <arguments>` with both outputs on one pipe, read until it ends.
ConsoleRun RunConsoleProgram(const std::wstring& program, const std::wstring& arguments,
                             DWORD limitMs = 30000);
